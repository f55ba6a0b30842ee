#pragma once

#include <cstdio>

#include "cli/command_line.h"
#include "cli/command_options.h"
#include "link/serial_port.h"

namespace korvan::cli {

// `korvan read`, `verify`, `program` and `monitor` on the unit behind the port, with options
// already parsed and the command one of those four. Returns the exit code.
int RunUnitCommand(const Options& o, SerialPort& port, TickClock& clock, std::FILE* out,
                   std::FILE* err);

}  // namespace korvan::cli
