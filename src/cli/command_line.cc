#include "cli/command_line.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "cli/batch_command.h"
#include "cli/diff_command.h"
#include "cli/log_command.h"
#include "cli/ports_command.h"
#include "device/device_loop.h"
#include "device/device_texts.h"
#include "files/image_dump.h"
#include "files/parameter_file.h"
#include "files/parameter_set_check.h"
#include "files/safe_file.h"
#include "files/same_file.h"
#include "image/consistency.h"
#include "link/identity.h"
#include "model/bike_data.h"
#include "monitor/monitor_texts.h"
#include "settings/port_settings.h"
#include "texts/messages.h"

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
    "P is a device path (/dev/ttyUSB0, /dev/pts/3) or a port number 1..20 (\"Com 5\" or 5).\n"
    "FILE is a parameter file (*.ign). With --dump it is an image dump instead (2850 numbers,\n"
    "ten a line), which keeps every byte of the image; a parameter file keeps the fields.\n"
    "An output that is an input (the same file, a link to it, the port's device) is refused\n"
    "with exit status 2 and nothing is written.\n";

void SteadyTickClock::WaitForNextTick() {
  std::this_thread::sleep_until(schedule_.Next(std::chrono::steady_clock::now()));
}

namespace {

constexpr Language kLanguage = Language::kEnglish;
// A run ends by itself within 20 blocks x 5 sends x 6 ticks; this only guards against a loop.
constexpr int kMaxRunTicks = 20 * 5 * 6 * 2 + 100;
// After programming, how long to wait for the unit to begin and finish storing the set.
constexpr int kSavingStartTicks = 40;
constexpr int kMaxSavingTicks = 2000;

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

void PrintFileError(std::FILE* err, MessageKey key, const std::string& path,
                    const std::string& detail) {
  std::fprintf(err, "%s %s\n", std::string(MessageText(key, kLanguage)).c_str(), path.c_str());
  if (!detail.empty()) std::fprintf(err, "korvan: %s: %s\n", path.c_str(), detail.c_str());
}

// An output that names an input would destroy it: said, and the command ends before it starts.
bool RefuseOutputOverInput(const std::string& input, const std::string& output, std::FILE* err) {
  if (input.empty() || output.empty() || !OutputIsInput(input, output)) return false;
  std::fprintf(err, "korvan: %s%s\n",
               std::string(MessageText(MessageKey::kMsgOutputIsInput, kLanguage)).c_str(),
               output.c_str());
  return true;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// Why a parameter file was not read: what was picked instead of a file, or the reader's summary.
std::string ReadFailureDetail(const ParameterFileReadResult& result) {
  if (result.reason != MessageKey::kNone) return std::string(MessageText(result.reason, kLanguage));
  return FirstLine(DescribeReadResult(result));
}

// What must not reach the unit unnoticed: a file cut short or damaged, a bike code the station
// has no data for.
struct SetWarnings {
  std::vector<ParameterSection> damaged;
  bool unknown_bike = false;
  bool any() const { return !damaged.empty() || unknown_bike; }
};

// Prints the warnings; true when the set may go on (nothing to warn about, or not `refuse`).
bool ReportSetWarnings(const std::string& path, const SetWarnings& w, bool refuse, std::FILE* err) {
  if (!w.damaged.empty()) {
    std::string sections;
    for (ParameterSection section : w.damaged) {
      if (!sections.empty()) sections += ", ";
      sections += SectionKeyword(section);
    }
    std::fprintf(err,
                 "%s: %s %s (values missing there and in the sections after a cut come from the "
                 "bike's default set)\n",
                 path.c_str(),
                 std::string(MessageText(MessageKey::kMsgFileDamaged, kLanguage)).c_str(),
                 sections.c_str());
  }
  if (w.unknown_bike) {
    std::fprintf(err, "%s: %s\n", path.c_str(),
                 std::string(MessageText(MessageKey::kMsgWrongProgramBike, kLanguage)).c_str());
  }
  if (!w.any() || !refuse) return true;
  std::fprintf(err, "korvan: %s not programmed; give --force to program it all the same\n",
               path.c_str());
  return false;
}

// A whole image dump, consistency rules applied; nothing when the file is not a whole dump.
std::optional<ParameterImage> ReadDumpFile(const std::string& path, std::FILE* err,
                                           ParameterImage* as_read = nullptr) {
  const FileReadResult file = ReadFileBounded(path, 1 << 20);
  ParameterImage image;
  ToolModes modes{};
  if (!file.ok() || ParseImageDump(file.content, image, modes).image_bytes < kImageSize) {
    // A partial set must never reach the unit: refuse it whole.
    const MessageKey reason = ReadFailureReason(file);
    PrintFileError(err, MessageKey::kMsgFileOpenError, path,
                   file.ok()                     ? "not a whole image dump"
                   : reason != MessageKey::kNone ? std::string(MessageText(reason, kLanguage))
                                                 : "cannot open or read the file");
    return std::nullopt;
  }
  if (as_read != nullptr) *as_read = image;
  StationSettings settings{0, 0};
  ApplyConsistencyRules(image, settings);
  return image;
}

// The set in a file, as the station holds it after opening: consistency rules applied. A file
// cut short or damaged, or one for a bike the station has no data for, is said; with `refuse`
// (programming without --force) it is not loaded.
std::optional<ParameterImage> LoadSetFile(const std::string& path, bool dump, std::FILE* out,
                                          std::FILE* err, bool refuse = false) {
  if (dump) {
    std::optional<ParameterImage> image = ReadDumpFile(path, err);
    if (!image) return std::nullopt;
    const SetWarnings warnings{{}, image->Byte(kBikeCodeOffset) >= kBikeCodeCount};
    if (!ReportSetWarnings(path, warnings, refuse, err)) return std::nullopt;
    return image;
  }
  const StationFileRead read = ReadParameterSetAsStation(path);
  if (!read.result.ok()) {
    PrintFileError(err, read.result.message, path, ReadFailureDetail(read.result));
    return std::nullopt;
  }
  SetWarnings warnings;
  if (read.result.damaged()) warnings.damaged = read.result.incomplete;
  warnings.unknown_bike = read.image.Byte(kBikeCodeOffset) >= kBikeCodeCount;
  if (!ReportSetWarnings(path, warnings, refuse, err)) return std::nullopt;
  // What goes to the unit is the repaired set; say so when it differs from the file.
  const std::size_t changed = DescribeImageChanges(read.as_read, read.image).size();
  if (changed != 0) {
    std::fprintf(out, "%s: the consistency rules changed %zu value%s (korvan check lists them)\n",
                 path.c_str(), changed, changed == 1 ? "" : "s");
  }
  return read.image;
}

bool SaveSetFile(const std::string& path, bool dump, const ParameterImage& image, std::FILE* out,
                 std::FILE* err) {
  const FileWriteResult result = dump ? WriteFileSafely(path, FormatImageDump(image, ToolModes{}))
                                      : SaveParameterFile(path, image);
  if (!result.ok()) {
    const MessageKey reason = WriteFailureReason(result);
    PrintFileError(
        err, MessageKey::kMsgFileOpenError, path,
        reason != MessageKey::kNone
            ? std::string(MessageText(reason, kLanguage))
            : "cannot write (" + std::string(FileWriteStepName(result.failed_step)) + " failed)");
    return false;
  }
  std::fprintf(out, "Saved %s\n", path.c_str());
  return true;
}

int RunDefaults(const Options& o, std::FILE* out, std::FILE* err) {
  const std::optional<long> bike = ParseCount(o.bike);
  if (o.bike.empty() || !bike || *bike < kFirstBikeCode || *bike > kLastBikeCode) {
    std::fprintf(err, "korvan: defaults needs --bike N with N from %d to %d\n%s", kFirstBikeCode,
                 kLastBikeCode, kCommandLineUsage);
    return kExitUsage;
  }
  if (o.output.empty() || !o.file.empty()) {
    std::fprintf(err, "korvan: defaults needs -o FILE (and no other file)\n%s", kCommandLineUsage);
    return kExitUsage;
  }
  // The same file the window writes after New for this bike.
  return SaveSetFile(o.output, o.dump, NewParameterSetAsStation(static_cast<int>(*bike)), out, err)
             ? kExitOk
             : kExitFile;
}

std::string SectionList(const std::vector<ParameterSection>& sections) {
  std::string text;
  for (ParameterSection section : sections) {
    if (!text.empty()) text += ' ';
    text += SectionKeyword(section);
  }
  return text;
}

int RunCheck(const Options& o, std::FILE* out, std::FILE* err) {
  if (o.file.empty()) {
    std::fprintf(err, "korvan: check needs a file\n%s", kCommandLineUsage);
    return kExitUsage;
  }
  if (o.dump) {
    ParameterImage as_read;
    const std::optional<ParameterImage> image = ReadDumpFile(o.file, err, &as_read);
    if (!image) return kExitFile;
    std::fprintf(out, "File: %s (image dump)\nBike: %u\n%s", o.file.c_str(), as_read.Byte(0),
                 FormatImageChanges(DescribeImageChanges(as_read, *image)).c_str());
    return kExitOk;
  }
  const StationFileRead read = ReadParameterSetAsStation(o.file);
  const ParameterFileReadResult& r = read.result;
  if (!r.ok()) {
    PrintFileError(err, r.message, o.file, ReadFailureDetail(r));
    return kExitFile;
  }
  std::string report = "File: " + o.file + "\n";
  report += "Key: " + std::string(kParameterFileKey) + " " + std::to_string(*r.version) + "\n";
  report += "Sections applied: " + SectionList(r.applied) + "\n";
  if (!r.skipped.empty()) report += "Sections skipped: " + SectionList(r.skipped) + "\n";
  if (!r.incomplete.empty()) report += "Sections incomplete: " + SectionList(r.incomplete) + "\n";
  report += "Bike: " + std::to_string(read.image.Byte(kBikeCodeOffset));
  if (!r.bike_code) {
    report += " (no BIKE section: the rest comes from the start set)";
  } else if (*r.bike_code >= kBikeCodeCount) {
    report +=
        " (not a bike of this station: bike data of the set it replaced are kept where the bike "
        "has none of its own)";
  }
  report += "\n";
  if (r.ignored_words != 0) report += "Ignored words: " + std::to_string(r.ignored_words) + "\n";
  if (r.overlong_tokens != 0) {
    report += "Overlong words: " + std::to_string(r.overlong_tokens) + "\n";
  }
  if (r.memo_truncated) report += "Memo cut to 149 characters\n";
  report += FormatImageChanges(DescribeImageChanges(read.as_read, read.image));
  std::fputs(report.c_str(), out);
  return kExitOk;
}

// The command line's stand-in for the window: it prints what the window would show.
class ConsoleHost : public DeviceHost {
 public:
  ConsoleHost(ParameterImage& image, std::FILE* err) : image_(image), err_(err) {}

  void ShowLinkMessage(const PortOpenReport& report) override {
    std::fprintf(err_, "%s\n", PortOpenReportText(report, kLanguage).c_str());
  }
  void ApplyConsistencyAndRefresh() override { ApplyConsistencyRules(image_, settings_); }
  void ShowVersionMismatch(std::uint8_t unit_version) override {
    std::fprintf(err_, "%s\n", VersionMismatchText(unit_version, kLanguage).c_str());
    version_mismatch_ = true;
  }
  void IdentityChanged() override { identity_changed_ = true; }
  void MonitorFrameDecoded() override { monitor_frame_ = true; }

  bool TakeIdentityChanged() { return std::exchange(identity_changed_, false); }
  bool TakeMonitorFrame() { return std::exchange(monitor_frame_, false); }
  bool version_mismatch() const { return version_mismatch_; }
  StationSettings& settings() { return settings_; }

 private:
  ParameterImage& image_;
  std::FILE* err_;
  StationSettings settings_{0, 0};
  bool identity_changed_ = false;
  bool monitor_frame_ = false;
  bool version_mismatch_ = false;
};

class Runner {
 public:
  Runner(SerialPort& port, TickClock& clock, std::FILE* out, std::FILE* err)
      : clock_(clock),
        out_(out),
        err_(err),
        host_(image_, err),
        loop_(image_, identity_, dirty_, port, host_) {
    loop_.link().set_clock(clock.line_clock());
  }

  // Chooses the device: a path as it is, a port number through the port map.
  bool SelectPort(const std::string& port) {
    LoadPortMap(loop_.link().port_map());
    if (port.empty()) return true;
    if (port[0] == '/') {
      loop_.link().SetDeviceOverride(port);
      return true;
    }
    const std::optional<int> number = ParsePortNumber(port);
    if (!number) {
      std::fprintf(err_, "not a device or port number: %s\n", port.c_str());
      return false;
    }
    loop_.link().set_port_index(static_cast<std::uint8_t>(*number - 1));
    return true;
  }

  bool Open() {
    loop_.link().OpenLink();
    if (!loop_.link().IsOpen()) return false;
    std::fprintf(out_, "Port: %s\n", loop_.link().CurrentDevice().c_str());
    return true;
  }

  // Ticks until the run started before ends; true when it ended with its OK text.
  bool RunToEnd() {
    for (int i = 0; i < kMaxRunTicks; ++i) {
      Step();
      if (loop_.session().state() == SessionState::kIdle) break;
    }
    const SessionDisplay& d = loop_.session().display();
    return loop_.session().state() == SessionState::kIdle && d.status_suffix == StatusSuffix::kOk &&
           !host_.version_mismatch();
  }

  // After programming: the unit stores the set; show its progress until it is done.
  void WaitForSaving() {
    bool saving_seen = false;
    for (int i = 0; i < kMaxSavingTicks; ++i) {
      Step();
      const bool saving = loop_.live().saving_countdown > 0;
      saving_seen = saving_seen || saving;
      if (saving_seen && !saving) break;
      if (!saving_seen && i >= kSavingStartTicks) break;
    }
  }

  void Step() {
    clock_.WaitForNextTick();
    loop_.Tick();
    Report();
  }

  void Report() {
    if (host_.TakeIdentityChanged()) {
      const IdentityTexts& t = loop_.session().identity_texts();
      std::fprintf(out_, "Unit: %s  %s  %s\n", t.type_text.c_str(), t.date_text.c_str(),
                   t.time_text.c_str());
    }
    const SessionDisplay& d = loop_.session().display();
    const std::string text = d.status_visible ? StatusLineText(d, kLanguage) : std::string();
    if (text != last_text_ || d.gauge != last_gauge_) {
      if (!text.empty()) {
        std::fprintf(out_, "%-20s %2d/%d%s\n", text.c_str(), d.gauge, TransferSession::kGaugeMax,
                     d.status_red ? "  (error)" : "");
      }
      last_text_ = text;
      last_gauge_ = d.gauge;
    }
    if (d.no_connection_visible != last_no_connection_) {
      last_no_connection_ = d.no_connection_visible;
      if (d.no_connection_visible) {
        std::fprintf(out_, "%s\n",
                     std::string(MessageText(MessageKey::kMsgNoConnection, kLanguage)).c_str());
      }
    }
    std::fflush(out_);
  }

  // Loads the set to verify or program. A file that cannot be read whole never reaches the unit;
  // with `refuse`, neither does a damaged file or one for an unknown bike.
  bool LoadSet(const std::string& path, bool dump, bool refuse) {
    std::optional<ParameterImage> image = LoadSetFile(path, dump, out_, err_, refuse);
    if (!image) return false;
    image_ = *image;
    return true;
  }

  bool SaveSet(const std::string& path, bool dump) {
    return SaveSetFile(path, dump, image_, out_, err_);
  }

  // The decoder takes the cylinders and the ignition limiter from the set, as the window does;
  // without a file the set is the unit's own. A unit that cannot be read is still monitored.
  void ReadSetForMonitor() {
    session().StartRead();
    if (!RunToEnd()) {
      std::fprintf(err_,
                   "korvan: the unit's set could not be read; the advance shown is cylinder 1's "
                   "(give the unit's set as FILE)\n");
    }
    host_.TakeMonitorFrame();
  }

  int Monitor(long frames, long ticks, const std::string& log, bool fast) {
    if (fast) loop_.session().set_monitor_ticks(1);
    if (!log.empty()) {
      const MonitorInputs inputs = MonitorInputsOf(image_);
      const RecordingHeader header{static_cast<std::uint8_t>(inputs.cylinders),
                                   inputs.ignition_limiter, WallClockMs()};
      if (!recorder_.Start(log, header)) {
        std::fprintf(err_, "%s%s\n",
                     std::string(MessageText(MessageKey::kMsgLogWriteFailed, kLanguage)).c_str(),
                     log.c_str());
        return kExitFile;
      }
      loop_.set_recorder(&recorder_);
    }
    long seen = 0;
    for (long i = 0; (ticks < 0 || i < ticks) && (frames < 0 || seen < frames); ++i) {
      clock_.WaitForNextTick();
      loop_.Tick();
      Report();
      if (host_.TakeMonitorFrame()) {
        PrintLiveLine();
        ++seen;
      }
    }
    if (recorder_.error() != MessageKey::kNone) {
      std::fprintf(err_, "%s%s\n", std::string(MessageText(recorder_.error(), kLanguage)).c_str(),
                   log.c_str());
      return kExitFile;
    }
    return frames < 0 || seen >= frames ? kExitOk : kExitRunFailed;
  }

  void PrintLiveLine() {
    std::fputs(FormatLiveLine(loop_.live()).c_str(), out_);
    std::fflush(out_);
  }

  TransferSession& session() { return loop_.session(); }
  ParameterImage& image() { return image_; }
  Link& link() { return loop_.link(); }

 private:
  TickClock& clock_;
  std::FILE* out_;
  std::FILE* err_;
  ParameterImage image_;
  IdentityBlock identity_;
  DirtyBlockSet dirty_;
  ConsoleHost host_;
  FrameRecorder recorder_;
  DeviceLoop loop_;
  std::string last_text_;
  int last_gauge_ = -1;
  bool last_no_connection_ = false;
};

int ListPorts(std::FILE* out) {
  PortMap map;
  const std::string source = LoadPortMap(map);
  PrintPortList(map, PortDiscovery(DeviceRoot()), source, out);
  return kExitOk;
}

}  // namespace

std::string FormatLiveLine(const LiveValues& v) {
  char tps[16];
  char iap[16];
  char coolant[16];
  char advance[16];
  if (v.tp_error) {
    std::snprintf(tps, sizeof tps, "%6s", "error");
  } else {
    std::snprintf(tps, sizeof tps, "%3u.%u%%", v.throttle_position / 10u,
                  v.throttle_position % 10u);
  }
  if (v.iap_error) {
    std::snprintf(iap, sizeof iap, "%7s", "error");
  } else {
    std::snprintf(iap, sizeof iap, "%3u kPa", v.iap);
  }
  if (v.coolant_sensor_error) {
    std::snprintf(coolant, sizeof coolant, "%6s", "error");
  } else {
    std::snprintf(coolant, sizeof coolant, "%4d C",
                  static_cast<int>(v.coolant_code) - kTemperatureCodeOffset);
  }
  // On its base advance the unit's advance bytes are not the map's: the window says "BASE".
  if (v.base_advance) {
    std::snprintf(advance, sizeof advance, "%s", "BASE");
  } else {
    std::snprintf(advance, sizeof advance, "%2d", v.mean_advance);
  }
  const int air = v.air_sensor_error ? kAirFallbackCelsius
                                     : static_cast<int>(v.air_code) - kTemperatureCodeOffset;
  std::string notes;
  const auto note = [&notes](bool on, std::string_view text) {
    if (!on) return;
    notes += notes.empty() ? "  (" : ", ";
    // Prefixes of the window's labels may end in a blank ("Blocking ").
    while (text.ends_with(' ')) text.remove_suffix(1);
    notes += text;
  };
  // The states the window marks (a red or fuchsia label, the error label, the servo's "Idle"),
  // in the window's English words.
  const auto window = [](MonitorText text) { return std::string_view(MonitorTextOf(text, 0)); };
  const std::string idle =
      std::string(window(MonitorText::kIntakeServo)) + " = " + MonitorTextOf(MonitorText::kIdle, 0);
  note(v.programmed_data_error, window(MonitorText::kProgrammedDataError));
  note(v.limiter_by_ignition, window(MonitorText::kIgnitionLimiter));
  note(v.limiter_by_injection, window(MonitorText::kInjectionLimiter));
  note(v.limiter_by_retard, window(MonitorText::kRetardLimiter));
  note(v.fall_sensor_output, window(MonitorText::kFallSensor));
  note(v.blocking_output, window(MonitorText::kBlocking));
  note(!v.intake_servo_ok, window(MonitorText::kIntakeServoFault));
  note(!v.exhaust_servo_ok, window(MonitorText::kExhaustServoFault));
  note(v.intake_servo_idle_control, idle);
  note(v.air_sensor_error, "air sensor error");
  note(v.ap_error, "AP sensor error");
  note(v.unit_version != kStationVersion, "version mismatch");
  if (!notes.empty()) notes += ")";

  char line[400];
  std::snprintf(line, sizeof line,
                "rpm %5u  tps %s  iap %s  ap %3u.%u kPa  lambda %4u mV  coolant %s  air %4d C  "
                "gear %u  speed %3u km/h  adv %s  inj %5d us  duty %3d%%  batt %4.1f V  "
                "ver %u",
                v.engine_speed, tps, iap, v.atmospheric_pressure / 10u,
                v.atmospheric_pressure % 10u, v.lambda_mv, coolant, air, v.gear, v.road_speed,
                advance, v.bank_a_mean_us, v.injection_duty,
                // Rounded to the tenth, as the window's voltage label shows it.
                v.supply_mv / 1000.0, v.unit_version);
  return line + notes + "\n";
}

std::optional<ParameterImage> LoadSetForCommand(const std::string& path, bool dump, std::FILE* out,
                                                std::FILE* err) {
  return LoadSetFile(path, dump, out, err);
}

std::optional<ParameterImage> ReadUnitForCommand(const std::string& port_name, SerialPort& port,
                                                 TickClock& clock, std::FILE* out, std::FILE* err) {
  Runner runner(port, clock, out, err);
  if (!runner.SelectPort(port_name) || !runner.Open()) return std::nullopt;
  runner.session().StartRead();
  const bool read = runner.RunToEnd();
  runner.link().CloseLink();
  if (!read) return std::nullopt;
  return runner.image();
}

int RunCommandLine(const std::vector<std::string>& args, SerialPort& port, TickClock& clock,
                   std::FILE* out, std::FILE* err) {
  // The batch has commands of its own, with folders instead of files.
  if (!args.empty() && args[0] == "batch") {
    return RunBatchCommand({args.begin() + 1, args.end()}, out, err);
  }
  if (!args.empty() && args[0] == "log") return RunLogCommand(args, out, err);
  if (!args.empty() && args[0] == "diff") return RunDiffCommand(args, port, clock, out, err);
  std::string error;
  const std::optional<Options> o = ParseOptions(args, &error);
  if (!o) {
    std::fprintf(err, "korvan: %s\n%s", error.c_str(), kCommandLineUsage);
    return kExitUsage;
  }
  if (o->command == "help" || o->command == "--help" || o->command == "-h") {
    std::fputs(kCommandLineUsage, out);
    return kExitOk;
  }
  if (o->command == "ports") return ListPorts(out);
  if (o->command == "defaults") return RunDefaults(*o, out, err);
  if (o->command == "check") return RunCheck(*o, out, err);
  const bool needs_file = o->command == "verify" || o->command == "program";
  if (o->command != "read" && o->command != "monitor" && !needs_file) {
    std::fprintf(err, "korvan: unknown command %s\n%s", o->command.c_str(), kCommandLineUsage);
    return kExitUsage;
  }
  if (needs_file && o->file.empty()) {
    std::fprintf(err, "korvan: %s needs a file\n", o->command.c_str());
    return kExitUsage;
  }

  Runner runner(port, clock, out, err);
  if (!runner.SelectPort(o->port)) return kExitUsage;
  // read -o and monitor --log write; what they read is the port's device and the set's file.
  for (const std::string* output : {&o->output, &o->log}) {
    if (RefuseOutputOverInput(runner.link().CurrentDevice(), *output, err) ||
        RefuseOutputOverInput(o->file, *output, err)) {
      return kExitUsage;
    }
  }
  // A recording never replaces another file (the window's recording does not either); said
  // before the port is opened, so the unit is not even asked.
  std::error_code exists_error;
  if (o->command == "monitor" && !o->log.empty() &&
      std::filesystem::symlink_status(o->log, exists_error).type() !=
          std::filesystem::file_type::not_found &&
      !exists_error) {
    std::fprintf(err, "%s%s\n",
                 std::string(MessageText(MessageKey::kMsgLogFileExists, kLanguage)).c_str(),
                 o->log.c_str());
    return kExitFile;
  }
  const bool refuse = o->command == "program" && !o->force;
  const bool set_file = needs_file || (o->command == "monitor" && !o->file.empty());
  if (set_file && !runner.LoadSet(o->file, o->dump, refuse)) return kExitFile;
  if (!runner.Open()) return kExitRunFailed;

  if (o->command == "monitor") {
    if (!set_file) runner.ReadSetForMonitor();
    return runner.Monitor(o->frames, o->ticks, o->log, o->fast);
  }
  if (o->command == "read") {
    runner.session().StartRead();
    if (!runner.RunToEnd()) return kExitRunFailed;
    runner.link().CloseLink();
    if (!o->output.empty() && !runner.SaveSet(o->output, o->dump)) return kExitFile;
    return kExitOk;
  }
  if (o->command == "verify") {
    runner.session().StartVerify();
    return runner.RunToEnd() ? kExitOk : kExitRunFailed;
  }
  runner.session().StartProgram();
  if (!runner.RunToEnd()) return kExitRunFailed;
  runner.WaitForSaving();
  return kExitOk;
}

}  // namespace korvan
