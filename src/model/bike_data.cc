#include "model/bike_data.h"

#include <cstddef>
#include <cstdint>

#include "image/field_dictionary.h"
#include "model/bike_rows.h"
#include "model/bike_tables_given.h"
#include "model/bike_tables_injection_b.h"
#include "model/bike_tables_position.h"

namespace korvan {
namespace {

using namespace bike_tables;  // NOLINT(build/namespaces): the data tables only

// A default-constructed selection holds the entries of the bike the station starts with.
constexpr int kStartEntriesBikeCode = 11;

constexpr int kNineWordsFirstWord = 115;
constexpr int kBytes261First = 261;
constexpr int kCylinderChannelsFirst = kCylinderCountOffset + 1;

template <typename Entry, std::size_t N>
const Entry* EntryAt(const std::array<Entry, N>& family, int index) {
  return &family[static_cast<std::size_t>(index)];
}

// Takes the row's entries; an entry marked kKeep leaves the one chosen before.
void TakeEntries(const BikeEntries& row, BikeTables& tables) {
  tables.advance_full_map = false;
  if (row.speed_axis != kKeep) tables.speed_axis = EntryAt(kSpeedAxes, row.speed_axis);
  if (!row.advance.empty()) {
    tables.advance = row.advance;
    tables.advance_full_map = row.advance.size() > kAdvanceRows[0].size();  // not one row
  }
  if (row.limits != kKeep) tables.limits = EntryAt(kLimits, row.limits);
  if (row.misc != kKeep) tables.misc = EntryAt(kMisc, row.misc);
  if (row.corrections != kKeep) tables.corrections = EntryAt(kCorrections, row.corrections);
  if (row.position != kKeep) tables.position = EntryAt(kPositions, row.position);
  tables.injection_b = EntryAt(kInjectionB, row.injection_b);
  tables.intake_servo = row.intake_servo;
  tables.exhaust_servo = row.exhaust_servo;
  tables.idle = EntryAt(kIdlePresets, row.idle_preset);
}

void SetKnownByte(ParameterImage& image, int offset, int value) {
  if (value != kKeep) image.SetByte(offset, static_cast<unsigned>(value));
}

void WriteConfigurationBytes(ParameterImage& image) {
  const EngineConfigurationRow& row = EngineConfigurationRowOf(image.Byte(kEngineConfigOffset));
  image.SetByte(253, static_cast<unsigned>(row.byte253));
  static constexpr std::array<std::array<std::uint8_t, 4>, 5> kChannelOfCylinder{
      {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 0}, {0, 1, 2, 3}}};
  image.SetByte(kCylinderCountOffset, static_cast<unsigned>(row.cylinders));
  const auto& channels = kChannelOfCylinder[static_cast<std::size_t>(row.cylinders)];
  for (std::size_t i = 0; i < channels.size(); ++i) {
    image.SetByte(kCylinderChannelsFirst + static_cast<int>(i), channels[i]);
  }
  for (std::size_t i = 0; i < row.bytes261.size(); ++i) {
    const int value = row.bytes261[i];
    SetKnownByte(image, kBytes261First + static_cast<int>(i),
                 value == kWidthOfLobe ? image.Byte(kWidthOfLobeOffset) : value);
  }
}

}  // namespace

BikeTables::BikeTables() { TakeEntries(BikeRowOf(kStartEntriesBikeCode).entries, *this); }

bool ApplyEngineConfiguration(ParameterImage& image) {
  const int code = image.Byte(kBikeCodeOffset);
  const BikeConstants& row = BikeRowOf(code).constants;
  SetKnownByte(image, kEngineConfigOffset, row.engine_configuration);
  image.SetByte(3, static_cast<unsigned>(row.byte3));
  image.SetByte(4, static_cast<unsigned>(row.byte4));
  image.SetByte(5, static_cast<unsigned>(row.byte5));
  return code == kChokeBikeCode;
}

bool ApplyBikeConstants(ParameterImage& image) {
  const BikeConstants& row = BikeRowOf(image.Byte(kBikeCodeOffset)).constants;
  const bool choke = ApplyEngineConfiguration(image);
  image.SetByte(255, static_cast<unsigned>(row.byte255));
  image.SetByte(254, static_cast<unsigned>(row.byte254));
  image.SetByte(252, static_cast<unsigned>(row.rated_limiter));
  image.SetByte(191, static_cast<unsigned>(row.byte191));
  SetKnownByte(image, 192, row.byte192);
  SetKnownByte(image, 193, row.byte193);
  const auto& nine = kNineWordTables[static_cast<std::size_t>(row.nine_words)];
  for (std::size_t i = 0; i < nine.size(); ++i) {
    image.SetWord(kNineWordsFirstWord + static_cast<int>(i), nine[i]);
  }
  WriteConfigurationBytes(image);
  return choke;
}

void SelectBikeTables(ParameterImage& image, BikeTables& tables) {
  const BikeEntries& row = BikeRowOf(image.Byte(kBikeCodeOffset)).entries;
  TakeEntries(row, tables);
  image.SetByte(kExhaustServoModeOffset, 1);
  image.SetByte(kIntakeServoModeOffset, static_cast<unsigned>(row.intake_servo_mode));
}

const PressureSensorEntry& PressureSensorsFor(int bike_code) {
  return *EntryAt(kPressureSensors, BikeRowOf(bike_code).entries.pressure_sensors);
}

}  // namespace korvan
