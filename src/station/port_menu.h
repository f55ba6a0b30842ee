#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/control_set.h"
#include "link/link.h"
#include "link/port_discovery.h"
#include "link/port_map.h"
#include "station/station_paths.h"

namespace korvan {

// The Com menu: each numbered port with the device behind it and the adapter plugged in there,
// absent ports greyed, the stable names under /dev/serial/by-id, the device given for this run,
// and a look for plugged and pulled adapters every second and whenever the menu opens. It moves
// the link to the port picked and keeps the picked stable name in the settings file.
class PortMenu {
 public:
  static constexpr int kStableNameItems = 8;

  PortMenu(ControlSet& controls, Link& link, const StationPaths& paths)
      : controls_(controls), link_(link), paths_(paths) {}

  // The menu's items, added where the window's menus put the Com menu.
  void CreateControls();
  // The ports moved in the settings file and the stable name picked last time.
  void LoadSettings();
  // Looks at the ports and stable names again; true when anything changed since the last look.
  bool Scan();
  // Every second on the tick: a hot-plugged adapter shows up in the menu without a restart.
  void Tick();
  // The menu is about to open: look for plugged and pulled adapters now.
  void Popup();
  // Whether the device of the port in use is there now; FollowPlugging acts on its changes.
  void NoteCurrentDevicePresence();
  // Checks the port in use and shows what the last look found.
  void Paint();
  void Com1Click(int item);
  // A stable name picked from the menu, item 0..kStableNameItems-1.
  void ByIdClick(int item);
  void DeviceClick();

 private:
  // After a look that changed something: opens the port in use when its adapter appeared, closes
  // it when its adapter was pulled.
  void FollowPlugging();
  // The stable names the menu offers: the ones there now, plus a picked one that is unplugged.
  std::vector<StableName> OfferedStableNames() const;
  void KeepPicked(const std::string& path);

  ControlSet& controls_;
  Link& link_;
  const StationPaths& paths_;
  std::array<ControlHandle, kPortCount> menu_com_{};
  ControlHandle menu_com_device_ = 0;
  std::array<ControlHandle, kStableNameItems> menu_com_by_id_{};
  std::optional<PortDiscovery> discovery_;
  std::vector<PortStatus> ports_seen_;
  std::vector<StableName> stable_seen_;
  int port_scan_ticks_ = 0;
  bool current_device_present_ = false;
};

}  // namespace korvan
