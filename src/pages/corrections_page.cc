#include "pages/corrections_page.h"

#include <string>

namespace korvan {
namespace {

constexpr int kAfterStartTimeOffset = 67;  // bytes 67..70: seconds of points 1..4
constexpr int kRowStep = 26;
constexpr int kSpinWidth = 80;
constexpr int kSpinHeight = 22;

// The first temperature row whose upper bound (5, 35, 65, 95, 125 degC) lies above the code; a
// code of 0 is a sensor error, for which the unit takes `error_row`.
int TemperatureRow(int code, int error_row) {
  if (code == 0) return error_row;
  for (int i = 0; i < kTemperatureRows; ++i) {
    if (code < 30 * i + 105) return i;
  }
  return kNoCorrectionRow;
}

}  // namespace

CorrectionCursor ComputeCorrectionCursor(const LiveValues& live, const ParameterImage& image) {
  CorrectionCursor cursor{};
  cursor.coolant_row = TemperatureRow(live.coolant_sensor_error ? 0 : live.coolant_code, 3);
  cursor.air_row = TemperatureRow(live.air_sensor_error ? 0 : live.air_code, 2);
  const auto time = [&](int point) { return 10 * image.Byte(kAfterStartTimeOffset + point - 1); };
  const int twice_t = 2 * live.time_since_start;
  int row = 0;
  if (twice_t > time(1)) {
    row = 1;
    while (row < 4 && time(row) + time(row + 1) <= twice_t) ++row;
  }
  cursor.after_start_row = row;
  return cursor;
}

void CorrectionsPage::CreateControls() {
  PageFields& f = fields_;
  const auto spin = [&](const std::string& name, const char* up_down, const char* field,
                        int element, int x, int y) {
    return f.Spin(name, up_down, field, element, {x, y, kSpinWidth, kSpinHeight});
  };

  // Temperature corrections of injection: coolant and intake air side by side.
  f.Add("GroupBoxKorVodaVzduch", ControlKind::kGroupBox, {8, 4, 330, 180});
  f.Add("LabelVoda2", ControlKind::kLabel, {110, 26, 100, 18});
  // As wide as the box leaves: the Czech caption is the longest.
  f.Add("LabelVzduch2", ControlKind::kLabel, {220, 26, 114, 18});
  // Temperature corrections of advance, by coolant.
  f.Add("GroupBoxIgnVoda", ControlKind::kGroupBox, {350, 4, 260, 180});
  f.Add("LabelVoda3", ControlKind::kLabel, {450, 26, 100, 18});
  for (int i = 0; i < kTemperatureRows; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const int y = 48 + kRowStep * i;
    f.Add("LabelKorTeplota" + std::to_string(i), ControlKind::kLabel, {20, y + 3, 80, 18});
    coolant_jet_[k] = spin(ElementName("EditKorVodaJet", i), "", "EditKorVodaJet", i, 110, y);
    air_jet_[k] = spin(ElementName("EditKorVzduchJet", i), "", "EditKorVzduchJet", i, 220, y);
    f.Add("LabelKorIgnTeplota" + std::to_string(i), ControlKind::kLabel, {362, y + 3, 80, 18});
    coolant_ign_[k] = spin(ElementName("EditKorVodaIgn", i), "", "EditKorVodaIgn", i, 450, y);
  }

  // After start: point 0 at time 0, points 1..3, point 4 back at 100 %.
  f.Add("GroupBoxSytic", ControlKind::kGroupBox, {8, 192, 330, 180});
  f.Add("LabelSyticCas", ControlKind::kLabel, {20, 214, 100, 18});
  f.Add("LabelSyticKorekce", ControlKind::kLabel, {130, 214, 200, 18});
  label_time0_ = f.Add("LabelSyticCas0", ControlKind::kLabel, {20, 239, 80, 18});
  for (int point = 0; point <= 4; ++point) {
    const int y = 236 + kRowStep * point;
    if (point >= 1) {
      const std::string n = std::to_string(point);
      after_start_time_[static_cast<std::size_t>(point - 1)] = spin(
          "EditSyticCas" + n, ("UpDownSyticCas" + n).c_str(), "UpDownSyticCas", point - 1, 20, y);
    }
    if (point <= 3) {
      const std::string n = std::to_string(point);
      after_start_correction_[static_cast<std::size_t>(point)] =
          spin("EditSyticKorekce" + n, ("UpDownSyticKorekce" + n).c_str(), "UpDownSyticKorekce",
               point, 130, y);
    }
  }
  label_correction4_ =
      f.Add("LabelSyticKorekce4", ControlKind::kLabel, {134, 239 + 4 * kRowStep, 80, 18});

  // Acceleration and start injection.
  f.Add("GroupBoxAkcel", ControlKind::kGroupBox, {350, 192, 260, 80});
  f.Add("LabelAkcelPrah", ControlKind::kLabel, {362, 217, 140, 18});
  spin("EditAkcelPrah", "UpDownAkcelPrah", "UpDownAkcelPrah", 0, 510, 214);
  f.Add("LabelAkcelJet", ControlKind::kLabel, {362, 243, 140, 18});
  spin("EditAkcelJet", "UpDownAkcelJet", "UpDownAkcelJet", 0, 510, 240);
  f.Add("GroupBoxStartJet", ControlKind::kGroupBox, {350, 280, 260, 54});
  f.Add("LabelStartJet", ControlKind::kLabel, {362, 305, 140, 18});
  spin("EditStartJet", "UpDownStartJet", "UpDownStartJet", 0, 510, 302);
}

void CorrectionsPage::PaintLiveCursor(const LiveValues& live, const ParameterImage& image) {
  const CorrectionCursor cursor = ComputeCorrectionCursor(live, image);
  const auto field_color = [](bool lit) { return lit ? kColorLime : kDefaultColor; };
  for (int i = 0; i < kTemperatureRows; ++i) {
    const auto k = static_cast<std::size_t>(i);
    controls_.SetColor(coolant_jet_[k], field_color(i == cursor.coolant_row));
    controls_.SetColor(coolant_ign_[k], field_color(i == cursor.coolant_row));
    controls_.SetColor(air_jet_[k], field_color(i == cursor.air_row));
  }
  const int row = cursor.after_start_row;
  controls_.SetColor(label_time0_, field_color(row == 0));
  controls_.SetColor(label_correction4_, field_color(row == 4));
  for (int point = 1; point <= 4; ++point) {
    controls_.SetColor(after_start_time_[static_cast<std::size_t>(point - 1)],
                       field_color(row == point));
  }
  for (int point = 0; point <= 3; ++point) {
    controls_.SetColor(after_start_correction_[static_cast<std::size_t>(point)],
                       field_color(row == point));
  }
}

}  // namespace korvan
