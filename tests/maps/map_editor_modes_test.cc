#include <gtest/gtest.h>

#include "maps/map_editor.h"
#include "maps/map_editor_fixture.h"

namespace korvan {
namespace {

class ChannelModesTest : public MapEditorTest {};

TEST_F(ChannelModesTest, CoupledCellChangeIsAddedToTheOtherChannels) {
  image_.SetByte(47, 1);
  const int cell = CellIndex(4, 6);
  const int other = CellIndex(4, 7);
  SetPercent(WordMap::kInj1A, cell, 100);
  SetPercent(WordMap::kInj2A, cell, 120);
  SetPercent(WordMap::kInj3A, cell, 995);
  SetPercent(WordMap::kInj4A, cell, 80);
  SetPercent(WordMap::kInj2A, other, 130);
  Show(kInj1A);
  Edit(Cell(cell), 110);
  EXPECT_EQ(StoredPercent(WordMap::kInj1A, cell), 110);
  EXPECT_EQ(StoredPercent(WordMap::kInj2A, cell), 130);
  EXPECT_EQ(StoredPercent(WordMap::kInj3A, cell), 1000);  // limited
  EXPECT_EQ(StoredPercent(WordMap::kInj4A, cell), 90);
  EXPECT_EQ(StoredPercent(WordMap::kInj2A, other), 130);
}

TEST_F(ChannelModesTest, CouplingSeesChannelsChangedBehindTheGrid) {
  image_.SetByte(47, 1);
  const int cell = CellIndex(2, 2);
  Show(kInj1A);
  // A file or undo rewrites 2A without any of its pages being shown.
  SetPercent(WordMap::kInj2A, cell, 300);
  Edit(Cell(cell), Value(Cell(cell)) + 5);
  EXPECT_EQ(StoredPercent(WordMap::kInj2A, cell), 305);
}

TEST_F(ChannelModesTest, CoupledAxisShiftMovesTheOtherAxesWithinTheirRange) {
  image_.SetByte(47, 1);
  image_.SetByte(AxisOffset(MapId::kInj3A, 4), 62);
  image_.SetByte(AxisOffset(MapId::kInj4A, 13), 243);
  image_.SetByte(AxisOffset(MapId::kInj4A, 14), 248);
  Show(kInj1A);
  const int cell = CellIndex(3, 4);
  const int percent_2a = StoredPercent(WordMap::kInj2A, cell);
  Edit(Rpm(4), 6500);
  EXPECT_EQ(image_.Byte(AxisOffset(MapId::kInj1A, 4)), 65u);
  EXPECT_EQ(image_.Byte(AxisOffset(MapId::kInj2A, 4)), 65u);
  EXPECT_EQ(image_.Byte(AxisOffset(MapId::kInj3A, 4)), 67u);
  EXPECT_EQ(image_.Byte(AxisOffset(MapId::kInj4A, 4)), 65u);
  // 2A keeps its percentage; its time follows the base time at the new speed.
  EXPECT_EQ(StoredPercent(WordMap::kInj2A, cell), percent_2a);
  EXPECT_EQ(Word(MapId::kInj2A, cell), WordFromPercent(percent_2a, Base(WordMap::kInj2A, cell)));

  controls_.SetValue(H(Rpm(14)), 17000);
  editor_.Gather(kInj1A);
  EXPECT_EQ(image_.Byte(AxisOffset(MapId::kInj4A, 14)), 250u);  // not 258 wrapped to 2
}

TEST_F(ChannelModesTest, LockedChannelKeepsPercentagesItsFieldsCannotShow) {
  image_.SetByte(47, 1);
  const int cell = CellIndex(5, 5);
  SetPercent(WordMap::kInj2A, cell, 1100);
  SetPercent(WordMap::kInj2A, CellIndex(5, 2), 250);
  Show(kInj2A);
  ASSERT_EQ(editor_.layout(), GridLayout::kLocked);
  EXPECT_EQ(Value(Cell(cell)), 1000);
  Edit(Rpm(2), 3500);  // the axis stays editable
  EXPECT_EQ(StoredPercent(WordMap::kInj2A, cell), 1100);
  EXPECT_EQ(StoredPercent(WordMap::kInj2A, CellIndex(5, 2)), 250);
  EXPECT_EQ(image_.Byte(AxisOffset(MapId::kInj2A, 2)), 35u);
}

TEST_F(ChannelModesTest, AllEqualCopiesChannel1AndLeavesTheHiddenPages) {
  // Make 1A's axis something the default set does not already share.
  image_.SetByte(AxisOffset(MapId::kInj1A, 6), 85);
  SetPercent(WordMap::kInj1A, 33, 150);
  ControlHandle menu_equal = controls_.Add("Menu_Jet123Stejny", ControlKind::kMenuItem);
  ControlHandle menu_normal = controls_.Add("Menu_Jet123Normal", ControlKind::kMenuItem);
  image_.SetByte(47, 0);
  Show(kInj3A);
  int active = kInj3A;
  editor_.SetCouplingMode(2, active);
  EXPECT_EQ(active, kInj1A);
  EXPECT_EQ(image_.Byte(47), 2u);
  for (MapId follower : {MapId::kInj2A, MapId::kInj3A, MapId::kInj4A}) {
    for (int col = 0; col < kMapColumns; ++col) {
      EXPECT_EQ(image_.Byte(AxisOffset(follower, col)),
                image_.Byte(AxisOffset(MapId::kInj1A, col)));
    }
    for (int cell = 0; cell < kMapCells; ++cell) {
      EXPECT_EQ(Word(follower, cell), Word(MapId::kInj1A, cell));
    }
  }
  Show(active);
  EXPECT_TRUE(controls_.Checked(menu_equal));
  EXPECT_FALSE(controls_.Checked(menu_normal));
  EXPECT_FALSE(Visible("TabSheet_Inj2A"));
  EXPECT_FALSE(Visible("TabSheet_Inj3A"));
  EXPECT_FALSE(Visible("TabSheet_Inj4A"));

  // An edit of 1A in this mode reaches the copies.
  Edit(Cell(33), 160);
  EXPECT_EQ(Word(MapId::kInj4A, 33), Word(MapId::kInj1A, 33));
  EXPECT_EQ(StoredPercent(WordMap::kInj1A, 33), 160);
}

TEST_F(ChannelModesTest, CoupledCopiesOnlyThe2AAxisAndNormalLeavesTheMaps) {
  image_.SetByte(47, 0);
  image_.SetByte(AxisOffset(MapId::kInj1A, 6), 85);
  image_.SetByte(AxisOffset(MapId::kInj3A, 6), 82);
  int active = kInj3A;
  editor_.SetCouplingMode(1, active);
  EXPECT_EQ(active, kInj3A);
  EXPECT_EQ(image_.Byte(AxisOffset(MapId::kInj2A, 6)), 85u);
  EXPECT_EQ(image_.Byte(AxisOffset(MapId::kInj3A, 6)), 82u);

  const ParameterImage before = image_;
  editor_.SetCouplingMode(0, active);
  EXPECT_EQ(image_.Byte(47), 0u);
  image_.SetByte(47, 1);
  EXPECT_TRUE(before == image_);

  editor_.SetCouplingMode(3, active);  // no such mode
  EXPECT_TRUE(before == image_);
}

struct TabCase {
  int mode;
  int engine_config;
  bool tab_2a;
  bool tabs_3a_4a;
};

class TabVisibilityTest : public MapEditorTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabVisibilityTest, FollowsModeAndEngineConfiguration) {
  const TabCase& c = GetParam();
  image_.SetByte(47, static_cast<unsigned>(c.mode));
  image_.SetByte(2, static_cast<unsigned>(c.engine_config));
  Show(kInj1A);
  EXPECT_EQ(Visible("TabSheet_Inj2A"), c.tab_2a);
  EXPECT_EQ(Visible("TabSheet_Inj3A"), c.tabs_3a_4a);
  EXPECT_EQ(Visible("TabSheet_Inj4A"), c.tabs_3a_4a);
  EXPECT_TRUE(Visible("TabSheet_Inj1A"));
  EXPECT_EQ(editor_.one_channel(), c.engine_config == 7 || c.engine_config == 22);
}

INSTANTIATE_TEST_SUITE_P(Modes, TabVisibilityTest,
                         ::testing::Values(TabCase{0, 12, true, true}, TabCase{1, 12, true, true},
                                           TabCase{2, 12, false, false},
                                           TabCase{0, 22, false, false},
                                           TabCase{1, 22, false, false},
                                           TabCase{1, 7, false, false}, TabCase{0, 0, true, false},
                                           TabCase{1, 2, true, false}, TabCase{0, 5, true, false},
                                           TabCase{2, 5, false, false}));

TEST_F(ChannelModesTest, MenuChecksFollowTheModeByte) {
  const ControlHandle normal = controls_.Add("Menu_Jet123Normal", ControlKind::kMenuItem);
  const ControlHandle coupled = controls_.Add("Menu_Jet123Coupled", ControlKind::kMenuItem);
  const ControlHandle equal = controls_.Add("Menu_Jet123Stejny", ControlKind::kMenuItem);
  for (int mode : {0, 1, 2, 9}) {
    image_.SetByte(47, static_cast<unsigned>(mode));
    editor_.UpdateModeControls();
    EXPECT_EQ(controls_.Checked(normal), mode == 0 || mode == 9) << mode;
    EXPECT_EQ(controls_.Checked(coupled), mode == 1) << mode;
    EXPECT_EQ(controls_.Checked(equal), mode == 2) << mode;
  }
}

TEST_F(ChannelModesTest, RefreshPercentArraysDerivesEveryWordMapFromTheImage) {
  SetPercent(WordMap::kInj4A, 12, 333);
  SetPercent(WordMap::kInjIap, 99, 77);
  editor_.RefreshPercentArrays();
  EXPECT_EQ(Percent(WordMap::kInj4A, 12), 333u);
  EXPECT_EQ(Percent(WordMap::kInjIap, 99), 77u);
}

}  // namespace
}  // namespace korvan
