// The command line's monitor line, against what the window's live panel shows.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "monitor/monitor_frame.h"
#include "monitor/monitor_frame_builder.h"
#include "shell/command_line.h"

namespace korvan {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A running engine at 6000 rpm, coolant 85 C, air 25 C.
MonitorFrameBuilder Running() {
  MonitorFrameBuilder b;
  b.Byte(1, 0xFF).Word(48, 6000).Word(52, 1013).Byte(23, 185).Byte(24, 125);
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

}  // namespace
}  // namespace korvan
