#include "model/base_tables.h"

#include <cstddef>
#include <cstdint>

#include "image/map_storage.h"
#include "model/base_tables_data.h"
#include "model/base_tables_data_12_23.h"

namespace korvan {
namespace {

using namespace base_tables;  // NOLINT(build/namespaces): the data tables only

// Group of each bike code 0..49; every code from 50 up belongs to group 19.
// clang-format off
constexpr int GroupOfBike(int code) {
  switch (code) {
    case 0: case 42: case 43: return 1;
    case 1: return 2;
    case 2: return 3;
    case 3: case 21: case 28: case 46: return 4;
    case 4: case 22: case 31: return 5;
    case 5: return 6;
    case 6: case 11: case 20: case 32: case 33: case 41: case 44: case 49: return 7;
    case 7: case 19: case 48: return 8;
    case 8: case 36: case 45: return 9;
    case 9: case 10: return 10;
    case 12: case 23: return 11;
    case 13: case 14: case 38: return 12;
    case 15: case 29: return 13;
    case 16: return 14;
    case 17: return 15;
    case 18: case 35: return 16;
    case 24: return 17;
    case 25: case 37: case 40: return 18;
    case 26: return 19;
    case 27: return 20;
    case 30: return 21;
    case 34: case 47: return 22;
    case 39: return 23;
    default: return 19;
  }
}

// clang-format on

struct GroupTables {
  std::span<const std::uint16_t> a;
  std::span<const std::uint16_t> b;
  std::span<const std::uint16_t> iap;
};

// Index 0 is unused so that the group number indexes directly.
constexpr std::array<GroupTables, 24> kGroups{{
    {},
    {kA1, kB1, kIap1},
    {kA2, kB2, kIap2},
    {kA3, kB3, kIap3},
    {kA4, kB4, kIap4},
    {kA5, kB5, kIap5},
    {kA6, kB6, kIap6},
    {kA7, kB7, kIap7},
    {kA8, kB8, kIap8},
    {kA9, kB9, kIap9},
    {kA10, kB10, kIap10},
    {kA11, kB11, kIap11},
    {kA12, kB12, kIap12},
    {kA13, kB13, kIap13},
    {kA14, kB14, kIap14},
    {kA15, kB15, kIap15},
    {kA16, kB16, kIap16},
    {kA17, kB17, kIap17},
    {kA18, kB18, kIap18},
    {kA19, kB19, kIap19},
    {kA20, kB20, kIap20},
    {kA21, kB21, kIap21},
    {kA22, kB22, kIap22},
    {kA23, kB23, kIap19},  // group 23 shares the IAP table of group 19
}};

// Every group's tables agree in width with its IAP table, which decides the column count.
constexpr bool TablesAgreeInWidth() {
  for (std::size_t g = 1; g < kGroups.size(); ++g) {
    const std::size_t cells = kGroups[g].iap.size();
    if (cells != 100 && cells != 150) return false;
    if (kGroups[g].a.size() != cells || kGroups[g].b.size() != cells) return false;
  }
  return kIap47.size() == 150;
}
static_assert(TablesAgreeInWidth());

// Corners are table values x 10 in 16-bit arithmetic, so every value must stay below 6554.
constexpr bool ValuesFitTimesTen() {
  for (std::size_t g = 1; g < kGroups.size(); ++g) {
    for (auto table : {kGroups[g].a, kGroups[g].b, kGroups[g].iap}) {
      for (std::uint16_t v : table) {
        if (v > 6553) return false;
      }
    }
  }
  return true;
}
static_assert(ValuesFitTimesTen());

// First index from 1 to n - 2 whose breakpoint lies above x, else n - 1.
int UpperIndex(std::span<const std::uint16_t> breakpoints, std::uint16_t x) {
  const int n = static_cast<int>(breakpoints.size());
  for (int i = 1; i <= n - 2; ++i) {
    if (breakpoints[static_cast<std::size_t>(i)] > x) return i;
  }
  return n - 1;
}

}  // namespace

BaseTableSelection SelectBaseTables(int bike_code) {
  BaseTableSelection selection;
  selection.group = GroupOfBike(bike_code);
  const GroupTables& tables = kGroups[static_cast<std::size_t>(selection.group)];
  selection.a = tables.a;
  selection.b = tables.b;
  selection.iap = bike_code == 47 ? std::span<const std::uint16_t>(kIap47) : tables.iap;
  selection.wide = selection.iap.size() == 150;
  return selection;
}

std::uint16_t LinearStep(std::uint16_t x0, std::uint16_t x1, std::uint16_t x, std::uint16_t y0,
                         std::uint16_t y1) {
  if (x <= x0) return y0;
  if (x >= x1) return y1;
  if (y0 == y1) return y0;
  const std::uint32_t span = static_cast<std::uint32_t>(x1 - x0);
  if (y0 < y1) {
    return static_cast<std::uint16_t>(y0 + static_cast<std::uint32_t>(x - x0) *
                                               static_cast<std::uint32_t>(y1 - y0) / span);
  }
  return static_cast<std::uint16_t>(y1 + static_cast<std::uint32_t>(x1 - x) *
                                             static_cast<std::uint32_t>(y0 - y1) / span);
}

std::uint16_t BaseTimeAt(std::span<const std::uint16_t> table,
                         std::span<const std::uint16_t> speeds,
                         std::span<const std::uint16_t, 10> rows, std::uint16_t speed,
                         std::uint16_t row_value) {
  const std::size_t columns = speeds.size();
  // A table that does not fill the grid it is read as gives the floor instead of a wild read.
  if (columns < 2 || table.size() < columns * rows.size()) return kMinBaseTime;
  const int j = UpperIndex(speeds, speed);
  const int k = UpperIndex(rows, row_value);
  auto corner = [&](int row, int column) {
    return static_cast<std::uint16_t>(
        table[static_cast<std::size_t>(row) * columns + static_cast<std::size_t>(column)] * 10u);
  };
  const std::uint16_t s0 = speeds[static_cast<std::size_t>(j - 1)];
  const std::uint16_t s1 = speeds[static_cast<std::size_t>(j)];
  const std::uint16_t lower = LinearStep(s0, s1, speed, corner(k - 1, j - 1), corner(k - 1, j));
  const std::uint16_t upper = LinearStep(s0, s1, speed, corner(k, j - 1), corner(k, j));
  const std::uint16_t result =
      LinearStep(rows[static_cast<std::size_t>(k - 1)], rows[static_cast<std::size_t>(k)],
                 row_value, lower, upper);
  return result < kMinBaseTime ? kMinBaseTime : result;
}

void ComputeBaseTimes(const ParameterImage& image, const BaseTableSelection& tables,
                      WordMapState& state) {
  const std::span<const std::uint16_t> speeds = tables.wide
                                                    ? std::span<const std::uint16_t>(kBaseSpeeds15)
                                                    : std::span<const std::uint16_t>(kBaseSpeeds10);
  const std::span<const std::uint16_t, 10> iap_rows =
      tables.wide ? std::span<const std::uint16_t, 10>(kBaseIapRows15)
                  : std::span<const std::uint16_t, 10>(kBaseIapRows10);
  for (int m = 0; m < kWordMapCount; ++m) {
    const WordMap word_map = static_cast<WordMap>(m);
    const MapId map = MapOfWordMap(word_map);
    const bool is_iap = word_map == WordMap::kInjIap;
    const bool is_b = word_map == WordMap::kInj2A || word_map == WordMap::kInj3A;
    const std::span<const std::uint16_t> table = is_iap ? tables.iap : is_b ? tables.b : tables.a;
    const std::span<const std::uint16_t, 10> rows =
        is_iap ? iap_rows : std::span<const std::uint16_t, 10>(kBaseThrottleRows);
    const std::span<const std::uint16_t, 10> row_values =
        is_iap ? std::span<const std::uint16_t, 10>(kIapGridRowValues)
               : std::span<const std::uint16_t, 10>(kBaseThrottleRows);
    CellArray& out = state.BaseTime(word_map);
    // A selection that was never made (empty tables) leaves the floor everywhere rather than
    // reading outside a table.
    if (table.size() != static_cast<std::size_t>(kBaseTableRows) * speeds.size()) {
      out.fill(kMinBaseTime);
      continue;
    }
    for (int c = 0; c < kMapColumns; ++c) {
      const auto speed = static_cast<std::uint16_t>(image.Byte(AxisOffset(map, c)) * 100);
      for (int r = 0; r < kMapRows; ++r) {
        out[static_cast<std::size_t>(CellIndex(r, c))] =
            BaseTimeAt(table, speeds, rows, speed, row_values[static_cast<std::size_t>(r)]);
      }
    }
  }
}

}  // namespace korvan
