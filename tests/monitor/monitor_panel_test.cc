#include "monitor/monitor_panel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/control_set.h"
#include "monitor_panel_fixture.h"

namespace korvan {
namespace {

TEST_F(MonitorPanelTest, PlaceholdersBeforeTheFirstFrame) {
  const struct {
    const char* label;
    const char* text;
  } cases[] = {
      {"LabelRpm", "RPM = ---"},
      {"LabelTpsMon", "TP = ---"},
      {"LabelVoda", "Coolant = ---"},
      {"LabelMonServoExhaust", "Exhaust servo = ---"},
      {"LabelMon_Jet_A", "Injection time A = ---"},
      {"LabelMonFallOut", "Fall sensor"},
      {"LabelMonBlock2In", "Blocking"},
      {"LabelMonRpmLambdaOut", "Tacho/Lambda"},
      {"LabelSnimacCkps", "Pick-up (CKPS)"},
      {"LabelMonPilotLight", "Gear Shift Light"},
      {"LabelMon_Ign3", "Advance 3= ---"},
      {"LabelMon_Jet_2B", "Injection time 2B = ---"},
      {"LabelPocetProgramovani", "Number of Programing = ---"},
      {"LabelKorNapeti", "U correction = ---"},
      {"CheckBoxExtMonitor", "Detailed representation"},
  };
  // An Update without any frame keeps the placeholders too.
  presenter_.Update(LiveValues{}, inputs_);
  for (const auto& c : cases) EXPECT_EQ(Text(c.label), c.text) << c.label;
  EXPECT_FALSE(Visible("LabelEeDataErr"));
  EXPECT_EQ(Get("CGaugeRpm").value, 0);

  presenter_.ShowPlaceholders(kGerman);
  EXPECT_EQ(Text("LabelVoda"), "Kühlwasser = ---");
  EXPECT_EQ(Text("LabelMonFallOut"), "Sturzsensor");
  EXPECT_EQ(Text("CheckBoxExtMonitor"), "Detaillierte Darstellung");
}

// The placeholders come back after a language switch with no unit answering, and a frame's
// colours and bars beside them would still read as live states: every background, bar and the
// data error label look as they did before the first frame, whatever the last frame showed.
TEST_F(MonitorPanelTest, PlaceholdersClearEveryStateTheLastFrameShowed) {
  ControlSet fresh_controls;
  MonitorPresenter fresh;
  fresh.CreateControls(fresh_controls);
  fresh.ShowPlaceholders(kEnglish);

  // Everything lit at once: inputs and outputs, limiters, servo faults, cooling, both pick-ups,
  // the data error, a coolant sensor error, low supply, another version, full bars.
  Show(MonitorFrameBuilder()
           .Byte(1, 0b1010'1010)
           .Byte(2, 0b0001'1100)
           .Byte(3, 0b1111'0010)
           .Byte(23, 0)
           .Byte(150, kMonitorVersion - 1)
           .Word(48, 12000)
           .Word(56, 500)
           .Word(58, 1100)
           .Word(64, 6000)
           .Word(138, 1000));
  const struct {
    const char* name;
    std::uint32_t lit;  // what the frame made of it, to show the frame reached it
  } lit[] = {
      {"LabelSnimacCkps", kColorLime},
      {"LabelSnimacCmps", kColorLime},
      {"LabelClazeniMon", kColorWhite},
      {"LabelMonFallOut", kColorRed},
      {"LabelRpm", kColorRed},
      {"LabelVoda", kColorRed},
      {"LabelNapeti", kColorRed},
      {"LabelVersion", kColorRed},
      {"LabelMonServoIntake", kColorRed},
      {"LabelMonIgnLimiter", kColorFuchsia},
  };
  for (const auto& l : lit) ASSERT_EQ(Color(l.name), l.lit) << l.name;
  ASSERT_TRUE(Visible("LabelEeDataErr"));
  ASSERT_GT(Get("CGaugeTps").value, 0);

  presenter_.ShowPlaceholders(kGerman);
  for (const MonitorControlEntry& entry : MonitorControlEntries()) {
    const Control& now = Get(entry.name);
    const Control& before = fresh_controls.Get(fresh_controls.Handle(entry.name));
    EXPECT_EQ(now.color, before.color) << entry.name;
    EXPECT_EQ(now.value, before.value) << entry.name;
    EXPECT_EQ(now.font_color, before.font_color) << entry.name;
  }
  EXPECT_FALSE(Visible("LabelEeDataErr"));
  EXPECT_EQ(Text("LabelVoda"), "Kühlwasser = ---");
}

TEST(MonitorPresenterCreateTest, TakesOverTheStationsControlsAndCreatesTheRestOnce) {
  ControlSet controls;
  const ControlHandle version = controls.Add("LabelVersion", ControlKind::kLabel);
  controls.SetGeometry(version, 1, 2, 3, 4);
  const ControlHandle tab = controls.Add("TabSheet_Monitor", ControlKind::kTab, 18);
  MonitorPresenter presenter;
  presenter.CreateControls(controls);

  EXPECT_EQ(presenter.handle(MonitorControl::kLabelVersion), version);
  EXPECT_EQ(controls.Get(version).x, 1) << "the station's placement stays";
  EXPECT_EQ(controls.Handle("TabSheet_Monitor"), tab);
  EXPECT_EQ(controls.size(), 2 + kMonitorControlCount - 1);

  const struct {
    const char* name;
    ControlKind kind;
    int page;
  } cases[] = {
      {"LabelRpm", ControlKind::kLabel, -1},
      {"CGaugeDuty", ControlKind::kGauge, -1},
      {"LabelSnimacCmps", ControlKind::kLabel, -1},
      {"LabelTest8", ControlKind::kLabel, -1},
      {"CheckBoxExtMonitor", ControlKind::kCheckBox, 18},
      {"LabelMon_Jet_4B", ControlKind::kLabel, 18},
      {"LabelN2oEnable", ControlKind::kLabel, 18},
      {"LabelPocetProgramovani", ControlKind::kLabel, 0},
      {"LabelIdleKorAdv", ControlKind::kLabel, 9},
      {"LabelMonPomerRpmSpeedAuto6", ControlKind::kLabel, 16},
  };
  for (const auto& c : cases) {
    const Control& control = controls.Get(controls.Handle(c.name));
    EXPECT_EQ(control.kind, c.kind) << c.name;
    EXPECT_EQ(control.page, c.page) << c.name;
  }
  const Control& rpm = controls.Get(controls.Handle("LabelRpm"));
  EXPECT_GE(rpm.y, 720);
  EXPECT_LE(rpm.y + rpm.height, 900);
  EXPECT_EQ(controls.Get(controls.Handle("CGaugeRpm")).max, 100);
  EXPECT_FALSE(controls.Get(controls.Handle("LabelTest1")).visible);
}

TEST_F(MonitorPanelTest, VersionLabel) {
  Show(MonitorFrameBuilder());
  EXPECT_EQ(Color("LabelVersion"), kColorWhite);

  Show(MonitorFrameBuilder().Byte(150, 67).Word(48, 3000));
  EXPECT_EQ(Text("LabelVersion"), "Unmatched version of PC and Ignition programs!  PC-68, IGN-67");
  EXPECT_EQ(Color("LabelVersion"), kColorRed);
  EXPECT_EQ(Text("LabelRpm"), "RPM = 3000 ") << "the frame is still shown";

  inputs_.language = kGerman;
  Show(MonitorFrameBuilder().Byte(150, 67));
  EXPECT_EQ(Text("LabelVersion"),
            "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!  PC-68, IGN-67");
}

TEST_F(MonitorPanelTest, SensorErrorsFromTheFrame) {
  // Coolant byte 0, air byte 0, TP error flag.
  Show(MonitorFrameBuilder()
           .Byte(4, 0x01)
           .Byte(23, 0)
           .Byte(24, 0)
           .Word(56, 612)
           .Word(60, 4900)
           .Word(62, 4800)
           .Word(138, 800));
  EXPECT_EQ(Text("LabelVoda"), "Coolant = error");
  EXPECT_EQ(Color("LabelVoda"), kColorRed);
  EXPECT_EQ(Get("CGaugeVoda").value, 80);
  EXPECT_EQ(Get("CGaugeVoda").font_color, kColorRed);
  EXPECT_EQ(Text("LabelVzduch"), "AT = 50 °C");
  EXPECT_EQ(Color("LabelVzduch"), kColorRed);
  EXPECT_EQ(Text("LabelTpsMon"), "TP = error = 612 mV");
  EXPECT_EQ(Color("LabelTpsMon"), kColorRed);
  EXPECT_EQ(Get("CGaugeTps").value, 0);

  inputs_.detailed_view = true;
  presenter_.Update(live_, inputs_);
  EXPECT_EQ(Text("LabelVoda"), "Coolant = error = 4900 mV");
  EXPECT_EQ(Text("LabelVzduch"), "AT = 50 °C= 4800 mV");
  EXPECT_EQ(Text("LabelTpsMon"), "TP = error = 612 mV");
}

TEST_F(MonitorPanelTest, ValueTextsInBothViews) {
  LiveValues live = WithFrame();
  live.engine_speed = 6500;
  live.throttle_position = 125;
  live.throttle_sensor_mv = 612;
  live.lambda_mv = 450;
  live.coolant_code = 185;
  live.coolant_sensor_mv = 1500;
  live.atmospheric_pressure = 1013;
  live.ap_sensor_mv = 4000;
  live.iap = 95;
  live.iap_sensor_mv = 2100;
  live.air_code = 90;
  live.air_sensor_mv = 3300;
  live.supply_mv = 12345;
  live.mean_advance = 5;
  live.injection_duty = 42;
  live.bank_a_mean_us = 2500;
  live.bank_b_mean_us = 0;
  live.intake_servo_first_mv = 1200;
  live.intake_servo_second_mv = 3400;
  live.exhaust_servo_first_mv = 10;
  live.exhaust_servo_second_mv = 20;
  live.gear = 3;
  live.road_speed = 88;
  live.test = {1, 2, 7, 8, 9, 10, 11, 12};

  struct Case {
    const char* label;
    const char* simple;
    const char* detailed;
  };
  const Case cases[] = {
      {"LabelRpm", "RPM = 6500 ", "RPM = 6500 "},
      {"LabelTpsMon", "TP = 12.5 %", "TP = 12.5 %=612 mV"},
      {"LabelLambda", "LAMBDA = 450 mV", "LAMBDA = 450 mV"},
      {"LabelVoda", "Coolant= 85 °C", "Coolant = 85 °C= 1500 mV"},
      {"LabelTlak", "AP = 101.3 kPa", "AP = 101.3 kPa= 4000 mV"},
      {"LabelPodtlak", "IAP = 95 [kPa]", "IA P= 95 [kPa] = 2100 [mV]"},
      {"LabelVzduch", "AT = -10 °C", "AT = -10 °C= 3300 mV"},
      {"LabelNapeti", "U = 12.3 V", "U = 12.3 V"},
      {"LabelMon_Ign", "Advance =  5 °", "Advance =  5 °"},
      {"LabelMaxInjProcent", "Max injection = 42 [%]", "Max injection = 42 [%]"},
      {"LabelMon_Jet_A", "Injection time A = 2500 us", "Injection time A = 2500 us"},
      {"LabelMon_Jet_B", "Injection time B = 0 us", "Injection time B = 0 us"},
      {"LabelMonServoIntake", "Intake servo = 1200 / 3400 mV", "Intake servo = 1200 / 3400 mV"},
      {"LabelMonServoExhaust", "Exhaust servo  = 10 / 20 mV", "Exhaust servo  = 10 / 20 mV"},
      {"LabelGear", "Gear = 3 ", "Gear = 3 "},
      {"LabelMonSpeed", "Speed = 88 [km/h]", "Speed = 88 [km/h]"},
      {"LabelTest1", "Test1= 1", "Test1= 1"},
      {"LabelTest3", "Test3= 7 ", "Test3= 7 "},
      {"LabelTest4", "Test4=8", "Test4=8"},
  };
  for (const bool detailed : {false, true}) {
    inputs_.detailed_view = detailed;
    Show(live);
    for (const Case& c : cases) {
      EXPECT_EQ(Text(c.label), detailed ? c.detailed : c.simple) << c.label;
    }
  }

  live.base_advance = true;
  live.intake_servo_idle_control = true;
  live.iap_error = true;
  for (const bool detailed : {false, true}) {
    inputs_.detailed_view = detailed;
    Show(live);
    EXPECT_EQ(Text("LabelMon_Ign"), "Advance = BASE");
    EXPECT_EQ(Text("LabelMonServoIntake"), "Intake servo = 1200 mV/ Idle ");
    EXPECT_EQ(Text("LabelPodtlak"), detailed ? "IAP = error = 2100 [mV]" : "IAP = error");
    EXPECT_EQ(Color("LabelPodtlak"), kColorRed);
  }
}

TEST_F(MonitorPanelTest, MonitorPageAndOtherPageTexts) {
  LiveValues live = WithFrame();
  live.advance = {12, 5, 30, 200};
  live.injection_a_us = {1000, 2000, 3000, 4000};
  live.injection_b_us = {100, 200, 300, 25500};
  live.throttle_share = 5;
  live.injection_position_a = 300;
  live.injection_position_b = 0;
  live.potentiometer_mv = 2500;
  live.programming_count = 17;
  live.coolant_injection_correction = 1055;
  live.air_injection_correction = 980;
  live.pressure_injection_correction = 1000;
  live.after_start_injection_correction = 0;
  live.voltage_correction_us = -50;
  live.coolant_advance_correction_tenths = 0;
  live.potentiometer_advance_correction_tenths = -25;
  live.potentiometer_injection_correction = 5;
  live.idle_advance_correction_tenths = 15;
  live.gear_sensor_mv = 1234;
  live.speed_ratio = 123;
  live.learned_ratio = {456, 0, 1, 99, 1000, 65535};
  Show(live);

  const struct {
    const char* label;
    const char* text;
  } cases[] = {
      {"LabelMon_Ign1", "Advance 1= 12 °"},
      {"LabelMon_Ign2", "Advance 2=  5 °"},
      {"LabelMon_Ign4", "Advance 4= 200 °"},
      {"LabelMon_Jet_2A", "Injection time 2A = 2000 us"},
      {"LabelMon_Jet_4B", "Injection time 4B = 25500 us"},
      {"LabelDleTpsProcent", "Jet according TPS =  5 %"},
      {"LabelMon_PolohaA", "Position A = 300 °"},
      {"LabelMon_PolohaB", "Position B = 0 °"},
      {"LabelMonPotenc", "Potentiometer = 2500 mV"},
      {"LabelPocetProgramovani", "Number of Programing = 17"},
      {"LabelKorVodaJet", "TW correction = 105.5 %"},
      {"LabelKorVzduch", "AT correction = 98.0 %"},
      {"LabelKorTlak", "AP correction = 100.0 %"},
      {"LabelKorSytic", "Starting corr. =  0.0 %"},
      {"LabelKorNapeti", "U correction = -50 us"},
      {"LabelKorVodaIgn", "TW correction =  0.0 °"},
      {"LabelKorPotencIgn", "Potent. correction = -2.5 °"},
      {"LabelKorPotencJet", "Potent. correction =  0.5 %"},
      {"LabelIdleKorAdv", "Idle correction =  1.5 °"},
      {"LabelMonGearNapeti", "Gear voltage =  = 1234 mV"},
      {"LabelMonPomerRpmSpeed", "Rpm/Speed = 12.3 "},
      {"LabelMonPomerRpmSpeedAuto1", "45.6 "},
      {"LabelMonPomerRpmSpeedAuto2", " 0.0 "},
      {"LabelMonPomerRpmSpeedAuto6", "6553.5 "},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(c.label), c.text) << c.label;

  live.base_advance = true;
  Show(live);
  EXPECT_EQ(Text("LabelMon_Ign1"), "Advance 1= BASE");
  EXPECT_EQ(Text("LabelMon_Ign4"), "Advance 4= BASE");
}

}  // namespace
}  // namespace korvan
