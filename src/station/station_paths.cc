#include "station/station_paths.h"

#include <utility>

#include "settings/port_settings.h"

namespace korvan {

StationPaths StationPaths::Default(std::string program_dir) {
  StationPaths p;
  p.settings_file = SettingsFilePath();
  p.image_dump = ImageDumpPath();
  p.test_marker = TestModeMarkerPath();
  p.journal = JournalPath();
  p.data_dir = program_dir + "/../share/korvan";
  p.device_root = DeviceRoot();
  p.program_dir = std::move(program_dir);
  return p;
}

}  // namespace korvan
