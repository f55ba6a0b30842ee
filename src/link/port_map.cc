#include "link/port_map.h"

#include <utility>

namespace korvan {

std::string PortMap::DefaultDevice(int index) {
  // Com 1..10 are the USB adapters most interfaces use, Com 11..14 USB modems (CDC ACM),
  // Com 15..20 the on-board serial ports.
  if (index < 10) return "/dev/ttyUSB" + std::to_string(index);
  if (index < 14) return "/dev/ttyACM" + std::to_string(index - 10);
  return "/dev/ttyS" + std::to_string(index - 14);
}

PortMap::PortMap() {
  for (int i = 0; i < kPortCount; ++i) devices_[static_cast<std::size_t>(i)] = DefaultDevice(i);
}

const std::string& PortMap::Device(int index) const {
  if (index < 0 || index >= kPortCount) index = 0;
  return devices_[static_cast<std::size_t>(index)];
}

void PortMap::SetDevice(int index, std::string device) {
  if (index < 0 || index >= kPortCount || device.empty()) return;
  devices_[static_cast<std::size_t>(index)] = std::move(device);
}

}  // namespace korvan
