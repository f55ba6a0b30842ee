#include "settings/port_settings.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(PortSettingsTest, PortsSectionChangesOnlyThePortsItNames) {
  PortMap map;
  ApplyPortSection(
      "[BASIC]\nCom4=/dev/not-this\n[PORTS]\nCom5=/dev/ttyACM7\r\ncom6 = /dev/serial/by-id/x\n"
      "Com21=/dev/too-far\nCom7=\n[OTHER]\nCom8=/dev/nor-this\n",
      map);
  EXPECT_EQ(map.Device(4), "/dev/ttyACM7");
  EXPECT_EQ(map.Device(5), "/dev/serial/by-id/x");
  EXPECT_EQ(map.Device(3), PortMap::DefaultDevice(3));
  EXPECT_EQ(map.Device(6), PortMap::DefaultDevice(6));  // an empty value keeps the default
  EXPECT_EQ(map.Device(7), PortMap::DefaultDevice(7));
}

TEST(PortSettingsTest, PortNumbersAsTunersWriteThem) {
  struct Case {
    const char* text;
    std::optional<int> number;
  };
  for (const Case c : {Case{"5", 5}, Case{"Com 5", 5}, Case{"COM20", 20}, Case{" com1 ", 1},
                       Case{"0", std::nullopt}, Case{"21", std::nullopt}, Case{"Com", std::nullopt},
                       Case{"/dev/ttyUSB0", std::nullopt}, Case{"5a", std::nullopt}}) {
    EXPECT_EQ(ParsePortNumber(c.text), c.number) << c.text;
  }
}

}  // namespace
}  // namespace korvan
