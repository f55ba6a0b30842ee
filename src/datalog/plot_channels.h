#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datalog/recording.h"
#include "monitor/live_values.h"
#include "texts/language.h"

namespace korvan {

// A value the plot can draw over time: its name (as the CSV column, kept in the settings file),
// what the tuner reads (its label and unit in each language), and how it is taken from the live
// values. Values whose sensor reports an error have none.
struct PlotChannel {
  std::string_view name;
  LanguageTexts label;
  LanguageTexts unit;
  // Channels of the same axis group share a value axis (all temperatures on one, ...).
  int axis_group;
  std::optional<double> (*value)(const LiveValues&);
  int color_index;  // into kPlotPalette
};

std::span<const PlotChannel> PlotChannels();
const PlotChannel* FindPlotChannel(std::string_view name);

// "Throttle [%]", "Drosselklappe [%]"; a value without unit (the gear) is its label alone.
std::string PlotChannelLabel(const PlotChannel& channel, Language language);
// The title of a value axis shared by `channels` (none empty): the one channel's label, or the
// unit they share ("[°C]") when several are drawn against it.
std::string PlotAxisTitle(std::span<const PlotChannel* const> channels, Language language);
// "Time [s]" under the plot.
std::string_view PlotTimeAxisTitle(Language language);
// The channel's line colour, 0xRRGGBB.
std::uint32_t PlotChannelColor(const PlotChannel& channel);

// A value axis fitted to its data: from `min` to `max`, a tick every `step` starting at
// `first_tick`, the labels with `decimals` digits after the point.
struct AxisScale {
  double min = 0;
  double max = 1;
  double first_tick = 0;
  double step = 0.2;
  int decimals = 1;
};
// The smallest step of 1, 2 or 5 x 10^n that cuts `span` into at most `max_ticks` parts.
double NiceTickStep(double span, int max_ticks);
// The axis for values from `low` to `high`: the data and a little margin (not below zero when no
// value is), ticks at round numbers. Without data (low > high) the axis is 0..1.
AxisScale FitAxis(double low, double high, int max_ticks = 8);
// The tick labels the axis shows, bottom to top.
std::vector<std::string> TickLabels(const AxisScale& scale);

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
