#pragma once

#include <cstdint>
#include <span>

#include "image/parameter_image.h"
#include "monitor/live_values.h"

namespace korvan {

// The unit program version this station is built for.
inline constexpr std::uint8_t kMonitorVersion = 68;

// Values the decoder takes from the rest of the station.
struct MonitorInputs {
  int cylinders = 0;  // image byte 256 (1..4); 0 when not known: the mean is cylinder 1's
  std::uint8_t ignition_limiter = 0;  // image byte 29, hundreds of rpm
};

// The decoder's inputs as the parameter set holds them: its cylinder count (byte 256) and its
// ignition limiter (byte 29). The window, the command line and a recording's header all take them
// from here, so a frame decodes alike wherever it is shown.
MonitorInputs MonitorInputsOf(const ParameterImage& image);

// Validates a received buffer as a monitor frame (code 0xB0, check byte) and, when it is valid,
// decodes its first 152 bytes into `live`. Returns true when the frame was accepted; the caller
// then resets the connection counter. A rejected buffer (wrong code, bad check byte, fewer than
// 152 bytes) leaves `live` untouched. Bytes beyond the frame are ignored. A frame from a unit of
// another program version is decoded like any other.
bool DecodeMonitorFrame(std::span<const std::uint8_t> buffer, const MonitorInputs& inputs,
                        LiveValues& live);

// True when the unit that sent the latest frame runs the program version of this station.
inline bool VersionMatches(const LiveValues& live) { return live.unit_version == kMonitorVersion; }

// Lambda bar: empty below 400 mV, full above 1000 mV, linear in between.
constexpr int LambdaGaugeValue(int lambda_mv) {
  if (lambda_mv < 400) return 0;
  if (lambda_mv > 1000) return 100;
  return (lambda_mv - 400) / 6;
}

}  // namespace korvan
