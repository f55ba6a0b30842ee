#pragma once

#include <array>
#include <optional>

#include "base/control_set.h"
#include "image/parameter_image.h"
#include "monitor/live_cell.h"
#include "monitor/live_values.h"

namespace korvan {

// The live cursor of the map pages: colours the map cell, the axis header and the rows the engine
// is using now, from the live values and the page's axes in the image.
class LiveCursor {
 public:
  LiveCursor(ControlSet& controls, const ParameterImage& image, const LiveValues& live)
      : controls_(controls), image_(image), live_(live) {}

  // Looks the grid's controls up once, after the map editor made them.
  void FindHandles();
  // The cursor on the page, or nothing on a page without a map.
  std::optional<MapCursor> CursorOf(int page) const;
  void Paint(int page);

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
};

}  // namespace korvan
