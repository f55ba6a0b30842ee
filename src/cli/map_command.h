#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace korvan {

// `korvan map export FILE MAP [--stored] [-o OUT.csv]`: one map of a parameter file as CSV (to
// out unless -o is given). `korvan map import FILE MAP IN.csv [--stored] [--axes] [-o OUT]`:
// the map taken from such a CSV into the set, the consistency rules run, the set saved to OUT
// (FILE unless given) through the safe write. A bad CSV is refused with its line and column and
// nothing is written. args include "map". Returns kExitOk, kExitUsage or kExitFile.
int RunMapCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace korvan
