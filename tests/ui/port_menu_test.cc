// The Com menu when the run was given its own device (the demo's emulator, --port DEVICE).
#include <QAction>
#include <QMenu>

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

}  // namespace
}  // namespace korvan::ui
