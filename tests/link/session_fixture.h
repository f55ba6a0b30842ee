#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/device_loop.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "link/link.h"
#include "link/transfer_session.h"

namespace korvan {

// Records what the session and the link asked of their host.
struct RecordingHost : DeviceHost {
  void ShowLinkMessage(const PortOpenReport& report) override {
    link_messages.push_back(report.key);
    if (report.reason) link_messages.push_back(*report.reason);
    port_reports.push_back(report);
  }
  void ApplyConsistencyAndRefresh() override { ++refreshes; }
  void ShowVersionMismatch(std::uint8_t version) override { mismatches.push_back(version); }
  void IdentityChanged() override { ++identity_changes; }
  void ReadCompleted() override { ++reads_completed; }
  void SideReadCompleted() override { ++side_reads_completed; }
  void MonitorFrameDecoded() override { ++monitor_frames; }

  std::vector<MessageKey> link_messages;
  std::vector<PortOpenReport> port_reports;
  std::vector<std::uint8_t> mismatches;
  int refreshes = 0;
  int identity_changes = 0;
  int reads_completed = 0;
  int side_reads_completed = 0;
  int monitor_frames = 0;
};

// The session and the link as the station drives them: its own device loop (poll, routing of a
// frame to the monitor decoder or the session, session step) against an emulated unit in memory,
// one tick at a time. The loop lives in the shell, above the link; a test may reach up to it, and
// only through it does a routing fault show here.
class SessionFixture {
 public:
  SessionFixture() {
    for (int k = 0; k < kImageSize; ++k) image.SetByte(k, static_cast<unsigned>(k % 251));
    image.SetByte(1, 0);  // the "No Reading" flag: a unit programmed with it refuses reads
    unit.LoadImage(image);
    link.OpenLink();
  }

  // One 55 ms tick: time passes, then the station's device loop runs once.
  void Tick() {
    port.AdvanceTick();
    ++ticks;
    loop.Tick();
    statuses.push_back(StatusText());
  }

  // Ticks until the session is idle again (or a bound is reached); returns the ticks used.
  int RunUntilIdle(int limit = 2000) {
    const int start = ticks;
    Tick();
    while (session.state() != SessionState::kIdle && ticks - start < limit) Tick();
    return ticks - start;
  }

  std::string StatusText() const {
    const SessionDisplay& d = session.display();
    if (!d.status_visible) return "";
    std::string text;
    switch (d.status_key) {
      case MessageKey::kMsgReadProgress:
        text = "Read:";
        break;
      case MessageKey::kMsgVerifyProgress:
        text = "Verify:";
        break;
      case MessageKey::kMsgProgramProgress:
        text = "Program device:";
        break;
      case MessageKey::kMsgReadError:
        text = "Read error!";
        break;
      case MessageKey::kMsgVerifyError:
        text = "Verify error!";
        break;
      case MessageKey::kMsgProgramError:
        text = "Program error!";
        break;
      case MessageKey::kMsgSavingProgress:
        text = "Saving:";
        break;
      case MessageKey::kMsgNoReading:
        text = "No reading!";
        break;
      default:
        text = "?";
        break;
    }
    if (d.status_suffix == StatusSuffix::kColon) text += ":";
    if (d.status_suffix == StatusSuffix::kOk) text += " OK";
    return text;
  }

  // The distinct status texts in the order they appeared.
  std::vector<std::string> StatusSequence() const {
    std::vector<std::string> out;
    for (const std::string& s : statuses) {
      if (!s.empty() && (out.empty() || out.back() != s)) out.push_back(s);
    }
    return out;
  }

  ParameterImage image;
  IdentityBlock identity;
  DirtyBlockSet dirty;
  UnitEmulator unit;
  MemoryUnitPort port{unit};
  RecordingHost host;
  DeviceLoop loop{image, identity, dirty, port, host};
  Link& link = loop.link();
  TransferSession& session = loop.session();
  const int& monitor_frames = host.monitor_frames;
  int ticks = 0;
  std::vector<std::string> statuses;
};

}  // namespace korvan
