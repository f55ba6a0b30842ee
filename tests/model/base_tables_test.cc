#include "model/base_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "image/map_storage.h"

namespace korvan {
namespace {

struct StepCase {
  std::uint16_t x0, x1, x, y0, y1, expected;
};

class LinearStepTest : public testing::TestWithParam<StepCase> {};

TEST_P(LinearStepTest, ClampsAndTruncatesTowardTheSmallerValue) {
  const StepCase& c = GetParam();
  EXPECT_EQ(LinearStep(c.x0, c.x1, c.x, c.y0, c.y1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinearStepTest,
                         testing::Values(StepCase{10, 20, 5, 100, 200, 100},   // before the segment
                                         StepCase{10, 20, 10, 100, 200, 100},  // on x0
                                         StepCase{10, 20, 25, 100, 200, 200},  // after the segment
                                         StepCase{10, 20, 20, 100, 200, 200},  // on x1
                                         StepCase{10, 20, 15, 300, 300, 300},  // flat
                                         StepCase{0, 3, 1, 0, 10, 3},          // rising: 3.33 -> 3
                                         StepCase{0, 3, 2, 0, 10, 6},          // rising: 6.67 -> 6
                                         StepCase{0, 3, 1, 10, 0, 6},          // falling: 6.67 -> 6
                                         StepCase{0, 3, 2, 10, 0, 3},          // falling: 3.33 -> 3
                                         StepCase{4000, 6000, 5000, 2140, 1610, 1875},
                                         // products above 16 bits stay exact in 32
                                         StepCase{1000, 16000, 15999, 0, 65535, 65530}));

TEST(BaseTablesTest, SelectionByBikeCode) {
  struct Case {
    int code;
    int group;
    bool wide;
  };
  for (const Case& c :
       {Case{0, 1, false}, Case{42, 1, false}, Case{43, 1, false}, Case{11, 7, false},
        Case{49, 7, false}, Case{8, 9, true}, Case{45, 9, true}, Case{26, 19, true},
        Case{50, 19, true}, Case{60, 19, true}, Case{255, 19, true}, Case{34, 22, true},
        Case{47, 22, true}, Case{39, 23, true}, Case{30, 21, false}, Case{27, 20, false}}) {
    const BaseTableSelection selection = SelectBaseTables(c.code);
    EXPECT_EQ(selection.group, c.group) << c.code;
    EXPECT_EQ(selection.wide, c.wide) << c.code;
    const std::size_t cells = c.wide ? 150u : 100u;
    EXPECT_EQ(selection.a.size(), cells) << c.code;
    EXPECT_EQ(selection.b.size(), cells) << c.code;
    EXPECT_EQ(selection.iap.size(), cells) << c.code;
  }
  // 34 and 47 share A and B but not IAP; 39 borrows the IAP table of group 19.
  EXPECT_EQ(SelectBaseTables(34).a.data(), SelectBaseTables(47).a.data());
  EXPECT_NE(SelectBaseTables(34).iap.data(), SelectBaseTables(47).iap.data());
  EXPECT_EQ(SelectBaseTables(39).iap.data(), SelectBaseTables(26).iap.data());
  EXPECT_NE(SelectBaseTables(39).a.data(), SelectBaseTables(26).a.data());
}

// Fills the engine-speed axes of all five word maps with one stored value.
void SetAxes(ParameterImage& image, std::uint8_t axis_byte) {
  for (MapId map : {MapId::kInj1A, MapId::kInj2A, MapId::kInj3A, MapId::kInj4A, MapId::kInjIap}) {
    for (int c = 0; c < kMapColumns; ++c) image.SetByte(AxisOffset(map, c), axis_byte);
  }
}

struct CellCase {
  int axis_byte;
  int row;
  std::uint16_t expected;
};

class Bike0BaseTimeTest : public testing::TestWithParam<CellCase> {};

// The A table of bike 0 interpolated on the 10-column breakpoints.
TEST_P(Bike0BaseTimeTest, Inj1ACell) {
  const CellCase& c = GetParam();
  ParameterImage image;
  SetAxes(image, static_cast<std::uint8_t>(c.axis_byte));
  WordMapState state;
  ComputeBaseTimes(image, SelectBaseTables(0), state);
  EXPECT_EQ(state.BaseTime(WordMap::kInj1A)[static_cast<size_t>(CellIndex(c.row, 3))], c.expected);
  // 4A reads the same A table.
  EXPECT_EQ(state.BaseTime(WordMap::kInj4A)[static_cast<size_t>(CellIndex(c.row, 3))], c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, Bike0BaseTimeTest,
    testing::Values(CellCase{10, 0, 2500},   // first breakpoint
                    CellCase{3, 0, 2500},    // below it: first column
                    CellCase{50, 0, 1875},   // between 4000 and 6000 rpm, falling
                    CellCase{15, 0, 2185},   // falling 2500..1870: 1870 + 500 x 630 / 1000
                    CellCase{160, 9, 9000},  // last breakpoint
                    CellCase{250, 9, 9000},  // above it: last column
                    CellCase{25, 9, 7250},   // rising 6870..7630 at 2500 rpm
                    CellCase{140, 4, 3640}));

TEST(BaseTablesTest, FloorOf100Microseconds) {
  std::array<std::uint16_t, 100> table{};
  table.fill(5);
  EXPECT_EQ(BaseTimeAt(table, kBaseSpeeds10, kBaseThrottleRows, 3000, 200), 100);
  table.fill(0);
  EXPECT_EQ(BaseTimeAt(table, kBaseSpeeds10, kBaseThrottleRows, 25500, 1000), 100);
  table.fill(11);
  EXPECT_EQ(BaseTimeAt(table, kBaseSpeeds10, kBaseThrottleRows, 3000, 200), 110);
  // A table too short for the grid it is read as.
  EXPECT_EQ(BaseTimeAt(std::span(table).first(99), kBaseSpeeds10, kBaseThrottleRows, 3000, 200),
            100);
  EXPECT_EQ(BaseTimeAt(table, kBaseSpeeds15, kBaseThrottleRows, 3000, 200), 100);
}

// A table whose value tells its row and column: row k, column j holds 100 x k + j + 11.
template <std::size_t N>
std::array<std::uint16_t, N> IndexTable(int columns) {
  std::array<std::uint16_t, N> table{};
  for (std::size_t i = 0; i < N; ++i) {
    table[i] = static_cast<std::uint16_t>(100 * (static_cast<int>(i) / columns) +
                                          static_cast<int>(i) % columns + 11);
  }
  return table;
}

TEST(BaseTablesTest, CornersOfTheSegments) {
  const auto table = IndexTable<150>(15);
  // 16000 rpm is the last 15-column breakpoint, 15000 lies between 14000 and 16000.
  EXPECT_EQ(BaseTimeAt(table, kBaseSpeeds15, kBaseThrottleRows, 16000, 0), 250);
  EXPECT_EQ(BaseTimeAt(table, kBaseSpeeds15, kBaseThrottleRows, 15000, 0), 245);
  // A row value between two row breakpoints: 750 on the 100..1000 IAP rows lies between rows 6
  // and 7 (breakpoints 700 and 800; 6110 and 7110 at column 0): 6110 + 50 x 1000 / 100.
  const auto narrow = IndexTable<100>(10);
  EXPECT_EQ(BaseTimeAt(narrow, kBaseSpeeds10, kBaseIapRows10, 1000, 750), 6610);
  // Rows below the first breakpoint use the first row, above the last the last.
  EXPECT_EQ(BaseTimeAt(narrow, kBaseSpeeds10, kBaseIapRows10, 1000, 50), 110);
  EXPECT_EQ(BaseTimeAt(narrow, kBaseSpeeds10, kBaseIapRows10, 1000, 1000), 9110);
}

TEST(BaseTablesTest, IapRowsIgnoreTheEditableRowAxis) {
  ParameterImage image;
  SetAxes(image, 60);
  WordMapState state;
  ComputeBaseTimes(image, SelectBaseTables(0), state);
  const CellArray before = state.BaseTime(WordMap::kInjIap);
  for (int i = 0; i < 10; ++i) image.SetWord(kIapRowAxisWord + i, 999 - i);
  ComputeBaseTimes(image, SelectBaseTables(0), state);
  EXPECT_EQ(state.BaseTime(WordMap::kInjIap), before);
  // On a 10-column table grid row 0 (300) lies on the third IAP row, row 4 (750) between two.
  const auto iap = SelectBaseTables(0).iap;
  EXPECT_EQ(before[static_cast<size_t>(CellIndex(0, 0))],
            BaseTimeAt(iap, kBaseSpeeds10, kBaseIapRows10, 6000, 300));
  EXPECT_EQ(before[static_cast<size_t>(CellIndex(0, 0))], iap[2 * 10 + 4] * 10);
}

TEST(BaseTablesTest, EachChannelReadsItsOwnAxisAndTable) {
  ParameterImage image;
  SetAxes(image, 40);
  for (int c = 0; c < kMapColumns; ++c) image.SetByte(AxisOffset(MapId::kInj3A, c), 60);
  WordMapState state;
  const BaseTableSelection tables = SelectBaseTables(11);
  ComputeBaseTimes(image, tables, state);
  // 2A at 4000 rpm on the B table, 3A at 6000 rpm.
  EXPECT_EQ(state.BaseTime(WordMap::kInj2A)[0], tables.b[3] * 10);
  EXPECT_EQ(state.BaseTime(WordMap::kInj3A)[0], tables.b[4] * 10);
  EXPECT_EQ(state.BaseTime(WordMap::kInj1A)[0], tables.a[3] * 10);
  EXPECT_EQ(state.BaseTime(WordMap::kInj1A)[static_cast<size_t>(CellIndex(9, 0))],
            tables.a[9 * 10 + 3] * 10);
}

TEST(BaseTablesTest, WideTablesUseTheFifteenPointBreakpoints) {
  ParameterImage image;
  SetAxes(image, 50);  // 5000 rpm: a breakpoint of its own only in the 15-column set
  WordMapState state;
  const BaseTableSelection tables = SelectBaseTables(60);
  ASSERT_TRUE(tables.wide);
  ComputeBaseTimes(image, tables, state);
  EXPECT_EQ(state.BaseTime(WordMap::kInj1A)[0], tables.a[4] * 10);
  // IAP grid row 0 (300) is the first row of a 15-column IAP table.
  EXPECT_EQ(state.BaseTime(WordMap::kInjIap)[0], tables.iap[4] * 10);
}

TEST(BaseTablesTest, EveryBikeGivesBaseTimesOfAtLeast100) {
  for (int code = 0; code < 256; ++code) {
    for (int axis : {0, 3, 77, 255}) {
      ParameterImage image;
      SetAxes(image, static_cast<std::uint8_t>(axis));
      WordMapState state;
      ComputeBaseTimes(image, SelectBaseTables(code), state);
      for (const CellArray& base : state.base_time) {
        for (std::uint16_t v : base) ASSERT_GE(v, 100) << code;
      }
    }
  }
}

}  // namespace
}  // namespace korvan
