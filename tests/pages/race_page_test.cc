// The race page: per-gear fields, the pilot-light order, the bike display switch and the live
// gear row.
#include "pages/race_page.h"

#include "model/bike_list.h"
#include "model/default_set.h"
#include "pages_fixture.h"

namespace korvan {
namespace {

using RacePageTest = PagesTest;

TEST_F(RacePageTest, FieldsStoreTheirScaledValues) {
  using Case = TypedField;
  const Case cases[] = {
      {"EditClutchTime0", "125", 121, 12, 120},     {"EditClutchTime5", "2500", 126, 250, 2500},
      {"EditClutchPause2", "1000", 129, 100, 1000}, {"EditRaceRpm1_0", "15000", 108, 150, 15000},
      {"EditRaceRpm2_5", "25000", 119, 250, 25000}, {"EditClutchMinRpm", "999", 133, 10, 1000},
      {"EditClutchJet", "100", 134, 100, 100},      {"EditClutchAdv", "61", 135, 60, 60},
  };
  StartOn(kPageRace);
  ExpectTypedFields(cases);
}

TEST_F(RacePageTest, TheSecondPilotLightSpeedIsNeverBelowTheFirst) {
  StartOn(kPageRace);
  Type("EditRaceRpm1_2", "12000");
  Type("EditRaceRpm2_2", "9000");
  EXPECT_EQ(Value("EditRaceRpm1_2"), 12000);
  EXPECT_EQ(Value("EditRaceRpm2_2"), 12000);
}

TEST_F(RacePageTest, TheClutchModeStoresAtOnce) {
  Station& s = StartOn(kPageRace);
  const std::vector<std::string> items{"No ignition", "Retard"};
  EXPECT_EQ(C("RadioGroupClutchMode").items, items);
  s.controls().SetValue(H("RadioGroupClutchMode"), 1);
  s.RadioGroupGearSystemClick();
  EXPECT_EQ(s.image().Byte(120), 1);
  EXPECT_TRUE(s.undo().CanUndo());
}

TEST_F(RacePageTest, TheTemperatureDisplayIsOfferedOnlyOnBikesThatHaveIt) {
  for (int code = 0; code < 50; ++code) {
    const bool has = code == 17 || code == 18 || code == 27 || code == 34 || code == 35 ||
                     code == 42 || code == 47;
    EXPECT_EQ(BikeHasTemperatureDisplay(code), has) << code;
  }
  Station& s = StartOn(kPageBike);
  ChooseBike(ListIndexOfBikeCode(27), Desktop::Answer::kYes);
  s.PageControl1Change(kPageRace);
  EXPECT_TRUE(C("CheckBoxTempDisplay").enabled);
  Click("CheckBoxTempDisplay", true);
  EXPECT_EQ(s.image().Byte(107), 1);

  s.PageControl1Change(kPageBike);
  ChooseBike(ListIndexOfBikeCode(11), Desktop::Answer::kNo);
  EXPECT_EQ(s.image().Byte(107), 1) << "cleared at the next layout of the race page";
  s.PageControl1Change(kPageRace);
  EXPECT_FALSE(C("CheckBoxTempDisplay").enabled);
  EXPECT_FALSE(C("CheckBoxTempDisplay").checked);
  EXPECT_EQ(s.image().Byte(107), 0);
}

TEST_F(RacePageTest, ThePilotLightColumnNamesTheChokeOnTheBikeWithOne) {
  Station& s = StartOn(kPageRace);
  EXPECT_EQ(C("LabelPilotLight").text, "Gear Shift Light [rpm]");
  s.PageControl1Change(kPageBike);
  ChooseBike(ListIndexOfBikeCode(38), Desktop::Answer::kYes);
  s.PageControl1Change(kPageRace);
  EXPECT_EQ(C("LabelPilotLight").text, "Choke [rpm]");
}

TEST(RaceCursorTest, TheRowOfTheLiveGearIsLime) {
  ControlSet controls;
  RacePage page(controls);
  page.CreateControls();
  const auto color = [&](const std::string& name) {
    return controls.Get(controls.Handle(name)).color;
  };
  for (int live_gear = 0; live_gear <= 6; ++live_gear) {
    LiveValues live;
    live.gear = static_cast<std::uint8_t>(live_gear);
    page.PaintLiveCursor(live);
    for (int g = 1; g <= 6; ++g) {
      const std::uint32_t expected = g == live_gear ? kColorLime : kDefaultColor;
      const std::string n = std::to_string(g - 1);
      EXPECT_EQ(color("LabelRaceGear" + std::to_string(g)), expected);
      for (const char* column : {"EditRaceRpm1_", "EditRaceRpm2_"}) {
        EXPECT_EQ(color(column + n), expected) << column << n << " gear " << live_gear;
      }
      EXPECT_EQ(color("EditClutchTime" + n), expected);
      EXPECT_EQ(color("EditClutchPause" + n), expected);
    }
  }
}

}  // namespace
}  // namespace korvan
