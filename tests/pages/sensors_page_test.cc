// The sensors page: the throttle end points typed and taken live, the falling temperature
// characteristics, the pressure sensors' warning colour and the potentiometer's range.
#include "pages/sensors_page.h"

#include "model/default_set.h"
#include "pages_fixture.h"

namespace korvan {
namespace {

using SensorsPageTest = PagesTest;

TEST_F(SensorsPageTest, FieldsStoreTheirValues) {
  using Case = TypedField;  // byte: the low byte of a word field
  const Case cases[] = {
      {"EditTps0", "305", 33, 30, 300},
      {"EditTps0", "2500", 33, 250, 2500},
      {"EditTps100", "2500", 34, 0, 2500},
      {"EditTps100", "4999", 34, 249, 4990},
      {"EditTps100", "5000", 34, 250, 5000},
      {"EditApsTlak1", "1000", 6, 1000 & 0xFF, 1000},
      {"EditIapsNapeti2", "4600", 20, 4600 & 0xFF, 4600},
      {"EditPotencRozsah", "60", 76, 60, 60},
  };
  Station& s = StartOn(kPageSensors);
  ExpectTypedFields(cases);
  EXPECT_EQ(s.image().Word(3), 1000);
  EXPECT_EQ(s.image().Word(10), 4600);
}

TEST(SensorsTpsButtonTest, OnlyAPlausibleLiveVoltageBecomesAnEndPoint) {
  struct Case {
    bool full;  // the 100 % button
    int mv;
    bool taken;
    int stored;
  };
  const Case cases[] = {
      {false, 299, false, 0},  {false, 300, true, 30}, {false, 2500, true, 250},
      {false, 2501, false, 0}, {true, 2499, false, 0}, {true, 2500, true, 0},
      {true, 4900, true, 240}, {true, 4901, false, 0}, {true, 3456, true, 95},
  };
  for (const Case& c : cases) {
    ParameterImage image;
    image.SetByte(33, 77);
    image.SetByte(34, 77);
    LiveValues live;
    live.throttle_sensor_mv = static_cast<std::uint16_t>(c.mv);
    const bool taken =
        c.full ? SensorsPage::TakeTps100(live, image) : SensorsPage::TakeTps0(live, image);
    EXPECT_EQ(taken, c.taken) << c.mv;
    EXPECT_EQ(image.Byte(c.full ? 34 : 33), c.taken ? c.stored : 77) << c.mv;
  }
}

TEST_F(SensorsPageTest, ATooHighSensorVoltageLowersTheRowsBelowIt) {
  Station& s = StartOn(kPageSensors);
  const int values[] = {4500, 4000, 2800, 2600, 2400, 2000, 1500, 1000, 500};
  for (int i = 0; i < 9; ++i) {
    s.image().SetWord(97 + i, static_cast<unsigned>(values[i]));
  }
  s.RefreshPage();
  Type("EditCidloVoda3", "3000");
  EXPECT_EQ(Value("EditCidloVoda3"), 2799);
  EXPECT_EQ(Value("EditCidloVoda4"), 2400) << "already below its new neighbour";
  Type("EditCidloVoda4", "4000");
  EXPECT_EQ(Value("EditCidloVoda4"), 2798);
  EXPECT_EQ(Value("EditCidloVoda5"), 2000);
  // The air table keeps its own order.
  Type("EditCidloVzduch1", "5000");
  EXPECT_LT(Value("EditCidloVzduch1"), Value("EditCidloVzduch0"));
  EXPECT_EQ(s.image().Word(97 + 3), 2799);
}

TEST_F(SensorsPageTest, EqualPressureSensorVoltagesAreRed) {
  StartOn(kPageSensors);
  Type("EditApsNapeti1", "4000");
  Type("EditApsNapeti2", "4000");
  EXPECT_EQ(C("EditApsNapeti1").color, kColorRed);
  EXPECT_EQ(C("EditApsNapeti2").color, kColorRed);
  EXPECT_EQ(C("EditIapsNapeti1").color, kDefaultColor);
  EXPECT_EQ(Value("EditApsNapeti2"), 4000) << "the values stay";
  Type("EditApsNapeti2", "4500");
  EXPECT_EQ(C("EditApsNapeti1").color, kDefaultColor);
  EXPECT_EQ(C("EditApsNapeti2").color, kDefaultColor);
}

TEST_F(SensorsPageTest, ThePotentiometerRangeShowsOnlyWhenItTrimsSomething) {
  Station& s = StartOn(kPageSensors);
  const std::vector<std::string> items{"No", "Injection", "Advance"};
  EXPECT_EQ(C("RadioGroupPotencMode").items, items);
  for (const int mode : {0, 1, 2, 0}) {
    s.controls().SetValue(H("RadioGroupPotencMode"), mode);
    s.RadioGroupPotencModeClick();
    EXPECT_EQ(s.image().Byte(75), mode);
    EXPECT_EQ(C("EditPotencRozsah").visible, mode != 0) << mode;
    EXPECT_EQ(C("LabelPotencRozsah").visible, mode != 0) << mode;
  }
  EXPECT_TRUE(s.undo().CanUndo());
}

TEST_F(SensorsPageTest, TheTpsButtonsCommitWhatTheyTake) {
  // The emulated unit's throttle sensor sits within the 0 % button's window at idle.
  Station& s = StartOn(kPageSensors);
  Tick(12);
  const int mv = s.live().throttle_sensor_mv;
  ASSERT_TRUE(s.live().has_frame);
  s.ButtonTps0Click();
  if (mv >= 300 && mv <= 2500) {
    EXPECT_EQ(s.image().Byte(33), mv / 10);
    EXPECT_EQ(Value("EditTps0"), mv / 10 * 10);
  } else {
    EXPECT_EQ(s.image().Byte(33), DefaultParameterSet(11).Byte(33));
  }
}

}  // namespace
}  // namespace korvan
