#pragma once

#include <cstdint>

namespace korvan {

// Languages of the station's texts, by index: 0 English, 1 German, 2 French, 3 Czech. The monitor
// takes the index as a plain number so that it needs nothing from the shell.
inline constexpr int kMonitorLanguageCount = 4;

// Every word and prefix the live display writes. The table behind it holds all four languages in
// one place; a language without its own text shows the English one.
enum class MonitorText : std::uint8_t {
  kYes,
  kNo,
  kTwinkle,
  kFallSensor,
  kBlocking,
  kStartLimiter,
  kClutchMaster,
  kTacho,
  kLambda,
  kIgnitionLimiter,
  kInjectionLimiter,
  kRetardLimiter,
  kCooling,
  kPickupCkps,
  kPickupCmps,
  kIsRunning,
  kNoSignal,
  kShiftLight,
  kChoke,
  kProgrammedDataError,
  kDetailedView,
  kInputToGround,
  kOutputs,
  kLimiters,
  kCoolant,
  kAdvance,
  kMaxInjection,
  kInjectionTime,
  kPosition,
  kIntakeServo,
  kExhaustServo,
  kIdle,
  kGear,
  kSpeed,
  kJetByTps,
  kPotentiometer,
  kProgramCount,
  kVersionMismatch,
  kCoolantInjectionCorrection,
  kAirInjectionCorrection,
  kPressureInjectionCorrection,
  kStartingCorrection,
  kVoltageCorrection,
  kCoolantAdvanceCorrection,
  kPotentiometerAdvanceCorrection,
  kPotentiometerInjectionCorrection,
  kIdleAdvanceCorrection,
  // Servo faults in words, where the window marks the servo's label red (the command line).
  kIntakeServoFault,
  kExhaustServoFault,
  kCount,
};

// The text in the given language (an index outside 0..3 counts as English). Always
// null-terminated, so it can go straight into a printf-style format.
const char* MonitorTextOf(MonitorText text, int language);

}  // namespace korvan
