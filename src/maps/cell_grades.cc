#include "maps/cell_grades.h"

#include <algorithm>
#include <cmath>

namespace korvan {
namespace {

int Channel(std::uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFFu); }

std::uint32_t Mix(std::uint32_t from, std::uint32_t to, double t) {
  std::uint32_t out = 0;
  for (const int shift : {16, 8, 0}) {
    const double a = Channel(from, shift);
    const double b = Channel(to, shift);
    out |= static_cast<std::uint32_t>(std::lround(a + (b - a) * t)) << shift;
  }
  return out;
}

// A channel's share of light: sRGB undone to linear.
double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t color) {
  return 0.2126 * Linear(Channel(color, 16)) + 0.7152 * Linear(Channel(color, 8)) +
         0.0722 * Linear(Channel(color, 0));
}

}  // namespace

std::optional<GradeScale> ScaleOf(const ShownGrid& values, const CellMask& cells) {
  std::optional<GradeScale> scale;
  for (int cell = 0; cell < kMapCells; ++cell) {
    const double value = values[static_cast<std::size_t>(cell)];
    if (!cells.test(static_cast<std::size_t>(cell)) || std::isnan(value)) continue;
    if (!scale) {
      scale = GradeScale{value, value};
      continue;
    }
    scale->low = std::min(scale->low, value);
    scale->high = std::max(scale->high, value);
  }
  return scale;
}

std::uint32_t GradeColor(double value, const GradeScale& scale) {
  const double span = scale.high - scale.low;
  // Where the value lies, 0 at the low end and 1 at the high end.
  const double t =
      span > 0 && !std::isnan(value) ? std::clamp((value - scale.low) / span, 0.0, 1.0) : 0.5;
  return t < 0.5 ? Mix(kGradeLow, kGradeMiddle, t * 2) : Mix(kGradeMiddle, kGradeHigh, t * 2 - 1);
}

std::uint32_t ReadableTextColor(std::uint32_t background) {
  // Black text contrasts (L + 0.05) / 0.05 with the background, white 1.05 / (L + 0.05); the two
  // are equal at L = 0.179.
  const double l = Luminance(background & 0xFFFFFFu);
  return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? kColorBlack : kColorWhite;
}

CellShades GradeCells(const ShownGrid& values, const CellMask& cells) {
  CellShades shades{};
  const std::optional<GradeScale> scale = ScaleOf(values, cells);
  if (!scale) return shades;
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    if (!cells.test(i) || std::isnan(values[i])) continue;
    const std::uint32_t color = GradeColor(values[i], *scale);
    shades[i] = {color, ReadableTextColor(color)};
  }
  return shades;
}

}  // namespace korvan
