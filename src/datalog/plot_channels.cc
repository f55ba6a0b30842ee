#include "datalog/plot_channels.h"

#include <algorithm>

#include "monitor/monitor_frame.h"

namespace korvan {
namespace {

using V = std::optional<double>;

constexpr PlotChannel kChannels[] = {
    {"rpm", "rpm", 0, [](const LiveValues& v) -> V { return v.engine_speed; }},
    {"tps_pct", "%", 1,
     [](const LiveValues& v) -> V {
       if (v.tp_error) return std::nullopt;
       return v.throttle_position / 10.0;
     }},
    {"iap_kpa", "kPa", 2,
     [](const LiveValues& v) -> V {
       if (v.iap_error) return std::nullopt;
       return v.iap;
     }},
    {"ap_kpa", "kPa", 2,
     [](const LiveValues& v) -> V {
       if (v.ap_error) return std::nullopt;
       return v.atmospheric_pressure / 10.0;
     }},
    {"lambda_mv", "mV", 3, [](const LiveValues& v) -> V { return v.lambda_mv; }},
    {"coolant_c", "C", 4,
     [](const LiveValues& v) -> V {
       if (v.coolant_sensor_error) return std::nullopt;
       return static_cast<int>(v.coolant_code) - kTemperatureCodeOffset;
     }},
    {"air_c", "C", 4,
     [](const LiveValues& v) -> V {
       if (v.air_sensor_error) return std::nullopt;
       return static_cast<int>(v.air_code) - kTemperatureCodeOffset;
     }},
    {"battery_v", "V", 5, [](const LiveValues& v) -> V { return v.supply_mv / 1000.0; }},
    {"gear", "", 6, [](const LiveValues& v) -> V { return v.gear; }},
    {"speed_kmh", "km/h", 7, [](const LiveValues& v) -> V { return v.road_speed; }},
    {"advance1_deg", "deg", 8, [](const LiveValues& v) -> V { return v.advance[0]; }},
    {"advance2_deg", "deg", 8, [](const LiveValues& v) -> V { return v.advance[1]; }},
    {"advance3_deg", "deg", 8, [](const LiveValues& v) -> V { return v.advance[2]; }},
    {"advance4_deg", "deg", 8, [](const LiveValues& v) -> V { return v.advance[3]; }},
    // The mean over the engine's cylinders: what the live panel shows as "Advance".
    {"advance_deg", "deg", 8, [](const LiveValues& v) -> V { return v.mean_advance; }},
    {"inj_a_us", "us", 9, [](const LiveValues& v) -> V { return v.bank_a_mean_us; }},
    {"inj_b_us", "us", 9, [](const LiveValues& v) -> V { return v.bank_b_mean_us; }},
    {"duty_pct", "%", 1, [](const LiveValues& v) -> V { return v.injection_duty; }},
    {"throttle_share_pct", "%", 1, [](const LiveValues& v) -> V { return v.throttle_share; }},
};

}  // namespace

std::span<const PlotChannel> PlotChannels() { return kChannels; }

const PlotChannel* FindPlotChannel(std::string_view name) {
  for (const PlotChannel& c : kChannels) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

std::vector<std::string> DefaultPlotChannels() { return {"rpm", "tps_pct", "lambda_mv"}; }

std::vector<PlotSeries> BuildPlotSeries(const Recording& recording,
                                        std::span<const std::string> channels) {
  std::vector<const PlotChannel*> found;
  std::vector<PlotSeries> series(channels.size());
  for (std::size_t i = 0; i < channels.size(); ++i) {
    found.push_back(FindPlotChannel(channels[i]));
    if (found.back() != nullptr) {
      series[i].time_s.reserve(recording.frames.size());
      series[i].value.reserve(recording.frames.size());
    }
  }
  const MonitorInputs inputs = DecoderInputsOf(recording.header, MonitorInputs{});
  LiveValues live;
  for (const RecordedFrame& frame : recording.frames) {
    DecodeMonitorFrame(frame.bytes, inputs, live);
    const double t = frame.time_ms / 1000.0;
    for (std::size_t i = 0; i < found.size(); ++i) {
      if (found[i] == nullptr) continue;
      if (const std::optional<double> v = found[i]->value(live)) {
        series[i].time_s.push_back(t);
        series[i].value.push_back(*v);
      }
    }
  }
  return series;
}

PlotSeries DecimateSeries(const PlotSeries& s, double t0, double t1, int columns) {
  PlotSeries out;
  const std::size_t n = s.time_s.size();
  if (n == 0 || columns <= 0 || t1 <= t0) return out;
  const auto begin = static_cast<std::size_t>(
      std::lower_bound(s.time_s.begin(), s.time_s.end(), t0) - s.time_s.begin());
  const auto end = static_cast<std::size_t>(std::upper_bound(s.time_s.begin(), s.time_s.end(), t1) -
                                            s.time_s.begin());
  const auto push = [&out, &s](std::size_t i) {
    out.time_s.push_back(s.time_s[i]);
    out.value.push_back(s.value[i]);
  };
  // The points just outside carry the line to the edges of the view.
  if (begin > 0) push(begin - 1);
  if (end - begin <= static_cast<std::size_t>(2 * columns)) {
    for (std::size_t i = begin; i < end; ++i) push(i);
  } else {
    const double width = (t1 - t0) / columns;
    std::size_t i = begin;
    while (i < end) {
      const int column = static_cast<int>((s.time_s[i] - t0) / width);
      const double column_end = t0 + (column + 1) * width;
      std::size_t low = i;
      std::size_t high = i;
      for (; i < end && s.time_s[i] < column_end; ++i) {
        if (s.value[i] < s.value[low]) low = i;
        if (s.value[i] > s.value[high]) high = i;
      }
      if (low == high && i == low) ++i;  // a point exactly on the far edge
      // In time order, so the line does not run backwards.
      push(std::min(low, high));
      if (low != high) push(std::max(low, high));
    }
  }
  if (end < n) push(end);
  return out;
}

std::string JoinChannelNames(std::span<const std::string> names) {
  std::string text;
  for (const std::string& n : names) {
    if (!text.empty()) text += ',';
    text += n;
  }
  return text;
}

std::vector<std::string> SplitChannelNames(std::string_view text) {
  std::vector<std::string> names;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view name = text.substr(0, comma);
    if (FindPlotChannel(name) != nullptr) names.emplace_back(name);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return names;
}

}  // namespace korvan
