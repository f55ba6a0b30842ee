#pragma once

// The layout of a parameter file: which sections exist, in which order they are written, which
// image fields each one carries with which conversion, and where its line breaks go. The writer
// walks this table forwards; the reader walks the same table to take the values back, so the two
// can never disagree about a field. It is the only description of the file: the field dictionary
// and the map storage say where a value lies in the image, this table where it lies in a file.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace korvan {

// Every section of a parameter file, in the order the writer puts them.
enum class ParameterSection : std::uint8_t {
  kBike,
  kApsIaps,
  kWaterTempSensor,
  kAirTempSensor,
  kInputs,
  kLimiter,
  kTps,
  kPotentiometer,
  kCooling,
  kRpm,
  kIntakePort,
  kAdvanceMisc,
  kRpmAdv,
  kAdvance,
  kJet1Misc,
  kRpmJet1A,
  kJet1A,
  kRpmJet2A,
  kJet2A,
  kRpmJet3A,
  kJet3A,
  kRpmJet4A,
  kJet4A,
  kRpmJetB,
  kJetB,
  kIapMisc,
  kIapIap,
  kRpmIap,
  kIap,
  kPositionA,
  kPositionB,
  kServoIn,
  kRpmServoIn,
  kServoInValue,
  kServoEx,
  kRpmServoEx,
  kServoExValue,
  kIdle,
  kChoke,
  kStartInj,
  kInjCorr,
  kAccel,
  kAdvanceCorr,
  kN2o,
  kSpeedPulses,
  kGear,
  kGearAuto,
  kGearCorr,
  kPilotLight,
  kClutch,
  kDisplay,
  kTuning,
  kNoReading,
  kMemo,
};
inline constexpr int kParameterSectionCount = 54;

namespace file_layout {

enum class ItemKind : std::uint8_t {
  kValues,        // a run of fields
  kContinuation,  // line break and 13 blanks
  kLineBreak,     // line break only
};

// Stored value s -> written value, and back.
enum class ValueConversion : std::uint8_t {
  kRaw,           // s
  kScaled,        // s x scale; back: v / scale
  kMinus100,      // s - 100 (signed quantities); back: v + 100
  kPlus100,       // s + 100 (100..350 % corrections); back: v - 100
  kTps100,        // s x 10 + 2500 (throttle voltage at 100 %); back: (v - 2500) / 10
  kServoIntake,   // s x 1 when byte 63 is set, else x 20
  kServoExhaust,  // s x 1 when byte 62 is set, else x 20
  kIdleStep,      // s x the idle servo table step (byte 2600 and byte 63)
};

enum class ValueFormat : std::uint8_t {
  kUnsigned,  // "%5u "
  kSigned,    // "%5d "
  kFlag5,     // "    1" / "    0"
  kFlag7,     // "     1 " / "     0 "
  kFlag6,     // "    1 " / "    0 "
};

struct Item {
  ItemKind kind = ItemKind::kValues;
  bool words = false;  // first is a word index instead of a byte offset
  int first = 0;
  int count = 0;
  ValueConversion conversion = ValueConversion::kRaw;
  int scale = 1;
  ValueFormat format = ValueFormat::kUnsigned;
  int per_line = 0;  // when non-zero, a continuation follows every per_line-th value (maps)
};

// Which page a section belongs to for "open for the page on display".
inline constexpr int kWholeFileOnly = -1;  // BIKE and NO_READING: never in page-only mode

struct Section {
  ParameterSection id;
  std::string_view key_field;  // exactly as written after the line break
  int page;                    // PageIndex, or kWholeFileOnly
  bool skipped_while_coupled;  // channels 2A..4A are not taken while byte 47 is 1
  std::span<const Item> items;
};

}  // namespace file_layout

// All sections in writing order; entry i describes ParameterSection i.
std::span<const file_layout::Section> ParameterFileSections();

const file_layout::Section& SectionLayout(ParameterSection section);

// The key word as it appears as a token ("BIKE", "SERVO_IN_VALUE").
std::string_view SectionKeyword(ParameterSection section);

// The section whose key word is exactly `token` (case-sensitive), if any.
std::optional<ParameterSection> FindSection(std::string_view token);

}  // namespace korvan
