#pragma once

// The per-bike injection base tables behind the percentage display of the word maps, and the
// interpolation that turns them into one base time per map cell.

#include <array>
#include <cstdint>
#include <span>

#include "image/parameter_image.h"
#include "image/word_map_state.h"

namespace korvan {

inline constexpr int kBaseTableRows = 10;

// The tables chosen for a bike: values in units of 10 microseconds, row by row, 10 rows of
// `columns` values (10, or 15 when the wide-table flag is set).
struct BaseTableSelection {
  int group = 0;  // 1..23
  bool wide = false;
  std::span<const std::uint16_t> a;    // channels 1A and 4A
  std::span<const std::uint16_t> b;    // channels 2A and 3A
  std::span<const std::uint16_t> iap;  // Inj-IAP
  int columns() const { return wide ? 15 : 10; }
};

// Engine-speed breakpoints [rpm] of the 10- and 15-column tables.
inline constexpr std::array<std::uint16_t, 10> kBaseSpeeds10{1000, 2000,  3000,  4000,  6000,
                                                             8000, 10000, 12000, 14000, 16000};
inline constexpr std::array<std::uint16_t, 15> kBaseSpeeds15{
    1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 16000};
// Throttle rows of the A and B tables [0.1 %]; the A..4A grid rows fall exactly on them.
inline constexpr std::array<std::uint16_t, 10> kBaseThrottleRows{0,   20,  50,  100, 200,
                                                                 300, 400, 600, 800, 1000};
// Rows of the IAP tables [0.1 kPa].
inline constexpr std::array<std::uint16_t, 10> kBaseIapRows10{100, 200, 300, 400, 500,
                                                              600, 700, 800, 900, 1000};
inline constexpr std::array<std::uint16_t, 10> kBaseIapRows15{300, 500, 600, 700, 750,
                                                              800, 850, 900, 950, 1000};
// The values at which the IAP grid rows are looked up, whatever the table width (the editable
// IAP row axis of the page does not enter the base times).
inline constexpr std::array<std::uint16_t, 10> kIapGridRowValues = kBaseIapRows15;

// Base times never fall below this [microseconds].
inline constexpr std::uint16_t kMinBaseTime = 100;

// The tables of a bike code (every code from 50 up takes group 19).
BaseTableSelection SelectBaseTables(int bike_code);
inline BaseTableSelection SelectBaseTables(const ParameterImage& image) {
  return SelectBaseTables(image.Byte(0));
}

// Interpolation between (x0, y0) and (x1, y1) at x, clamped to the segment; rising and falling
// segments both truncate toward the smaller value.
std::uint16_t LinearStep(std::uint16_t x0, std::uint16_t x1, std::uint16_t x, std::uint16_t y0,
                         std::uint16_t y1);

// Base time [microseconds] of one cell from a table of `speeds.size()` columns and
// `rows.size()` (10) rows: the table is interpolated at engine speed `speed` [rpm] and row value
// `row_value`; the result is at least 100.
std::uint16_t BaseTimeAt(std::span<const std::uint16_t> table,
                         std::span<const std::uint16_t> speeds,
                         std::span<const std::uint16_t, 10> rows, std::uint16_t speed,
                         std::uint16_t row_value);

// Fills the base-time arrays of all five word maps from their current engine-speed axes in the
// image. Allocates nothing.
void ComputeBaseTimes(const ParameterImage& image, const BaseTableSelection& tables,
                      WordMapState& state);
// The same with the tables of the bike code the image holds now. The station computes base times
// only through this one: a choice kept from earlier would outlive a read, a file, an undo or a
// dump that brought another bike code into byte 0.
inline void ComputeBaseTimes(const ParameterImage& image, WordMapState& state) {
  ComputeBaseTimes(image, SelectBaseTables(image), state);
}

}  // namespace korvan
