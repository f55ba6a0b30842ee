#pragma once

#include <array>
#include <cstdint>

namespace korvan {

// Temperature codes are degrees C + 100.
inline constexpr int kTemperatureCodeOffset = 100;
// What the live display shows as the air temperature while the air sensor reports an error.
inline constexpr int kAirFallbackCelsius = 50;

// The station's copy of the latest accepted monitor frame, plus the values the live display
// derives from it. Plain data: every field keeps its value until the next accepted frame
// overwrites it, and everything is zero / false until the first one arrives. When the unit stops
// answering nothing is cleared, so the display and the live cursor keep the last engine state.
struct LiveValues {
  // True once any frame has been accepted; until then the display shows its placeholders.
  bool has_frame = false;

  // Flag bytes 1..4 as received.
  std::uint8_t flags_a = 0;
  std::uint8_t flags_b = 0;
  std::uint8_t flags_c = 0;
  std::uint8_t flags_d = 0;

  // Flag byte A, as "active" states: the unit's inputs are active low, its outputs active high.
  bool fall_sensor_input = false;     // bit 0 == 0
  bool fall_sensor_output = false;    // bit 1
  bool blocking_input = false;        // bit 2 == 0
  bool blocking_output = false;       // bit 3
  bool start_limiter_input = false;   // bit 4 == 0
  bool start_limiter_output = false;  // bit 5
  bool clutch_master_input = false;   // bit 6 == 0
  bool clutch_master_output = false;  // bit 7

  // Flag byte B.
  bool tacho_lambda_input = false;    // bit 0 == 0
  bool tacho_function = false;        // bit 1: true tacho, false lambda
  bool limiter_by_ignition = false;   // bit 2
  bool limiter_by_injection = false;  // bit 3
  bool limiter_by_retard = false;     // bit 4
  bool exhaust_servo_ok = false;      // bit 6
  bool intake_servo_ok = false;       // bit 7

  // Flag byte C.
  bool injection_position_invalid = false;  // bit 0: the injection map cursor shows no cell
  bool n2o_active = false;                  // bit 1
  bool base_advance = false;                // bit 3: advances are shown as "BASE"
  bool cooling_fan_on = false;              // bit 4
  bool ckps_signal = false;                 // bit 5
  bool cmps_signal = false;                 // bit 6
  bool programmed_data_error = false;       // bit 7

  // Flag byte D.
  bool tp_error = false;                   // bit 0
  bool iap_error = false;                  // bit 1
  bool ap_error = false;                   // bit 2
  bool intake_servo_idle_control = false;  // bit 4: the intake servo's second value is meaningless

  // Ignition advance of cylinders 1..4, degrees, all four as received.
  std::array<std::uint8_t, 4> advance{};
  // Injection times of channels 1A..4A and 1B..4B in microseconds (byte x 100).
  std::array<std::uint16_t, 4> injection_a_us{};
  std::array<std::uint16_t, 4> injection_b_us{};

  std::uint16_t coolant_code = 0;          // deg C + 100; 180 when the sensor reports an error
  bool coolant_sensor_error = false;       // byte 23 was 0
  std::uint16_t air_code = 0;              // deg C + 100; 0 on sensor error
  bool air_sensor_error = false;           // byte 24 was 0
  std::uint8_t gear = 0;                   // 0 neutral .. 6
  std::uint8_t throttle_share = 0;         // percent of the injection taken from the throttle maps
  bool throttle_share_partial = false;     // position valid and share > 0
  bool throttle_share_below_full = false;  // position valid and share < 100
  std::uint8_t pilot_light = 0;            // 0 off, 2 on, anything else blinking

  std::uint16_t engine_speed = 0;  // rpm
  std::uint16_t ap_sensor_mv = 0;
  std::uint16_t atmospheric_pressure = 0;  // 0.1 kPa
  std::uint16_t iap_sensor_mv = 0;
  std::uint16_t throttle_sensor_mv = 0;
  std::uint16_t lambda_mv = 0;
  std::uint16_t coolant_sensor_mv = 0;
  std::uint16_t air_sensor_mv = 0;
  std::uint16_t supply_mv = 0;
  std::uint16_t exhaust_servo_first_mv = 0;
  std::uint16_t exhaust_servo_second_mv = 0;
  std::uint16_t intake_servo_first_mv = 0;
  std::uint16_t intake_servo_second_mv = 0;
  std::uint16_t potentiometer_mv = 0;
  std::uint16_t programming_count = 0;
  std::array<std::uint16_t, 8> test{};     // diagnostic values Test1..Test8
  std::uint16_t time_since_start = 0;      // 0.1 s
  std::uint16_t injection_position_a = 0;  // degrees
  std::uint16_t injection_position_b = 0;  // degrees

  // Corrections the unit computed, in 0.1 % as sent.
  std::uint16_t coolant_injection_correction = 0;
  std::uint16_t air_injection_correction = 0;
  std::uint16_t pressure_injection_correction = 0;
  std::uint16_t after_start_injection_correction = 0;
  std::uint16_t potentiometer_injection_correction = 0;
  // Offset corrections: the raw word, and its signed value (1000 in the word means none).
  std::uint16_t voltage_correction_word = 0;
  int voltage_correction_us = 0;
  std::uint16_t coolant_advance_correction_word = 0;
  int coolant_advance_correction_tenths = 0;  // 0.1 degree
  std::uint16_t potentiometer_advance_correction_word = 0;
  int potentiometer_advance_correction_tenths = 0;  // 0.1 degree
  std::uint16_t idle_advance_correction_word = 0;
  int idle_advance_correction_tenths = 0;  // 0.1 degree

  std::uint16_t road_speed = 0;  // km/h
  std::uint16_t gear_sensor_mv = 0;
  std::uint16_t speed_ratio = 0;                 // engine / road speed, x 0.1
  std::array<std::uint16_t, 6> learned_ratio{};  // gears 1..6, x 0.1
  std::uint16_t iap = 0;                         // kPa
  std::uint16_t throttle_position = 0;           // 0.1 %
  std::uint16_t saving_countdown = 0;
  std::uint8_t unit_version = 0;  // the unit's program version

  // Derived for the display.
  int mean_advance = 0;  // degrees, over the cylinders in use
  int bank_a_mean_us = 0;
  int bank_b_mean_us = 0;
  std::uint8_t largest_injection_byte = 0;  // of all eight channels, in 100 us
  int injection_duty = 0;                   // percent of a four-stroke cycle; may exceed 100
  int engine_speed_gauge = 0;               // percent of the ignition limiter
  int lambda_gauge = 0;                     // 0..100

  friend bool operator==(const LiveValues&, const LiveValues&) = default;
};

}  // namespace korvan
