#include "files/parameter_file_layout.h"

#include <array>
#include <cstddef>

#include "image/field_dictionary.h"
#include "image/map_storage.h"

namespace korvan {
namespace {

using file_layout::Item;
using file_layout::ItemKind;
using file_layout::kWholeFileOnly;
using file_layout::Section;
using file_layout::ValueConversion;
using file_layout::ValueFormat;

// Builders that keep each section to a few readable lines.
constexpr Item Bytes(int first, int count = 1) { return Item{.first = first, .count = count}; }
constexpr Item Words(int first, int count = 1) {
  return Item{.words = true, .first = first, .count = count};
}
constexpr Item Times(int scale, int first, int count = 1) {
  return Item{
      .first = first, .count = count, .conversion = ValueConversion::kScaled, .scale = scale};
}
constexpr Item SignedBytes(int first, int count) {
  return Item{.first = first,
              .count = count,
              .conversion = ValueConversion::kMinus100,
              .format = ValueFormat::kSigned};
}
constexpr Item Plus100(int first, int count) {
  return Item{.first = first, .count = count, .conversion = ValueConversion::kPlus100};
}
constexpr Item Flag(int offset, ValueFormat format) {
  return Item{.first = offset, .count = 1, .format = format};
}
// A map's engine-speed axis, written in rpm.
constexpr Item Axis(MapId map) { return Times(kAxisRpmScale, AxisOffset(map, 0), kMapColumns); }
// A map's cells, one map row per line.
constexpr Item Map(MapId map, ValueConversion conversion = ValueConversion::kRaw) {
  const MapStorage& m = MapInfo(map);
  return Item{.words = m.word_cells,
              .first = m.cell_base,
              .count = kMapCells,
              .conversion = conversion,
              .per_line = kMapColumns};
}
constexpr Item kCont{.kind = ItemKind::kContinuation};
constexpr Item kBreak{.kind = ItemKind::kLineBreak};

constexpr Item kBike[] = {Bytes(kBikeCodeOffset), kCont};
constexpr Item kApsIaps[] = {Words(3, 4), kCont, Words(7, 4)};
constexpr Item kWaterTempSensor[] = {kCont, Words(97, 9)};
constexpr Item kAirTempSensor[] = {kCont, Words(106, 5)};
constexpr Item kInputs[] = {Bytes(22, 6)};
constexpr Item kLimiter[] = {Times(100, 28, 4), Bytes(32)};
constexpr Item kTps[] = {Times(10, 33),
                         Item{.first = 34, .count = 1, .conversion = ValueConversion::kTps100}};
constexpr Item kPotentiometer[] = {Bytes(75, 2)};
constexpr Item kCooling[] = {Bytes(35)};
constexpr Item kRpm[] = {Bytes(36), SignedBytes(37, 1)};
constexpr Item kIntakePort[] = {Times(100, 38), kBreak};
constexpr Item kAdvanceMisc[] = {Bytes(kAdvanceByThrottleOffset), SignedBytes(41, 4),
                                 Bytes(kBaseAdvanceOffset, 2)};
constexpr Item kRpmAdv[] = {Axis(MapId::kAdvance)};
constexpr Item kAdvance[] = {Map(MapId::kAdvance)};
constexpr Item kJet1Misc[] = {Bytes(kJetCouplingModeOffset, 3), Times(100, 50, 2)};
constexpr Item kRpmJet1A[] = {Axis(MapId::kInj1A)};
constexpr Item kJet1A[] = {Map(MapId::kInj1A)};
constexpr Item kRpmJet2A[] = {Axis(MapId::kInj2A)};
constexpr Item kJet2A[] = {Map(MapId::kInj2A)};
constexpr Item kRpmJet3A[] = {Axis(MapId::kInj3A)};
constexpr Item kJet3A[] = {Map(MapId::kInj3A)};
constexpr Item kRpmJet4A[] = {Axis(MapId::kInj4A)};
constexpr Item kJet4A[] = {Map(MapId::kInj4A)};
constexpr Item kRpmJetB[] = {Axis(MapId::kInjB)};
constexpr Item kJetB[] = {Map(MapId::kInjB)};
constexpr Item kIapMisc[] = {Bytes(52, 4)};
constexpr Item kIapIap[] = {Words(kIapRowAxisWord, kMapRows)};
constexpr Item kRpmIap[] = {Axis(MapId::kInjIap)};
constexpr Item kIap[] = {Map(MapId::kInjIap)};
// An injection position table: its mode, then its engine speeds and its angles on lines of
// their own.
constexpr std::array<Item, 6> PositionTable(int mode, int speeds, int angles) {
  return {Bytes(mode),
          kCont,
          Times(kAxisRpmScale, speeds, kMapColumns),
          kCont,
          Times(5, angles, kMapColumns),
          kBreak};
}
constexpr auto kPositionA = PositionTable(56, kPositionASpeedOffset, kPositionAAngleOffset);
constexpr auto kPositionB = PositionTable(57, kPositionBSpeedOffset, kPositionBAngleOffset);
constexpr Item kServoIn[] = {Flag(kIntakeServoEnableOffset, ValueFormat::kFlag5),
                             Flag(kIntakeServoPercentOffset, ValueFormat::kFlag7),
                             Times(5, 61),
                             Bytes(kIntakeServoModeOffset),
                             Flag(kStepMotorOffset, ValueFormat::kFlag6),
                             Bytes(77),
                             Times(250, 78)};
constexpr Item kRpmServoIn[] = {Axis(MapId::kIntakeServo)};
constexpr Item kServoInValue[] = {kCont, Map(MapId::kIntakeServo, ValueConversion::kServoIntake),
                                  kBreak};
constexpr Item kServoEx[] = {Flag(kExhaustServoEnableOffset, ValueFormat::kFlag5),
                             Flag(kExhaustServoPercentOffset, ValueFormat::kFlag7), Times(5, 60),
                             Bytes(kExhaustServoModeOffset)};
constexpr Item kRpmServoEx[] = {Axis(MapId::kExhaustServo)};
constexpr Item kServoExValue[] = {kCont, Map(MapId::kExhaustServo, ValueConversion::kServoExhaust)};
constexpr Item kIdle[] = {
    Bytes(kIdleTypeOffset),
    Times(100, 2601),
    Bytes(2602, 2),
    Times(250, 2604),
    Bytes(2605),
    Times(10, 2606),
    Bytes(2607, 2),
    kCont,
    Item{.first = kIdleServoTableOffset, .count = 9, .conversion = ValueConversion::kIdleStep},
    kCont,
    Bytes(2618, 4),
    kCont,
    Times(50, 2622, 9),
    kCont,
    kCont};
constexpr Item kChoke[] = {Bytes(67, 4), kCont, Plus100(71, 4)};
constexpr Item kStartInj[] = {Bytes(92), kCont};
constexpr Item kInjCorr[] = {Bytes(80, 5), kCont, Bytes(85, 5)};
constexpr Item kAccel[] = {Times(10, 90), Times(50, 91)};
constexpr Item kAdvanceCorr[] = {Bytes(93, 5), kCont};
// Delay is written before build-up time although it lies at the higher offset.
constexpr Item kN2o[] = {Flag(98, ValueFormat::kFlag6),
                         kCont,
                         Bytes(99, 2),
                         Times(100, 102),
                         Times(100, 101),
                         Plus100(158, 2),
                         kCont,
                         Bytes(103, 2),
                         Times(100, 106),
                         Times(100, 105)};
constexpr Item kSpeedPulses[] = {Bytes(138), Words(80), kCont};
constexpr Item kGear[] = {Bytes(136, 2), kCont, Words(70, 7), kCont, Words(81, 6)};
constexpr Item kGearAuto[] = {Bytes(154), Times(100, 155), Bytes(156, 2)};
constexpr Item kGearCorr[] = {SignedBytes(174, 6), kCont, Bytes(180, 6)};
constexpr Item kPilotLight[] = {Times(100, 108, 6), kCont, Times(100, 114, 6)};
constexpr Item kClutch[] = {Bytes(120),        Times(100, 133), Bytes(134, 2),     kCont,
                            Times(10, 121, 6), kCont,           Times(10, 127, 6), kBreak};
constexpr Item kDisplay[] = {Flag(107, ValueFormat::kFlag5), kBreak};
constexpr Item kTuning[] = {Times(10, 186, 3), Bytes(189), Times(100, 190), kCont};
constexpr Item kNoReading[] = {Flag(1, ValueFormat::kFlag5), kBreak};
// The memo text itself follows the line break; the writer and reader handle it by hand.
constexpr Item kMemo[] = {kBreak};

using PS = ParameterSection;

constexpr std::array<Section, kParameterSectionCount> kSections = {{
    {PS::kBike, "BIKE         ", kWholeFileOnly, false, kBike},
    {PS::kApsIaps, "APS_IAPS     ", 10, false, kApsIaps},
    {PS::kWaterTempSensor, "WATER_TEMP_SENSOR", 10, false, kWaterTempSensor},
    {PS::kAirTempSensor, "AIR_TEMP_SENSOR    ", 10, false, kAirTempSensor},
    {PS::kInputs, "INPUTS       ", 0, false, kInputs},
    {PS::kLimiter, "LIMITER      ", 0, false, kLimiter},
    {PS::kTps, "TPS          ", 10, false, kTps},
    {PS::kPotentiometer, "POTENTIOMETER      ", 10, false, kPotentiometer},
    {PS::kCooling, "COOLING      ", 0, false, kCooling},
    {PS::kRpm, "RPM          ", 0, false, kRpm},
    {PS::kIntakePort, "INTAKE_PORT  ", 0, false, kIntakePort},
    {PS::kAdvanceMisc, "ADVANCE_MISC ", 1, false, kAdvanceMisc},
    {PS::kRpmAdv, "RPM_ADV      ", 1, false, kRpmAdv},
    {PS::kAdvance, "ADVANCE      ", 1, false, kAdvance},
    {PS::kJet1Misc, "JET1_MISC    ", 2, false, kJet1Misc},
    {PS::kRpmJet1A, "RPM_JET_1A   ", 2, false, kRpmJet1A},
    {PS::kJet1A, "JET_1A       ", 2, false, kJet1A},
    {PS::kRpmJet2A, "RPM_JET_2A   ", 3, true, kRpmJet2A},
    {PS::kJet2A, "JET_2A       ", 3, true, kJet2A},
    {PS::kRpmJet3A, "RPM_JET_3A   ", 4, true, kRpmJet3A},
    {PS::kJet3A, "JET_3A       ", 4, true, kJet3A},
    {PS::kRpmJet4A, "RPM_JET_4A   ", 5, true, kRpmJet4A},
    {PS::kJet4A, "JET_4A       ", 5, true, kJet4A},
    {PS::kRpmJetB, "RPM_JET_B    ", 6, false, kRpmJetB},
    {PS::kJetB, "JET_B        ", 6, false, kJetB},
    {PS::kIapMisc, "IAP_MISC     ", 7, false, kIapMisc},
    {PS::kIapIap, "IAP_IAP      ", 7, false, kIapIap},
    {PS::kRpmIap, "RPM_IAP      ", 7, false, kRpmIap},
    {PS::kIap, "IAP          ", 7, false, kIap},
    {PS::kPositionA, "POSITION_A   ", 8, false, kPositionA},
    {PS::kPositionB, "POSITION_B   ", 8, false, kPositionB},
    {PS::kServoIn, "SERVO_IN     ", 11, false, kServoIn},
    {PS::kRpmServoIn, "RPM_SERVO_IN ", 11, false, kRpmServoIn},
    {PS::kServoInValue, "SERVO_IN_VALUE", 11, false, kServoInValue},
    {PS::kServoEx, "SERVO_EX     ", 12, false, kServoEx},
    {PS::kRpmServoEx, "RPM_SERVO_EX ", 12, false, kRpmServoEx},
    {PS::kServoExValue, "SERVO_EX_VALUE", 12, false, kServoExValue},
    {PS::kIdle, "IDLE         ", 13, false, kIdle},
    {PS::kChoke, "CHOKE        ", 9, false, kChoke},
    {PS::kStartInj, "START_INJ    ", 9, false, kStartInj},
    {PS::kInjCorr, "INJ_CORR     ", 9, false, kInjCorr},
    {PS::kAccel, "ACCEL        ", 9, false, kAccel},
    {PS::kAdvanceCorr, "ADVANCE_CORR ", 9, false, kAdvanceCorr},
    {PS::kN2o, "N2O          ", 14, false, kN2o},
    {PS::kSpeedPulses, "SPEED_PULSES ", 16, false, kSpeedPulses},
    {PS::kGear, "GEAR         ", 16, false, kGear},
    {PS::kGearAuto, "GEAR_AUTO    ", 16, false, kGearAuto},
    {PS::kGearCorr, "GEAR_CORR    ", 16, false, kGearCorr},
    {PS::kPilotLight, "PILOT_LIGHT  ", 15, false, kPilotLight},
    {PS::kClutch, "CLUTCH       ", 15, false, kClutch},
    {PS::kDisplay, "DISPLAY      ", 15, false, kDisplay},
    {PS::kTuning, "TUNING       ", 17, false, kTuning},
    {PS::kNoReading, "NO_READING   ", kWholeFileOnly, false, kNoReading},
    {PS::kMemo, "MEMO         ", 0, false, kMemo},
}};

constexpr bool SectionsAreInEnumOrder() {
  for (std::size_t i = 0; i < kSections.size(); ++i) {
    if (static_cast<std::size_t>(kSections[i].id) != i) return false;
  }
  return true;
}
static_assert(SectionsAreInEnumOrder());

constexpr std::string_view Trimmed(std::string_view key_field) {
  const std::size_t end = key_field.find(' ');
  return end == std::string_view::npos ? key_field : key_field.substr(0, end);
}

// Every field a section names lies inside the image, so the reader and writer can index the
// image without further checks.
constexpr bool ItemsInsideImage() {
  constexpr int kImageBytes = 2850;
  for (const Section& section : kSections) {
    for (const Item& item : section.items) {
      if (item.kind != ItemKind::kValues) continue;
      const int width = item.words ? 2 : 1;
      const int begin = item.first * width;
      const int end = begin + item.count * width;
      if (item.count <= 0 || begin < 0 || end > kImageBytes) return false;
      if (item.words && item.conversion != ValueConversion::kRaw) return false;
      if (item.conversion == ValueConversion::kScaled && item.scale <= 0) return false;
    }
  }
  return true;
}
static_assert(ItemsInsideImage());

constexpr std::array<std::string_view, kParameterSectionCount> kKeywords = [] {
  std::array<std::string_view, kParameterSectionCount> keywords{};
  for (std::size_t i = 0; i < kSections.size(); ++i) keywords[i] = Trimmed(kSections[i].key_field);
  return keywords;
}();
static_assert(kKeywords[0] == "BIKE" && kKeywords[kParameterSectionCount - 1] == "MEMO");

}  // namespace

std::span<const Section> ParameterFileSections() { return kSections; }

const Section& SectionLayout(ParameterSection section) {
  return kSections[static_cast<std::size_t>(section)];
}

std::string_view SectionKeyword(ParameterSection section) {
  return kKeywords[static_cast<std::size_t>(section)];
}

std::optional<ParameterSection> FindSection(std::string_view token) {
  // Every key word starts with a capital letter; numbers, the bulk of any file, end here.
  if (token.empty() || token.front() < 'A' || token.front() > 'Z') return std::nullopt;
  for (std::size_t i = 0; i < kKeywords.size(); ++i) {
    if (kKeywords[i] == token) return static_cast<ParameterSection>(i);
  }
  return std::nullopt;
}

}  // namespace korvan
