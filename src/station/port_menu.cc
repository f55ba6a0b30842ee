// The Com menu: each numbered port with the device behind it and the adapter plugged in there,
// absent ports greyed, the stable names under /dev/serial/by-id, and a look for plugged and
// pulled adapters every second and whenever the menu opens.
#include "station/port_menu.h"

#include <algorithm>

#include "settings/port_settings.h"
#include "settings/settings_file.h"

namespace korvan {
namespace {

constexpr std::string_view kPortsSection = "PORTS";
// The stable name picked from the menu, kept for the next start.
constexpr std::string_view kPickedKey = "Device";
// About a second of 55 ms ticks between two looks at the ports.
constexpr int kPortScanTicks = 18;

std::string StableCaption(const StableName& name) {
  if (name.target.empty()) return name.path;
  return name.path + " \u2014 " + name.target;
}

}  // namespace

void PortMenu::CreateControls() {
  ControlSet& c = controls_;
  for (int i = 0; i < kPortCount; ++i) {
    menu_com_[static_cast<std::size_t>(i)] =
        c.Add("MenuCom" + std::to_string(i + 1), ControlKind::kMenuItem);
    c.SetText(menu_com_[static_cast<std::size_t>(i)], "Com " + std::to_string(i + 1));
  }
  // The stable names under /dev/serial/by-id, as many as are plugged in. They and the run's own
  // device stand apart from the numbered ports.
  for (int i = 0; i < kStableNameItems; ++i) {
    menu_com_by_id_[static_cast<std::size_t>(i)] =
        c.Add("MenuComById" + std::to_string(i + 1), ControlKind::kMenuItem);
    c.SetVisible(menu_com_by_id_[static_cast<std::size_t>(i)], false);
  }
  c.SetSeparator(menu_com_by_id_[0], MenuSeparator::kBefore);
  menu_com_device_ = c.Add("MenuComDevice", ControlKind::kMenuItem);
  c.SetVisible(menu_com_device_, false);
  c.SetSeparator(menu_com_device_, MenuSeparator::kBefore);
}

void PortMenu::LoadSettings() {
  if (!paths_.device_root.empty()) discovery_.emplace(paths_.device_root);
  const IniDocument ini = ReadSettingsDocument(paths_.settings_file);
  // "Com5=/dev/ttyACM0" moves a port; "Device=" is the stable name picked last time.
  ApplyPortSection(ini, link_.port_map());
  if (const std::optional<std::string> picked = ini.Get(kPortsSection, kPickedKey)) {
    link_.set_picked_device(*picked);
  }
}

bool PortMenu::Scan() {
  if (!discovery_) return false;
  std::vector<PortStatus> ports = discovery_->Scan(link_.port_map());
  std::vector<StableName> stable = discovery_->StableNames();
  if (ports == ports_seen_ && stable == stable_seen_) return false;
  ports_seen_ = std::move(ports);
  stable_seen_ = std::move(stable);
  return true;
}

void PortMenu::Tick() {
  if (!discovery_ || ++port_scan_ticks_ < kPortScanTicks) return;
  port_scan_ticks_ = 0;
  if (!Scan()) return;
  Paint();
  FollowPlugging();
}

void PortMenu::Popup() {
  port_scan_ticks_ = 0;
  if (Scan()) FollowPlugging();
  Paint();
}

void PortMenu::NoteCurrentDevicePresence() {
  current_device_present_ =
      discovery_.has_value() && discovery_->Probe(0, link_.CurrentDevice()).present;
}

void PortMenu::FollowPlugging() {
  const bool present = discovery_->Probe(0, link_.CurrentDevice()).present;
  if (present && !link_.IsOpen()) {
    // The adapter of the port in use has just appeared: open it now, quietly, rather than when
    // the connection watchdog next tries.
    link_.set_quiet_open(true);
    link_.OpenLink();
  } else if (!present && current_device_present_ && link_.IsOpen()) {
    // Pulled: let go of it at once. A tty held open keeps its name taken, and the adapter
    // plugged back in would come up under another one.
    link_.CloseLink();
  }
  current_device_present_ = present;
}

std::vector<StableName> PortMenu::OfferedStableNames() const {
  std::vector<StableName> names = stable_seen_;
  const std::string& picked = link_.picked_device();
  const bool listed = std::any_of(names.begin(), names.end(),
                                  [&](const StableName& n) { return n.path == picked; });
  // A picked adapter that is unplugged stays in the menu, checked, so the user sees what the
  // station waits for.
  if (!picked.empty() && !listed) names.insert(names.begin(), StableName{picked, ""});
  if (names.size() > static_cast<std::size_t>(kStableNameItems)) names.resize(kStableNameItems);
  return names;
}

void PortMenu::Paint() {
  for (int i = 0; i < kPortCount; ++i) {
    const ControlHandle item = menu_com_[static_cast<std::size_t>(i)];
    const bool checked =
        !link_.override_in_use() && !link_.picked_in_use() && i == link_.port_index();
    controls_.SetChecked(item, checked);
    if (!discovery_ || static_cast<std::size_t>(i) >= ports_seen_.size()) continue;
    const PortStatus& port = ports_seen_[static_cast<std::size_t>(i)];
    controls_.SetText(item, PortCaption(port));
    // An absent port is greyed; the one in use stays reachable, so it can be picked again.
    controls_.SetEnabled(item, port.present || checked);
  }
  const std::vector<StableName> names = OfferedStableNames();
  for (int i = 0; i < kStableNameItems; ++i) {
    const ControlHandle item = menu_com_by_id_[static_cast<std::size_t>(i)];
    const bool shown = static_cast<std::size_t>(i) < names.size();
    controls_.SetVisible(item, shown);
    if (!shown) {
      controls_.SetChecked(item, false);
      continue;
    }
    const StableName& name = names[static_cast<std::size_t>(i)];
    controls_.SetText(item, StableCaption(name));
    controls_.SetChecked(item, link_.picked_in_use() && name.path == link_.picked_device());
  }
  // The device given for this run (the demo's emulator, --port) has its own entry.
  controls_.SetText(menu_com_device_, link_.device_override());
  controls_.SetVisible(menu_com_device_, !link_.device_override().empty());
  controls_.SetChecked(menu_com_device_, link_.override_in_use());
}

void PortMenu::Com1Click(int item) {
  const bool had_pick = !link_.picked_device().empty();
  link_.MenuCom1Click(item);
  if (had_pick) KeepPicked("");
  NoteCurrentDevicePresence();
  Paint();
}

void PortMenu::ByIdClick(int item) {
  const std::vector<StableName> names = OfferedStableNames();
  if (item < 0 || static_cast<std::size_t>(item) >= names.size()) return;
  const std::string path = names[static_cast<std::size_t>(item)].path;
  link_.UsePickedDevice(path);
  KeepPicked(path);
  NoteCurrentDevicePresence();
  Paint();
}

void PortMenu::DeviceClick() {
  link_.UseDeviceOverride();
  NoteCurrentDevicePresence();
  Paint();
}

void PortMenu::KeepPicked(const std::string& path) {
  SetSettingsEntries(paths_.settings_file, kPortsSection, {{std::string(kPickedKey), path}});
}

}  // namespace korvan
