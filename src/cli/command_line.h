#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "device/tick_schedule.h"
#include "image/parameter_image.h"
#include "link/link.h"
#include "link/serial_port.h"
#include "monitor/live_values.h"

namespace korvan {

// Paces the command line's loop: one call per 55 ms tick.
class TickClock {
 public:
  virtual ~TickClock() = default;
  virtual void WaitForNextTick() = 0;
  // The time the line's monitor requests are spaced by; none where ticks take no time (tests).
  virtual LineClock line_clock() const { return {}; }
};

// The real tick: sleeps until the next 55 ms deadline (without drifting).
class SteadyTickClock : public TickClock {
 public:
  void WaitForNextTick() override;
  LineClock line_clock() const override {
    return [] { return std::chrono::steady_clock::now(); };
  }

 private:
  TickSchedule schedule_;
};

// Exit codes of the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFile = 3;

// Runs one command of the `korvan` program (args without the program name) against a serial
// port. Prints what the station shows to out, errors to err; returns the exit code.
int RunCommandLine(const std::vector<std::string>& args, SerialPort& port, TickClock& clock,
                   std::FILE* out, std::FILE* err);

extern const char kCommandLineUsage[];

// For commands that work on sets: a file as `verify` loads it (consistency rules applied), and the
// unit read over the port as `read` reads it (then verified), its progress printed to out.
// Nothing on failure, the reason printed to err.
std::optional<ParameterImage> LoadSetForCommand(const std::string& path, bool dump, std::FILE* out,
                                                std::FILE* err);
std::optional<ParameterImage> ReadUnitForCommand(const std::string& port_name, SerialPort& port,
                                                 TickClock& clock, std::FILE* out, std::FILE* err);

// One line of `korvan monitor` for a decoded frame, saying what the window's live panel says: the
// mean advance (decoded with the set's cylinders), or "BASE" while the unit runs on its base
// advance. A failed sensor reads as the window shows it: "error" in place of the throttle,
// pressure or coolant value; the air temperature shows the unit's 50 C stand-in. The line ends
// by naming, in the window's words, each state the window marks: programmed data error, the
// three limiters, fall sensor and blocking outputs, servo faults, the intake servo on idle
// control, and the sensors it marks red.
std::string FormatLiveLine(const LiveValues& v);

}  // namespace korvan
