#include "model/bike_data.h"

#include <cstddef>
#include <cstdint>

#include "model/bike_tables_advance.h"
#include "model/bike_tables_given.h"
#include "model/bike_tables_injection_b.h"
#include "model/bike_tables_position.h"
#include "model/bike_tables_servo.h"

namespace korvan {
namespace {

using namespace bike_tables;  // NOLINT(build/namespaces): the data tables only

constexpr int kNone = -1;  // the code has no entry of its own: keep the entry chosen before

// Entry of each family by bike code, as indices into the tables of bike_tables_given.h. The
// switches are tables: one line per entry.
// clang-format off

constexpr int SpeedAxisOf(int code) {
  switch (code) {
    case 0: case 1: case 5: case 9: case 10: case 15: case 16: case 25: case 29: case 30:
    case 37: case 40: case 43:
      return 0;
    case 2: case 3: case 6: case 7: case 11: case 18: case 19: case 20: case 28: case 32:
    case 33: case 35: case 41: case 44: case 46: case 48: case 49:
      return 1;
    case 4: case 8: case 12: case 13: case 14: case 17: case 21: case 22: case 23: case 27:
    case 31: case 36: case 38: case 42: case 45:
      return 2;
    case 24: return 3;
    case 26: case 34: case 39: case 47: return 4;
    default: return kNone;
  }
}

// Full advance maps are numbered from 100 to tell them from the one-row entries.
constexpr int kFullMap8 = 100;
constexpr int kFullMap26 = 101;
constexpr int kFullMap39 = 102;

constexpr int AdvanceOf(int code) {
  switch (code) {
    case 0: case 43: return 0;
    case 1: case 30: return 1;
    case 2: return 2;
    case 3: case 21: case 28: case 46: return 3;
    case 4: case 22: case 31: return 4;
    case 5: case 42: return 5;
    case 6: case 11: case 20: case 32: case 33: case 41: case 44: case 49: return 6;
    case 7: case 19: case 48: return 7;
    case 9: case 10: return 8;
    case 12: case 23: return 9;
    case 13: case 14: case 15: case 29: case 38: return 10;
    case 16: case 25: case 37: case 40: return 11;
    case 17: case 27: return 12;
    case 18: case 35: return 13;
    case 24: return 14;
    case 8: case 36: case 45: return kFullMap8;
    case 26: case 34: case 47: return kFullMap26;
    case 39: return kFullMap39;
    default: return kNone;
  }
}

constexpr int LimitsOf(int code) {
  switch (code) {
    case 0: return 0;
    case 1: case 30: return 1;
    case 2: return 2;
    case 3: case 28: case 46: return 3;
    case 4: case 31: return 4;
    case 5: return 5;
    case 6: return 6;
    case 7: case 19: case 48: return 7;
    case 8: case 36: return 8;
    case 9: case 10: return 9;
    case 11: return 10;
    case 12: return 11;
    case 13: return 12;
    case 14: return 13;
    case 15: case 29: return 14;
    case 16: case 25: case 37: return 15;
    case 17: return 16;
    case 18: case 35: return 17;
    case 20: return 18;
    case 21: return 19;
    case 22: return 20;
    case 23: return 21;
    case 24: return 22;
    case 26: case 49: return 23;
    case 27: return 24;
    case 32: case 33: case 44: return 25;
    case 34: case 47: return 26;
    case 38: return 27;
    case 39: return 28;
    case 40: return 29;
    case 41: return 30;
    case 42: return 31;
    case 43: return 32;
    case 45: return 33;
    default: return kNone;
  }
}

constexpr int MiscOf(int code) {
  switch (code) {
    case 0: case 43: return 0;
    case 1: case 30: return 1;
    case 2: return 2;
    case 3: case 28: case 46: return 3;
    case 4: case 31: return 4;
    case 5: return 5;
    case 6: return 6;
    case 7: case 19: case 48: return 7;
    case 8: case 36: return 8;
    case 9: case 10: return 9;
    case 11: case 32: case 33: return 10;
    case 12: return 11;
    case 13: return 12;
    case 14: return 13;
    case 15: return 14;
    case 16: case 25: return 15;
    case 17: case 27: return 16;
    case 18: case 35: return 17;
    case 20: case 41: return 18;
    case 21: return 19;
    case 22: return 20;
    case 23: return 21;
    case 24: return 22;
    case 26: case 49: return 23;
    case 29: return 24;
    case 34: case 47: return 25;
    case 37: case 40: return 26;
    case 38: return 27;
    case 39: return 28;
    case 42: return 29;
    case 44: return 30;
    case 45: return 31;
    default: return kNone;
  }
}

constexpr int CorrectionsOf(int code) {
  switch (code) {
    case 0: case 24: case 43: return 0;
    case 1: case 13: case 14: case 15: case 26: case 29: case 30: case 34: case 38: case 39:
    case 47: case 49:
      return 1;
    case 2: case 3: case 21: case 28: case 46: return 2;
    case 4: case 22: case 31: return 3;
    case 5: return 4;
    case 6: case 11: case 20: case 32: case 33: case 41: case 44: return 5;
    case 7: case 19: case 48: return 6;
    case 8: case 9: case 10: case 36: case 45: return 7;
    case 12: case 23: return 8;
    case 16: case 25: case 37: case 40: return 9;
    case 17: case 27: return 10;
    case 18: case 35: case 42: return 11;
    default: return kNone;
  }
}

constexpr int PressureSensorsOf(int code) {
  switch (code) {
    case 1: case 30: return 1;
    case 2: case 3: case 4: case 5: case 21: case 22: case 28: case 31: case 46: return 2;
    case 7: case 8: case 17: case 18: case 19: case 27: case 36: case 45: case 48: return 3;
    case 24: return 4;
    case 43: return 5;
    default: return 0;
  }
}

// Injection B entries 1..5 as indices 0..4; the last is the one for all other codes.
constexpr int InjectionBOf(int code) {
  switch (code) {
    case 3: case 21: case 28: case 46: return 0;
    case 19: case 48: return 1;
    case 26: case 41: case 49: return 2;
    case 34: return 3;
    default: return 4;
  }
}

// Position entries 1..22 as indices 0..21.
constexpr int PositionOf(int code) {
  switch (code) {
    case 0: case 43: return 0;
    case 1: case 30: return 1;
    case 2: return 2;
    case 3: case 21: case 28: case 46: return 3;
    case 4: case 22: case 31: return 4;
    case 5: return 5;
    case 6: return 6;
    case 7: case 19: case 48: return 7;
    case 8: case 36: case 42: case 45: return 8;
    case 9: case 10: return 9;
    case 11: case 20: case 32: case 33: case 41: case 44: return 10;
    case 12: case 23: return 11;
    case 13: case 14: case 38: return 12;
    case 15: return 13;
    case 16: case 25: case 37: case 40: return 14;
    case 17: case 27: return 15;
    case 18: case 35: return 16;
    case 24: return 17;
    case 26: case 49: return 18;
    case 29: return 19;
    case 34: case 47: return 20;
    case 39: return 21;
    default: return kNone;
  }
}

struct ServoChoice {
  std::span<const std::uint16_t> intake;
  std::span<const std::uint16_t> exhaust;
};

ServoChoice ServosOf(int code) {
  switch (code) {
    case 4: case 22: case 31: return {kServo2, kServo2};
    case 7: return {kServoF1, kServo13};  // its exhaust servo runs in millivolts (byte 62)
    case 19: case 48: return {kServoF1, kServo10};
    case 8: case 36: case 42: return {kServo3, kServo3};
    case 13: case 14: case 38: case 39: return {kServo4, kServo4};
    case 17: case 27: return {kServo5, kServo5};
    case 21: return {kServo6, kServo6};
    case 26: case 49: return {kServoF1, kServo11};
    case 34: case 47: return {kServoF2, kServo12};
    case 37: case 40: return {kServo7, kServo7};
    case 45: return {kServo8, kServo8};
    case 46: return {kServo9, kServo9};
    default: return {kServo1, kServo1};
  }
}

// Idle presets: 0 for 7, 19, 26, 48, 49; 1 for 34, 47; 2 for 45; 3 for 46; 4 for all others.
constexpr int IdlePresetOf(int code) {
  switch (code) {
    case 7: case 19: case 26: case 48: case 49: return 0;
    case 34: case 47: return 1;
    case 45: return 2;
    case 46: return 3;
    default: return 4;
  }
}

// clang-format on

// Every known bike has an entry of its own in every family, within its table.
constexpr bool EveryKnownBikeHasEntries() {
  for (int code = 0; code < kBikeCodeCount; ++code) {
    const int axis = SpeedAxisOf(code);
    const int advance = AdvanceOf(code);
    const int limits = LimitsOf(code);
    const int misc = MiscOf(code);
    const int corrections = CorrectionsOf(code);
    const int position = PositionOf(code);
    if (axis < 0 || axis >= static_cast<int>(kSpeedAxes.size())) return false;
    if (advance < 0 || (advance < kFullMap8 && advance >= static_cast<int>(kAdvanceRows.size()))) {
      return false;
    }
    if (limits < 0 || limits >= static_cast<int>(kLimits.size())) return false;
    if (misc < 0 || misc >= static_cast<int>(kMisc.size())) return false;
    if (corrections < 0 || corrections >= static_cast<int>(kCorrections.size())) return false;
    if (position < 0 || position >= static_cast<int>(kPositions.size())) return false;
  }
  return true;
}
static_assert(EveryKnownBikeHasEntries());

std::span<const std::uint16_t> AdvanceEntry(int index) {
  switch (index) {
    case kFullMap8:
      return kAdvanceMap8;
    case kFullMap26:
      return kAdvanceMap26;
    case kFullMap39:
      return kAdvanceMap39;
    default:
      return kAdvanceRows[static_cast<std::size_t>(index)];
  }
}

// ---- Bike constants ----

// clang-format off

// Engine configuration code (byte 2) of a bike code 0..49.
constexpr int EngineConfigurationOf(int code) {
  switch (code) {
    case 0: return 0;
    case 39: return 1;
    case 1: case 30: return 2;
    case 24: return 3;
    case 2: case 3: case 4: case 21: case 22: case 28: case 46: return 4;
    case 5: return 5;
    case 31: return 6;
    case 32: case 33: return 7;
    case 6: return 8;
    case 7: case 19: case 29: return 9;
    case 8: case 36: return 10;
    case 38: return 11;
    case 9: case 11: case 12: case 13: case 15: return 12;
    case 16: case 25: return 13;
    case 14: case 20: case 23: case 26: case 34: case 41: case 47: case 48: case 49: return 14;
    case 40: return 15;
    case 37: return 16;
    case 10: case 17: case 27: return 17;
    case 18: return 18;
    case 35: return 19;
    case 42: return 20;
    case 43: return 21;
    case 44: return 22;
    case 45: return 23;
    default: return kNone;
  }
}

constexpr bool EveryKnownBikeHasConfiguration() {
  for (int code = 0; code < kBikeCodeCount; ++code) {
    if (EngineConfigurationOf(code) < 0) return false;
  }
  return true;
}
static_assert(EveryKnownBikeHasConfiguration());

constexpr int Byte3Of(int code) {
  switch (code) {
    case 17: case 27: return 35;
    case 18: case 34: case 35: case 42: case 47: return 50;
    case 32: case 33: case 44: return 60;
    case 3: case 5: case 21: case 24: case 28: case 46: return 70;
    case 0: case 16: case 25: case 37: case 40: case 43: return 75;
    case 6: case 11: case 12: case 13: case 14: case 15: case 20: case 23: case 26: case 29:
    case 38: case 39: case 41: case 49:
      return 85;
    default: return code >= kBikeCodeCount ? 70 : 65;
  }
}

constexpr int Byte4Of(int code) {
  switch (code) {
    case 0: case 25: case 37: case 40: return 30;
    default: return 19;
  }
}

constexpr int Byte5Of(int code) {
  switch (code) {
    case 26: case 34: case 47: case 48: case 49: return 1;
    default: return 0;
  }
}

// Rated limiter / 100 [rpm] (byte 252).
constexpr int RatedLimiterOf(int code) {
  switch (code) {
    case 24: return 100;
    case 16: case 25: case 37: return 105;
    case 1: case 30: return 108;
    case 15: case 29: return 109;
    case 0: case 5: case 9: case 10: case 40: return 110;
    case 43: return 113;
    case 39: return 115;
    case 4: case 13: case 14: case 22: case 31: case 38: return 120;
    case 21: return 124;
    case 8: case 36: return 127;
    case 26: case 35: return 130;
    case 45: return 135;
    case 12: case 23: return 136;
    case 17: return 138;
    case 2: case 6: case 7: case 11: case 19: case 20: case 32: case 44: case 47: return 140;
    case 27: return 143;
    case 48: return 152;
    case 41: return 154;
    case 46: return 155;
    case 34: return 158;
    default: return 150;  // 3, 18, 28, 33, 42, 49 and every code above 49
  }
}

constexpr int Byte191Of(int code) {
  switch (code) {
    case 11: case 12: case 13: case 14: case 15: case 16: case 20: case 23: case 26: case 29:
    case 41: case 49:
      return 1;
    case 25: return 2;
    case 17: case 18: case 27: case 34: case 35: case 42: case 47: return 3;
    case 48: return 4;
    default: return 0;
  }
}

struct BytePair {
  int first;
  int second;
};

// Bytes 192 and 193 of a bike code 0..49.
constexpr BytePair Bytes192Of(int code) {
  switch (code) {
    case 0: case 43: return {61, 104};
    case 2: case 3: case 4: case 21: case 22: case 28: case 31: case 46: return {59, 104};
    case 5: return {58, 104};
    case 6: case 11: case 20: case 32: case 33: case 41: case 44: return {56, 104};
    case 7: case 19: case 48: return {48, 107};
    case 8: case 9: case 10: case 36: case 45: return {60, 105};
    case 17: case 27: return {59, 105};
    case 18: case 35: case 42: return {63, 105};
    default: return {55, 103};
  }
}

constexpr bool Byte254IsFifty(int code) {
  switch (code) {
    case 0: case 1: case 6: case 7: case 8: case 9: case 10: case 19: case 30: case 36: case 43:
    case 45: case 48:
      return true;
    default: return false;
  }
}

// Nine-word bike table w115..w123 by coolant temperature.
using NineWords = std::array<std::uint16_t, 9>;
constexpr std::array<NineWords, 13> kNineWordTables{{
    {270, 207, 179, 151, 132, 115, 100, 90, 81},   // 0  : 0, 24, 43
    {194, 166, 149, 136, 126, 114, 100, 95, 91},   // 1  : 1, 30
    {227, 188, 155, 130, 112, 100, 100, 93, 84},   // 2  : 2, 3, 21, 28, 46
    {379, 269, 190, 150, 127, 114, 100, 91, 86},   // 3  : 4, 31
    {249, 208, 164, 143, 122, 112, 100, 88, 80},   // 4  : 5
    {193, 168, 149, 131, 119, 109, 100, 94, 86},   // 5  : 6, 11, 20, 32, 33, 41, 44
    {226, 186, 156, 140, 123, 113, 100, 92, 87},   // 6  : 7, 19, 48
    {248, 195, 175, 150, 133, 118, 100, 95, 88},   // 7  : 8, 9, 10, 36, 45
    {234, 184, 154, 137, 125, 115, 100, 91, 86},   // 8  : 16, 25, 37, 40
    {225, 190, 160, 140, 125, 115, 100, 90, 80},   // 9  : 17, 27
    {230, 185, 160, 140, 125, 110, 100, 90, 90},   // 10 : 18, 35, 42
    {379, 269, 190, 150, 127, 114, 100, 92, 86},   // 11 : 22
    {220, 165, 148, 135, 125, 113, 100, 94, 82},   // 12 : all other codes
}};

constexpr int NineWordTableOf(int code) {
  switch (code) {
    case 0: case 24: case 43: return 0;
    case 1: case 30: return 1;
    case 2: case 3: case 21: case 28: case 46: return 2;
    case 4: case 31: return 3;
    case 5: return 4;
    case 6: case 11: case 20: case 32: case 33: case 41: case 44: return 5;
    case 7: case 19: case 48: return 6;
    case 8: case 9: case 10: case 36: case 45: return 7;
    case 16: case 25: case 37: case 40: return 8;
    case 17: case 27: return 9;
    case 18: case 35: case 42: return 10;
    case 22: return 11;
    default: return 12;
  }
}

// Bytes 261..276 by engine configuration code. kKeep leaves the byte as it was; kWidthOfLobe
// takes byte 46.
constexpr int kKeep = -1;
constexpr int kWidthOfLobe = -2;
constexpr int k_ = kKeep;
constexpr int kW = kWidthOfLobe;
using SixteenBytes = std::array<int, 16>;
constexpr std::array<SixteenBytes, 24> kBytes261{{
    {5, 10, k_, k_, 4, 1, 60, 6, 0, 12, 5, 10, k_, k_, 0, 6},         // 0
    {2, 36, k_, k_, 14, 5, 12, 28, 2, 20, 1, 13, k_, k_, 13, 41},     // 1
    {22, 40, k_, k_, 12, 4, 15, 23, 2, 16, 7, 13, k_, k_, 0, 24},     // 2
    {15, 33, k_, k_, 11, 4, 15, 22, 2, 16, 12, 5, k_, k_, 1, 23},     // 3
    {14, 20, 8, 2, 6, 2, 30, 12, 0, 24, 14, 20, 8, 2, 8, 20},         // 4
    {5, 14, k_, k_, 6, 2, 30, 12, 0, 24, 5, 14, k_, k_, 8, 20},       // 5
    {14, 5, 20, 11, 6, 2, 30, 12, 0, 24, 5, 14, 20, 11, 1, 13},       // 6
    {3, k_, k_, k_, 2, 1, kW, 2, 0, 24, 14, 20, 8, 2, 0, 2},          // 7
    {7, 11, 3, 15, 4, 2, 45, 8, 0, 16, 7, 11, 3, 15, 0, 8},           // 8
    {29, 41, 18, 6, 12, 4, 15, 23, 1, 24, 15, 21, 9, 3, 18, 41},      // 9
    {29, 41, 19, 7, 12, 4, 15, 22, 2, 16, 10, 14, 6, 2, 19, 41},      // 10
    {7, k_, k_, k_, 11, 4, 15, 23, 1, 24, 3, 15, k_, k_, 15, 38},     // 11
    {10, 14, 6, 2, 4, 2, 45, 8, 0, 16, 10, 14, 6, 2, 3, 11},          // 12
    {3, 6, k_, k_, 2, 1, 90, 4, 0, 8, 3, 6, k_, k_, 0, 4},            // 13
    {28, 40, 18, 6, 12, 4, 15, 22, 2, 16, 10, 14, 6, 2, 18, 40},      // 14
    {12, 28, k_, k_, 12, 4, 15, 22, 2, 16, 4, 10, k_, k_, 12, 34},    // 15
    {18, 34, k_, k_, 12, 4, 15, 22, 2, 16, 6, 12, k_, k_, 18, 40},    // 16
    {8, 12, 4, 0, 4, 2, 45, 8, 0, 16, 8, 12, 4, 0, 1, 9},             // 17
    {5, 7, 3, 1, 2, 1, 90, 4, 0, 8, 5, 7, 3, 1, 3, 7},                // 18
    {2, 6, k_, k_, 4, 2, 45, 4, 0, 8, 5, 7, 3, 1, 5, 5},              // 19
    {6, k_, k_, k_, 6, 2, 30, 11, 1, 12, 3, 9, k_, k_, 10, 21},       // 20
    {k_, k_, k_, k_, k_, k_, k_, k_, k_, 24, 10, 19, k_, k_, k_, k_}, // 21
    {3, k_, k_, k_, 2, 1, kW, 2, 0, 24, 14, 20, 8, 2, 0, 2},          // 22
    {34, 20, 4, k_, 12, 4, 15, 22, 2, 16, 12, 7, 1, k_, 19, 41},      // 23
}};
// Every configuration code from 24 up.
constexpr SixteenBytes kBytes261Other{k_, k_, k_, k_, k_, k_, k_, k_,
                                      k_, 24, 14, 20, 8,  2,  k_, k_};

// clang-format on

constexpr int kWidthOfLobeOffset = 46;

void WriteBytes261(ParameterImage& image) {
  const int config = image.Byte(2);
  const SixteenBytes& row = config < static_cast<int>(kBytes261.size())
                                ? kBytes261[static_cast<std::size_t>(config)]
                                : kBytes261Other;
  for (int i = 0; i < 16; ++i) {
    const int value = row[static_cast<std::size_t>(i)];
    if (value == kKeep) continue;
    image.SetByte(261 + i, value == kWidthOfLobe ? image.Byte(kWidthOfLobeOffset)
                                                 : static_cast<unsigned>(value));
  }
}

// clang-format off
// Byte 253 from the engine configuration code.
int Byte253Of(int config) {
  switch (config) {
    case 0: case 7: case 13: case 18: case 19: case 22: return 4;
    default: return 11;
  }
}

// Number of cylinders from the engine configuration code.
int CylindersOf(int config) {
  switch (config) {
    case 7: case 11: case 22: return 1;
    case 0: case 1: case 2: case 3: case 5: case 13: case 15: case 16: case 19: return 2;
    case 23: return 3;
    default: return 4;
  }
}

// clang-format on

}  // namespace

BikeTables::BikeTables()
    : speed_axis(&kSpeedAxes[1]),
      advance(kAdvanceRows[6]),
      limits(&kLimits[10]),
      misc(&kMisc[10]),
      corrections(&kCorrections[5]),
      injection_b(&kInjectionB[4]),
      position(&kPositions[10]),
      intake_servo(kServo1),
      exhaust_servo(kServo1),
      idle(&kIdlePresets[4]) {}

bool ApplyEngineConfiguration(ParameterImage& image) {
  const int code = image.Byte(0);
  const int config = EngineConfigurationOf(code);
  if (config != kNone) image.SetByte(2, static_cast<unsigned>(config));
  image.SetByte(3, static_cast<unsigned>(Byte3Of(code)));
  image.SetByte(4, static_cast<unsigned>(Byte4Of(code)));
  image.SetByte(5, static_cast<unsigned>(Byte5Of(code)));
  return code == kChokeBikeCode;
}

bool ApplyBikeConstants(ParameterImage& image) {
  const int code = image.Byte(0);
  const bool choke = ApplyEngineConfiguration(image);
  const int config = image.Byte(2);

  image.SetByte(255, code == 16 ? 1 : 0);
  image.SetByte(254, Byte254IsFifty(code) ? 50 : 25);
  image.SetByte(253, static_cast<unsigned>(Byte253Of(config)));
  image.SetByte(252, static_cast<unsigned>(RatedLimiterOf(code)));
  image.SetByte(191, static_cast<unsigned>(Byte191Of(code)));
  if (code < kBikeCodeCount) {
    const BytePair pair = Bytes192Of(code);
    image.SetByte(192, static_cast<unsigned>(pair.first));
    image.SetByte(193, static_cast<unsigned>(pair.second));
  }
  static constexpr std::array<std::array<std::uint8_t, 4>, 5> kChannelOfCylinder{
      {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 0}, {0, 1, 2, 3}}};
  const int cylinders = CylindersOf(config);
  image.SetByte(256, static_cast<unsigned>(cylinders));
  for (int i = 0; i < 4; ++i) {
    image.SetByte(
        257 + i,
        kChannelOfCylinder[static_cast<std::size_t>(cylinders)][static_cast<std::size_t>(i)]);
  }

  const NineWords& nine = kNineWordTables[static_cast<std::size_t>(NineWordTableOf(code))];
  for (int i = 0; i < 9; ++i) image.SetWord(115 + i, nine[static_cast<std::size_t>(i)]);

  WriteBytes261(image);
  return choke;
}

void SelectBikeTables(ParameterImage& image, BikeTables& tables) {
  const int code = image.Byte(0);
  tables.advance_full_map = false;

  if (const int axis = SpeedAxisOf(code); axis != kNone) {
    tables.speed_axis = &kSpeedAxes[static_cast<std::size_t>(axis)];
  }
  if (const int advance = AdvanceOf(code); advance != kNone) {
    tables.advance = AdvanceEntry(advance);
    tables.advance_full_map = advance >= kFullMap8;
  }
  if (const int limits = LimitsOf(code); limits != kNone) {
    tables.limits = &kLimits[static_cast<std::size_t>(limits)];
  }
  if (const int misc = MiscOf(code); misc != kNone) {
    tables.misc = &kMisc[static_cast<std::size_t>(misc)];
  }
  if (const int corrections = CorrectionsOf(code); corrections != kNone) {
    tables.corrections = &kCorrections[static_cast<std::size_t>(corrections)];
  }
  if (const int position = PositionOf(code); position != kNone) {
    tables.position = &kPositions[static_cast<std::size_t>(position)];
  }
  tables.injection_b = &kInjectionB[static_cast<std::size_t>(InjectionBOf(code))];
  const ServoChoice servos = ServosOf(code);
  tables.intake_servo = servos.intake;
  tables.exhaust_servo = servos.exhaust;
  tables.idle = &kIdlePresets[static_cast<std::size_t>(IdlePresetOf(code))];

  image.SetByte(64, 1);
  switch (code) {
    case 7:
    case 19:
    case 26:
    case 34:
    case 47:
    case 48:
    case 49:
      image.SetByte(65, 0);
      break;
    default:
      image.SetByte(65, 1);
  }
}

const PressureSensorEntry& PressureSensorsFor(int bike_code) {
  return kPressureSensors[static_cast<std::size_t>(PressureSensorsOf(bike_code))];
}

}  // namespace korvan
