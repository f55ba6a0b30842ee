#include "monitor/monitor_panel.h"

#include <algorithm>

#include "monitor/monitor_format.h"
#include "monitor/monitor_texts.h"

namespace korvan {
namespace {

using C = MonitorControl;
using T = MonitorText;

constexpr int kGaugeMax = 100;

// Engine configurations (image byte 2) without a camshaft pick-up, and the one without a
// crankshaft pick-up.
constexpr std::uint8_t kCrankOnlyConfigs[] = {1, 3, 7, 11, 15, 19, 20, 22, 23};
constexpr std::uint8_t kCamOnlyConfig = 2;

}  // namespace

PickupVisibility PickupLabelsFor(std::uint8_t engine_config) {
  if (std::find(std::begin(kCrankOnlyConfigs), std::end(kCrankOnlyConfigs), engine_config) !=
      std::end(kCrankOnlyConfigs)) {
    return {true, false};
  }
  if (engine_config == kCamOnlyConfig) return {false, true};
  return {true, true};
}

void MonitorPresenter::CreateControls(ControlSet& controls) {
  controls_ = &controls;
  for (const MonitorControlEntry& entry : MonitorControlEntries()) {
    ControlHandle h = 0;
    if (const std::optional<ControlHandle> existing = controls.Find(entry.name)) {
      h = *existing;
    } else {
      h = controls.Add(entry.name, entry.kind, entry.page);
      controls.SetGeometry(h, entry.x, entry.y, entry.width, entry.height);
      // The test values show only in the test mode, which the station switches on.
      if (entry.id >= C::kLabelTest1 && entry.id <= C::kLabelTest8) controls.SetVisible(h, false);
      // Nothing is wrong with the unit's data until a frame says so.
      if (entry.id == C::kLabelEeDataErr) controls.SetVisible(h, false);
    }
    if (entry.kind == ControlKind::kGauge) controls.SetRange(h, 0, kGaugeMax, 1);
    handles_[static_cast<std::size_t>(entry.id)] = h;
  }
  controls.SetFontColor(H(C::kCGaugeRpm), kColorFuchsia);
}

void MonitorPresenter::SetText(MonitorControl c, const char* text) {
  controls_->SetText(H(c), text);
}

void MonitorPresenter::SetColor(MonitorControl c, std::uint32_t color) {
  controls_->SetColor(H(c), color);
}

void MonitorPresenter::SetGauge(MonitorControl c, int value, std::uint32_t bar_color) {
  const Control& gauge = controls_->Get(H(c));
  controls_->SetValue(H(c), std::clamp(value, 0, std::max(gauge.max, 0)));
  controls_->SetFontColor(H(c), bar_color);
}

bool MonitorPresenter::DetailedView() const {
  return controls_ != nullptr && controls_->Checked(H(C::kCheckBoxExtMonitor));
}

void MonitorPresenter::SetDetailedView(bool on) {
  if (controls_ != nullptr) controls_->SetChecked(H(C::kCheckBoxExtMonitor), on);
}

void MonitorPresenter::ApplyCaptions(int language) {
  if (controls_ == nullptr) return;
  SetText(C::kCheckBoxExtMonitor, MonitorTextOf(T::kDetailedView, language));
  SetText(C::kGroupBoxMonInput, MonitorTextOf(T::kInputToGround, language));
  SetText(C::kGroupBoxMonOutput, MonitorTextOf(T::kOutputs, language));
  SetText(C::kGroupBoxMonLimiter, MonitorTextOf(T::kLimiters, language));
  SetText(C::kGroupBoxMonIgn, MonitorTextOf(T::kAdvance, language));
  SetText(C::kGroupBoxMonJet, MonitorTextOf(T::kInjectionTime, language));
  SetText(C::kLabelEeDataErr, MonitorTextOf(T::kProgrammedDataError, language));
  SetColor(C::kLabelEeDataErr, kColorRed);
}

void MonitorPresenter::ClearLiveStates() {
  // A background or a bar left from the last frame beside a dash would still read as a state
  // (a lime pick-up is an engine running): they go back to what they were before any frame.
  for (const MonitorControlEntry& entry : MonitorControlEntries()) {
    if (entry.id == C::kLabelEeDataErr) continue;
    if (entry.kind == ControlKind::kLabel) SetColor(entry.id, kDefaultColor);
    if (entry.kind == ControlKind::kGauge) {
      SetGauge(entry.id, 0, entry.id == C::kCGaugeRpm ? kColorFuchsia : kDefaultColor);
    }
  }
  controls_->SetVisible(H(C::kLabelEeDataErr), false);
}

void MonitorPresenter::ApplyLayout(const PresentationInputs& inputs) {
  if (controls_ == nullptr) return;
  choke_ = inputs.choke;
  // Cylinder and channel 1 always show; the others as far as the engine has cylinders.
  for (int k = 1; k < 4; ++k) {
    const bool shown = inputs.cylinders > k;
    controls_->SetVisible(H(C::kLabelMonIgn1 + k), shown);
    controls_->SetVisible(H(C::kLabelMonJet1A + k), shown);
    controls_->SetVisible(H(C::kLabelMonJet1B + k), shown);
  }
  const PickupVisibility pickups = PickupLabelsFor(inputs.engine_config);
  controls_->SetVisible(H(C::kLabelSnimacCkps), pickups.ckps);
  controls_->SetVisible(H(C::kLabelSnimacCmps), pickups.cmps);
  controls_->SetVisible(H(C::kLabelN2oEnable), inputs.n2o_enabled);
  // Without the idle control through the advance the unit applies no such correction.
  controls_->SetVisible(H(C::kLabelIdleKorAdv), inputs.idle_advance);
}

void MonitorPresenter::ShowPlaceholders(int language) {
  if (controls_ == nullptr) return;
  ApplyCaptions(language);
  ClearLiveStates();
  LabelText text;
  const auto tx = [language](T t) { return MonitorTextOf(t, language); };
  // "<prefix> = ---" with the prefix's trailing blanks dropped.
  const auto dashed = [&](C c, T prefix, const char* middle = "") {
    const char* p = tx(prefix);
    SetText(c, FormatLabel(text, "%.*s%s = ---", TrimmedLength(p), p, middle));
  };
  const auto bare = [&](C c, const char* prefix) {
    SetText(c, FormatLabel(text, "%.*s", TrimmedLength(prefix), prefix));
  };

  SetText(C::kLabelRpm, "RPM = ---");
  SetText(C::kLabelTpsMon, "TP = ---");
  SetText(C::kLabelLambda, "LAMBDA = ---");
  dashed(C::kLabelVoda, T::kCoolant);
  SetText(C::kLabelTlak, "AP = ---");
  SetText(C::kLabelPodtlak, "IAP = ---");
  SetText(C::kLabelVzduch, "AT = ---");
  SetText(C::kLabelNapeti, "U = ---");
  dashed(C::kLabelMonIgn, T::kAdvance);
  dashed(C::kLabelMaxInjProcent, T::kMaxInjection);
  dashed(C::kLabelMonJetA, T::kInjectionTime, " A");
  dashed(C::kLabelMonJetB, T::kInjectionTime, " B");
  dashed(C::kLabelMonServoIntake, T::kIntakeServo);
  dashed(C::kLabelMonServoExhaust, T::kExhaustServo);
  dashed(C::kLabelGear, T::kGear);
  dashed(C::kLabelMonSpeed, T::kSpeed);
  bare(C::kLabelSnimacCkps, tx(T::kPickupCkps));
  bare(C::kLabelSnimacCmps, tx(T::kPickupCmps));
  bare(C::kLabelMonFallOut, tx(T::kFallSensor));
  bare(C::kLabelMonBlock2Out, tx(T::kBlocking));
  bare(C::kLabelClazeniMon, tx(T::kCooling));
  SetText(C::kLabelVersion, "");
  for (int i = 0; i < 8; ++i) SetText(C::kLabelTest1 + i, FormatLabel(text, "Test%d= ---", i + 1));

  bare(C::kLabelMonFallIn, tx(T::kFallSensor));
  bare(C::kLabelMonBlock2In, tx(T::kBlocking));
  bare(C::kLabelMonStartLimiterIn, tx(T::kStartLimiter));
  bare(C::kLabelMonStartLimiterOut, tx(T::kStartLimiter));
  bare(C::kLabelMonClutchIn, tx(T::kClutchMaster));
  bare(C::kLabelMonClutchOut, tx(T::kClutchMaster));
  const char* tacho_lambda = FormatLabel(text, "%s/%s", tx(T::kTacho), tx(T::kLambda));
  SetText(C::kLabelMonRpmLambdaIn, tacho_lambda);
  SetText(C::kLabelMonRpmLambdaOut, tacho_lambda);
  bare(C::kLabelMonIgnLimiter, tx(T::kIgnitionLimiter));
  bare(C::kLabelMonJetLimiter, tx(T::kInjectionLimiter));
  bare(C::kLabelMonRetardLimiter, tx(T::kRetardLimiter));
  SetText(C::kLabelN2oEnable, "N2O");
  bare(C::kLabelMonPilotLight, tx(choke_ ? T::kChoke : T::kShiftLight));
  constexpr const char* kDigits[] = {"1", "2", "3", "4"};
  for (int k = 0; k < 4; ++k) {
    const char* advance = tx(T::kAdvance);
    const char* injection = tx(T::kInjectionTime);
    SetText(C::kLabelMonIgn1 + k, FormatLabel(text, "%s %s= ---", advance, kDigits[k]));
    SetText(C::kLabelMonJet1A + k, FormatLabel(text, "%s %sA = ---", injection, kDigits[k]));
    SetText(C::kLabelMonJet1B + k, FormatLabel(text, "%s %sB = ---", injection, kDigits[k]));
  }
  dashed(C::kLabelDleTpsProcent, T::kJetByTps);
  dashed(C::kLabelMonPolohaA, T::kPosition, " A");
  dashed(C::kLabelMonPolohaB, T::kPosition, " B");
  dashed(C::kLabelMonPotenc, T::kPotentiometer);

  const auto prefixed = [&](C c, T prefix) { SetText(c, FormatLabel(text, "%s---", tx(prefix))); };
  prefixed(C::kLabelPocetProgramovani, T::kProgramCount);
  prefixed(C::kLabelKorVodaJet, T::kCoolantInjectionCorrection);
  prefixed(C::kLabelKorVzduch, T::kAirInjectionCorrection);
  prefixed(C::kLabelKorTlak, T::kPressureInjectionCorrection);
  prefixed(C::kLabelKorSytic, T::kStartingCorrection);
  prefixed(C::kLabelKorNapeti, T::kVoltageCorrection);
  prefixed(C::kLabelKorVodaIgn, T::kCoolantAdvanceCorrection);
  prefixed(C::kLabelKorPotencIgn, T::kPotentiometerAdvanceCorrection);
  prefixed(C::kLabelKorPotencJet, T::kPotentiometerInjectionCorrection);
  prefixed(C::kLabelIdleKorAdv, T::kIdleAdvanceCorrection);
  SetText(C::kLabelMonGearNapeti, "Gear voltage = ---");
  SetText(C::kLabelMonPomerRpmSpeed, "Rpm/Speed = ---");
  for (int g = 0; g < 6; ++g) SetText(C::kLabelMonPomerRpmSpeedAuto1 + g, "---");
}

}  // namespace korvan
