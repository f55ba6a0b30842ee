#include "pages/idle_page.h"

#include <cstdio>
#include <string>

#include "image/field_dictionary.h"

namespace korvan {
namespace {

constexpr int kModeByte = 2600;
constexpr int kRpmRangeByte = 2601;
constexpr int kTpsRangeByte = 2602;
constexpr int kAdvanceOnByte = 2618;
constexpr int kIntakeServoEnableByte = 59;
constexpr int kRowStep = 26;
constexpr int kSpinWidth = 100;
constexpr int kSpinHeight = 22;

// Indices into rows_.
enum Row {
  kRpmRange,
  kTpsRange,
  kStepPulse,
  kStepPeriod,
  kHysteresis,
  kDcServoRpm,
  kDcServoTime,
  kAdvanceGain,
  kAdvanceRate,
  kAdvanceMax,
};

}  // namespace

IdleTexts IdleTextsOf(const ParameterImage& image) {
  const bool servo_enabled = image.Byte(kIntakeServoEnableByte) != 0;
  switch (image.Byte(kModeByte)) {
    case 0:
      return {MessageKey::kNone, MessageKey::kNone, {}};
    case 1:
      return {servo_enabled ? MessageKey::kNone : MessageKey::kMsgNeedIntakeServo,
              MessageKey::kMsgServoStartPosition,
              image.Byte(kIntakeServoPercentOffset) != 0 ? " [%]" : " [mV]"};
    case 2:
      return {servo_enabled ? MessageKey::kMsgNeedNoIntakeServo : MessageKey::kNone,
              MessageKey::kMsgDesiredRpm,
              {}};
    default:
      // The unit's own test is for the value 1 here, not for any set flag.
      return {image.Byte(kIntakeServoEnableByte) == 1 ? MessageKey::kMsgNeedNoIntakeServo
                                                      : MessageKey::kNone,
              MessageKey::kMsgServoTpsMinSteps,
              {}};
  }
}

int IdleCoolantRow(const LiveValues& live) {
  const int code = live.coolant_sensor_error ? 0 : live.coolant_code;
  if (code == 0) return 7;
  for (int i = 0; i < kIdleRows; ++i) {
    if (code < 15 * i + 97) return i;
  }
  return kIdleNoRow;
}

void ConvertIdleTargets(int old_mode, ParameterImage& image) {
  const bool percent = image.Byte(kIntakeServoPercentOffset) != 0;
  if (!percent) return;
  const int new_mode = image.Byte(kModeByte);
  for (int k = kIdleServoTableOffset; k < kIdleServoTableOffset + kIdleRows; ++k) {
    int b = image.Byte(k);
    if (old_mode == 1) b = 5 * b / 2;
    if (new_mode == 1) b = 2 * (b + 1) / 5;
    image.SetByte(k, static_cast<std::uint8_t>(b));
  }
}

void IdlePage::CreateControls() {
  PageFields& f = fields_;
  mode_ = f.Radio("RadioGroupIdleMode", "RadioGroupIdleMode", 4, {8, 4, 320, 120});
  conflict_ = f.Add("LabelIdleModeErr", ControlKind::kLabel, {8, 128, 320, 20});
  controls_.SetColor(conflict_, kColorRed);
  controls_.SetVisible(conflict_, false);

  const auto label_spin = [&](Row row, const std::string& role, int x, int y, int label_width) {
    const auto k = static_cast<std::size_t>(row);
    rows_[k][0] = f.Add("Label" + role, ControlKind::kLabel, {x, y + 3, label_width, 18});
    rows_[k][1] = f.Spin("Edit" + role, "UpDown" + role, "UpDown" + role, 0,
                         {x + label_width + 4, y, kSpinWidth, kSpinHeight});
  };
  label_spin(kRpmRange, "IdleRpmMez", 8, 156, 210);
  label_spin(kTpsRange, "IdleTpsMez", 8, 156 + kRowStep, 210);
  label_spin(kStepPulse, "IdleStepPuls", 8, 156 + 2 * kRowStep, 210);
  label_spin(kStepPeriod, "IdleStepPerioda", 8, 156 + 3 * kRowStep, 210);
  label_spin(kHysteresis, "IdleHyster", 8, 156 + 4 * kRowStep, 210);
  reverse_ =
      f.Check("CheckBoxIdleSmerReg", "CheckBoxIdleSmerReg", {8, 156 + 5 * kRowStep, 260, 22});
  label_spin(kDcServoRpm, "IdleProcentNaRpm", 8, 156 + 6 * kRowStep, 210);
  label_spin(kDcServoTime, "IdleProcentNaCas", 8, 156 + 7 * kRowStep, 210);

  // A column of nine values over the coolant temperature, each with its temperature label.
  const auto temperature_column = [&](const char* label, const char* field, int x, int y0,
                                      auto& labels, auto& spins) {
    for (int i = 0; i < kIdleRows; ++i) {
      const auto k = static_cast<std::size_t>(i);
      const int y = y0 + kRowStep * i;
      labels[k] = f.Add(ElementName(label, i), ControlKind::kLabel, {x, y + 3, 80, 18});
      spins[k] =
          f.Spin(ElementName(field, i), "", field, i, {x + 88, y, kSpinWidth + 20, kSpinHeight});
    }
  };

  // The actuator's nine targets over the coolant temperature.
  targets_box_ = f.Add("GroupBoxIdleServoPoz", ControlKind::kGroupBox, {340, 4, 300, 272});
  temperature_column("LabelIdleServoTeplota", "EditIdleServoPoz", 352, 28, target_labels_,
                     targets_);

  // Idle control through the advance, right of the target table (whose caption, the actuator's
  // start position, is the longest of the page in French).
  constexpr int kAdvanceX = 652;
  f.Add("GroupBoxIdleAdv", ControlKind::kGroupBox, {kAdvanceX, 4, 330, 136});
  f.Check("CheckBoxIdleAdvOn", "CheckBoxIdleAdvOn", {kAdvanceX + 12, 26, 120, 22});
  label_spin(kAdvanceGain, "IdleAdvNaRpm", kAdvanceX + 12, 26 + kRowStep, 200);
  label_spin(kAdvanceRate, "IdleAdvNaCas", kAdvanceX + 12, 26 + 2 * kRowStep, 200);
  label_spin(kAdvanceMax, "IdleMaxAdv", kAdvanceX + 12, 26 + 3 * kRowStep, 200);
  advance_targets_box_ =
      f.Add("GroupBoxIdleAdvPoz", ControlKind::kGroupBox, {kAdvanceX, 148, 250, 272});
  temperature_column("LabelIdleAdvTeplota", "EditIdleAdvPoz", kAdvanceX + 12, 172, advance_labels_,
                     advance_targets_);
}

void IdlePage::SetTargetScale(const ParameterImage& image) {
  const IdleServoUnit unit = IdleServoStep(image);
  for (const ControlHandle h : targets_) controls_.SetRange(h, 0, unit.maximum, unit.step);
}

void IdlePage::Refresh(const ParameterImage& image) {
  SetTargetScale(image);
  fields_.Refresh(image);
}

void IdlePage::ModeClicked(ParameterImage& image) const {
  const int old_mode = image.Byte(kModeByte);
  fields_.GatherOne(mode_, image);
  ConvertIdleTargets(old_mode, image);
}

void IdlePage::Visibility(const ParameterImage& image, MessageTextOf text, int language) {
  const int mode = image.Byte(kModeByte);
  const bool advance = image.Byte(kAdvanceOnByte) != 0;
  const auto show = [&](Row row, bool visible) {
    for (const ControlHandle h : rows_[static_cast<std::size_t>(row)])
      controls_.SetVisible(h, visible);
  };
  controls_.SetVisible(targets_box_, mode != 0);
  controls_.SetVisible(advance_targets_box_, advance);
  for (std::size_t i = 0; i < kIdleRows; ++i) {
    controls_.SetVisible(target_labels_[i], mode != 0);
    controls_.SetVisible(targets_[i], mode != 0);
    controls_.SetVisible(advance_labels_[i], advance);
    controls_.SetVisible(advance_targets_[i], advance);
  }
  controls_.SetVisible(reverse_, mode != 0);
  show(kStepPulse, mode != 0);
  show(kStepPeriod, mode != 0);
  show(kDcServoRpm, false);
  show(kDcServoTime, false);
  show(kAdvanceGain, advance);
  show(kAdvanceRate, advance);
  show(kAdvanceMax, advance);
  show(kRpmRange, advance || mode == 2);
  show(kTpsRange, advance || mode == 2);
  show(kHysteresis, mode == 2);

  const IdleTexts texts = IdleTextsOf(image);
  controls_.SetVisible(conflict_, texts.conflict != MessageKey::kNone);
  if (texts.conflict != MessageKey::kNone)
    controls_.SetText(conflict_, text(texts.conflict, language));
  if (texts.caption != MessageKey::kNone) {
    // Composed on the stack: visibility runs in every edit cycle and allocates nothing.
    const std::string_view caption = text(texts.caption, language);
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.*s%.*s", static_cast<int>(caption.size()),
                  caption.data(), static_cast<int>(texts.unit.size()), texts.unit.data());
    controls_.SetText(targets_box_, buffer);
  }
  SetTargetScale(image);
}

void IdlePage::PaintLiveCursor(const LiveValues& live, const ParameterImage& image) {
  const int row = IdleCoolantRow(live);
  const auto color = [](bool lit) { return lit ? kColorLime : kDefaultColor; };
  for (int i = 0; i < kIdleRows; ++i) {
    const auto k = static_cast<std::size_t>(i);
    for (const ControlHandle h :
         {target_labels_[k], targets_[k], advance_labels_[k], advance_targets_[k]}) {
      controls_.SetColor(h, color(i == row));
    }
  }
  const bool in_rpm_range =
      live.engine_speed != 0 && live.engine_speed <= image.Byte(kRpmRangeByte) * 100;
  for (const ControlHandle h : rows_[kRpmRange]) controls_.SetColor(h, color(in_rpm_range));
  const bool in_tps_range = live.throttle_position < image.Byte(kTpsRangeByte);
  for (const ControlHandle h : rows_[kTpsRange]) controls_.SetColor(h, color(in_tps_range));
}

}  // namespace korvan
