#include <gtest/gtest.h>

#include "maps/map_editor.h"
#include "maps/map_editor_fixture.h"

namespace korvan {
namespace {

using Live = MapEditor::LiveCell;

class MapToolsTest : public MapEditorTest {
 protected:
  // A tool as the menu runs it: the step, then the tail of the cycle when the tool asks for it.
  bool Tool(int direction, std::optional<Live> live) {
    const bool changed = editor_.ToolStep(page_, direction, live);
    if (changed) Commit();
    return changed;
  }
  void SetAll(bool on) {
    controls_.SetChecked(H("CheckBoxAll_Uni"), on);
    editor_.Gather(page_);
  }
};

TEST_F(MapToolsTest, MinusWithoutAllNeedsARunningEngine) {
  Show(kInjB);
  SetAll(false);
  const ParameterImage before = image_;
  EXPECT_FALSE(Tool(-1, std::nullopt));
  EXPECT_TRUE(before == image_);
  EXPECT_FALSE(Tool(-1, Live{10, 3}));  // no such row: nothing to step
  EXPECT_TRUE(before == image_);
}

TEST_F(MapToolsTest, StepTargetsTheLiveCellOrTheWholeMap) {
  Show(kInjB);
  SetAll(false);
  const ParameterImage before = image_;
  const int live = CellIndex(2, 3);
  ASSERT_TRUE(Tool(-1, Live{2, 3}));
  for (int cell = 0; cell < kMapCells; ++cell) {
    const unsigned was = before.Byte(CellOffset(MapId::kInjB, cell));
    const unsigned expected = cell == live && was > 0 ? was - 1 : was;
    EXPECT_EQ(image_.Byte(CellOffset(MapId::kInjB, cell)), expected) << cell;
  }

  SetAll(true);
  const ParameterImage middle = image_;
  ASSERT_TRUE(Tool(+1, std::nullopt));  // "All" needs no live cell
  for (int cell = 0; cell < kMapCells; ++cell) {
    const unsigned was = middle.Byte(CellOffset(MapId::kInjB, cell));
    EXPECT_EQ(image_.Byte(CellOffset(MapId::kInjB, cell)), std::min(was + 1, 100u)) << cell;
  }
}

TEST_F(MapToolsTest, ByteStepsStopAtZeroAndAFullByte) {
  image_.SetByte(58, 1);
  Show(kExhaustServo);
  SetAll(false);
  const int low = CellOffset(MapId::kExhaustServo, CellIndex(4, 4));
  const int high = CellOffset(MapId::kExhaustServo, CellIndex(5, 5));
  image_.SetByte(low, 0);
  image_.SetByte(high, 255);
  EXPECT_TRUE(editor_.ToolStep(kExhaustServo, -1, Live{4, 4}));
  EXPECT_TRUE(editor_.ToolStep(kExhaustServo, +1, Live{5, 5}));
  EXPECT_EQ(image_.Byte(low), 0u);
  EXPECT_EQ(image_.Byte(high), 255u);
}

TEST_F(MapToolsTest, ColumnStepChangesExactlyTheTenCellsOfItsColumn) {
  Show(kAdvance);
  const ParameterImage before = image_;
  ASSERT_TRUE(editor_.ColumnStep(kAdvance, 14, +1));
  for (int cell = 0; cell < kMapCells; ++cell) {
    const unsigned was = before.Byte(CellOffset(MapId::kAdvance, cell));
    const unsigned expected = CellColumn(cell) == 14 ? was + 1 : was;
    EXPECT_EQ(image_.Byte(CellOffset(MapId::kAdvance, cell)), expected) << cell;
  }
  EXPECT_FALSE(editor_.ColumnStep(kAdvance, 15, +1));
  EXPECT_FALSE(editor_.ColumnStep(kAdvance, -1, +1));
  EXPECT_FALSE(editor_.ColumnStep(8, 3, +1));  // not a map page
}

TEST_F(MapToolsTest, PlusOnAFullScaleCellKeepsTheTruePercentage) {
  image_.SetByte(47, 0);
  Show(kInj1A);
  SetAll(false);
  const int cell = CellIndex(6, 7);
  SetPercent(WordMap::kInj1A, cell, 1000);
  Show(kInj1A);
  ASSERT_TRUE(Tool(+1, Live{6, 7}));
  EXPECT_EQ(Percent(WordMap::kInj1A, cell), 1001u);
  EXPECT_EQ(Word(MapId::kInj1A, cell), WordFromPercent(1001, Base(WordMap::kInj1A, cell)));
  EXPECT_EQ(Value(Cell(cell)), 1000);
}

TEST_F(MapToolsTest, CoupledPlusRaisesEveryChannelByOnePercentOfItsOwnBase) {
  image_.SetByte(47, 1);
  image_.SetByte(AxisOffset(MapId::kInj3A, 5), 75);  // 3A keeps a base time of its own
  Show(kInj1A);
  SetAll(true);
  std::array<std::array<int, kMapCells>, 4> before{};
  for (int m = 0; m < 4; ++m) {
    for (int cell = 0; cell < kMapCells; ++cell) {
      before[m][cell] = StoredPercent(static_cast<WordMap>(m), cell);
    }
  }
  ASSERT_TRUE(Tool(+1, std::nullopt));
  for (int m = 0; m < 4; ++m) {
    const auto map = static_cast<WordMap>(m);
    for (int cell = 0; cell < kMapCells; ++cell) {
      EXPECT_EQ(StoredPercent(map, cell), before[m][cell] + 1) << m << " " << cell;
      EXPECT_EQ(Word(MapOfWordMap(map), cell),
                WordFromPercent(before[m][cell] + 1, Base(map, cell)));
    }
  }
}

TEST_F(MapToolsTest, FollowingChannelsTakeNoToolsOfTheirOwn) {
  for (int mode : {1, 2}) {
    image_.SetByte(47, static_cast<unsigned>(mode));
    Show(kInj3A);
    SetAll(true);
    EXPECT_FALSE(editor_.ToolStep(kInj3A, +1, Live{1, 1})) << mode;
    EXPECT_FALSE(editor_.ColumnStep(kInj3A, 4, +1)) << mode;
  }
  image_.SetByte(47, 0);
  Show(kInj3A);
  const unsigned before = Word(MapId::kInj3A, CellIndex(0, 4));
  EXPECT_TRUE(editor_.ColumnStep(kInj3A, 4, +1));
  EXPECT_GT(Word(MapId::kInj3A, CellIndex(0, 4)), before);
}

TEST_F(MapToolsTest, ToolsReadWordMapsFromTheImageAsItIsNow) {
  image_.SetByte(47, 0);
  Show(kInjIap);
  SetAll(false);
  // The image changes behind the page (a file, undo, a read) without a scatter.
  SetPercent(WordMap::kInjIap, 0, 250);
  ASSERT_TRUE(editor_.ToolStep(kInjIap, -1, Live{0, 0}));
  EXPECT_EQ(StoredPercent(WordMap::kInjIap, 0), 249);
}

TEST_F(MapToolsTest, PercentSwitchConvertsTheServoMapBothWays) {
  image_.SetByte(63, 1);
  image_.SetByte(65, 0);
  const int at = CellOffset(MapId::kIntakeServo, 20);
  image_.SetByte(at, 40);
  Show(kIntakeServo);
  ASSERT_EQ(Value(Cell(20)), 40);

  controls_.SetChecked(H("CheckBoxProcenta"), false);
  editor_.PercentSwitch(kIntakeServo);
  Commit();
  EXPECT_EQ(image_.Byte(63), 0u);
  EXPECT_EQ(image_.Byte(at), 100u);
  EXPECT_EQ(Value(Cell(20)), 2000);

  controls_.SetChecked(H("CheckBoxProcenta"), true);
  editor_.PercentSwitch(kIntakeServo);
  Commit();
  EXPECT_EQ(image_.Byte(63), 1u);
  EXPECT_EQ(image_.Byte(at), 40u);
  EXPECT_EQ(Value(Cell(20)), 40);

  editor_.PercentSwitch(kIntakeServo);  // no change of state: nothing converts
  EXPECT_EQ(image_.Byte(at), 40u);
}

TEST_F(MapToolsTest, OutOfPercentIsBoundedToAFullByteAndTakesTheIdleServoAlong) {
  image_.SetByte(63, 1);
  image_.SetByte(65, 0);
  image_.SetByte(2600, 1);
  const int over = CellOffset(MapId::kIntakeServo, 30);
  image_.SetByte(over, 103);  // raised past full scale by Plus
  image_.SetByte(2609, 20);
  Show(kIntakeServo);
  controls_.SetChecked(H("CheckBoxProcenta"), false);
  editor_.PercentSwitch(kIntakeServo);
  EXPECT_EQ(image_.Byte(over), 255u);
  EXPECT_EQ(image_.Byte(2609), 50u);

  image_.SetByte(2600, 0);
  image_.SetByte(2610, 30);
  controls_.SetChecked(H("CheckBoxProcenta"), true);
  editor_.PercentSwitch(kIntakeServo);
  EXPECT_EQ(image_.Byte(2610), 30u);  // idle not on the servo: its table stays
}

TEST_F(MapToolsTest, GatherNeverFlipsTheUnitWithoutConverting) {
  image_.SetByte(62, 0);
  image_.SetByte(58, 1);
  image_.SetByte(64, 0);
  const int at = CellOffset(MapId::kExhaustServo, 40);
  image_.SetByte(at, 100);
  Show(kExhaustServo);
  controls_.SetChecked(H("CheckBoxProcenta"), true);
  editor_.Gather(kExhaustServo);
  EXPECT_EQ(image_.Byte(62), 1u);
  EXPECT_EQ(image_.Byte(at), 40u);
}

}  // namespace
}  // namespace korvan
