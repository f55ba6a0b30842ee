#include "link/port_discovery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fake_device_tree.h"

namespace korvan {
namespace {
namespace fs = std::filesystem;

// A machine with an FTDI adapter on ttyUSB0, a plain on-board ttyS0 and a by-id link to the
// adapter.
class FakeMachine : public ::testing::Test {
 protected:
  FakeMachine()
      : tree_(fs::temp_directory_path() /
              ("korvan-ports-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        root_(tree_.root()) {
    tree_.PlugUsb("ttyUSB0");
    tree_.AddOnBoard("ttyS0");
  }

  FakeDeviceTree tree_;
  fs::path root_;
};

TEST_F(FakeMachine, TellsUsbAdapterPlainPortAndMissingDeviceApart) {
  const PortDiscovery discovery(root_.string());
  struct Case {
    std::string device;
    bool present;
    bool usb;
    std::string caption;
  };
  const Case cases[] = {
      {"/dev/ttyUSB0", true, true, "Com 3 \u2014 /dev/ttyUSB0, FT232R USB UART"},
      {"/dev/ttyS0", true, false, "Com 3 \u2014 /dev/ttyS0"},
      {"/dev/ttyUSB1", false, false, "Com 3 \u2014 /dev/ttyUSB1"},
      {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", true, true,
       "Com 3 \u2014 /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0, "
       "FT232R USB UART"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device);
    const PortStatus port = discovery.Probe(3, c.device);
    EXPECT_EQ(port.present, c.present);
    EXPECT_EQ(port.is_usb, c.usb);
    EXPECT_EQ(PortCaption(port), c.caption);
  }
  const PortStatus usb = discovery.Probe(1, "/dev/ttyUSB0");
  EXPECT_EQ(usb.usb.vendor_id, "0403");
  EXPECT_EQ(usb.usb.product_id, "6001");
  EXPECT_EQ(usb.usb.manufacturer, "FTDI");
  EXPECT_EQ(usb.usb.serial, "A50285BI");
}

TEST_F(FakeMachine, ScanFollowsThePortMapAndItsSettings) {
  PortMap map;
  map.SetDevice(4, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
  const auto ports = PortDiscovery(root_.string()).Scan(map);
  ASSERT_EQ(ports.size(), static_cast<std::size_t>(kPortCount));
  EXPECT_TRUE(ports[0].present);   // Com 1: ttyUSB0
  EXPECT_FALSE(ports[1].present);  // Com 2: ttyUSB1 is not plugged in
  EXPECT_TRUE(ports[4].is_usb);    // Com 5: the by-id name from [PORTS]
  EXPECT_EQ(ports[4].number, 5);
  EXPECT_TRUE(ports[14].present);  // Com 15: ttyS0
  EXPECT_FALSE(ports[14].is_usb);
}

TEST_F(FakeMachine, ListsStableNamesWithTheirTty) {
  const auto names = PortDiscovery(root_.string()).StableNames();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].path, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
  EXPECT_EQ(names[0].target, "/dev/ttyUSB0");
}

TEST_F(FakeMachine, AdapterWithoutNamesFallsBackToItsIds) {
  fs::remove(tree_.UsbDevice("1-2") / "product");
  fs::remove(tree_.UsbDevice("1-2") / "manufacturer");
  const PortStatus port = PortDiscovery(root_.string()).Probe(1, "/dev/ttyUSB0");
  EXPECT_EQ(PortCaption(port), "Com 1 \u2014 /dev/ttyUSB0, USB 0403:6001");
}

TEST(PortDiscoveryTest, EmptyMachineHasNoPortsAndNoStableNames) {
  const fs::path root = fs::temp_directory_path() / "korvan-ports-empty";
  fs::create_directories(root);
  const PortDiscovery discovery(root.string());
  EXPECT_TRUE(discovery.StableNames().empty());
  for (const PortStatus& port : discovery.Scan(PortMap())) EXPECT_FALSE(port.present);
  fs::remove_all(root);
}

}  // namespace
}  // namespace korvan
