#pragma once

#include <optional>
#include <string>
#include <vector>

#include "emulator/unit_emulator.h"

namespace korvan {

struct UnitOptions {
  UnitFault fault;
  std::string link_path;  // a symbolic link to the pseudo-terminal, for scripts
  // An engine that answers the maps (--engine), needing this much more fuel than the maps give
  // (--fuel-error PERCENT, which implies --engine).
  bool engine = false;
  int fuel_error_percent = 0;
  bool help = false;
};

// Parses the emulator's command line (without the program name). On a bad option returns nothing
// and says why in *error.
std::optional<UnitOptions> ParseUnitOptions(const std::vector<std::string>& args,
                                            std::string* error);

extern const char kUnitUsage[];

}  // namespace korvan
