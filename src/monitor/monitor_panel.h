#pragma once

#include <array>
#include <cstdint>

#include "base/control_set.h"
#include "monitor/live_values.h"
#include "monitor/monitor_controls.h"

namespace korvan {

// What the display needs from the image and the station besides the live values.
struct PresentationInputs {
  int language = 0;                   // 0 English, 1 German, 2 French, 3 Czech
  int cylinders = 0;                  // image byte 256, as the decoder averages over it
  std::uint8_t engine_config = 0;     // image byte 2: which pick-ups the engine has
  std::uint8_t ignition_limiter = 0;  // image byte 29, hundreds of rpm
  bool n2o_enabled = false;           // CheckBoxGas on the N2O page (image byte 98)
  bool choke = false;                 // the bike's pilot-light output drives a choke
  bool detailed_view = false;         // CheckBoxExtMonitor: sensor voltages beside the values
  bool idle_advance = false;          // CheckBoxIdleAdvOn on the idle page (image byte 2618)
};

// Writes the live data into the controls of the live panel, the monitor page and the live
// labels of the bike, corrections and gear pages. The window draws only what these controls hold.
// Gauges carry their bar colour in font_color; their value is kept inside their range.
class MonitorPresenter {
 public:
  // Creates every control of the live display, or takes over one the station already created
  // under the same name (then its position is left as it is). The monitor page's tab itself is
  // the station's.
  void CreateControls(ControlSet& controls);

  // The live display before the first frame, and again when the language changes while no unit
  // answers or a replay ends: each value label reads its prefix and a dash placeholder, each
  // state label its bare prefix, on the face colour; the bars are empty and "Programmed data
  // error" is hidden. Also writes the captions of the monitor page. The layout's visibility is
  // left as it is.
  void ShowPlaceholders(int language);

  // The captions that do not depend on the live data (check box, group boxes, error label).
  void ApplyCaptions(int language);

  // Visibility that follows the image and the station: labels of cylinders and channels 2..4,
  // the pick-up labels by engine configuration, and the N2O state label. Run whenever a page is
  // laid out; Update runs it too.
  void ApplyLayout(const PresentationInputs& inputs);

  // Every text, colour, gauge and visibility for an accepted frame. Without any frame yet it
  // shows the placeholders. Calling it again with the same values (after DetailedView or the
  // language changed) redraws without side effects. Texts are formatted on the stack.
  void Update(const LiveValues& live, const PresentationInputs& inputs);

  // DetailedView as the check box holds it; restoring it from the settings file.
  bool DetailedView() const;
  void SetDetailedView(bool on);

  ControlHandle handle(MonitorControl c) const { return handles_[static_cast<std::size_t>(c)]; }

 private:
  ControlHandle H(MonitorControl c) const { return handle(c); }
  void SetText(MonitorControl c, const char* text);
  void SetColor(MonitorControl c, std::uint32_t color);
  void SetGauge(MonitorControl c, int value, std::uint32_t bar_color);
  void ClearLiveStates();

  void UpdateStateLabels(const LiveValues& live, const PresentationInputs& inputs);
  void UpdatePanelValues(const LiveValues& live, const PresentationInputs& inputs);
  void UpdateVersion(const LiveValues& live, int language);
  void UpdateGauges(const LiveValues& live, const PresentationInputs& inputs);
  void UpdateMonitorPage(const LiveValues& live, int language);
  void UpdateOtherPages(const LiveValues& live, int language);

  ControlSet* controls_ = nullptr;
  bool choke_ = false;  // as the last layout said: the pilot-light label's prefix
  std::array<ControlHandle, kMonitorControlCount> handles_{};
};

// Which pick-up labels an engine configuration (image byte 2) shows.
struct PickupVisibility {
  bool ckps = true;
  bool cmps = true;
};
PickupVisibility PickupLabelsFor(std::uint8_t engine_config);

}  // namespace korvan
