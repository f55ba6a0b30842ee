// The map cells' colour grades through the station: the option paints each cell by its value
// under the live cursor, follows edits, is kept between runs and stays off the printout unless
// the user prints it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "maps/cell_grades.h"
#include "station_fixture.h"

namespace korvan {
namespace {

// Half the injection from the throttle maps, half from the pressure map: both show a live cell.
constexpr UnitEmulator::OperatingPoint kRunning{5000, 300, 50};

// The colours of every map cell and time-view label.
struct Paint {
  std::vector<CellShade> cells;
  std::vector<CellShade> labels;
};

class StationGradesTest : public ::testing::Test, public StationFixture {
 protected:
  Paint PaintNow() const {
    Paint p;
    for (int i = 0; i < kMapCells; ++i) {
      const Control& cell = C("MapCell" + std::to_string(i));
      const Control& label = C("MapValueLabel" + std::to_string(i));
      p.cells.push_back({cell.color, cell.font_color});
      p.labels.push_back({label.color, label.font_color});
    }
    return p;
  }
  // The cell the live cursor lights; nothing when no cell is lit.
  static std::optional<int> LitCell(const Paint& p) {
    for (int i = 0; i < kMapCells; ++i) {
      const std::uint32_t c = p.cells[static_cast<std::size_t>(i)].color;
      if (c == kColorLime || c == kColorYellow) return i;
    }
    return std::nullopt;
  }
  // Every cell the page shows graded between the ends of the scale, which its lowest and
  // highest values take, with readable text, the time view's labels alike; hidden cells plain.
  void ExpectGraded(Station& s, int page, const Paint& on, int lit, const std::string& where) {
    const ShownGrid values = s.maps().ShownValues(page);
    const CellMask shown = s.maps().ShownCells(page);
    std::optional<double> low, high;
    for (int i = 0; i < kMapCells; ++i) {
      if (!shown.test(static_cast<std::size_t>(i))) continue;
      const double v = values[static_cast<std::size_t>(i)];
      low = low ? std::min(*low, v) : v;
      high = high ? std::max(*high, v) : v;
    }
    ASSERT_TRUE(low && *low < *high) << where << ": a map with values to grade";
    int ends = 0;
    for (int i = 0; i < kMapCells; ++i) {
      const auto k = static_cast<std::size_t>(i);
      if (i == lit) continue;
      if (!shown.test(k)) {
        EXPECT_EQ(on.cells[k], CellShade{}) << where << " hidden cell " << i;
        continue;
      }
      const CellShade& shade = on.cells[k];
      EXPECT_NE(shade.color, kDefaultColor) << where << " cell " << i;
      EXPECT_EQ(shade.font_color, ReadableTextColor(shade.color)) << where << " cell " << i;
      // The time view's label over the cell shows the same grade.
      EXPECT_EQ(on.labels[k], shade) << where << " label " << i;
      if (values[k] == *low) {
        EXPECT_EQ(shade, (CellShade{kGradeLow, kColorWhite})) << where << " cell " << i;
        ++ends;
      }
      if (values[k] == *high) {
        EXPECT_EQ(shade, (CellShade{kGradeHigh, kColorWhite})) << where << " cell " << i;
        ++ends;
      }
    }
    EXPECT_GT(ends, 0) << where;
  }
  // The cells as they show without grades: plain, but for the live cursor's cell.
  static void ExpectPlain(const Paint& p, int lit, const std::string& where) {
    for (int i = 0; i < kMapCells; ++i) {
      const auto c = static_cast<std::size_t>(i);
      if (i == lit) continue;
      EXPECT_EQ(p.cells[c], CellShade{}) << where << " cell " << i;
      EXPECT_EQ(p.labels[c], (CellShade{kFaceColor, kDefaultColor})) << where << " label " << i;
    }
  }
};

TEST_F(StationGradesTest, EachPageIsGradedOnItsOwnValuesAroundTheLiveCell) {
  struct Case {
    int page;
    bool time_view;
  };
  for (const Case c : {Case{kPageAdvance, false}, Case{kPageInj1A, false}, Case{kPageInj1A, true},
                       Case{kPageInjIap, false}, Case{kPageIntakeServo, false}}) {
    const std::string where = "page " + std::to_string(c.page) + (c.time_view ? " ms" : "");
    unit.HoldEngine(kRunning);
    Station& s = Start();
    s.PageControl1Change(c.page);
    if (c.time_view) {
      s.controls().SetChecked(H("CheckBoxZobrMs_Uni"), true);
      s.CheckBoxTps_UniMouseUp();
    }
    // The default maps are mostly flat: the first column made lower and the last higher.
    s.MapColumnHeaderClick(0, false);
    ASSERT_TRUE(s.MapSelectionOperation({MapOperationKind::kScale, 60})) << where;
    s.MapColumnHeaderClick(kMapColumns - 1, false);
    ASSERT_TRUE(s.MapSelectionOperation({MapOperationKind::kScale, 150})) << where;
    Tick(8);
    const std::optional<int> lit = LitCell(PaintNow());
    ASSERT_TRUE(lit) << where;
    const std::uint32_t lit_color = C("MapCell" + std::to_string(*lit)).color;

    s.MenuCellGradesClick();
    EXPECT_TRUE(C("MenuCellGrades").checked);
    Tick(2);  // the cursor's ticks keep the grades
    const Paint on = PaintNow();
    EXPECT_EQ(on.cells[static_cast<std::size_t>(*lit)], (CellShade{lit_color, kDefaultColor}))
        << where << ": the live cell stays the cursor's";

    ExpectGraded(s, c.page, on, *lit, where);

    s.MenuCellGradesClick();
    EXPECT_FALSE(C("MenuCellGrades").checked);
    const Paint off = PaintNow();
    EXPECT_EQ(off.cells[static_cast<std::size_t>(*lit)].color, lit_color) << where;
    ExpectPlain(off, *lit, where);
  }
}

TEST_F(StationGradesTest, TheGradesFollowAnEditAndThePage) {
  Station& s = Start();
  s.PageControl1Change(kPageAdvance);
  s.MenuCellGradesClick();
  // Row 0 set far above the rest: it alone is red, and the rest of the map moves down the scale.
  s.MapRowHeaderClick(0, false);
  ASSERT_TRUE(s.MapSelectionOperation({MapOperationKind::kSet, 55}));
  const Paint edited = PaintNow();
  for (int column = 0; column < kMapColumns; ++column) {
    EXPECT_EQ(edited.cells[static_cast<std::size_t>(column)].color, kGradeHigh) << column;
  }
  // The whole map flat: every cell is the middle of the scale.
  s.MapSelectAll();
  ASSERT_TRUE(s.MapSelectionOperation({MapOperationKind::kSet, 20}));
  for (const CellShade& shade : PaintNow().cells) {
    EXPECT_EQ(shade, (CellShade{kGradeMiddle, kColorBlack}));
  }
  // Undo brings the red row back.
  s.SpeedButtonZpetClick();
  EXPECT_EQ(PaintNow().cells[0].color, kGradeHigh);

  // Another page, its own values; with the option off on a page without a map, the next map page
  // comes plain.
  s.PageControl1Change(kPageInj1A);
  EXPECT_NE(PaintNow().cells[0].color, kGradeHigh);
  s.PageControl1Change(kPageBike);
  s.MenuCellGradesClick();
  s.PageControl1Change(kPageAdvance);
  Tick();
  ExpectPlain(PaintNow(), -1, "advance after off");
}

TEST_F(StationGradesTest, AServoModeThatShowsOtherCellsGradesThose) {
  Station& s = Start();
  s.PageControl1Change(kPageIntakeServo);
  if (!C("CheckBoxServoEnable").checked) {
    s.controls().SetChecked(H("CheckBoxServoEnable"), true);
    s.CheckBoxServoEnableMouseUp();
  }
  s.controls().SetValue(H("RadioGroupServoMode"), 0);  // every cell, to set them
  s.RadioGroupServoModeClick();
  // Row 9 and column 0 (the cells of the speed-only and throttle-only modes) each with a spread.
  struct Set {
    CellBox box;
    double value;
  };
  for (const Set& set : {Set{{9, 0, 9, 14}, 50}, Set{{9, 14, 9, 14}, 90}, Set{{0, 0, 9, 0}, 30},
                         Set{{0, 0, 0, 0}, 70}}) {
    s.MapCellClick({set.box.top, set.box.left});
    s.MapCellShiftClick({set.box.bottom, set.box.right});
    ASSERT_TRUE(s.MapSelectionOperation({MapOperationKind::kSet, set.value}));
  }
  s.MapSelectNone();
  s.MenuCellGradesClick();
  for (const int mode : {1, 2, 0}) {
    s.controls().SetValue(H("RadioGroupServoMode"), mode);
    s.RadioGroupServoModeClick();
    const Paint now = PaintNow();
    ExpectGraded(s, kPageIntakeServo, now, LitCell(now).value_or(-1),
                 "servo mode " + std::to_string(mode));
  }
}

TEST_F(StationGradesTest, BothOptionsAreKeptBetweenRuns) {
  Station& s = Start();
  EXPECT_FALSE(s.cell_grades());
  EXPECT_FALSE(C("MenuCellGrades").checked);
  EXPECT_FALSE(C("MenuPrintGrades").checked);
  s.PageControl1Change(kPageAdvance);
  s.MenuCellGradesClick();
  s.MenuPrintGradesClick();
  s.FormClose();

  Station& again = Start();
  EXPECT_TRUE(again.cell_grades());
  EXPECT_TRUE(again.print_grades());
  EXPECT_TRUE(C("MenuCellGrades").checked);
  EXPECT_TRUE(C("MenuPrintGrades").checked);
  Tick();
  EXPECT_EQ(again.active_page(), kPageAdvance);
  EXPECT_NE(C("MapCell0").color, kDefaultColor) << "graded from the first tick";
  again.MenuPrintGradesClick();
  again.FormClose();

  Station& third = Start();
  EXPECT_TRUE(third.cell_grades());
  EXPECT_FALSE(third.print_grades());
  EXPECT_FALSE(C("MenuPrintGrades").checked);
}

TEST_F(StationGradesTest, ThePrintoutIsPlainUnlessTheGradesArePrinted) {
  unit.HoldEngine(kRunning);
  Station& s = Start();
  s.PageControl1Change(kPageInj1A);
  Tick(8);
  const std::optional<int> lit = LitCell(PaintNow());
  ASSERT_TRUE(lit);
  const std::uint32_t lit_color = C("MapCell" + std::to_string(*lit)).color;
  s.MenuCellGradesClick();
  const Paint graded = PaintNow();

  Paint sheet;
  desktop.on_print = [&] { sheet = PaintNow(); };
  s.SpeedButtonPrintClick();
  ASSERT_EQ(desktop.prints, 1);
  EXPECT_EQ(sheet.cells[static_cast<std::size_t>(*lit)].color, lit_color) << "cursor on paper";
  ExpectPlain(sheet, *lit, "plain sheet");
  const Paint after = PaintNow();
  EXPECT_EQ(after.cells, graded.cells) << "the grades are back on screen";
  EXPECT_EQ(after.labels, graded.labels);

  s.MenuPrintGradesClick();
  s.SpeedButtonPrintClick();
  EXPECT_EQ(sheet.cells, graded.cells) << "printed in colour";
  EXPECT_EQ(PaintNow().cells, graded.cells);
}

}  // namespace
}  // namespace korvan
