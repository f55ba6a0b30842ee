#pragma once

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace korvan {

// The commands as korvan's own usage lists them ("  read ...", "  log export ..."): "read",
// "log export", ...
inline std::vector<std::string> UsageCommands() {
  std::vector<std::string> commands;
  std::istringstream usage(kCommandLineUsage);
  std::string line;
  while (std::getline(usage, line)) {
    if (line.size() < 3 || line[0] != ' ' || line[1] != ' ' || !std::islower(line[2])) continue;
    std::istringstream words(line);
    std::string command, second;
    words >> command >> second;
    if (command == "log" || command == "batch" || command == "map") command += " " + second;
    commands.push_back(command);
  }
  return commands;
}

}  // namespace korvan
