#pragma once

#include <cstdint>

#include "base/message_key.h"
#include "image/parameter_image.h"
#include "link/identity.h"
#include "link/link.h"
#include "link/link_frame.h"

namespace korvan {

enum class SessionState : std::uint16_t { kIdle = 0, kProgram = 1, kVerify = 2, kRead = 3 };

// What follows the message text on the status line.
enum class StatusSuffix : std::uint8_t { kNone, kColon, kOk };

// The status line LabelHlaseni, the gauge CGaugeProgram and the connection labels as the session
// leaves them after each call; the host draws them.
struct SessionDisplay {
  MessageKey status_key = MessageKey::kNone;
  StatusSuffix status_suffix = StatusSuffix::kNone;
  bool status_red = false;
  bool status_visible = false;
  int gauge = 0;
  bool gauge_visible = false;
  bool no_connection_visible = false;  // LabelSpojeni
  bool version_visible = true;         // LabelVersion, shown exactly when LabelSpojeni is hidden
};

// What the session asks of its host.
class SessionHost {
 public:
  virtual ~SessionHost() = default;
  // Runs the consistency rules over the image and refreshes the page on display.
  virtual void ApplyConsistencyAndRefresh() = 0;
  // Message box: the unit's program version is not the station's.
  virtual void ShowVersionMismatch(std::uint8_t unit_version) = 0;
  // The identity block and its texts were replaced by a unit's reply.
  virtual void IdentityChanged() {}
  // A read reached its last block: the image now holds the unit's set (the consistency rules and
  // the refresh follow through ApplyConsistencyAndRefresh).
  virtual void ReadCompleted() {}
  // A side read reached its last block: side_image() holds the unit's set; the image is as it was.
  virtual void SideReadCompleted() {}
};

// Reads, verifies and programs the unit block by block, one frame exchange at a time, and polls
// it for live data in between. Advanced only by SessionTick (every 55 ms) and HandleReply (a
// received frame); every time-out is a count of ticks.
class TransferSession {
 public:
  static constexpr int kResendTicks = 6;
  static constexpr int kMaxSends = 5;
  static constexpr int kMonitorTicks = 6;
  static constexpr int kNoConnectionTicks = 24;
  static constexpr int kConnectionCounterAtStart = 18;
  static constexpr int kReopenTicks = 90;
  static constexpr int kStatusTicks = 200;
  static constexpr int kGaugeMax = 20;
  static constexpr int kSavingScale = 5780;

  TransferSession(ParameterImage& image, IdentityBlock& identity, DirtyBlockSet& dirty, Link& link,
                  SessionHost& host)
      : image_(image), identity_(identity), dirty_(dirty), link_(link), host_(host) {}

  // The session's part of the menu commands. The host gathers, checks and refreshes the page
  // before a verify or a program run.
  void StartRead();
  // Reads the unit as StartRead does, identity included, but keeps its set beside the image in
  // side_image(): the image, the dirty blocks and the page stay as they are, and no verify
  // follows. Used to compare the unit with the working set.
  void StartSideRead();
  void StartVerify();
  void StartProgram();  // flags every block, block 0 first, and verifies afterwards
  void StartDirtyProgramming();
  // A read gathers the unit's blocks beside the image and replaces the image only once the last
  // block has arrived, so a read that stops early leaves the image as it was. Every start of
  // another run abandons a read silently; CancelRead does so for a user action that changes the
  // image (an edit, a file, undo), and says on the status line that the read did not complete.
  void AbandonRead();
  void CancelRead();
  // A new set or a file takes the status line and the gauge away for good: what they said was
  // about the set before. A run under way shows its next text as usual.
  void HideStatus();

  void SessionTick();
  void HandleReply(FrameView frame);
  // An accepted monitor frame proves the connection as much as a reply does.
  void ResetConnectionCounter() { connection_counter_ = 0; }
  void SetSavingCount(std::uint16_t count) { saving_count_ = count; }
  void SetPrinting(bool printing) { printing_ = printing; }
  // Ticks between two monitor requests while no run is under way: kMonitorTicks as the unit is
  // documented, 1 for fast live data.
  void set_monitor_ticks(int ticks) { monitor_ticks_ = ticks < 1 ? 1 : ticks; }
  int monitor_ticks() const { return monitor_ticks_; }

  SessionState state() const { return state_; }
  std::uint8_t command() const { return command_; }
  int current_block() const { return BlockOfCommand(command_); }
  int retry_counter() const { return retry_counter_; }
  int tick_counter() const { return tick_counter_; }
  int connection_counter() const { return connection_counter_; }
  int reopen_counter() const { return reopen_counter_; }
  int status_countdown() const { return status_countdown_; }
  // Counts the texts the session has put on the status line, so that a text the host shows there
  // in between (the print stamp) knows when the session took the line back.
  std::uint32_t status_serial() const { return status_serial_; }
  bool completed() const { return completed_; }
  bool verify_after_program() const { return verify_after_program_; }
  const SessionDisplay& display() const { return display_; }
  const IdentityTexts& identity_texts() const { return identity_texts_; }
  bool side_read() const { return side_read_; }
  // The unit's set from the last side read that completed.
  const ParameterImage& side_image() const { return side_image_; }

 private:
  void SendBlockFrame();
  void SendNext(std::uint8_t command);
  void ShowStatus(MessageKey key, StatusSuffix suffix, bool red);
  void FailRun();
  void ChainVerify();
  void HandleReadReply(int block, FrameView frame);
  void HandleVerifyReply(int block, FrameView frame);
  void HandleProgramReply(int block, FrameView frame);
  bool AcceptIdentity(FrameView frame, bool read_run);
  void IdleTick();
  void WatchConnection();

  ParameterImage& image_;
  IdentityBlock& identity_;
  DirtyBlockSet& dirty_;
  Link& link_;
  SessionHost& host_;

  SessionState state_ = SessionState::kIdle;
  std::uint8_t command_ = 0;
  int tick_counter_ = 0;
  int retry_counter_ = 0;
  int status_countdown_ = 0;
  std::uint32_t status_serial_ = 0;
  int connection_counter_ = kConnectionCounterAtStart;
  int reopen_counter_ = 0;
  std::uint16_t saving_count_ = 0;
  bool verify_after_program_ = false;
  bool completed_ = false;
  bool printing_ = false;
  int monitor_ticks_ = kMonitorTicks;
  SessionDisplay display_;
  IdentityTexts identity_texts_;
  // The blocks of the read under way; the image takes them all at once after the last one, so the
  // station never holds a mix of the unit's blocks and the previous set.
  ParameterImage read_blocks_;
  bool side_read_ = false;
  ParameterImage side_image_;
  LinkFrame transmit_{};
};

}  // namespace korvan
