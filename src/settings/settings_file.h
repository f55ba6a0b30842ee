#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/image_dump.h"
#include "files/safe_file.h"
#include "image/parameter_image.h"
#include "settings/ini_document.h"

namespace korvan {

inline constexpr std::string_view kSettingsSection = "BASIC";

// Everything the station keeps in section BASIC of the settings file. Numbers are kept as read,
// unchecked: the consistency rules later in start-up bring a bad port or language index back into
// range.
struct StationSettingsValues {
  int left = 0;    // "Left", window left edge in pixels
  int top = 0;     // "Top"
  int height = 0;  // "Height"
  int width = 0;   // "Width"
  // "ComPort": the port number, that is the port index + 1, as stored. 0 gives port index 255
  // (see PortIndexFromComPort), which the consistency rules turn into the first port.
  int com_port = 1;
  int language = 0;     // "Language", 0 English .. 3 Czech
  std::string file;     // "File", the file the current-file label names
  std::string ini_dir;  // "IniDir", the last file path of the file dialogs
  // "FileDamaged": the sections an incomplete or damaged file left short, when the set on
  // display comes from one (blank-separated section keys); empty otherwise.
  std::string file_damaged;
  int active_page = 0;        // "PageControl1->ActivePageIndex"
  bool zobr_ms_uni = false;   // "CheckBoxZobrMs_Uni->Checked"
  bool ext_monitor = false;   // "CheckBoxExtMonitor->Checked"
  bool all_poloha_a = false;  // "CheckBoxAll_PolohaA->Checked"
  bool all_poloha_b = false;  // "CheckBoxAll_PolohaB->Checked"
  bool tuning_page = false;   // "TabSheet_Ladeni->TabVisible": the tuning page was shown
  bool cell_grades = false;   // "MenuCellGrades->Checked": map cells coloured by their values
  bool print_grades = false;  // "MenuPrintGrades->Checked": the colours printed too

  friend bool operator==(const StationSettingsValues&, const StationSettingsValues&) = default;
};

// The port index an 8-bit port index field receives from a "ComPort" value: value - 1, low eight
// bits (0 gives 255).
std::uint8_t PortIndexFromComPort(int com_port);

// What became of a file the station reads at start.
enum class StoredFileState : std::uint8_t {
  kRead,
  kMissing,     // not there, as on a first start: the defaults apply and nothing is said
  kUnreadable,  // there, but too large or not readable: the defaults apply and the user is told
};

// Reads section BASIC. A missing or unreadable file, a missing key, or a number that does not
// parse leaves the value of the defaults passed in. Check boxes read any non-zero number as set.
// `state`, when given, receives what became of the file.
StationSettingsValues LoadSettings(const std::string& path, const StationSettingsValues& defaults,
                                   StoredFileState* state = nullptr);
// The same on the text of a settings file.
StationSettingsValues SettingsFromText(std::string_view text,
                                       const StationSettingsValues& defaults);

// An old file that exists but cannot be read is never written over: what it holds (for the
// settings file, the sections the station does not own, such as [PORTS]) may be all the user has.
// It is moved aside to the first free name of path + ".unreadable", ".unreadable2", ... and a new
// file takes its place.
struct StoredFileSaveResult {
  std::string kept_aside;            // where the unreadable old file went; empty when none
  bool old_file_unreadable = false;  // it could not even be moved: nothing was written
  FileWriteResult write;
  bool ok() const { return !old_file_unreadable && write.ok(); }
};

// Writes section BASIC into the settings file, keeping every other section and key, creating the
// directory when missing; the old file is replaced only once the new one is complete.
StoredFileSaveResult SaveSettings(const std::string& path, const StationSettingsValues& values);
// The text SaveSettings writes, given the file's old text (empty for a new file).
std::string SettingsToText(std::string_view old_text, const StationSettingsValues& values);

// Reads the image dump into the image and tool modes (see ParseImageDump: bytes the file does not
// supply keep their values). Nothing, and nothing changed, when the file is missing or unreadable;
// `state`, when given, says which.
std::optional<DumpReadResult> LoadImageDump(const std::string& path, ParameterImage& image,
                                            ToolModes& tool_modes,
                                            StoredFileState* state = nullptr);
// Writes the image dump, creating the directory when missing; an unreadable old dump is kept
// aside as the settings file is.
StoredFileSaveResult SaveImageDump(const std::string& path, const ParameterImage& image,
                                   const ToolModes& tool_modes);

// Test mode is on when the marker file holds the word PROBE_ALLOW among its whitespace-separated
// words. A missing or unreadable file means off.
bool ReadTestModeMarker(const std::string& path);

// The language of a command-line word: exactly "ENGLISH", "DEUTSCH", "FRENCH" or "CESKY" give
// 0..3; any other word (lower case included) gives nothing.
std::optional<int> LanguageFromArgument(std::string_view word);

// Writes entries of one section into the settings file at once, keeping the rest of the file as
// it is. A file that is there but cannot be read is left alone (closing the window keeps it
// aside); false then, or when the write fails.
// The settings file as a document, for the sections kept beside BASIC; empty when the file is
// missing or cannot be read.
IniDocument ReadSettingsDocument(const std::string& path);
bool SetSettingsEntries(const std::string& path, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace korvan
