#include "shell/ports_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace korvan {
namespace {
namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

std::string Printed(const PortMap& map, const PortDiscovery& discovery) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  PrintPortList(map, discovery, "/home/t/.config/korvan-station/settings", out);
  std::fclose(out);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

TEST(PortsCommandTest, ListsAdapterMissingPortsAndStableNames) {
  const fs::path root = fs::temp_directory_path() / ("korvan-ports-cmd-" + std::to_string(getpid()));
  fs::remove_all(root);
  Write(root / "dev/ttyUSB0", "");
  const fs::path usb = root / "sys/devices/usb1/1-1";
  Write(usb / "idVendor", "0403\n");
  Write(usb / "idProduct", "6001\n");
  Write(usb / "product", "FT232R USB UART\n");
  Write(usb / "serial", "A50285BI\n");
  fs::create_directories(usb / "1-1:1.0");
  fs::create_directories(root / "sys/class/tty/ttyUSB0");
  fs::create_directory_symlink(usb / "1-1:1.0", root / "sys/class/tty/ttyUSB0/device");
  fs::create_directories(root / "dev/serial/by-id");
  fs::create_symlink("../../ttyUSB0", root / "dev/serial/by-id/usb-FTDI_A50285BI-if00-port0");

  const std::string text = Printed(PortMap(), PortDiscovery(root.string()));
  EXPECT_NE(text.find("Com 1   /dev/ttyUSB0           FT232R USB UART [0403:6001 serial A50285BI]\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Com 2   /dev/ttyUSB1           not plugged in\n"), std::string::npos);
  EXPECT_NE(text.find("  /dev/serial/by-id/usb-FTDI_A50285BI-if00-port0 -> /dev/ttyUSB0\n"),
            std::string::npos);
  EXPECT_NE(text.find("[PORTS] section of /home/t/.config/korvan-station/settings"),
            std::string::npos);
  fs::remove_all(root);

  // Without any adapter the list still names every port and says there are no stable names.
  const std::string empty = Printed(PortMap(), PortDiscovery(root.string()));
  EXPECT_NE(empty.find("Com 20  /dev/ttyS5             not plugged in\n"), std::string::npos)
      << empty;
  EXPECT_NE(empty.find("No stable names under /dev/serial/by-id.\n"), std::string::npos);
}

}  // namespace
}  // namespace korvan
