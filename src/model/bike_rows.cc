#include "model/bike_rows.h"

#include <cstddef>

#include "model/bike_tables_advance.h"
#include "model/bike_tables_given.h"
#include "model/bike_tables_injection_b.h"
#include "model/bike_tables_position.h"
#include "model/bike_tables_servo.h"

namespace korvan {
namespace {

using namespace bike_tables;  // NOLINT(build/namespaces): the data tables only

constexpr int k_ = kKeep;
constexpr int kW = kWidthOfLobe;

// clang-format off

// One row per bike code, in code order:
//   code, name in the bike list,
//   {byte 2, 3, 4, 5, 252, 191, 192, 193, 254, 255, nine-word entry},
//   {speed axis, advance, limits, misc, corrections, pressure sensors, injection B, position,
//    intake servo, exhaust servo, idle preset, byte 65}
constexpr std::array<BikeRow, kBikeCodeCount> kBikeRows{{
    {0, "Aprilia RSV MILLE                98-",
     {0, 75, 30, 0, 110, 0, 61, 104, 50, 0, 0},
     {0, kAdvanceRows[0], 0, 0, 0, 0, 4, 0, kServo1, kServo1, 4, 1}},
    {1, "Ducati 996",
     {2, 65, 19, 0, 108, 0, 55, 103, 50, 0, 1},
     {0, kAdvanceRows[1], 1, 1, 1, 1, 4, 1, kServo1, kServo1, 4, 1}},
    {2, "Honda CBR 600 F               01-02",
     {4, 65, 19, 0, 140, 0, 59, 104, 25, 0, 2},
     {1, kAdvanceRows[2], 2, 2, 2, 2, 4, 2, kServo1, kServo1, 4, 1}},
    {3, "Honda CBR 600 RR            03-04",
     {4, 70, 19, 0, 150, 0, 59, 104, 25, 0, 2},
     {1, kAdvanceRows[3], 3, 3, 2, 2, 0, 3, kServo1, kServo1, 4, 1}},
    {4, "Honda CBR 900 RR            00-03",
     {4, 65, 19, 0, 120, 0, 59, 104, 25, 0, 3},
     {2, kAdvanceRows[4], 4, 4, 3, 2, 4, 4, kServo2, kServo2, 4, 1}},
    {5, "Honda VTR 1000 SP-1       01-02",
     {5, 70, 19, 0, 110, 0, 58, 104, 25, 0, 4},
     {0, kAdvanceRows[5], 5, 5, 4, 2, 4, 5, kServo1, kServo1, 4, 1}},
    {6, "Kawasaki  ZX 6R PCE         02",
     {8, 85, 19, 0, 140, 0, 56, 104, 50, 0, 5},
     {1, kAdvanceRows[6], 6, 6, 5, 0, 4, 6, kServo1, kServo1, 4, 1}},
    {7, "Kawasaki  ZX6RR               03 ",
     {9, 65, 19, 0, 140, 0, 48, 107, 50, 0, 6},
     {1, kAdvanceRows[7], 7, 7, 6, 3, 4, 7, kServoF1, kServo13, 0, 0}},
    {8, "Kawasaki  ZX10 R               04-05 ",
     {10, 65, 19, 0, 127, 0, 60, 105, 50, 0, 7},
     {2, kAdvanceMap8, 8, 8, 7, 3, 4, 8, kServo3, kServo3, 4, 1}},
    {9, "Kawasaki  ZX12 R               00-01",
     {12, 65, 19, 0, 110, 0, 60, 105, 50, 0, 7},
     {0, kAdvanceRows[8], 9, 9, 7, 0, 4, 9, kServo1, kServo1, 4, 1}},
    {10, "Kawasaki  ZX12 R               02-",
     {17, 65, 19, 0, 110, 0, 60, 105, 50, 0, 7},
     {0, kAdvanceRows[8], 9, 9, 7, 0, 4, 9, kServo1, kServo1, 4, 1}},
    {11, "Suzuki GSX-R600               01-03",
     {12, 85, 19, 0, 140, 1, 56, 104, 25, 0, 5},
     {1, kAdvanceRows[6], 10, 10, 5, 0, 4, 10, kServo1, kServo1, 4, 1}},
    {12, "Suzuki GSX-R750               00-03",
     {12, 85, 19, 0, 136, 1, 55, 103, 25, 0, 12},
     {2, kAdvanceRows[9], 11, 11, 8, 0, 4, 11, kServo1, kServo1, 4, 1}},
    {13, "Suzuki GSX-R1000             01-02",
     {12, 85, 19, 0, 120, 1, 55, 103, 25, 0, 12},
     {2, kAdvanceRows[10], 12, 12, 1, 0, 4, 12, kServo4, kServo4, 4, 1}},
    {14, "Suzuki GSX-R1000             03-04",
     {14, 85, 19, 0, 120, 1, 55, 103, 25, 0, 12},
     {2, kAdvanceRows[10], 13, 13, 1, 0, 4, 12, kServo4, kServo4, 4, 1}},
    {15, "Suzuki GSX-1300               99-01",
     {12, 85, 19, 0, 109, 1, 55, 103, 25, 0, 12},
     {0, kAdvanceRows[10], 14, 14, 1, 0, 4, 13, kServo1, kServo1, 4, 1}},
    {16, "Suzuki TL 1000 R               98-",
     {13, 75, 19, 0, 105, 1, 55, 103, 25, 1, 8},
     {0, kAdvanceRows[11], 15, 15, 9, 0, 4, 14, kServo1, kServo1, 4, 1}},
    {17, "Yamaha YZF-R1                 02-03",
     {17, 35, 19, 0, 138, 3, 59, 105, 25, 0, 9},
     {2, kAdvanceRows[12], 16, 16, 10, 3, 4, 15, kServo5, kServo5, 4, 1}},
    {18, "Yamaha YZF-R6                 03-07",
     {18, 50, 19, 0, 150, 3, 63, 105, 25, 0, 10},
     {1, kAdvanceRows[13], 17, 17, 11, 3, 4, 16, kServo1, kServo1, 4, 1}},
    {19, "Kawasaki  ZX6RR               04-06",
     {9, 65, 19, 0, 140, 0, 48, 107, 50, 0, 6},
     {1, kAdvanceRows[7], 7, 7, 6, 3, 1, 7, kServoF1, kServo10, 0, 0}},
    {20, "Suzuki GSX-R600               04-05",
     {14, 85, 19, 0, 140, 1, 56, 104, 25, 0, 5},
     {1, kAdvanceRows[6], 18, 18, 5, 0, 4, 10, kServo1, kServo1, 4, 1}},
    {21, "Honda CBR 1000 RR          04-07",
     {4, 70, 19, 0, 124, 0, 59, 104, 25, 0, 2},
     {2, kAdvanceRows[3], 19, 19, 2, 2, 0, 3, kServo6, kServo6, 4, 1}},
    {22, "Honda CBR 1100 XX               ",
     {4, 65, 19, 0, 120, 0, 59, 104, 25, 0, 11},
     {2, kAdvanceRows[4], 20, 20, 3, 2, 4, 4, kServo2, kServo2, 4, 1}},
    {23, "Suzuki GSX-R750               04-05",
     {14, 85, 19, 0, 136, 1, 55, 103, 25, 0, 12},
     {2, kAdvanceRows[9], 21, 21, 8, 0, 4, 11, kServo1, kServo1, 4, 1}},
    {24, "HD V-rod",
     {3, 70, 19, 0, 100, 0, 55, 103, 25, 0, 0},
     {3, kAdvanceRows[14], 22, 22, 0, 4, 4, 17, kServo1, kServo1, 4, 1}},
    {25, "Suzuki TL 1000 S               ",
     {13, 75, 30, 0, 105, 2, 55, 103, 25, 0, 8},
     {0, kAdvanceRows[11], 15, 15, 9, 0, 4, 14, kServo1, kServo1, 4, 1}},
    {26, "Suzuki GSX-R1000             05-06",
     {14, 85, 19, 1, 130, 1, 55, 103, 25, 0, 12},
     {4, kAdvanceMap26, 23, 23, 1, 0, 2, 18, kServoF1, kServo11, 0, 0}},
    {27, "Yamaha YZF-R1                 04-06",
     {17, 35, 19, 0, 143, 3, 59, 105, 25, 0, 9},
     {2, kAdvanceRows[12], 24, 16, 10, 3, 4, 15, kServo5, kServo5, 4, 1}},
    {28, "Honda CBR 600 RR            05-06",
     {4, 70, 19, 0, 150, 0, 59, 104, 25, 0, 2},
     {1, kAdvanceRows[3], 3, 3, 2, 2, 0, 3, kServo1, kServo1, 4, 1}},
    {29, "Suzuki GSX-1300               02-",
     {9, 85, 19, 0, 109, 1, 55, 103, 25, 0, 12},
     {0, kAdvanceRows[10], 14, 24, 1, 0, 4, 19, kServo1, kServo1, 4, 1}},
    {30, "Ducati 999",
     {2, 65, 19, 0, 108, 0, 55, 103, 50, 0, 1},
     {0, kAdvanceRows[1], 1, 1, 1, 1, 4, 1, kServo1, kServo1, 4, 1}},
    {31, "Honda VFR 800                   ",
     {6, 65, 19, 0, 120, 0, 59, 104, 25, 0, 3},
     {2, kAdvanceRows[4], 4, 4, 3, 2, 4, 4, kServo2, kServo2, 4, 1}},
    {32, "MZ 125 PCE",
     {7, 60, 19, 0, 140, 0, 56, 104, 25, 0, 5},
     {1, kAdvanceRows[6], 25, 10, 5, 0, 4, 10, kServo1, kServo1, 4, 1}},
    {33, "Honda CBR 125 PCE",
     {7, 60, 19, 0, 150, 0, 56, 104, 25, 0, 5},
     {1, kAdvanceRows[6], 25, 10, 5, 0, 4, 10, kServo1, kServo1, 4, 1}},
    {34, "Yamaha YZF-R6R               06-07",
     {14, 50, 19, 1, 158, 3, 55, 103, 25, 0, 12},
     {4, kAdvanceMap26, 26, 25, 1, 0, 3, 20, kServoF2, kServo12, 1, 0}},
    {35, "Yamaha FZS-600 Fazer          ",
     {19, 50, 19, 0, 130, 3, 63, 105, 25, 0, 10},
     {1, kAdvanceRows[13], 17, 17, 11, 0, 4, 16, kServo1, kServo1, 4, 1}},
    {36, "Kawasaki  ZX10 R               06- ",
     {10, 65, 19, 0, 127, 0, 60, 105, 50, 0, 7},
     {2, kAdvanceMap8, 8, 8, 7, 3, 4, 8, kServo3, kServo3, 4, 1}},
    {37, "Suzuki SV 1000 S               ",
     {16, 75, 30, 0, 105, 0, 55, 103, 25, 0, 8},
     {0, kAdvanceRows[11], 15, 26, 9, 0, 4, 14, kServo7, kServo7, 4, 1}},
    {38, "Peugeot",
     {11, 85, 19, 0, 120, 0, 55, 103, 25, 0, 12},
     {2, kAdvanceRows[10], 27, 27, 1, 0, 4, 12, kServo4, kServo4, 4, 1}},
    {39, "Aprilia SXV 450",
     {1, 85, 19, 0, 115, 0, 55, 103, 25, 0, 12},
     {4, kAdvanceMap39, 28, 28, 1, 0, 4, 21, kServo4, kServo4, 4, 1}},
    {40, "Suzuki SV 650 S               ",
     {15, 75, 30, 0, 110, 0, 55, 103, 25, 0, 8},
     {0, kAdvanceRows[11], 29, 26, 9, 0, 4, 14, kServo7, kServo7, 4, 1}},
    {41, "Suzuki GSX-R600               06-07",
     {14, 85, 19, 0, 154, 1, 56, 104, 25, 0, 5},
     {1, kAdvanceRows[6], 30, 18, 5, 0, 2, 10, kServo1, kServo1, 4, 1}},
    {42, "Yamaha XT 660          ",
     {20, 50, 19, 0, 150, 3, 63, 105, 25, 0, 10},
     {2, kAdvanceRows[5], 31, 29, 11, 0, 4, 8, kServo3, kServo3, 4, 1}},
    {43, "Aprilia RSV MILLE                04-",
     {21, 75, 19, 0, 113, 0, 61, 104, 50, 0, 0},
     {0, kAdvanceRows[0], 32, 0, 0, 5, 4, 0, kServo1, kServo1, 4, 1}},
    {44, "Honda CRF 250 PCE",
     {22, 60, 19, 0, 140, 0, 56, 104, 25, 0, 5},
     {1, kAdvanceRows[6], 25, 30, 5, 0, 4, 10, kServo1, kServo1, 4, 1}},
    {45, "Triumph Daytona 675       06-07",
     {23, 65, 19, 0, 135, 0, 60, 105, 50, 0, 7},
     {2, kAdvanceMap8, 33, 31, 7, 3, 4, 8, kServo8, kServo8, 2, 1}},
    {46, "Honda CBR 600 RR            07",
     {4, 70, 19, 0, 155, 0, 59, 104, 25, 0, 2},
     {1, kAdvanceRows[3], 3, 3, 2, 2, 0, 3, kServo9, kServo9, 3, 1}},
    {47, "Yamaha YZF-R1                 07-",
     {14, 50, 19, 1, 140, 3, 55, 103, 25, 0, 12},
     {4, kAdvanceMap26, 26, 25, 1, 0, 4, 20, kServoF2, kServo12, 1, 0}},
    {48, "Kawasaki  ZX6RR               07",
     {14, 65, 19, 1, 152, 4, 48, 107, 50, 0, 6},
     {1, kAdvanceRows[7], 7, 7, 6, 3, 1, 7, kServoF1, kServo10, 0, 0}},
    {49, "Suzuki GSX-R750               06-07",
     {14, 85, 19, 1, 150, 1, 55, 103, 25, 0, 12},
     {1, kAdvanceRows[6], 23, 23, 1, 0, 2, 18, kServoF1, kServo11, 0, 0}},
}};

// Every code above 49: the configuration, bytes 192 and 193 and the families without an entry
// for all other codes keep what the bike chosen before left.
constexpr BikeRow kUnknownBike{
    -1, "",
     {k_, 70, 19, 0, 150, 0, k_, k_, 25, 0, 12},
     {k_, {}, k_, k_, k_, 0, 4, k_, kServo1, kServo1, 4, 1}};

// Bytes 253, 256 and 261..276 by engine configuration code.
//   byte 253, cylinders, {bytes 261..276}
constexpr std::array<EngineConfigurationRow, 24> kEngineConfigurations{{
    {4, 2, {5, 10, k_, k_, 4, 1, 60, 6, 0, 12, 5, 10, k_, k_, 0, 6}},           // 0
    {11, 2, {2, 36, k_, k_, 14, 5, 12, 28, 2, 20, 1, 13, k_, k_, 13, 41}},      // 1
    {11, 2, {22, 40, k_, k_, 12, 4, 15, 23, 2, 16, 7, 13, k_, k_, 0, 24}},      // 2
    {11, 2, {15, 33, k_, k_, 11, 4, 15, 22, 2, 16, 12, 5, k_, k_, 1, 23}},      // 3
    {11, 4, {14, 20, 8, 2, 6, 2, 30, 12, 0, 24, 14, 20, 8, 2, 8, 20}},          // 4
    {11, 2, {5, 14, k_, k_, 6, 2, 30, 12, 0, 24, 5, 14, k_, k_, 8, 20}},        // 5
    {11, 4, {14, 5, 20, 11, 6, 2, 30, 12, 0, 24, 5, 14, 20, 11, 1, 13}},        // 6
    {4, 1, {3, k_, k_, k_, 2, 1, kW, 2, 0, 24, 14, 20, 8, 2, 0, 2}},            // 7
    {11, 4, {7, 11, 3, 15, 4, 2, 45, 8, 0, 16, 7, 11, 3, 15, 0, 8}},            // 8
    {11, 4, {29, 41, 18, 6, 12, 4, 15, 23, 1, 24, 15, 21, 9, 3, 18, 41}},       // 9
    {11, 4, {29, 41, 19, 7, 12, 4, 15, 22, 2, 16, 10, 14, 6, 2, 19, 41}},       // 10
    {11, 1, {7, k_, k_, k_, 11, 4, 15, 23, 1, 24, 3, 15, k_, k_, 15, 38}},      // 11
    {11, 4, {10, 14, 6, 2, 4, 2, 45, 8, 0, 16, 10, 14, 6, 2, 3, 11}},           // 12
    {4, 2, {3, 6, k_, k_, 2, 1, 90, 4, 0, 8, 3, 6, k_, k_, 0, 4}},              // 13
    {11, 4, {28, 40, 18, 6, 12, 4, 15, 22, 2, 16, 10, 14, 6, 2, 18, 40}},       // 14
    {11, 2, {12, 28, k_, k_, 12, 4, 15, 22, 2, 16, 4, 10, k_, k_, 12, 34}},     // 15
    {11, 2, {18, 34, k_, k_, 12, 4, 15, 22, 2, 16, 6, 12, k_, k_, 18, 40}},     // 16
    {11, 4, {8, 12, 4, 0, 4, 2, 45, 8, 0, 16, 8, 12, 4, 0, 1, 9}},              // 17
    {4, 4, {5, 7, 3, 1, 2, 1, 90, 4, 0, 8, 5, 7, 3, 1, 3, 7}},                  // 18
    {4, 2, {2, 6, k_, k_, 4, 2, 45, 4, 0, 8, 5, 7, 3, 1, 5, 5}},                // 19
    {11, 4, {6, k_, k_, k_, 6, 2, 30, 11, 1, 12, 3, 9, k_, k_, 10, 21}},        // 20
    {11, 4, {k_, k_, k_, k_, k_, k_, k_, k_, k_, 24, 10, 19, k_, k_, k_, k_}},  // 21
    {4, 1, {3, k_, k_, k_, 2, 1, kW, 2, 0, 24, 14, 20, 8, 2, 0, 2}},            // 22
    {11, 3, {34, 20, 4, k_, 12, 4, 15, 22, 2, 16, 12, 7, 1, k_, 19, 41}},       // 23
}};
// Every configuration code from 24 up.
constexpr EngineConfigurationRow kOtherEngineConfiguration    {11, 4, {k_, k_, k_, k_, k_, k_, k_, k_, k_, 24, 14, 20, 8, 2, k_, k_}};

// clang-format on

template <std::size_t N, typename Entry>
constexpr bool Within(int index, const std::array<Entry, N>&) {
  return index >= 0 && index < static_cast<int>(N);
}

constexpr bool IsAdvanceEntry(std::span<const std::uint16_t> advance) {
  return advance.size() == 15 || advance.size() == 150;
}

// The rows are in code order, and every known bike has an entry of its own in every family,
// within its table, and a configuration that has a row.
constexpr bool RowsAreComplete() {
  for (int code = 0; code < kBikeCodeCount; ++code) {
    const BikeRow& row = kBikeRows[static_cast<std::size_t>(code)];
    const BikeConstants& c = row.constants;
    const BikeEntries& e = row.entries;
    if (row.code != code || row.name.empty()) return false;
    if (!Within(c.engine_configuration, kEngineConfigurations)) return false;
    if (c.byte192 == kKeep || c.byte193 == kKeep) return false;
    if (!Within(e.speed_axis, kSpeedAxes) || !IsAdvanceEntry(e.advance)) return false;
    if (!Within(e.limits, kLimits) || !Within(e.misc, kMisc)) return false;
    if (!Within(e.corrections, kCorrections) || !Within(e.position, kPositions)) return false;
  }
  return true;
}
static_assert(RowsAreComplete());

// Families that every row, the unknown bike's included, takes an entry of.
constexpr bool EntriesAlwaysChosen(const BikeRow& row) {
  const BikeConstants& c = row.constants;
  const BikeEntries& e = row.entries;
  return Within(c.nine_words, kNineWordTables) && Within(e.pressure_sensors, kPressureSensors) &&
         Within(e.injection_b, kInjectionB) && Within(e.idle_preset, kIdlePresets) &&
         (e.intake_servo.size() == kServoRowEntryWords ||
          e.intake_servo.size() == kServoMapEntryWords) &&
         e.exhaust_servo.size() == kServoRowEntryWords;
}
constexpr bool EveryRowChoosesItsEntries() {
  for (const BikeRow& row : kBikeRows) {
    if (!EntriesAlwaysChosen(row)) return false;
  }
  return EntriesAlwaysChosen(kUnknownBike);
}
static_assert(EveryRowChoosesItsEntries());

constexpr bool ConfigurationsAreComplete() {
  for (const EngineConfigurationRow& row : kEngineConfigurations) {
    if (row.cylinders < 1 || row.cylinders > 4) return false;
  }
  return kOtherEngineConfiguration.cylinders == 4;
}
static_assert(ConfigurationsAreComplete());

}  // namespace

const BikeRow& BikeRowOf(int code) {
  if (code < 0 || code >= kBikeCodeCount) return kUnknownBike;
  return kBikeRows[static_cast<std::size_t>(code)];
}

const EngineConfigurationRow& EngineConfigurationRowOf(int configuration) {
  if (configuration < 0 || configuration >= static_cast<int>(kEngineConfigurations.size())) {
    return kOtherEngineConfiguration;
  }
  return kEngineConfigurations[static_cast<std::size_t>(configuration)];
}

}  // namespace korvan
