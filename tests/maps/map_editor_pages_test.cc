#include <gtest/gtest.h>

#include <vector>

#include "maps/map_editor.h"
#include "maps/map_editor_fixture.h"

namespace korvan {
namespace {

constexpr int kTop = grid_geometry::kGridTop;  // the header line sits above the grid

class MapPagesTest : public MapEditorTest {};

TEST_F(MapPagesTest, CreatesTabsAndGridControlsByName) {
  const std::array<std::pair<std::string_view, int>, 9> tabs{{{"TabSheet_Advance", 1},
                                                              {"TabSheet_Inj1A", 2},
                                                              {"TabSheet_Inj2A", 3},
                                                              {"TabSheet_Inj3A", 4},
                                                              {"TabSheet_Inj4A", 5},
                                                              {"TabSheet_InjB", 6},
                                                              {"TabSheet_InjIap", 7},
                                                              {"TabSheet_IntakeServo", 11},
                                                              {"TabSheet_ExhaustServo", 12}}};
  for (const auto& [name, page] : tabs) {
    const Control& tab = controls_.Get(H(name));
    EXPECT_EQ(tab.kind, ControlKind::kTab) << name;
    EXPECT_EQ(tab.page, page) << name;
    EXPECT_EQ(tab.value, page) << name;
  }
  EXPECT_EQ(controls_.Text(H("TabSheet_Inj1A")), "Inj-1A");
  EXPECT_EQ(controls_.Get(H("MapCell0")).page, kMapGridPanel);
  EXPECT_EQ(controls_.Get(H("MapHeaderLabel4")).page, kMapGridPanel);
  EXPECT_EQ(H("UpDownMapCell149"), H("MapCell149"));
  EXPECT_EQ(H("MapHeaderD5"), H("MapHeaderE5"));
  EXPECT_EQ(H("UpDownMapRpm14"), H("MapRpm14"));
  const Control& spin = controls_.Get(H("CSpinButton14"));
  EXPECT_EQ(spin.x, 71 + 62 * 14);
  EXPECT_EQ(spin.y, kTop + 350);
  const Control& cell = controls_.Get(H(Cell(CellIndex(2, 3))));
  EXPECT_EQ(cell.x, 56 + 62 * 3);
  EXPECT_EQ(cell.y, kTop + 53 + 30 * 2);
  EXPECT_EQ(controls_.Text(H("MapValueLabel0")), "11.92");
  EXPECT_EQ(controls_.Get(H("RadioGroupServoMode")).items,
            (std::vector<std::string>{"R + T", "RPM", "TPS"}));
}

TEST_F(MapPagesTest, WordCellShowsItsShareOfTheBaseTimeLimitedToTheField) {
  image_.SetByte(47, 0);
  Show(kInj1A);
  const unsigned base0 = Base(WordMap::kInj1A, 0);
  const unsigned base1 = Base(WordMap::kInj1A, 1);
  image_.SetWord(CellOffset(MapId::kInj1A, 0), 3 * base0);
  image_.SetWord(CellOffset(MapId::kInj1A, 1), 11 * base1);
  Show(kInj1A);
  EXPECT_EQ(Value(Cell(0)), 300);
  EXPECT_EQ(Value(Cell(1)), 1000);
  EXPECT_EQ(Percent(WordMap::kInj1A, 1), 1100u);  // the array keeps what was computed

  editor_.Gather(kInj1A);
  EXPECT_EQ(Word(MapId::kInj1A, 0), 3 * base0);
  EXPECT_EQ(Word(MapId::kInj1A, 1), 10 * base1);
}

TEST_F(MapPagesTest, MovingAnAxisPointKeepsThePercentagesOfItsColumn) {
  image_.SetByte(47, 0);
  Show(kInj2A);
  ASSERT_EQ(Value(Rpm(3)), 4000);
  std::array<int, kMapRows> before{};
  for (int row = 0; row < kMapRows; ++row) before[row] = Value(Cell(CellIndex(row, 3)));

  Edit(Rpm(3), 5000);
  EXPECT_EQ(image_.Byte(AxisOffset(MapId::kInj2A, 3)), 50u);
  for (int row = 0; row < kMapRows; ++row) {
    const int cell = CellIndex(row, 3);
    EXPECT_EQ(Value(Cell(cell)), before[row]) << row;
    EXPECT_EQ(Word(MapId::kInj2A, cell), WordFromPercent(before[row], Base(WordMap::kInj2A, cell)));
  }
}

TEST_F(MapPagesTest, AdvanceWithoutThrottleEditsRow9DrawnAtTheTop) {
  image_.SetByte(40, 0);
  Show(kAdvance);
  EXPECT_EQ(editor_.layout(), GridLayout::kSpeedRow);
  EXPECT_FALSE(Visible(Cell(0)));
  EXPECT_FALSE(Visible(Cell(CellIndex(8, 5))));
  EXPECT_TRUE(Visible(Cell(CellIndex(9, 5))));
  EXPECT_EQ(controls_.Get(H(Cell(CellIndex(9, 5)))).y, kTop + 53);
  EXPECT_FALSE(Visible("MapRowLabel9"));

  const ParameterImage before = image_;
  controls_.SetValue(H(Cell(0)), 7);  // a hidden cell is not read back
  Edit(Cell(CellIndex(9, 5)), 21);
  for (int cell = 0; cell < kMapCells; ++cell) {
    const unsigned expected =
        cell == CellIndex(9, 5) ? 21u : before.Byte(CellOffset(MapId::kAdvance, cell));
    EXPECT_EQ(image_.Byte(CellOffset(MapId::kAdvance, cell)), expected) << cell;
  }

  Check("CheckBoxTps_Uni", true);
  EXPECT_EQ(image_.Byte(40), 1u);
  EXPECT_EQ(editor_.layout(), GridLayout::kFull);
  EXPECT_EQ(controls_.Get(H(Cell(CellIndex(9, 5)))).y, kTop + 53 + 30 * 9);
}

TEST_F(MapPagesTest, HiddenServoCellsKeepBytesTheFieldCannotShow) {
  // Bike 11 drives the intake servo by engine speed only: one row on display.
  Show(kIntakeServo);
  ASSERT_EQ(editor_.layout(), GridLayout::kSpeedRow);
  const int hidden = CellOffset(MapId::kIntakeServo, CellIndex(3, 0));
  image_.SetByte(hidden, 255);  // shows as 5000, would store as 250
  Show(kIntakeServo);
  Edit(Cell(CellIndex(9, 2)), 2000);
  EXPECT_EQ(image_.Byte(hidden), 255u);
  EXPECT_EQ(image_.Byte(CellOffset(MapId::kIntakeServo, CellIndex(9, 2))), 100u);
}

TEST_F(MapPagesTest, ServoCellInMillivoltsStoresTheTruncatedTwentieth) {
  image_.SetByte(65, 0);
  image_.SetByte(63, 0);
  image_.SetByte(CellOffset(MapId::kIntakeServo, 7), 50);
  Show(kIntakeServo);
  EXPECT_EQ(Value(Cell(7)), 1000);
  EXPECT_EQ(controls_.Get(H(Cell(7))).max, 5000);
  EXPECT_EQ(controls_.Get(H(Cell(7))).step, 20);
  controls_.UserEnterText(H(Cell(7)), "1010");
  editor_.Gather(kIntakeServo);
  EXPECT_EQ(image_.Byte(CellOffset(MapId::kIntakeServo, 7)), 50u);
}

TEST_F(MapPagesTest, StepMotorIsClearedAndLockedForBike47) {
  image_.SetByte(kBikeCodeOffset, 47);
  image_.SetByte(66, 1);
  Show(kIntakeServo);
  EXPECT_EQ(image_.Byte(66), 0u);
  EXPECT_FALSE(Checked("CheckBoxStepMotor"));
  EXPECT_FALSE(Enabled("CheckBoxStepMotor"));
  controls_.SetChecked(H("CheckBoxStepMotor"), true);
  editor_.Gather(kIntakeServo);
  EXPECT_EQ(image_.Byte(66), 0u);

  image_.SetByte(kBikeCodeOffset, 11);
  Show(kIntakeServo);
  EXPECT_TRUE(Enabled("CheckBoxStepMotor"));
  Check("CheckBoxStepMotor", true);
  EXPECT_EQ(image_.Byte(66), 1u);
  EXPECT_TRUE(Visible("MapHeaderE2"));  // period and excitation come with the step motor
  EXPECT_TRUE(Visible("MapHeaderE3"));
  EXPECT_FALSE(Visible("MapHeaderE1"));
}

TEST_F(MapPagesTest, AllFlagIsKeptPerPageAcrossPageChanges) {
  Show(kInj1A);
  Check("CheckBoxAll_Uni", true);
  Show(kAdvance);
  EXPECT_FALSE(Checked("CheckBoxAll_Uni"));
  Show(kInj1A);
  EXPECT_TRUE(Checked("CheckBoxAll_Uni"));
  EXPECT_EQ(editor_.all_flags()[kInj1A], 1);
  EXPECT_EQ(editor_.all_flags()[kAdvance], 0);
}

TEST_F(MapPagesTest, GatherOfAPageTheGridDoesNotHoldChangesNothing) {
  Show(kAdvance);
  const ParameterImage before = image_;
  editor_.Gather(kInjB);  // the grid still holds the advance values
  EXPECT_TRUE(before == image_);
}

TEST_F(MapPagesTest, ControlsOfAnotherPageAreNeverTakenForThisOne) {
  Show(kAdvance);
  controls_.SetChecked(H("CheckBoxProcenta"), true);
  const ParameterImage before = image_;
  editor_.PercentSwitch(kIntakeServo);  // the check box belongs to the advance page now
  editor_.ServoEnableChanged(kExhaustServo);
  editor_.ServoModeChanged(kIntakeServo);
  EXPECT_TRUE(before == image_);

  editor_.Layout(kInjB);  // a layout of another page fills the grid for it first
  EXPECT_EQ(editor_.grid_page(), kInjB);
  EXPECT_EQ(Value(Cell(5)), static_cast<int>(image_.Byte(CellOffset(MapId::kInjB, 5))));
}

TEST_F(MapPagesTest, HeaderFieldsFollowPageAndConfiguration) {
  image_.SetByte(256, 2);
  image_.SetByte(41, 103);
  Show(kAdvance);
  EXPECT_EQ(Value("MapHeaderE0"), 3);
  EXPECT_TRUE(Visible("MapHeaderE0"));
  EXPECT_TRUE(Visible("MapHeaderE1"));
  EXPECT_FALSE(Visible("MapHeaderE2"));
  EXPECT_FALSE(Visible("MapHeaderE3"));
  EXPECT_TRUE(Visible("MapHeaderE4"));
  EXPECT_FALSE(Visible("MapHeaderE5"));  // width of lobe: single-channel engines only
  EXPECT_EQ(controls_.Text(H("MapHeaderLabel1")), "Base advance [\u00b0]");
  Edit("MapHeaderE0", -4);
  EXPECT_EQ(image_.Byte(41), 96u);

  image_.SetByte(2, 22);
  Show(kAdvance);
  EXPECT_TRUE(Visible("MapHeaderE5"));
  EXPECT_TRUE(Visible("MapHeaderLabel2"));

  image_.SetByte(51, 123);
  Show(kInj1A);
  EXPECT_EQ(Value("MapHeaderE3"), 12300);
  EXPECT_EQ(controls_.Text(H("MapHeaderLabel0")), "IAP -> TP ");
  EXPECT_EQ(controls_.Text(H("MapHeaderLabel4")), "RPM max");
  EXPECT_FALSE(Visible("MapHeaderE4"));
  Edit("MapHeaderE2", 4500);
  EXPECT_EQ(image_.Byte(50), 45u);
}

TEST_F(MapPagesTest, IapCylinderCorrectionIsBoundedToAByte) {
  Show(kInjIap);
  controls_.UserEnterText(H("MapHeaderE2"), "1000");
  editor_.Gather(kInjIap);
  EXPECT_EQ(image_.Byte(54), 255u);
  EXPECT_EQ(Value("MapHeaderE2"), 255);
}

TEST_F(MapPagesTest, IapPageShowsItsRowAxisInPlaceOfTheThrottleRows) {
  Show(kInjIap);
  EXPECT_EQ(controls_.Text(H("LabelMapRows")), "IAP [kPa]");
  EXPECT_FALSE(Visible("MapRowLabel0"));
  EXPECT_TRUE(Visible("MapRowAxis0"));
  EXPECT_EQ(Value("MapRowAxis9"), static_cast<int>(image_.Word(151)));
  Edit("MapRowAxis9", 110);
  EXPECT_EQ(image_.Word(151), 110u);

  Show(kInj1A);
  EXPECT_EQ(controls_.Text(H("LabelMapRows")), "TPS");
  EXPECT_TRUE(Visible("MapRowLabel0"));
  EXPECT_FALSE(Visible("MapRowAxis0"));
}

TEST_F(MapPagesTest, TimeViewShowsStoredMillisecondsOnWordPagesOnly) {
  image_.SetByte(47, 0);
  image_.SetWord(CellOffset(MapId::kInj3A, 4), 2345);
  editor_.set_time_view(true);
  Show(kInj3A);
  EXPECT_EQ(editor_.layout(), GridLayout::kLabelsWithSpin);
  EXPECT_EQ(controls_.Text(H("MapValueLabel4")), "2.345 ");
  EXPECT_TRUE(Visible("MapValueLabel4"));
  EXPECT_TRUE(Visible("CheckBoxZobrMs_Uni"));
  EXPECT_EQ(editor_.CellParts(4).field, false);
  EXPECT_EQ(editor_.CellParts(4).up_down, true);

  Show(kInjB);
  EXPECT_EQ(editor_.layout(), GridLayout::kFull);
  EXPECT_FALSE(Visible("CheckBoxZobrMs_Uni"));
  EXPECT_FALSE(Visible("MapValueLabel4"));
  EXPECT_TRUE(editor_.time_view());  // one value for all pages
}

TEST_F(MapPagesTest, CouplingBannerOnBankAPages) {
  image_.SetByte(47, 1);
  Show(kInj2A);
  EXPECT_TRUE(Visible("LabelCoupling"));
  EXPECT_EQ(controls_.Text(H("LabelCoupling")), "  1 -> 2, 3, 4  ");
  EXPECT_EQ(controls_.Get(H("LabelCoupling")).color, 0xFFFF00u);
  EXPECT_FALSE(Visible("CheckBoxZobrMs_Uni"));
  image_.SetByte(47, 2);
  Show(kInj1A);
  EXPECT_EQ(controls_.Text(H("LabelCoupling")), "  1 = 2 = 3 = 4  ");
  EXPECT_EQ(controls_.Get(H("LabelCoupling")).color, 0x00FFFFu);
  Show(kInjB);
  EXPECT_FALSE(Visible("LabelCoupling"));
  image_.SetByte(47, 0);
  Show(kInj1A);
  EXPECT_FALSE(Visible("LabelCoupling"));
}

TEST_F(MapPagesTest, TextsOfAnotherLanguageReachTheGrid) {
  MapTexts texts;
  texts.tps_min = "TPS min";
  texts.all = "Alle";
  editor_.SetTexts(texts);
  EXPECT_EQ(controls_.Text(H("CheckBoxAll_Uni")), "Alle");
}

}  // namespace
}  // namespace korvan

namespace korvan {
namespace {

// Times from a unit or a file need not lie on whole percentages of the station's base times: an
// edit stores only the cells it changed, and leaves every other word as it was.
class OffGridTimesTest : public MapEditorTest {
 protected:
  // Every injection word a few microseconds above its base time (still 100 % when shown).
  void SetOffGridTimes() {
    editor_.RefreshPercentArrays();
    for (int m = 0; m < kWordMapCount; ++m) {
      const auto wm = static_cast<WordMap>(m);
      for (int cell = 0; cell < kMapCells; ++cell) {
        image_.SetWord(CellOffset(MapOfWordMap(wm), cell), Base(wm, cell) + 3);
      }
    }
    editor_.RefreshPercentArrays();
  }
  std::vector<int> ChangedWords(const ParameterImage& before) const {
    std::vector<int> changed;
    for (int k = 0; k < kImageSize; k += 2) {
      if (before.Word(k / 2) != image_.Word(k / 2)) changed.push_back(k / 2);
    }
    return changed;
  }
};

TEST_F(OffGridTimesTest, EditsStoreOnlyTheCellsTheyChange) {
  struct Case {
    int page;
    MapId map;
    int coupling;
  };
  for (const Case c : {Case{kInj1A, MapId::kInj1A, 0}, Case{kInj2A, MapId::kInj2A, 0},
                       Case{kInjIap, MapId::kInjIap, 0}, Case{kInj1A, MapId::kInj1A, 1}}) {
    image_.SetByte(47, static_cast<unsigned>(c.coupling));
    SetOffGridTimes();
    Show(c.page);
    const ParameterImage untouched = image_;
    Edit(Cell(20), Value(Cell(20)));
    EXPECT_EQ(ChangedWords(untouched), std::vector<int>{}) << "page " << c.page;

    Edit(Cell(20), 120);
    std::vector<int> expected{CellOffset(c.map, 20)};
    if (c.coupling == 1) {
      for (MapId f : {MapId::kInj2A, MapId::kInj3A, MapId::kInj4A}) {
        expected.push_back(CellOffset(f, 20));
      }
    }
    EXPECT_EQ(ChangedWords(untouched), expected) << "page " << c.page;

    const ParameterImage before_tool = image_;
    ASSERT_TRUE(editor_.ToolStep(c.page, +1, MapEditor::LiveCell{4, 7}));
    expected = {CellOffset(c.map, CellIndex(4, 7))};
    if (c.coupling == 1) {
      for (MapId f : {MapId::kInj2A, MapId::kInj3A, MapId::kInj4A}) {
        expected.push_back(CellOffset(f, CellIndex(4, 7)));
      }
    }
    EXPECT_EQ(ChangedWords(before_tool), expected) << "page " << c.page;
  }
}

}  // namespace
}  // namespace korvan
