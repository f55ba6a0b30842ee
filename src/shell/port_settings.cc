#include "shell/port_settings.h"

#include <cctype>
#include <cstdlib>

#include "files/safe_file.h"

namespace korvan {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string ConfigDirectory() {
  if (const char* dir = std::getenv("KORVAN_CONFIG_DIR"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
    return std::string(xdg) + "/korvan-station";
  }
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/.config/korvan-station";
}

std::string SettingsFilePath() { return ConfigDirectory() + "/Korvan_2007_v68ini"; }

std::optional<int> ParsePortNumber(std::string_view text) {
  text = Trim(text);
  if (text.size() >= 3 && EqualsIgnoringCase(text.substr(0, 3), "com")) text = Trim(text.substr(3));
  if (text.empty() || text.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kPortCount) return std::nullopt;
  return value;
}

void ApplyPortSection(std::string_view ini_text, PortMap& map) {
  bool in_ports = false;
  while (!ini_text.empty()) {
    const std::size_t end = ini_text.find('\n');
    std::string_view line = Trim(ini_text.substr(0, end));
    ini_text = end == std::string_view::npos ? std::string_view() : ini_text.substr(end + 1);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[') {
      in_ports = EqualsIgnoringCase(line, "[PORTS]");
      continue;
    }
    if (!in_ports) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::optional<int> number = ParsePortNumber(Trim(line.substr(0, eq)));
    const std::string_view device = Trim(line.substr(eq + 1));
    if (number && !device.empty()) map.SetDevice(*number - 1, std::string(device));
  }
}

std::string LoadPortMap(PortMap& map) {
  const std::string path = SettingsFilePath();
  const FileReadResult file = ReadFileBounded(path, 1 << 20);
  if (file.ok()) ApplyPortSection(file.content, map);
  return path;
}

}  // namespace korvan
