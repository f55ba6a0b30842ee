#pragma once

// Where the unit puts each live value in its answer to a monitor request (code 0xB0). The
// monitor decoder reads these offsets and the emulated unit fills them, so both agree by
// construction. Byte offsets within the 152-byte frame; a word is little-endian.

namespace korvan::monitor_frame {

inline constexpr int kFlagsA = 1;
inline constexpr int kFlagsB = 2;
inline constexpr int kFlagsC = 3;
inline constexpr int kFlagsD = 4;
inline constexpr int kAdvance = 10;     // bytes, one per cylinder
inline constexpr int kInjectionA = 14;  // bytes, hundreds of microseconds
inline constexpr int kInjectionB = 18;
inline constexpr int kCoolant = 23;
inline constexpr int kAir = 24;
inline constexpr int kGear = 25;
inline constexpr int kThrottleShare = 26;
inline constexpr int kPilotLight = 27;
// Words from here on.
inline constexpr int kEngineSpeed = 48;
inline constexpr int kApSensor = 50;
inline constexpr int kAtmosphericPressure = 52;
inline constexpr int kIapSensor = 54;
inline constexpr int kThrottleSensor = 56;
inline constexpr int kLambda = 58;
inline constexpr int kCoolantSensor = 60;
inline constexpr int kAirSensor = 62;
inline constexpr int kSupply = 64;
inline constexpr int kExhaustServoFirst = 66;
inline constexpr int kExhaustServoSecond = 68;
inline constexpr int kIntakeServoFirst = 70;
inline constexpr int kIntakeServoSecond = 72;
inline constexpr int kPotentiometer = 74;
inline constexpr int kProgrammingCount = 76;
inline constexpr int kTest = 78;  // eight words
inline constexpr int kTimeSinceStart = 94;
inline constexpr int kInjectionPositionA = 96;
inline constexpr int kInjectionPositionB = 98;
inline constexpr int kCoolantInjectionCorrection = 100;
inline constexpr int kAirInjectionCorrection = 102;
inline constexpr int kPressureInjectionCorrection = 104;
inline constexpr int kAfterStartInjectionCorrection = 106;
inline constexpr int kVoltageCorrection = 108;
inline constexpr int kCoolantAdvanceCorrection = 110;
inline constexpr int kPotentiometerAdvanceCorrection = 112;
inline constexpr int kPotentiometerInjectionCorrection = 114;
inline constexpr int kRoadSpeed = 116;
inline constexpr int kGearSensor = 118;
inline constexpr int kSpeedRatio = 120;
inline constexpr int kLearnedRatio = 122;  // six words, one per gear
inline constexpr int kIdleAdvanceCorrection = 134;
inline constexpr int kIap = 136;
inline constexpr int kThrottlePosition = 138;
inline constexpr int kSavingCountdown = 148;
inline constexpr int kVersion = 150;  // a byte

}  // namespace korvan::monitor_frame
