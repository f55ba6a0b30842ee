// The corrections page: its scales and offsets, the ordering of the after-start points, and the
// rows the live cursor marks.
#include "pages/corrections_page.h"

#include "pages_fixture.h"

namespace korvan {
namespace {

using CorrectionsPageTest = PagesTest;

TEST_F(CorrectionsPageTest, FieldsStoreTheirScaledValues) {
  using Case = TypedField;
  const Case cases[] = {
      {"EditKorVodaJet0", "250", 80, 250, 250},
      {"EditKorVodaJet4", "5", 84, 10, 10},  // below the range
      {"EditKorVzduchJet2", "97", 87, 97, 97},
      {"EditKorVodaIgn0", "-20", 93, 80, -20},
      {"EditKorVodaIgn4", "20", 97, 120, 20},
      {"EditSyticKorekce0", "350", 71, 250, 350},
      {"EditSyticKorekce3", "100", 74, 0, 100},
      {"EditAkcelPrah", "105", 90, 10, 100},  // integer division, shown on the step again
      {"EditAkcelJet", "7500", 91, 150, 7500},
      {"EditAkcelJet", "149", 91, 2, 100},
      {"EditStartJet", "50", 92, 50, 50},
  };
  Station& s = StartOn(kPageCorrections);
  ExpectTypedFields(cases);
  s.image().SetByte(95, 120);
  s.RefreshPage();
  EXPECT_EQ(Value("EditKorVodaIgn2"), 20);
  EXPECT_EQ(Value("UpDownSyticCas1"), s.image().Byte(67)) << "the up-down names the same field";
}

TEST_F(CorrectionsPageTest, AfterStartTimesRiseFromPointToPoint) {
  Station& s = StartOn(kPageCorrections);
  Type("EditSyticCas1", "5");
  Type("EditSyticCas2", "30");
  Type("EditSyticCas3", "31");
  Type("EditSyticCas4", "32");
  Type("EditSyticCas2", "3");
  EXPECT_EQ(Value("EditSyticCas2"), 6);
  EXPECT_EQ(Value("EditSyticCas3"), 31);
  Type("EditSyticCas1", "40");
  EXPECT_EQ(Value("EditSyticCas2"), 41);
  EXPECT_EQ(Value("EditSyticCas3"), 42);
  EXPECT_EQ(Value("EditSyticCas4"), 43);
  EXPECT_EQ(s.image().Byte(70), 43);
}

LiveValues Coolant(int code, bool error = false) {
  LiveValues live;
  live.coolant_code = static_cast<std::uint16_t>(code);
  live.coolant_sensor_error = error;
  live.air_code = 150;
  return live;
}

TEST(CorrectionCursorTest, TemperatureRowsChangeAtTheirBoundaries) {
  const ParameterImage image;
  struct Case {
    int code;
    bool error;
    int row;
  };
  const Case cases[] = {
      {104, false, 0},  // 4 degC: the -10 row
      {105, false, 1},  // 5 degC: the 20 row
      {134, false, 1},
      {135, false, 2},
      {194, false, 3},
      {195, false, 4},
      {224, false, 4},                 // 124 degC
      {225, false, kNoCorrectionRow},  // 125 degC: no row
      {180, true, 3},                  // sensor error: the unit takes the 80 degC row
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComputeCorrectionCursor(Coolant(c.code, c.error), image).coolant_row, c.row)
        << "code " << c.code;
  }
  LiveValues air_error;
  air_error.air_code = 0;
  air_error.air_sensor_error = true;
  EXPECT_EQ(ComputeCorrectionCursor(air_error, image).air_row, 2);
  LiveValues air;
  air.air_code = 125;
  EXPECT_EQ(ComputeCorrectionCursor(air, image).air_row, 1);
}

TEST(CorrectionCursorTest, AfterStartRowFollowsTheTimeSinceStart) {
  ParameterImage image;
  const int times[] = {5, 10, 15, 20};  // seconds of points 1..4
  for (int i = 0; i < 4; ++i) image.SetByte(67 + i, static_cast<std::uint8_t>(times[i]));
  struct Case {
    int tenths;
    int row;
  };
  const Case cases[] = {
      {0, 0},  {25, 0},  // half-way to point 1 still counts as point 0
      {26, 1}, {74, 1},  // until half-way between points 1 and 2
      {75, 2}, {125, 3}, {174, 3}, {175, 4}, {5000, 4},
  };
  for (const Case& c : cases) {
    LiveValues live;
    live.time_since_start = static_cast<std::uint16_t>(c.tenths);
    EXPECT_EQ(ComputeCorrectionCursor(live, image).after_start_row, c.row) << c.tenths;
  }
}

TEST(CorrectionCursorTest, TheRowsInUseAreLime) {
  ControlSet controls;
  CorrectionsPage page(controls);
  page.CreateControls();
  ParameterImage image;
  for (int i = 0; i < 4; ++i) image.SetByte(67 + i, static_cast<std::uint8_t>(5 * (i + 1)));
  LiveValues live = Coolant(160);  // 60 degC: the 50 row
  live.air_code = 0;
  live.air_sensor_error = true;
  live.time_since_start = 200;  // past point 4
  page.PaintLiveCursor(live, image);
  const auto color = [&](const char* name) { return controls.Get(controls.Handle(name)).color; };
  for (int i = 0; i < kTemperatureRows; ++i) {
    const std::uint32_t expected = i == 2 ? kColorLime : kDefaultColor;
    EXPECT_EQ(color(("EditKorVodaJet" + std::to_string(i)).c_str()), expected);
    EXPECT_EQ(color(("EditKorVodaIgn" + std::to_string(i)).c_str()), expected);
    EXPECT_EQ(color(("EditKorVzduchJet" + std::to_string(i)).c_str()), expected);
  }
  EXPECT_EQ(color("EditSyticCas4"), kColorLime);
  EXPECT_EQ(color("LabelSyticKorekce4"), kColorLime);
  EXPECT_EQ(color("EditSyticKorekce3"), kDefaultColor);
  EXPECT_EQ(color("LabelSyticCas0"), kDefaultColor);

  live.time_since_start = 0;
  live.coolant_code = 230;
  page.PaintLiveCursor(live, image);
  EXPECT_EQ(color("LabelSyticCas0"), kColorLime);
  EXPECT_EQ(color("EditSyticKorekce0"), kColorLime);
  EXPECT_EQ(color("EditSyticCas4"), kDefaultColor);
  EXPECT_EQ(color("EditKorVodaJet2"), kDefaultColor) << "125 degC and above: no row";
}

}  // namespace
}  // namespace korvan

namespace korvan {
namespace {

TEST_F(CorrectionsPageTest, TheTickPaintsTheRowsOfTheRunningEngine) {
  Station& s = StartOn(kPageCorrections);
  Tick(40);
  ASSERT_TRUE(s.live().has_frame);
  const CorrectionCursor cursor = ComputeCorrectionCursor(s.live(), s.image());
  ASSERT_LT(cursor.coolant_row, kNoCorrectionRow) << "the emulated engine runs warm, not hot";
  for (int i = 0; i < kTemperatureRows; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_EQ(C("EditKorVodaJet" + n).color == kColorLime, i == cursor.coolant_row) << i;
    EXPECT_EQ(C("EditKorVzduchJet" + n).color == kColorLime, i == cursor.air_row) << i;
  }
  // On the race page the same tick marks the gear engaged now.
  s.PageControl1Change(kPageRace);
  Tick(40);
  const int gear = s.live().gear;
  for (int g = 1; g <= 6; ++g) {
    EXPECT_EQ(C("LabelRaceGear" + std::to_string(g)).color == kColorLime, g == gear) << g;
  }
}

}  // namespace
}  // namespace korvan
