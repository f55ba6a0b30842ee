// The live panel's colours, state labels and gauges, and that drawing a frame allocates nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "base/control_set.h"
#include "monitor/monitor_panel.h"
#include "monitor/monitor_texts.h"
#include "monitor_panel_fixture.h"

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
