#include "cli/diff_command.h"

#include <optional>

#include "diff/diff_report.h"
#include "diff/field_captions.h"
#include "diff/image_diff.h"

namespace korvan {
namespace {

// One side of the comparison as typed: a file, or the unit behind a port.
struct DiffOperand {
  std::string file;
  std::string port;
  bool unit = false;
};

}  // namespace

int RunDiffCommand(const std::vector<std::string>& args, SerialPort& port, TickClock& clock,
                   std::FILE* out, std::FILE* err) {
  std::vector<DiffOperand> operands;
  bool dump = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--dump") {
      dump = true;
    } else if (args[i] == "--port") {
      if (i + 1 >= args.size()) {
        std::fprintf(err, "korvan: --port needs a device or port number\n%s", kCommandLineUsage);
        return kExitUsage;
      }
      operands.push_back({"", args[++i], true});
    } else {
      operands.push_back({args[i], "", false});
    }
  }
  if (operands.size() != 2) {
    std::fprintf(err, "korvan: diff needs two sets: A B (files or --port P)\n%s",
                 kCommandLineUsage);
    return kExitUsage;
  }
  if (operands[0].unit && operands[1].unit) {
    std::fprintf(err, "korvan: diff compares the unit with a file, not with itself\n");
    return kExitUsage;
  }
  // Files first: a file error needs no unit read.
  std::optional<ParameterImage> sets[2];
  for (int s = 0; s < 2; ++s) {
    if (operands[s].unit) continue;
    sets[s] = LoadSetForCommand(operands[s].file, dump, err, err);
    if (!sets[s]) return kExitFile;
  }
  for (int s = 0; s < 2; ++s) {
    if (!operands[s].unit) continue;
    // The read's progress goes with the errors, so that out holds the list alone.
    sets[s] = ReadUnitForCommand(operands[s].port, port, clock, err, err);
    if (!sets[s]) {
      std::fprintf(err, "korvan: the unit could not be read\n");
      return kExitUnitUnread;
    }
  }
  const std::vector<DiffEntry> entries = DiffImages(*sets[0], *sets[1]);
  // Fields are named by the window's captions, as its difference view names them.
  const FieldCaptions captions(Language::kEnglish);
  const FieldLabelLookup label = [&captions](const Field& field, int element) {
    return captions(field, element);
  };
  std::fputs(FormatDiffReport(entries, Language::kEnglish, label).c_str(), out);
  return entries.empty() ? kExitOk : kExitRunFailed;
}

}  // namespace korvan
