#include "shell/ports_command.h"

#include <cstdlib>

namespace korvan {

std::string DeviceRoot() {
  const char* root = std::getenv("KORVAN_DEVICE_ROOT");
  return root != nullptr && *root != '\0' ? root : "/";
}

void PrintPortList(const PortMap& map, const PortDiscovery& discovery,
                   const std::string& settings_path, std::FILE* out) {
  for (const PortStatus& port : discovery.Scan(map)) {
    std::string what = port.present ? "present" : "not plugged in";
    if (port.present && port.is_usb) {
      what = port.usb.Label() + " [" + port.usb.vendor_id + ":" + port.usb.product_id;
      if (!port.usb.serial.empty()) what += " serial " + port.usb.serial;
      what += "]";
    }
    std::fprintf(out, "Com %-2d  %-22s %s\n", port.number, port.device.c_str(), what.c_str());
  }
  const auto names = discovery.StableNames();
  if (names.empty()) {
    std::fprintf(out, "No stable names under /dev/serial/by-id.\n");
  } else {
    std::fprintf(out, "Stable names (usable as a port in [PORTS]):\n");
    for (const StableName& name : names) {
      std::fprintf(out, "  %s -> %s\n", name.path.c_str(), name.target.c_str());
    }
  }
  std::fprintf(out, "Change a port in the [PORTS] section of %s (e.g. Com5=/dev/ttyACM0).\n",
               settings_path.c_str());
}

}  // namespace korvan
