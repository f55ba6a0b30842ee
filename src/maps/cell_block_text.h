#pragma once

// Blocks of map cells as text, the way spreadsheets put them on the clipboard: one line per row,
// the cells of a line parted by tabs. LibreOffice, Excel and Google Sheets all copy a range so and
// paste such text back as cells.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maps/map_operations.h"
#include "maps/map_selection.h"

namespace korvan {

// The cells of `box`, a line per row from the box's top row down, cells parted by a tab, every
// line ended by "\n" (the last one too, as LibreOffice copies). A cell outside `cells` is left
// empty. Values are written with `decimals` digits after a point, as the page shows them.
std::string FormatCellBlock(const ShownGrid& values, const CellMask& cells, const CellBox& box,
                            int decimals);

// A block read from a spreadsheet's text.
struct CellBlock {
  int rows = 0;
  int columns = 0;  // the longest line's cells; shorter lines end in empty cells
  // rows x columns, row by row; an empty cell holds nothing (a paste leaves its map cell alone).
  std::vector<std::optional<double>> cells;

  std::optional<double> At(int row, int column) const {
    return cells[static_cast<std::size_t>(row * columns + column)];
  }
  bool HasNumber() const;
};

// The first cell of a block that is not a number: its line and its place on the line, both
// counted from 1 as a spreadsheet's rows and columns are, and what it holds (a long text cut to
// its first 40 bytes and an ellipsis).
struct CellBlockError {
  int row = 0;
  int column = 0;
  std::string text;
};

struct ParsedCellBlock {
  CellBlock block;  // empty when `error` is set
  std::optional<CellBlockError> error;
};

// Reads clipboard text: lines end in "\n", "\r\n" or "\r"; empty lines at the end (a spreadsheet
// ends its text with a line end) are no rows; each cell is a number or empty.
ParsedCellBlock ParseCellBlock(std::string_view text);

// A number as a spreadsheet writes one: spaces (also no-break spaces) around it, an optional
// sign, digits with at most one decimal point or decimal comma, an optional exponent ("1E-05").
// No thousands separators: "1,250" is one and a quarter.
std::optional<double> ParseCellNumber(std::string_view text);

}  // namespace korvan
