#include "maps/map_selection.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

CellBox Box(const MapSelection& s) { return s.Bounds().value_or(CellBox{-1, -1, -1, -1}); }

TEST(MapSelectionTest, PlainClickMarksNothingAndShiftClickSpansFromIt) {
  MapSelection s;
  s.PlaceAnchor({2, 3});
  EXPECT_TRUE(s.empty());
  EXPECT_EQ(s.anchor(), (GridCell{2, 3}));
  s.ExtendTo({0, 5});  // up and right of the anchor: the box is the same either way round
  EXPECT_EQ(Box(s), (CellBox{0, 3, 2, 5}));
  EXPECT_EQ(s.count(), 9);
  EXPECT_TRUE(s.IsBox());
  EXPECT_EQ(s.focus(), (GridCell{0, 5}));
  // A drag moves on: the anchor stays, the box follows the pointer, also off the grid.
  s.ExtendTo({40, -7});
  EXPECT_EQ(Box(s), (CellBox{2, 0, 9, 3}));
  s.PlaceAnchor({4, 4});
  EXPECT_TRUE(s.empty());
}

TEST(MapSelectionTest, ShiftArrowsPushTheFocusAndStopAtTheEdge) {
  MapSelection s;
  s.PlaceAnchor({8, 13});
  s.ExtendBy(0, 1);  // from nothing: the anchor and its right neighbour
  EXPECT_EQ(Box(s), (CellBox{8, 13, 8, 14}));
  s.ExtendBy(0, 1);  // the grid ends at column 14
  s.ExtendBy(1, 0);
  s.ExtendBy(1, 0);
  EXPECT_EQ(Box(s), (CellBox{8, 13, 9, 14}));
  s.ExtendBy(-3, -2);  // past the anchor: the box turns over
  EXPECT_EQ(Box(s), (CellBox{6, 12, 8, 13}));
  EXPECT_EQ(s.anchor(), (GridCell{8, 13}));
}

TEST(MapSelectionTest, HeadersSelectWholeRowsAndColumns) {
  MapSelection s;
  s.SelectRow(3, false);
  EXPECT_EQ(Box(s), (CellBox{3, 0, 3, 14}));
  s.SelectRow(6, true);
  EXPECT_EQ(Box(s), (CellBox{3, 0, 6, 14}));
  s.ExtendBy(1, 0);  // Shift+Down after a row: one row more, still the whole width
  EXPECT_EQ(Box(s), (CellBox{3, 0, 7, 14}));

  s.SelectColumn(9, false);
  EXPECT_EQ(Box(s), (CellBox{0, 9, 9, 9}));
  s.SelectColumn(7, true);
  EXPECT_EQ(Box(s), (CellBox{0, 7, 9, 9}));
  EXPECT_EQ(s.count(), 30);

  s.SelectAll();
  EXPECT_EQ(s.count(), kMapCells);
  s.Clear();
  EXPECT_TRUE(s.empty());
  EXPECT_FALSE(s.Bounds().has_value());
}

TEST(MapSelectionTest, CtrlClickMakesASetWhoseBoundsSpanIt) {
  MapSelection s;
  s.Toggle({1, 1});
  s.Toggle({4, 6});
  EXPECT_EQ(s.count(), 2);
  EXPECT_FALSE(s.IsBox());
  EXPECT_EQ(Box(s), (CellBox{1, 1, 4, 6}));
  EXPECT_TRUE(s.Contains({4, 6}));
  EXPECT_FALSE(s.Contains({2, 2}));
  EXPECT_FALSE(s.Contains({10, 0}));
  s.Toggle({4, 6});
  EXPECT_EQ(Box(s), (CellBox{1, 1, 1, 1}));
  EXPECT_TRUE(s.IsBox());
}

}  // namespace
}  // namespace korvan
