#include "settings/settings_file.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <system_error>
#include <variant>

#include "settings/ini_document.h"

namespace korvan {
namespace {

// Far above any real settings file, dump or marker (a whole dump is about 17 KB).
constexpr std::size_t kMaxSettingsBytes = 1 << 20;

// Section BASIC, key by key: where each value lives, in the order a new file lists them. The
// reader and the writer both go by this table; the kind of the member says how the value is
// written (a number, a check box as 0 or 1, a text as it is).
struct SettingsKey {
  std::string_view key;
  std::variant<int StationSettingsValues::*, bool StationSettingsValues::*,
               std::string StationSettingsValues::*>
      value;
  // Written only when it holds something or the file has it already (FileDamaged: only a set
  // from a damaged file has it), so that other settings files keep their keys.
  bool only_when_set = false;
};

const SettingsKey kSettingsKeys[] = {
    {"Left", &StationSettingsValues::left},
    {"Top", &StationSettingsValues::top},
    {"Height", &StationSettingsValues::height},
    {"Width", &StationSettingsValues::width},
    {"ComPort", &StationSettingsValues::com_port},
    {"Language", &StationSettingsValues::language},
    {"File", &StationSettingsValues::file},
    {"IniDir", &StationSettingsValues::ini_dir},
    {"FileDamaged", &StationSettingsValues::file_damaged, true},
    {"PageControl1->ActivePageIndex", &StationSettingsValues::active_page},
    {"CheckBoxZobrMs_Uni->Checked", &StationSettingsValues::zobr_ms_uni},
    {"CheckBoxExtMonitor->Checked", &StationSettingsValues::ext_monitor},
    {"CheckBoxAll_PolohaA->Checked", &StationSettingsValues::all_poloha_a},
    {"CheckBoxAll_PolohaB->Checked", &StationSettingsValues::all_poloha_b},
    {"TabSheet_Ladeni->TabVisible", &StationSettingsValues::tuning_page},
    {"MenuCellGrades->Checked", &StationSettingsValues::cell_grades},
    {"MenuPrintGrades->Checked", &StationSettingsValues::print_grades},
};

// A leading decimal integer, as the platform's integer read takes it ("12px" is 12); nothing
// when the value does not start with one or does not fit.
std::optional<int> LeadingInteger(const std::string& text) {
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (begin != end && *begin == '+') ++begin;
  int value = 0;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr == begin) return std::nullopt;
  return value;
}

void ReadValue(const IniDocument& doc, std::string_view key, int& value) {
  if (const std::optional<std::string> text = doc.Get(kSettingsSection, key)) {
    if (const std::optional<int> number = LeadingInteger(*text)) value = *number;
  }
}

// A check box is set by any non-zero number.
void ReadValue(const IniDocument& doc, std::string_view key, bool& value) {
  if (const std::optional<std::string> text = doc.Get(kSettingsSection, key)) {
    if (const std::optional<int> number = LeadingInteger(*text)) value = *number != 0;
  }
}

void ReadValue(const IniDocument& doc, std::string_view key, std::string& value) {
  if (std::optional<std::string> text = doc.Get(kSettingsSection, key)) value = std::move(*text);
}

std::string ValueText(int value) { return std::to_string(value); }
std::string ValueText(bool value) { return value ? "1" : "0"; }
std::string ValueText(const std::string& value) { return value; }

// Missing directories are created; a failure shows up when the write itself fails.
void CreateParentDirectory(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (parent.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(parent, ignored);
}

StoredFileState StateAfterRead(const std::string& path, const FileReadResult& file) {
  if (file.ok()) return StoredFileState::kRead;
  // A file whose existence cannot even be checked counts as there: it must not be replaced.
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  return exists || error ? StoredFileState::kUnreadable : StoredFileState::kMissing;
}

void Report(StoredFileState* state, StoredFileState value) {
  if (state != nullptr) *state = value;
}

// Moves an unreadable file to the first free name of path.unreadable, path.unreadable2, ...
// The new name, or nothing when no name was free or the move failed.
std::optional<std::string> KeepAside(const std::string& path) {
  for (int n = 1; n <= 99; ++n) {
    const std::string aside = path + ".unreadable" + (n == 1 ? "" : std::to_string(n));
    std::error_code error;
    if (std::filesystem::exists(aside, error) || error) continue;
    std::filesystem::rename(path, aside, error);
    if (error) return std::nullopt;
    return aside;
  }
  return std::nullopt;
}

// Writes a stored file, keeping an unreadable old one aside first.
StoredFileSaveResult SaveStoredFile(const std::string& path, StoredFileState old_state,
                                    const std::string& content) {
  StoredFileSaveResult result;
  if (old_state == StoredFileState::kUnreadable) {
    const std::optional<std::string> aside = KeepAside(path);
    if (!aside) {
      result.old_file_unreadable = true;
      return result;
    }
    result.kept_aside = *aside;
  }
  CreateParentDirectory(path);
  result.write = WriteFileSafely(path, content);
  return result;
}

}  // namespace

std::uint8_t PortIndexFromComPort(int com_port) {
  return static_cast<std::uint8_t>(static_cast<unsigned>(com_port - 1) & 0xFFu);
}

StationSettingsValues SettingsFromText(std::string_view text,
                                       const StationSettingsValues& defaults) {
  const IniDocument doc = IniDocument::Parse(text);
  StationSettingsValues values = defaults;
  for (const SettingsKey& k : kSettingsKeys) {
    std::visit([&](auto member) { ReadValue(doc, k.key, values.*member); }, k.value);
  }
  return values;
}

StationSettingsValues LoadSettings(const std::string& path, const StationSettingsValues& defaults,
                                   StoredFileState* state) {
  const FileReadResult file = ReadFileBounded(path, kMaxSettingsBytes);
  Report(state, StateAfterRead(path, file));
  if (!file.ok()) return defaults;
  return SettingsFromText(file.content, defaults);
}

std::string SettingsToText(std::string_view old_text, const StationSettingsValues& values) {
  IniDocument doc = IniDocument::Parse(old_text);
  for (const SettingsKey& k : kSettingsKeys) {
    std::visit(
        [&](auto member) {
          const std::string text = ValueText(values.*member);
          if (k.only_when_set && text.empty() && !doc.Get(kSettingsSection, k.key)) return;
          doc.Set(kSettingsSection, k.key, text);
        },
        k.value);
  }
  return doc.Format();
}

StoredFileSaveResult SaveSettings(const std::string& path, const StationSettingsValues& values) {
  const FileReadResult old_file = ReadFileBounded(path, kMaxSettingsBytes);
  return SaveStoredFile(path, StateAfterRead(path, old_file),
                        SettingsToText(old_file.content, values));
}

std::optional<DumpReadResult> LoadImageDump(const std::string& path, ParameterImage& image,
                                            ToolModes& tool_modes, StoredFileState* state) {
  const FileReadResult file = ReadFileBounded(path, kMaxSettingsBytes);
  Report(state, StateAfterRead(path, file));
  if (!file.ok()) return std::nullopt;
  return ParseImageDump(file.content, image, tool_modes);
}

StoredFileSaveResult SaveImageDump(const std::string& path, const ParameterImage& image,
                                   const ToolModes& tool_modes) {
  // Whether the old dump can be read decides whether it is kept aside; its content is not used.
  const FileReadResult old_file = ReadFileBounded(path, kMaxSettingsBytes);
  return SaveStoredFile(path, StateAfterRead(path, old_file), FormatImageDump(image, tool_modes));
}

bool ReadTestModeMarker(const std::string& path) {
  const FileReadResult file = ReadFileBounded(path, kMaxSettingsBytes);
  if (!file.ok()) return false;
  const std::string_view text = file.content;
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    if (text.substr(start, pos - start) == "PROBE_ALLOW") return true;
  }
  return false;
}

std::optional<int> LanguageFromArgument(std::string_view word) {
  constexpr std::string_view kWords[] = {"ENGLISH", "DEUTSCH", "FRENCH", "CESKY"};
  for (int i = 0; i < 4; ++i) {
    if (word == kWords[i]) return i;
  }
  return std::nullopt;
}

IniDocument ReadSettingsDocument(const std::string& path) {
  const FileReadResult file = ReadFileBounded(path, kMaxSettingsBytes);
  return IniDocument::Parse(file.ok() ? std::string_view(file.content) : std::string_view());
}

bool SetSettingsEntries(const std::string& path, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& entries) {
  const FileReadResult file = ReadFileBounded(path, kMaxSettingsBytes);
  if (StateAfterRead(path, file) == StoredFileState::kUnreadable) return false;
  IniDocument ini = IniDocument::Parse(file.content);
  for (const auto& [key, value] : entries) ini.Set(section, key, value);
  CreateParentDirectory(path);
  return WriteFileSafely(path, ini.Format()).ok();
}

}  // namespace korvan
