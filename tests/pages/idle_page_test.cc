// The idle page: the target table's unit following the actuator, its conversion when the
// actuator changes, what shows in which mode, the conflicts with the intake servo and the rows
// the live cursor marks.
#include "pages/idle_page.h"

#include "pages_fixture.h"

namespace korvan {
namespace {

constexpr int kMode = 2600;
constexpr int kTargets = 2609;
constexpr int kServoEnable = 59;
constexpr int kServoPercent = 63;

class IdlePageTest : public PagesTest {
 protected:
  // The image as a file or a read leaves it, then shown.
  Station& StartWith(int mode, bool servo_enabled, bool servo_percent) {
    Station& s = StartOn(kPageIdle);
    s.image().SetByte(kMode, static_cast<std::uint8_t>(mode));
    s.image().SetByte(kServoEnable, servo_enabled ? 1 : 0);
    s.image().SetByte(kServoPercent, servo_percent ? 1 : 0);
    s.RefreshPage();
    return s;
  }
  void ChooseMode(int mode) {
    station->controls().SetValue(H("RadioGroupIdleMode"), mode);
    station->RadioGroupIdleModeClick();
  }
};

TEST_F(IdlePageTest, FieldsStoreTheirValues) {
  using Case = TypedField;
  const Case cases[] = {
      {"EditIdleRpmMez", "1550", 2601, 15, 1500},
      {"EditIdleTpsMez", "35", 2602, 35, 35},
      {"EditIdleStepPerioda", "200", 2605, 200, 200},
      {"EditIdleStepPuls", "1300", 2604, 5, 1250},
      {"EditIdleHyster", "1234", 2606, 123, 1230},
      {"EditIdleAdvNaRpm", "7", 2619, 7, 7},
      {"EditIdleAdvNaCas", "0", 2620, 0, 0},
      {"EditIdleMaxAdv", "100", 2621, 100, 100},
      {"EditIdleAdvPoz3", "1275", 2625, 25, 1250},
      {"EditIdleAdvPoz8", "12000", 2630, 240, 12000},
  };
  Station& s = StartWith(2, false, false);
  Click("CheckBoxIdleAdvOn", true);
  ExpectTypedFields(cases);
  Click("CheckBoxIdleSmerReg", true);
  EXPECT_EQ(s.image().Byte(2603), 1);
}

TEST_F(IdlePageTest, TheTargetTableTakesTheUnitOfTheActuator) {
  struct Case {
    int mode;
    bool percent;
    const char* typed;
    int stored;
    int shown;
    const char* caption;
  };
  const Case cases[] = {
      {1, true, "40", 40, 40, "Start position of intake servo [%]"},
      {1, true, "101", 100, 100, "Start position of intake servo [%]"},
      {1, false, "2000", 100, 2000, "Start position of intake servo [mV]"},
      {1, false, "2019", 100, 2000, "Start position of intake servo [mV]"},
      {2, false, "1275", 25, 1250, "desired RPM"},
      {3, true, "600", 120, 600, "TPS min [in steps of servo]"},
      {3, false, "1200", 240, 1200, "TPS min [in steps of servo]"},
  };
  for (const Case& c : cases) {
    Station& s = StartWith(c.mode, c.mode == 1, c.percent);
    Type("EditIdleServoPoz4", c.typed);
    EXPECT_EQ(s.image().Byte(kTargets + 4), c.stored) << c.mode << " " << c.typed;
    EXPECT_EQ(Value("EditIdleServoPoz4"), c.shown) << c.mode << " " << c.typed;
    EXPECT_EQ(C("GroupBoxIdleServoPoz").text, c.caption) << c.mode;
  }
}

TEST_F(IdlePageTest, PercentTargetsAreConvertedWhenTheActuatorChanges) {
  Station& s = StartWith(1, true, true);
  Type("EditIdleServoPoz0", "40");
  Type("EditIdleServoPoz8", "100");
  ASSERT_EQ(s.image().Byte(kTargets), 40);

  ChooseMode(2);
  EXPECT_EQ(s.image().Byte(kMode), 2);
  EXPECT_EQ(s.image().Byte(kTargets), 100);
  EXPECT_EQ(Value("EditIdleServoPoz0"), 5000);
  // 100 % converts to 250 (12500 rpm), beyond the field's 12000: stored as shown.
  EXPECT_EQ(Value("EditIdleServoPoz8"), 12000);
  EXPECT_EQ(s.image().Byte(kTargets + 8), 240);
  EXPECT_TRUE(s.undo().CanUndo());

  ChooseMode(1);
  EXPECT_EQ(s.image().Byte(kTargets), 40) << "(2 x 101) / 5";
  EXPECT_EQ(s.image().Byte(kTargets + 8), 96) << "(2 x 241) / 5";
  EXPECT_EQ(Value("EditIdleServoPoz0"), 40);
}

TEST_F(IdlePageTest, TargetsInMillivoltsOrStepsStayAsStored) {
  Station& s = StartWith(1, true, false);
  Type("EditIdleServoPoz2", "2000");
  ChooseMode(3);
  EXPECT_EQ(s.image().Byte(kTargets + 2), 100);
  EXPECT_EQ(Value("EditIdleServoPoz2"), 500);
  ChooseMode(1);
  EXPECT_EQ(s.image().Byte(kTargets + 2), 100);
}

TEST_F(IdlePageTest, TheIntakeServoConflictIsSaid) {
  struct Case {
    int mode;
    int servo_enable;  // the stored byte
    const char* said;  // nullptr: the label is hidden
  };
  const Case cases[] = {
      {0, 0, nullptr},
      {0, 1, nullptr},
      {1, 0, "Intake servo must be enabled"},
      {1, 1, nullptr},
      {1, 2, nullptr},
      {2, 0, nullptr},
      {2, 1, "Intake servo must be disabled"},
      {2, 2, "Intake servo must be disabled"},
      {3, 0, nullptr},
      {3, 1, "Intake servo must be disabled"},
      {3, 2, nullptr},  // the unit's test for mode 3 is for the value 1 only
  };
  for (const Case& c : cases) {
    Station& s = StartOn(kPageIdle);
    s.image().SetByte(kMode, static_cast<std::uint8_t>(c.mode));
    s.image().SetByte(kServoEnable, static_cast<std::uint8_t>(c.servo_enable));
    s.RefreshPage();
    EXPECT_EQ(C("LabelIdleModeErr").visible, c.said != nullptr) << c.mode << " " << c.servo_enable;
    if (c.said != nullptr) {
      EXPECT_EQ(C("LabelIdleModeErr").text, c.said);
      EXPECT_EQ(C("LabelIdleModeErr").color, kColorRed);
    }
  }
}

TEST_F(IdlePageTest, WhatShowsFollowsTheModeAndTheAdvanceControl) {
  struct Case {
    int mode;
    bool advance;
    bool actuator;  // targets, direction, step pulse and period
    bool range;
    bool hysteresis;
  };
  const Case cases[] = {
      {0, false, false, false, false}, {0, true, false, true, false},
      {1, false, true, false, false},  {2, false, true, true, true},
      {3, false, true, false, false},  {3, true, true, true, false},
  };
  for (const Case& c : cases) {
    Station& s = StartOn(kPageIdle);
    s.image().SetByte(kMode, static_cast<std::uint8_t>(c.mode));
    s.image().SetByte(2618, c.advance ? 1 : 0);
    s.RefreshPage();
    const std::string what = std::to_string(c.mode) + (c.advance ? " advance" : "");
    EXPECT_EQ(C("GroupBoxIdleServoPoz").visible, c.actuator) << what;
    EXPECT_EQ(C("CheckBoxIdleSmerReg").visible, c.actuator) << what;
    EXPECT_EQ(C("EditIdleStepPuls").visible, c.actuator) << what;
    EXPECT_EQ(C("LabelIdleStepPerioda").visible, c.actuator) << what;
    EXPECT_EQ(C("EditIdleRpmMez").visible, c.range) << what;
    EXPECT_EQ(C("LabelIdleTpsMez").visible, c.range) << what;
    EXPECT_EQ(C("EditIdleHyster").visible, c.hysteresis) << what;
    EXPECT_EQ(C("GroupBoxIdleAdvPoz").visible, c.advance) << what;
    EXPECT_EQ(C("EditIdleAdvPoz8").visible, c.advance) << what;
    EXPECT_EQ(C("LabelIdleAdvTeplota0").visible, c.advance) << what;
    EXPECT_EQ(C("EditIdleServoPoz0").visible, c.actuator) << what;
    EXPECT_EQ(C("LabelIdleServoTeplota8").visible, c.actuator) << what;
    EXPECT_EQ(C("EditIdleMaxAdv").visible, c.advance) << what;
    EXPECT_FALSE(C("EditIdleProcentNaRpm").visible) << what;
    EXPECT_FALSE(C("LabelIdleProcentNaCas").visible) << what;
  }
  // The check box shows its part of the page at once.
  StartWith(0, false, false);
  Click("CheckBoxIdleAdvOn", true);
  EXPECT_TRUE(C("GroupBoxIdleAdvPoz").visible);
  EXPECT_TRUE(C("EditIdleTpsMez").visible);
}

TEST_F(IdlePageTest, TheLiveIdleAdvanceCorrectionShowsOnlyWithTheAdvanceControl) {
  Station& s = StartWith(0, false, false);
  s.PageControl1Change(kPageCorrections);
  EXPECT_FALSE(C("LabelIdleKorAdv").visible) << "control off";

  s.PageControl1Change(kPageIdle);
  Click("CheckBoxIdleAdvOn", true);
  s.PageControl1Change(kPageCorrections);
  EXPECT_TRUE(C("LabelIdleKorAdv").visible) << "switched on by the check box";

  // A set loaded while the corrections page shows takes the label along with it.
  s.image().SetByte(2618, 0);
  s.RefreshPage();
  EXPECT_FALSE(C("LabelIdleKorAdv").visible) << "a set without the control";
  s.image().SetByte(2618, 1);
  s.RefreshPage();
  EXPECT_TRUE(C("LabelIdleKorAdv").visible) << "a set with the control";
}

TEST_F(IdlePageTest, TheStepPulseIsCutToTheStepPeriod) {
  Station& s = StartWith(2, false, false);
  Type("EditIdleStepPerioda", "50");
  Type("EditIdleStepPuls", "25000");
  EXPECT_EQ(s.image().Byte(2604), 50);
  EXPECT_EQ(Value("EditIdleStepPuls"), 12500);
}

TEST_F(IdlePageTest, TheDcServoGainIsNeverWritten) {
  Station& s = StartWith(2, false, false);
  s.image().SetByte(2607, 0);  // below its field's range, as a file may hold it
  s.image().SetByte(2608, 0);
  s.RefreshPage();
  Type("EditIdleRpmMez", "2000");
  EXPECT_EQ(s.image().Byte(2607), 0);
  EXPECT_EQ(s.image().Byte(2608), 0) << "shown as 1, but not edited";
}

TEST(IdleCoolantRowTest, TheRowOfTheCoolantTemperature) {
  struct Case {
    int code;
    bool error;
    int row;
  };
  const Case cases[] = {
      {0, false, 7},   {180, true, 7},  {1, false, 0},   {96, false, 0},
      {97, false, 1},  {111, false, 1}, {112, false, 2}, {201, false, 7},
      {216, false, 8}, {217, false, 9}, {250, false, 9},
  };
  for (const Case& c : cases) {
    LiveValues live;
    live.coolant_code = static_cast<std::uint16_t>(c.code);
    live.coolant_sensor_error = c.error;
    EXPECT_EQ(IdleCoolantRow(live), c.row) << c.code;
  }
}

TEST(IdleLiveCursorTest, TheRowAndTheRangesInUseAreLime) {
  ControlSet controls;
  IdlePage page(controls);
  page.CreateControls();
  ParameterImage image;
  image.SetByte(2601, 15);  // up to 1500 rpm
  image.SetByte(2602, 30);  // below 3.0 %
  const auto color = [&](std::string_view name) {
    return controls.Get(controls.Handle(name)).color;
  };
  struct Case {
    int rpm;
    int throttle;
    bool rpm_lit;
    bool tps_lit;
  };
  const Case cases[] = {
      {0, 0, false, true},
      {1500, 29, true, true},
      {1501, 30, false, false},
      {800, 31, true, false},
  };
  for (const Case& c : cases) {
    LiveValues live;
    live.coolant_code = 150;  // 50 degC: row 4
    live.engine_speed = static_cast<std::uint16_t>(c.rpm);
    live.throttle_position = static_cast<std::uint16_t>(c.throttle);
    page.PaintLiveCursor(live, image);
    EXPECT_EQ(color("EditIdleRpmMez"), c.rpm_lit ? kColorLime : kDefaultColor) << c.rpm;
    EXPECT_EQ(color("LabelIdleRpmMez"), c.rpm_lit ? kColorLime : kDefaultColor) << c.rpm;
    EXPECT_EQ(color("EditIdleTpsMez"), c.tps_lit ? kColorLime : kDefaultColor) << c.throttle;
    for (int i = 0; i < kIdleRows; ++i) {
      const std::uint32_t want = i == 4 ? kColorLime : kDefaultColor;
      EXPECT_EQ(color(ElementName("EditIdleServoPoz", i)), want) << i;
      EXPECT_EQ(color(ElementName("LabelIdleAdvTeplota", i)), want) << i;
      EXPECT_EQ(color(ElementName("EditIdleAdvPoz", i)), want) << i;
    }
  }
}

}  // namespace
}  // namespace korvan
