#pragma once

#include <array>
#include <optional>

#include "base/control_set.h"
#include "image/parameter_image.h"
#include "maps/cell_grades.h"
#include "monitor/live_cell.h"
#include "monitor/live_values.h"

namespace korvan {

// The live cursor of the map pages: colours the map cell, the axis header and the rows the engine
// is using now, from the live values and the page's axes in the image. Every other cell shows its
// own shade: plain, or its colour grade while the grades are on.
class LiveCursor {
 public:
  LiveCursor(ControlSet& controls, const ParameterImage& image, const LiveValues& live)
      : controls_(controls), image_(image), live_(live) {}

  // Looks the grid's controls up once, after the map editor made them.
  void FindHandles();
  // The cursor on the page, or nothing on a page without a map.
  std::optional<MapCursor> CursorOf(int page) const;
  // `plain`: every cell but the lit one plain, whatever the shades (a sheet printed without
  // colours).
  void Paint(int page, bool plain = false);
  // The cells' own shades (all plain to take the grades away); shown at the next Paint.
  void SetShades(const CellShades& shades) { shades_ = shades; }
  // The controls Paint colours, for print mode to keep what they showed.
  const std::array<ControlHandle, 150>& cells() const { return cell_; }
  const std::array<ControlHandle, 150>& value_labels() const { return value_label_; }

 private:
  ControlSet& controls_;
  const ParameterImage& image_;
  const LiveValues& live_;
  bool ready_ = false;
  std::array<ControlHandle, 15> rpm_{};
  std::array<ControlHandle, 10> row_label_{};
  std::array<ControlHandle, 10> row_axis_{};
  std::array<ControlHandle, 150> cell_{};
  std::array<ControlHandle, 150> value_label_{};
  CellShades shades_{};
};

}  // namespace korvan
