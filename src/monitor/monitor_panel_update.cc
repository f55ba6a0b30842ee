// The per-frame part of the live display: texts, colours and gauges from the live values.

#include "monitor/monitor_format.h"
#include "monitor/monitor_frame.h"
#include "monitor/monitor_panel.h"
#include "monitor/monitor_texts.h"

namespace korvan {
namespace {

using C = MonitorControl;
using T = MonitorText;

constexpr int kTempOffset = kTemperatureCodeOffset;
constexpr std::uint16_t kHotCode = 200;  // 100 deg C and above is a warning
constexpr int kDutyFull = 100;           // injection open over the whole cycle

double Tenths(int value) { return value / 10.0; }

// Supply voltage: outside 7..18 V something is wrong, outside 11..15 V it is worth a look.
std::uint32_t SupplyColor(int mv) {
  if (mv <= 7000 || mv >= 17999) return kColorRed;
  if (mv <= 11000 || mv >= 14999) return kColorYellow;
  return kDefaultColor;
}

std::uint32_t LimiterColor(const LiveValues& live) {
  const int acting =
      int{live.limiter_by_ignition} + int{live.limiter_by_injection} + int{live.limiter_by_retard};
  if (acting == 0) return kDefaultColor;
  return acting == 3 ? kColorRed : kColorFuchsia;
}

}  // namespace

void MonitorPresenter::Update(const LiveValues& live, const PresentationInputs& inputs) {
  if (controls_ == nullptr) return;
  ApplyLayout(inputs);
  if (!live.has_frame) {
    ShowPlaceholders(inputs.language);
    return;
  }
  ApplyCaptions(inputs.language);
  UpdateStateLabels(live, inputs);
  UpdatePanelValues(live, inputs);
  UpdateVersion(live, inputs.language);
  UpdateGauges(live, inputs);
  UpdateMonitorPage(live, inputs.language);
  UpdateOtherPages(live, inputs.language);
}

void MonitorPresenter::UpdateStateLabels(const LiveValues& live, const PresentationInputs& inputs) {
  const int language = inputs.language;
  const char* yes = MonitorTextOf(T::kYes, language);
  const char* no = MonitorTextOf(T::kNo, language);
  LabelText text;
  const auto state = [&](C c, const char* prefix, const char* word, bool active,
                         std::uint32_t active_color) {
    SetText(c, FormatLabel(text, "%s - %s", prefix, word));
    SetColor(c, active ? active_color : kDefaultColor);
  };
  const auto yes_no = [&](C c, T prefix, bool active, std::uint32_t active_color) {
    state(c, MonitorTextOf(prefix, language), active ? yes : no, active, active_color);
  };

  yes_no(C::kLabelMonFallIn, T::kFallSensor, live.fall_sensor_input, kColorFuchsia);
  yes_no(C::kLabelMonFallOut, T::kFallSensor, live.fall_sensor_output, kColorRed);
  yes_no(C::kLabelMonBlock2In, T::kBlocking, live.blocking_input, kColorAqua);
  yes_no(C::kLabelMonBlock2Out, T::kBlocking, live.blocking_output, kColorRed);
  yes_no(C::kLabelMonStartLimiterIn, T::kStartLimiter, live.start_limiter_input, kColorFuchsia);
  yes_no(C::kLabelMonStartLimiterOut, T::kStartLimiter, live.start_limiter_output, kColorFuchsia);
  yes_no(C::kLabelMonClutchIn, T::kClutchMaster, live.clutch_master_input, kColorLime);
  yes_no(C::kLabelMonClutchOut, T::kClutchMaster, live.clutch_master_output, kColorRed);

  LabelText tacho_lambda;
  const char* tacho = MonitorTextOf(T::kTacho, language);
  const char* lambda = MonitorTextOf(T::kLambda, language);
  FormatLabel(tacho_lambda, "%s/%s", tacho, lambda);
  state(C::kLabelMonRpmLambdaIn, tacho_lambda.data, live.tacho_lambda_input ? yes : no,
        live.tacho_lambda_input, kColorAqua);
  // The output has no "active": aqua marks the lambda function, face the tacho function.
  state(C::kLabelMonRpmLambdaOut, tacho_lambda.data, live.tacho_function ? tacho : lambda,
        !live.tacho_function, kColorAqua);

  yes_no(C::kLabelMonIgnLimiter, T::kIgnitionLimiter, live.limiter_by_ignition, kColorFuchsia);
  yes_no(C::kLabelMonJetLimiter, T::kInjectionLimiter, live.limiter_by_injection, kColorFuchsia);
  yes_no(C::kLabelMonRetardLimiter, T::kRetardLimiter, live.limiter_by_retard, kColorFuchsia);
  state(C::kLabelN2oEnable, "N2O ", live.n2o_active ? yes : no, live.n2o_active, kColorLime);
  yes_no(C::kLabelClazeniMon, T::kCooling, live.cooling_fan_on, kColorWhite);

  const char* running = MonitorTextOf(T::kIsRunning, language);
  const char* no_signal = MonitorTextOf(T::kNoSignal, language);
  state(C::kLabelSnimacCkps, MonitorTextOf(T::kPickupCkps, language),
        live.ckps_signal ? running : no_signal, live.ckps_signal, kColorLime);
  state(C::kLabelSnimacCmps, MonitorTextOf(T::kPickupCmps, language),
        live.cmps_signal ? running : no_signal, live.cmps_signal, kColorLime);

  const char* pilot_word = live.pilot_light == 0   ? no
                           : live.pilot_light == 2 ? yes
                                                   : MonitorTextOf(T::kTwinkle, language);
  state(C::kLabelMonPilotLight, MonitorTextOf(inputs.choke ? T::kChoke : T::kShiftLight, language),
        pilot_word, live.pilot_light != 0, kColorFuchsia);

  controls_->SetVisible(H(C::kLabelEeDataErr), live.programmed_data_error);
  SetColor(C::kLabelMonServoIntake, live.intake_servo_ok ? kDefaultColor : kColorRed);
  SetColor(C::kLabelMonServoExhaust, live.exhaust_servo_ok ? kDefaultColor : kColorRed);
}

void MonitorPresenter::UpdatePanelValues(const LiveValues& live, const PresentationInputs& inputs) {
  const int language = inputs.language;
  const bool detailed = inputs.detailed_view;
  LabelText text;

  SetText(C::kLabelRpm, FormatLabel(text, "RPM = %d ", live.engine_speed));
  SetColor(C::kLabelRpm, LimiterColor(live));

  const double throttle = Tenths(live.throttle_position);
  if (live.tp_error) {
    FormatLabel(text, "TP = error = %d mV", live.throttle_sensor_mv);
  } else if (detailed) {
    FormatLabel(text, "TP = %4.1f %%=%d mV", throttle, live.throttle_sensor_mv);
  } else {
    FormatLabel(text, "TP = %4.1f %%", throttle);
  }
  SetText(C::kLabelTpsMon, text.data);
  SetColor(C::kLabelTpsMon, live.tp_error ? kColorRed : kDefaultColor);

  SetText(C::kLabelLambda, FormatLabel(text, "LAMBDA = %d mV", live.lambda_mv));

  const char* coolant = MonitorTextOf(T::kCoolant, language);
  const int coolant_celsius = live.coolant_code - kTempOffset;
  if (live.coolant_sensor_error) {
    if (detailed) {
      FormatLabel(text, "%s = error = %d mV", coolant, live.coolant_sensor_mv);
    } else {
      FormatLabel(text, "%s = error", coolant);
    }
  } else if (detailed) {
    FormatLabel(text, "%s = %d °C= %d mV", coolant, coolant_celsius, live.coolant_sensor_mv);
  } else {
    FormatLabel(text, "%s= %d °C", coolant, coolant_celsius);
  }
  SetText(C::kLabelVoda, text.data);
  SetColor(C::kLabelVoda, live.coolant_sensor_error       ? kColorRed
                          : live.coolant_code >= kHotCode ? kColorYellow
                                                          : kDefaultColor);

  const double pressure = Tenths(live.atmospheric_pressure);
  if (detailed) {
    FormatLabel(text, "AP = %4.1f kPa= %d mV", pressure, live.ap_sensor_mv);
  } else {
    FormatLabel(text, "AP = %4.1f kPa", pressure);
  }
  SetText(C::kLabelTlak, text.data);
  SetColor(C::kLabelTlak, live.ap_error ? kColorRed : kDefaultColor);

  if (live.iap_error) {
    if (detailed) {
      FormatLabel(text, "IAP = error = %d [mV]", live.iap_sensor_mv);
    } else {
      FormatLabel(text, "IAP = error");
    }
  } else if (detailed) {
    FormatLabel(text, "IA P= %d [kPa] = %d [mV]", live.iap, live.iap_sensor_mv);
  } else {
    FormatLabel(text, "IAP = %d [kPa]", live.iap);
  }
  SetText(C::kLabelPodtlak, text.data);
  SetColor(C::kLabelPodtlak, live.iap_error ? kColorRed : kDefaultColor);

  const int air_celsius = live.air_sensor_error ? kAirFallbackCelsius : live.air_code - kTempOffset;
  if (detailed) {
    FormatLabel(text, "AT = %d °C= %d mV", air_celsius, live.air_sensor_mv);
  } else {
    FormatLabel(text, "AT = %d °C", air_celsius);
  }
  SetText(C::kLabelVzduch, text.data);
  SetColor(C::kLabelVzduch, live.air_sensor_error ? kColorRed : kDefaultColor);

  SetText(C::kLabelNapeti, FormatLabel(text, "U = %4.1f V", live.supply_mv / 1000.0));
  SetColor(C::kLabelNapeti, SupplyColor(live.supply_mv));

  const char* advance = MonitorTextOf(T::kAdvance, language);
  if (live.base_advance) {
    FormatLabel(text, "%s = BASE", advance);
  } else {
    FormatLabel(text, "%s = %2d °", advance, live.mean_advance);
  }
  SetText(C::kLabelMonIgn, text.data);

  SetText(C::kLabelMaxInjProcent,
          FormatLabel(text, "%s = %d [%%]", MonitorTextOf(T::kMaxInjection, language),
                      live.injection_duty));
  const char* injection = MonitorTextOf(T::kInjectionTime, language);
  SetText(C::kLabelMonJetA, FormatLabel(text, "%s A = %d us", injection, live.bank_a_mean_us));
  SetText(C::kLabelMonJetB, FormatLabel(text, "%s B = %d us", injection, live.bank_b_mean_us));

  const char* intake = MonitorTextOf(T::kIntakeServo, language);
  if (live.intake_servo_idle_control) {
    FormatLabel(text, "%s = %d mV/ %s ", intake, live.intake_servo_first_mv,
                MonitorTextOf(T::kIdle, language));
  } else {
    FormatLabel(text, "%s = %d / %d mV", intake, live.intake_servo_first_mv,
                live.intake_servo_second_mv);
  }
  SetText(C::kLabelMonServoIntake, text.data);
  SetText(C::kLabelMonServoExhaust,
          FormatLabel(text, "%s = %d / %d mV", MonitorTextOf(T::kExhaustServo, language),
                      live.exhaust_servo_first_mv, live.exhaust_servo_second_mv));

  SetText(C::kLabelGear,
          FormatLabel(text, "%s = %d ", MonitorTextOf(T::kGear, language), live.gear));
  SetText(C::kLabelMonSpeed,
          FormatLabel(text, "%s = %d [km/h]", MonitorTextOf(T::kSpeed, language), live.road_speed));

  // The diagnostic labels have always been spaced unevenly ("Test3= 5 ", "Test4=5").
  constexpr const char* kTestHeads[] = {
      "Test1= ", "Test2= ", "Test3= ", "Test4=", "Test5= ", "Test6= ", "Test7= ", "Test8= "};
  for (int i = 0; i < 8; ++i) {
    SetText(C::kLabelTest1 + i,
            FormatLabel(text, "%s%d%s", kTestHeads[i], live.test[static_cast<std::size_t>(i)],
                        i == 2 ? " " : ""));
  }
}

void MonitorPresenter::UpdateVersion(const LiveValues& live, int language) {
  LabelText text;
  if (VersionMatches(live)) {
    SetText(C::kLabelVersion,
            FormatLabel(text, "PC-%d, IGN-%d", kMonitorVersion, live.unit_version));
    SetColor(C::kLabelVersion, kColorWhite);
    return;
  }
  SetText(C::kLabelVersion,
          FormatLabel(text, "%s  PC-%d, IGN-%d", MonitorTextOf(T::kVersionMismatch, language),
                      kMonitorVersion, live.unit_version));
  SetColor(C::kLabelVersion, kColorRed);
}

void MonitorPresenter::UpdateGauges(const LiveValues& live, const PresentationInputs& inputs) {
  // Without an ignition limiter there is nothing to measure the speed against: the bar stays.
  if (inputs.ignition_limiter != 0) {
    SetGauge(C::kCGaugeRpm, live.engine_speed / inputs.ignition_limiter, kColorFuchsia);
  }
  SetGauge(C::kCGaugeTps, live.tp_error ? 0 : live.throttle_position / 10, kDefaultColor);
  SetGauge(C::kCGaugeLambda, LambdaGaugeValue(live.lambda_mv), kDefaultColor);
  const std::uint32_t coolant_color = live.coolant_sensor_error       ? kColorRed
                                      : live.coolant_code >= kHotCode ? kColorYellow
                                                                      : kColorAqua;
  SetGauge(C::kCGaugeVoda, live.coolant_code - kTempOffset, coolant_color);
  SetGauge(C::kCGaugeDuty, live.injection_duty,
           live.injection_duty > kDutyFull ? kColorYellow : kColorBlue);
}

void MonitorPresenter::UpdateMonitorPage(const LiveValues& live, int language) {
  LabelText text;
  const char* advance = MonitorTextOf(T::kAdvance, language);
  const char* injection = MonitorTextOf(T::kInjectionTime, language);
  for (int k = 0; k < 4; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (live.base_advance) {
      FormatLabel(text, "%s %d= BASE", advance, k + 1);
    } else {
      FormatLabel(text, "%s %d= %2d °", advance, k + 1, live.advance[i]);
    }
    SetText(C::kLabelMonIgn1 + k, text.data);
    SetText(C::kLabelMonJet1A + k,
            FormatLabel(text, "%s %dA = %d us", injection, k + 1, live.injection_a_us[i]));
    SetText(C::kLabelMonJet1B + k,
            FormatLabel(text, "%s %dB = %d us", injection, k + 1, live.injection_b_us[i]));
  }
  SetText(
      C::kLabelDleTpsProcent,
      FormatLabel(text, "%s = %2d %%", MonitorTextOf(T::kJetByTps, language), live.throttle_share));
  const char* position = MonitorTextOf(T::kPosition, language);
  SetText(C::kLabelMonPolohaA,
          FormatLabel(text, "%s A = %d °", position, live.injection_position_a));
  SetText(C::kLabelMonPolohaB,
          FormatLabel(text, "%s B = %d °", position, live.injection_position_b));
  SetText(C::kLabelMonPotenc,
          FormatLabel(text, "%s = %d mV", MonitorTextOf(T::kPotentiometer, language),
                      live.potentiometer_mv));
}

void MonitorPresenter::UpdateOtherPages(const LiveValues& live, int language) {
  LabelText text;
  const auto tx = [language](T t) { return MonitorTextOf(t, language); };
  const auto percent = [&](C c, T prefix, int tenths) {
    SetText(c, FormatLabel(text, "%s%4.1f %%", tx(prefix), Tenths(tenths)));
  };
  const auto degrees = [&](C c, T prefix, int tenths) {
    SetText(c, FormatLabel(text, "%s%4.1f °", tx(prefix), Tenths(tenths)));
  };

  SetText(C::kLabelPocetProgramovani,
          FormatLabel(text, "%s%d", tx(T::kProgramCount), live.programming_count));
  percent(C::kLabelKorVodaJet, T::kCoolantInjectionCorrection, live.coolant_injection_correction);
  percent(C::kLabelKorVzduch, T::kAirInjectionCorrection, live.air_injection_correction);
  percent(C::kLabelKorTlak, T::kPressureInjectionCorrection, live.pressure_injection_correction);
  percent(C::kLabelKorSytic, T::kStartingCorrection, live.after_start_injection_correction);
  SetText(C::kLabelKorNapeti,
          FormatLabel(text, "%s%d us", tx(T::kVoltageCorrection), live.voltage_correction_us));
  degrees(C::kLabelKorVodaIgn, T::kCoolantAdvanceCorrection,
          live.coolant_advance_correction_tenths);
  degrees(C::kLabelKorPotencIgn, T::kPotentiometerAdvanceCorrection,
          live.potentiometer_advance_correction_tenths);
  percent(C::kLabelKorPotencJet, T::kPotentiometerInjectionCorrection,
          live.potentiometer_injection_correction);
  degrees(C::kLabelIdleKorAdv, T::kIdleAdvanceCorrection, live.idle_advance_correction_tenths);

  // This label's prefix has never been translated.
  SetText(C::kLabelMonGearNapeti,
          FormatLabel(text, "%s = %d mV", "Gear voltage = ", live.gear_sensor_mv));
  SetText(C::kLabelMonPomerRpmSpeed,
          FormatLabel(text, "Rpm/Speed = %4.1f ", Tenths(live.speed_ratio)));
  for (int g = 0; g < 6; ++g) {
    SetText(C::kLabelMonPomerRpmSpeedAuto1 + g,
            FormatLabel(text, "%4.1f ", Tenths(live.learned_ratio[static_cast<std::size_t>(g)])));
  }
}

}  // namespace korvan
