#include "cli/log_command.h"

#include <filesystem>

#include "cli/command_line.h"
#include "datalog/recording.h"
#include "datalog/recording_csv.h"
#include "datalog/recording_notes.h"
#include "files/safe_file.h"
#include "files/same_file.h"
#include "texts/messages.h"

namespace korvan {

int RunLogCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.size() < 3 || args.size() > 4 || args[1] != "export") {
    std::fprintf(err, "korvan: log needs: export FILE [OUT.csv]\n%s", kCommandLineUsage);
    return kExitUsage;
  }
  const std::string& path = args[2];
  const std::string target =
      args.size() == 4 ? args[3] : std::filesystem::path(path).replace_extension(".csv").string();
  // "ride.csv" holding a recording would otherwise be replaced by its own export.
  if (OutputIsInput(path, target)) {
    std::fprintf(
        err, "korvan: %s%s\n",
        std::string(MessageText(MessageKey::kMsgOutputIsInput, Language::kEnglish)).c_str(),
        target.c_str());
    return kExitUsage;
  }
  const RecordingReadResult read = ReadRecording(path);
  if (!read.ok()) {
    std::fprintf(err, "korvan: %s: %s\n", path.c_str(),
                 std::string(MessageText(read.error, Language::kEnglish)).c_str());
    return kExitFile;
  }
  std::fputs(RecordingNotes(read.recording, 0).c_str(), err);
  const FileWriteResult written = WriteFileSafely(target, RecordingToCsv(read.recording));
  if (!written.ok()) {
    std::fprintf(err, "korvan: %s: cannot write (%s failed)\n", target.c_str(),
                 std::string(FileWriteStepName(written.failed_step)).c_str());
    return kExitFile;
  }
  std::fprintf(out, "Exported %zu frames to %s\n", read.recording.frames.size(), target.c_str());
  return kExitOk;
}

}  // namespace korvan
