#include "model/bike_data.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "model/bike_tables_advance.h"
#include "model/bike_tables_given.h"
#include "model/bike_tables_injection_b.h"
#include "model/bike_tables_position.h"
#include "model/bike_tables_servo.h"

namespace korvan {
namespace {

ParameterImage ImageForBike(int code) {
  ParameterImage image;
  image.SetByte(0, static_cast<unsigned>(code));
  return image;
}

std::vector<int> Bytes(const ParameterImage& image, int first, int count) {
  std::vector<int> out;
  for (int k = first; k < first + count; ++k) out.push_back(image.Byte(k));
  return out;
}

TEST(BikeConstantsTest, Bike11WritesItsWholeConstantSet) {
  ParameterImage image = ImageForBike(11);
  EXPECT_FALSE(ApplyBikeConstants(image));
  EXPECT_EQ(Bytes(image, 2, 4), (std::vector<int>{12, 85, 19, 0}));
  EXPECT_EQ(image.Byte(252), 140);
  EXPECT_EQ(Bytes(image, 261, 16),
            (std::vector<int>{10, 14, 6, 2, 4, 2, 45, 8, 0, 16, 10, 14, 6, 2, 3, 11}));
  EXPECT_EQ(Bytes(image, 191, 3), (std::vector<int>{1, 56, 104}));
  // 253 by configuration 12, 254 and 255 by bike code, four cylinders on four channels.
  EXPECT_EQ(Bytes(image, 253, 8), (std::vector<int>{11, 25, 0, 4, 0, 1, 2, 3}));
  const std::array<int, 9> nine{193, 168, 149, 131, 119, 109, 100, 94, 86};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(image.Word(115 + i), nine[static_cast<size_t>(i)]);
}

struct ConstantsCase {
  int code;
  int byte2, byte3, byte4, byte5;
  int byte252, byte191, byte192, byte193;
  int byte253, byte254, byte255, cylinders;
  std::array<int, 4> channels;
};

class BikeConstantsCaseTest : public testing::TestWithParam<ConstantsCase> {};

TEST_P(BikeConstantsCaseTest, WritesTheBikesBytes) {
  const ConstantsCase& c = GetParam();
  ParameterImage image = ImageForBike(c.code);
  ApplyBikeConstants(image);
  EXPECT_EQ(image.Byte(2), c.byte2);
  EXPECT_EQ(Bytes(image, 3, 3), (std::vector<int>{c.byte3, c.byte4, c.byte5}));
  EXPECT_EQ(image.Byte(252), c.byte252);
  EXPECT_EQ(Bytes(image, 191, 3), (std::vector<int>{c.byte191, c.byte192, c.byte193}));
  EXPECT_EQ(Bytes(image, 253, 4), (std::vector<int>{c.byte253, c.byte254, c.byte255, c.cylinders}));
  EXPECT_EQ(Bytes(image, 257, 4),
            (std::vector<int>{c.channels[0], c.channels[1], c.channels[2], c.channels[3]}));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BikeConstantsCaseTest,
    testing::Values(
        // code, 2, 3, 4, 5, 252, 191, 192, 193, 253, 254, 255, cylinders, channels
        ConstantsCase{0, 0, 75, 30, 0, 110, 0, 61, 104, 4, 50, 0, 2, {0, 1, 0, 1}},
        ConstantsCase{16, 13, 75, 19, 0, 105, 1, 55, 103, 4, 25, 1, 2, {0, 1, 0, 1}},
        ConstantsCase{25, 13, 75, 30, 0, 105, 2, 55, 103, 4, 25, 0, 2, {0, 1, 0, 1}},
        ConstantsCase{26, 14, 85, 19, 1, 130, 1, 55, 103, 11, 25, 0, 4, {0, 1, 2, 3}},
        ConstantsCase{32, 7, 60, 19, 0, 140, 0, 56, 104, 4, 25, 0, 1, {0, 0, 0, 0}},
        ConstantsCase{45, 23, 65, 19, 0, 135, 0, 60, 105, 11, 50, 0, 3, {0, 1, 2, 0}},
        ConstantsCase{48, 14, 65, 19, 1, 152, 4, 48, 107, 11, 50, 0, 4, {0, 1, 2, 3}},
        ConstantsCase{49, 14, 85, 19, 1, 150, 1, 55, 103, 11, 25, 0, 4, {0, 1, 2, 3}}));

TEST(BikeConstantsTest, ChokeFlagOnlyForBike38) {
  ParameterImage image = ImageForBike(38);
  EXPECT_TRUE(ApplyBikeConstants(image));
  image.SetByte(0, 37);
  EXPECT_FALSE(ApplyBikeConstants(image));
  image.SetByte(0, 38);
  EXPECT_TRUE(ApplyEngineConfiguration(image));
}

TEST(BikeConstantsTest, SingleCylinderConfigurationsTakeWidthOfLobe) {
  for (int code : {44, 32}) {  // configurations 22 and 7
    ParameterImage image = ImageForBike(code);
    image.SetByte(46, 77);
    ApplyBikeConstants(image);
    EXPECT_EQ(image.Byte(267), 77) << code;
    EXPECT_EQ(image.Byte(270), 24) << code;
  }
}

// Bytes marked as kept must keep the previous bike's values.
TEST(BikeConstantsTest, Bike43WritesOnlyBytes270To272) {
  ParameterImage image = ImageForBike(11);
  ApplyBikeConstants(image);
  const ParameterImage before = image;
  image.SetByte(0, 43);
  ApplyBikeConstants(image);
  EXPECT_EQ(image.Byte(2), 21);
  EXPECT_EQ(Bytes(image, 261, 9), Bytes(before, 261, 9));
  EXPECT_EQ(Bytes(image, 270, 3), (std::vector<int>{24, 10, 19}));
  EXPECT_EQ(Bytes(image, 273, 4), Bytes(before, 273, 4));
}

TEST(BikeConstantsTest, UnknownBikeKeepsConfigurationAndBytes192And193) {
  ParameterImage image = ImageForBike(11);
  ApplyBikeConstants(image);
  const ParameterImage before = image;
  for (int code : {50, 60, 255}) {
    image.SetByte(0, static_cast<unsigned>(code));
    EXPECT_FALSE(ApplyBikeConstants(image));
    EXPECT_EQ(image.Byte(2), 12) << code;
    EXPECT_EQ(Bytes(image, 3, 3), (std::vector<int>{70, 19, 0})) << code;
    EXPECT_EQ(image.Byte(252), 150) << code;
    EXPECT_EQ(image.Byte(191), 0) << code;
    EXPECT_EQ(Bytes(image, 192, 2), Bytes(before, 192, 2)) << code;
    // Bytes 261..276 follow the configuration left in place.
    EXPECT_EQ(Bytes(image, 261, 16), Bytes(before, 261, 16)) << code;
    EXPECT_EQ(image.Word(115), 220) << code;
  }
}

TEST(BikeConstantsTest, ConfigurationAbove23WritesOnly270To274) {
  ParameterImage image = ImageForBike(200);
  image.SetByte(2, 30);  // as read from a unit of another version
  for (int k = 261; k <= 276; ++k) image.SetByte(k, 0xEE);
  ApplyBikeConstants(image);
  EXPECT_EQ(image.Byte(2), 30);
  EXPECT_EQ(Bytes(image, 261, 16), (std::vector<int>{0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE,
                                                     0xEE, 24, 14, 20, 8, 2, 0xEE, 0xEE}));
  EXPECT_EQ(image.Byte(256), 4);
}

TEST(BikeConstantsTest, EngineConfigurationWritesOnlyBytes2To5) {
  ParameterImage image = ImageForBike(26);
  ApplyEngineConfiguration(image);
  ParameterImage expected = ImageForBike(26);
  expected.SetByte(2, 14);
  expected.SetByte(3, 85);
  expected.SetByte(4, 19);
  expected.SetByte(5, 1);
  EXPECT_EQ(image, expected);
}

struct SelectionCase {
  int code;
  int axis;             // index into kSpeedAxes
  const void* advance;  // data of the expected advance entry
  bool full_map;
  const void* intake;
  const void* exhaust;
  int byte65;
};

class BikeTablesSelectionTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(BikeTablesSelectionTest, ChoosesTheFamiliesEntries) {
  using namespace bike_tables;
  const SelectionCase& c = GetParam();
  ParameterImage image = ImageForBike(c.code);
  image.SetByte(64, 7);
  BikeTables tables;
  SelectBikeTables(image, tables);
  EXPECT_EQ(tables.speed_axis, &kSpeedAxes[static_cast<size_t>(c.axis)]);
  EXPECT_EQ(tables.advance.data(), c.advance);
  EXPECT_EQ(tables.advance_full_map, c.full_map);
  EXPECT_EQ(tables.intake_servo.data(), c.intake);
  EXPECT_EQ(tables.exhaust_servo.data(), c.exhaust);
  EXPECT_EQ(image.Byte(64), 1);
  EXPECT_EQ(image.Byte(65), c.byte65);
}

using namespace bike_tables;  // NOLINT: test data only
INSTANTIATE_TEST_SUITE_P(
    Codes, BikeTablesSelectionTest,
    testing::Values(
        SelectionCase{11, 1, kAdvanceRows[6].data(), false, kServo1.data(), kServo1.data(), 1},
        // 42: the advance row of bike 5 on the axis of bikes 8 and 36.
        SelectionCase{42, 2, kAdvanceRows[5].data(), false, kServo3.data(), kServo3.data(), 1},
        SelectionCase{36, 2, kAdvanceMap8.data(), true, kServo3.data(), kServo3.data(), 1},
        SelectionCase{47, 4, kAdvanceMap26.data(), true, kServoF2.data(), kServo12.data(), 0},
        SelectionCase{39, 4, kAdvanceMap39.data(), true, kServo4.data(), kServo4.data(), 1},
        SelectionCase{7, 1, kAdvanceRows[7].data(), false, kServoF1.data(), kServo13.data(), 0},
        SelectionCase{26, 4, kAdvanceMap26.data(), true, kServoF1.data(), kServo11.data(), 0},
        SelectionCase{24, 3, kAdvanceRows[14].data(), false, kServo1.data(), kServo1.data(), 1}));

TEST(BikeTablesTest, UnknownBikeKeepsEntriesButUsesFullMapAsOneRow) {
  ParameterImage image = ImageForBike(45);
  BikeTables tables;
  SelectBikeTables(image, tables);
  ASSERT_TRUE(tables.advance_full_map);
  const BikeTables before = tables;
  image.SetByte(0, 50);
  image.SetByte(65, 0);
  SelectBikeTables(image, tables);
  EXPECT_EQ(tables.speed_axis, before.speed_axis);
  EXPECT_EQ(tables.advance.data(), before.advance.data());
  EXPECT_FALSE(tables.advance_full_map);
  EXPECT_EQ(tables.limits, before.limits);
  EXPECT_EQ(tables.misc, before.misc);
  EXPECT_EQ(tables.corrections, before.corrections);
  EXPECT_EQ(tables.position, before.position);
  // The families with an entry for all other codes take it.
  EXPECT_EQ(tables.injection_b, &kInjectionB[4]);
  EXPECT_EQ(tables.intake_servo.data(), kServo1.data());
  EXPECT_EQ(tables.exhaust_servo.data(), kServo1.data());
  EXPECT_EQ(tables.idle, &kIdlePresets[4]);
  EXPECT_NE(before.idle, tables.idle);
  EXPECT_EQ(image.Byte(64), 1);
  EXPECT_EQ(image.Byte(65), 1);
}

TEST(BikeTablesTest, PressureSensorsByBike) {
  EXPECT_EQ(PressureSensorsFor(43).ap, (std::array<std::uint16_t, 4>{55, 1556, 105, 4116}));
  EXPECT_EQ(PressureSensorsFor(43).iap, (std::array<std::uint16_t, 4>{55, 2305, 105, 3756}));
  EXPECT_EQ(PressureSensorsFor(30).ap, (std::array<std::uint16_t, 4>{55, 2247, 105, 4744}));
  EXPECT_EQ(PressureSensorsFor(99).ap, PressureSensorsFor(11).ap);
  EXPECT_EQ(PressureSensorsFor(24).iap[3], 5124);
}

// Shaped tables stay within what the image and the consistency rules accept.
TEST(BikeTablesTest, ShapedTablesStayInRange) {
  for (const auto* map : {&kAdvanceMap8, &kAdvanceMap26, &kAdvanceMap39}) {
    for (std::uint16_t v : *map) EXPECT_LE(v, 60);
  }
  for (const auto& entry : kInjectionB) {
    for (std::uint16_t v : entry) EXPECT_LE(v, 100);
  }
  for (const auto& entry : kPositions) {
    EXPECT_LE(entry[0], 2);
    EXPECT_LE(entry[1], 2);
    for (size_t i = 2; i < entry.size(); ++i) EXPECT_LE(entry[i], 720);
  }
  for (auto servo :
       {std::span<const std::uint16_t>(kServo1), std::span<const std::uint16_t>(kServo2),
        std::span<const std::uint16_t>(kServo9), std::span<const std::uint16_t>(kServo12),
        std::span<const std::uint16_t>(kServoF2)}) {
    for (size_t i = 16; i < servo.size(); ++i) EXPECT_LE(servo[i] / 20, 249);
    for (size_t i = 2; i < 16; ++i) EXPECT_GT(servo[i], servo[i - 1]);
  }
  for (size_t i = 16; i < kServoF1.size(); ++i) EXPECT_LE(kServoF1[i], 100);
  for (size_t i = 16; i < kServo10.size(); ++i) EXPECT_LE(kServo10[i], 100);
}

}  // namespace
}  // namespace korvan
