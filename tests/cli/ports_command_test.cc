#include "cli/ports_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "fake_device_tree.h"

namespace korvan {
namespace {
namespace fs = std::filesystem;

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
  auto tree = std::make_unique<FakeDeviceTree>(fs::temp_directory_path() /
                                               ("korvan-ports-cmd-" + std::to_string(getpid())));
  tree->PlugUsb("ttyUSB0");
  tree->AddOnBoard("ttyS0");
  const std::string root = tree->root().string();
  const std::string by_id =
      "/dev/serial/by-id/" + FakeDeviceTree::ById("FT232R USB UART", "A50285BI");

  const std::string text = Printed(PortMap(), PortDiscovery(root));
  for (const std::string& line : std::vector<std::string>{
           "Com 1 \u2014 /dev/ttyUSB0, FT232R USB UART [0403:6001 serial A50285BI]\n",
           "Com 2 \u2014 /dev/ttyUSB1 (not plugged in)\n",
           "Com 15 \u2014 /dev/ttyS0\n",
           "  " + by_id + " -> /dev/ttyUSB0\n",
       }) {
    EXPECT_NE(text.find(line), std::string::npos) << line << text;
  }
  EXPECT_NE(text.find("[PORTS] section of /home/t/.config/korvan-station/settings"),
            std::string::npos);
  tree.reset();

  // Without any adapter the list still names every port and says there are no stable names.
  const std::string empty = Printed(PortMap(), PortDiscovery(root));
  EXPECT_NE(empty.find("Com 20 \u2014 /dev/ttyS5 (not plugged in)\n"), std::string::npos) << empty;
  EXPECT_NE(empty.find("No stable names under /dev/serial/by-id.\n"), std::string::npos);
}

}  // namespace
}  // namespace korvan
