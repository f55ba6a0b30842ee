#include "pages/gear_page.h"

#include <string>

namespace korvan {
namespace {

constexpr int kModeByte = 136;
constexpr int kGearCountByte = 137;
constexpr int kVoltageWord = 70;  // words 70..76: gears 0..6
constexpr int kRatioWord = 80;    // words 81..86: gears 1..6 (word 80 is the speed constant)
constexpr int kRowStep = 26;
constexpr int kSpinWidth = 100;
constexpr int kSpinHeight = 22;

enum Mode { kVoltage, kRatio, kAutomatic, kNone };

}  // namespace

void GearPage::CreateControls() {
  PageFields& f = fields_;
  mode_ = f.Radio("RadioGroupGearSystem", "RadioGroupGearSystem", 4, {8, 4, 300, 120});
  f.Add("LabelPocetGear", ControlKind::kLabel, {16, 137, 150, 18});
  f.Spin("EditPocetGear", "UpDownPocetGear", "UpDownPocetGear", 0, {170, 134, 80, kSpinHeight});

  f.Add("GroupBoxPulsuProSpeed", ControlKind::kGroupBox, {8, 166, 300, 128});
  speed_mode_ = f.Radio("RadioGroupSpeedMode", "RadioGroupSpeedMode", 2, {16, 186, 284, 70});
  f.Spin("EditPulsuProSpeed", "UpDownPulsuProSpeed", "UpDownPulsuProSpeed", 0,
         {16, 262, kSpinWidth, kSpinHeight});

  // The voltage and the ratio tables share a place and the buttons: one shows at a time.
  voltage_box_ = f.Add("GroupBoxNapetiProGear", ControlKind::kGroupBox, {320, 4, 330, 218});
  ratio_box_ = f.Add("GroupBoxRpmSpeedProGear", ControlKind::kGroupBox, {320, 4, 330, 218});
  ratio_caption_ = f.Add("LabelPomerRpmSpeed0", ControlKind::kLabel, {332, 29, 170, 18});
  for (int k = 0; k < kGearButtons; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const int y = 26 + kRowStep * k;
    voltage_labels_[i] =
        f.Add("LabelGear" + std::to_string(k), ControlKind::kLabel, {332, y + 3, 70, 18});
    voltages_[i] = f.Spin(ElementName("EditGearNapeti", k), "", "EditGearNapeti", k,
                          {406, y, kSpinWidth, kSpinHeight});
    if (k > 0) {
      ratio_labels_[i - 1] = f.Add("LabelPomerRpmSpeed" + std::to_string(k), ControlKind::kLabel,
                                   {332, y + 3, 70, 18});
      ratios_[i - 1] = f.Spin(ElementName("EditGearPomer", k - 1), "", "EditGearPomer", k - 1,
                              {406, y, kSpinWidth, kSpinHeight});
    }
    buttons_[i] =
        f.Add("ButtonGear" + std::to_string(k), ControlKind::kButton, {512, y - 1, 128, 24});
  }

  f.Add("GroupBoxGearKor", ControlKind::kGroupBox, {662, 4, 380, 210});
  f.Add("LabelGearKorIgn", ControlKind::kLabel, {720, 26, 110, 18});
  f.Add("LabelGearKorJet", ControlKind::kLabel, {860, 26, 110, 18});
  for (int g = 0; g < 6; ++g) {
    const auto i = static_cast<std::size_t>(g);
    const int y = 48 + kRowStep * g;
    correction_labels_[i] =
        f.Add("LabelGearKor" + std::to_string(g + 1), ControlKind::kLabel, {674, y + 3, 40, 18});
    advance_corrections_[i] = f.Spin(ElementName("EditGearKorIgn", g), "", "EditGearKorIgn", g,
                                     {720, y, kSpinWidth, kSpinHeight});
    injection_corrections_[i] = f.Spin(ElementName("EditGearKorJet", g), "", "EditGearKorJet", g,
                                       {860, y, kSpinWidth, kSpinHeight});
  }

  // The unit's learning, with the ratios it has learned (the monitor writes them).
  auto_box_ = f.Add("GroupBoxMonAutoGear", ControlKind::kGroupBox, {320, 230, 722, 140});
  const char* roles[] = {"GearAutoTime", "GearAutoRpm", "GearAutoTps", "GearAutoBand"};
  for (std::size_t r = 0; r < 4; ++r) {
    const int x = 332 + 350 * static_cast<int>(r % 2);
    const int y = 252 + kRowStep * static_cast<int>(r / 2);
    const std::string role = roles[r];
    auto_fields_[2 * r] = f.Add("Label" + role, ControlKind::kLabel, {x, y + 3, 120, 18});
    auto_fields_[2 * r + 1] = f.Spin("Edit" + role, "UpDown" + role, "UpDown" + role, 0,
                                     {x + 124, y, kSpinWidth, kSpinHeight});
  }
  for (int g = 0; g < 6; ++g) {
    const auto i = static_cast<std::size_t>(g);
    const int x = 332 + 100 * g;
    learned_labels_[i] =
        f.Add("LabelMonGearAuto" + std::to_string(g + 1), ControlKind::kLabel, {x, 312, 90, 18});
    learned_[i] = controls_.Handle("LabelMonPomerRpmSpeedAuto" + std::to_string(g + 1));
    controls_.SetGeometry(learned_[i], x, 336, 90, 18);
  }
  controls_.SetGeometry(controls_.Handle("LabelMonGearNapeti"), 8, 306, 300, 18);
  live_ratio_ = controls_.Handle("LabelMonPomerRpmSpeed");
  controls_.SetGeometry(live_ratio_, 8, 330, 300, 18);
}

void GearPage::ModesClicked(ParameterImage& image) const {
  fields_.GatherOne(mode_, image);
  fields_.GatherOne(speed_mode_, image);
}

void GearPage::TakeLive(int gear, const LiveValues& live, ParameterImage& image) {
  if (gear < 0 || gear >= kGearButtons) return;
  switch (image.Byte(kModeByte)) {
    case kVoltage:
      image.SetWord(kVoltageWord + gear, live.gear_sensor_mv);
      break;
    case kRatio:
      if (gear > 0) image.SetWord(kRatioWord + gear, live.speed_ratio);
      break;
    default:
      break;
  }
}

void GearPage::Visibility(const ParameterImage& image) {
  const int mode = image.Byte(kModeByte);
  const int gears = image.Byte(kGearCountByte);
  const bool voltage = mode == kVoltage;
  const bool ratio = mode == kRatio;
  const bool automatic = mode == kAutomatic;
  controls_.SetVisible(voltage_box_, voltage);
  controls_.SetVisible(ratio_box_, ratio);
  controls_.SetVisible(ratio_caption_, ratio);
  controls_.SetVisible(auto_box_, automatic);
  for (const ControlHandle h : auto_fields_) controls_.SetVisible(h, automatic);
  controls_.SetVisible(live_ratio_, ratio || automatic);
  for (int k = 0; k < kGearButtons; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const bool fitted = k <= 1 || gears >= k;
    controls_.SetVisible(buttons_[i], (voltage || ratio) && fitted);
    controls_.SetVisible(voltage_labels_[i], voltage && fitted);
    controls_.SetVisible(voltages_[i], voltage && fitted);
    if (k == 0) continue;
    for (const ControlHandle h : {ratio_labels_[i - 1], ratios_[i - 1]})
      controls_.SetVisible(h, ratio && fitted);
    for (const ControlHandle h : {learned_labels_[i - 1], learned_[i - 1]})
      controls_.SetVisible(h, automatic && fitted);
    for (const ControlHandle h :
         {correction_labels_[i - 1], advance_corrections_[i - 1], injection_corrections_[i - 1]})
      controls_.SetVisible(h, fitted);
  }
}

void GearPage::PaintLiveCursor(const LiveValues& live, const ParameterImage& image) {
  const int mode = image.Byte(kModeByte);
  const int gear = live.gear;
  const auto color = [](bool lit) { return lit ? kColorLime : kDefaultColor; };
  for (int k = 0; k < kGearButtons; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const bool engaged = k == gear;
    controls_.SetColor(voltages_[i], color(engaged && mode == kVoltage));
    controls_.SetColor(voltage_labels_[i], color(engaged && mode == kVoltage));
    controls_.SetBold(buttons_[i], engaged && (mode == kVoltage || (k > 0 && mode == kRatio)));
    if (k == 0) continue;
    controls_.SetColor(ratios_[i - 1], color(engaged && mode == kRatio));
    controls_.SetColor(ratio_labels_[i - 1], color(engaged && mode == kRatio));
    controls_.SetColor(learned_[i - 1], color(engaged && mode == kAutomatic));
    controls_.SetColor(learned_labels_[i - 1], color(engaged && mode == kAutomatic));
    for (const ControlHandle h :
         {correction_labels_[i - 1], advance_corrections_[i - 1], injection_corrections_[i - 1]})
      controls_.SetColor(h, color(engaged));
  }
  controls_.SetFontColor(buttons_[0], kColorLime);
}

}  // namespace korvan
