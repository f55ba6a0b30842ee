#include "cli/unit_runner.h"

#include <optional>

#include "cli/command_options.h"
#include "cli/set_files.h"
#include "device/device_texts.h"
#include "settings/port_settings.h"
#include "texts/messages.h"

namespace korvan {

std::optional<ParameterImage> ReadUnitForCommand(const std::string& port_name, SerialPort& port,
                                                 TickClock& clock, std::FILE* out, std::FILE* err) {
  cli::Runner runner(port, clock, out, err);
  if (!runner.SelectPort(port_name) || !runner.Open()) return std::nullopt;
  runner.session().StartRead();
  const bool read = runner.RunToEnd();
  runner.link().CloseLink();
  if (!read) return std::nullopt;
  return runner.image();
}

namespace cli {
namespace {

// A run ends by itself within 20 blocks x 5 sends x 6 ticks; this only guards against a loop.
constexpr int kMaxRunTicks = 20 * 5 * 6 * 2 + 100;
// After programming, how long to wait for the unit to begin and finish storing the set.
constexpr int kSavingStartTicks = 40;
constexpr int kMaxSavingTicks = 2000;

}  // namespace

void ConsoleHost::ShowLinkMessage(const PortOpenReport& report) {
  std::fprintf(err_, "%s\n", PortOpenReportText(report, kLanguage).c_str());
}

void ConsoleHost::ShowVersionMismatch(std::uint8_t unit_version) {
  std::fprintf(err_, "%s\n", VersionMismatchText(unit_version, kLanguage).c_str());
  version_mismatch_ = true;
}

Runner::Runner(SerialPort& port, TickClock& clock, std::FILE* out, std::FILE* err)
    : clock_(clock),
      out_(out),
      err_(err),
      host_(image_, err),
      loop_(image_, identity_, dirty_, port, host_) {
  loop_.link().set_clock(clock.line_clock());
}

bool Runner::SelectPort(const std::string& port) {
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

bool Runner::Open() {
  loop_.link().OpenLink();
  if (!loop_.link().IsOpen()) return false;
  std::fprintf(out_, "Port: %s\n", loop_.link().CurrentDevice().c_str());
  return true;
}

bool Runner::RunToEnd() {
  for (int i = 0; i < kMaxRunTicks; ++i) {
    Step();
    if (loop_.session().state() == SessionState::kIdle) break;
  }
  const SessionDisplay& d = loop_.session().display();
  return loop_.session().state() == SessionState::kIdle && d.status_suffix == StatusSuffix::kOk &&
         !host_.version_mismatch();
}

void Runner::WaitForSaving() {
  bool saving_seen = false;
  for (int i = 0; i < kMaxSavingTicks; ++i) {
    Step();
    const bool saving = loop_.live().saving_countdown > 0;
    saving_seen = saving_seen || saving;
    if (saving_seen && !saving) break;
    if (!saving_seen && i >= kSavingStartTicks) break;
  }
}

void Runner::Step() {
  clock_.WaitForNextTick();
  loop_.Tick();
  Report();
}

void Runner::Report() {
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

bool Runner::LoadSet(const std::string& path, bool dump, bool refuse) {
  std::optional<ParameterImage> image = LoadSetFile(path, dump, out_, err_, refuse);
  if (!image) return false;
  image_ = *image;
  return true;
}

bool Runner::SaveSet(const std::string& path, bool dump) {
  return SaveSetFile(path, dump, image_, out_, err_);
}

}  // namespace cli
}  // namespace korvan
