#include "datalog/plot_channels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/colors.h"
#include "monitor/monitor_frame.h"

namespace korvan {
namespace {

using V = std::optional<double>;

// Names and units as a tuner reads them, in the station's four languages; the colour is the
// channel's own in the plot palette, so that no two channels look alike.
constexpr PlotChannel kChannels[] = {
    {"rpm",
     {"Engine speed", "Drehzahl", "Régime moteur", "Otáčky motoru"},
     {"rpm", "U/min", "tr/min", "ot/min"},
     0,
     [](const LiveValues& v) -> V { return v.engine_speed; },
     0},
    {"tps_pct",
     {"Throttle", "Drosselklappe", "Papillon", "Škrticí klapka"},
     {"%"},
     1,
     [](const LiveValues& v) -> V {
       if (v.tp_error) return std::nullopt;
       return v.throttle_position / 10.0;
     },
     1},
    {"iap_kpa",
     {"Intake pressure", "Saugrohrdruck", "Pression d'admission", "Tlak v sání"},
     {"kPa"},
     2,
     [](const LiveValues& v) -> V {
       if (v.iap_error) return std::nullopt;
       return v.iap;
     },
     2},
    {"ap_kpa",
     {"Air pressure", "Luftdruck", "Pression atmosphérique", "Atmosférický tlak"},
     {"kPa"},
     2,
     [](const LiveValues& v) -> V {
       if (v.ap_error) return std::nullopt;
       return v.atmospheric_pressure / 10.0;
     },
     3},
    {"lambda_mv",
     {"Lambda", "Lambdasonde", "Sonde lambda", "Lambda sonda"},
     {"mV"},
     3,
     [](const LiveValues& v) -> V { return v.lambda_mv; },
     4},
    {"coolant_c",
     {"Coolant", "Kühlmittel", "Liquide de refroidissement", "Chladicí kapalina"},
     {"°C"},
     4,
     [](const LiveValues& v) -> V {
       if (v.coolant_sensor_error) return std::nullopt;
       return static_cast<int>(v.coolant_code) - kTemperatureCodeOffset;
     },
     5},
    {"air_c",
     {"Intake air", "Ansaugluft", "Air d'admission", "Nasávaný vzduch"},
     {"°C"},
     4,
     [](const LiveValues& v) -> V {
       if (v.air_sensor_error) return std::nullopt;
       return static_cast<int>(v.air_code) - kTemperatureCodeOffset;
     },
     6},
    {"battery_v",
     {"Battery", "Batterie", "Batterie", "Baterie"},
     {"V"},
     5,
     [](const LiveValues& v) -> V { return v.supply_mv / 1000.0; },
     7},
    {"gear",
     {"Gear", "Gang", "Rapport", "Rychlostní stupeň"},
     {""},
     6,
     [](const LiveValues& v) -> V { return v.gear; },
     8},
    {"speed_kmh",
     {"Road speed", "Geschwindigkeit", "Vitesse", "Rychlost"},
     {"km/h"},
     7,
     [](const LiveValues& v) -> V { return v.road_speed; },
     9},
    {"advance1_deg",
     {"Advance 1", "Zündwinkel 1", "Avance 1", "Předstih 1"},
     {"°"},
     8,
     [](const LiveValues& v) -> V { return v.advance[0]; },
     10},
    {"advance2_deg",
     {"Advance 2", "Zündwinkel 2", "Avance 2", "Předstih 2"},
     {"°"},
     8,
     [](const LiveValues& v) -> V { return v.advance[1]; },
     11},
    {"advance3_deg",
     {"Advance 3", "Zündwinkel 3", "Avance 3", "Předstih 3"},
     {"°"},
     8,
     [](const LiveValues& v) -> V { return v.advance[2]; },
     12},
    {"advance4_deg",
     {"Advance 4", "Zündwinkel 4", "Avance 4", "Předstih 4"},
     {"°"},
     8,
     [](const LiveValues& v) -> V { return v.advance[3]; },
     13},
    // The mean over the engine's cylinders: what the live panel shows as "Advance".
    {"advance_deg",
     {"Advance", "Zündwinkel", "Avance", "Předstih"},
     {"°"},
     8,
     [](const LiveValues& v) -> V { return v.mean_advance; },
     14},
    {"inj_a_us",
     {"Injection A", "Einspritzung A", "Injection A", "Vstřik A"},
     {"µs"},
     9,
     [](const LiveValues& v) -> V { return v.bank_a_mean_us; },
     15},
    {"inj_b_us",
     {"Injection B", "Einspritzung B", "Injection B", "Vstřik B"},
     {"µs"},
     9,
     [](const LiveValues& v) -> V { return v.bank_b_mean_us; },
     16},
    {"duty_pct",
     {"Injector duty", "Einspritz-Tastverhältnis", "Rapport cyclique injection", "Střída vstřiku"},
     {"%"},
     1,
     [](const LiveValues& v) -> V { return v.injection_duty; },
     17},
    {"throttle_share_pct",
     {"Throttle share", "Drosselanteil", "Part du papillon", "Podíl klapky"},
     {"%"},
     1,
     [](const LiveValues& v) -> V { return v.throttle_share; },
     18},
};

}  // namespace

std::span<const PlotChannel> PlotChannels() { return kChannels; }

const PlotChannel* FindPlotChannel(std::string_view name) {
  for (const PlotChannel& c : kChannels) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

std::string PlotChannelLabel(const PlotChannel& channel, Language language) {
  std::string text(TextIn(channel.label, language));
  const std::string_view unit = TextIn(channel.unit, language);
  if (!unit.empty()) text.append(" [").append(unit).append("]");
  return text;
}

std::string PlotAxisTitle(std::span<const PlotChannel* const> channels, Language language) {
  if (channels.empty()) return {};
  if (channels.size() == 1) return PlotChannelLabel(*channels[0], language);
  return "[" + std::string(TextIn(channels[0]->unit, language)) + "]";
}

std::string_view PlotTimeAxisTitle(Language language) {
  static constexpr LanguageTexts kTime = {"Time [s]", "Zeit [s]", "Temps [s]", "Čas [s]"};
  return TextIn(kTime, language);
}

std::uint32_t PlotChannelColor(const PlotChannel& channel) {
  return kPlotPalette[static_cast<std::size_t>(channel.color_index) % kPlotPalette.size()];
}

double NiceTickStep(double span, int max_ticks) {
  if (!(span > 0) || max_ticks < 1) return 1;
  const double raw = span / max_ticks;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0}) {
    // The tolerance keeps 0.3 / 3 from stepping past 0.1 by a rounding error.
    if (m * magnitude >= raw * (1 - 1e-9)) return m * magnitude;
  }
  return 10 * magnitude;
}

AxisScale FitAxis(double low, double high, int max_ticks) {
  AxisScale scale;
  if (low > high) return scale;
  const double span = high - low;
  // A constant value sits in the middle of a band of its own size, or of one around zero.
  const double margin = span > 0 ? span * 0.05 : std::max(std::abs(low) * 0.05, 1.0);
  scale.min = low - margin;
  scale.max = high + margin;
  // Speed, throttle, pressure: a scale of such values starts at zero, never below.
  if (low >= 0 && scale.min < 0) scale.min = 0;
  scale.step = NiceTickStep(scale.max - scale.min, max_ticks);
  scale.first_tick = std::ceil(scale.min / scale.step - 1e-9) * scale.step;
  scale.decimals = std::max(0, static_cast<int>(-std::floor(std::log10(scale.step) + 1e-9)));
  return scale;
}

std::vector<std::string> TickLabels(const AxisScale& scale) {
  std::vector<std::string> labels;
  if (!(scale.step > 0)) return labels;
  for (int i = 0;; ++i) {
    const double v = scale.first_tick + i * scale.step;
    if (v > scale.max + scale.step * 1e-9 || i > 1000) break;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", scale.decimals, v == 0 ? 0.0 : v);
    labels.emplace_back(text);
  }
  return labels;
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
