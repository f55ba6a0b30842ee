#pragma once

// The arithmetic of the operations on a selection of map cells, on the values the page shows
// (percent, milliseconds in the time view, degrees, servo units). These functions only compute
// the wanted values; MapEditor::StoreShownValues turns them into stored values the way typed
// values are stored (limited to the cell's range, nearest stored value, channel coupling).

#include <array>

#include "image/map_storage.h"
#include "maps/map_selection.h"

namespace korvan {

// A value per cell, in cell order, in the unit the page shows.
using ShownGrid = std::array<double, kMapCells>;

enum class MapOperationKind {
  kSet,                 // every selected cell takes `amount`
  kAdd,                 // `amount` is added (a negative amount takes away)
  kScale,               // multiplied by `amount` percent: 110 makes a cell 10 % larger
  kInterpolateRows,     // along each row, between its first and last selected cells
  kInterpolateColumns,  // along each column, between its first and last selected cells
  kInterpolateCorners,  // bilinear from the four corners of the selection's bounds
  kSmooth,              // 3 x 3 weighted mean; `amount` is the strength 0..1
};

struct MapOperation {
  MapOperationKind kind = MapOperationKind::kSet;
  double amount = 0.0;
};

// Where the rows and columns lie on their axes (throttle % or pressure, rpm). Interpolation is
// linear in these positions, so that a map stays straight over an axis whose points are not
// evenly spaced; a run whose positions do not rise (or fall) strictly is spaced evenly instead.
struct GridAxes {
  std::array<double, kMapRows> rows{};
  std::array<double, kMapColumns> columns{};
};
// Rows and columns spaced evenly (0, 1, 2, ...).
GridAxes EvenAxes();

// The smoothing kernel: the cell 4, its four side neighbours 2, its four corner neighbours 1.
// A neighbour off the grid or outside `readable` is left out and the weights that are left are
// scaled up to a whole, so edge and corner cells are a mean of what is there.
//
// Returns `values` with the selected cells replaced by the operation's result; cells outside
// `selected` keep their values. `readable` is what smoothing may read: the cells the page shows.
// Interpolations and smoothing read the values as they were before the operation.
ShownGrid ApplyMapOperation(const ShownGrid& values, const CellMask& selected,
                            const CellMask& readable, const GridAxes& axes,
                            const MapOperation& operation);

}  // namespace korvan
