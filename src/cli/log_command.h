#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace korvan {

// `korvan log export FILE [OUT.csv]`: a recording as CSV, OUT defaulting to FILE with its
// extension replaced by .csv. An OUT that is FILE itself (or a link to it) is refused with exit
// status 2 before anything is read or written. args without the program name. Returns the exit
// code.
int RunLogCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace korvan
