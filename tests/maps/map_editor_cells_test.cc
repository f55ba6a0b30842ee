// Operations on many cells store what they compute as typed values are stored: limited to the
// cell's range, the nearest stored value, Inj-1A's channels following.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "maps/map_editor.h"
#include "maps/map_editor_fixture.h"

namespace korvan {
namespace {

using Kind = MapOperationKind;

class MapCellsTest : public MapEditorTest {
 protected:
  // An operation as the station runs it: the operation, then the tail of the cycle.
  bool Operate(const CellBox& box, MapOperation operation) {
    editor_.selection(page_).SelectBox(box);
    const bool stored = editor_.ApplyToSelection(page_, operation);
    if (stored) Commit();
    return stored;
  }
  double ShownAt(int row, int column) {
    return editor_.ShownValues(page_)[static_cast<std::size_t>(CellIndex(row, column))];
  }
  unsigned Stored(MapId map, int row, int column) const {
    return StoredCell(image_, map, CellIndex(row, column));
  }
  // Uneven values (within every map's range), so that interpolation and smoothing move cells.
  void Roughen(MapId map) {
    for (int cell = 0; cell < kMapCells; ++cell) {
      const int wobble = (cell * 37 + 11) % 23;
      if (const std::optional<WordMap> wm = WordMapOfMap(map)) {
        ComputeBaseTimes(image_, editor_.word_maps());
        SetPercent(*wm, cell, 60 + 5 * wobble);
      } else {
        SetStoredCell(image_, map, cell, static_cast<unsigned>(10 + 2 * wobble));
      }
    }
  }
  void EnableServos() {
    image_.SetByte(kIntakeServoEnableOffset, 1);
    image_.SetByte(kExhaustServoEnableOffset, 1);
    image_.SetByte(kIntakeServoModeOffset, 0);
    image_.SetByte(kExhaustServoModeOffset, 0);
  }
};

// The result of an operation, typed into the same cells of the same page, gives the same image:
// the same limits, the same stored values, the same coupled channels.
TEST_F(MapCellsTest, AnOperationStoresWhatTypingItsResultsStores) {
  struct Case {
    std::string name;
    int page;
    int mode;  // channel mode byte 47
    CellBox box;
    MapOperation operation;
  };
  const std::vector<Case> cases{
      {"Advance smoothed", kAdvance, 0, {2, 3, 6, 9}, {Kind::kSmooth, 0.8}},
      {"Inj-B scaled", kInjB, 0, {0, 0, 9, 14}, {Kind::kScale, 117}},
      {"Inj-1A alone", kInj1A, 0, {1, 2, 4, 8}, {Kind::kAdd, 23}},
      {"Inj-1A coupled", kInj1A, 1, {1, 2, 4, 8}, {Kind::kAdd, 23}},
      {"Inj-1A coupled corners", kInj1A, 1, {0, 0, 9, 14}, {Kind::kInterpolateCorners, 0}},
      {"Inj-1A coupled down", kInj1A, 1, {3, 0, 9, 6}, {Kind::kScale, 40}},
      {"Inj-1A all equal", kInj1A, 2, {5, 5, 9, 14}, {Kind::kSet, 140}},
      {"Inj-3A alone", kInj3A, 0, {0, 4, 9, 4}, {Kind::kInterpolateColumns, 0}},
      {"Inj-IAP rows", kInjIap, 0, {2, 0, 5, 14}, {Kind::kInterpolateRows, 0}},
      {"Intake servo percent", kIntakeServo, 0, {0, 0, 9, 14}, {Kind::kAdd, 7.4}},
      {"Exhaust servo mV", kExhaustServo, 0, {0, 0, 9, 14}, {Kind::kScale, 93}},
  };
  EnableServos();
  image_.SetByte(kIntakeServoPercentOffset, 1);
  image_.SetByte(kExhaustServoPercentOffset, 0);
  image_.SetByte(kAdvanceByThrottleOffset, 1);
  for (const Case& c : cases) {
    image_.SetByte(kJetCouplingModeOffset, static_cast<unsigned>(c.mode));
    Roughen(*MapOfPage(c.page));
    Show(c.page);
    const ParameterImage before = image_;
    ASSERT_TRUE(Operate(c.box, c.operation)) << c.name;
    const ParameterImage operated = image_;
    EXPECT_FALSE(operated == before) << c.name;
    const ShownGrid results = editor_.ShownValues(c.page);

    image_ = before;
    editor_.RefreshPercentArrays();
    Show(c.page);
    for (int cell = 0; cell < kMapCells; ++cell) {
      if (!c.box.Contains({CellRow(cell), CellColumn(cell)})) continue;
      controls_.SetValue(H(Cell(cell)), static_cast<int>(results[static_cast<std::size_t>(cell)]));
    }
    editor_.Gather(page_);
    Commit();
    EXPECT_TRUE(image_ == operated) << c.name;
    if (c.mode == 1) {
      // The coupled channels did follow.
      for (MapId follower : kFollowerMaps) {
        bool moved = false;
        for (int cell = 0; cell < kMapCells; ++cell) {
          moved = moved || StoredCell(before, follower, cell) != StoredCell(image_, follower, cell);
        }
        EXPECT_TRUE(moved) << c.name;
      }
    }
    image_ = before;
    editor_.RefreshPercentArrays();
  }
}

TEST_F(MapCellsTest, ResultsAreLimitedAndRoundedAsTheCellShowsThem) {
  struct Case {
    int page;
    MapOperation operation;
    unsigned stored;  // cell (4, 4) afterwards
  };
  EnableServos();
  image_.SetByte(kIntakeServoPercentOffset, 1);
  image_.SetByte(kExhaustServoPercentOffset, 0);
  image_.SetByte(kAdvanceByThrottleOffset, 1);
  image_.SetByte(kJetCouplingModeOffset, 0);
  const std::vector<Case> cases{
      {kAdvance, {Kind::kSet, 75}, 60},         {kAdvance, {Kind::kSet, -4}, 0},
      {kAdvance, {Kind::kSet, 12.5}, 13},       {kAdvance, {Kind::kSet, 12.49}, 12},
      {kInjB, {Kind::kSet, 500}, 100},          {kIntakeServo, {Kind::kSet, 150}, 100},
      {kExhaustServo, {Kind::kSet, 1229}, 61},  {kExhaustServo, {Kind::kSet, 1231}, 62},
      {kExhaustServo, {Kind::kSet, 9999}, 250}, {kExhaustServo, {Kind::kSet, -20}, 0},
      {kInjB, {Kind::kSet, 1e300}, 100},        {kInjB, {Kind::kSet, std::nan("")}, 100},
  };
  for (const Case& c : cases) {
    Show(c.page);
    const MapId map = *MapOfPage(c.page);
    ASSERT_TRUE(Operate({4, 4, 4, 4}, c.operation)) << c.page << " " << c.operation.amount;
    EXPECT_EQ(Stored(map, 4, 4), c.stored) << c.page << " " << c.operation.amount;
  }

  Show(kInj1A);
  ASSERT_TRUE(Operate({4, 4, 4, 5}, {Kind::kSet, 2000}));
  EXPECT_EQ(StoredPercent(WordMap::kInj1A, CellIndex(4, 4)), 1000);
  ASSERT_TRUE(Operate({4, 4, 4, 5}, {Kind::kSet, 61.5}));
  EXPECT_EQ(StoredPercent(WordMap::kInj1A, CellIndex(4, 5)), 62);
  ASSERT_TRUE(Operate({4, 4, 4, 5}, {Kind::kScale, 1e300}));
  EXPECT_EQ(StoredPercent(WordMap::kInj1A, CellIndex(4, 5)), 1000);
}

TEST_F(MapCellsTest, CoupledChannelsFollowByTheChangeAndStopAtTheirLimits) {
  image_.SetByte(kJetCouplingModeOffset, 1);
  const int high = CellIndex(2, 2);
  const int low = CellIndex(2, 3);
  Show(kInj1A);
  SetPercent(WordMap::kInj1A, high, 100);
  SetPercent(WordMap::kInj1A, low, 100);
  SetPercent(WordMap::kInj2A, high, 990);
  SetPercent(WordMap::kInj3A, high, 400);
  SetPercent(WordMap::kInj4A, low, 5);
  SetPercent(WordMap::kInj3A, low, 200);
  Show(kInj1A);
  ASSERT_TRUE(Operate({2, 2, 2, 2}, {Kind::kAdd, 20}));
  EXPECT_EQ(StoredPercent(WordMap::kInj1A, high), 120);
  EXPECT_EQ(StoredPercent(WordMap::kInj2A, high), 1000);
  EXPECT_EQ(StoredPercent(WordMap::kInj3A, high), 420);
  ASSERT_TRUE(Operate({2, 3, 2, 3}, {Kind::kAdd, -10}));
  EXPECT_EQ(StoredPercent(WordMap::kInj4A, low), 0);
  EXPECT_EQ(StoredPercent(WordMap::kInj3A, low), 190);

  // All equal: the channels are copies of Inj-1A.
  image_.SetByte(kJetCouplingModeOffset, 2);
  Show(kInj1A);
  ASSERT_TRUE(Operate({0, 0, 9, 14}, {Kind::kScale, 90}));
  for (MapId follower : kFollowerMaps) {
    for (int cell = 0; cell < kMapCells; ++cell) {
      EXPECT_EQ(Word(follower, cell), Word(MapId::kInj1A, cell)) << cell;
    }
  }
}

TEST_F(MapCellsTest, TheTimeViewActsOnMillisecondsToTheMicrosecond) {
  image_.SetByte(kJetCouplingModeOffset, 1);
  editor_.set_time_view(true);
  Show(kInj1A);
  const int cell = CellIndex(3, 6);
  const unsigned base = Base(WordMap::kInj1A, cell);
  const int follower_before = StoredPercent(WordMap::kInj2A, cell);
  const int percent_before = StoredPercent(WordMap::kInj1A, cell);

  ASSERT_TRUE(Operate({3, 6, 3, 6}, {Kind::kSet, 4.0}));
  EXPECT_EQ(Word(MapId::kInj1A, cell), 4000u);
  EXPECT_DOUBLE_EQ(ShownAt(3, 6), 4.0);
  // The coupled channel follows by the change in percent the new time makes.
  const int percent_after = PercentFromWord(4000, base);
  EXPECT_EQ(StoredPercent(WordMap::kInj2A, cell),
            std::clamp(follower_before + percent_after - percent_before, 0, 1000));

  ASSERT_TRUE(Operate({3, 6, 3, 6}, {Kind::kAdd, 0.1234}));
  EXPECT_EQ(Word(MapId::kInj1A, cell), 4123u);
  ASSERT_TRUE(Operate({3, 6, 3, 6}, {Kind::kScale, 50}));
  EXPECT_EQ(Word(MapId::kInj1A, cell), 2062u);  // 2061.5 to the nearest microsecond
  // At most what 1000 % of the cell's base time is, as the field would show at most.
  ASSERT_TRUE(Operate({3, 6, 3, 6}, {Kind::kSet, 65.0}));
  EXPECT_EQ(Word(MapId::kInj1A, cell), std::min<unsigned>(65000u, WordFromPercent(1000, base)));
  ASSERT_TRUE(Operate({3, 6, 3, 6}, {Kind::kSet, -1e300}));
  EXPECT_EQ(Word(MapId::kInj1A, cell), 0u);
  EXPECT_EQ(editor_.ShownScale(kInj1A).decimals, 3);
}

TEST_F(MapCellsTest, OnlyCellsThePageLetsTheUserEditChange) {
  image_.SetByte(kAdvanceByThrottleOffset, 0);  // speed only: row 9 alone
  Show(kAdvance);
  const ParameterImage before = image_;
  ASSERT_TRUE(Operate({0, 0, 9, 14}, {Kind::kSet, 20}));
  for (int cell = 0; cell < kMapCells; ++cell) {
    const unsigned expected = CellRow(cell) == 9 ? 20 : StoredCell(before, MapId::kAdvance, cell);
    EXPECT_EQ(StoredCell(image_, MapId::kAdvance, cell), expected) << cell;
  }

  // Channels that follow Inj-1A, and a servo that is off, take nothing.
  image_.SetByte(kJetCouplingModeOffset, 1);
  image_.SetByte(kExhaustServoEnableOffset, 0);
  for (int page : {kInj2A, kInj4A, kExhaustServo}) {
    Show(page);
    const ParameterImage locked = image_;
    EXPECT_TRUE(editor_.EditableCells(page).none()) << page;
    EXPECT_FALSE(Operate({0, 0, 9, 14}, {Kind::kAdd, 5})) << page;
    EXPECT_TRUE(image_ == locked) << page;
  }

  // A throttle-only servo page: column 0.
  EnableServos();
  image_.SetByte(kIntakeServoModeOffset, 2);
  Show(kIntakeServo);
  const CellMask editable = editor_.EditableCells(kIntakeServo);
  EXPECT_EQ(editable, MaskOf({0, 0, 9, 0}));
  EXPECT_FALSE(editor_.ApplyToSelection(kInjB, {Kind::kAdd, 5}));  // nothing selected there
  EXPECT_FALSE(editor_.ApplyToSelection(8, {Kind::kAdd, 5}));      // not a map page
}

TEST_F(MapCellsTest, MinusAndPlusStepTheSelectionWhenThereIsOne) {
  image_.SetByte(kJetCouplingModeOffset, 1);
  for (int page : {kInjB, kInj1A}) {
    Show(page);
    const MapId map = *MapOfPage(page);
    const CellBox box{3, 3, 4, 5};
    for (bool all : {false, true}) {
      controls_.SetChecked(H("CheckBoxAll_Uni"), all);
      editor_.Gather(page);
      editor_.selection(page).SelectBox(box);
      const ParameterImage before = image_;
      // With a selection neither "All" nor the live cell decides.
      ASSERT_TRUE(editor_.ToolStep(page, +1, MapEditor::LiveCell{0, 0}));
      Commit();
      for (int cell = 0; cell < kMapCells; ++cell) {
        const bool inside = box.Contains({CellRow(cell), CellColumn(cell)});
        EXPECT_EQ(StoredCell(image_, map, cell) != StoredCell(before, map, cell), inside)
            << page << " " << all << " " << cell;
      }
      if (page == kInj1A) {
        const int cell = CellIndex(3, 3);
        EXPECT_EQ(PercentFromWord(Word(MapId::kInj2A, cell), Base(WordMap::kInj2A, cell)),
                  PercentFromWord(before.Word(CellOffset(MapId::kInj2A, cell)),
                                  Base(WordMap::kInj2A, cell)) +
                      1);
      }
    }
    // Without a selection "All" steps every cell again.
    editor_.selection(page).Clear();
    const ParameterImage before = image_;
    ASSERT_TRUE(editor_.ToolStep(page, +1, std::nullopt));
    for (int cell = 0; cell < kMapCells; ++cell) {
      EXPECT_NE(StoredCell(image_, map, cell), StoredCell(before, map, cell)) << page << cell;
    }
  }
}

TEST_F(MapCellsTest, EachPageKeepsItsSelectionThroughRefreshes) {
  Show(kAdvance);
  editor_.selection(kAdvance).SelectBox({1, 2, 3, 4});
  Show(kInjB);
  EXPECT_TRUE(editor_.selection(kInjB).empty());
  editor_.selection(kInjB).SelectRow(7, false);
  Show(kAdvance);
  editor_.Layout(kAdvance);
  Commit();
  EXPECT_EQ(editor_.selection(kAdvance).Bounds(), (CellBox{1, 2, 3, 4}));
  EXPECT_EQ(editor_.selection(kInjB).Bounds(), (CellBox{7, 0, 7, 14}));
  // A page that is no map page keeps nothing.
  editor_.selection(8).SelectAll();
  EXPECT_TRUE(editor_.selection(8).empty());
  EXPECT_TRUE(std::as_const(editor_).selection(8).empty());
}

}  // namespace
}  // namespace korvan
