#pragma once

// The idle page: which actuator holds the idle (none, the intake servo, a step motor in one of
// two ways), its parameters, its nine targets over the coolant temperature, and the idle control
// through the advance with its own nine desired engine speeds. The unit of the target table
// follows the actuator; the live cursor marks the coolant row and the control ranges in use.

#include <array>
#include <string_view>

#include "base/control_set.h"
#include "base/message_key.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "monitor/live_values.h"
#include "pages/page_fields.h"

namespace korvan {

inline constexpr int kIdleRows = 9;
inline constexpr int kIdleNoRow = 9;

// A message of the station's table in the language on display.
using MessageTextOf = std::string_view (*)(MessageKey key, int language);

// What the idle page says about the actuator: the conflict with the intake servo (kNone: none)
// and the target table's caption, followed by `unit` (" [%]", " [mV]" or nothing).
struct IdleTexts {
  MessageKey conflict;
  MessageKey caption;
  std::string_view unit;
};
IdleTexts IdleTextsOf(const ParameterImage& image);

// The coolant row the unit works with: a code of 0 (sensor error) takes the 80 degC row; above
// 110 degC there is none (kIdleNoRow).
int IdleCoolantRow(const LiveValues& live);

// The actuator was switched from `old_mode` to the mode now in byte 2600: the intake servo's
// targets in percent are stored unscaled, the others in steps of 50 or 5, so the table is
// converted between the two (truncating both ways, as the unit's own station always did).
void ConvertIdleTargets(int old_mode, ParameterImage& image);

class IdlePage {
 public:
  explicit IdlePage(ControlSet& controls) : controls_(controls), fields_(controls, kPageIdle) {}

  void CreateControls();
  void Gather(ParameterImage& image) const { fields_.Gather(image); }
  void Refresh(const ParameterImage& image);
  void Visibility(const ParameterImage& image, MessageTextOf text, int language);
  void PaintLiveCursor(const LiveValues& live, const ParameterImage& image);
  // The actuator radio group was clicked: the new mode into the image, the targets converted.
  void ModeClicked(ParameterImage& image) const;

  const PageFields& fields() const { return fields_; }

 private:
  void SetTargetScale(const ParameterImage& image);

  ControlSet& controls_;
  PageFields fields_;
  ControlHandle mode_ = 0;
  ControlHandle conflict_ = 0;
  ControlHandle targets_box_ = 0;
  ControlHandle advance_targets_box_ = 0;
  std::array<ControlHandle, kIdleRows> target_labels_{};
  std::array<ControlHandle, kIdleRows> targets_{};
  std::array<ControlHandle, kIdleRows> advance_labels_{};
  std::array<ControlHandle, kIdleRows> advance_targets_{};
  // Label and field of each: rpm range, throttle range, step pulse, step period, hysteresis,
  // the two hidden DC servo values, the three advance-control values.
  std::array<std::array<ControlHandle, 2>, 10> rows_{};
  ControlHandle reverse_ = 0;
};

}  // namespace korvan
