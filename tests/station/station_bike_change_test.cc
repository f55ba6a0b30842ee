// A set of another bike reaching the station by any way — a read, a file, undo and redo, the image
// dump of the last run — shows what that set means on every injection page, and an edit cycle
// with nothing typed leaves every byte where it was.
#include <gtest/gtest.h>

#include <fstream>

#include "files/image_dump.h"
#include "files/parameter_file.h"
#include "model/default_set.h"
#include "station_fixture.h"

namespace korvan {
namespace {

constexpr int kInjectionPages[] = {kPageInj1A, kPageInj2A, kPageInj3A, kPageInj4A, kPageInjIap};

class StationBikeChangeTest : public ::testing::Test, public StationFixture {
 protected:
  // A default set keeps every injection map at its base time: each cell shows 100 %.
  void ExpectEveryInjectionCellAtAHundredPercent(const char* how) {
    for (const int page : kInjectionPages) {
      station->PageControl1Change(page);
      for (int cell = 0; cell < 150; ++cell) {
        ASSERT_EQ(C("MapCell" + std::to_string(cell)).value, 100)
            << how << ", page " << page << ", cell " << cell;
      }
    }
  }
  // Enter in a cell without typing anything: gather, rules, refresh, recorder.
  void ExpectUntouchedEditCyclesChangeNothing(const char* how) {
    for (const int page : kInjectionPages) {
      station->PageControl1Change(page);
      const ParameterImage before = station->image();
      station->FormKeyPressEnter();
      ASSERT_EQ(station->image(), before) << how << ", page " << page;
    }
  }
};

TEST_F(StationBikeChangeTest, ReadOfAUnitOfAnotherBike) {
  for (const int code : {0, 8, 26, 7, 47, 60}) {
    unit.LoadImage(DefaultParameterSet(code));
    Station& s = Start();
    ASSERT_EQ(s.image().Byte(0), 11);
    s.MenuReadClick();
    RunUntilIdle();
    ASSERT_EQ(s.image().Byte(0), code);
    ASSERT_EQ(C("LabelHlaseni").text, "Verify: OK") << "bike " << code;
    const std::string how = "read of bike " + std::to_string(code);
    ExpectEveryInjectionCellAtAHundredPercent(how.c_str());
    ExpectUntouchedEditCyclesChangeNothing(how.c_str());
  }
}

TEST_F(StationBikeChangeTest, OpenUndoAndRedoAcrossABikeChange) {
  const std::string path = (dir / "bike8.ign").string();
  ASSERT_TRUE(SaveParameterFile(path, DefaultParameterSet(8)).ok());
  Station& s = Start();
  s.PageControl1Change(kPageInj1A);
  desktop.open_path = path;
  s.MenuOpenClick();
  ASSERT_EQ(s.image().Byte(0), 8);
  ExpectEveryInjectionCellAtAHundredPercent("open of bike 8");

  s.SpeedButtonZpetClick();
  ASSERT_EQ(s.image().Byte(0), 11);
  ExpectEveryInjectionCellAtAHundredPercent("undo back to bike 11");
  ExpectUntouchedEditCyclesChangeNothing("undo back to bike 11");

  s.SpeedButtonZnovuClick();
  ASSERT_EQ(s.image().Byte(0), 8);
  ExpectEveryInjectionCellAtAHundredPercent("redo to bike 8");
  ExpectUntouchedEditCyclesChangeNothing("redo to bike 8");
}

TEST_F(StationBikeChangeTest, ImageDumpOfAnotherBike) {
  {
    std::ofstream(Paths().image_dump, std::ios::binary)
        << FormatImageDump(DefaultParameterSet(26), ToolModes{});
  }
  Station& s = Start();
  ASSERT_EQ(s.image().Byte(0), 26);
  ExpectEveryInjectionCellAtAHundredPercent("dump of bike 26");
  ExpectUntouchedEditCyclesChangeNothing("dump of bike 26");
}

// A file of another program version whose bike code this station has no data for: the code and
// the file's sections are taken as they stand, and what is saved or programmed carries that code.
TEST_F(StationBikeChangeTest, FileWithABikeCodeOfAnotherProgramVersion) {
  ParameterImage other = DefaultParameterSet(11);
  other.SetByte(0, 60);
  other.SetByte(35, 97);  // COOLING
  const std::string path = (dir / "other.ign").string();
  ASSERT_TRUE(SaveParameterFile(path, other).ok());
  Station& s = Start();
  desktop.open_path = path;
  s.MenuOpenClick();
  // The file opens without complaint; the bike page on display says it knows no such bike.
  EXPECT_EQ(desktop.messages,
            std::vector<std::string>{"This version of program Korvan_Max_Power.exe is not for "
                                     "required bike!"});
  EXPECT_EQ(s.image().Byte(0), 60);
  EXPECT_EQ(s.image().Byte(35), 97);
  ExpectUntouchedEditCyclesChangeNothing("bike 60");

  s.MenuProgramClick();
  RunUntilIdle();
  EXPECT_EQ(C("LabelHlaseni").text, "Program device: OK");
  EXPECT_EQ(unit.Image().Byte(0), 60);
}

}  // namespace
}  // namespace korvan
