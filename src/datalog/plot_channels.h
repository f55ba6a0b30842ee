#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datalog/recording.h"
#include "monitor/live_values.h"

namespace korvan {

// A value the plot can draw over time: its name (as the CSV column), its unit, and how it is
// taken from the live values. Values whose sensor reports an error have none.
struct PlotChannel {
  std::string_view name;
  std::string_view unit;
  // Channels of the same axis group share a value axis (all temperatures on one, ...).
  int axis_group;
  std::optional<double> (*value)(const LiveValues&);
};

std::span<const PlotChannel> PlotChannels();
const PlotChannel* FindPlotChannel(std::string_view name);

// What the plot shows when nothing was chosen yet.
std::vector<std::string> DefaultPlotChannels();

// A channel's points over a recording: time in seconds, value; a frame without a value (a sensor
// error) has no point.
struct PlotSeries {
  std::vector<double> time_s;
  std::vector<double> value;
};

// Decodes the whole recording once and gives the series of each channel named, in order; an
// unknown name gives an empty series.
std::vector<PlotSeries> BuildPlotSeries(const Recording& recording,
                                        std::span<const std::string> channels);

// What is drawn of a series between t0 and t1 on `columns` pixels: the lowest and the highest
// point of each column, in time order, and the points just outside the range, so that 65 000
// frames cost what a few thousand do and no peak is lost.
PlotSeries DecimateSeries(const PlotSeries& series, double t0, double t1, int columns);

// "rpm,tps_pct" <-> the list, for the settings file; unknown names are dropped on reading.
std::string JoinChannelNames(std::span<const std::string> names);
std::vector<std::string> SplitChannelNames(std::string_view text);

}  // namespace korvan
