#pragma once

// The gear page: how the unit finds the engaged gear (sensor voltage, ratio of engine to road
// speed, ratios it learns itself, or not at all), the number of gears, the road-speed sensor's
// constant, the voltage and ratio tables with the buttons that take what the unit measures now,
// and per gear an advance and an injection correction. The live cursor marks the engaged gear.

#include <array>

#include "base/control_set.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "monitor/live_values.h"
#include "pages/page_fields.h"

namespace korvan {

inline constexpr int kGearButtons = 7;  // gear 0 (neutral) .. 6

class GearPage {
 public:
  explicit GearPage(ControlSet& controls) : controls_(controls), fields_(controls, kPageGear) {}

  // After the monitor's controls exist: the page places the live labels it shows.
  void CreateControls();
  void Gather(ParameterImage& image) const { fields_.Gather(image); }
  void Refresh(const ParameterImage& image) { fields_.Refresh(image); }
  void Visibility(const ParameterImage& image);
  void PaintLiveCursor(const LiveValues& live, const ParameterImage& image);
  // The mode radio groups were clicked: their indices into the image.
  void ModesClicked(ParameterImage& image) const;

  // "<- Gear k": in voltage mode the gear sensor's voltage becomes gear k's, in ratio mode the
  // present ratio becomes gear k's (there is none for neutral); other modes store nothing.
  static void TakeLive(int gear, const LiveValues& live, ParameterImage& image);

  const PageFields& fields() const { return fields_; }

 private:
  ControlSet& controls_;
  PageFields fields_;
  ControlHandle mode_ = 0;
  ControlHandle speed_mode_ = 0;
  ControlHandle voltage_box_ = 0;
  ControlHandle ratio_box_ = 0;
  ControlHandle auto_box_ = 0;
  ControlHandle live_ratio_ = 0;
  std::array<ControlHandle, kGearButtons> buttons_{};
  std::array<ControlHandle, kGearButtons> voltage_labels_{};
  std::array<ControlHandle, kGearButtons> voltages_{};
  // Gears 1..6 at index 0..5.
  std::array<ControlHandle, 6> ratio_labels_{};
  std::array<ControlHandle, 6> ratios_{};
  std::array<ControlHandle, 6> correction_labels_{};
  std::array<ControlHandle, 6> advance_corrections_{};
  std::array<ControlHandle, 6> injection_corrections_{};
  std::array<ControlHandle, 6> learned_labels_{};
  std::array<ControlHandle, 6> learned_{};
  std::array<ControlHandle, 8> auto_fields_{};  // label and field of time, rpm, throttle, band
  ControlHandle ratio_caption_ = 0;
};

}  // namespace korvan
