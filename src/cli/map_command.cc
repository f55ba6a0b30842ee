#include "cli/map_command.h"

#include <array>
#include <cctype>
#include <optional>
#include <string_view>

#include "cli/command_line.h"
#include "cli/command_options.h"
#include "cli/map_import.h"
#include "cli/set_files.h"
#include "files/map_csv.h"
#include "files/parameter_file.h"
#include "files/parameter_set_check.h"
#include "files/safe_file.h"
#include "files/same_file.h"
#include "image/consistency.h"
#include "texts/messages.h"

namespace korvan {
namespace {

// The maps as the command line names them, in the order of kMapTable.
constexpr std::array<std::string_view, kMapCount> kMapNames{
    "advance", "inj-1a",  "inj-2a",       "inj-3a",       "inj-4a",
    "inj-b",   "inj-iap", "intake-servo", "exhaust-servo"};

// A CSV of one map is a few kilobytes; anything far larger is not one.
constexpr std::size_t kMaxCsvBytes = 1 << 16;

std::optional<MapId> MapNamed(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::size_t m = 0; m < kMapNames.size(); ++m) {
    if (kMapNames[m] == name) return kMapTable[m].id;
  }
  return std::nullopt;
}

struct MapArgs {
  std::string action;
  std::vector<std::string> operands;
  std::string output;
  bool stored = false;
  bool axes = false;
};

int UsageError(std::FILE* err, const std::string& what) {
  std::fprintf(err, "korvan: %s\n%s", what.c_str(), kCommandLineUsage);
  return kExitUsage;
}

std::optional<MapArgs> ParseMapArgs(const std::vector<std::string>& args, std::string* error) {
  MapArgs a;
  if (args.size() < 2 || (args[1] != "export" && args[1] != "import")) {
    *error = "map needs: export FILE MAP or import FILE MAP IN.csv";
    return std::nullopt;
  }
  a.action = args[1];
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-o" || arg == "--output") {
      if (i + 1 >= args.size()) {
        *error = arg + " needs a value";
        return std::nullopt;
      }
      a.output = args[++i];
    } else if (arg == "--stored") {
      a.stored = true;
    } else if (arg == "--axes") {
      if (a.action != "import") {
        *error = "--axes is for map import";
        return std::nullopt;
      }
      a.axes = true;
    } else if (!arg.empty() && arg[0] == '-') {
      *error = "unknown option " + arg;
      return std::nullopt;
    } else {
      a.operands.push_back(arg);
    }
  }
  const std::size_t wanted = a.action == "export" ? 2 : 3;
  if (a.operands.size() != wanted) {
    *error =
        a.action == "export" ? "map export needs FILE MAP" : "map import needs FILE MAP IN.csv";
    return std::nullopt;
  }
  return a;
}

void PrintCsvError(std::FILE* err, const std::string& csv_path, const MapCsvError& error,
                   const std::string& target) {
  std::fprintf(err, "korvan: %s: line %d, column %d: %s\nkorvan: %s not written\n",
               csv_path.c_str(), error.place.line, error.place.column, error.reason.c_str(),
               target.c_str());
}

// Said as the saving of a set says it.
void PrintWriteError(std::FILE* err, const std::string& path, const FileWriteResult& written) {
  const MessageKey reason = WriteFailureReason(written);
  cli::PrintFileError(
      err, MessageKey::kMsgFileOpenError, path,
      reason != MessageKey::kNone
          ? std::string(MessageText(reason, cli::kLanguage))
          : "cannot write (" + std::string(FileWriteStepName(written.failed_step)) + " failed)");
}

int ExportMap(const MapArgs& a, MapId map, std::FILE* out, std::FILE* err) {
  const std::string& file = a.operands[0];
  if (cli::RefuseOutputOverInput(file, a.output, err)) return kExitUsage;
  // What the file's loading has to say goes with the errors: out may be the CSV itself.
  const std::optional<ParameterImage> image = cli::LoadSetFile(file, false, err, err);
  if (!image) return kExitFile;
  const std::string text = FormatMapCsv(MapCsvOf(*image, map, a.stored), map);
  if (a.output.empty()) {
    std::fputs(text.c_str(), out);
    return kExitOk;
  }
  const FileWriteResult written = WriteFileSafely(a.output, text);
  if (!written.ok()) {
    PrintWriteError(err, a.output, written);
    return kExitFile;
  }
  std::fprintf(out, "Exported %s to %s\n", cli::MapPageName(map).c_str(), a.output.c_str());
  return kExitOk;
}

// An import that leaves the set as the file holds it leaves the file as it is: written anew it
// would lose what the reader does not take (Inj-2A..4A while coupled, words it ignored).
int KeepFile(const std::string& file, const std::string& target, std::FILE* out, std::FILE* err) {
  if (OutputIsInput(file, target)) {
    std::fprintf(out, "%s: nothing changed, the file is left as it was\n", file.c_str());
    return kExitOk;
  }
  const FileReadResult read = ReadFileBounded(file, kMaxParameterFileBytes);
  const FileWriteResult written =
      read.ok() ? WriteFileSafely(target, read.content) : FileWriteResult{FileWriteStep::kWrite};
  if (!written.ok()) {
    PrintWriteError(err, target, written);
    return kExitFile;
  }
  std::fprintf(out, "Saved %s\n", target.c_str());
  return kExitOk;
}

int ImportMap(const MapArgs& a, MapId map, std::FILE* out, std::FILE* err) {
  const std::string& file = a.operands[0];
  const std::string& csv_path = a.operands[2];
  const std::string target = a.output.empty() ? file : a.output;
  if (cli::RefuseOutputOverInput(csv_path, target, err)) return kExitUsage;
  std::optional<ParameterImage> as_file;
  std::optional<ParameterImage> image = cli::LoadSetFile(file, false, out, err, false, &as_file);
  if (!image) return kExitFile;
  const FileReadResult read = ReadFileBounded(csv_path, kMaxCsvBytes);
  if (!read.ok()) {
    const MessageKey reason = ReadFailureReason(read);
    cli::PrintFileError(err, MessageKey::kMsgFileOpenError, csv_path,
                        read.failure == FileReadFailure::kTooLarge ? "too large for a map's CSV"
                        : reason != MessageKey::kNone
                            ? std::string(MessageText(reason, cli::kLanguage))
                            : "cannot open or read the file");
    return kExitFile;
  }
  MapCsv csv;
  if (auto error = ParseMapCsv(read.content, &csv)) {
    PrintCsvError(err, csv_path, *error, target);
    return kExitFile;
  }
  cli::MapImportCount count;
  if (auto error = cli::ImportMapCsv(*image, map, csv, {a.stored, a.axes}, &count)) {
    PrintCsvError(err, csv_path, *error, target);
    return kExitFile;
  }
  const ParameterImage taken = *image;
  StationSettings settings{0, 0};
  ApplyConsistencyRules(*image, settings);
  std::fprintf(out, "%s: %d cell%s and %d axis point%s changed\n", cli::MapPageName(map).c_str(),
               count.cells, count.cells == 1 ? "" : "s", count.axis_points,
               count.axis_points == 1 ? "" : "s");
  const std::vector<ImageChange> changes = DescribeImageChanges(taken, *image);
  if (!changes.empty()) std::fputs(FormatImageChanges(changes).c_str(), out);
  if (as_file && *as_file == *image) return KeepFile(file, target, out, err);
  return cli::SaveSetFile(target, false, *image, out, err) ? kExitOk : kExitFile;
}

}  // namespace

int RunMapCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  std::string error;
  const std::optional<MapArgs> a = ParseMapArgs(args, &error);
  if (!a) return UsageError(err, error);
  const std::optional<MapId> map = MapNamed(a->operands[1]);
  if (!map) {
    std::string names;
    for (std::string_view name : kMapNames)
      names += (names.empty() ? "" : ", ") + std::string(name);
    return UsageError(err, "unknown map " + a->operands[1] + " (one of " + names + ")");
  }
  return a->action == "export" ? ExportMap(*a, *map, out, err) : ImportMap(*a, *map, out, err);
}

}  // namespace korvan
