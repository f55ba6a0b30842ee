#include "cli/batch_command.h"

#include <filesystem>
#include <string_view>

#include "cli/command_line.h"
#include "files/parameter_set_check.h"
#include "files/safe_file.h"
#include "files/same_file.h"
#include "files/service_batch.h"
#include "model/bike_list.h"
#include "texts/messages.h"

namespace korvan {

namespace {

constexpr Language kLanguage = Language::kEnglish;

int Usage(std::FILE* err, const std::string& problem) {
  std::fprintf(err, "korvan: %s\n%s", problem.c_str(), kCommandLineUsage);
  return kExitUsage;
}

std::string Quoted(const std::filesystem::path& path) {
  return "\"" + path.generic_string() + "\"";
}

int SaveAll(const std::filesystem::path& dir, std::FILE* out, std::FILE* err) {
  // The set the station holds after start-up is what the first bike's set is built over.
  ParameterImage image = StartParameterSet();
  BikeModelState bike;
  WordMapState word_maps;
  const SaveAllNewResult result = SaveAllNew(dir, image, bike, word_maps);
  if (result.directory_error) {
    std::fprintf(err, "korvan: cannot create %s: %s\n", Quoted(dir).c_str(),
                 result.directory_error.message().c_str());
  }
  const std::string open_error(MessageText(MessageKey::kMsgFileOpenError, kLanguage));
  for (const BatchFileWrite& file : result.files) {
    if (file.write.ok()) continue;
    std::fprintf(err, "%s %s (bike %d: %s failed%s%s)\n", open_error.c_str(),
                 Quoted(file.path).c_str(), file.bike_code,
                 std::string(FileWriteStepName(file.write.failed_step)).c_str(),
                 file.write.error_number != 0 ? ": " : "",
                 file.write.error_number != 0
                     ? std::generic_category().message(file.write.error_number).c_str()
                     : "");
  }
  const int written = static_cast<int>(result.files.size()) - result.failures();
  std::fprintf(out, "Saved %d of %zu bikes in %s\n", written, result.files.size(),
               Quoted(dir).c_str());
  return result.failures() == 0 ? kExitOk : kExitFile;
}

// The report is written over a link's target: a report name that leads to one of the compared
// files would replace it.
bool ReportIsAnInput(const std::filesystem::path& new_dir, const std::filesystem::path& old_dir,
                     std::FILE* err) {
  const std::filesystem::path report = new_dir / std::string(kCompareReportName);
  for (int i = 0; i < kBikeListSeparator; ++i) {
    for (const std::filesystem::path* dir : {&new_dir, &old_dir}) {
      if (!OutputIsInput(BatchFileOfListIndex(*dir, i), report)) continue;
      std::fprintf(err, "korvan: %s%s\n",
                   std::string(MessageText(MessageKey::kMsgOutputIsInput, kLanguage)).c_str(),
                   Quoted(report).c_str());
      return true;
    }
  }
  return false;
}

int Compare(const std::filesystem::path& new_dir, const std::filesystem::path& old_dir,
            std::FILE* out, std::FILE* err) {
  if (ReportIsAnInput(new_dir, old_dir, err)) return kExitUsage;
  const CompareAllNewResult result = CompareAllNew(new_dir, old_dir);
  if (!result.ok()) {
    std::fprintf(err, "%s%s (%s failed%s%s)\n",
                 std::string(MessageText(MessageKey::kMsgBatchReportError, kLanguage)).c_str(),
                 Quoted(result.report).c_str(),
                 std::string(FileWriteStepName(result.write.failed_step)).c_str(),
                 result.write.error_number != 0 ? ": " : "",
                 result.write.error_number != 0
                     ? std::generic_category().message(result.write.error_number).c_str()
                     : "");
    return kExitFile;
  }
  std::fprintf(out, "%d differing line%s, %d old file%s and %d new file%s missing\n",
               result.differing_lines, result.differing_lines == 1 ? "" : "s", result.missing_old,
               result.missing_old == 1 ? "" : "s", result.missing_new,
               result.missing_new == 1 ? "" : "s");
  std::fprintf(out, "%s%s\n",
               std::string(MessageText(MessageKey::kMsgBatchResults, kLanguage)).c_str(),
               Quoted(result.report).c_str());
  const bool same =
      result.differing_lines == 0 && result.missing_old == 0 && result.missing_new == 0;
  return same ? kExitOk : kExitRunFailed;
}

}  // namespace

int RunBatchCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.empty()) return Usage(err, "batch needs save-all or compare");
  const std::string& what = args[0];
  const std::vector<std::string> dirs(args.begin() + 1, args.end());
  for (const std::string& d : dirs) {
    if (!d.empty() && d[0] == '-') return Usage(err, "unknown option " + d);
  }
  if (what == "save-all") {
    if (dirs.size() > 1) return Usage(err, "batch save-all takes one folder at most");
    return SaveAll(
        dirs.empty() ? std::filesystem::path(kBatchNewDir) : std::filesystem::path(dirs[0]), out,
        err);
  }
  if (what == "compare") {
    if (dirs.size() == 1 || dirs.size() > 2) {
      return Usage(err, "batch compare takes both folders (NEW_DIR OLD_DIR) or neither");
    }
    return dirs.empty() ? Compare(kBatchNewDir, kBatchOldDir, out, err)
                        : Compare(dirs[0], dirs[1], out, err);
  }
  return Usage(err, "unknown batch command " + what);
}

}  // namespace korvan
