// `korvan monitor`: the unit's live values, one line per frame, as the window's live panel shows
// them; optionally recorded as the window's datalog records them.
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/command_options.h"
#include "cli/unit_runner.h"
#include "monitor/monitor_texts.h"
#include "texts/messages.h"

namespace korvan {

std::string FormatLiveLine(const LiveValues& v) {
  char tps[16];
  char iap[16];
  char coolant[16];
  char advance[16];
  if (v.tp_error) {
    std::snprintf(tps, sizeof tps, "%6s", "error");
  } else {
    std::snprintf(tps, sizeof tps, "%3u.%u%%", v.throttle_position / 10u,
                  v.throttle_position % 10u);
  }
  if (v.iap_error) {
    std::snprintf(iap, sizeof iap, "%7s", "error");
  } else {
    std::snprintf(iap, sizeof iap, "%3u kPa", v.iap);
  }
  if (v.coolant_sensor_error) {
    std::snprintf(coolant, sizeof coolant, "%6s", "error");
  } else {
    std::snprintf(coolant, sizeof coolant, "%4d C",
                  static_cast<int>(v.coolant_code) - kTemperatureCodeOffset);
  }
  // On its base advance the unit's advance bytes are not the map's: the window says "BASE".
  if (v.base_advance) {
    std::snprintf(advance, sizeof advance, "%s", "BASE");
  } else {
    std::snprintf(advance, sizeof advance, "%2d", v.mean_advance);
  }
  const int air = v.air_sensor_error ? kAirFallbackCelsius
                                     : static_cast<int>(v.air_code) - kTemperatureCodeOffset;
  std::string notes;
  const auto note = [&notes](bool on, std::string_view text) {
    if (!on) return;
    notes += notes.empty() ? "  (" : ", ";
    // Prefixes of the window's labels may end in a blank ("Blocking ").
    while (text.ends_with(' ')) text.remove_suffix(1);
    notes += text;
  };
  // The states the window marks (a red or fuchsia label, the error label, the servo's "Idle"),
  // in the window's English words.
  const auto window = [](MonitorText text) { return std::string_view(MonitorTextOf(text, 0)); };
  const std::string idle =
      std::string(window(MonitorText::kIntakeServo)) + " = " + MonitorTextOf(MonitorText::kIdle, 0);
  note(v.programmed_data_error, window(MonitorText::kProgrammedDataError));
  note(v.limiter_by_ignition, window(MonitorText::kIgnitionLimiter));
  note(v.limiter_by_injection, window(MonitorText::kInjectionLimiter));
  note(v.limiter_by_retard, window(MonitorText::kRetardLimiter));
  note(v.fall_sensor_output, window(MonitorText::kFallSensor));
  note(v.blocking_output, window(MonitorText::kBlocking));
  note(!v.intake_servo_ok, window(MonitorText::kIntakeServoFault));
  note(!v.exhaust_servo_ok, window(MonitorText::kExhaustServoFault));
  note(v.intake_servo_idle_control, idle);
  note(v.air_sensor_error, "air sensor error");
  note(v.ap_error, "AP sensor error");
  note(v.unit_version != kStationVersion, "version mismatch");
  if (!notes.empty()) notes += ")";

  char line[400];
  std::snprintf(line, sizeof line,
                "rpm %5u  tps %s  iap %s  ap %3u.%u kPa  lambda %4u mV  coolant %s  air %4d C  "
                "gear %u  speed %3u km/h  adv %s  inj %5d us  duty %3d%%  batt %4.1f V  "
                "ver %u",
                v.engine_speed, tps, iap, v.atmospheric_pressure / 10u,
                v.atmospheric_pressure % 10u, v.lambda_mv, coolant, air, v.gear, v.road_speed,
                advance, v.bank_a_mean_us, v.injection_duty,
                // Rounded to the tenth, as the window's voltage label shows it.
                v.supply_mv / 1000.0, v.unit_version);
  return line + notes + "\n";
}

namespace cli {

void Runner::ReadSetForMonitor() {
  session().StartRead();
  if (!RunToEnd()) {
    std::fprintf(err_,
                 "korvan: the unit's set could not be read; the advance shown is cylinder 1's "
                 "(give the unit's set as FILE)\n");
  }
  host_.TakeMonitorFrame();
}

int Runner::Monitor(long frames, long ticks, const std::string& log, bool fast) {
  if (fast) loop_.session().set_monitor_ticks(1);
  if (!log.empty()) {
    const MonitorInputs inputs = MonitorInputsOf(image_);
    const RecordingHeader header{static_cast<std::uint8_t>(inputs.cylinders),
                                 inputs.ignition_limiter, WallClockMs()};
    if (!recorder_.Start(log, header)) {
      std::fprintf(err_, "%s%s\n",
                   std::string(MessageText(MessageKey::kMsgLogWriteFailed, kLanguage)).c_str(),
                   log.c_str());
      return kExitFile;
    }
    loop_.set_recorder(&recorder_);
  }
  long seen = 0;
  for (long i = 0; (ticks < 0 || i < ticks) && (frames < 0 || seen < frames); ++i) {
    clock_.WaitForNextTick();
    loop_.Tick();
    Report();
    if (host_.TakeMonitorFrame()) {
      PrintLiveLine();
      ++seen;
    }
  }
  if (recorder_.error() != MessageKey::kNone) {
    std::fprintf(err_, "%s%s\n", std::string(MessageText(recorder_.error(), kLanguage)).c_str(),
                 log.c_str());
    return kExitFile;
  }
  return frames < 0 || seen >= frames ? kExitOk : kExitRunFailed;
}

void Runner::PrintLiveLine() {
  std::fputs(FormatLiveLine(loop_.live()).c_str(), out_);
  std::fflush(out_);
}

}  // namespace cli
}  // namespace korvan
