#pragma once

#include <cstdio>

#include "cli/command_options.h"

namespace korvan::cli {

// `korvan defaults --bike N -o FILE`: the default set of a bike, saved as the window saves it
// after New. Returns the exit code.
int RunDefaults(const Options& o, std::FILE* out, std::FILE* err);

// `korvan check FILE`: opens a set as the station does and says what it holds and what the
// consistency rules change. Returns the exit code.
int RunCheck(const Options& o, std::FILE* out, std::FILE* err);

}  // namespace korvan::cli
