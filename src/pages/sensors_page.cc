#include "pages/sensors_page.h"

#include <string>

namespace korvan {
namespace {

constexpr int kTps0Byte = 33;
constexpr int kTps100Byte = 34;
constexpr int kPotencModeByte = 75;
// The calibration voltages of the pressure sensors: AP 1 and 2, IAP 1 and 2.
constexpr std::array<int, 4> kVoltageWords = {4, 6, 8, 10};
constexpr int kRowStep = 26;
constexpr int kSpinWidth = 90;
constexpr int kSpinHeight = 22;
constexpr int kTemperatureSensorRows = 9;

}  // namespace

void SensorsPage::CreateControls() {
  PageFields& f = fields_;
  const auto label_spin = [&](const std::string& role, int x, int y, int label_width) {
    f.Add("Label" + role, ControlKind::kLabel, {x, y + 3, label_width, 18});
    return f.Spin("Edit" + role, "UpDown" + role, "UpDown" + role, 0,
                  {x + label_width + 4, y, kSpinWidth, kSpinHeight});
  };

  // Pressure sensors: two points of pressure and voltage each.
  const char* sensors[] = {"Aps", "Iaps"};
  for (int s = 0; s < 2; ++s) {
    const int top = 4 + 136 * s;
    f.Add(s == 0 ? "GroupApsSensor" : "GroupIapsSensor", ControlKind::kGroupBox,
          {8, top, 300, 128});
    int y = top + 22;
    for (int point = 1; point <= 2; ++point) {
      const std::string n = std::to_string(point);
      label_spin(std::string(sensors[s]) + "Tlak" + n, 20, y, 150);
      y += kRowStep;
      voltages_[static_cast<std::size_t>(2 * s + point - 1)] =
          label_spin(std::string(sensors[s]) + "Napeti" + n, 20, y, 150);
      y += kRowStep;
    }
  }

  // Temperature sensors: nine rows, coolant and air side by side.
  f.Add("GroupBoxCidloTVodaVzduch", ControlKind::kGroupBox, {320, 4, 310, 278});
  f.Add("LabelCidloVoda", ControlKind::kLabel, {420, 24, 90, 18});
  f.Add("LabelCidloVzduch", ControlKind::kLabel, {520, 24, 90, 18});
  for (int i = 0; i < kTemperatureSensorRows; ++i) {
    const int y = 44 + kRowStep * i;
    f.Add("LabelCidloTeplota" + std::to_string(i), ControlKind::kLabel, {332, y + 3, 80, 18});
    f.Spin(ElementName("EditCidloVoda", i), "", "EditCidloVoda", i,
           {420, y, kSpinWidth, kSpinHeight});
    f.Spin(ElementName("EditCidloVzduch", i), "", "EditCidloVzduch", i,
           {520, y, kSpinWidth, kSpinHeight});
  }

  // Throttle sensor end points, each with its take-live-voltage button.
  f.Add("GroupBoxSetTps", ControlKind::kGroupBox, {642, 4, 396, 82});
  label_spin("Tps0", 654, 26, 90);
  f.Add("ButtonTps0", ControlKind::kButton, {848, 25, 180, 24});
  label_spin("Tps100", 654, 26 + kRowStep, 90);
  f.Add("ButtonTps100", ControlKind::kButton, {848, 25 + kRowStep, 180, 24});

  // Potentiometer: what it trims, and by how much.
  f.Add("GroupBoxPotenc", ControlKind::kGroupBox, {642, 94, 396, 118});
  potenc_mode_ = f.Radio("RadioGroupPotencMode", "RadioGroupPotencMode", 3, {654, 114, 374, 58});
  potenc_range_[1] = label_spin("PotencRozsah", 654, 180, 180);
  potenc_range_[0] = controls_.Handle("LabelPotencRozsah");
}

void SensorsPage::Refresh(const ParameterImage& image) {
  fields_.Refresh(image);
  // Two calibration points at one voltage give the unit no slope: both fields turn red, the
  // values stay as they are.
  for (std::size_t s = 0; s < 2; ++s) {
    const bool same = image.Word(kVoltageWords[2 * s]) == image.Word(kVoltageWords[2 * s + 1]);
    for (std::size_t p = 0; p < 2; ++p) {
      controls_.SetColor(voltages_[2 * s + p], same ? kColorRed : kDefaultColor);
    }
  }
}

void SensorsPage::Visibility(const ParameterImage& image) {
  const bool trims = image.Byte(kPotencModeByte) != 0;
  for (const ControlHandle h : potenc_range_) controls_.SetVisible(h, trims);
}

bool SensorsPage::TakeTps0(const LiveValues& live, ParameterImage& image) {
  const int mv = live.throttle_sensor_mv;
  if (mv < 300 || mv > 2500) return false;
  image.SetByte(kTps0Byte, static_cast<std::uint8_t>(mv / 10));
  return true;
}

bool SensorsPage::TakeTps100(const LiveValues& live, ParameterImage& image) {
  const int mv = live.throttle_sensor_mv;
  if (mv < 2500 || mv > 4900) return false;
  image.SetByte(kTps100Byte, static_cast<std::uint8_t>(mv / 10 - 250));
  return true;
}

}  // namespace korvan
