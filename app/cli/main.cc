// korvan: the station's command line (read, verify, program, monitor) on a serial device.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/posix_serial_port.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  korvan::PosixSerialPort port;
  korvan::SteadyTickClock clock;
  return korvan::RunCommandLine(args, port, clock, stdout, stderr);
}
