#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "device/device_texts.h"
#include "fake_device_tree.h"
#include "file_text.h"
#include "station_fixture.h"
#include "texts/messages.h"

namespace korvan {
namespace {
namespace fs = std::filesystem;

const std::string kById =
    "/dev/serial/by-id/" + FakeDeviceTree::ById("FT232R USB UART", "A50285BI");

// A station whose Com menu looks at a fake machine: an FTDI adapter on ttyUSB0 and an on-board
// ttyS0.
class StationPortsTest : public ::testing::Test {
 protected:
  StationPortsTest() : tree_(f_.dir / "machine") {
    tree_.PlugUsb("ttyUSB0");
    tree_.AddOnBoard("ttyS0");
    f_.device_root = tree_.root().string();
  }

  const Control& Item(const std::string& name) const { return f_.C(name); }
  const Link& link() { return f_.station->device().link(); }
  // A second run of the station over the same settings file.
  Station& Restart() {
    f_.station->FormClose();
    return f_.Start();
  }

  StationFixture f_;
  FakeDeviceTree tree_;
};

TEST_F(StationPortsTest, MenuShowsDeviceAndAdapterAndGreysAbsentPorts) {
  f_.Start();
  struct Case {
    std::string item;
    std::string caption;
    bool enabled;
  };
  const Case cases[] = {
      {"MenuCom1", "Com 1 \u2014 /dev/ttyUSB0, FT232R USB UART", true},
      {"MenuCom2", "Com 2 \u2014 /dev/ttyUSB1", false},
      {"MenuCom11", "Com 11 \u2014 /dev/ttyACM0", false},
      {"MenuCom15", "Com 15 \u2014 /dev/ttyS0", true},
      {"MenuCom16", "Com 16 \u2014 /dev/ttyS1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    EXPECT_EQ(Item(c.item).text, c.caption);
    EXPECT_EQ(Item(c.item).enabled, c.enabled);
  }
  EXPECT_TRUE(Item("MenuCom1").checked);
  EXPECT_TRUE(Item("MenuComById1").visible);
  EXPECT_EQ(Item("MenuComById1").text, kById + " \u2014 /dev/ttyUSB0");
  EXPECT_FALSE(Item("MenuComById2").visible);
  // Device names are no words: another language keeps them.
  f_.station->MenuGermanClick();
  EXPECT_EQ(Item("MenuCom1").text, "Com 1 \u2014 /dev/ttyUSB0, FT232R USB UART");
  EXPECT_FALSE(Item("MenuCom2").enabled);

  // The port in use stays reachable even where nothing is plugged in.
  f_.station->MenuCom1Click(2);
  EXPECT_TRUE(Item("MenuCom3").checked);
  EXPECT_TRUE(Item("MenuCom3").enabled);
  EXPECT_FALSE(Item("MenuCom1").checked);
}

TEST_F(StationPortsTest, PluggedAndPulledAdaptersShowWithoutRestart) {
  f_.Start();
  ASSERT_FALSE(Item("MenuCom2").enabled);

  tree_.PlugUsb("ttyUSB1", "1-3", "USB-Serial Controller", "X1");
  f_.Tick(20);  // a little over a second
  EXPECT_TRUE(Item("MenuCom2").enabled);
  EXPECT_EQ(Item("MenuCom2").text, "Com 2 \u2014 /dev/ttyUSB1, USB-Serial Controller");
  EXPECT_TRUE(Item("MenuComById2").visible);

  tree_.Unplug("ttyUSB1");
  f_.station->MenuComPopup();  // opening the menu looks at once
  EXPECT_FALSE(Item("MenuCom2").enabled);
  EXPECT_EQ(Item("MenuCom2").text, "Com 2 \u2014 /dev/ttyUSB1");
  EXPECT_FALSE(Item("MenuComById2").visible);
}

TEST_F(StationPortsTest, TheAdapterOfThePortInUseIsOpenedAsSoonAsItIsPluggedIn) {
  tree_.Unplug("ttyUSB0");
  f_.port.set_present(false);
  f_.Start();
  ASSERT_FALSE(f_.port.IsOpen());
  ASSERT_EQ(f_.desktop.messages.size(), 1u);  // "Com opening error!" at start

  tree_.PlugUsb("ttyUSB0");
  f_.port.set_present(true);
  f_.Tick(20);  // a little over a second, long before the connection watchdog would try
  EXPECT_TRUE(f_.port.IsOpen());
  EXPECT_EQ(f_.port.last_device(), "/dev/ttyUSB0");
  EXPECT_EQ(f_.desktop.messages.size(), 1u);  // quietly
}

TEST_F(StationPortsTest, APulledAdapterIsLetGoAndTakenBackWhenItReturns) {
  f_.Start();
  ASSERT_TRUE(f_.port.IsOpen());
  const int opens = f_.port.open_count();

  tree_.Unplug("ttyUSB0");
  f_.port.set_present(false);
  f_.Tick(20);
  EXPECT_FALSE(f_.port.IsOpen());  // the tty's name is free for the adapter's return

  tree_.PlugUsb("ttyUSB0");
  f_.port.set_present(true);
  f_.Tick(20);
  EXPECT_TRUE(f_.port.IsOpen());
  EXPECT_EQ(f_.port.open_count(), opens + 1);
  EXPECT_TRUE(f_.desktop.messages.empty());

  // A device the machine's tree does not show (the demo's pseudo-terminal) is never let go.
  Link& link = f_.station->device().link();
  link.SetDeviceOverride("/dev/pts/7");
  f_.station->MenuComDeviceClick();
  ASSERT_TRUE(f_.port.IsOpen());
  tree_.PlugUsb("ttyUSB1", "1-3", "FT232R USB UART", "B1");
  f_.Tick(20);
  EXPECT_TRUE(f_.port.IsOpen());
  EXPECT_EQ(f_.port.last_device(), "/dev/pts/7");
}

TEST_F(StationPortsTest, PickedStableNameIsUsedKeptAndDroppedWhenAPortIsPicked) {
  f_.Start();
  f_.station->MenuComByIdClick(0);
  EXPECT_EQ(link().CurrentDevice(), kById);
  EXPECT_TRUE(Item("MenuComById1").checked);
  EXPECT_FALSE(Item("MenuCom1").checked);

  // Kept for the next start; while its adapter is pulled it stays in the menu, checked.
  tree_.Unplug("ttyUSB0");
  Restart();
  EXPECT_EQ(link().CurrentDevice(), kById);
  EXPECT_TRUE(Item("MenuComById1").visible);
  EXPECT_TRUE(Item("MenuComById1").checked);
  EXPECT_EQ(Item("MenuComById1").text, kById);

  f_.station->MenuCom1Click(3);
  EXPECT_EQ(link().CurrentDevice(), "/dev/ttyUSB3");
  EXPECT_FALSE(Item("MenuComById1").visible);
  Restart();
  EXPECT_EQ(link().CurrentDevice(), "/dev/ttyUSB3");
}

TEST_F(StationPortsTest, PortsSectionOfTheSettingsMovesAPort) {
  WriteWhole(f_.dir / "Korvan_2007_v68ini", "[PORTS]\nCom5=" + kById + "\n");
  f_.Start();
  EXPECT_EQ(Item("MenuCom5").text, "Com 5 \u2014 " + kById + ", FT232R USB UART");
  EXPECT_TRUE(Item("MenuCom5").enabled);
  f_.station->MenuCom1Click(4);
  EXPECT_EQ(link().CurrentDevice(), kById);
}

TEST(StationPortsPlainTest, WithoutADeviceTreeTheMenuIsThePlainPortNumbers) {
  StationFixture f;
  f.Start();
  EXPECT_EQ(f.C("MenuCom2").text, "Com 2");
  EXPECT_TRUE(f.C("MenuCom2").enabled);
  EXPECT_FALSE(f.C("MenuComById1").visible);
}

TEST(StationPortsPlainTest, TheReasonAPortWillNotOpenIsInTheSameBox) {
  StationFixture f;
  f.Start();
  f.desktop.messages.clear();
  struct Case {
    PortOpenReport report;
    std::string shown;
  };
  const Case cases[] = {
      {{MessageKey::kMsgComOpenError, MessageKey::kMsgComPermissionDenied, "/dev/ttyUSB4", 5, {}},
       "Com opening error!\nCom 5 \u2014 /dev/ttyUSB4: permission denied: add your user to the "
       "dialout group"},
      {{MessageKey::kMsgComOpenError, std::nullopt, "/dev/pts/3", 0, {}},
       "Com opening error!\n/dev/pts/3"},
      {{MessageKey::kMsgComOpenError, MessageKey::kMsgComBusy, "/dev/ttyUSB0", 1,
        LineHolder{4711, "minicom"}},
       "Com opening error!\nCom 1 \u2014 /dev/ttyUSB0: port busy: another program is using it\n"
       "held by process 4711 (minicom)"},
      {{MessageKey::kMsgComOpenError, MessageKey::kMsgComBusy, "/dev/ttyUSB0", 1,
        LineHolder{4711, ""}},
       "Com opening error!\nCom 1 \u2014 /dev/ttyUSB0: port busy: another program is using it\n"
       "held by process 4711"},
  };
  for (const Case& c : cases) {
    f.station->ShowLinkMessage(c.report);
    EXPECT_EQ(f.desktop.messages.back(), c.shown);
  }
  EXPECT_EQ(f.desktop.messages.size(), std::size(cases));
}

TEST(StationPortsPlainTest, TheHolderOfABusyLineIsNamedInEveryLanguage) {
  const PortOpenReport report{MessageKey::kMsgComOpenError, MessageKey::kMsgComBusy, "/dev/ttyUSB0",
                              1, LineHolder{4711, "minicom"}};
  for (const Language language :
       {Language::kEnglish, Language::kGerman, Language::kFrench, Language::kCzech}) {
    const std::string text = PortOpenReportText(report, language);
    EXPECT_NE(text.find(std::string(MessageText(MessageKey::kMsgComBusy, language))),
              std::string::npos);
    EXPECT_NE(text.find("4711 (minicom)"), std::string::npos) << text;
    EXPECT_EQ(text.find("{process}"), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace korvan
