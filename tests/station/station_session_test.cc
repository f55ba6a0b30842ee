// A whole tuning session through the station's own operations, against the emulated unit.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/parameter_file.h"
#include "image/map_storage.h"
#include "station_fixture.h"

namespace korvan {
namespace {

class StationSessionTest : public ::testing::Test, public StationFixture {
 protected:
  int Cell(int i) { return station->controls().Value(H("MapCell" + std::to_string(i))); }
  void Type(int cell, int value) {
    station->controls().UserEnterText(H("MapCell" + std::to_string(cell)), std::to_string(value));
    station->FormKeyPressEnter();
  }
  ControlHandle H(const std::string& name) const { return station->controls().Handle(name); }
};

TEST_F(StationSessionTest, TuneSaveAndProgram) {
  Station& s = Start();
  s.PageControl1Change(kPageInj1A);
  EXPECT_EQ(Cell(0), 100);

  // Type two percentages; each commit is one undo step and marks the block holding the word.
  Type(16, 120);
  Type(17, 130);
  const int word16 = s.image().Word(CellOffset(MapId::kInj1A, 16));
  EXPECT_GT(word16, 0);
  EXPECT_EQ(Cell(16), 120);
  EXPECT_TRUE(s.dirty().IsSet(BlockOfImageByte(650 + 2 * 16)));

  // Raise the whole map by one percentage point with Plus and "All".
  s.controls().SetChecked(H("CheckBoxAll_Uni"), true);
  s.CheckBoxMouseUp();
  s.MenuToolsPlusClick();
  EXPECT_EQ(Cell(0), 101);
  EXPECT_EQ(Cell(16), 121);
  EXPECT_EQ(Cell(17), 131);

  // Undo twice: the Plus and the second typed value are gone, the first stays.
  s.SpeedButtonZpetClick();
  s.SpeedButtonZpetClick();
  EXPECT_EQ(Cell(0), 100);
  EXPECT_EQ(Cell(16), 120);
  EXPECT_EQ(Cell(17), 100);
  EXPECT_EQ(s.image().Word(CellOffset(MapId::kInj1A, 16)), word16);

  // Save: the file holds what the page shows.
  const std::string path = (dir / "tuned.ign").string();
  desktop.save_path = path;
  s.MenuSaveClick();
  ParameterImage reread;
  ASSERT_TRUE(OpenParameterFile(path, reread, {}).ok());
  EXPECT_EQ(reread.Word(CellOffset(MapId::kInj1A, 16)), word16);

  // Program: identity request, all nineteen blocks, then the verify.
  port.ClearSent();
  s.MenuProgramClick();
  RunUntilIdle();
  std::vector<std::uint8_t> codes;
  for (std::uint8_t code : port.SentCodes()) {
    if (code != kMonitorRequest) codes.push_back(code);
  }
  ASSERT_EQ(codes.size(), 39u);
  EXPECT_EQ(codes.front(), 0x00);
  EXPECT_EQ(codes[19], 0x13);
  EXPECT_EQ(codes.back(), 0x53);
  EXPECT_EQ(unit.Image(), s.image());
  EXPECT_FALSE(s.dirty().Any());
  EXPECT_EQ(C("LabelHlaseni").text, "Program device: OK");
}

TEST_F(StationSessionTest, CoupledPlusTenIsLimitedAtAThousandAndAxisMovesKeepPercentages) {
  Station& s = Start();
  s.Menu_Jet123NormalClick();  // 2A is editable only while the channels are separate
  s.PageControl1Change(kPageInj2A);
  Type(5, 995);
  s.Menu_Jet123CoupledClick();
  s.PageControl1Change(kPageInj1A);
  Type(5, 110);  // 1A rises by 10: 2A's 995 stops at 1000
  s.PageControl1Change(kPageInj2A);
  EXPECT_EQ(Cell(5), 1000);
  EXPECT_EQ(Cell(6), 100);

  // Moving an axis point of a page that is not coupled keeps that column's percentages.
  s.Menu_Jet123NormalClick();
  s.PageControl1Change(kPageInj2A);
  const ControlHandle rpm3 = H("MapRpm3");
  const int column3 = Cell(3);
  s.controls().UserEnterText(rpm3, std::to_string(s.controls().Value(rpm3) + 1000));
  s.FormKeyPressEnter();
  EXPECT_EQ(Cell(3), column3);
}

TEST_F(StationSessionTest, ProgrammingAfterChangeAfterAnEditWritesOnlyItsBlock) {
  Station& s = Start();
  s.controls().SetChecked(H("CheckBoxProgHned"), true);
  s.CheckBoxProgHnedClick();
  s.PageControl1Change(kPageAdvance);
  port.ClearSent();
  const ControlHandle cell = H("MapCell140");
  s.controls().UserEnterText(cell, std::to_string(s.controls().Value(cell) - 1));
  s.FormKeyPressEnter();
  RunUntilIdle();
  std::vector<std::uint8_t> codes;
  for (std::uint8_t code : port.SentCodes()) {
    if (code != kMonitorRequest) codes.push_back(code);
  }
  // Advance cell 140 is image byte 640, in block 5.
  EXPECT_EQ(codes, (std::vector<std::uint8_t>{0x05}));
  EXPECT_EQ(unit.Image(), s.image());
}

TEST_F(StationSessionTest, AllFlagsAndTheActivePageSurviveARestartThroughTheDump) {
  {
    Station& s = Start();
    s.PageControl1Change(kPageInjB);
    s.controls().SetChecked(H("CheckBoxAll_Uni"), true);
    s.CheckBoxMouseUp();
    s.FormClose();
  }
  std::ifstream dump(Paths().image_dump);
  std::stringstream text;
  text << dump.rdbuf();
  // The dump: 285 lines of ten, an empty line after every hundred, the 19 flags last.
  const std::string content = text.str();
  EXPECT_EQ(content.rfind("   11 ", 0), 0u);
  Station& s = Start();
  EXPECT_EQ(s.active_page(), kPageInjB);
  EXPECT_TRUE(s.controls().Checked(H("CheckBoxAll_Uni")));
  s.PageControl1Change(kPageAdvance);
  EXPECT_FALSE(s.controls().Checked(H("CheckBoxAll_Uni")));
}

}  // namespace
}  // namespace korvan
