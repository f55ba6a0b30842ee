#pragma once
// The command line run inside the test's own process, its output and its errors caught as text.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "link/serial_port.h"

namespace korvan {

// Ticks without waiting: the emulated unit in memory answers at once.
class NoClock : public TickClock {
 public:
  void WaitForNextTick() override {}
};

struct CommandRun {
  int code;
  std::string out;
  std::string err;
};

// All that was written into a temporary file; the file is closed.
inline std::string TakeText(std::FILE* file) {
  std::string text;
  std::rewind(file);
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
    text.push_back(static_cast<char>(c));
  std::fclose(file);
  return text;
}

inline CommandRun RunCommand(const std::vector<std::string>& args, SerialPort& port,
                             TickClock& clock) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int code = RunCommandLine(args, port, clock, out, err);
  return {code, TakeText(out), TakeText(err)};
}

}  // namespace korvan
