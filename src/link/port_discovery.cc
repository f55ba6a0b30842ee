#include "link/port_discovery.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace korvan {
namespace fs = std::filesystem;

namespace {

std::string ReadAttribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) {
    line.pop_back();
  }
  return line;
}

}  // namespace

std::string UsbAdapter::Label() const {
  if (!product.empty()) return product;
  if (!manufacturer.empty()) return manufacturer;
  return "USB " + vendor_id + ":" + product_id;
}

PortDiscovery::PortDiscovery(std::string root) : root_(std::move(root)) {
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

std::string PortDiscovery::Under(const std::string& absolute) const {
  if (root_ == "/" || root_.empty()) return absolute;
  if (!absolute.empty() && absolute.front() == '/') return root_ + absolute;
  return root_ + "/" + absolute;
}

bool PortDiscovery::FindUsbAdapter(const std::string& device, UsbAdapter& out) const {
  std::error_code ec;
  // A by-id name is a link to the tty itself; sysfs knows the tty by its own name.
  fs::path tty = fs::path(device);
  const fs::path real = Under(device);
  if (fs::is_symlink(real, ec)) {
    const fs::path target = fs::read_symlink(real, ec);
    if (!ec) tty = target;
  }
  const std::string name = tty.filename().string();
  if (name.empty()) return false;
  fs::path dir = Under("/sys/class/tty/" + name + "/device");
  dir = fs::canonical(dir, ec);
  if (ec) return false;
  // The tty's device is the USB interface (or the serial converter below it); the USB device
  // that carries idVendor lies a level or two up.
  const fs::path stop = fs::path(Under("/sys"));
  for (int depth = 0; depth < 6 && !dir.empty() && dir != dir.parent_path(); ++depth) {
    if (fs::exists(dir / "idVendor", ec)) {
      out.vendor_id = ReadAttribute(dir / "idVendor");
      out.product_id = ReadAttribute(dir / "idProduct");
      out.manufacturer = ReadAttribute(dir / "manufacturer");
      out.product = ReadAttribute(dir / "product");
      out.serial = ReadAttribute(dir / "serial");
      return true;
    }
    if (dir == stop) break;
    dir = dir.parent_path();
  }
  return false;
}

PortStatus PortDiscovery::Probe(int number, const std::string& device) const {
  PortStatus port;
  port.number = number;
  port.device = device;
  std::error_code ec;
  port.present = fs::exists(Under(device), ec);
  if (port.present) port.is_usb = FindUsbAdapter(device, port.usb);
  return port;
}

std::vector<PortStatus> PortDiscovery::Scan(const PortMap& map) const {
  std::vector<PortStatus> ports;
  ports.reserve(kPortCount);
  for (int i = 0; i < kPortCount; ++i) ports.push_back(Probe(i + 1, map.Device(i)));
  return ports;
}

std::vector<StableName> PortDiscovery::StableNames() const {
  std::vector<StableName> names;
  std::error_code ec;
  const fs::path dir = Under("/dev/serial/by-id");
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    StableName name;
    name.path = "/dev/serial/by-id/" + it->path().filename().string();
    std::error_code link_ec;
    const fs::path target = fs::read_symlink(it->path(), link_ec);
    if (link_ec) continue;
    // Links read "../../ttyUSB0"; the tty itself lives in /dev.
    name.target = target.is_absolute() ? target.string() : "/dev/" + target.filename().string();
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(),
            [](const StableName& a, const StableName& b) { return a.path < b.path; });
  return names;
}

std::string PortCaption(const PortStatus& port) {
  std::string caption = "Com " + std::to_string(port.number) + " \u2014 " + port.device;
  if (port.present && port.is_usb) caption += ", " + port.usb.Label();
  return caption;
}

}  // namespace korvan
