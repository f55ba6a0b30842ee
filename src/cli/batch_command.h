#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace korvan {

// `korvan batch save-all [DIR]` and `korvan batch compare [NEW_DIR OLD_DIR]`: the service batch
// without the window. args: what follows "batch". Returns the command line's exit code.
int RunBatchCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace korvan
