// The injection position page: angles and engine speeds as stored, the column each bank's live
// cursor marks, and the spin buttons and tools that move the angle of that column only (or of
// every column with "All").
#include "pages/position_page.h"

#include "pages_fixture.h"

namespace korvan {
namespace {

constexpr int kAxisA = 305;
constexpr int kAnglesA = 320;
constexpr int kAxisB = 335;
constexpr int kAnglesB = 350;

class PositionPageTest : public PagesTest {
 protected:
  // Axes 10, 20, .. 150 (hundreds of rpm) for A, 5, 10, .. 75 for B, every angle 100 (500 deg).
  Station& StartWithAxes() {
    Station& s = StartOn(kPagePosition);
    for (int i = 0; i < kPositionPoints; ++i) {
      s.image().SetByte(kAxisA + i, static_cast<std::uint8_t>(10 * (i + 1)));
      s.image().SetByte(kAxisB + i, static_cast<std::uint8_t>(5 * (i + 1)));
      s.image().SetByte(kAnglesA + i, 100);
      s.image().SetByte(kAnglesB + i, 100);
    }
    s.RefreshPage();
    return s;
  }
  // The engine held at `rpm` until the station has a frame of it.
  void RunEngineAt(int rpm) {
    unit.HoldEngine(UnitEmulator::OperatingPoint{rpm, 100, 100});
    Tick(24);
    ASSERT_EQ(station->live().engine_speed, rpm);
  }
};

TEST_F(PositionPageTest, FieldsStoreTheirValues) {
  using Case = TypedField;
  const Case cases[] = {
      {"EditPolohaA7", "717", 327, 143, 715},
      {"EditPolohaA0", "0", 320, 0, 0},
      {"EditPolohaB14", "720", 364, 144, 720},
      {"EditPolohaRpmA3", "4550", 308, 45, 4500},
      // Point 5 of B set below point 4 (2500 rpm) is raised to point 4 + 100 rpm.
      {"EditPolohaRpmB5", "1000", 340, 26, 2600},
  };
  Station& s = StartWithAxes();
  ExpectTypedFields(cases);
  s.controls().SetValue(H("RadioGroupPolohaA"), 2);
  s.controls().SetValue(H("RadioGroupPolohaB"), 0);
  s.RadioGroupPolohaAClick();
  EXPECT_EQ(s.image().Byte(56), 2);
  EXPECT_EQ(s.image().Byte(57), 0);
}

TEST(PositionColumnTest, TheNearestPointOfTheBanksOwnAxis) {
  ParameterImage image;
  for (int i = 0; i < kPositionPoints; ++i) {
    image.SetByte(kAxisA + i, static_cast<std::uint8_t>(10 * (i + 1)));
    image.SetByte(kAxisB + i, static_cast<std::uint8_t>(5 * (i + 1)));
  }
  struct Case {
    int rpm;
    int column_a;
    int column_b;
  };
  const Case cases[] = {
      {0, 0, 0},     {1499, 0, 2},    {1500, 1, 2},    {4000, 3, 7},    {6999, 6, 13},
      {7250, 6, 14}, {14499, 13, 14}, {14500, 14, 14}, {25000, 14, 14},
  };
  for (const Case& c : cases) {
    LiveValues live;
    live.engine_speed = static_cast<std::uint16_t>(c.rpm);
    EXPECT_EQ(PositionColumn(Bank::kA, live, image), c.column_a) << c.rpm;
    EXPECT_EQ(PositionColumn(Bank::kB, live, image), c.column_b) << c.rpm;
  }
}

TEST(StepPositionsTest, OneColumnOrAllWithinTheAngleRange) {
  struct Case {
    int direction;
    bool all;
    int column;
    int before;  // every angle of bank A
    int after_column;
    int after_other;
    bool changed;
  };
  const Case cases[] = {
      {+1, false, 6, 100, 101, 100, true}, {-1, false, 0, 100, 99, 100, true},
      {-1, false, 3, 0, 0, 0, false},      {+1, false, 3, 144, 144, 144, false},
      {-1, true, 3, 100, 99, 99, true},    {+1, true, 3, 143, 144, 144, true},
      {-1, true, 3, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    ParameterImage image;
    for (int i = 0; i < kPositionPoints; ++i) {
      image.SetByte(kAnglesA + i, static_cast<std::uint8_t>(c.before));
      image.SetByte(kAnglesB + i, 50);
    }
    EXPECT_EQ(StepPositions(Bank::kA, c.direction, c.all, c.column, image), c.changed);
    for (int i = 0; i < kPositionPoints; ++i) {
      EXPECT_EQ(image.Byte(kAnglesA + i), i == c.column ? c.after_column : c.after_other)
          << c.direction << " " << c.all << " column " << i;
      EXPECT_EQ(image.Byte(kAnglesB + i), 50) << "bank B untouched";
    }
  }
}

TEST_F(PositionPageTest, TheSpinButtonsMoveTheLiveColumnOfTheirBankOnly) {
  Station& s = StartWithAxes();
  RunEngineAt(4000);  // column 3 of A, column 7 of B
  EXPECT_EQ(C("EditPolohaA3").color, kColorLime);
  EXPECT_EQ(C("EditPolohaRpmB7").color, kColorLime);
  EXPECT_EQ(C("EditPolohaA7").color, kDefaultColor);

  s.ButtonPlusClick_PolohaA();
  EXPECT_EQ(s.image().Byte(kAnglesA + 3), 101);
  EXPECT_EQ(Value("EditPolohaA3"), 505);
  EXPECT_EQ(s.image().Byte(kAnglesA + 4), 100);
  EXPECT_EQ(s.image().Byte(kAnglesB + 3), 100);
  EXPECT_EQ(s.image().Byte(kAnglesB + 7), 100);
  s.ButtonMinusClick_PolohaB();
  EXPECT_EQ(s.image().Byte(kAnglesB + 7), 99);
  EXPECT_EQ(s.image().Byte(kAnglesA + 3), 101);

  // "All" of bank A: every angle of A, none of B.
  Click("CheckBoxAll_PolohaA", true);
  s.ButtonMinusClick_PolohaA();
  EXPECT_EQ(s.image().Byte(kAnglesA + 3), 100);
  EXPECT_EQ(s.image().Byte(kAnglesA + 0), 99);
  EXPECT_EQ(s.image().Byte(kAnglesB + 0), 100);
  EXPECT_TRUE(s.undo().CanUndo());
}

TEST_F(PositionPageTest, TheToolsActOnBothBanksAndAStoppedEngineOnColumnZero) {
  Station& s = StartWithAxes();
  RunEngineAt(0);
  EXPECT_EQ(C("EditPolohaA0").color, kColorLime) << "lit also when the engine stands";
  EXPECT_EQ(C("EditPolohaRpmB0").color, kColorLime);
  s.MenuToolsPlusClick();
  EXPECT_EQ(s.image().Byte(kAnglesA + 0), 101);
  EXPECT_EQ(s.image().Byte(kAnglesB + 0), 101);
  EXPECT_EQ(s.image().Byte(kAnglesA + 1), 100);
  Click("CheckBoxAll_PolohaB", true);
  s.MenuToolsMinusClick();
  EXPECT_EQ(s.image().Byte(kAnglesA + 0), 100);
  EXPECT_EQ(s.image().Byte(kAnglesA + 1), 100);
  EXPECT_EQ(s.image().Byte(kAnglesB + 0), 100);
  EXPECT_EQ(s.image().Byte(kAnglesB + 14), 99);
}

TEST_F(PositionPageTest, TheAllBoxesAreKeptInTheSettings) {
  StartOn(kPagePosition);
  Click("CheckBoxAll_PolohaB", true);
  station->FormClose();
  Start();
  EXPECT_FALSE(C("CheckBoxAll_PolohaA").checked);
  EXPECT_TRUE(C("CheckBoxAll_PolohaB").checked);
}

}  // namespace
}  // namespace korvan
