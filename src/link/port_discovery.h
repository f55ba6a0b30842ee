#pragma once

#include <string>
#include <vector>

#include "link/port_map.h"

namespace korvan {

// What a USB serial adapter says about itself in sysfs.
struct UsbAdapter {
  std::string vendor_id;     // idVendor, e.g. "0403"
  std::string product_id;    // idProduct, e.g. "6001"
  std::string manufacturer;  // may be empty
  std::string product;       // e.g. "FT232R USB UART"; may be empty
  std::string serial;        // may be empty
  // "FT232R USB UART", else the manufacturer, else "USB 0403:6001".
  std::string Label() const;

  friend bool operator==(const UsbAdapter&, const UsbAdapter&) = default;
};

// One "Com n" as the machine has it right now.
struct PortStatus {
  int number = 0;  // 1..20
  std::string device;
  bool present = false;
  bool is_usb = false;
  UsbAdapter usb;

  friend bool operator==(const PortStatus&, const PortStatus&) = default;
};

// A stable name under /dev/serial/by-id and the tty it points at.
struct StableName {
  std::string path;    // /dev/serial/by-id/usb-FTDI_..-if00-port0
  std::string target;  // /dev/ttyUSB0

  friend bool operator==(const StableName&, const StableName&) = default;
};

// Looks at the device files and sysfs below `root` ("/" on a real machine; tests hand in a temp
// tree laid out the same way). Only stats and small reads: cheap enough for the station's tick.
class PortDiscovery {
 public:
  explicit PortDiscovery(std::string root = "/");

  std::vector<PortStatus> Scan(const PortMap& map) const;
  PortStatus Probe(int number, const std::string& device) const;
  std::vector<StableName> StableNames() const;

 private:
  std::string Under(const std::string& absolute) const;
  bool FindUsbAdapter(const std::string& device, UsbAdapter& out) const;

  std::string root_;
};

// "Com 1 — /dev/ttyUSB0, FT232R USB UART"; a missing device gets no adapter part.
std::string PortCaption(const PortStatus& port);

}  // namespace korvan
