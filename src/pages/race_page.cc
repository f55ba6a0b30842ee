#include "pages/race_page.h"

#include <cstdio>
#include <string>

#include "image/field_dictionary.h"
#include "monitor/monitor_texts.h"

namespace korvan {
namespace {

constexpr int kTempDisplayByte = 107;
constexpr int kRowStep = 26;
constexpr int kSpinWidth = 100;
constexpr int kSpinHeight = 22;
constexpr int kBikesWithTemperatureDisplay[] = {17, 18, 27, 34, 35, 42, 47};

}  // namespace

bool BikeHasTemperatureDisplay(int bike_code) {
  for (const int code : kBikesWithTemperatureDisplay) {
    if (code == bike_code) return true;
  }
  return false;
}

void RacePage::CreateControls() {
  PageFields& f = fields_;
  // Per gear: two pilot-light speeds under one caption, then the clutch master's time and pause.
  f.Add("GroupBoxClutch", ControlKind::kGroupBox, {8, 4, 600, 210});
  pilot_light_ = f.Add("LabelPilotLight", ControlKind::kLabel, {50, 26, 210, 18});
  f.Add("LabelClutchTime", ControlKind::kLabel, {280, 26, 160, 18});
  f.Add("LabelClutchPause", ControlKind::kLabel, {440, 26, 160, 18});
  const char* columns[] = {"EditRaceRpm1", "EditRaceRpm2", "EditClutchTime", "EditClutchPause"};
  constexpr int kColumnX[] = {50, 160, 280, 440};
  for (int g = 0; g < kRaceGears; ++g) {
    const auto k = static_cast<std::size_t>(g);
    const int y = 48 + kRowStep * g;
    gear_labels_[k] =
        f.Add("LabelRaceGear" + std::to_string(g + 1), ControlKind::kLabel, {20, y + 3, 24, 18});
    for (std::size_t c = 0; c < 4; ++c) {
      gear_fields_[k][c] = f.Spin(ElementName(columns[c], g), "", columns[c], g,
                                  {kColumnX[c], y, kSpinWidth, kSpinHeight});
    }
  }

  // The clutch master as a whole.
  clutch_mode_ = f.Radio("RadioGroupClutchMode", "RadioGroupClutchMode", 2, {8, 222, 300, 58});
  const auto label_spin = [&](const std::string& role, int y) {
    f.Add("Label" + role, ControlKind::kLabel, {16, y + 3, 170, 18});
    f.Spin("Edit" + role, "UpDown" + role, "UpDown" + role, 0, {190, y, kSpinWidth, kSpinHeight});
  };
  label_spin("ClutchMinRpm", 290);
  label_spin("ClutchJet", 290 + kRowStep);
  label_spin("ClutchAdv", 290 + 2 * kRowStep);

  f.Add("GroupBoxDisplay", ControlKind::kGroupBox, {320, 222, 288, 58});
  temp_display_ = f.Check("CheckBoxTempDisplay", "CheckBoxTempDisplay", {332, 248, 270, 22});
}

void RacePage::Refresh(const ParameterImage& image, bool choke, int language) {
  const char* word =
      MonitorTextOf(choke ? MonitorText::kChoke : MonitorText::kShiftLight, language);
  // Composed on the stack: a refresh runs twice in every edit cycle and allocates nothing.
  char caption[64];
  std::snprintf(caption, sizeof caption, "%s [rpm]", word);
  controls_.SetText(pilot_light_, caption);
  fields_.Refresh(image);
}

void RacePage::Visibility(ParameterImage& image) {
  const bool display = BikeHasTemperatureDisplay(image.Byte(kBikeCodeOffset));
  controls_.SetEnabled(temp_display_, display);
  if (!display) {
    image.SetByte(kTempDisplayByte, 0);
    controls_.SetChecked(temp_display_, false);
  }
}

void RacePage::PaintLiveCursor(const LiveValues& live) {
  for (int g = 0; g < kRaceGears; ++g) {
    const auto k = static_cast<std::size_t>(g);
    const bool lit = live.gear == g + 1;
    controls_.SetColor(gear_labels_[k], lit ? kColorLime : kDefaultColor);
    for (const ControlHandle h : gear_fields_[k])
      controls_.SetColor(h, lit ? kColorLime : kDefaultColor);
  }
}

}  // namespace korvan
