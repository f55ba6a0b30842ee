#pragma once

// The race page: per gear the pilot-light engine speeds and the clutch master's cut time and
// pause, the clutch master's mode, minimum speed, injection and advance, and the bike display's
// temperature switch. The live cursor marks the row of the gear engaged now.

#include <array>

#include "base/control_set.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "monitor/live_values.h"
#include "pages/page_fields.h"

namespace korvan {

inline constexpr int kRaceGears = 6;

// Whether the display of a bike can show the temperature instead of the speed.
bool BikeHasTemperatureDisplay(int bike_code);

class RacePage {
 public:
  explicit RacePage(ControlSet& controls) : controls_(controls), fields_(controls, kPageRace) {}

  void CreateControls();
  void Gather(ParameterImage& image) const { fields_.Gather(image); }
  // `choke`: the bike's pilot-light output drives a choke (the column caption says so).
  void Refresh(const ParameterImage& image, bool choke, int language);
  // Disables the display switch, and clears it in the image, on a bike without the display.
  void Visibility(ParameterImage& image);
  void PaintLiveCursor(const LiveValues& live);
  void ClutchModeClicked(ParameterImage& image) const { fields_.GatherOne(clutch_mode_, image); }

  const PageFields& fields() const { return fields_; }

 private:
  ControlSet& controls_;
  PageFields fields_;
  ControlHandle pilot_light_ = 0;
  ControlHandle clutch_mode_ = 0;
  ControlHandle temp_display_ = 0;
  std::array<ControlHandle, kRaceGears> gear_labels_{};
  std::array<std::array<ControlHandle, 4>, kRaceGears> gear_fields_{};
};

}  // namespace korvan
