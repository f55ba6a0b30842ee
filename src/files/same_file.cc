#include "files/same_file.h"

#include <system_error>

namespace korvan {

bool OutputIsInput(const std::filesystem::path& input, const std::filesystem::path& output) {
  // The same device and inode, links followed; false when either cannot be looked at.
  std::error_code error;
  const bool same = std::filesystem::equivalent(input, output, error);
  return !error && same;
}

}  // namespace korvan
