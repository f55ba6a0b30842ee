#include "maps/map_operations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvan {
namespace {

using Kind = MapOperationKind;

struct Set {
  int row;
  int column;
  double value;
};

// A grid of zeros with a few cells set.
ShownGrid Grid(const std::vector<Set>& cells) {
  ShownGrid grid{};
  for (const Set& s : cells) grid[static_cast<std::size_t>(CellIndex(s.row, s.column))] = s.value;
  return grid;
}

CellMask All() { return MaskOf({0, 0, kMapRows - 1, kMapColumns - 1}); }

struct Case {
  std::string name;
  CellMask selected;
  ShownGrid before;
  MapOperation operation;
  std::vector<Set> expected;  // cells whose value the operation sets; every other keeps its own
  GridAxes axes = EvenAxes();
  CellMask readable = All();
};

GridAxes UnevenColumns() {
  GridAxes axes = EvenAxes();
  axes.columns = {1000,  2000,  5000,  6000,  7000,  8000,  9000, 10000,
                  11000, 12000, 13000, 14000, 15000, 16000, 17000};
  return axes;
}

GridAxes FlatColumns() {
  GridAxes axes = EvenAxes();
  axes.columns.fill(3000);  // no spacing to go by: the cells are spaced evenly
  return axes;
}

CellMask Cells(std::initializer_list<GridCell> cells) {
  CellMask mask;
  for (GridCell c : cells) mask.set(static_cast<std::size_t>(CellIndex(c.row, c.column)));
  return mask;
}

std::vector<Case> Cases() {
  const ShownGrid ramp_ends = Grid({{0, 0, 10}, {0, 4, 50}, {1, 0, 20}, {1, 4, 20}});
  const ShownGrid corners = Grid({{2, 2, 0}, {2, 4, 20}, {4, 2, 40}, {4, 4, 60}});
  const ShownGrid spike = Grid({{5, 5, 16}});
  return {
      {"SetTakesTheValue",
       MaskOf({1, 1, 2, 2}),
       Grid({{1, 1, 7}}),
       {Kind::kSet, 5.5},
       {{1, 1, 5.5}, {1, 2, 5.5}, {2, 1, 5.5}, {2, 2, 5.5}}},
      {"AddTakesAway",
       Cells({{0, 0}, {3, 3}}),
       Grid({{0, 0, 7}, {3, 3, 2}, {0, 1, 9}}),
       {Kind::kAdd, -3},
       {{0, 0, 4}, {3, 3, -1}}},
      {"ScaleIsAPercentOfTheValue",
       Cells({{0, 0}, {0, 1}}),
       Grid({{0, 0, 40}, {0, 1, 7}}),
       {Kind::kScale, 150},
       {{0, 0, 60}, {0, 1, 10.5}}},
      {"RowsRunBetweenTheirEnds",
       MaskOf({0, 0, 1, 4}),
       ramp_ends,
       {Kind::kInterpolateRows, 0},
       {{0, 1, 20}, {0, 2, 30}, {0, 3, 40}, {1, 1, 20}, {1, 2, 20}, {1, 3, 20}}},
      {"RowsFollowTheRpmAxis",
       MaskOf({0, 0, 0, 2}),
       Grid({{0, 0, 10}, {0, 2, 50}}),
       {Kind::kInterpolateRows, 0},
       {{0, 1, 20}},
       UnevenColumns()},
      {"RowsOnAFlatAxisAreSpacedEvenly",
       MaskOf({0, 0, 0, 2}),
       Grid({{0, 0, 10}, {0, 2, 50}}),
       {Kind::kInterpolateRows, 0},
       {{0, 1, 30}},
       FlatColumns()},
      // A row with one selected cell has no ends: it keeps its value.
      {"RowsOfOneCellStay",
       Cells({{0, 0}, {1, 3}, {0, 4}}),
       ramp_ends,
       {Kind::kInterpolateRows, 0},
       {}},
      {"RowsLeaveUnselectedCellsBetween",
       Cells({{0, 0}, {0, 2}, {0, 4}}),
       ramp_ends,
       {Kind::kInterpolateRows, 0},
       {{0, 2, 30}}},
      {"ColumnsRunBetweenTheirEnds",
       MaskOf({0, 0, 4, 0}),
       Grid({{0, 0, 100}, {4, 0, 0}}),
       {Kind::kInterpolateColumns, 0},
       {{1, 0, 75}, {2, 0, 50}, {3, 0, 25}}},
      {"ColumnsFollowTheThrottleRows",
       MaskOf({0, 0, 2, 0}),
       Grid({{0, 0, 0}, {2, 0, 50}}),
       {Kind::kInterpolateColumns, 0},
       {{1, 0, 20}},
       GridAxes{{0, 2, 5, 10, 20, 30, 40, 60, 80, 100}, EvenAxes().columns}},
      {"CornersSpanTheBox",
       MaskOf({2, 2, 4, 4}),
       corners,
       {Kind::kInterpolateCorners, 0},
       {{2, 3, 10}, {3, 2, 20}, {3, 3, 30}, {3, 4, 40}, {4, 3, 50}}},
      // A one-row box: the corners pair up and the row runs between its ends.
      {"CornersOfOneRow",
       MaskOf({0, 0, 0, 4}),
       ramp_ends,
       {Kind::kInterpolateCorners, 0},
       {{0, 1, 20}, {0, 2, 30}, {0, 3, 40}}},
      // Unselected corners still give their values; unselected cells inside keep theirs.
      {"CornersOfASet",
       Cells({{2, 2}, {3, 3}, {4, 4}}),
       corners,
       {Kind::kInterpolateCorners, 0},
       {{3, 3, 30}}},
      {"SmoothOneSpike",
       Cells({{5, 5}, {5, 6}, {6, 6}}),
       spike,
       {Kind::kSmooth, 1},
       {{5, 5, 4}, {5, 6, 2}, {6, 6, 1}}},
      {"SmoothHalfStrength", Cells({{5, 5}}), spike, {Kind::kSmooth, 0.5}, {{5, 5, 10}}},
      {"SmoothStrengthIsLimited", Cells({{5, 5}}), spike, {Kind::kSmooth, 7}, {{5, 5, 4}}},
      {"SmoothNothingAtStrengthZero", Cells({{5, 5}}), spike, {Kind::kSmooth, 0}, {}},
      // A corner cell has three neighbours: weights 4 + 2 + 2 + 1.
      {"SmoothCorner", Cells({{0, 0}}), Grid({{0, 0, 9}}), {Kind::kSmooth, 1}, {{0, 0, 4}}},
      {"SmoothEdge", Cells({{9, 7}}), Grid({{9, 7, 12}}), {Kind::kSmooth, 1}, {{9, 7, 4}}},
      // A speed-only page shows row 9 alone: the rows above are not read.
      {"SmoothReadsOnlyShownCells",
       Cells({{9, 5}}),
       Grid({{9, 5, 8}, {8, 5, 100}, {8, 4, 100}}),
       {Kind::kSmooth, 1},
       {{9, 5, 4}},
       EvenAxes(),
       MaskOf({9, 0, 9, 14})},
  };
}

TEST(MapOperationsTest, KnownResultsOfSmallSelections) {
  for (const Case& c : Cases()) {
    ShownGrid expected = c.before;
    for (const Set& s : c.expected) {
      expected[static_cast<std::size_t>(CellIndex(s.row, s.column))] = s.value;
    }
    const ShownGrid after =
        ApplyMapOperation(c.before, c.selected, c.readable, c.axes, c.operation);
    for (int cell = 0; cell < kMapCells; ++cell) {
      const auto i = static_cast<std::size_t>(cell);
      EXPECT_NEAR(after[i], expected[i], 1e-9)
          << c.name << ": row " << CellRow(cell) << ", column " << CellColumn(cell);
    }
  }
}

// Smoothing and interpolation read the values as they were: the order the cells are worked in
// must not matter.
TEST(MapOperationsTest, SmoothingReadsTheValuesBeforeIt) {
  ShownGrid stairs{};
  for (int cell = 0; cell < kMapCells; ++cell) {
    stairs[static_cast<std::size_t>(cell)] = CellColumn(cell) * 10.0;
  }
  const ShownGrid after =
      ApplyMapOperation(stairs, All(), All(), EvenAxes(), MapOperation{Kind::kSmooth, 1});
  // A straight slope stays straight inside; at the edges the mean leans inwards.
  EXPECT_NEAR(after[static_cast<std::size_t>(CellIndex(4, 7))], 70, 1e-9);
  EXPECT_NEAR(after[static_cast<std::size_t>(CellIndex(4, 8))], 80, 1e-9);
  EXPECT_NEAR(after[static_cast<std::size_t>(CellIndex(4, 0))], 10.0 * 2 / 6, 1e-9);
  EXPECT_NEAR(after[static_cast<std::size_t>(CellIndex(4, 14))], 140 - 10.0 * 2 / 6, 1e-9);
}

}  // namespace
}  // namespace korvan
