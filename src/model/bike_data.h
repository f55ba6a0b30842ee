#pragma once

// Model data of the motorcycles: the bike constants that go straight into image bytes no page
// shows, and the per-bike table families from which the default set fills maps and settings.
// Models share entries in families; the row of each bike code in model/bike_rows.h names its
// constants and its entry of each family.

#include <array>
#include <cstdint>
#include <span>

#include "image/parameter_image.h"

namespace korvan {

inline constexpr int kBikeCodeCount = 50;  // known bike codes 0..49

using SpeedAxisEntry = std::array<std::uint16_t, 15>;  // engine speeds [rpm]
// Throttle voltage at 0 % [mV], at 100 % [mV], start limiter [rpm].
using LimitsEntry = std::array<std::uint16_t, 3>;
// Low bytes of: base advance (byte 45), start injection (92), pulses per revolution (36),
// fall sensor active on closing (24), blocking enabled (23).
using MiscEntry = std::array<std::uint16_t, 5>;
// Injection correction [%] by coolant at -10, 20, 50, 80, 110 degC, then by intake air.
using CorrectionsEntry = std::array<std::uint16_t, 10>;
// Word 0 / word 1: low bytes are position modes A and B; words 2..16 angles of position A [deg],
// words 17..31 of position B, at the 15 axis points.
using PositionEntry = std::array<std::uint16_t, 32>;
using InjectionBEntry = std::array<std::uint16_t, 150>;

// Pressure sensor calibration: pressure 1 [kPa], voltage 1 [mV], pressure 2, voltage 2.
struct PressureSensorEntry {
  std::array<std::uint16_t, 4> ap;
  std::array<std::uint16_t, 4> iap;
};

struct IdlePresetEntry {
  std::array<std::uint16_t, 9> items;          // go to bytes 2600..2608 (scaled by the default set)
  std::array<std::uint16_t, 9> servo;          // idle servo table by coolant temperature
  std::array<std::uint16_t, 4> advance;        // bytes 2618..2621
  std::array<std::uint16_t, 9> advance_speed;  // desired idle speed [rpm] by coolant temperature
};

// Servo table: word 0 hysteresis [mV], words 1..15 the servo's own engine-speed axis [rpm], from
// word 16 either one row of 15 values or the full map of 150 in cell order.
inline constexpr std::size_t kServoRowEntryWords = 31;
inline constexpr std::size_t kServoMapEntryWords = 166;

// The entries of the table families that the default set reads, as chosen last by
// SelectBikeTables. A default-constructed selection holds the entries of bike code 11, the bike
// the station starts with, so a kept entry (bike codes above 49) is never empty.
struct BikeTables {
  const SpeedAxisEntry* speed_axis;
  std::span<const std::uint16_t> advance;  // 15 values, or 150 for a full map
  bool advance_full_map = false;           // when clear only the first 15 values are used
  const LimitsEntry* limits;
  const MiscEntry* misc;
  const CorrectionsEntry* corrections;
  const InjectionBEntry* injection_b;
  const PositionEntry* position;
  std::span<const std::uint16_t> intake_servo;   // 31 or 166 words
  std::span<const std::uint16_t> exhaust_servo;  // 31 words
  const IdlePresetEntry* idle;

  BikeTables();
};

// The bike whose pilot-light output drives a choke (the station-only choke flag).
inline constexpr int kChokeBikeCode = 38;

// Writes the bike constants of the bike code in image byte 0: byte 2 (codes 0..49 only) and
// bytes 3..5, then 255, 254, 253, 252, 191, 192..193 (codes 0..49 only), 256..260, the nine words
// w115..w123 and bytes 261..276 by the engine configuration code now in byte 2. Returns the
// station-only choke flag (set for bike code 38 only).
bool ApplyBikeConstants(ParameterImage& image);

// The first step of ApplyBikeConstants alone: byte 2 (codes 0..49 only) and bytes 3..5, as the
// station writes them once more at start-up. Returns the choke flag.
bool ApplyEngineConfiguration(ParameterImage& image);

// Makes the entries of the bike code in image byte 0 the current ones and writes the servo mode
// bytes 64 (exhaust) and 65 (intake). Bike codes above 49 keep the axis, advance, limits, misc,
// corrections and position entries chosen before (with the full-map flag cleared) and take the
// entries for all other codes in the remaining families.
void SelectBikeTables(ParameterImage& image, BikeTables& tables);

// Pressure sensor calibration of a bike code (any code above 49 takes the common one).
const PressureSensorEntry& PressureSensorsFor(int bike_code);

}  // namespace korvan
