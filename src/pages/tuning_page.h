#pragma once

// The tuning page: the five parameters of the unit's own tuning by the lambda probe, under a
// warning for experienced users. The station only stores them; the check box on the page stores
// nothing.

#include "base/control_set.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "pages/page_fields.h"

namespace korvan {

class TuningPage {
 public:
  explicit TuningPage(ControlSet& controls) : fields_(controls, kPageTuning) {}

  void CreateControls();
  void Gather(ParameterImage& image) const { fields_.Gather(image); }
  void Refresh(const ParameterImage& image) { fields_.Refresh(image); }

  const PageFields& fields() const { return fields_; }

 private:
  PageFields fields_;
};

}  // namespace korvan
