#include "monitor/live_cell.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>

namespace korvan {
namespace {

// 1000 rpm .. 15000 rpm in steps of 1000, in hundreds of rpm.
constexpr std::array<std::uint8_t, 15> kRpmAxis = {10, 20,  30,  40,  50,  60,  70, 80,
                                                   90, 100, 110, 120, 130, 140, 150};
// 20 .. 110 kPa.
constexpr std::array<std::uint16_t, 10> kIapAxis = {20, 30, 40, 50, 60, 70, 80, 90, 100, 110};

TEST(LiveSpeedColumnTest, NearestPointWithTiesGoingUp) {
  struct Case {
    int rpm;
    int column;
  };
  for (const Case c :
       {Case{0, 0}, Case{1000, 0}, Case{1499, 0}, Case{1500, 1}, Case{2000, 1}, Case{7499, 6},
        Case{7500, 7}, Case{14499, 13}, Case{14500, 14}, Case{15000, 14}, Case{65535, 14}}) {
    EXPECT_EQ(LiveSpeedColumn(static_cast<std::uint16_t>(c.rpm), kRpmAxis), c.column)
        << c.rpm << " rpm";
  }
}

TEST(LiveSpeedColumnTest, NonRisingAxisStillGivesAColumn) {
  std::array<std::uint8_t, 15> flat{};
  EXPECT_EQ(LiveSpeedColumn(0, flat), 14);
  std::array<std::uint8_t, 15> top{};
  top.fill(255);
  EXPECT_EQ(LiveSpeedColumn(65535, top), 14);
  EXPECT_EQ(LiveSpeedColumn(25499, top), 0);
}

TEST(LiveThrottleRowTest, NearestRowPercentage) {
  struct Case {
    int tenths;
    int row;
  };
  // Rows 0, 2, 5, 10, 20, 30, 40, 60, 80, 100 %; the comparison is on tenths / 5.
  for (const Case c : {Case{0, 0}, Case{9, 0}, Case{10, 1}, Case{24, 1}, Case{34, 1}, Case{35, 2},
                       Case{74, 2}, Case{75, 3}, Case{499, 6}, Case{500, 7}, Case{699, 7},
                       Case{700, 8}, Case{899, 8}, Case{900, 9}, Case{1000, 9}, Case{65535, 9}}) {
    LiveValues live;
    live.throttle_position = static_cast<std::uint16_t>(c.tenths);
    EXPECT_EQ(LiveThrottleRow(live), c.row) << c.tenths << " x 0.1 %";
  }
}

TEST(LiveThrottleRowTest, NoRowOnThrottleSensorError) {
  LiveValues live;
  live.throttle_position = 500;
  live.tp_error = true;
  EXPECT_EQ(LiveThrottleRow(live), std::nullopt);
}

TEST(LiveIapRowTest, NearestPressurePoint) {
  struct Case {
    int kpa;
    int row;
  };
  for (const Case c : {Case{0, 0}, Case{24, 0}, Case{25, 1}, Case{104, 8}, Case{105, 9},
                       Case{110, 9}, Case{65535, 9}}) {
    LiveValues live;
    live.iap = static_cast<std::uint16_t>(c.kpa);
    EXPECT_EQ(LiveIapRow(live, kIapAxis), c.row) << c.kpa << " kPa";
  }
  LiveValues broken;
  broken.iap = 50;
  broken.iap_error = true;
  EXPECT_EQ(LiveIapRow(broken, kIapAxis), std::nullopt);
}

// Engine at 4000 rpm (column 3), throttle 10 % (row 3), 60 kPa (row 4), injection position valid.
LiveValues RunningEngine(int share) {
  LiveValues live;
  live.engine_speed = 4000;
  live.throttle_position = 100;
  live.iap = 60;
  live.throttle_share = static_cast<std::uint8_t>(share);
  live.throttle_share_partial = share > 0;
  live.throttle_share_below_full = share < 100;
  return live;
}

struct CursorCase {
  const char* name;
  MapPageFacts page;
  LiveValues live;
  std::optional<LiveCell> cell;
};

constexpr LiveCellShade kLime = LiveCellShade::kLime;
constexpr LiveCellShade kYellow = LiveCellShade::kYellow;

LiveValues With(LiveValues live, void (*change)(LiveValues&)) {
  change(live);
  return live;
}

TEST(ComputeMapCursorTest, CellByPage) {
  const LiveValues standing = With(RunningEngine(100), [](LiveValues& l) { l.engine_speed = 0; });
  const LiveValues tp_error = With(RunningEngine(100), [](LiveValues& l) { l.tp_error = true; });
  const LiveValues iap_error = With(RunningEngine(0), [](LiveValues& l) { l.iap_error = true; });
  // The decoder clears both share flags while the injection-map position is invalid.
  const LiveValues position_invalid = With(RunningEngine(50), [](LiveValues& l) {
    l.injection_position_invalid = true;
    l.throttle_share_partial = false;
    l.throttle_share_below_full = false;
  });
  const CursorCase cases[] = {
      {"advance", {.page = 1}, RunningEngine(100), LiveCell{3, 3, kLime}},
      {"advance standing", {.page = 1}, standing, std::nullopt},
      {"advance not by throttle pins row 9",
       {.page = 1, .advance_by_throttle = false},
       RunningEngine(100),
       LiveCell{9, 3, kLime}},
      {"advance tp error", {.page = 1}, tp_error, std::nullopt},
      {"advance pinned row survives tp error",
       {.page = 1, .advance_by_throttle = false},
       tp_error,
       LiveCell{9, 3, kLime}},
      {"inj full share", {.page = 3}, RunningEngine(100), LiveCell{3, 3, kLime}},
      {"inj half share", {.page = 3}, RunningEngine(50), LiveCell{3, 3, kYellow}},
      {"inj no share", {.page = 3}, RunningEngine(0), std::nullopt},
      {"inj standing", {.page = 2}, standing, std::nullopt},
      {"inj tp error", {.page = 6}, tp_error, std::nullopt},
      {"inj position invalid", {.page = 4}, position_invalid, std::nullopt},
      {"iap no share", {.page = 7}, RunningEngine(0), LiveCell{4, 3, kLime}},
      {"iap half share", {.page = 7}, RunningEngine(50), LiveCell{4, 3, kYellow}},
      {"iap full share", {.page = 7}, RunningEngine(100), std::nullopt},
      {"iap error", {.page = 7}, iap_error, std::nullopt},
      {"iap ignores tp error",
       {.page = 7},
       With(RunningEngine(0), [](LiveValues& l) { l.tp_error = true; }),
       LiveCell{4, 3, kLime}},
      {"iap position invalid", {.page = 7}, position_invalid, std::nullopt},
      {"servo", {.page = 11}, RunningEngine(100), LiveCell{3, 3, kLime}},
      {"servo standing", {.page = 12}, standing, LiveCell{3, 0, kLime}},
      {"servo mode 1 pins row 9",
       {.page = 11, .servo_mode = 1},
       RunningEngine(100),
       LiveCell{9, 3, kLime}},
      {"servo mode 2 pins column 0",
       {.page = 12, .servo_mode = 2},
       RunningEngine(100),
       LiveCell{3, 0, kLime}},
      {"servo tp error", {.page = 11}, tp_error, std::nullopt},
      {"servo mode 1 survives tp error",
       {.page = 11, .servo_mode = 1},
       tp_error,
       LiveCell{9, 3, kLime}},
      {"not a map page", {.page = 9}, RunningEngine(100), std::nullopt},
  };
  for (const CursorCase& c : cases) {
    const MapCursor cursor = ComputeMapCursor(c.live, kRpmAxis, kIapAxis, c.page);
    EXPECT_EQ(cursor.cell, c.cell) << c.name;
  }
}

TEST(ComputeMapCursorTest, HeadersAndRowLabelsUseTheUnpinnedCursor) {
  const MapCursor servo =
      ComputeMapCursor(RunningEngine(100), kRpmAxis, kIapAxis, {.page = 12, .servo_mode = 2});
  EXPECT_EQ(servo.column, 3);
  EXPECT_TRUE(servo.column_header_lit);
  EXPECT_EQ(servo.throttle_row, 3);
  EXPECT_EQ(servo.iap_row, 4);

  LiveValues standing = RunningEngine(100);
  standing.engine_speed = 0;
  const MapCursor advance = ComputeMapCursor(standing, kRpmAxis, kIapAxis, {.page = 1});
  EXPECT_FALSE(advance.column_header_lit);
  EXPECT_EQ(advance.column, 0);
  const MapCursor servo_standing = ComputeMapCursor(standing, kRpmAxis, kIapAxis, {.page = 11});
  EXPECT_TRUE(servo_standing.column_header_lit);
}

TEST(LiveToolCellTest, AbsentWhileTheEngineStands) {
  LiveValues live = RunningEngine(100);
  const MapCursor running = ComputeMapCursor(live, kRpmAxis, kIapAxis, {.page = 11});
  EXPECT_EQ(LiveToolCell(live, running), (LiveCell{3, 3, kLime}));

  live.engine_speed = 0;
  const MapCursor standing = ComputeMapCursor(live, kRpmAxis, kIapAxis, {.page = 11});
  ASSERT_TRUE(standing.cell.has_value());  // the servo page still colours its cell
  EXPECT_EQ(LiveToolCell(live, standing), std::nullopt);
}

// The throttle share only colours the cursor: the tools act at the operating point whatever it
// is, also where the cursor colours no cell at all.
TEST(LiveToolCellTest, OperatingPointWhateverTheThrottleShare) {
  struct Case {
    const char* name;
    MapPageFacts page;
    std::optional<int> row;  // nothing: no tool cell
    int column;
  };
  const LiveValues position_invalid = With(RunningEngine(50), [](LiveValues& l) {
    l.injection_position_invalid = true;
    l.throttle_share_partial = false;
    l.throttle_share_below_full = false;
  });
  const Case cases[] = {
      {"advance", {.page = 1}, 3, 3},
      {"advance pinned to row 9", {.page = 1, .advance_by_throttle = false}, 9, 3},
      {"inj-1a", {.page = 2}, 3, 3},
      {"inj-2a", {.page = 3}, 3, 3},
      {"inj-b", {.page = 6}, 3, 3},
      {"inj-iap takes the pressure row", {.page = 7}, 4, 3},
      {"servo mode 2", {.page = 12, .servo_mode = 2}, 3, 0},
      {"no map", {.page = 8}, std::nullopt, 0},
  };
  for (const int share : {0, 50, 100}) {
    for (const LiveValues& live : {RunningEngine(share), position_invalid}) {
      for (const Case& c : cases) {
        const MapCursor cursor = ComputeMapCursor(live, kRpmAxis, kIapAxis, c.page);
        const std::optional<LiveCell> cell = LiveToolCell(live, cursor);
        ASSERT_EQ(cell.has_value(), c.row.has_value()) << c.name << ", share " << share;
        if (!cell) continue;
        EXPECT_EQ(cell->row, *c.row) << c.name << ", share " << share;
        EXPECT_EQ(cell->column, c.column) << c.name << ", share " << share;
      }
    }
  }
}

}  // namespace
}  // namespace korvan
