#include <gtest/gtest.h>

#include "maps/map_editor.h"
#include "maps/map_editor_fixture.h"

namespace korvan {
namespace {

constexpr int kTop = grid_geometry::kGridTop;  // the header line sits above the grid

// What each grid layout shows, part by part.
struct Shows {
  bool cell_field;  // of an offered cell
  bool cell_enabled;
  bool cell_up_down;
  bool value_labels;
  bool rpm_fields;
  bool rpm_up_downs;
  bool column_spins;
  bool row_labels;
  bool tools;
};

struct LayoutCase {
  const char* what;
  int page;
  int byte40;  // advance by throttle
  int mode;    // channel mode, byte 47
  bool time_view;
  int servo_enable;  // byte 59 (intake)
  int servo_mode;    // byte 65 (intake)
  GridLayout layout;
  bool row9_only;
  bool column0_only;
  Shows shows;
};

constexpr Shows kHidden{false, false, false, false, false, false, false, false, false};
constexpr Shows kFull{true, true, true, false, true, true, true, true, true};
constexpr Shows kLocked{true, false, false, false, true, false, false, true, false};
constexpr Shows kLabelsWithSpin{false, true, true, true, true, true, true, true, true};
constexpr Shows kLabelsOnly{false, false, false, true, true, false, false, true, false};
constexpr Shows kSpeedRow{true, true, true, false, true, true, false, false, true};
constexpr Shows kThrottleColumn{true, true, true, false, false, false, false, true, true};

const LayoutCase kCases[] = {
    {"advance by throttle", kAdvance, 1, 0, false, 1, 0, GridLayout::kFull, false, false, kFull},
    {"advance by speed", kAdvance, 0, 0, false, 1, 0, GridLayout::kSpeedRow, true, false,
     kSpeedRow},
    {"1A", kInj1A, 1, 1, false, 1, 0, GridLayout::kFull, false, false, kFull},
    {"1A time view", kInj1A, 1, 1, true, 1, 0, GridLayout::kLabelsWithSpin, false, false,
     kLabelsWithSpin},
    {"IAP time view", kInjIap, 1, 0, true, 1, 0, GridLayout::kLabelsWithSpin, false, false,
     kLabelsWithSpin},
    {"2A separate", kInj2A, 1, 0, false, 1, 0, GridLayout::kFull, false, false, kFull},
    {"3A separate time view", kInj3A, 1, 0, true, 1, 0, GridLayout::kLabelsWithSpin, false, false,
     kLabelsWithSpin},
    {"4A coupled", kInj4A, 1, 1, false, 1, 0, GridLayout::kLocked, false, false, kLocked},
    {"2A coupled time view", kInj2A, 1, 1, true, 1, 0, GridLayout::kLabelsOnly, false, false,
     kLabelsOnly},
    {"3A all equal", kInj3A, 1, 2, false, 1, 0, GridLayout::kLocked, false, false, kLocked},
    {"B", kInjB, 0, 1, true, 1, 0, GridLayout::kFull, false, false, kFull},
    {"servo off", kIntakeServo, 1, 0, false, 0, 0, GridLayout::kHidden, false, false, kHidden},
    {"servo R + T", kIntakeServo, 1, 0, false, 1, 0, GridLayout::kFull, false, false, kFull},
    {"servo RPM", kIntakeServo, 1, 0, false, 1, 1, GridLayout::kSpeedRow, true, false, kSpeedRow},
    {"servo TPS", kIntakeServo, 1, 0, false, 1, 2, GridLayout::kThrottleColumn, false, true,
     kThrottleColumn},
    {"servo mode 7 as R + T", kIntakeServo, 1, 0, false, 1, 7, GridLayout::kFull, false, false,
     kFull},
};

class GridLayoutTest : public MapEditorTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(GridLayoutTest, ShowsThePartsOfItsLayout) {
  const LayoutCase& c = GetParam();
  image_.SetByte(40, static_cast<unsigned>(c.byte40));
  image_.SetByte(47, static_cast<unsigned>(c.mode));
  image_.SetByte(59, static_cast<unsigned>(c.servo_enable));
  image_.SetByte(65, static_cast<unsigned>(c.servo_mode));
  editor_.set_time_view(c.time_view);
  Show(c.page);
  ASSERT_EQ(editor_.layout(), c.layout);

  const Shows& s = c.shows;
  for (int cell : {0, 1, 14, 15, 77, 135, 140, 149}) {
    const bool offered = c.layout != GridLayout::kHidden && (!c.row9_only || CellRow(cell) == 9) &&
                         (!c.column0_only || CellColumn(cell) == 0);
    SCOPED_TRACE(cell);
    EXPECT_EQ(editor_.CellParts(cell).field, offered && s.cell_field);
    EXPECT_EQ(editor_.CellParts(cell).up_down, offered && s.cell_up_down);
    EXPECT_EQ(Visible(Cell(cell)), offered && (s.cell_field || s.cell_up_down));
    if (offered && s.cell_field) {
      EXPECT_EQ(Enabled(Cell(cell)), s.cell_enabled);
    }
    EXPECT_EQ(Visible("MapValueLabel" + std::to_string(cell)), s.value_labels);
  }
  const int row9_y = controls_.Get(H(Cell(140))).y;
  EXPECT_EQ(row9_y, kTop + (c.layout == GridLayout::kSpeedRow ? 53 : 53 + 270));
  for (int col : {0, 14}) {
    EXPECT_EQ(Visible(Rpm(col)), s.rpm_fields);
    EXPECT_EQ(editor_.RpmParts(col).up_down, s.rpm_up_downs);
    EXPECT_EQ(Visible("CSpinButton" + std::to_string(col)), s.column_spins);
  }
  const bool iap = c.page == kInjIap;
  EXPECT_EQ(Visible("MapRowLabel3"), s.row_labels && !iap);
  EXPECT_EQ(Visible("MapRowAxis3"), s.row_labels && iap);
  EXPECT_EQ(Visible("LabelMapRows"), s.row_labels);
  EXPECT_EQ(Visible("CSpinButtonTools"), s.tools);
  EXPECT_EQ(Visible("CheckBoxAll_Uni"), s.tools);
  EXPECT_EQ(Visible("BevelMapLine"), c.layout != GridLayout::kHidden);
  EXPECT_EQ(Visible("CheckBoxTps_Uni"), c.page == kAdvance);
  const bool servo = c.page == kIntakeServo;
  EXPECT_EQ(Visible("CheckBoxServoEnable"), servo);
  EXPECT_EQ(Visible("CheckBoxProcenta"), servo && c.layout != GridLayout::kHidden);
  EXPECT_EQ(Visible("RadioGroupServoMode"), servo && c.layout != GridLayout::kHidden);
  EXPECT_EQ(Visible("CheckBoxStepMotor"), servo && c.layout != GridLayout::kHidden);
  const bool has_header = c.page == kAdvance || c.page == kInj1A || c.page == kInjIap || servo;
  EXPECT_EQ(Visible("MapHeaderE0"), has_header && c.layout != GridLayout::kHidden);
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, GridLayoutTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                           std::string name = info.param.what;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

TEST_F(MapEditorTest, ServoModeOutOfRangeShowsAsRpmAndThrottle) {
  image_.SetByte(65, 9);
  Show(kIntakeServo);
  EXPECT_EQ(Value("RadioGroupServoMode"), 0);
  Edit(Cell(20), 40);  // the page is usable; the next gather writes the mode it shows
  EXPECT_EQ(image_.Byte(65), 0u);
}

TEST_F(MapEditorTest, ServoModeChangeToRpmLeavesRow9AtTheTop) {
  image_.SetByte(65, 0);
  Show(kIntakeServo);
  ASSERT_EQ(editor_.layout(), GridLayout::kFull);
  controls_.SetValue(H("RadioGroupServoMode"), 1);
  editor_.ServoModeChanged(kIntakeServo);
  EXPECT_EQ(image_.Byte(65), 1u);
  EXPECT_EQ(editor_.layout(), GridLayout::kSpeedRow);
  EXPECT_FALSE(Visible(Cell(0)));
  EXPECT_TRUE(Visible(Cell(135)));
  EXPECT_EQ(controls_.Get(H(Cell(135))).y, kTop + 53);
}

TEST_F(MapEditorTest, ServoEnableStoresAndHidesTheGrid) {
  Show(kIntakeServo);
  controls_.SetChecked(H("CheckBoxServoEnable"), false);
  editor_.ServoEnableChanged(kIntakeServo);
  EXPECT_EQ(image_.Byte(59), 0u);
  EXPECT_EQ(editor_.layout(), GridLayout::kHidden);
  EXPECT_FALSE(Visible("CheckBoxProcenta"));
  EXPECT_TRUE(Visible("CheckBoxServoEnable"));

  Show(kExhaustServo);
  controls_.SetChecked(H("CheckBoxServoEnable"), true);
  editor_.ServoEnableChanged(kExhaustServo);
  EXPECT_EQ(image_.Byte(58), 1u);
  EXPECT_NE(editor_.layout(), GridLayout::kHidden);
  EXPECT_FALSE(Visible("CheckBoxStepMotor"));  // intake page only
}

}  // namespace
}  // namespace korvan
