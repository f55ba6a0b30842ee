#include "maps/cell_grades.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace korvan {
namespace {

int Red(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
int Green(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

CellMask All() { return MaskOf({0, 0, kMapRows - 1, kMapColumns - 1}); }

TEST(CellGradesTest, ColourAlongTheScale) {
  struct Case {
    std::string name;
    double value;
    GradeScale scale;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"low end", 10, {10, 30}, kGradeLow},
      {"high end", 30, {10, 30}, kGradeHigh},
      {"middle", 20, {10, 30}, kGradeMiddle},
      {"below the scale", -100, {10, 30}, kGradeLow},
      {"above the scale", 1e9, {10, 30}, kGradeHigh},
      {"negative advance", -5, {-5, 45}, kGradeLow},
      {"time view", 1.25, {0.5, 2.0}, kGradeMiddle},
      // A quarter of the way: half way from blue to near-white, each channel rounded.
      {"quarter", 15, {10, 30}, 0x8CAFD2},
      {"three quarters", 25, {10, 30}, 0xD58891},
      {"flat scale", 7, {7, 7}, kGradeMiddle},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GradeColor(c.value, c.scale), c.expected) << c.name;
  }
}

TEST(CellGradesTest, NoGradeLooksLikeTheLiveCursor) {
  // The live cursor paints its cell lime or yellow: no grade is green or yellow, so that the cell
  // the engine uses stands out on any map.
  for (int step = 0; step <= 100; ++step) {
    const std::uint32_t c = GradeColor(step, {0, 100});
    EXPECT_FALSE(Green(c) > Red(c) && Green(c) > Blue(c)) << step;
    EXPECT_GE(Blue(c), Green(c)) << step;
  }
}

TEST(CellGradesTest, TextIsBlackOrWhiteWhicheverReads) {
  struct Case {
    std::uint32_t background;
    std::uint32_t text;
  };
  const Case cases[] = {
      {kGradeLow, kColorWhite},    {kGradeHigh, kColorWhite}, {kGradeMiddle, kColorBlack},
      {kColorWhite, kColorBlack},  {0x000000, kColorWhite},   {kColorLime, kColorBlack},
      {kColorYellow, kColorBlack}, {kColorBlue, kColorWhite},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadableTextColor(c.background), c.text) << std::hex << c.background;
  }
  // Along the whole scale the text switches once on each side of the middle.
  int switches = 0;
  std::uint32_t last = ReadableTextColor(GradeColor(0, {0, 100}));
  for (int step = 1; step <= 100; ++step) {
    const std::uint32_t text = ReadableTextColor(GradeColor(step, {0, 100}));
    if (text != last) ++switches;
    last = text;
  }
  EXPECT_EQ(switches, 2);
}

TEST(CellGradesTest, TheScaleSpansTheShownValuesOnly) {
  ShownGrid values{};
  values.fill(20);
  values[0] = 10;
  values[1] = 30;
  values[2] = std::numeric_limits<double>::quiet_NaN();
  values[149] = 500;  // a cell the page does not show
  CellMask shown = All();
  shown.reset(149);

  const std::optional<GradeScale> scale = ScaleOf(values, shown);
  ASSERT_TRUE(scale);
  EXPECT_EQ(scale->low, 10);
  EXPECT_EQ(scale->high, 30);

  const CellShades shades = GradeCells(values, shown);
  EXPECT_EQ(shades[0], (CellShade{kGradeLow, kColorWhite}));
  EXPECT_EQ(shades[1], (CellShade{kGradeHigh, kColorWhite}));
  EXPECT_EQ(shades[3], (CellShade{kGradeMiddle, kColorBlack}));
  EXPECT_EQ(shades[2], CellShade{}) << "no number: plain";
  EXPECT_EQ(shades[149], CellShade{}) << "not shown: plain";
}

TEST(CellGradesTest, AFlatMapIsTheMiddleEverywhere) {
  ShownGrid values{};
  values.fill(100);
  const CellShades shades = GradeCells(values, All());
  for (const CellShade& shade : shades) {
    EXPECT_EQ(shade, (CellShade{kGradeMiddle, kColorBlack}));
  }
}

TEST(CellGradesTest, NothingShownIsNothingGraded) {
  ShownGrid values{};
  values.fill(std::numeric_limits<double>::quiet_NaN());
  EXPECT_FALSE(ScaleOf(values, All()));
  EXPECT_FALSE(ScaleOf(ShownGrid{}, CellMask{}));
  const CellShades plain{};
  EXPECT_EQ(GradeCells(values, All()), plain);
}

}  // namespace
}  // namespace korvan
