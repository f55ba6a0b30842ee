#pragma once

#include <filesystem>

namespace korvan {

// True when `output` names the file `input` names: the same path, a hard link to it, or a
// symbolic link (through any number of links) to it. Writing such an output would destroy the
// input before it is read whole, so a command refuses it. An output that does not exist yet is
// never the input.
bool OutputIsInput(const std::filesystem::path& input, const std::filesystem::path& output);

}  // namespace korvan
