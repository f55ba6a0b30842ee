// The user's latest action wins over a read under way: an edit, a file, New, undo or redo ends
// the read first (the image stays the user's set and the status line says the read did not
// complete), then takes effect; closing the window during a read keeps the user's set.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "files/image_dump.h"
#include "files/parameter_file.h"
#include "image/map_storage.h"
#include "model/default_set.h"
#include "station_fixture.h"

namespace korvan {
namespace {

class StationReadTest : public ::testing::Test, public StationFixture {
 protected:
  // Starts the station on bike 11, lets the unit (bike 0) deliver a few blocks of a read.
  Station& StartReadHalfWay() {
    unit.LoadImage(DefaultParameterSet(0));
    Station& s = Start();
    s.MenuReadClick();
    while (s.session().state() == SessionState::kRead && s.session().current_block() < 6) Tick();
    EXPECT_EQ(s.session().state(), SessionState::kRead);
    return s;
  }
  void ExpectReadEnded() {
    EXPECT_EQ(station->session().state(), SessionState::kIdle);
    EXPECT_EQ(C("LabelHlaseni").text, "Read interrupted!");
    EXPECT_TRUE(C("LabelHlaseni").visible);
    EXPECT_EQ(C("LabelHlaseni").color, 0xFF0000u);
    // Nothing the unit still sends for the read reaches the image.
    const ParameterImage now = station->image();
    Tick(40);
    EXPECT_EQ(station->image(), now);
  }
};

TEST_F(StationReadTest, AnEditEndsTheReadAndIsKept) {
  Station& s = StartReadHalfWay();
  const ParameterImage before = s.image();
  s.PageControl1Change(kPageAdvance);
  s.controls().SetValue(H("MapCell0"), 33);
  s.FormKeyPressEnter();
  EXPECT_EQ(s.image().Byte(CellOffset(MapId::kAdvance, 0)), 33);
  EXPECT_EQ(s.image().Byte(0), 11);
  ExpectReadEnded();
  EXPECT_EQ(s.image().Byte(CellOffset(MapId::kAdvance, 0)), 33);
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.image(), before);
}

// "Read interrupted!" stays its full time counted from when it appeared, however long the read
// ran before: a slow unit's read ended late must not take the text away at once.
TEST_F(StationReadTest, ReadInterruptedStaysItsTimeFromWhenItAppears) {
  unit.LoadImage(DefaultParameterSet(0));
  unit.fault().late_ticks = 4;  // about five ticks a block: the read runs some hundred ticks
  Station& s = Start();
  s.MenuReadClick();
  Tick(60);
  ASSERT_EQ(s.session().state(), SessionState::kRead);
  s.PageControl1Change(kPageAdvance);
  s.controls().SetValue(H("MapCell0"), 33);
  s.FormKeyPressEnter();
  ASSERT_EQ(C("LabelHlaseni").text, "Read interrupted!");
  Tick(TransferSession::kStatusTicks - 1);
  EXPECT_TRUE(C("LabelHlaseni").visible);
  EXPECT_EQ(C("LabelHlaseni").text, "Read interrupted!");
  Tick(1);
  EXPECT_FALSE(C("LabelHlaseni").visible);
}

TEST_F(StationReadTest, EachUserActionEndsTheReadThenTakesEffect) {
  const std::string path = (dir / "bike8.ign").string();
  ASSERT_TRUE(SaveParameterFile(path, DefaultParameterSet(8)).ok());
  struct Case {
    const char* name;
    std::function<void(Station&)> act;
    int bike_after;  // image byte 0 once the action took effect
  };
  const Case cases[] = {
      {"open",
       [&](Station& s) {
         desktop.open_path = path;
         s.MenuOpenClick();
       },
       8},
      {"new", [](Station& s) { s.MenuNewClick(); }, 11},
      {"plus with all",
       [&](Station& s) {
         s.PageControl1Change(kPageAdvance);
         s.controls().SetChecked(H("CheckBoxAll_Uni"), true);
         s.CheckBoxMouseUp();
         s.MenuToolsPlusClick();
       },
       11},
      {"no reading box",
       [&](Station& s) {
         s.controls().SetChecked(H("CheckBoxZakazCteni"), true);
         s.CheckBoxZakazCteniClick();
       },
       11},
  };
  for (const Case& c : cases) {
    Station& s = StartReadHalfWay();
    c.act(s);
    EXPECT_EQ(s.image().Byte(0), c.bike_after) << c.name;
    ExpectReadEnded();
    EXPECT_EQ(s.image().Byte(0), c.bike_after) << c.name;
  }
}

TEST_F(StationReadTest, OpenDuringAReadKeepsTheFileAndItsName) {
  const std::string path = (dir / "bike8.ign").string();
  ASSERT_TRUE(SaveParameterFile(path, DefaultParameterSet(8)).ok());
  Station& s = StartReadHalfWay();
  desktop.open_path = path;
  s.MenuOpenClick();
  ExpectReadEnded();
  EXPECT_EQ(s.image().Byte(0), 8);
  EXPECT_EQ(s.file_label(), path);
}

TEST_F(StationReadTest, UndoDuringAReadUndoesTheUsersLastStep) {
  unit.LoadImage(DefaultParameterSet(0));
  Station& s = Start();
  const ParameterImage start = s.image();
  s.image().SetByte(2000, 1);
  s.RecordChange();
  s.MenuReadClick();
  Tick(20);
  ASSERT_EQ(s.session().state(), SessionState::kRead);
  s.SpeedButtonZpetClick();
  ExpectReadEnded();
  EXPECT_EQ(s.image(), start);
  s.SpeedButtonZnovuClick();
  EXPECT_EQ(s.image().Byte(2000), 1);
}

TEST_F(StationReadTest, FileNameStaysUntilTheUnitsSetHasArrived) {
  const std::string path = (dir / "mine.ign").string();
  ASSERT_TRUE(SaveParameterFile(path, DefaultParameterSet(11)).ok());
  unit.LoadImage(DefaultParameterSet(0));
  Station& s = Start();
  desktop.open_path = path;
  s.MenuOpenClick();
  s.MenuReadClick();
  Tick(20);
  EXPECT_EQ(s.file_label(), path);  // the image still is that file's set
  RunUntilIdle();
  EXPECT_EQ(s.image().Byte(0), 0);
  EXPECT_EQ(s.file_label(), "");
}

TEST_F(StationReadTest, ClosingDuringAReadKeepsTheUsersSetInTheDump) {
  Station& s = StartReadHalfWay();
  const ParameterImage before = s.image();
  s.FormClose();
  std::ifstream in(Paths().image_dump, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  ParameterImage dumped;
  ToolModes modes{};
  ParseImageDump(text.str(), dumped, modes);
  EXPECT_EQ(dumped, before);
}

}  // namespace
}  // namespace korvan
