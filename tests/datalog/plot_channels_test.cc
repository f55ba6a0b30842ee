#include "datalog/plot_channels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "base/colors.h"
#include "datalog/recording_csv.h"
#include "monitor/monitor_frame_builder.h"

namespace korvan {
namespace {

PlotSeries Saw(std::size_t n) {
  PlotSeries s;
  for (std::size_t i = 0; i < n; ++i) {
    s.time_s.push_back(static_cast<double>(i) * 0.055);
    s.value.push_back(static_cast<double>(i % 97));
  }
  return s;
}

TEST(DecimateSeries, KeepsEveryPeakInAFewPointsPerColumnAndInTimeOrder) {
  PlotSeries s = Saw(65000);
  s.value[40000] = 5000;  // one spike among 65 000 frames
  const double end = s.time_s.back();
  const PlotSeries drawn = DecimateSeries(s, 0, end, 800);
  EXPECT_LE(drawn.time_s.size(), 2u * 800 + 4);
  EXPECT_TRUE(std::is_sorted(drawn.time_s.begin(), drawn.time_s.end()));
  EXPECT_EQ(*std::max_element(drawn.value.begin(), drawn.value.end()), 5000);
  EXPECT_EQ(*std::min_element(drawn.value.begin(), drawn.value.end()), 0);
}

TEST(DecimateSeries, AZoomedViewKeepsItsPointsAndTheNeighboursOutside) {
  const PlotSeries s = Saw(1000);
  // 10 s .. 12 s hold 37 points; both neighbours outside come along so the line meets the edges.
  const PlotSeries drawn = DecimateSeries(s, 10.0, 12.0, 800);
  ASSERT_GE(drawn.time_s.size(), 3u);
  EXPECT_LT(drawn.time_s.front(), 10.0);
  EXPECT_GT(drawn.time_s.back(), 12.0);
  for (std::size_t i = 1; i + 1 < drawn.time_s.size(); ++i) {
    EXPECT_GE(drawn.time_s[i], 10.0);
    EXPECT_LE(drawn.time_s[i], 12.0);
  }
  EXPECT_TRUE(DecimateSeries({}, 0, 1, 800).time_s.empty());
}

TEST(BuildPlotSeries, AFailedSensorLeavesAGapAndAnUnknownChannelNothing) {
  Recording r;
  const LinkFrame good = MonitorFrameBuilder().Word(138, 500).Word(48, 3000).Frame();
  const LinkFrame tp_error = MonitorFrameBuilder().Byte(4, 0x01).Word(48, 3100).Frame();
  r.frames = {{0, good}, {55, tp_error}, {110, good}};
  const std::vector<std::string> names = {"tps_pct", "rpm", "nonsense"};
  const std::vector<PlotSeries> series = BuildPlotSeries(r, names);
  ASSERT_EQ(series.size(), 3u);
  EXPECT_EQ(series[0].time_s, (std::vector<double>{0.0, 0.11}));
  EXPECT_EQ(series[0].value, (std::vector<double>{50.0, 50.0}));
  EXPECT_EQ(series[1].value, (std::vector<double>{3000, 3100, 3000}));
  EXPECT_TRUE(series[2].time_s.empty());
}

TEST(PlotChannelNames, RoundTripAndUnknownNamesDropped) {
  const std::vector<std::string> names = {"rpm", "coolant_c"};
  EXPECT_EQ(SplitChannelNames(JoinChannelNames(names)), names);
  EXPECT_EQ(SplitChannelNames("rpm,,bogus,air_c"), (std::vector<std::string>{"rpm", "air_c"}));
  EXPECT_TRUE(SplitChannelNames("").empty());
  // Every channel the plot offers is a column of the CSV export.
  const std::string header = kRecordingCsvHeader;
  for (const PlotChannel& c : PlotChannels()) {
    const std::string column = "," + std::string(c.name);
    EXPECT_TRUE(header.find(column + ",") != std::string::npos || header.ends_with(column + "\n"))
        << c.name;
  }
}

TEST(NiceTickStep, StepsAreOneTwoOrFiveTimesAPowerOfTen) {
  struct Case {
    double span;
    int max_ticks;
    double step;
  };
  const Case cases[] = {
      {15178.2, 8, 2000},  // an engine speed up to 14 455 rpm
      {0.33, 8, 0.05},     // a battery between 13.65 and 13.95 V
      {100, 10, 10},       // exactly ten parts: the step itself, not the next one
      {0.3, 3, 0.1},       // 0.3 / 3 must not round past 0.1
      {7, 8, 1},          {11, 8, 2},          {26, 8, 5},
      {45, 8, 10},        {0.0007, 8, 0.0001}, {0, 8, 1},  // nothing to divide
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(NiceTickStep(c.span, c.max_ticks), c.step, c.step * 1e-9)
        << c.span << " in " << c.max_ticks;
  }
}

TEST(FitAxis, FitsTheDataWithAMarginAndRoundTicks) {
  struct Case {
    double low;
    double high;
    std::vector<std::string> ticks;
  };
  const Case cases[] = {
      // A battery that hardly moves still fills the axis.
      {13.65, 13.95, {"13.65", "13.70", "13.75", "13.80", "13.85", "13.90", "13.95"}},
      // Never a tick at the highest value itself, and no scale below zero for an engine speed.
      {0, 14455.4, {"0", "2000", "4000", "6000", "8000", "10000", "12000", "14000"}},
      // Temperatures below zero keep their sign.
      {-12, 35, {"-10", "0", "10", "20", "30"}},
      // A constant: a band around it.
      {3, 3, {"2.0", "2.5", "3.0", "3.5", "4.0"}},
  };
  for (const Case& c : cases) {
    const AxisScale scale = FitAxis(c.low, c.high);
    EXPECT_LT(scale.min, c.low == 0 ? 1e-12 : c.low);  // zero itself is the floor
    EXPECT_GT(scale.max, c.high);
    if (c.low >= 0) {
      EXPECT_GE(scale.min, 0);
    }
    // The margin is a little one: the data fill most of the axis.
    if (c.high > c.low) {
      EXPECT_GT((c.high - c.low) / (scale.max - scale.min), 0.85);
    }
    EXPECT_EQ(TickLabels(scale), c.ticks) << c.low << ".." << c.high;
  }
  const AxisScale empty = FitAxis(1, 0);  // no data at all
  EXPECT_EQ(empty.min, 0);
  EXPECT_EQ(empty.max, 1);
}

TEST(PlotChannelTexts, EveryChannelIsNamedInEveryLanguageWithItsUnit) {
  const PlotChannel* tps = FindPlotChannel("tps_pct");
  ASSERT_NE(tps, nullptr);
  EXPECT_EQ(PlotChannelLabel(*tps, Language::kEnglish), "Throttle [%]");
  EXPECT_EQ(PlotChannelLabel(*tps, Language::kGerman), "Drosselklappe [%]");
  EXPECT_EQ(PlotChannelLabel(*FindPlotChannel("gear"), Language::kFrench), "Rapport");
  const PlotChannel* temperatures[] = {FindPlotChannel("coolant_c"), FindPlotChannel("air_c")};
  EXPECT_EQ(PlotAxisTitle(temperatures, Language::kCzech), "[°C]");
  EXPECT_EQ(PlotAxisTitle(std::span(temperatures, 1), Language::kEnglish), "Coolant [°C]");
  EXPECT_EQ(PlotTimeAxisTitle(Language::kGerman), "Zeit [s]");
  for (int language = 0; language < kLanguageCount; ++language) {
    std::set<std::string> labels;
    for (const PlotChannel& c : PlotChannels()) {
      EXPECT_FALSE(c.label[static_cast<std::size_t>(language)].empty()) << c.name << language;
      const std::string label = PlotChannelLabel(c, LanguageOf(language));
      EXPECT_EQ(label.find('_'), std::string::npos) << label;  // no CSV identifier
      EXPECT_TRUE(labels.insert(label).second) << label << " twice";
    }
  }
}

TEST(PlotChannelColor, EveryChannelHasItsOwnColourApartFromThePositionLine) {
  std::set<std::uint32_t> colors;
  for (const PlotChannel& c : PlotChannels()) {
    const std::uint32_t color = PlotChannelColor(c);
    EXPECT_TRUE(colors.insert(color).second) << c.name << " shares its colour";
    EXPECT_NE(color, kColorReplayPosition) << c.name;
    EXPECT_NE(color, kColorWhite) << c.name;
  }
}

}  // namespace
}  // namespace korvan
