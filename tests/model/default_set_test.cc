#include "model/default_set.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <vector>

#include "image/consistency.h"
#include "image/map_storage.h"
#include "model/bike_tables_advance.h"
#include "model/bike_tables_servo.h"

namespace korvan {
namespace {

struct Station {
  ParameterImage image;
  BikeModelState bike;
  WordMapState word_maps;

  void New(int code) {
    image.SetByte(0, static_cast<unsigned>(code));
    ApplyDefaultSet(image, false, 0, bike, word_maps);
  }
  void NewForPage(int code, int page) {
    image.SetByte(0, static_cast<unsigned>(code));
    ApplyDefaultSet(image, true, page, bike, word_maps);
  }
};

// A station whose image holds a pattern that no default writes, so that every write shows.
Station PatternStation(int code) {
  Station station;
  for (int k = 0; k < kImageSize; ++k) station.image.SetByte(k, 0xA5);
  station.image.SetByte(0, static_cast<unsigned>(code));
  for (CellArray& percent : station.word_maps.percent) percent.fill(123);
  return station;
}

std::vector<int> Bytes(const ParameterImage& image, int first, int count) {
  std::vector<int> out;
  for (int k = first; k < first + count; ++k) out.push_back(image.Byte(k));
  return out;
}

// Image bytes every run of the default set may write, whatever the page.
std::set<int> AlwaysWritten() {
  std::set<int> bytes{1, 2, 3, 4, 5, 64, 65, 191, 192, 193};
  for (int k = 230; k <= 247; ++k) bytes.insert(k);  // w115..w123
  for (int k = 252; k <= 276; ++k) bytes.insert(k);
  return bytes;
}

std::vector<int> ChangedOutside(const ParameterImage& before, const ParameterImage& after,
                                const std::set<int>& allowed) {
  std::vector<int> changed;
  for (int k = 0; k < kImageSize; ++k) {
    if (before.Byte(k) != after.Byte(k) && !allowed.count(k)) changed.push_back(k);
  }
  return changed;
}

TEST(DefaultSetTest, NewForBike11) {
  Station station = PatternStation(11);
  station.image.SetByte(47, 0);
  station.New(11);
  const ParameterImage& image = station.image;
  EXPECT_EQ(image.Byte(1), 0);
  EXPECT_EQ(image.Byte(47), 1);
  EXPECT_EQ(image.Byte(46), 50);
  EXPECT_EQ(Bytes(image, 48, 4), (std::vector<int>{2, 5, 20, 30}));
  EXPECT_EQ(image.Byte(136), 3);
  EXPECT_EQ(image.Word(80), 1000);
  EXPECT_EQ(image.Byte(138), 0);
  EXPECT_FALSE(station.bike.choke);
  // Limiters: start from the limits table, ignition from the rated limiter, +300 rpm for the rest.
  EXPECT_EQ(Bytes(image, 28, 5), (std::vector<int>{100, 140, 143, 143, 20}));
  // Pilot lights 2000 rpm below the ignition limiter and 500 rpm above that.
  EXPECT_EQ(Bytes(image, 108, 6), std::vector<int>(6, 120));
  EXPECT_EQ(Bytes(image, 114, 6), std::vector<int>(6, 125));
  // Throttle sensor 1100 mV and 4300 mV.
  EXPECT_EQ(Bytes(image, 33, 2), (std::vector<int>{110, 180}));
  // Memo cleared.
  EXPECT_EQ(Bytes(image, 2700, 150), std::vector<int>(150, 0));
  // Bytes without a field keep what they held.
  EXPECT_EQ(image.Byte(39), 0xA5);
  EXPECT_EQ(image.Byte(2631), 0xA5);
  // Every word map is set to 100 % of its base times.
  for (int m = 0; m < kWordMapCount; ++m) {
    const auto map = static_cast<WordMap>(m);
    CellArray all_100;
    all_100.fill(100);
    EXPECT_EQ(station.word_maps.Percent(map), all_100);
    for (int cell = 0; cell < kMapCells; ++cell) {
      ASSERT_EQ(image.Word(CellOffset(MapOfWordMap(map), cell)),
                station.word_maps.BaseTime(map)[static_cast<size_t>(cell)])
          << m << " " << cell;
    }
  }
  // The 1A axis is the bike's: 1000 .. 16000 rpm.
  EXPECT_EQ(Bytes(image, 380, 15),
            (std::vector<int>{10, 20, 30, 40, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160}));
  // One advance row copied into every row.
  for (int r = 0; r < kMapRows; ++r) {
    EXPECT_EQ(Bytes(image, 500 + 15 * r, 15),
              (std::vector<int>{16, 30, 38, 35, 39, 40, 40, 40, 39, 39, 39, 37, 34, 34, 34}));
  }
  // Intake servo: one row of entry 1 in mV / 20, hysteresis 400 / 5.
  EXPECT_EQ(image.Byte(61), 80);
  EXPECT_EQ(Bytes(image, 2450 + 15 * 9, 3), (std::vector<int>{100, 105, 110}));
  // Position entry 11, angles / 5.
  EXPECT_EQ(Bytes(image, 320, 3), (std::vector<int>{74, 64, 48}));
  EXPECT_EQ(Bytes(image, 56, 2), (std::vector<int>{1, 1}));
}

TEST(DefaultSetTest, NewIsRepeatableAndDoesNotDependOnThePageOnDisplay) {
  Station a;
  Station b;
  a.New(34);
  b.image.SetByte(0, 34);
  ApplyDefaultSet(b.image, false, 7, b.bike, b.word_maps);
  EXPECT_EQ(a.image, b.image);
  Station c = a;
  c.New(34);
  EXPECT_EQ(c.image, a.image);
}

struct GearCase {
  int code;
  int byte136;  // -1: left as it was
  int gear0_voltage;
  int w80;
};

TEST(DefaultSetTest, GearDefaultsByBike) {
  for (const GearCase& c :
       {GearCase{11, 3, 5000, 1000}, GearCase{45, 0, 4877, 1000}, GearCase{48, 0, 4428, 286},
        GearCase{26, -1, 5000, 1000}, GearCase{49, -1, 5000, 1000}, GearCase{17, 3, 5000, 970},
        GearCase{47, 3, 5000, 869}}) {
    Station station = PatternStation(c.code);
    station.image.SetByte(136, 2);
    station.New(c.code);
    EXPECT_EQ(station.image.Byte(136), c.byte136 < 0 ? 2 : c.byte136) << c.code;
    EXPECT_EQ(station.image.Word(70), c.gear0_voltage) << c.code;
    EXPECT_EQ(station.image.Word(80), c.w80) << c.code;
  }
}

TEST(DefaultSetTest, OnePageSensorsTouchesOnlySensorsAndAlwaysRunBytes) {
  Station station = PatternStation(11);
  const ParameterImage before = station.image;
  const WordMapState maps_before = station.word_maps;
  station.NewForPage(11, 10);
  std::set<int> allowed = AlwaysWritten();
  for (int k = 6; k <= 21; ++k) allowed.insert(k);     // w3..w10
  for (int k = 194; k <= 229; ++k) allowed.insert(k);  // w97..w114
  for (int k : {33, 34, 75, 76}) allowed.insert(k);
  EXPECT_EQ(ChangedOutside(before, station.image, allowed), std::vector<int>{});
  EXPECT_EQ(station.image.Word(4), 2305);
  EXPECT_EQ(station.image.Word(97), 4049);
  EXPECT_EQ(station.image.Byte(76), 20);
  EXPECT_EQ(station.image.Byte(47), 0xA5);  // coupling is set by New only
  EXPECT_EQ(station.word_maps.percent, maps_before.percent);
}

struct PageCase {
  int page;
  std::vector<std::pair<int, int>> ranges;  // [first, last] image bytes the page may write
};

class OnePageTest : public testing::TestWithParam<PageCase> {};

TEST_P(OnePageTest, TouchesOnlyItsPage) {
  const PageCase& c = GetParam();
  Station station = PatternStation(7);
  station.image.SetByte(47, 0);  // separate channels: pages 3..5 may be defaulted
  const ParameterImage before = station.image;
  station.NewForPage(7, c.page);
  std::set<int> allowed = AlwaysWritten();
  for (const auto& [first, last] : c.ranges) {
    for (int k = first; k <= last; ++k) allowed.insert(k);
  }
  EXPECT_EQ(ChangedOutside(before, station.image, allowed), std::vector<int>{});
  // Something of the page itself was written.
  EXPECT_NE(ChangedOutside(before, station.image, AlwaysWritten()), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(
    Pages, OnePageTest,
    testing::Values(
        PageCase{0, {{22, 38}, {2700, 2849}}}, PageCase{1, {{365, 379}, {500, 649}, {40, 46}}},
        PageCase{2, {{380, 394}, {650, 949}, {48, 51}}}, PageCase{3, {{395, 409}, {950, 1249}}},
        PageCase{5, {{425, 439}, {1550, 1849}}}, PageCase{6, {{440, 454}, {1850, 1999}}},
        PageCase{7, {{284, 303}, {455, 469}, {2000, 2299}, {52, 55}}},
        PageCase{8, {{305, 364}, {56, 57}}}, PageCase{9, {{67, 74}, {80, 97}}},
        PageCase{11, {{59, 59}, {61, 61}, {63, 63}, {66, 66}, {77, 78}, {485, 499}, {2450, 2599}}},
        PageCase{12, {{58, 58}, {60, 60}, {62, 62}, {470, 484}, {2300, 2449}}},
        PageCase{13, {{2600, 2630}, {138, 138}, {160, 161}}}, PageCase{14, {{98, 106}, {158, 159}}},
        PageCase{15, {{107, 135}}},
        PageCase{16, {{136, 137}, {140, 153}, {154, 157}, {162, 173}, {174, 185}}},
        PageCase{17, {{186, 190}}}));

TEST(DefaultSetTest, CoupledChannelPageIsLeftAlone) {
  Station station = PatternStation(11);
  station.image.SetByte(47, 1);
  const ParameterImage before = station.image;
  const WordMapState maps_before = station.word_maps;
  station.NewForPage(11, 3);
  EXPECT_EQ(ChangedOutside(before, station.image, AlwaysWritten()), std::vector<int>{});
  EXPECT_EQ(station.word_maps.percent, maps_before.percent);

  station.image.SetByte(47, 2);
  station.NewForPage(11, 3);
  EXPECT_EQ(station.image.Byte(395), 10);
  EXPECT_EQ(station.image.Word(475), station.word_maps.BaseTime(WordMap::kInj2A)[0]);
  EXPECT_EQ(station.word_maps.Percent(WordMap::kInj2A)[149], 100);
  EXPECT_EQ(station.word_maps.Percent(WordMap::kInj1A)[149], 123);
}

TEST(DefaultSetTest, OnePageMapSetsOnlyItsOwnWords) {
  Station station = PatternStation(0);
  station.NewForPage(0, 2);
  EXPECT_EQ(station.image.Word(325), 2500);    // 1000 rpm, 0 %: the group-1 A table
  EXPECT_EQ(station.image.Word(775), 0xA5A5);  // 4A untouched
  EXPECT_EQ(station.word_maps.Percent(WordMap::kInj4A)[0], 123);
  // Base times follow every current axis, covered or not.
  EXPECT_GE(station.word_maps.BaseTime(WordMap::kInj4A)[0], 100);
}

TEST(DefaultSetTest, UnknownBikeKeepsThePreviousBikesFamilies) {
  Station station;
  station.New(36);  // full advance map, axis up to 14000 rpm
  const ParameterImage before = station.image;
  station.New(60);
  const ParameterImage& image = station.image;
  EXPECT_EQ(image.Byte(2), 10);
  EXPECT_EQ(Bytes(image, 3, 3), (std::vector<int>{70, 19, 0}));
  EXPECT_EQ(Bytes(image, 64, 2), (std::vector<int>{1, 1}));
  EXPECT_EQ(Bytes(image, 365, 15), Bytes(before, 365, 15));
  EXPECT_EQ(Bytes(image, 320, 45), Bytes(before, 320, 45));
  // The kept full map is used as one row.
  for (int r = 0; r < kMapRows; ++r) {
    for (int c = 0; c < kMapColumns; ++c) {
      EXPECT_EQ(image.Byte(500 + 15 * r + c), bike_tables::kAdvanceMap8[static_cast<size_t>(c)]);
    }
  }
  // Base tables of group 19 (15 columns) behind the percentages.
  WordMapState group19;
  ComputeBaseTimes(image, SelectBaseTables(26), group19);  // bike 26: group 19
  EXPECT_EQ(station.word_maps.base_time, group19.base_time);
}

TEST(DefaultSetTest, FullMapsForServoAndAdvance) {
  Station station;
  station.New(7);
  const ParameterImage& image = station.image;
  EXPECT_EQ(Bytes(image, 63, 3), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(image.Byte(61), 30);  // F1 hysteresis 150 mV
  for (int cell = 0; cell < kMapCells; ++cell) {
    ASSERT_EQ(image.Byte(2450 + cell), bike_tables::kServoF1[static_cast<size_t>(16 + cell)]);
  }
  EXPECT_EQ(Bytes(image, 2450, 15), std::vector<int>(15, 40));
  EXPECT_EQ(Bytes(image, 66, 1), std::vector<int>{1});
  EXPECT_EQ(image.Byte(77), 8);
  // The exhaust servo shows percent on bikes 19 and 48 only, not on 7 that shares their table.
  EXPECT_EQ(image.Byte(62), 0);

  station.New(45);
  for (int cell = 0; cell < kMapCells; ++cell) {
    ASSERT_EQ(station.image.Byte(500 + cell), bike_tables::kAdvanceMap8[static_cast<size_t>(cell)]);
  }
}

struct IdleCase {
  int code;
  std::vector<int> items;  // bytes 2600..2609
};

TEST(DefaultSetTest, IdleTableScaledByItsUnit) {
  for (const IdleCase& c :
       {IdleCase{7, {1, 15, 40, 0, 6, 7, 20, 1, 10, 95}},    // percent of the intake servo
        IdleCase{34, {1, 20, 5, 0, 6, 6, 10, 1, 10, 38}},    // mV / 20
        IdleCase{45, {3, 50, 40, 1, 6, 20, 20, 1, 10, 95}},  // servo steps / 5
        IdleCase{46, {2, 20, 3, 1, 100, 100, 10, 1, 10, 36}},
        IdleCase{11, {0, 15, 40, 1, 6, 6, 20, 1, 10, 36}}}) {
    Station station;
    station.New(c.code);
    EXPECT_EQ(Bytes(station.image, 2600, 10), c.items) << c.code;
    EXPECT_EQ(Bytes(station.image, 2622, 1), std::vector<int>{36}) << c.code;
  }
}

TEST(DefaultSetTest, ComputedTemperatureCharacteristics) {
  Station station;
  station.New(30);
  const std::array<int, 9> bike30{4095, 3631, 3167, 2316, 1466, 1133, 801, 698, 596};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(station.image.Word(97 + i), bike30[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(station.image.Word(106 + i), bike30[static_cast<size_t>(i)]) << i;
  }
  station.New(46);
  const std::array<int, 9> bike46{4110, 3328, 2546, 1866, 1187, 867, 547, 412, 278};
  const std::array<int, 9> common{4049, 3401, 2713, 2037, 1420, 981, 642, 443, 299};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(station.image.Word(97 + i), bike46[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(station.image.Word(106 + i), common[static_cast<size_t>(i)]) << i;
  }
}

TEST(DefaultSetTest, BikeSwitchesOfTheSettings) {
  Station station;
  station.New(47);
  EXPECT_EQ(Bytes(station.image, 48, 2), (std::vector<int>{5, 7}));
  EXPECT_EQ(Bytes(station.image, 90, 2), (std::vector<int>{20, 30}));
  station.New(44);
  EXPECT_EQ(station.image.Byte(46), 60);
  // Configuration 22 takes the width of lobe the image held when the bike constants were
  // written (bike 47's 50); the consistency pass brings byte 267 up to date afterwards.
  EXPECT_EQ(station.image.Byte(267), 50);
  station.New(33);
  EXPECT_EQ(station.image.Byte(46), 40);
  station.New(38);
  EXPECT_TRUE(station.bike.choke);
  station.New(43);
  EXPECT_EQ(station.image.Word(4), 1556);  // its own AP sensor
  EXPECT_EQ(station.image.Word(8), 2305);
}

// Every bike's default set is already consistent: the pass finds nothing to change but the
// width-of-lobe copy of the single-cylinder configurations and the step-motor excitation, which
// the defaults set while leaving the period of bikes without a step motor as it was.
TEST(DefaultSetTest, EveryBikesDefaultSetPassesTheConsistencyRules) {
  for (int code = 0; code < 50; ++code) {
    Station station;
    station.New(code);
    ParameterImage checked = station.image;
    StationSettings settings{0, 0};
    ApplyConsistencyRules(checked, settings);
    checked.SetByte(267, station.image.Byte(267));
    checked.SetByte(78, station.image.Byte(78));
    EXPECT_EQ(ChangedOutside(station.image, checked, {}), std::vector<int>{}) << code;
  }
}

}  // namespace
}  // namespace korvan
