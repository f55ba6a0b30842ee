#include "maps/map_selection.h"

#include <algorithm>

namespace korvan {

CellBox BoxOf(GridCell a, GridCell b) {
  a = OnGrid(a);
  b = OnGrid(b);
  return {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
          std::max(a.column, b.column)};
}

CellMask MaskOf(const CellBox& box) {
  CellMask mask;
  for (int row = std::max(box.top, 0); row <= std::min(box.bottom, kMapRows - 1); ++row) {
    for (int col = std::max(box.left, 0); col <= std::min(box.right, kMapColumns - 1); ++col) {
      mask.set(static_cast<std::size_t>(CellIndex(row, col)));
    }
  }
  return mask;
}

GridCell OnGrid(GridCell cell) {
  return {std::clamp(cell.row, 0, kMapRows - 1), std::clamp(cell.column, 0, kMapColumns - 1)};
}

std::optional<CellBox> BoundsOf(const CellMask& cells) {
  if (cells.none()) return std::nullopt;
  CellBox box{kMapRows, kMapColumns, -1, -1};
  for (int cell = 0; cell < kMapCells; ++cell) {
    if (!cells.test(static_cast<std::size_t>(cell))) continue;
    box.top = std::min(box.top, CellRow(cell));
    box.bottom = std::max(box.bottom, CellRow(cell));
    box.left = std::min(box.left, CellColumn(cell));
    box.right = std::max(box.right, CellColumn(cell));
  }
  return box;
}

bool MapSelection::Contains(GridCell cell) const {
  if (cell.row < 0 || cell.row >= kMapRows || cell.column < 0 || cell.column >= kMapColumns) {
    return false;
  }
  return cells_.test(static_cast<std::size_t>(CellIndex(cell.row, cell.column)));
}

bool MapSelection::IsBox() const {
  const std::optional<CellBox> box = Bounds();
  return box && MaskOf(*box) == cells_;
}

void MapSelection::PlaceAnchor(GridCell cell) {
  anchor_ = focus_ = OnGrid(cell);
  cells_.reset();
}

void MapSelection::ExtendTo(GridCell cell) {
  focus_ = OnGrid(cell);
  cells_ = MaskOf(BoxOf(anchor_, focus_));
}

void MapSelection::ExtendBy(int rows, int columns) {
  if (cells_.none()) focus_ = anchor_;
  ExtendTo({focus_.row + rows, focus_.column + columns});
}

void MapSelection::SelectRow(int row, bool extend) {
  row = std::clamp(row, 0, kMapRows - 1);
  const int from = extend ? anchor_.row : row;
  if (!extend) anchor_ = {row, 0};
  focus_ = {row, kMapColumns - 1};
  cells_ = MaskOf({std::min(from, row), 0, std::max(from, row), kMapColumns - 1});
  anchor_.column = 0;
}

void MapSelection::SelectColumn(int column, bool extend) {
  column = std::clamp(column, 0, kMapColumns - 1);
  const int from = extend ? anchor_.column : column;
  if (!extend) anchor_ = {0, column};
  focus_ = {kMapRows - 1, column};
  cells_ = MaskOf({0, std::min(from, column), kMapRows - 1, std::max(from, column)});
  anchor_.row = 0;
}

void MapSelection::SelectAll() { SelectBox({0, 0, kMapRows - 1, kMapColumns - 1}); }

void MapSelection::SelectBox(const CellBox& box) {
  anchor_ = OnGrid({box.top, box.left});
  focus_ = OnGrid({box.bottom, box.right});
  cells_ = MaskOf(BoxOf(anchor_, focus_));
}

void MapSelection::Toggle(GridCell cell) {
  cell = OnGrid(cell);
  cells_.flip(static_cast<std::size_t>(CellIndex(cell.row, cell.column)));
  anchor_ = focus_ = cell;
}

}  // namespace korvan
