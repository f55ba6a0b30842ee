#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "cli/command_line.h"
#include "datalog/frame_recorder.h"
#include "device/device_loop.h"
#include "image/consistency.h"
#include "image/parameter_image.h"
#include "link/identity.h"
#include "link/serial_port.h"

// The commands that talk to the unit (read, verify, program, monitor) run the device loop the
// window runs, tick by tick, and print what the window would show.
namespace korvan::cli {

// The command line's stand-in for the window: it prints what the window would show.
class ConsoleHost : public DeviceHost {
 public:
  ConsoleHost(ParameterImage& image, std::FILE* err) : image_(image), err_(err) {}

  void ShowLinkMessage(const PortOpenReport& report) override;
  void ApplyConsistencyAndRefresh() override { ApplyConsistencyRules(image_, settings_); }
  void ShowVersionMismatch(std::uint8_t unit_version) override;
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

// One command's run against the unit: the set it works on, the device loop, and what has been
// printed of the status line so far.
class Runner {
 public:
  Runner(SerialPort& port, TickClock& clock, std::FILE* out, std::FILE* err);

  // Chooses the device: a path as it is, a port number through the port map.
  bool SelectPort(const std::string& port);
  bool Open();

  // Ticks until the run started before ends; true when it ended with its OK text.
  bool RunToEnd();
  // After programming: the unit stores the set; show its progress until it is done.
  void WaitForSaving();
  void Step();
  // Prints what changed on the status line, the unit's identity and the connection notice.
  void Report();

  // Loads the set to verify or program. A file that cannot be read whole never reaches the unit;
  // with `refuse`, neither does a damaged file or one for an unknown bike.
  bool LoadSet(const std::string& path, bool dump, bool refuse);
  bool SaveSet(const std::string& path, bool dump);

  // The decoder takes the cylinders and the ignition limiter from the set, as the window does;
  // without a file the set is the unit's own. A unit that cannot be read is still monitored.
  void ReadSetForMonitor();
  // Prints a line per live frame until `frames` frames or `ticks` ticks (-1: no end), recording
  // into `log` when given; fast asks for a frame every tick. Returns the exit code.
  int Monitor(long frames, long ticks, const std::string& log, bool fast);

  TransferSession& session() { return loop_.session(); }
  ParameterImage& image() { return image_; }
  Link& link() { return loop_.link(); }

 private:
  void PrintLiveLine();

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

}  // namespace korvan::cli
