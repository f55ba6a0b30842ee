#pragma once

// The N2O page: the nitrous stage on or off, its two levels with the gas delay and build-up
// time and their injection corrections, and the ignition retard that goes with it. The level
// and time fields show only while the stage is enabled; the monitor's N2O state follows the same
// flag.

#include <array>

#include "base/control_set.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "pages/page_fields.h"

namespace korvan {

class N2oPage {
 public:
  explicit N2oPage(ControlSet& controls) : controls_(controls), fields_(controls, kPageN2o) {}

  void CreateControls();
  void Gather(ParameterImage& image) const { fields_.Gather(image); }
  void Refresh(const ParameterImage& image) { fields_.Refresh(image); }
  void Visibility(const ParameterImage& image);

  const PageFields& fields() const { return fields_; }

 private:
  ControlSet& controls_;
  PageFields fields_;
  // The two group boxes and every label and field inside them.
  std::array<ControlHandle, 22> stage_{};
};

}  // namespace korvan
