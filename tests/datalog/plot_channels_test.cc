#include "datalog/plot_channels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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

}  // namespace
}  // namespace korvan
