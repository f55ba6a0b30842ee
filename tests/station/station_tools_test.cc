// Plus and Minus with "All" off act at the engine's operating point, whatever colour the cursor
// gives that cell (the throttle share only chooses the colour).
#include <gtest/gtest.h>

#include <vector>

#include "image/map_storage.h"
#include "monitor/live_cell.h"
#include "station_fixture.h"

namespace korvan {
namespace {

class StationToolsTest : public ::testing::Test, public StationFixture {};

std::vector<int> ChangedCells(const ParameterImage& before, const ParameterImage& after,
                              MapId map) {
  std::vector<int> cells;
  for (int cell = 0; cell < kMapCells; ++cell) {
    if (StoredCell(before, map, cell) != StoredCell(after, map, cell)) {
      cells.push_back(cell);
    }
  }
  return cells;
}

TEST_F(StationToolsTest, PlusChangesExactlyTheCellAtTheOperatingPoint) {
  struct Page {
    int page;
    MapId map;
  };
  constexpr int kRpm = 5000;
  constexpr int kThrottle = 300;  // 30 %: row 5 of the throttle maps
  for (const Page p : {Page{kPageInj1A, MapId::kInj1A}, Page{kPageInj2A, MapId::kInj2A},
                       Page{kPageInjIap, MapId::kInjIap}}) {
    for (const int share : {0, 50, 100}) {
      unit.HoldEngine(UnitEmulator::OperatingPoint{kRpm, kThrottle, share});
      Station& s = Start();
      s.Menu_Jet123NormalClick();
      s.PageControl1Change(p.page);
      Tick(8);
      ASSERT_EQ(s.live().engine_speed, kRpm);

      std::array<std::uint8_t, 15> axis{};
      for (int c = 0; c < 15; ++c) {
        axis[static_cast<std::size_t>(c)] =
            static_cast<std::uint8_t>(s.image().Byte(AxisOffset(p.map, c)));
      }
      std::array<std::uint16_t, 10> iap_axis{};
      for (int r = 0; r < 10; ++r) {
        iap_axis[static_cast<std::size_t>(r)] =
            static_cast<std::uint16_t>(s.image().Word(kIapRowAxisWord + r));
      }
      const int row = p.map == MapId::kInjIap ? *LiveIapRow(s.live(), iap_axis) : 5;
      const int column = LiveSpeedColumn(kRpm, axis);

      const ParameterImage before = s.image();
      s.MenuToolsPlusClick();
      EXPECT_EQ(ChangedCells(before, s.image(), p.map), std::vector<int>{row * 15 + column})
          << "page " << p.page << ", throttle share " << share;
      const int cell = CellIndex(row, column);
      EXPECT_GT(StoredCell(s.image(), p.map, cell), StoredCell(before, p.map, cell));
      s.SpeedButtonZpetClick();
      EXPECT_EQ(s.image(), before) << "one undo step";
    }
  }
}

TEST_F(StationToolsTest, NothingWhileTheEngineStands) {
  unit.HoldEngine(UnitEmulator::OperatingPoint{0, 300, 50});
  Station& s = Start();
  s.PageControl1Change(kPageInj1A);
  Tick(8);
  const ParameterImage before = s.image();
  s.MenuToolsPlusClick();
  s.MenuToolsMinusClick();
  EXPECT_EQ(s.image(), before);
  EXPECT_FALSE(s.undo().CanUndo());
}

}  // namespace
}  // namespace korvan
