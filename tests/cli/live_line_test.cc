// The command line's monitor line, against what the window's live panel shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "command_run.h"
#include "image/field_dictionary.h"
#include "model/default_set.h"
#include "monitor/monitor_frame.h"
#include "monitor/monitor_frame_builder.h"
#include "monitor/monitor_panel.h"
#include "station/station_fixture.h"

namespace korvan {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A running engine at 6000 rpm, coolant 85 C, air 25 C: no input or output active, both servos
// in order.
MonitorFrameBuilder Running() {
  MonitorFrameBuilder b;
  b.Byte(1, 0x55).Byte(2, 0xC0).Word(48, 6000).Word(52, 1013).Byte(23, 185).Byte(24, 125);
  return b;
}

std::string LineOf(const MonitorFrameBuilder& builder) {
  const LinkFrame frame = builder.Frame();
  LiveValues live;
  EXPECT_TRUE(
      DecodeMonitorFrame(std::span<const std::uint8_t>(frame), MonitorInputs{4, 140}, live));
  return FormatLiveLine(live);
}

TEST(LiveLineTest, SensorErrorsReadAsTheWindowShowsThem) {
  const std::string healthy = LineOf(Running());
  EXPECT_TRUE(Contains(healthy, "coolant   85 C  air   25 C")) << healthy;
  EXPECT_FALSE(Contains(healthy, "error")) << healthy;
  EXPECT_TRUE(healthy.ends_with("ver 68\n")) << healthy;

  struct Case {
    const char* what;
    MonitorFrameBuilder frame;
    const char* shown;
  };
  const Case cases[] = {
      // The window shows the unit's 50 C stand-in in red, never "-100 C".
      {"air sensor", Running().Byte(24, 0), "air   50 C"},
      {"air sensor", Running().Byte(24, 0), "ver 68  (air sensor error)\n"},
      {"coolant sensor", Running().Byte(23, 0), "coolant  error  air   25 C"},
      {"throttle sensor", Running().Byte(4, 0x01), "tps  error  iap"},
      {"pressure sensor", Running().Byte(4, 0x02), "iap   error  ap"},
      {"atmospheric sensor", Running().Byte(4, 0x04), "  (AP sensor error)\n"},
      {"two at once", Running().Byte(24, 0).Byte(4, 0x04).Byte(150, 67),
       "ver 67  (air sensor error, AP sensor error, version mismatch)\n"},
  };
  for (const Case& c : cases) {
    const std::string line = LineOf(c.frame);
    EXPECT_TRUE(Contains(line, c.shown)) << c.what << ": " << line;
    EXPECT_FALSE(Contains(line, "-100 C")) << c.what << ": " << line;
  }
}

// A tuner reads the battery from the window and from the command line: both give the same tenth,
// rounded, never cut off.
TEST(LiveLineTest, TheBatteryIsRoundedToTheTenthAsTheWindowShowsIt) {
  struct Case {
    std::uint16_t supply_mv;
    const char* shown;
  };
  const Case cases[] = {
      {13949, "batt 13.9 V"}, {13960, "batt 14.0 V"}, {9990, "batt 10.0 V"},
      {12000, "batt 12.0 V"}, {8049, "batt  8.0 V"},  {8051, "batt  8.1 V"},
  };
  for (const Case& c : cases) {
    const std::string line = LineOf(Running().Word(64, c.supply_mv));
    EXPECT_TRUE(Contains(line, c.shown)) << c.supply_mv << " mV: " << line;
  }
}

// The emulated unit, except that each monitor request (once armed) is answered with the next of
// the crafted frames; reads, verifies and everything else go to the unit.
class CraftedMonitorPort : public SerialPort {
 public:
  CraftedMonitorPort(MemoryUnitPort& unit, std::vector<LinkFrame> frames)
      : unit_(unit), frames_(std::move(frames)) {}

  bool Open(const std::string& device) override { return unit_.Open(device); }
  bool IsOpen() const override { return unit_.IsOpen(); }
  std::size_t BytesWaiting() override { return reply_ ? kFrameSize - at_ : unit_.BytesWaiting(); }
  std::size_t Read(std::span<std::uint8_t> out) override {
    if (!reply_) return unit_.Read(out);
    const std::size_t n = std::min(out.size(), kFrameSize - at_);
    std::copy_n(reply_->begin() + static_cast<std::ptrdiff_t>(at_), n, out.begin());
    at_ += n;
    if (at_ == kFrameSize) {
      reply_.reset();
      ++delivered_;
    }
    return n;
  }
  bool WriteAndDrain(std::span<const std::uint8_t> bytes) override {
    if (armed_ && !bytes.empty() && bytes[0] == kMonitorRequest && next_ < frames_.size()) {
      reply_ = frames_[next_++];
      at_ = 0;
      return true;
    }
    return unit_.WriteAndDrain(bytes);
  }
  void PurgeReads() override {
    reply_.reset();
    unit_.PurgeReads();
  }
  void Close() override { unit_.Close(); }

  void Arm() { armed_ = true; }
  std::size_t delivered() const { return delivered_; }

 private:
  MemoryUnitPort& unit_;
  std::vector<LinkFrame> frames_;
  std::optional<LinkFrame> reply_;
  std::size_t at_ = 0;
  std::size_t next_ = 0;
  std::size_t delivered_ = 0;
  bool armed_ = false;
};

class UnitClock : public TickClock {
 public:
  explicit UnitClock(MemoryUnitPort& port) : port_(port) {}
  void WaitForNextTick() override { port_.AdvanceTick(); }

 private:
  MemoryUnitPort& port_;
};

// The first word after the first "=" of a label: its value as the window shows it.
std::string WindowValue(const std::string& text) {
  std::istringstream in(text.substr(text.find('=') + 1));
  std::string word;
  in >> word;
  return word;
}

// The word after each key of a monitor line ("rpm 6000" -> rpm: 6000).
std::map<std::string, std::string> LineValues(const std::string& line) {
  const std::vector<std::string> keys = {"rpm",  "tps",   "iap", "ap",  "lambda", "coolant", "air",
                                         "gear", "speed", "adv", "inj", "duty",   "batt",    "ver"};
  // The notes in brackets follow the values.
  std::istringstream in(line.substr(0, line.find("  (")));
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  std::map<std::string, std::string> values;
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (std::find(keys.begin(), keys.end(), words[i]) == keys.end()) continue;
    std::string value = words[i + 1];
    if (value.ends_with('%')) value.pop_back();
    values.emplace(words[i], value);
  }
  return values;
}

// The window and `korvan monitor` are given the same frames from the same unit (a four-cylinder
// bike whose set the window has read, as the command line reads it), no map page shown: every
// value and every marked state the window shows, the line says.
TEST(LiveLineTest, TheCommandLineSaysWhatTheWindowShowsForTheSameFrames) {
  int bike = 0;
  while (DefaultParameterSet(bike).Byte(kCylinderCountOffset) != 4) ++bike;
  const auto frame = [](int rpm) {
    MonitorFrameBuilder b;
    b.Byte(1, 0x55).Byte(2, 0xC0).Byte(3, 0x60).Word(48, rpm).Word(52, 1013).Word(58, 850);
    b.Byte(23, 185).Byte(24, 125).Word(64, 13820).Byte(25, 3).Word(116, 120);
    b.Byte(10, 25).Byte(11, 26).Byte(12, 27).Byte(13, 26);  // cylinder 1: 25, the mean: 26
    b.Byte(14, 20).Byte(15, 22).Byte(16, 24).Byte(17, 26).Byte(18, 10).Byte(19, 10);
    b.Word(136, 95).Word(138, 123).Word(70, 1200).Word(72, 3400).Word(66, 1100).Word(68, 3300);
    return b;
  };
  struct Case {
    const char* what;
    MonitorFrameBuilder frame;
  };
  const std::vector<Case> cases = {
      {"lead-in (its duty has no frame before it)", frame(3000)},
      {"running", frame(6000)},
      {"base advance", frame(6100).Byte(3, 0x68)},
      {"programmed data error", frame(6200).Byte(3, 0xE0)},
      {"limiter by ignition", frame(6300).Byte(2, 0xC4)},
      {"limiter by injection", frame(6400).Byte(2, 0xC8)},
      {"limiter by retard", frame(6500).Byte(2, 0xD0)},
      {"all three limiters", frame(6600).Byte(2, 0xDC)},
      {"intake servo fault", frame(6700).Byte(2, 0x40)},
      {"exhaust servo fault", frame(6800).Byte(2, 0x80)},
      {"intake servo on idle control", frame(6900).Byte(4, 0x10)},
      {"fall sensor output", frame(7000).Byte(1, 0x57)},
      {"blocking output", frame(7100).Byte(1, 0x5D)},
      {"throttle sensor error", frame(7200).Byte(4, 0x01)},
      {"pressure sensor error", frame(7300).Byte(4, 0x02)},
      {"atmospheric sensor error", frame(7400).Byte(4, 0x04)},
      {"coolant sensor error", frame(7500).Byte(23, 0)},
      {"air sensor error", frame(7600).Byte(24, 0)},
      {"another version", frame(7700).Byte(150, 67)},
      {"base advance and a limiter", frame(7800).Byte(3, 0x68).Byte(2, 0xC4)},
  };
  std::vector<LinkFrame> frames;
  for (const Case& c : cases) frames.push_back(c.frame.Frame());

  // The window: it reads the unit, then shows the frames.
  StationFixture fx;
  fx.unit.LoadImage(DefaultParameterSet(bike));
  CraftedMonitorPort window_port(fx.port, frames);
  Station station(window_port, fx.desktop, fx.Paths());
  station.FormCreate({});
  ASSERT_EQ(station.active_page(), kPageBike);
  station.MenuReadClick();
  for (int i = 0; i < 2000 && station.session().state() != SessionState::kIdle; ++i) {
    fx.port.AdvanceTick();
    station.Timer1Timer();
  }
  ASSERT_EQ(station.image().Byte(kCylinderCountOffset), 4);
  window_port.Arm();
  std::vector<std::map<std::string, std::string>> shown;
  for (int i = 0; i < 2000 && shown.size() < frames.size(); ++i) {
    const std::size_t before = window_port.delivered();
    fx.port.AdvanceTick();
    station.Timer1Timer();
    if (window_port.delivered() == before) continue;
    std::map<std::string, std::string> texts;
    for (const char* name :
         {"LabelRpm", "LabelTpsMon", "LabelPodtlak", "LabelTlak", "LabelLambda", "LabelVoda",
          "LabelVzduch", "LabelGear", "LabelMonSpeed", "LabelMon_Ign", "LabelMon_Jet_A",
          "LabelMaxInjProcent", "LabelNapeti", "LabelMonServoIntake"}) {
      const std::optional<ControlHandle> label = station.controls().Find(name);
      ASSERT_TRUE(label.has_value()) << name;
      texts[name] = station.controls().Get(*label).text;
    }
    const auto red = [&](const char* name) {
      return station.controls().Get(station.controls().Handle(name)).color == kColorRed;
    };
    const auto fuchsia = [&](const char* name) {
      return station.controls().Get(station.controls().Handle(name)).color == kColorFuchsia;
    };
    const auto flag = [](bool on) { return on ? std::string("1") : std::string("0"); };
    texts["Programmed data error!"] =
        flag(station.controls().Get(station.controls().Handle("LabelEeDataErr")).visible);
    texts["Limiter by ignition"] = flag(fuchsia("LabelMonIgnLimiter"));
    texts["Limiter by injection"] = flag(fuchsia("LabelMonJetLimiter"));
    texts["Limiter by retard"] = flag(fuchsia("LabelMonRetardLimiter"));
    texts["Fall sensor"] = flag(red("LabelMonFallOut"));
    texts["Blocking"] = flag(red("LabelMonBlock2Out"));
    texts["Intake servo fault"] = flag(red("LabelMonServoIntake"));
    texts["Exhaust servo fault"] = flag(red("LabelMonServoExhaust"));
    texts["Intake servo = Idle"] =
        flag(texts["LabelMonServoIntake"].find("Idle") != std::string::npos);
    texts["air sensor error"] = flag(red("LabelVzduch"));
    texts["AP sensor error"] = flag(red("LabelTlak"));
    texts["version mismatch"] = flag(red("LabelVersion"));
    shown.push_back(texts);
  }
  ASSERT_EQ(shown.size(), frames.size());

  // The command line, against the same unit and the same frames.
  UnitEmulator unit;
  unit.LoadImage(DefaultParameterSet(bike));
  MemoryUnitPort unit_port(unit);
  CraftedMonitorPort line_port(unit_port, frames);
  line_port.Arm();
  UnitClock clock(unit_port);
  const CommandRun run =
      RunCommand({"monitor", "--port", "/dev/emulated", "--frames", std::to_string(frames.size())},
                 line_port, clock);
  ASSERT_EQ(run.code, kExitOk) << run.err;
  std::vector<std::string> lines;
  for (std::istringstream in(run.out); std::getline(in, lines.emplace_back());) {
    if (!lines.back().starts_with("rpm ")) lines.pop_back();
  }
  while (!lines.empty() && !lines.back().starts_with("rpm ")) lines.pop_back();
  ASSERT_EQ(lines.size(), frames.size()) << run.out;

  // Which label shows what the line calls by its key.
  const std::pair<const char*, const char*> values[] = {
      {"rpm", "LabelRpm"},     {"tps", "LabelTpsMon"},    {"iap", "LabelPodtlak"},
      {"ap", "LabelTlak"},     {"lambda", "LabelLambda"}, {"coolant", "LabelVoda"},
      {"air", "LabelVzduch"},  {"gear", "LabelGear"},     {"speed", "LabelMonSpeed"},
      {"adv", "LabelMon_Ign"}, {"inj", "LabelMon_Jet_A"}, {"duty", "LabelMaxInjProcent"},
  };
  const char* states[] = {"Programmed data error!", "Limiter by ignition", "Limiter by injection",
                          "Limiter by retard",      "Fall sensor",         "Blocking",
                          "Intake servo fault",     "Exhaust servo fault", "Intake servo = Idle",
                          "air sensor error",       "AP sensor error",     "version mismatch"};
  for (std::size_t i = 1; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].what);
    const std::string& line = lines[i];
    std::map<std::string, std::string> on_line = LineValues(line);
    ASSERT_EQ(on_line.size(), 14u) << line;
    for (const auto& [key, label] : values) {
      EXPECT_EQ(on_line[key], WindowValue(shown[i][label])) << key << "\n" << line;
    }
    // The window rounds the supply to 0.1 V, the line shows it to 0.01 V.
    EXPECT_NEAR(std::atof(on_line["batt"].c_str()),
                std::atof(WindowValue(shown[i]["LabelNapeti"]).c_str()), 0.051)
        << line;
    const std::string notes = line.substr(line.find(" ver "));
    for (const char* state : states) {
      EXPECT_EQ(notes.find(state) != std::string::npos, shown[i][state] == "1") << state << "\n"
                                                                                << line;
    }
  }
  // The frames above are the ones whose words matter: the advance the window shows is the mean,
  // and BASE is a word of its own.
  EXPECT_EQ(WindowValue(shown[1]["LabelMon_Ign"]), "26");
  EXPECT_EQ(WindowValue(shown[2]["LabelMon_Ign"]), "BASE");
}

}  // namespace
}  // namespace korvan
