// The Com menu when the run was given its own device (the demo's emulator, --port DEVICE).
#include <QAction>
#include <QMenu>

#include "fake_device_tree.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

constexpr char kDevice[] = "/dev/pts/7";

class PortMenuTest : public WindowFixture {
 protected:
  void SetUp() override {
    device_override_ = kDevice;
    WindowFixture::SetUp();
  }
  QAction* Item(const char* name) { return window_->findChild<QAction*>(name); }
  std::vector<std::string> CheckedItems() {
    std::vector<std::string> checked;
    for (QAction* a : window_->findChild<QMenu*>("MenuCom")->actions()) {
      if (a->isChecked()) checked.push_back(a->objectName().toStdString());
    }
    return checked;
  }
};

TEST_F(PortMenuTest, TheDeviceInUseIsNamedAndCheckedAndCanBeReturnedTo) {
  QAction* device = Item("MenuComDevice");
  ASSERT_NE(device, nullptr);
  EXPECT_TRUE(device->isVisible());
  EXPECT_EQ(device->text(), kDevice);
  EXPECT_EQ(CheckedItems(), std::vector<std::string>{"MenuComDevice"});
  EXPECT_EQ(port_.last_device(), kDevice);

  Item("MenuCom3")->trigger();
  EXPECT_EQ(CheckedItems(), std::vector<std::string>{"MenuCom3"});
  EXPECT_NE(port_.last_device(), kDevice);
  EXPECT_TRUE(device->isVisible());  // still there to go back to

  device->trigger();
  EXPECT_EQ(CheckedItems(), std::vector<std::string>{"MenuComDevice"});
  EXPECT_EQ(port_.last_device(), kDevice);
  // And the unit answers there again.
  Tick(12);
  EXPECT_FALSE(Widget("LabelSpojeni")->isVisible());
}

TEST_F(WindowFixture, WithoutAGivenDeviceTheComMenuShowsOnlyThePorts) {
  QAction* device = window_->findChild<QAction*>("MenuComDevice");
  ASSERT_NE(device, nullptr);
  EXPECT_FALSE(device->isVisible());
  EXPECT_TRUE(window_->findChild<QAction*>("MenuCom1")->isChecked());
}

// A machine with an FTDI adapter on ttyUSB0; another one is plugged in while the window runs.
class DiscoveredPortMenuTest : public WindowFixture {
 protected:
  void SetUp() override {
    tree_.PlugUsb("ttyUSB0");
    device_root_ = tree_.root().string();
    WindowFixture::SetUp();
  }
  QAction* Item(const char* name) { return window_->findChild<QAction*>(name); }
  // Opens the Com menu as a click on the menu bar does, and closes it again.
  void OpenComMenu() {
    QMenu* menu = window_->findChild<QMenu*>("MenuCom");
    menu->popup(window_->mapToGlobal(QPoint(0, 0)));
    QApplication::processEvents();
    menu->hide();
  }

  FakeDeviceTree tree_{std::filesystem::path(::testing::TempDir()) /
                       ("korvan_window_machine_" + std::to_string(getpid()))};
};

TEST_F(DiscoveredPortMenuTest, OpeningTheMenuShowsAnAdapterPluggedInMeanwhile) {
  EXPECT_EQ(Item("MenuCom1")->text().toStdString(), "Com 1 \u2014 /dev/ttyUSB0, FT232R USB UART");
  EXPECT_TRUE(Item("MenuCom1")->isEnabled());
  EXPECT_FALSE(Item("MenuCom2")->isEnabled());
  EXPECT_TRUE(Item("MenuComById1")->isVisible());
  EXPECT_FALSE(Item("MenuComById2")->isVisible());

  tree_.PlugUsb("ttyUSB1", "1-3", "CP2102 USB to UART Bridge Controller", "0001");
  OpenComMenu();
  EXPECT_TRUE(Item("MenuCom2")->isEnabled());
  EXPECT_EQ(Item("MenuCom2")->text().toStdString(),
            "Com 2 \u2014 /dev/ttyUSB1, CP2102 USB to UART Bridge Controller");
  EXPECT_TRUE(Item("MenuComById2")->isVisible());

  // Picking a stable name opens the device by that name.
  Item("MenuComById1")->trigger();
  EXPECT_TRUE(Item("MenuComById1")->isChecked());
  EXPECT_FALSE(Item("MenuCom1")->isChecked());
  EXPECT_EQ(port_.last_device().rfind("/dev/serial/by-id/", 0), 0u) << port_.last_device();
}

}  // namespace
}  // namespace korvan::ui
