#include "monitor/live_cell.h"

#include <array>

#include "image/page_index.h"

namespace korvan {
namespace {

// Row percentages of the map grid.
constexpr std::array<int, kLiveRowCount> kThrottleRowPercent = {0,  2,  5,  10, 20,
                                                                30, 40, 60, 80, 100};
constexpr int kFirstInjectionPage = kPageInj1A;
constexpr int kLastInjectionPage = kPageInjB;

}  // namespace

int LiveSpeedColumn(std::uint16_t engine_speed_rpm, std::span<const std::uint8_t, 15> rpm_axis) {
  const long twice_rpm = 2L * engine_speed_rpm;
  for (int i = 0; i + 1 < kLiveColumnCount; ++i) {
    if (twice_rpm < (static_cast<long>(rpm_axis[i]) + rpm_axis[i + 1]) * 100) return i;
  }
  return kLiveColumnCount - 1;
}

std::optional<int> LiveThrottleRow(const LiveValues& live) {
  if (live.tp_error) return std::nullopt;
  // The throttle comes in 0.1 %; / 5 gives twice the percentage, truncated.
  const int twice_percent = live.throttle_position / 5;
  for (int i = 0; i + 1 < kLiveRowCount; ++i) {
    if (twice_percent < kThrottleRowPercent[i] + kThrottleRowPercent[i + 1]) return i;
  }
  return kLiveRowCount - 1;
}

std::optional<int> LiveIapRow(const LiveValues& live, std::span<const std::uint16_t, 10> iap_axis) {
  if (live.iap_error) return std::nullopt;
  const long twice_iap = 2L * live.iap;
  for (int i = 0; i + 1 < kLiveRowCount; ++i) {
    if (twice_iap < static_cast<long>(iap_axis[i]) + iap_axis[i + 1]) return i;
  }
  return kLiveRowCount - 1;
}

MapCursor ComputeMapCursor(const LiveValues& live, std::span<const std::uint8_t, 15> rpm_axis,
                           std::span<const std::uint16_t, 10> iap_axis, const MapPageFacts& page) {
  MapCursor cursor;
  cursor.column = LiveSpeedColumn(live.engine_speed, rpm_axis);
  cursor.throttle_row = LiveThrottleRow(live);
  cursor.iap_row = LiveIapRow(live, iap_axis);
  const bool servo_page = page.page == kPageIntakeServo || page.page == kPageExhaustServo;
  const bool engine_turns = live.engine_speed != 0;
  cursor.column_header_lit = engine_turns || servo_page;

  std::optional<int> row = cursor.throttle_row;
  int column = cursor.column;
  bool map_page = true;
  bool coloured = false;
  LiveCellShade shade = LiveCellShade::kLime;
  if (page.page == kPageAdvance) {
    if (!page.advance_by_throttle) row = kLiveRowCount - 1;
    coloured = engine_turns;
  } else if (page.page >= kFirstInjectionPage && page.page <= kLastInjectionPage) {
    coloured = engine_turns && live.throttle_share_partial;
    if (live.throttle_share_below_full) shade = LiveCellShade::kYellow;
  } else if (page.page == kPageInjIap) {
    row = cursor.iap_row;
    coloured = engine_turns && live.throttle_share_below_full;
    if (live.throttle_share_partial) shade = LiveCellShade::kYellow;
  } else if (servo_page) {
    if (page.servo_mode == 1) row = kLiveRowCount - 1;
    if (page.servo_mode == 2) column = 0;
    coloured = true;
  } else {
    map_page = false;
  }
  if (map_page && row.has_value()) {
    cursor.operating_cell = LiveCell{.row = *row, .column = column, .shade = shade};
    if (coloured) cursor.cell = cursor.operating_cell;
  }
  return cursor;
}

std::optional<LiveCell> LiveToolCell(const LiveValues& live, const MapCursor& cursor) {
  if (live.engine_speed == 0) return std::nullopt;
  return cursor.operating_cell;
}

}  // namespace korvan
