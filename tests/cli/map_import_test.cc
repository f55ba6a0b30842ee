#include "cli/map_import.h"

#include <gtest/gtest.h>

#include "files/parameter_set_check.h"
#include "image/word_map_state.h"
#include "maps/grid_layout.h"
#include "model/base_tables.h"

namespace korvan::cli {
namespace {

constexpr int kCell = CellIndex(3, 4);

long Shown(const ParameterImage& image, MapId map, int cell = kCell) {
  return MapCsvOf(image, map, false).cells[static_cast<std::size_t>(cell)];
}

// Bike 19's default set in the given channel mode, Inj-2A near the top of its range and Inj-3A
// low at the cell the tests change.
ParameterImage SetInMode(unsigned mode) {
  ParameterImage image = NewParameterSetAsStation(19);
  image.SetByte(kJetCouplingModeOffset, mode);
  WordMapState state;
  ComputeBaseTimes(image, state);
  image.SetWord(CellOffset(MapId::kInj2A, kCell),
                WordFromPercent(990, state.BaseTime(WordMap::kInj2A)[kCell]));
  image.SetWord(CellOffset(MapId::kInj3A, kCell),
                WordFromPercent(50, state.BaseTime(WordMap::kInj3A)[kCell]));
  return image;
}

bool ChannelsEqualInj1A(const ParameterImage& image) {
  for (MapId follower : kFollowerMaps) {
    for (int cell = 0; cell < kMapCells; ++cell) {
      if (image.Word(CellOffset(follower, cell)) != image.Word(CellOffset(MapId::kInj1A, cell))) {
        return false;
      }
    }
    for (int col = 0; col < kMapColumns; ++col) {
      if (AxisRpm(image, follower, col) != AxisRpm(image, MapId::kInj1A, col)) return false;
    }
  }
  return true;
}

TEST(MapImportTest, Inj1AMovesTheChannelsThatFollowItAsTypingDoes) {
  for (unsigned mode : {kModeSeparate, kModeCoupled, kModeAllEqual}) {
    for (bool stored : {false, true}) {
      SCOPED_TRACE("mode " + std::to_string(mode) + (stored ? ", stored" : ", shown"));
      ParameterImage image = SetInMode(mode);
      const ParameterImage before = image;
      const long own = Shown(image, MapId::kInj1A);
      // Twenty percent more, as a percentage or as the word that shows it.
      MapCsv csv = MapCsvOf(image, MapId::kInj1A, stored);
      WordMapState state;
      ComputeBaseTimes(image, state);
      csv.cells[kCell] = stored ? WordFromPercent(static_cast<int>(own) + 20,
                                                  state.BaseTime(WordMap::kInj1A)[kCell])
                                : own + 20;
      MapImportCount count;
      ASSERT_FALSE(ImportMapCsv(image, MapId::kInj1A, csv, {stored, false}, &count));
      EXPECT_EQ(count.cells, 1);
      EXPECT_EQ(Shown(image, MapId::kInj1A), own + 20);
      const auto changes = DescribeImageChanges(before, image);
      if (mode == kModeSeparate) {
        EXPECT_EQ(changes.size(), 1u);
      } else if (mode == kModeCoupled) {
        // Each channel moves by as much, within the field's 0..1000; no other cell moves.
        EXPECT_EQ(Shown(image, MapId::kInj2A), 1000);
        EXPECT_EQ(Shown(image, MapId::kInj3A), 70);
        EXPECT_EQ(Shown(image, MapId::kInj4A), Shown(before, MapId::kInj4A) + 20);
        EXPECT_EQ(changes.size(), 4u);
      } else {
        EXPECT_TRUE(ChannelsEqualInj1A(image));
      }
    }
  }
}

TEST(MapImportTest, TakenAxesMoveTheFollowingChannelsAndKeepEachCellsPercentage) {
  constexpr int kColumn = 4;
  for (unsigned mode : {kModeSeparate, kModeCoupled, kModeAllEqual}) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    ParameterImage image = SetInMode(mode);
    const ParameterImage before = image;
    MapCsv csv = MapCsvOf(image, MapId::kInj1A, false);
    csv.rpm[kColumn] += 200;
    MapImportCount count;
    ASSERT_FALSE(ImportMapCsv(image, MapId::kInj1A, csv, {false, true}, &count));
    EXPECT_EQ(count.axis_points, 1);
    EXPECT_EQ(count.cells, 0);
    EXPECT_EQ(AxisRpm(image, MapId::kInj1A, kColumn), csv.rpm[kColumn]);
    // The cells of the moved point keep the percentages they showed, on their new base times.
    for (int row = 0; row < kMapRows; ++row) {
      const int cell = CellIndex(row, kColumn);
      EXPECT_EQ(Shown(image, MapId::kInj1A, cell), Shown(before, MapId::kInj1A, cell));
    }
    const int moved =
        AxisRpm(image, MapId::kInj3A, kColumn) - AxisRpm(before, MapId::kInj3A, kColumn);
    if (mode == kModeAllEqual) {
      EXPECT_TRUE(ChannelsEqualInj1A(image));
    } else {
      EXPECT_EQ(moved, mode == kModeCoupled ? 200 : 0);
    }
  }
}

TEST(MapImportTest, ARefusedImportLeavesTheSetAsItWas) {
  ParameterImage image = SetInMode(kModeCoupled);
  const ParameterImage before = image;
  MapCsv csv = MapCsvOf(image, MapId::kInj1A, false);
  csv.rpm[2] += 100;                // fine with --axes
  csv.cells[CellIndex(0, 0)] += 5;  // fine
  csv.cells[CellIndex(9, 14)] = 1001;
  const auto error = ImportMapCsv(image, MapId::kInj1A, csv, {false, true});
  ASSERT_TRUE(error);
  EXPECT_EQ(error->place.line, 11);
  EXPECT_EQ(error->place.column, 16);
  EXPECT_TRUE(DescribeImageChanges(before, image).empty());
}

}  // namespace
}  // namespace korvan::cli
