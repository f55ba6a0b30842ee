#pragma once

// The corrections page: injection corrections by coolant and intake air, advance correction by
// coolant, the after-start correction, acceleration and start injection. The live labels of the
// corrections the unit applies now are the live display's; the live cursor marks the rows in use.

#include <array>

#include "base/control_set.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "monitor/live_values.h"
#include "pages/page_fields.h"

namespace korvan {

inline constexpr int kTemperatureRows = 5;  // -10, 20, 50, 80, 110 degC
inline constexpr int kNoCorrectionRow = 5;

// The rows the engine uses now: a temperature row (kNoCorrectionRow for none) by coolant and by
// intake air, and the after-start point 0..4.
struct CorrectionCursor {
  int coolant_row;
  int air_row;
  int after_start_row;
};
CorrectionCursor ComputeCorrectionCursor(const LiveValues& live, const ParameterImage& image);

class CorrectionsPage {
 public:
  explicit CorrectionsPage(ControlSet& controls)
      : controls_(controls), fields_(controls, kPageCorrections) {}

  void CreateControls();
  void Gather(ParameterImage& image) const { fields_.Gather(image); }
  void Refresh(const ParameterImage& image) { fields_.Refresh(image); }
  void PaintLiveCursor(const LiveValues& live, const ParameterImage& image);

  const PageFields& fields() const { return fields_; }

 private:
  ControlSet& controls_;
  PageFields fields_;
  std::array<ControlHandle, kTemperatureRows> coolant_jet_{};
  std::array<ControlHandle, kTemperatureRows> air_jet_{};
  std::array<ControlHandle, kTemperatureRows> coolant_ign_{};
  std::array<ControlHandle, 4> after_start_time_{};        // points 1..4
  std::array<ControlHandle, 4> after_start_correction_{};  // points 0..3
  ControlHandle label_time0_ = 0;
  ControlHandle label_correction4_ = 0;
};

}  // namespace korvan
