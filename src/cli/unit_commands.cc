#include "cli/unit_commands.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "cli/set_files.h"
#include "cli/unit_runner.h"
#include "texts/messages.h"

namespace korvan::cli {

int RunUnitCommand(const Options& o, SerialPort& port, TickClock& clock, std::FILE* out,
                   std::FILE* err) {
  const bool needs_file = o.command == "verify" || o.command == "program";
  Runner runner(port, clock, out, err);
  if (!runner.SelectPort(o.port)) return kExitUsage;
  // read -o and monitor --log write; what they read is the port's device and the set's file.
  for (const std::string* output : {&o.output, &o.log}) {
    if (RefuseOutputOverInput(runner.link().CurrentDevice(), *output, err) ||
        RefuseOutputOverInput(o.file, *output, err)) {
      return kExitUsage;
    }
  }
  // A recording never replaces another file (the window's recording does not either); said
  // before the port is opened, so the unit is not even asked.
  std::error_code exists_error;
  if (o.command == "monitor" && !o.log.empty() &&
      std::filesystem::symlink_status(o.log, exists_error).type() !=
          std::filesystem::file_type::not_found &&
      !exists_error) {
    std::fprintf(err, "%s%s\n",
                 std::string(MessageText(MessageKey::kMsgLogFileExists, kLanguage)).c_str(),
                 o.log.c_str());
    return kExitFile;
  }
  const bool refuse = o.command == "program" && !o.force;
  const bool set_file = needs_file || (o.command == "monitor" && !o.file.empty());
  if (set_file && !runner.LoadSet(o.file, o.dump, refuse)) return kExitFile;
  if (!runner.Open()) return kExitRunFailed;

  if (o.command == "monitor") {
    if (!set_file) runner.ReadSetForMonitor();
    return runner.Monitor(o.frames, o.ticks, o.log, o.fast);
  }
  if (o.command == "read") {
    runner.session().StartRead();
    if (!runner.RunToEnd()) return kExitRunFailed;
    runner.link().CloseLink();
    if (!o.output.empty() && !runner.SaveSet(o.output, o.dump)) return kExitFile;
    return kExitOk;
  }
  if (o.command == "verify") {
    runner.session().StartVerify();
    return runner.RunToEnd() ? kExitOk : kExitRunFailed;
  }
  runner.session().StartProgram();
  if (!runner.RunToEnd()) return kExitRunFailed;
  runner.WaitForSaving();
  return kExitOk;
}

}  // namespace korvan::cli
