// The `korvan` program's commands: the usage text and which command runs. Each command lives in a
// file of its own (the unit's commands, monitor, defaults and check, diff, log, map, ports,
// batch).
#include "cli/command_line.h"

#include <optional>
#include <thread>

#include "cli/batch_command.h"
#include "cli/command_options.h"
#include "cli/diff_command.h"
#include "cli/file_commands.h"
#include "cli/log_command.h"
#include "cli/map_command.h"
#include "cli/ports_command.h"
#include "cli/unit_commands.h"
#include "settings/port_settings.h"

namespace korvan {

const char kCommandLineUsage[] =
    "usage: korvan COMMAND [options]\n"
    "  read     [--port P] [-o FILE]  read the unit (then verify) and save what it holds\n"
    "  verify   [--port P] FILE       compare the unit with a saved set\n"
    "  program  [--port P] [--force] FILE\n"
    "                                 write a saved set into the unit (then verify); a file\n"
    "                                 cut short or damaged, or one for a bike code of 50 or\n"
    "                                 more, is refused (exit 3) unless --force is given\n"
    "  defaults --bike N -o FILE      save the default set of bike code N (0..49)\n"
    "  check    FILE                  open a parameter file as the station does and say what\n"
    "                                 it holds and what the consistency rules change\n"
    "  monitor  [--port P] [--frames N] [--ticks N] [--log LOG] [--fast] [FILE]\n"
    "                                 print the unit's live values, one line per frame, as\n"
    "                                 the window shows them; the unit's set is read first\n"
    "                                 (its cylinders and limiter), or taken from FILE;\n"
    "                                 --log records every frame into LOG, --fast asks for\n"
    "                                 them every tick (fast live data)\n"
    "  log export FILE [OUT.csv]      a recording as CSV, one row per frame; OUT is FILE\n"
    "                                 with its extension replaced by .csv unless given\n"
    "  map export FILE MAP [--stored] [-o OUT.csv]\n"
    "                                 one map as CSV: the engine speeds [rpm] as the header\n"
    "                                 row, the throttle [%] (inj-iap: the pressure [kPa]) as\n"
    "                                 the first column, the values as the page shows them\n"
    "                                 (--stored: as the set stores them); to the standard\n"
    "                                 output unless -o is given\n"
    "  map import FILE MAP IN.csv [--stored] [--axes] [-o OUT]\n"
    "                                 take the map from such a CSV as typed on its page, run\n"
    "                                 the consistency rules and save the set to OUT (FILE\n"
    "                                 unless given); the axes must be the set's unless --axes\n"
    "                                 takes them too; a bad CSV is refused with its line and\n"
    "                                 column and nothing is written (exit 3)\n"
    "  ports                          list the ports and what is plugged in\n"
    "  diff     [--dump] A B          compare two sets field by field; A and B are files or\n"
    "                                 --port P (the unit, read as read does); exit 0 when\n"
    "                                 equal, 1 when they differ, 3 on a file error, 4 when\n"
    "                                 the unit could not be read\n"
    "  batch save-all [DIR]           write the default set of every bike code (0..49) into DIR\n"
    "                                 (./new_ign), one file per bike named as the bike list\n"
    "                                 names it, each built over the one before from the start set\n"
    "  batch compare [NEW_DIR OLD_DIR]\n"
    "                                 compare those files line by line with the generation in\n"
    "                                 OLD_DIR (defaults ./new_ign ./new_ign_old); the report is\n"
    "                                 NEW_DIR/compare_all_new.txt; exit 1 when anything differs\n"
    "                                 or a file is missing\n"
    "MAP is advance, inj-1a, inj-2a, inj-3a, inj-4a, inj-b, inj-iap, intake-servo or\n"
    "exhaust-servo.\n"
    "P is a device path (/dev/ttyUSB0, /dev/pts/3) or a port number 1..20 (\"Com 5\" or 5).\n"
    "FILE is a parameter file (*.ign). With --dump it is an image dump instead (2850 numbers,\n"
    "ten a line), which keeps every byte of the image; a parameter file keeps the fields.\n"
    "An output that is an input (the same file, a link to it, the port's device) is refused\n"
    "with exit status 2 and nothing is written.\n";

void SteadyTickClock::WaitForNextTick() {
  std::this_thread::sleep_until(schedule_.Next(std::chrono::steady_clock::now()));
}

namespace {

int ListPorts(std::FILE* out) {
  PortMap map;
  const std::string source = LoadPortMap(map);
  PrintPortList(map, PortDiscovery(DeviceRoot()), source, out);
  return kExitOk;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, SerialPort& port, TickClock& clock,
                   std::FILE* out, std::FILE* err) {
  // The batch has commands of its own, with folders instead of files.
  if (!args.empty() && args[0] == "batch") {
    return RunBatchCommand({args.begin() + 1, args.end()}, out, err);
  }
  if (!args.empty() && args[0] == "log") return RunLogCommand(args, out, err);
  if (!args.empty() && args[0] == "diff") return RunDiffCommand(args, port, clock, out, err);
  if (!args.empty() && args[0] == "map") return RunMapCommand(args, out, err);
  std::string error;
  const std::optional<cli::Options> o = cli::ParseOptions(args, &error);
  if (!o) {
    std::fprintf(err, "korvan: %s\n%s", error.c_str(), kCommandLineUsage);
    return kExitUsage;
  }
  if (o->command == "help" || o->command == "--help" || o->command == "-h") {
    std::fputs(kCommandLineUsage, out);
    return kExitOk;
  }
  if (o->command == "ports") return ListPorts(out);
  if (o->command == "defaults") return cli::RunDefaults(*o, out, err);
  if (o->command == "check") return cli::RunCheck(*o, out, err);
  const bool needs_file = o->command == "verify" || o->command == "program";
  if (o->command != "read" && o->command != "monitor" && !needs_file) {
    std::fprintf(err, "korvan: unknown command %s\n%s", o->command.c_str(), kCommandLineUsage);
    return kExitUsage;
  }
  if (needs_file && o->file.empty()) {
    std::fprintf(err, "korvan: %s needs a file\n", o->command.c_str());
    return kExitUsage;
  }
  return cli::RunUnitCommand(*o, port, clock, out, err);
}

}  // namespace korvan
