#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace korvan {

// The unit could not be read for `korvan diff` (1 already means "the sets differ").
inline constexpr int kExitUnitUnread = 4;

// `korvan diff [--dump] A B`: A and B are parameter files (image dumps with --dump) or
// `--port P` for the unit. Prints the differences field by field; returns kExitOk when the sets
// are equal, kExitRunFailed (1) when they differ, kExitUsage, kExitFile or kExitUnitUnread.
// args include "diff".
int RunDiffCommand(const std::vector<std::string>& args, SerialPort& port, TickClock& clock,
                   std::FILE* out, std::FILE* err);

}  // namespace korvan
