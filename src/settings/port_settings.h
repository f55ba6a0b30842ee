#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/port_map.h"
#include "settings/ini_document.h"

namespace korvan {

// The one place that names the files the station keeps between runs; they all lie in the
// station's per-user directory: $KORVAN_CONFIG_DIR, else $XDG_CONFIG_HOME/korvan-station, else
// ~/.config/korvan-station.
std::string ConfigDirectory();
// The settings file's name, built from the station's version: Korvan_2007_v68ini.
std::string SettingsFileName();
// The settings file in that directory.
std::string SettingsFilePath();
// The image dump beside it: the settings file's name after "_", _Korvan_2007_v68ini.
std::string ImageDumpPath();
// The journal of unsaved edits, beside the settings file.
std::string JournalPath();
// The test-mode marker beside it: test_kalder.txt.
std::string TestModeMarkerPath();
// The machine root the station looks at for devices: $KORVAN_DEVICE_ROOT, else "/".
std::string DeviceRoot();

// Applies the [PORTS] section of the settings file (Com1=/dev/ttyUSB0 ... Com20=...) to the map;
// ports it does not name keep their defaults. Returns the settings file's path.
std::string LoadPortMap(PortMap& map);
// Applies the [PORTS] lines of an INI text; unknown keys and other sections are left alone.
void ApplyPortSection(std::string_view ini_text, PortMap& map);
void ApplyPortSection(const IniDocument& ini, PortMap& map);

// "Com 5", "COM5", "com5" or "5" give 5; nothing for anything outside 1..20.
std::optional<int> ParsePortNumber(std::string_view text);

}  // namespace korvan
