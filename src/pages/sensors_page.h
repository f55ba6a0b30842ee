#pragma once

// The sensors page: the two-point characteristics of the pressure sensors, the voltages of the
// temperature sensors, the throttle sensor's end points (typed, or taken from the live voltage)
// and the potentiometer's mode and range.

#include <array>

#include "base/control_set.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "monitor/live_values.h"
#include "pages/page_fields.h"

namespace korvan {

class SensorsPage {
 public:
  explicit SensorsPage(ControlSet& controls)
      : controls_(controls), fields_(controls, kPageSensors) {}

  void CreateControls();
  void Gather(ParameterImage& image) const { fields_.Gather(image); }
  void Refresh(const ParameterImage& image);
  void Visibility(const ParameterImage& image);

  // "<- TPS 0 %" and "<- TPS 100 %": the throttle voltage the unit measures now becomes the end
  // point when it is a plausible one. Returns whether the image changed.
  static bool TakeTps0(const LiveValues& live, ParameterImage& image);
  static bool TakeTps100(const LiveValues& live, ParameterImage& image);
  // The potentiometer mode radio group was clicked: its index into the image.
  void PotencModeClicked(ParameterImage& image) const { fields_.GatherOne(potenc_mode_, image); }

  const PageFields& fields() const { return fields_; }

 private:
  ControlSet& controls_;
  PageFields fields_;
  std::array<ControlHandle, 4> voltages_{};  // AP 1, AP 2, IAP 1, IAP 2
  ControlHandle potenc_mode_ = 0;
  std::array<ControlHandle, 2> potenc_range_{};  // label, field
};

}  // namespace korvan
