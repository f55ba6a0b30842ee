#pragma once

// The cells a user has marked on one map page, and the gestures that mark them. The selection is
// a set of cells of the 10 x 15 grid; the gestures make it a box (a drag, Shift+click, Shift+
// arrows, a row or column header, Ctrl+A), Ctrl+click adds or takes away single cells. Besides the
// cells it remembers the anchor (where the last plain click or drag began) and the focus (the
// moving end that Shift+arrows push), as spreadsheets do.
//
// Rows and columns are the map's: row 0 is the lowest throttle (or pressure) and is drawn at the
// top, column 0 the first engine-speed point. The window draws the selection and maps its mouse
// and keys onto these functions; the map editor keeps one selection per map page.

#include <bitset>
#include <optional>

#include "image/map_storage.h"

namespace korvan {

struct GridCell {
  int row = 0;
  int column = 0;
  friend bool operator==(const GridCell&, const GridCell&) = default;
};

// One bit per cell, in cell order (CellIndex).
using CellMask = std::bitset<kMapCells>;

// Rows top..bottom and columns left..right, both ends included.
struct CellBox {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  int rows() const { return bottom - top + 1; }
  int columns() const { return right - left + 1; }
  bool Contains(GridCell cell) const {
    return cell.row >= top && cell.row <= bottom && cell.column >= left && cell.column <= right;
  }
  friend bool operator==(const CellBox&, const CellBox&) = default;
};

// The box spanned by two cells, whichever way round.
CellBox BoxOf(GridCell a, GridCell b);
CellMask MaskOf(const CellBox& box);
// The smallest box holding every cell of the mask; nothing for an empty mask.
std::optional<CellBox> BoundsOf(const CellMask& cells);
// A cell moved onto the grid (row 0..9, column 0..14).
GridCell OnGrid(GridCell cell);

class MapSelection {
 public:
  bool empty() const { return cells_.none(); }
  int count() const { return static_cast<int>(cells_.count()); }
  const CellMask& cells() const { return cells_; }
  bool Contains(GridCell cell) const;
  // The smallest box holding every selected cell; nothing while the selection is empty.
  std::optional<CellBox> Bounds() const { return BoundsOf(cells_); }
  // Whether the selected cells fill their bounds (what spreadsheets copy and paste).
  bool IsBox() const;
  GridCell anchor() const { return anchor_; }
  GridCell focus() const { return focus_; }

  // A plain click into a cell, or an arrow key without Shift: the anchor and the focus move
  // there and nothing stays selected (the cell is the field being typed into).
  void PlaceAnchor(GridCell cell);
  // Shift+click, and every move of a drag that began with PlaceAnchor: the box from the anchor
  // to `cell`, which becomes the focus.
  void ExtendTo(GridCell cell);
  // Shift+arrow: the focus moves by the step (staying on the grid); the box from the anchor to
  // the new focus. From an empty selection the first step starts at the anchor.
  void ExtendBy(int rows, int columns);
  // A click on a row's label (or, with Shift, from the anchor's row to this one): whole rows.
  void SelectRow(int row, bool extend);
  // A click on a column's engine-speed header (with Shift, from the anchor's column): whole
  // columns.
  void SelectColumn(int column, bool extend);
  // Ctrl+A: the whole map.
  void SelectAll();
  // The box exactly (the block a paste wrote); anchor at its top-left, focus at its bottom-right.
  void SelectBox(const CellBox& box);
  // Ctrl+click: one cell in or out of the selection, which need not stay a box.
  void Toggle(GridCell cell);
  // Escape: nothing selected; the anchor stays where it was.
  void Clear() { cells_.reset(); }

 private:
  CellMask cells_;
  GridCell anchor_;
  GridCell focus_;
};

}  // namespace korvan
