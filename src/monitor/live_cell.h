#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "monitor/live_values.h"

namespace korvan {

inline constexpr int kLiveColumnCount = 15;  // engine-speed points of a map
inline constexpr int kLiveRowCount = 10;     // throttle or pressure rows of a map

// Nearest point of an engine-speed axis (hundreds of rpm): the first column i in 0..13 with
// 2 x rpm < (axis[i] + axis[i+1]) x 100, else 14. Half-way takes the upper point. Always valid,
// also at 0 rpm (column 0 for any sensible axis).
int LiveSpeedColumn(std::uint16_t engine_speed_rpm, std::span<const std::uint8_t, 15> rpm_axis);

// Nearest throttle row of the map grid (0, 2, 5, 10 ... 100 %); nothing on a throttle sensor
// error.
std::optional<int> LiveThrottleRow(const LiveValues& live);

// Nearest row of the pressure axis (kPa, ten words); nothing on a pressure sensor error.
std::optional<int> LiveIapRow(const LiveValues& live, std::span<const std::uint16_t, 10> iap_axis);

// What the cursor needs to know about the active map page.
struct MapPageFacts {
  int page = 1;                     // PageIndex: 1 Advance, 2..6 Inj-1A..Inj-B, 7 Inj-IAP, 11, 12
  bool advance_by_throttle = true;  // image byte 40 != 0; when clear the Advance row is pinned to 9
  std::uint8_t servo_mode = 0;      // image byte 65 (page 11) or 64 (page 12): 1 pins row 9,
                                    // 2 pins column 0
};

enum class LiveCellShade : std::uint8_t {
  kLime,    // the engine runs on this cell
  kYellow,  // the cell takes only part of the injection (throttle / pressure share)
};

struct LiveCell {
  int row = 0;
  int column = 0;
  LiveCellShade shade = LiveCellShade::kLime;
  friend bool operator==(const LiveCell&, const LiveCell&) = default;
};

// The live cursor of a map page for one tick.
struct MapCursor {
  int column = 0;                   // nearest engine-speed column, before any pinning
  bool column_header_lit = false;   // engine speed not 0, or a servo page
  std::optional<int> throttle_row;  // nearest throttle row, before pinning (row labels)
  std::optional<int> iap_row;       // nearest pressure row (pressure axis fields)
  std::optional<LiveCell> cell;     // the coloured cell, pinned by page mode; nothing = no cell
  // The cell at the engine's operating point, pinned by page mode like the coloured one, whatever
  // the throttle share says about its colour; nothing on a page without a map or when a sensor
  // error takes the row away.
  std::optional<LiveCell> operating_cell;
};

// Advance: (throttle row, column), lime, when the engine turns. Inj-1A..Inj-B: (throttle row,
// column) while the throttle share is partial, yellow below full. Inj-IAP: (pressure row,
// column) while the share is below full, yellow when partial. Servo pages: lime whatever the
// engine speed. Both share flags are false while the injection-map position is invalid, so the
// injection pages then show no cell; a sensor error removes the row and with it the cell (unless
// the page pins the row). Pages without a map give a cursor without a cell.
MapCursor ComputeMapCursor(const LiveValues& live, std::span<const std::uint8_t, 15> rpm_axis,
                           std::span<const std::uint16_t, 10> iap_axis, const MapPageFacts& page);

// The cell the Plus and Minus tools act on when "All" is off: the cell at the operating point
// while the engine turns, whether or not the cursor colours it (the throttle share only chooses
// the colour); nothing while the engine stands (a servo page colours a cell even then).
std::optional<LiveCell> LiveToolCell(const LiveValues& live, const MapCursor& cursor);

}  // namespace korvan
