#include "cli/ports_command.h"

namespace korvan {

void PrintPortList(const PortMap& map, const PortDiscovery& discovery,
                   const std::string& settings_path, std::FILE* out) {
  // Each line starts as the window's Com menu item reads; the ids and serial number follow.
  for (const PortStatus& port : discovery.Scan(map)) {
    std::string line = PortCaption(port);
    if (!port.present) {
      line += " (not plugged in)";
    } else if (port.is_usb) {
      line += " [" + port.usb.vendor_id + ":" + port.usb.product_id;
      if (!port.usb.serial.empty()) line += " serial " + port.usb.serial;
      line += "]";
    }
    std::fprintf(out, "%s\n", line.c_str());
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
