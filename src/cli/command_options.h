#pragma once

#include <optional>
#include <string>
#include <vector>

#include "texts/messages.h"

namespace korvan::cli {

// The command line speaks the station's first language.
inline constexpr Language kLanguage = Language::kEnglish;

// The options of the commands that share one syntax (read, verify, program, monitor, defaults,
// check, ports), as typed.
struct Options {
  std::string command;
  std::string port;
  std::string output;
  std::string file;
  long frames = -1;
  long ticks = -1;
  std::string bike;    // as typed; checked by the command that uses it
  bool dump = false;   // FILE is an image dump instead of a parameter file
  std::string log;     // monitor: record into this file
  bool fast = false;   // monitor: fast live data
  bool force = false;  // program: a damaged file or an unknown bike goes to the unit all the same
};

// A whole number of 0 or more, nothing else around it.
std::optional<long> ParseCount(const std::string& text);

// The command and its options (args without the program name); nothing, with the reason in
// error, when they do not parse.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error);

}  // namespace korvan::cli
