#include "monitor/monitor_panel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <span>
#include <string>

#include "base/control_set.h"
#include "monitor/live_values.h"
#include "monitor/monitor_controls.h"
#include "monitor/monitor_frame.h"
#include "monitor/monitor_texts.h"
#include "monitor_frame_builder.h"

// Counts the program's allocations, so that a test can see that drawing a frame needs none.
namespace {
long allocation_count = 0;
}  // namespace

// Kept out of line: inlined into a `new T` of the test framework, the compiler would pair the
// free() with that operator new and warn of a mismatch that is not there.
[[gnu::noinline]] void* operator new(std::size_t size) {
  ++allocation_count;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace korvan {
namespace {

constexpr int kEnglish = 0;
constexpr int kGerman = 1;

class MonitorPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    presenter_.CreateControls(controls_);
    presenter_.ShowPlaceholders(kEnglish);
    inputs_.cylinders = 4;
    inputs_.ignition_limiter = 120;
  }

  // Decodes a frame as the station does and shows it.
  void Show(const MonitorFrameBuilder& builder) {
    const LinkFrame frame = builder.Frame();
    ASSERT_TRUE(DecodeMonitorFrame(std::span<const std::uint8_t>(frame),
                                   MonitorInputs{inputs_.cylinders, inputs_.ignition_limiter},
                                   live_));
    presenter_.Update(live_, inputs_);
  }
  void Show(const LiveValues& live) { presenter_.Update(live, inputs_); }

  const Control& Get(const char* name) const { return controls_.Get(controls_.Handle(name)); }
  const std::string& Text(const char* name) const { return Get(name).text; }
  std::uint32_t Color(const char* name) const { return Get(name).color; }
  bool Visible(const char* name) const { return Get(name).visible; }

  ControlSet controls_;
  MonitorPresenter presenter_;
  PresentationInputs inputs_;
  LiveValues live_;
};

LiveValues WithFrame() {
  LiveValues live;
  live.has_frame = true;
  live.unit_version = kMonitorVersion;
  live.coolant_code = 180;
  live.air_code = 120;
  live.supply_mv = 13000;
  live.intake_servo_ok = true;
  live.exhaust_servo_ok = true;
  return live;
}

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

TEST_F(MonitorPanelTest, SupplyVoltageColours) {
  const struct {
    int mv;
    std::uint32_t color;
  } cases[] = {
      {0, kColorRed},         {7000, kColorRed},      {7001, kColorYellow},  {11000, kColorYellow},
      {11001, kDefaultColor}, {14998, kDefaultColor}, {14999, kColorYellow}, {17998, kColorYellow},
      {17999, kColorRed},     {65535, kColorRed},
  };
  LiveValues live = WithFrame();
  for (const auto& c : cases) {
    live.supply_mv = static_cast<std::uint16_t>(c.mv);
    Show(live);
    EXPECT_EQ(Color("LabelNapeti"), c.color) << c.mv << " mV";
  }
}

TEST_F(MonitorPanelTest, CoolantColours) {
  const struct {
    unsigned byte23;
    std::uint32_t label;
    std::uint32_t bar;
    int gauge;
  } cases[] = {
      {199, kDefaultColor, kColorAqua, 99},   {200, kColorYellow, kColorYellow, 100},
      {255, kColorYellow, kColorYellow, 100},  // 155 deg C: a full bar
      {60, kDefaultColor, kColorAqua, 0},      // -40 deg C: an empty bar
      {0, kColorRed, kColorRed, 80},
  };
  for (const auto& c : cases) {
    Show(MonitorFrameBuilder().Byte(23, c.byte23));
    EXPECT_EQ(Color("LabelVoda"), c.label) << c.byte23;
    EXPECT_EQ(Get("CGaugeVoda").font_color, c.bar) << c.byte23;
    EXPECT_EQ(Get("CGaugeVoda").value, c.gauge) << c.byte23;
  }
}

TEST_F(MonitorPanelTest, EngineSpeedColourFollowsTheLimiters) {
  const struct {
    unsigned flags_b;
    std::uint32_t color;
  } cases[] = {
      {0x00, kDefaultColor}, {0x04, kColorFuchsia}, {0x08, kColorFuchsia}, {0x10, kColorFuchsia},
      {0x0C, kColorFuchsia}, {0x18, kColorFuchsia}, {0x1C, kColorRed},     {0xE3, kDefaultColor},
  };
  for (const auto& c : cases) {
    Show(MonitorFrameBuilder().Byte(2, c.flags_b));
    EXPECT_EQ(Color("LabelRpm"), c.color) << std::hex << c.flags_b;
  }
}

TEST_F(MonitorPanelTest, StateLabels) {
  struct Expect {
    const char* label;
    const char* text;
    std::uint32_t color;
  };
  // Inputs are active when their bit is 0, outputs when it is 1.
  Show(MonitorFrameBuilder().Byte(1, 0x00).Byte(2, 0x02).Byte(3, 0x00).Byte(27, 0));
  const Expect idle[] = {
      {"LabelMonFallIn", "Fall sensor - YES", kColorFuchsia},
      {"LabelMonFallOut", "Fall sensor - NO", kDefaultColor},
      {"LabelMonBlock2In", "Blocking  - YES", kColorAqua},
      {"LabelMonBlock2Out", "Blocking  - NO", kDefaultColor},
      {"LabelMonStartLimiterIn", "Start limiter - YES", kColorFuchsia},
      {"LabelMonClutchIn", "Clutch master - YES", kColorLime},
      {"LabelMonClutchOut", "Clutch master - NO", kDefaultColor},
      {"LabelMonRpmLambdaIn", "Tacho/Lambda - YES", kColorAqua},
      {"LabelMonRpmLambdaOut", "Tacho/Lambda - Tacho", kDefaultColor},
      {"LabelMonIgnLimiter", "Limiter by ignition - NO", kDefaultColor},
      {"LabelN2oEnable", "N2O  - NO", kDefaultColor},
      {"LabelClazeniMon", "Cooling - NO", kDefaultColor},
      {"LabelSnimacCkps", "Pick-up (CKPS) -  no signal", kDefaultColor},
      {"LabelSnimacCmps", "Pick-up (CMPS) -  no signal", kDefaultColor},
      {"LabelMonPilotLight", "Gear Shift Light - NO", kDefaultColor},
      {"LabelMonServoIntake", nullptr, kColorRed},
      {"LabelMonServoExhaust", nullptr, kColorRed},
  };
  for (const Expect& e : idle) {
    if (e.text != nullptr) {
      EXPECT_EQ(Text(e.label), e.text) << e.label;
    }
    EXPECT_EQ(Color(e.label), e.color) << e.label;
  }
  EXPECT_FALSE(Visible("LabelEeDataErr"));

  Show(MonitorFrameBuilder().Byte(1, 0xFF).Byte(2, 0xDD).Byte(3, 0xF2).Byte(27, 2));
  const Expect active[] = {
      {"LabelMonFallIn", "Fall sensor - NO", kDefaultColor},
      {"LabelMonFallOut", "Fall sensor - YES", kColorRed},
      {"LabelMonBlock2Out", "Blocking  - YES", kColorRed},
      {"LabelMonStartLimiterOut", "Start limiter - YES", kColorFuchsia},
      {"LabelMonClutchOut", "Clutch master - YES", kColorRed},
      {"LabelMonRpmLambdaIn", "Tacho/Lambda - NO", kDefaultColor},
      {"LabelMonRpmLambdaOut", "Tacho/Lambda - Lambda", kColorAqua},
      {"LabelMonRetardLimiter", "Limiter by retard - YES", kColorFuchsia},
      {"LabelN2oEnable", "N2O  - YES", kColorLime},
      {"LabelClazeniMon", "Cooling - YES", kColorWhite},
      {"LabelSnimacCkps", "Pick-up (CKPS) -  is running", kColorLime},
      {"LabelSnimacCmps", "Pick-up (CMPS) -  is running", kColorLime},
      {"LabelMonPilotLight", "Gear Shift Light - YES", kColorFuchsia},
      {"LabelMonServoIntake", nullptr, kDefaultColor},
      {"LabelMonServoExhaust", nullptr, kDefaultColor},
      {"LabelEeDataErr", "Programmed data error!", kColorRed},
  };
  for (const Expect& e : active) {
    if (e.text != nullptr) {
      EXPECT_EQ(Text(e.label), e.text) << e.label;
    }
    EXPECT_EQ(Color(e.label), e.color) << e.label;
  }
  EXPECT_TRUE(Visible("LabelEeDataErr"));

  inputs_.choke = true;
  Show(MonitorFrameBuilder().Byte(27, 1));
  EXPECT_EQ(Text("LabelMonPilotLight"), "Choke - Twinkle");
  EXPECT_EQ(Color("LabelMonPilotLight"), kColorFuchsia);
}

TEST_F(MonitorPanelTest, CylinderLabelsFollowTheNumberOfCylinders) {
  const char* const per_cylinder[][3] = {
      {"LabelMon_Ign1", "LabelMon_Jet_1A", "LabelMon_Jet_1B"},
      {"LabelMon_Ign2", "LabelMon_Jet_2A", "LabelMon_Jet_2B"},
      {"LabelMon_Ign3", "LabelMon_Jet_3A", "LabelMon_Jet_3B"},
      {"LabelMon_Ign4", "LabelMon_Jet_4A", "LabelMon_Jet_4B"},
  };
  for (int n = 0; n <= 4; ++n) {
    inputs_.cylinders = n;
    presenter_.ApplyLayout(inputs_);
    for (int k = 0; k < 4; ++k) {
      const bool shown = k == 0 || k < n;
      for (const char* label : per_cylinder[k]) {
        EXPECT_EQ(Visible(label), shown) << label << " with " << n << " cylinders";
      }
    }
  }
}

TEST_F(MonitorPanelTest, PickupLabelsFollowTheEngineConfiguration) {
  const struct {
    std::uint8_t config;
    bool ckps;
    bool cmps;
  } cases[] = {
      {0, true, true},  {1, true, false},  {2, false, true},  {3, true, false},  {4, true, true},
      {7, true, false}, {11, true, false}, {15, true, false}, {19, true, false}, {20, true, false},
      {21, true, true}, {22, true, false}, {23, true, false}, {24, true, true},  {255, true, true},
  };
  for (const auto& c : cases) {
    inputs_.engine_config = c.config;
    Show(MonitorFrameBuilder());
    EXPECT_EQ(Visible("LabelSnimacCkps"), c.ckps) << int{c.config};
    EXPECT_EQ(Visible("LabelSnimacCmps"), c.cmps) << int{c.config};
  }
}

TEST_F(MonitorPanelTest, N2oLabelShowsOnlyWithN2oEnabled) {
  presenter_.ApplyLayout(inputs_);
  EXPECT_FALSE(Visible("LabelN2oEnable"));
  inputs_.n2o_enabled = true;
  Show(MonitorFrameBuilder());
  EXPECT_TRUE(Visible("LabelN2oEnable"));
}

TEST_F(MonitorPanelTest, DetailedViewSwitchesOnTheNextDrawing) {
  presenter_.SetDetailedView(true);
  EXPECT_TRUE(presenter_.DetailedView());
  EXPECT_TRUE(Get("CheckBoxExtMonitor").checked);

  Show(MonitorFrameBuilder().Word(52, 985).Word(50, 3900));
  EXPECT_EQ(Text("LabelTlak"), "AP = 98.5 kPa");
  inputs_.detailed_view = presenter_.DetailedView();
  presenter_.Update(live_, inputs_);
  EXPECT_EQ(Text("LabelTlak"), "AP = 98.5 kPa= 3900 mV");
  presenter_.SetDetailedView(false);
  inputs_.detailed_view = presenter_.DetailedView();
  presenter_.Update(live_, inputs_);
  EXPECT_EQ(Text("LabelTlak"), "AP = 98.5 kPa");
}

TEST_F(MonitorPanelTest, Gauges) {
  inputs_.ignition_limiter = 120;
  Show(MonitorFrameBuilder().Word(48, 6000).Word(138, 733).Word(58, 706));
  EXPECT_EQ(Get("CGaugeRpm").value, 50);
  EXPECT_EQ(Get("CGaugeRpm").font_color, kColorFuchsia);
  EXPECT_EQ(Get("CGaugeTps").value, 73);
  EXPECT_EQ(Get("CGaugeLambda").value, 51);

  // Above the limiter the bar is full; without a limiter it stays where it was.
  Show(MonitorFrameBuilder().Word(48, 15000));
  EXPECT_EQ(Get("CGaugeRpm").value, 100);
  inputs_.ignition_limiter = 0;
  Show(MonitorFrameBuilder().Word(48, 3000));
  EXPECT_EQ(Get("CGaugeRpm").value, 100);

  // Duty 6000 rpm x 100 / 12000 = 50; 15000 rpm x 100 / 12000 = 125 (bar full, yellow).
  LiveValues live = WithFrame();
  live.injection_duty = 100;
  Show(live);
  EXPECT_EQ(Get("CGaugeDuty").value, 100);
  EXPECT_EQ(Get("CGaugeDuty").font_color, kColorBlue);
  live.injection_duty = 125;
  Show(live);
  EXPECT_EQ(Get("CGaugeDuty").value, 100);
  EXPECT_EQ(Get("CGaugeDuty").font_color, kColorYellow);
}

TEST_F(MonitorPanelTest, GermanTexts) {
  inputs_.language = kGerman;
  Show(MonitorFrameBuilder().Byte(23, 185).Byte(1, 0x02).Byte(27, 5));
  EXPECT_EQ(Text("LabelVoda"), "Kühlwasser= 85 °C");
  EXPECT_EQ(Text("LabelMonFallOut"), "Sturzsensor - JA");
  EXPECT_EQ(Text("LabelMonPilotLight"), "Schaltblitz - Blinkt");
  EXPECT_EQ(Text("CheckBoxExtMonitor"), "Detaillierte Darstellung");
}

TEST_F(MonitorPanelTest, DrawingAFrameAllocatesNothing) {
  inputs_.language = kGerman;
  inputs_.detailed_view = true;
  // The first frame may grow a label's text storage (the mismatch sentence is long).
  Show(MonitorFrameBuilder().Byte(150, 67).Byte(23, 0).Word(48, 9000).Byte(1, 0xFF));
  const LinkFrame frame =
      MonitorFrameBuilder().Byte(150, 66).Byte(23, 150).Word(48, 1234).Byte(1, 0x00).Frame();
  ASSERT_TRUE(
      DecodeMonitorFrame(std::span<const std::uint8_t>(frame), MonitorInputs{4, 120}, live_));
  controls_.ClearChanged();
  const long before = allocation_count;
  presenter_.Update(live_, inputs_);
  const long allocations = allocation_count - before;
  EXPECT_EQ(allocations, 0);
  EXPECT_FALSE(controls_.changed().empty());
}

TEST(MonitorTextsTest, UnknownLanguagesShowEnglish) {
  EXPECT_STREQ(MonitorTextOf(MonitorText::kYes, 7), "YES");
  EXPECT_STREQ(MonitorTextOf(MonitorText::kYes, -1), "YES");
  EXPECT_STREQ(MonitorTextOf(MonitorText::kYes, 3), "ANO");
  EXPECT_STREQ(MonitorTextOf(MonitorText::kStartingCorrection, 2), "Corr. démarrage = ");
  EXPECT_STREQ(MonitorTextOf(MonitorText::kCount, 0), "");
}

}  // namespace
}  // namespace korvan
