#include "model/default_set.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "image/consistency.h"
#include "image/field_dictionary.h"
#include "image/map_storage.h"
#include "image/page_index.h"

namespace korvan {
namespace {

constexpr int kJetCouplingOffset = 47;
constexpr unsigned kCoupled = 1;

constexpr std::array<std::uint16_t, 9> kCommonTemperatureCharacteristic{
    4049, 3401, 2713, 2037, 1420, 981, 642, 443, 299};

bool CodeIn(int code, std::initializer_list<int> codes) {
  for (int c : codes) {
    if (c == code) return true;
  }
  return false;
}

unsigned Low(std::uint16_t word) { return word & 0xFFu; }

class DefaultSetWriter {
 public:
  DefaultSetWriter(ParameterImage& image, bool one_page, int page_index, const BikeModelState& bike,
                   WordMapState& word_maps)
      : image_(image),
        one_page_(one_page),
        page_index_(page_index),
        code_(image.Byte(0)),
        tables_(bike.tables),
        word_maps_(word_maps) {}

  // "All" of a page: the whole set, or this page on display.
  bool Covers(int page) const { return !one_page_ || page == page_index_; }

  void Run() {
    image_.SetByte(1, 0);
    if (!one_page_) image_.SetByte(kJetCouplingOffset, kCoupled);
    if (Covers(kPageBike)) BikePage();
    if (Covers(kPageAdvance)) AdvancePage();
    if (Covers(kPageInj1A)) Inj1APage();
    for (int page : {kPageInj2A, kPageInj3A, kPageInj4A}) {
      if (CoversCoupledChannel(page)) {
        const auto map = static_cast<WordMap>(page - kPageInj1A);
        WriteSpeedAxis(MapInfo(MapOfWordMap(map)).axis_offset);
        word_maps_.Percent(map).fill(100);
        covered_[static_cast<std::size_t>(map)] = true;
      }
    }
    if (Covers(kPageInjB)) InjBPage();
    if (Covers(kPageInjIap)) IapPage();
    if (Covers(kPagePosition)) PositionPage();
    if (Covers(kPageCorrections)) CorrectionsPage();
    if (Covers(kPageSensors)) SensorsPage();
    if (Covers(kPageIntakeServo)) IntakeServoPage();
    if (Covers(kPageExhaustServo)) ExhaustServoPage();
    if (Covers(kPageIdle)) IdlePage();
    if (Covers(kPageN2o)) N2OPage();
    if (Covers(kPageRace)) RacePage();
    if (Covers(kPageGear)) GearPage();
    if (Covers(kPageTuning)) TuningPage();
  }

  // Which word maps this run set to 100 %.
  const std::array<bool, kWordMapCount>& covered() const { return covered_; }

 private:
  // Channels 2A..4A on their own page are left alone while the channels are coupled: they
  // follow 1A then.
  bool CoversCoupledChannel(int page) const {
    if (!one_page_) return true;
    return page == page_index_ && image_.Byte(kJetCouplingOffset) != kCoupled;
  }

  void WriteSpeedAxis(int offset) {
    for (int i = 0; i < 15; ++i) {
      image_.SetByte(offset + i, (*tables_.speed_axis)[static_cast<std::size_t>(i)] / 100u);
    }
  }

  void BikePage() {
    const MiscEntry& misc = *tables_.misc;
    image_.SetByte(22, 1);
    image_.SetByte(23, Low(misc[4]));
    image_.SetByte(24, Low(misc[3]));
    image_.SetByte(25, 1);
    image_.SetByte(26, 1);
    image_.SetByte(27, 1);
    image_.SetByte(35, 100);
    image_.SetByte(36, Low(misc[2]));
    image_.SetByte(37, 100);
    image_.SetByte(38, 90);
    image_.SetByte(28, (*tables_.limits)[2] / 100u);
    image_.SetByte(kIgnitionLimiterOffset, image_.Byte(252));
    image_.SetByte(30, image_.Byte(kIgnitionLimiterOffset) + 3u);
    image_.SetByte(31, image_.Byte(kIgnitionLimiterOffset) + 3u);
    image_.SetByte(32, 20);
    for (int k = kMemoOffset; k <= kMemoTerminator; ++k) image_.SetByte(k, 0);
  }

  void AdvancePage() {
    WriteSpeedAxis(MapInfo(MapId::kAdvance).axis_offset);
    const bool full = tables_.advance_full_map && tables_.advance.size() >= kMapCells;
    for (int cell = 0; cell < kMapCells; ++cell) {
      const std::size_t source =
          full ? static_cast<std::size_t>(cell) : static_cast<std::size_t>(CellColumn(cell));
      const std::uint16_t value = source < tables_.advance.size() ? tables_.advance[source] : 0;
      image_.SetByte(CellOffset(MapId::kAdvance, cell), Low(value));
    }
    image_.SetByte(40, 1);
    for (int k = 41; k <= 44; ++k) image_.SetByte(k, 100);
    image_.SetByte(45, Low((*tables_.misc)[0]));
    image_.SetByte(46, code_ == 33 ? 40 : code_ == 44 ? 60 : 50);
  }

  void Inj1APage() {
    WriteSpeedAxis(MapInfo(MapId::kInj1A).axis_offset);
    word_maps_.Percent(WordMap::kInj1A).fill(100);
    covered_[static_cast<std::size_t>(WordMap::kInj1A)] = true;
    image_.SetByte(48, code_ == 47 ? 5 : 2);
    image_.SetByte(49, code_ == 47 ? 7 : 5);
    image_.SetByte(50, 20);
    image_.SetByte(51, 30);
  }

  void InjBPage() {
    WriteSpeedAxis(MapInfo(MapId::kInjB).axis_offset);
    for (int cell = 0; cell < kMapCells; ++cell) {
      image_.SetByte(CellOffset(MapId::kInjB, cell),
                     Low((*tables_.injection_b)[static_cast<std::size_t>(cell)]));
    }
  }

  void IapPage() {
    static constexpr std::array<std::uint16_t, 10> kIapRows{30, 50, 60, 70, 75,
                                                            80, 85, 90, 95, 100};
    for (int i = 0; i < 10; ++i) {
      image_.SetWord(kIapRowAxisWord + i, kIapRows[static_cast<std::size_t>(i)]);
    }
    WriteSpeedAxis(MapInfo(MapId::kInjIap).axis_offset);
    word_maps_.Percent(WordMap::kInjIap).fill(100);
    covered_[static_cast<std::size_t>(WordMap::kInjIap)] = true;
    for (int k = 52; k <= 55; ++k) image_.SetByte(k, 100);
  }

  void PositionPage() {
    const PositionEntry& position = *tables_.position;
    WriteSpeedAxis(305);
    WriteSpeedAxis(335);
    for (int i = 0; i < 15; ++i) {
      image_.SetByte(320 + i, position[static_cast<std::size_t>(2 + i)] / 5u);
      image_.SetByte(350 + i, position[static_cast<std::size_t>(17 + i)] / 5u);
    }
    image_.SetByte(56, Low(position[0]));
    image_.SetByte(57, Low(position[1]));
  }

  void CorrectionsPage() {
    static constexpr std::array<std::uint8_t, 4> kStartTimes{5, 10, 15, 20};
    static constexpr std::array<std::uint8_t, 4> kStartCorrections{150, 50, 30, 10};
    static constexpr std::array<std::uint8_t, 5> kAdvanceCorrections{110, 110, 100, 100, 95};
    for (int i = 0; i < 4; ++i) {
      image_.SetByte(67 + i, kStartTimes[static_cast<std::size_t>(i)]);
      image_.SetByte(71 + i, kStartCorrections[static_cast<std::size_t>(i)]);
    }
    // Acceleration injection threshold and size.
    if (CodeIn(code_, {7, 19, 26, 34, 48, 49})) {
      image_.SetByte(90, 20);
      image_.SetByte(91, 36);
    } else if (code_ == 45) {
      image_.SetByte(90, 30);
      image_.SetByte(91, 30);
    } else if (code_ == 46) {
      image_.SetByte(90, 20);
      image_.SetByte(91, 78);
    } else if (code_ == 47) {
      image_.SetByte(90, 20);
      image_.SetByte(91, 30);
    } else {
      image_.SetByte(90, 30);
      image_.SetByte(91, 84);
    }
    const CorrectionsEntry& corrections = *tables_.corrections;
    for (int i = 0; i < 10; ++i) {
      image_.SetByte(80 + i, Low(corrections[static_cast<std::size_t>(i)]));
    }
    for (int i = 0; i < 5; ++i) {
      image_.SetByte(93 + i, kAdvanceCorrections[static_cast<std::size_t>(i)]);
    }
    image_.SetByte(92, Low((*tables_.misc)[1]));
  }

  void SensorsPage() {
    const PressureSensorEntry& sensors = PressureSensorsFor(code_);
    for (int i = 0; i < 4; ++i) {
      image_.SetWord(3 + i, sensors.ap[static_cast<std::size_t>(i)]);
      image_.SetWord(7 + i, sensors.iap[static_cast<std::size_t>(i)]);
    }
    const LimitsEntry& limits = *tables_.limits;
    image_.SetByte(33, limits[0] / 10u);
    image_.SetByte(34, (limits[1] / 10u + 6u) % 256u);
    image_.SetByte(75, 0);
    image_.SetByte(76, 20);
    TemperatureCharacteristics();
  }

  void TemperatureCharacteristics() {
    std::array<std::uint16_t, 9> coolant = kCommonTemperatureCharacteristic;
    std::array<std::uint16_t, 9> air = kCommonTemperatureCharacteristic;
    if (code_ == 1 || code_ == 30) {
      coolant = TemperatureCharacteristic({838, 648, 300, 164, 122});
      air = coolant;
    } else if (code_ == 28 || code_ == 46) {
      coolant = TemperatureCharacteristic({841, 521, 243, 112, 57});
    }
    for (int i = 0; i < 9; ++i) {
      image_.SetWord(97 + i, coolant[static_cast<std::size_t>(i)]);
      image_.SetWord(106 + i, air[static_cast<std::size_t>(i)]);
    }
  }

  // Servo map from a servo table: one row into every row when `one_row`, else the full map.
  // A table without a full map is always used as one row.
  void WriteServo(std::span<const std::uint16_t> table, MapId map, int hysteresis_offset,
                  unsigned divisor, bool one_row) {
    image_.SetByte(hysteresis_offset, table[0] / 5u);
    for (int i = 0; i < 15; ++i) {
      image_.SetByte(AxisOffset(map, i), table[static_cast<std::size_t>(1 + i)] / 100u);
    }
    const bool full = !one_row && table.size() >= kServoMapEntryWords;
    for (int cell = 0; cell < kMapCells; ++cell) {
      const int source = 16 + (full ? cell : CellColumn(cell));
      image_.SetByte(CellOffset(map, cell), table[static_cast<std::size_t>(source)] / divisor);
    }
  }

  void IntakeServoPage() {
    image_.SetByte(
        59,
        CodeIn(code_, {7, 8, 11, 12, 13, 14, 17, 19, 20, 23, 26, 27, 34, 41, 47, 48, 49}) ? 1 : 0);
    image_.SetByte(63, CodeIn(code_, {7, 19, 26, 48, 49}) ? 1 : 0);
    if (CodeIn(code_, {7, 19, 26, 45, 48, 49})) {
      image_.SetByte(66, 1);
      image_.SetByte(77, 8);
    } else {
      image_.SetByte(66, 0);
    }
    image_.SetByte(78, 6);
    WriteServo(tables_.intake_servo, MapId::kIntakeServo, 61, image_.Byte(63) != 0 ? 1 : 20,
               image_.Byte(65) != 0);
  }

  void ExhaustServoPage() {
    image_.SetByte(
        58, CodeIn(code_, {4, 7, 8, 13, 14, 17, 19, 21, 26, 27, 34, 42, 45, 47, 48, 49}) ? 1 : 0);
    image_.SetByte(62, code_ == 19 || code_ == 48 ? 1 : 0);
    WriteServo(tables_.exhaust_servo, MapId::kExhaustServo, 60, image_.Byte(62) != 0 ? 1 : 20,
               image_.Byte(64) != 0);
  }

  void IdlePage() {
    const IdlePresetEntry& idle = *tables_.idle;
    const auto& items = idle.items;
    image_.SetByte(2600, Low(items[0]));
    image_.SetByte(2601, items[1] / 100u);
    image_.SetByte(2602, Low(items[2]));
    image_.SetByte(2603, Low(items[3]));
    image_.SetByte(2604, items[4] / 250u);
    image_.SetByte(2605, Low(items[5]));
    image_.SetByte(2606, items[6] / 10u);
    image_.SetByte(2607, Low(items[7]));
    image_.SetByte(2608, Low(items[8]));
    const int step = IdleServoStep(image_).step;
    const unsigned divisor = step > 0 ? static_cast<unsigned>(step) : 1u;
    for (int i = 0; i < 9; ++i) {
      image_.SetByte(kIdleServoTableOffset + i, idle.servo[static_cast<std::size_t>(i)] / divisor);
      image_.SetByte(2622 + i, idle.advance_speed[static_cast<std::size_t>(i)] / 50u);
    }
    for (int i = 0; i < 4; ++i) {
      image_.SetByte(2618 + i, Low(idle.advance[static_cast<std::size_t>(i)]));
    }
    // The speedometer setting is defaulted with the idle page.
    image_.SetByte(138, 0);
    image_.SetWord(80, code_ == 17 || code_ == 27   ? 970
                       : code_ == 34 || code_ == 47 ? 869
                       : code_ == 48                ? 286
                                                    : 1000);
  }

  void N2OPage() {
    image_.SetByte(98, 0);
    image_.SetByte(99, 20);
    image_.SetByte(100, 60);
    image_.SetByte(102, 20);
    image_.SetByte(101, 30);
    image_.SetByte(103, 0);
    image_.SetByte(104, 0);
    image_.SetByte(106, 20);
    image_.SetByte(105, 30);
    image_.SetByte(158, 0);
    image_.SetByte(159, 0);
  }

  void RacePage() {
    const unsigned first = image_.Byte(kIgnitionLimiterOffset) - 20u;
    for (int gear = 0; gear < 6; ++gear) {
      image_.SetByte(108 + gear, first);
      image_.SetByte(114 + gear, first + 5u);
      image_.SetByte(121 + gear, 10);
      image_.SetByte(127 + gear, 50);
    }
    image_.SetByte(120, 0);
    image_.SetByte(133, 20);
    image_.SetByte(134, 50);
    image_.SetByte(135, 0);
    image_.SetByte(107, 0);
  }

  void GearPage() {
    static constexpr std::array<std::uint16_t, 7> kVoltages45{4877, 879,  1564, 2204,
                                                              2922, 3572, 4252};
    static constexpr std::array<std::uint16_t, 7> kVoltages48{4428, 3450, 2952, 2468,
                                                              1979, 1485, 987};
    static constexpr std::array<std::uint16_t, 7> kVoltagesOther{5000, 1797, 2260, 2998,
                                                                 3662, 4360, 4687};
    static constexpr std::array<std::uint16_t, 6> kRatios{2000, 1000, 666, 500, 400, 333};
    const auto& voltages = code_ == 45 ? kVoltages45 : code_ == 48 ? kVoltages48 : kVoltagesOther;
    for (int i = 0; i < 7; ++i) image_.SetWord(70 + i, voltages[static_cast<std::size_t>(i)]);
    // Bikes 26 and 49 keep their way of determining the gear.
    if (code_ == 45 || code_ == 48) {
      image_.SetByte(136, 0);
    } else if (code_ != 26 && code_ != 49) {
      image_.SetByte(136, 3);
    }
    image_.SetByte(137, 6);
    for (int i = 0; i < 6; ++i) image_.SetWord(81 + i, kRatios[static_cast<std::size_t>(i)]);
    image_.SetByte(154, 3);
    image_.SetByte(155, 15);
    image_.SetByte(156, 20);
    image_.SetByte(157, 40);
    for (int k = 174; k <= 185; ++k) image_.SetByte(k, 100);
  }

  void TuningPage() {
    image_.SetByte(186, 80);
    image_.SetByte(187, 5);
    image_.SetByte(188, 10);
    image_.SetByte(189, 1);
    image_.SetByte(190, 10);
  }

  ParameterImage& image_;
  const bool one_page_;
  const int page_index_;
  const int code_;
  const BikeTables& tables_;
  WordMapState& word_maps_;
  std::array<bool, kWordMapCount> covered_{};
};

}  // namespace

std::array<std::uint16_t, 9> TemperatureCharacteristic(const std::array<std::uint16_t, 5>& raw) {
  std::array<std::uint16_t, 9> points{};
  for (std::size_t i = 0; i < 5; ++i) {
    points[2 * i] = static_cast<std::uint16_t>(raw[i] * 5000u / 1023u);
  }
  for (std::size_t i = 1; i < 9; i += 2) {
    points[i] = static_cast<std::uint16_t>((points[i - 1] + points[i + 1]) / 2u);
  }
  return points;
}

void ApplyDefaultSet(ParameterImage& image, bool one_page, int page_index, BikeModelState& bike,
                     WordMapState& word_maps) {
  bike.choke = ApplyBikeConstants(image);
  SelectBikeTables(image, bike.tables);

  DefaultSetWriter writer(image, one_page, page_index, bike, word_maps);
  writer.Run();

  ComputeBaseTimes(image, word_maps);
  for (int m = 0; m < kWordMapCount; ++m) {
    if (writer.covered()[static_cast<std::size_t>(m)]) {
      StoreWordsFromPercent(image, word_maps, static_cast<WordMap>(m));
    }
  }
}

ParameterImage DefaultParameterSet(int bike_code, const ParameterImage& before) {
  ParameterImage image = before;
  image.SetByte(kBikeCodeOffset, static_cast<unsigned>(bike_code));
  BikeModelState bike;
  WordMapState word_maps;
  ApplyDefaultSet(image, false, 0, bike, word_maps);
  StationSettings settings{0, 0};
  ApplyConsistencyRules(image, settings);
  return image;
}

}  // namespace korvan
