#pragma once

#include <optional>
#include <vector>

#include "base/control_set.h"
#include "monitor/live_cell.h"

namespace korvan {

// The active map as a surface: the cells the grid shows, over the engine speeds of its shown
// columns and the throttle (or pressure) of its shown rows, as the page shows them (percent,
// degrees, servo units), and the cell the engine runs on now. The window's 3D view draws it; it is
// read from the grid's controls, so it follows every edit the grid shows.
struct MapSurface {
  int page = 0;
  bool pressure_rows = false;  // rows are the pressure axis [kPa], else the throttle [%]
  std::vector<int> rows;       // the grid rows shown, top to bottom
  std::vector<int> columns;    // the grid columns shown, left to right
  std::vector<double> speeds;  // engine speed of each shown column [rpm]
  std::vector<double> loads;   // throttle [%] or pressure [kPa] of each shown row
  std::vector<double> values;  // rows x columns, row by row
  // The operating point as indices into rows and columns.
  std::optional<int> live_row;
  std::optional<int> live_column;

  double Value(std::size_t row, std::size_t column) const {
    return values[row * columns.size() + column];
  }
  friend bool operator==(const MapSurface&, const MapSurface&) = default;
};

// The surface of the map page `page` from the grid's controls; nothing on a page without a map.
// `operating` is the live cursor's cell at the engine's operating point, if any.
std::optional<MapSurface> MapSurfaceOf(const ControlSet& controls, int page,
                                       std::optional<LiveCell> operating);

}  // namespace korvan
