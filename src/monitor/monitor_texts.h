#pragma once

#include <cstdint>

#include "texts/language.h"

namespace korvan {

// The monitor takes the language as the settings file's index (see LanguageOf).
inline constexpr int kMonitorLanguageCount = kLanguageCount;

// Every word and prefix the live display writes. The table behind it holds all four languages in
// one place.
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

// The text in the given language, by TextIn's rule (an index outside 0..3 counts as English).
// Always null-terminated, so it can go straight into a printf-style format.
const char* MonitorTextOf(MonitorText text, int language);

}  // namespace korvan
