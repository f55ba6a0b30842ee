#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace korvan {

// A machine's /dev and /sys as the port discovery reads them, in a temporary folder: USB serial
// adapters (the USB device two sysfs levels above its tty, as the kernel lays it out, with a link
// under /dev/serial/by-id) and on-board ports. Adapters can be plugged and pulled while a test
// runs.
class FakeDeviceTree {
 public:
  explicit FakeDeviceTree(std::filesystem::path root) : root_(std::move(root)) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "dev");
    std::filesystem::create_directories(root_ / "sys/class/tty");
  }
  ~FakeDeviceTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  FakeDeviceTree(const FakeDeviceTree&) = delete;
  FakeDeviceTree& operator=(const FakeDeviceTree&) = delete;

  const std::filesystem::path& root() const { return root_; }

  // An FTDI-style adapter on /dev/<tty>; usb_port names its place on the bus ("1-2").
  void PlugUsb(const std::string& tty, const std::string& usb_port = "1-2",
               const std::string& product = "FT232R USB UART",
               const std::string& serial = "A50285BI") {
    const std::filesystem::path usb = UsbDevice(usb_port);
    Write(usb / "idVendor", "0403\n");
    Write(usb / "idProduct", "6001\n");
    Write(usb / "manufacturer", "FTDI\n");
    Write(usb / "product", product + "\n");
    Write(usb / "serial", serial + "\n");
    const std::filesystem::path iface = usb / (usb_port + ":1.0") / tty;
    std::filesystem::create_directories(iface);
    AddTty(tty, iface);
    std::filesystem::create_directories(root_ / "dev/serial/by-id");
    std::filesystem::create_symlink("../../" + tty,
                                    root_ / "dev/serial/by-id" / ById(product, serial));
  }

  // A port on the main board: a tty without a USB device above it.
  void AddOnBoard(const std::string& tty) {
    const std::filesystem::path device = root_ / "sys/devices/platform/serial8250";
    std::filesystem::create_directories(device / "tty" / tty);
    AddTty(tty, device);
  }

  // The adapter on /dev/<tty> is pulled: its device file, sysfs entry and by-id link go.
  void Unplug(const std::string& tty) {
    std::filesystem::remove(root_ / "dev" / tty);
    std::filesystem::remove_all(root_ / "sys/class/tty" / tty);
    std::error_code ec;
    const std::filesystem::path by_id = root_ / "dev/serial/by-id";
    for (std::filesystem::directory_iterator it(by_id, ec), end; !ec && it != end;
         it.increment(ec)) {
      if (std::filesystem::read_symlink(it->path()).filename() == tty) {
        std::filesystem::remove(it->path());
      }
    }
  }

  std::filesystem::path UsbDevice(const std::string& usb_port) const {
    return root_ / "sys/devices/pci0000:00/usb1" / usb_port;
  }

  // The stable name udev gives such an adapter.
  static std::string ById(std::string product, const std::string& serial) {
    std::replace(product.begin(), product.end(), ' ', '_');
    return "usb-FTDI_" + product + "_" + serial + "-if00-port0";
  }

  static void Write(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text;
  }

 private:
  void AddTty(const std::string& tty, const std::filesystem::path& device) {
    Write(root_ / "dev" / tty, "");
    std::filesystem::create_directories(root_ / "sys/class/tty" / tty);
    std::filesystem::create_directory_symlink(device, root_ / "sys/class/tty" / tty / "device");
  }

  std::filesystem::path root_;
};

}  // namespace korvan
