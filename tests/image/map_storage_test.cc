#include "image/map_storage.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvan {
namespace {

struct CellCase {
  MapId map;
  int row;
  int column;
  int offset;      // byte (byte maps) or word index (word maps)
  int image_byte;  // first image byte of the cell
};

class CellOffsetTest : public testing::TestWithParam<CellCase> {};

TEST_P(CellOffsetTest, CornersOfEveryMap) {
  const CellCase& c = GetParam();
  EXPECT_EQ(CellOffset(c.map, c.row, c.column), c.offset);
  EXPECT_EQ(CellImageByte(c.map, CellIndex(c.row, c.column)), c.image_byte);
}

INSTANTIATE_TEST_SUITE_P(Corners, CellOffsetTest,
                         testing::Values(CellCase{MapId::kAdvance, 0, 0, 500, 500},
                                         CellCase{MapId::kAdvance, 9, 14, 649, 649},
                                         CellCase{MapId::kInj1A, 0, 0, 325, 650},
                                         CellCase{MapId::kInj1A, 9, 14, 474, 948},
                                         CellCase{MapId::kInj2A, 9, 14, 624, 1248},
                                         CellCase{MapId::kInj3A, 0, 0, 625, 1250},
                                         CellCase{MapId::kInj4A, 9, 14, 924, 1848},
                                         CellCase{MapId::kInjB, 0, 0, 1850, 1850},
                                         CellCase{MapId::kInjB, 9, 14, 1999, 1999},
                                         CellCase{MapId::kInjIap, 9, 14, 1149, 2298},
                                         CellCase{MapId::kExhaustServo, 0, 0, 2300, 2300},
                                         CellCase{MapId::kIntakeServo, 0, 0, 2450, 2450},
                                         CellCase{MapId::kIntakeServo, 9, 14, 2599, 2599},
                                         CellCase{MapId::kAdvance, 1, 0, 515, 515}));

TEST(MapStorageTest, CellOrderIsRowTimesFifteenPlusColumn) {
  EXPECT_EQ(CellIndex(0, 14), 14);
  EXPECT_EQ(CellIndex(1, 0), 15);
  EXPECT_EQ(CellIndex(9, 14), 149);
  EXPECT_EQ(CellRow(149), 9);
  EXPECT_EQ(CellColumn(149), 14);
  EXPECT_EQ(CellRow(15), 1);
  EXPECT_EQ(CellColumn(15), 0);
}

TEST(MapStorageTest, AxesAndPages) {
  EXPECT_EQ(AxisOffset(MapId::kAdvance, 0), 365);
  EXPECT_EQ(AxisOffset(MapId::kInj2A, 0), 395);
  EXPECT_EQ(AxisOffset(MapId::kInjIap, 14), 469);
  EXPECT_EQ(AxisOffset(MapId::kExhaustServo, 14), 484);
  EXPECT_EQ(AxisOffset(MapId::kIntakeServo, 0), 485);
  EXPECT_EQ(MapOfPage(1), MapId::kAdvance);
  EXPECT_EQ(MapOfPage(7), MapId::kInjIap);
  EXPECT_EQ(MapOfPage(11), MapId::kIntakeServo);
  EXPECT_EQ(MapOfPage(12), MapId::kExhaustServo);
  for (int page : {0, 8, 9, 10, 13, 18, 19, -1}) EXPECT_FALSE(MapOfPage(page).has_value()) << page;
}

TEST(MapStorageTest, StoredCellsKeepTheirWidth) {
  ParameterImage image;
  SetStoredCell(image, MapId::kInjIap, 149, 0x1234);
  EXPECT_EQ(image.Byte(2298), 0x34);
  EXPECT_EQ(image.Byte(2299), 0x12);
  EXPECT_EQ(StoredCell(image, MapId::kInjIap, 149), 0x1234u);
  SetStoredCell(image, MapId::kInjB, 0, 0x1FF);
  EXPECT_EQ(StoredCell(image, MapId::kInjB, 0), 0xFFu);
  EXPECT_EQ(image.Byte(1851), 0);
}

TEST(MapStorageTest, CellsAndColumnsOutsideTheMapAreIgnored) {
  ParameterImage image;
  const ParameterImage empty;
  SetStoredCell(image, MapId::kAdvance, 150, 9);
  SetStoredCell(image, MapId::kInjIap, -1, 9);
  SetAxisRpm(image, MapId::kAdvance, 15, 9000);
  SetAxisRpm(image, MapId::kExhaustServo, -1, 9000);
  EXPECT_EQ(image, empty);
  EXPECT_EQ(StoredCell(image, MapId::kIntakeServo, 150), 0u);
  EXPECT_EQ(AxisRpm(image, MapId::kIntakeServo, 15), 0);
}

TEST(MapStorageTest, AxisPointsAreHundredsOfRpm) {
  ParameterImage image;
  SetAxisRpm(image, MapId::kInj1A, 14, 25050);
  EXPECT_EQ(image.Byte(394), 250);
  EXPECT_EQ(AxisRpm(image, MapId::kInj1A, 14), 25000);
}

TEST(MapStorageTest, ServoCellsFollowTheirOwnPercentFlag) {
  ParameterImage image;
  image.SetByte(CellOffset(MapId::kIntakeServo, 5), 250);
  EXPECT_EQ(ShownByteCell(image, MapId::kIntakeServo, 5), 5000);  // byte 63 clear: mV
  image.SetByte(63, 1);
  image.SetByte(CellOffset(MapId::kIntakeServo, 5), 100);
  EXPECT_EQ(ShownByteCell(image, MapId::kIntakeServo, 5), 100);
  // The exhaust map follows byte 62, not 63.
  EXPECT_EQ(ServoDivisor(image, MapId::kExhaustServo), 20);
  image.SetByte(62, 3);
  EXPECT_EQ(ServoDivisor(image, MapId::kExhaustServo), 1);
  image.SetByte(63, 0);
  SetShownByteCell(image, MapId::kIntakeServo, 0, 4999);
  EXPECT_EQ(image.Byte(2450), 249);
  EXPECT_EQ(ServoDivisor(image, MapId::kAdvance), 1);
  image.SetByte(500, 60);
  EXPECT_EQ(ShownByteCell(image, MapId::kAdvance, 0), 60);
}

TEST(MapStorageTest, CellRangesFollowTheMapAndServoUnit) {
  ParameterImage image;
  auto range = [&](MapId map) {
    const ShownRange r = MapCellRange(image, map);
    return std::vector<int>{r.min, r.max, r.step};
  };
  EXPECT_EQ(range(MapId::kAdvance), (std::vector<int>{0, 60, 1}));
  EXPECT_EQ(range(MapId::kInj3A), (std::vector<int>{0, 1000, 1}));
  EXPECT_EQ(range(MapId::kInjIap), (std::vector<int>{0, 1000, 1}));
  EXPECT_EQ(range(MapId::kInjB), (std::vector<int>{0, 100, 1}));
  EXPECT_EQ(range(MapId::kIntakeServo), (std::vector<int>{0, 5000, 20}));
  image.SetByte(63, 1);
  EXPECT_EQ(range(MapId::kIntakeServo), (std::vector<int>{0, 100, 1}));
  EXPECT_EQ(range(MapId::kExhaustServo), (std::vector<int>{0, 5000, 20}));
}

struct PercentCase {
  unsigned word;
  unsigned base_time;
  int percent;
};

class PercentFromWordTest : public testing::TestWithParam<PercentCase> {};

TEST_P(PercentFromWordTest, RoundsToTheNearestPercent) {
  const PercentCase& c = GetParam();
  EXPECT_EQ(PercentFromWord(c.word, c.base_time), c.percent);
}

INSTANTIATE_TEST_SUITE_P(Cases, PercentFromWordTest,
                         testing::Values(PercentCase{0, 1000, 0}, PercentCase{1000, 1000, 100},
                                         PercentCase{1004, 1000, 100},
                                         PercentCase{1005, 1000, 101},  // .5 rounds up
                                         PercentCase{65535, 100, 65535}, PercentCase{1, 100, 1},
                                         PercentCase{333, 1000, 33},
                                         PercentCase{500, 0, 0}));  // no division by zero

struct WordCase {
  int percent;
  unsigned base_time;
  unsigned word;
};

class WordFromPercentTest : public testing::TestWithParam<WordCase> {};

TEST_P(WordFromPercentTest, RoundsToTheMicrosecondAndCaps) {
  const WordCase& c = GetParam();
  EXPECT_EQ(WordFromPercent(c.percent, c.base_time), c.word);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordFromPercentTest,
    testing::Values(WordCase{1000, 100, 1000}, WordCase{1000, 10000, 65535},
                    WordCase{655, 10000, 65500}, WordCase{656, 10000, 65535},  // 65600 is capped
                    WordCase{100, 333, 333}, WordCase{1, 150, 2},              // 1.5 rounds up
                    WordCase{1, 149, 1}, WordCase{0, 5000, 0},
                    WordCase{1000, 65535, 65535},  // far beyond 32 bits before the cap
                    WordCase{-5, 1000, 0}));       // a negative percentage stores 0

TEST(MapStorageTest, PercentRoundTripKeepsThePercentage) {
  for (unsigned base : {100u, 137u, 1000u, 4321u, 9999u}) {
    for (int p = 0; p <= 1000; p += 7) {
      const unsigned word = WordFromPercent(p, base);
      if (word == 65535) continue;
      EXPECT_EQ(PercentFromWord(word, base), p) << base << " " << p;
    }
  }
}

}  // namespace
}  // namespace korvan
