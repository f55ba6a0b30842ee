#pragma once

// Colour grades of a map page: each cell's background tells its value at a glance, from blue
// (the page's lowest value) through near-white to red (its highest), with black or white text,
// whichever reads better on the colour. The scale spans the values the page shows now, in the
// unit it shows them (degrees, percent, milliseconds, servo percent or mV): a map whose values
// use a small part of their range still shows its whole gradient.

#include <array>
#include <cstdint>
#include <optional>

#include "base/colors.h"
#include "image/map_storage.h"
#include "maps/map_operations.h"
#include "maps/map_selection.h"

namespace korvan {

// How one cell is painted under the live cursor: its background and its text.
struct CellShade {
  std::uint32_t color = kDefaultColor;
  std::uint32_t font_color = kDefaultColor;
  friend bool operator==(const CellShade&, const CellShade&) = default;
};
using CellShades = std::array<CellShade, kMapCells>;

// The values the grades run between.
struct GradeScale {
  double low = 0;
  double high = 0;
};

// The lowest and highest of the values in `cells` (a value that is no number is left out);
// nothing when no cell has a value.
std::optional<GradeScale> ScaleOf(const ShownGrid& values, const CellMask& cells);

// The grade of a value: kGradeLow at the scale's low end, kGradeMiddle half way, kGradeHigh at
// its high end, mixed linearly in between; a value beyond an end takes the end's colour. Every
// value of a flat scale (one value, all cells equal) is the middle.
std::uint32_t GradeColor(double value, const GradeScale& scale);

// Black or white, whichever stands out more from the background (by its relative luminance, as
// contrast is judged for text on screen).
std::uint32_t ReadableTextColor(std::uint32_t background);

// Every cell of `cells` graded on the scale of their own values; the other cells (those the page
// does not show) and a value that is no number stay plain.
CellShades GradeCells(const ShownGrid& values, const CellMask& cells);

}  // namespace korvan
