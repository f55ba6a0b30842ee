#include "settings/port_settings.h"

#include <cctype>
#include <cstdlib>

#include "files/safe_file.h"
#include "link/identity.h"
#include "settings/ini_document.h"

namespace korvan {

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

std::string SettingsFileName() { return "Korvan_2007_v" + std::to_string(kStationVersion) + "ini"; }

std::string SettingsFilePath() { return ConfigDirectory() + "/" + SettingsFileName(); }
std::string ImageDumpPath() { return ConfigDirectory() + "/_" + SettingsFileName(); }
std::string TestModeMarkerPath() { return ConfigDirectory() + "/test_kalder.txt"; }
std::string JournalPath() { return ConfigDirectory() + "/korvan-unsaved-edits.journal"; }

std::string DeviceRoot() {
  const char* root = std::getenv("KORVAN_DEVICE_ROOT");
  return root != nullptr && *root != '\0' ? root : "/";
}

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
  ApplyPortSection(IniDocument::Parse(ini_text), map);
}

void ApplyPortSection(const IniDocument& ini, PortMap& map) {
  for (int port = 1; port <= kPortCount; ++port) {
    const std::optional<std::string> device = ini.Get("PORTS", "Com" + std::to_string(port));
    if (device && !device->empty()) map.SetDevice(port - 1, *device);
  }
}

std::string LoadPortMap(PortMap& map) {
  const std::string path = SettingsFilePath();
  const FileReadResult file = ReadFileBounded(path, 1 << 20);
  if (file.ok()) ApplyPortSection(file.content, map);
  return path;
}

}  // namespace korvan
