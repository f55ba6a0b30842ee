#include "cli/command_options.h"

#include <charconv>
#include <system_error>

namespace korvan::cli {

std::optional<long> ParseCount(const std::string& text) {
  long value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error) {
  Options o;
  if (args.empty()) {
    *error = "no command given";
    return std::nullopt;
  }
  o.command = args[0];
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string* target) {
      if (i + 1 >= args.size()) {
        *error = a + " needs a value";
        return false;
      }
      *target = args[++i];
      return true;
    };
    std::string text;
    if (a == "--port") {
      if (!value(&o.port)) return std::nullopt;
    } else if (a == "-o" || a == "--output") {
      if (!value(&o.output)) return std::nullopt;
    } else if (a == "--bike") {
      if (!value(&o.bike)) return std::nullopt;
    } else if (a == "--dump") {
      o.dump = true;
    } else if (a == "--log") {
      if (!value(&o.log)) return std::nullopt;
    } else if (a == "--fast") {
      o.fast = true;
    } else if (a == "--force") {
      o.force = true;
    } else if (a == "--frames" || a == "--ticks") {
      if (!value(&text)) return std::nullopt;
      const auto count = ParseCount(text);
      if (!count) {
        *error = a + " needs a whole number";
        return std::nullopt;
      }
      (a == "--frames" ? o.frames : o.ticks) = *count;
    } else if (!a.empty() && a[0] == '-') {
      *error = "unknown option " + a;
      return std::nullopt;
    } else if (o.file.empty()) {
      o.file = a;
    } else {
      *error = "unexpected argument " + a;
      return std::nullopt;
    }
  }
  return o;
}

}  // namespace korvan::cli
