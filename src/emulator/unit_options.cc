#include "emulator/unit_options.h"

#include <charconv>

namespace korvan {

const char kUnitUsage[] =
    "usage: korvan-unit [options]\n"
    "Plays an engine control unit on a pseudo-terminal and prints the device path to open.\n"
    "  --silent               answer nothing\n"
    "  --bad-check            every reply fails its check byte\n"
    "  --wrong-code           every reply carries a code that was not asked for\n"
    "  --mismatch-block N     the echo of a write of block N differs in one byte\n"
    "  --stray N              send N bytes of noise after every reply (at most 64)\n"
    "  --late N               answer N ticks (55 ms each) late\n"
    "  --version N            report program version N instead of 68\n"
    "  --no-reading           the unit forbids reading\n"
    "  --corrupt-every K      damage every K-th reply\n"
    "  --link PATH            also make PATH a symbolic link to the device\n"
    "  --engine               an engine that answers the maps: the lambda probe reads the\n"
    "                         mixture Inj-1A gives at the operating point\n"
    "  --fuel-error PERCENT   the engine needs PERCENT more fuel than the maps give (-50..100;\n"
    "                         implies --engine)\n";

namespace {

bool ParseNumber(const std::string& text, int min, int max, int* out) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < min || value > max) return false;
  *out = value;
  return true;
}

}  // namespace

std::optional<UnitOptions> ParseUnitOptions(const std::vector<std::string>& args,
                                            std::string* error) {
  UnitOptions options;
  struct NumberOption {
    const char* name;
    int min, max;
    int* target;
  };
  UnitFault& f = options.fault;
  const NumberOption numbers[] = {
      {"--mismatch-block", 0, 19, &f.mismatch_echo_block},
      {"--stray", 0, static_cast<int>(UnitReply::kMaxStray), &f.stray_bytes},
      {"--late", 0, 1000, &f.late_ticks},
      {"--version", 0, 255, &f.version},
      {"--corrupt-every", 1, 1000000, &f.corrupt_every},
      {"--fuel-error", -50, 100, &options.fuel_error_percent},
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--silent") {
      f.silent = true;
    } else if (arg == "--bad-check") {
      f.bad_check_byte = true;
    } else if (arg == "--wrong-code") {
      f.wrong_reply_code = true;
    } else if (arg == "--engine") {
      options.engine = true;
    } else if (arg == "--no-reading") {
      f.reading_forbidden = true;
    } else if (arg == "--link") {
      if (i + 1 >= args.size()) {
        *error = "--link needs a path";
        return std::nullopt;
      }
      options.link_path = args[++i];
    } else {
      bool known = false;
      for (const NumberOption& n : numbers) {
        if (arg != n.name) continue;
        known = true;
        if (i + 1 >= args.size() || !ParseNumber(args[i + 1], n.min, n.max, n.target)) {
          *error = arg + " needs a whole number from " + std::to_string(n.min) + " to " +
                   std::to_string(n.max);
          return std::nullopt;
        }
        ++i;
      }
      if (!known) {
        *error = "unknown option " + arg;
        return std::nullopt;
      }
      if (arg == "--fuel-error") options.engine = true;
    }
  }
  return options;
}

}  // namespace korvan
