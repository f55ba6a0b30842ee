// The gear page: fields and their stored values, what shows by mode and number of gears, the
// buttons that take the unit's live voltage or ratio, and the engaged gear's entries lit.
#include "pages/gear_page.h"

#include "model/default_set.h"
#include "pages_fixture.h"

namespace korvan {
namespace {

constexpr int kMode = 136;
constexpr int kGears = 137;

class GearPageTest : public PagesTest {
 protected:
  Station& StartWith(int mode, int gears) {
    Station& s = StartOn(kPageGear);
    s.image().SetByte(kMode, static_cast<std::uint8_t>(mode));
    s.image().SetByte(kGears, static_cast<std::uint8_t>(gears));
    s.RefreshPage();
    return s;
  }
  void ChooseMode(int mode) {
    station->controls().SetValue(H("RadioGroupGearSystem"), mode);
    station->RadioGroupGearSystemClick();
  }
};

TEST_F(GearPageTest, FieldsStoreTheirValues) {
  using Case = TypedField;  // byte: the low byte of a word field
  const Case cases[] = {
      {"EditPocetGear", "5", 137, 5, 5},
      {"EditGearNapeti0", "4999", 140, 4999 & 0xFF, 4999},
      {"EditGearNapeti6", "2350", 152, 2350 & 0xFF, 2350},
      {"EditGearKorIgn0", "-5", 174, 95, -5},
      {"EditGearKorIgn5", "20", 179, 120, 20},
      {"EditGearKorJet2", "255", 182, 255, 255},
      {"EditGearKorJet3", "300", 183, 255, 255},  // the byte holds no more
      {"EditGearAutoTime", "12", 154, 12, 12},
      {"EditGearAutoRpm", "4250", 155, 42, 4200},
      {"EditGearAutoTps", "0", 156, 0, 0},
      {"EditGearAutoBand", "100", 157, 100, 100},
      {"EditPulsuProSpeed", "1234", 160, 1234 & 0xFF, 1234},
  };
  Station& s = StartWith(0, 6);
  ExpectTypedFields(cases);
  EXPECT_EQ(s.image().Word(76), 2350);
  EXPECT_EQ(s.image().Word(80), 1234);
  ChooseMode(1);
  Type("EditGearPomer1", "31999");
  EXPECT_EQ(s.image().Word(82), 31999);
}

TEST_F(GearPageTest, ModeAndNumberOfGearsDecideWhatShows) {
  struct Case {
    int mode;
    int gears;
  };
  const Case cases[] = {{0, 6}, {0, 4}, {1, 4}, {1, 1}, {2, 3}, {3, 6}};
  for (const Case& c : cases) {
    StartWith(c.mode, c.gears);
    const std::string what = std::to_string(c.mode) + "/" + std::to_string(c.gears);
    EXPECT_EQ(C("GroupBoxNapetiProGear").visible, c.mode == 0) << what;
    EXPECT_EQ(C("GroupBoxRpmSpeedProGear").visible, c.mode == 1) << what;
    EXPECT_EQ(C("GroupBoxMonAutoGear").visible, c.mode == 2) << what;
    EXPECT_EQ(C("EditGearAutoRpm").visible, c.mode == 2) << what;
    EXPECT_EQ(C("LabelMonPomerRpmSpeed").visible, c.mode == 1 || c.mode == 2) << what;
    const bool buttons = c.mode <= 1;
    EXPECT_EQ(C("ButtonGear0").visible, buttons) << what;
    EXPECT_EQ(C("ButtonGear1").visible, buttons) << what;
    EXPECT_EQ(C("EditGearNapeti0").visible, c.mode == 0) << what;
    EXPECT_EQ(C("EditGearNapeti1").visible, c.mode == 0) << what;
    EXPECT_EQ(C("EditGearKorIgn0").visible, true) << what;
    for (int k = 2; k <= 6; ++k) {
      const bool fitted = c.gears >= k;
      const std::string n = std::to_string(k);
      EXPECT_EQ(C("ButtonGear" + n).visible, buttons && fitted) << what << " gear " << k;
      EXPECT_EQ(C("EditGearNapeti" + n).visible, c.mode == 0 && fitted) << what << " gear " << k;
      EXPECT_EQ(C("LabelGear" + n).visible, c.mode == 0 && fitted) << what << " gear " << k;
      EXPECT_EQ(C(ElementName("EditGearPomer", k - 1)).visible, c.mode == 1 && fitted) << what;
      EXPECT_EQ(C("LabelMonPomerRpmSpeedAuto" + n).visible, c.mode == 2 && fitted) << what;
      EXPECT_EQ(C("LabelMonGearAuto" + n).visible, c.mode == 2 && fitted) << what;
      EXPECT_EQ(C(ElementName("EditGearKorIgn", k - 1)).visible, fitted) << what << " gear " << k;
      EXPECT_EQ(C(ElementName("EditGearKorJet", k - 1)).visible, fitted) << what << " gear " << k;
      EXPECT_EQ(C("LabelGearKor" + n).visible, fitted) << what << " gear " << k;
    }
  }
}

TEST_F(GearPageTest, TheModeRadioGroupsStoreAndShowAtOnce) {
  Station& s = StartWith(0, 6);
  for (const int mode : {1, 2, 3, 0}) {
    ChooseMode(mode);
    EXPECT_EQ(s.image().Byte(kMode), mode);
    EXPECT_EQ(C("GroupBoxRpmSpeedProGear").visible, mode == 1) << mode;
  }
  s.controls().SetValue(H("RadioGroupSpeedMode"), 1);
  s.RadioGroupGearSystemClick();
  EXPECT_EQ(s.image().Byte(138), 1);
  EXPECT_TRUE(s.undo().CanUndo());
}

TEST(GearTakeLiveTest, TheButtonsStoreWhatTheUnitMeasuresInTheirMode) {
  struct Case {
    int mode;
    int gear;
    int word;  // -1: nothing stored
    int value;
  };
  const Case cases[] = {
      {0, 3, 73, 2350}, {0, 0, 70, 2350}, {0, 6, 76, 2350}, {1, 2, 82, 123},
      {1, 6, 86, 123},  {1, 0, -1, 0},    {2, 3, -1, 0},    {3, 3, -1, 0},
  };
  for (const Case& c : cases) {
    ParameterImage image;
    image.SetByte(kMode, static_cast<std::uint8_t>(c.mode));
    LiveValues live;
    live.gear_sensor_mv = 2350;
    live.speed_ratio = 123;
    const ParameterImage before = image;
    GearPage::TakeLive(c.gear, live, image);
    if (c.word < 0) {
      EXPECT_TRUE(image == before) << c.mode << " " << c.gear;
    } else {
      EXPECT_EQ(image.Word(c.word), c.value) << c.mode << " " << c.gear;
      ParameterImage expected = before;
      expected.SetWord(c.word, static_cast<unsigned>(c.value));
      EXPECT_TRUE(image == expected) << "only that word " << c.mode << " " << c.gear;
    }
  }
}

TEST_F(GearPageTest, TheButtonCommitsTheLiveVoltage) {
  Station& s = StartWith(0, 6);
  Tick(12);
  ASSERT_TRUE(s.live().has_frame);
  const int mv = s.live().gear_sensor_mv;
  s.ButtonGearClick(3);
  EXPECT_EQ(s.image().Word(73), mv);
  EXPECT_EQ(Value("EditGearNapeti3"), std::min(mv, 5000));
  EXPECT_TRUE(s.undo().CanUndo() || mv == DefaultParameterSet(11).Word(73));
}

TEST_F(GearPageTest, TheEngagedGearIsLitInItsMode) {
  struct Case {
    int mode;
    const char* lit;    // lime in this mode for gear 2
    const char* unlit;  // lime in another mode only
  };
  const Case cases[] = {
      {0, "EditGearNapeti2", "EditGearPomer1"}, {1, "EditGearPomer1", "EditGearNapeti2"},
      {1, "LabelPomerRpmSpeed2", "LabelGear2"}, {2, "LabelMonPomerRpmSpeedAuto2", "EditGearPomer1"},
      {2, "LabelMonGearAuto2", "LabelGear2"},   {3, "EditGearKorIgn1", "LabelMonGearAuto2"},
  };
  for (const Case& c : cases) {
    Station& s = StartWith(c.mode, 6);
    LiveValues live;
    live.gear = 2;
    s.pages().PaintLiveCursor(kPageGear, live, s.image());
    EXPECT_EQ(C(c.lit).color, kColorLime) << c.mode << " " << c.lit;
    EXPECT_EQ(C(c.unlit).color, kDefaultColor) << c.mode << " " << c.unlit;
    EXPECT_EQ(C("EditGearKorJet1").color, kColorLime) << "corrections in every mode";
    EXPECT_EQ(C("LabelGearKor2").color, kColorLime);
    EXPECT_EQ(C("EditGearKorIgn0").color, kDefaultColor);
    EXPECT_EQ(C("ButtonGear2").bold, c.mode <= 1) << c.mode;
    EXPECT_FALSE(C("ButtonGear1").bold);
  }
}

}  // namespace
}  // namespace korvan
