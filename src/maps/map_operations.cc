#include "maps/map_operations.h"

#include <algorithm>
#include <cstddef>
#include <span>

namespace korvan {

namespace {

bool Selected(const CellMask& mask, int row, int column) {
  return mask.test(static_cast<std::size_t>(CellIndex(row, column)));
}

double At(const ShownGrid& values, int row, int column) {
  return values[static_cast<std::size_t>(CellIndex(row, column))];
}

// How far index `i` lies from `from` towards `to` (0 at `from`, 1 at `to`): by axis position
// when the positions of the run rise or fall strictly, else by index.
double Fraction(std::span<const double> axis, int from, int to, int i) {
  if (from == to) return 0.0;
  const int lo = std::min(from, to);
  const int hi = std::max(from, to);
  bool rising = true;
  bool falling = true;
  for (int k = lo; k < hi; ++k) {
    const double a = axis[static_cast<std::size_t>(k)];
    const double b = axis[static_cast<std::size_t>(k + 1)];
    rising = rising && b > a;
    falling = falling && b < a;
  }
  if (rising || falling) {
    const double start = axis[static_cast<std::size_t>(from)];
    return (axis[static_cast<std::size_t>(i)] - start) /
           (axis[static_cast<std::size_t>(to)] - start);
  }
  return static_cast<double>(i - from) / (to - from);
}

double Between(double a, double b, double t) { return a + (b - a) * t; }

void InterpolateRows(const ShownGrid& in, const CellMask& selected, const GridAxes& axes,
                     ShownGrid& out) {
  for (int row = 0; row < kMapRows; ++row) {
    int first = -1;
    int last = -1;
    for (int col = 0; col < kMapColumns; ++col) {
      if (!Selected(selected, row, col)) continue;
      if (first < 0) first = col;
      last = col;
    }
    if (first < 0 || first == last) continue;
    for (int col = first + 1; col < last; ++col) {
      if (!Selected(selected, row, col)) continue;
      out[static_cast<std::size_t>(CellIndex(row, col))] =
          Between(At(in, row, first), At(in, row, last), Fraction(axes.columns, first, last, col));
    }
  }
}

void InterpolateColumns(const ShownGrid& in, const CellMask& selected, const GridAxes& axes,
                        ShownGrid& out) {
  for (int col = 0; col < kMapColumns; ++col) {
    int first = -1;
    int last = -1;
    for (int row = 0; row < kMapRows; ++row) {
      if (!Selected(selected, row, col)) continue;
      if (first < 0) first = row;
      last = row;
    }
    if (first < 0 || first == last) continue;
    for (int row = first + 1; row < last; ++row) {
      if (!Selected(selected, row, col)) continue;
      out[static_cast<std::size_t>(CellIndex(row, col))] =
          Between(At(in, first, col), At(in, last, col), Fraction(axes.rows, first, last, row));
    }
  }
}

void InterpolateCorners(const ShownGrid& in, const CellMask& selected, const GridAxes& axes,
                        ShownGrid& out) {
  const std::optional<CellBox> box = BoundsOf(selected);
  if (!box) return;
  const double top_left = At(in, box->top, box->left);
  const double top_right = At(in, box->top, box->right);
  const double bottom_left = At(in, box->bottom, box->left);
  const double bottom_right = At(in, box->bottom, box->right);
  for (int row = box->top; row <= box->bottom; ++row) {
    const double ty = Fraction(axes.rows, box->top, box->bottom, row);
    for (int col = box->left; col <= box->right; ++col) {
      if (!Selected(selected, row, col)) continue;
      const double tx = Fraction(axes.columns, box->left, box->right, col);
      out[static_cast<std::size_t>(CellIndex(row, col))] =
          Between(Between(top_left, top_right, tx), Between(bottom_left, bottom_right, tx), ty);
    }
  }
}

void Smooth(const ShownGrid& in, const CellMask& selected, const CellMask& readable,
            double strength, ShownGrid& out) {
  strength = std::clamp(strength, 0.0, 1.0);
  for (int row = 0; row < kMapRows; ++row) {
    for (int col = 0; col < kMapColumns; ++col) {
      if (!Selected(selected, row, col)) continue;
      double sum = 0.0;
      double weights = 0.0;
      for (int dr = -1; dr <= 1; ++dr) {
        for (int dc = -1; dc <= 1; ++dc) {
          const int r = row + dr;
          const int c = col + dc;
          if (r < 0 || r >= kMapRows || c < 0 || c >= kMapColumns) continue;
          // The cell itself always counts, even where the page does not show it.
          if ((dr != 0 || dc != 0) && !Selected(readable, r, c)) continue;
          const double w = (dr == 0 ? 2.0 : 1.0) * (dc == 0 ? 2.0 : 1.0);
          sum += w * At(in, r, c);
          weights += w;
        }
      }
      const double own = At(in, row, col);
      out[static_cast<std::size_t>(CellIndex(row, col))] = Between(own, sum / weights, strength);
    }
  }
}

}  // namespace

GridAxes EvenAxes() {
  GridAxes axes;
  for (int row = 0; row < kMapRows; ++row) axes.rows[static_cast<std::size_t>(row)] = row;
  for (int col = 0; col < kMapColumns; ++col) axes.columns[static_cast<std::size_t>(col)] = col;
  return axes;
}

ShownGrid ApplyMapOperation(const ShownGrid& values, const CellMask& selected,
                            const CellMask& readable, const GridAxes& axes,
                            const MapOperation& operation) {
  ShownGrid out = values;
  switch (operation.kind) {
    case MapOperationKind::kSet:
    case MapOperationKind::kAdd:
    case MapOperationKind::kScale:
      for (int cell = 0; cell < kMapCells; ++cell) {
        const auto i = static_cast<std::size_t>(cell);
        if (!selected.test(i)) continue;
        if (operation.kind == MapOperationKind::kSet) {
          out[i] = operation.amount;
        } else if (operation.kind == MapOperationKind::kAdd) {
          out[i] = values[i] + operation.amount;
        } else {
          out[i] = values[i] * operation.amount / 100.0;
        }
      }
      break;
    case MapOperationKind::kInterpolateRows:
      InterpolateRows(values, selected, axes, out);
      break;
    case MapOperationKind::kInterpolateColumns:
      InterpolateColumns(values, selected, axes, out);
      break;
    case MapOperationKind::kInterpolateCorners:
      InterpolateCorners(values, selected, axes, out);
      break;
    case MapOperationKind::kSmooth:
      Smooth(values, selected, readable, operation.amount, out);
      break;
  }
  return out;
}

}  // namespace korvan
