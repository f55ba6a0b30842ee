#include "monitor/monitor_frame.h"

#include <algorithm>
#include <cstddef>

#include "image/field_dictionary.h"
#include "link/link_frame.h"
#include "link/monitor_frame_layout.h"

namespace korvan {
namespace {

using namespace monitor_frame;  // NOLINT(build/namespaces): the frame's offsets

// The unit reports a dead temperature sensor as code 0; the coolant then counts as 80 deg C so
// that the gauge and the corrections cursor stay on a sensible row.
constexpr std::uint16_t kCoolantFallbackCode = 180;
// Offset words carry 1000 for "no correction".
constexpr int kCorrectionZero = 1000;
// rpm x (injection time in 100 us) / 12000 = percent of the two revolutions of a four-stroke
// cycle.
constexpr int kDutyDivisor = 12000;

bool Bit(std::uint8_t flags, int bit) { return ((flags >> bit) & 1) != 0; }

class FrameReader {
 public:
  explicit FrameReader(FrameView frame) : frame_(frame) {}
  std::uint8_t Byte(int offset) const { return frame_[static_cast<std::size_t>(offset)]; }
  std::uint16_t Word(int offset) const {
    return static_cast<std::uint16_t>(Byte(offset) | (Byte(offset + 1) << 8));
  }

 private:
  FrameView frame_;
};

void DecodeFlags(const FrameReader& in, LiveValues& live) {
  const std::uint8_t a = in.Byte(kFlagsA);
  live.flags_a = a;
  live.fall_sensor_input = !Bit(a, 0);
  live.fall_sensor_output = Bit(a, 1);
  live.blocking_input = !Bit(a, 2);
  live.blocking_output = Bit(a, 3);
  live.start_limiter_input = !Bit(a, 4);
  live.start_limiter_output = Bit(a, 5);
  live.clutch_master_input = !Bit(a, 6);
  live.clutch_master_output = Bit(a, 7);

  const std::uint8_t b = in.Byte(kFlagsB);
  live.flags_b = b;
  live.tacho_lambda_input = !Bit(b, 0);
  live.tacho_function = Bit(b, 1);
  live.limiter_by_ignition = Bit(b, 2);
  live.limiter_by_injection = Bit(b, 3);
  live.limiter_by_retard = Bit(b, 4);
  live.exhaust_servo_ok = Bit(b, 6);
  live.intake_servo_ok = Bit(b, 7);

  const std::uint8_t c = in.Byte(kFlagsC);
  live.flags_c = c;
  live.injection_position_invalid = Bit(c, 0);
  live.n2o_active = Bit(c, 1);
  live.base_advance = Bit(c, 3);
  live.cooling_fan_on = Bit(c, 4);
  live.ckps_signal = Bit(c, 5);
  live.cmps_signal = Bit(c, 6);
  live.programmed_data_error = Bit(c, 7);
  live.unit_version = in.Byte(kVersion);

  const std::uint8_t d = in.Byte(kFlagsD);
  live.flags_d = d;
  live.tp_error = Bit(d, 0);
  live.iap_error = Bit(d, 1);
  live.ap_error = Bit(d, 2);
  live.intake_servo_idle_control = Bit(d, 4);
}

void DecodeAdvance(const FrameReader& in, int cylinders, LiveValues& live) {
  int sum = 0;
  for (int k = 0; k < 4; ++k) {
    live.advance[static_cast<std::size_t>(k)] = in.Byte(kAdvance + k);
    // Cylinder 1 always counts; the others only when the engine has them.
    if (k == 0 || k < cylinders) sum += in.Byte(kAdvance + k);
  }
  // Before any map page has been laid out the cylinder count is still 0; the mean is then
  // cylinder 1's advance.
  live.mean_advance = cylinders == 0 ? in.Byte(kAdvance) : sum / cylinders;
}

// Returns the sum of the bank's four bytes.
int DecodeBank(const FrameReader& in, int offset, std::array<std::uint16_t, 4>& times_us) {
  int sum = 0;
  for (int k = 0; k < 4; ++k) {
    const std::uint8_t byte = in.Byte(offset + k);
    times_us[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(byte * 100);
    sum += byte;
  }
  return sum;
}

void DecodeInjection(const FrameReader& in, LiveValues& live) {
  // All four channels of a bank are read whatever the cylinder count.
  live.bank_a_mean_us = DecodeBank(in, kInjectionA, live.injection_a_us) * 100 / 4;
  live.bank_b_mean_us = DecodeBank(in, kInjectionB, live.injection_b_us) * 100 / 4;
  std::uint8_t largest = 0;
  for (int k = 0; k < 8; ++k) largest = std::max(largest, in.Byte(kInjectionA + k));
  live.largest_injection_byte = largest;
  // Uses the engine speed of the previous frame: this frame's speed is stored further down.
  live.injection_duty = live.engine_speed * largest / kDutyDivisor;
}

void DecodeTemperaturesAndShares(const FrameReader& in, LiveValues& live) {
  live.coolant_code = in.Byte(kCoolant);
  live.coolant_sensor_error = live.coolant_code == 0;
  live.air_code = in.Byte(kAir);
  live.air_sensor_error = live.air_code == 0;

  live.gear = in.Byte(kGear);
  live.throttle_share = in.Byte(kThrottleShare);
  live.throttle_share_partial = !live.injection_position_invalid && live.throttle_share > 0;
  live.throttle_share_below_full = !live.injection_position_invalid && live.throttle_share < 100;
  live.pilot_light = in.Byte(kPilotLight);
}

void DecodeCorrections(const FrameReader& in, LiveValues& live) {
  live.coolant_injection_correction = in.Word(kCoolantInjectionCorrection);
  live.air_injection_correction = in.Word(kAirInjectionCorrection);
  live.pressure_injection_correction = in.Word(kPressureInjectionCorrection);
  live.after_start_injection_correction = in.Word(kAfterStartInjectionCorrection);
  live.voltage_correction_word = in.Word(kVoltageCorrection);
  live.voltage_correction_us = live.voltage_correction_word - kCorrectionZero;
  live.coolant_advance_correction_word = in.Word(kCoolantAdvanceCorrection);
  live.coolant_advance_correction_tenths = live.coolant_advance_correction_word - kCorrectionZero;
  live.potentiometer_advance_correction_word = in.Word(kPotentiometerAdvanceCorrection);
  live.potentiometer_advance_correction_tenths =
      live.potentiometer_advance_correction_word - kCorrectionZero;
  live.potentiometer_injection_correction = in.Word(kPotentiometerInjectionCorrection);
}

void DecodeRemainingWords(const FrameReader& in, LiveValues& live) {
  live.supply_mv = in.Word(kSupply);
  live.intake_servo_first_mv = in.Word(kIntakeServoFirst);
  live.intake_servo_second_mv = in.Word(kIntakeServoSecond);
  live.exhaust_servo_first_mv = in.Word(kExhaustServoFirst);
  live.exhaust_servo_second_mv = in.Word(kExhaustServoSecond);
  live.potentiometer_mv = in.Word(kPotentiometer);
  live.programming_count = in.Word(kProgrammingCount);
  for (int k = 0; k < 8; ++k) live.test[static_cast<std::size_t>(k)] = in.Word(kTest + 2 * k);
  live.time_since_start = in.Word(kTimeSinceStart);
  live.injection_position_a = in.Word(kInjectionPositionA);
  live.injection_position_b = in.Word(kInjectionPositionB);
  DecodeCorrections(in, live);
  live.road_speed = in.Word(kRoadSpeed);
  live.gear_sensor_mv = in.Word(kGearSensor);
  live.speed_ratio = in.Word(kSpeedRatio);
  for (int k = 0; k < 6; ++k) {
    live.learned_ratio[static_cast<std::size_t>(k)] = in.Word(kLearnedRatio + 2 * k);
  }
  live.idle_advance_correction_word = in.Word(kIdleAdvanceCorrection);
  live.idle_advance_correction_tenths = live.idle_advance_correction_word - kCorrectionZero;
  live.saving_countdown = in.Word(kSavingCountdown);
}

}  // namespace

MonitorInputs MonitorInputsOf(const ParameterImage& image) {
  return MonitorInputs{image.Byte(kCylinderCountOffset), image.Byte(kIgnitionLimiterOffset)};
}

bool DecodeMonitorFrame(std::span<const std::uint8_t> buffer, const MonitorInputs& inputs,
                        LiveValues& live) {
  if (buffer.size() < static_cast<std::size_t>(kFrameSize)) return false;
  const FrameView frame = buffer.first<kFrameSize>();
  if (frame[0] != kMonitorReply || !FrameCheckOk(frame)) return false;

  // A count outside 0..4 can only come from a damaged image; keep the mean within the four
  // advances the frame carries instead of dividing by it.
  const int cylinders = std::clamp(inputs.cylinders, 0, 4);
  const FrameReader in(frame);

  live.has_frame = true;
  DecodeFlags(in, live);
  DecodeAdvance(in, cylinders, live);
  DecodeInjection(in, live);
  live.iap = in.Word(kIap);
  DecodeTemperaturesAndShares(in, live);
  live.engine_speed = in.Word(kEngineSpeed);
  if (inputs.ignition_limiter != 0) {
    live.engine_speed_gauge = live.engine_speed / inputs.ignition_limiter;
  }
  live.ap_sensor_mv = in.Word(kApSensor);
  live.atmospheric_pressure = in.Word(kAtmosphericPressure);
  live.iap_sensor_mv = in.Word(kIapSensor);
  live.throttle_position = in.Word(kThrottlePosition);
  live.throttle_sensor_mv = in.Word(kThrottleSensor);
  live.lambda_mv = in.Word(kLambda);
  live.lambda_gauge = LambdaGaugeValue(live.lambda_mv);
  live.coolant_sensor_mv = in.Word(kCoolantSensor);
  live.air_sensor_mv = in.Word(kAirSensor);
  if (live.coolant_code == 0) live.coolant_code = kCoolantFallbackCode;
  DecodeRemainingWords(in, live);
  return true;
}

}  // namespace korvan
