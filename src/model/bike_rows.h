#pragma once

// One row per motorcycle: everything the station knows of a bike code in one place. The row
// holds the bike's name in the bike list, the constants that ApplyBikeConstants writes into image
// bytes no page shows, and the entry of every table family that SelectBikeTables chooses.
// Constants that follow from the engine configuration code (byte 2) rather than from the bike
// code are rows of their own, one per configuration. The tables are in bike_rows.cc.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/bike_data.h"

namespace korvan {

// In a row: the byte or family entry stays as the bike chosen before left it.
inline constexpr int kKeep = -1;

// Bytes written from the bike code.
struct BikeConstants {
  int engine_configuration;  // byte 2
  int byte3;
  int byte4;
  int byte5;
  int rated_limiter;  // byte 252, rated limiter / 100 [rpm]
  int byte191;
  int byte192;
  int byte193;
  int byte254;
  int byte255;
  int nine_words;  // entry of bike_tables::kNineWordTables written to w115..w123
};

// The bike's entry in each table family of bike_tables (indices unless a span).
struct BikeEntries {
  int speed_axis;                                // kSpeedAxes
  std::span<const std::uint16_t> advance;        // one row of 15 or a full map of 150; empty: keep
  int limits;                                    // kLimits
  int misc;                                      // kMisc
  int corrections;                               // kCorrections
  int pressure_sensors;                          // kPressureSensors
  int injection_b;                               // kInjectionB
  int position;                                  // kPositions
  std::span<const std::uint16_t> intake_servo;   // kServoRowEntryWords or kServoMapEntryWords
  std::span<const std::uint16_t> exhaust_servo;  // kServoRowEntryWords
  int idle_preset;                               // kIdlePresets
  int intake_servo_mode;                         // byte 65
};

struct BikeRow {
  int code;
  std::string_view name;  // as the bike list shows it (spacing included)
  BikeConstants constants;
  BikeEntries entries;
};

// Bytes written from the engine configuration code in byte 2.
struct EngineConfigurationRow {
  int byte253;
  int cylinders;  // 1..4, written to byte 256
  // Bytes 261..276; kKeep leaves a byte as it was, kWidthOfLobe takes byte 46.
  std::array<int, 16> bytes261;
};
inline constexpr int kWidthOfLobe = -2;

// The row of a bike code; every code outside 0..49 shares the row of the unknown bike.
const BikeRow& BikeRowOf(int code);

// The row of an engine configuration code; every code from 24 up shares one row.
const EngineConfigurationRow& EngineConfigurationRowOf(int configuration);

}  // namespace korvan
