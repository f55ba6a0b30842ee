#include "link/transfer_session.h"

#include <algorithm>

namespace korvan {

void TransferSession::ShowStatus(MessageKey key, StatusSuffix suffix, bool red) {
  display_.status_key = key;
  display_.status_suffix = suffix;
  display_.status_red = red;
  display_.status_visible = true;
  status_countdown_ = kStatusTicks;
  ++status_serial_;
}

void TransferSession::SendBlockFrame() {
  // The resend time-out counts from the last frame sent.
  tick_counter_ = 0;
  const int block = current_block();
  transmit_[0] = command_;
  if (state_ == SessionState::kRead || block == 0 || block > kHighestBlock) {
    std::fill(transmit_.begin() + 1, transmit_.begin() + 1 + kBlockSize, std::uint8_t{0});
  } else {
    const BlockBytes payload = image_.Block(block);
    std::copy(payload.begin(), payload.end(), transmit_.begin() + 1);
  }
  SealFrame(transmit_);
  link_.SendFrame(transmit_);
}

void TransferSession::AbandonRead() {
  if (state_ != SessionState::kRead) return;
  state_ = SessionState::kIdle;
  side_read_ = false;
}

void TransferSession::CancelRead() {
  if (state_ != SessionState::kRead) return;
  AbandonRead();
  ShowStatus(MessageKey::kMsgReadCancelled, StatusSuffix::kNone, true);
  display_.gauge_visible = false;
}

void TransferSession::HideStatus() {
  display_.status_visible = false;
  display_.gauge_visible = false;
  status_countdown_ = 0;
}

void TransferSession::StartRead() {
  AbandonRead();
  read_blocks_ = image_;
  side_read_ = false;
  state_ = SessionState::kRead;
  command_ = ReadCommand(0);
  retry_counter_ = 0;
  ShowStatus(MessageKey::kMsgReadProgress, StatusSuffix::kNone, false);
  display_.gauge = 0;
  display_.gauge_visible = true;
  completed_ = false;
  // No frame goes out here: the next tick whose counter reaches six sends the first one.
}

void TransferSession::StartSideRead() {
  StartRead();
  side_read_ = true;
}

void TransferSession::StartVerify() {
  AbandonRead();
  state_ = SessionState::kVerify;
  command_ = ReadCommand(1);
  retry_counter_ = 0;
  ShowStatus(MessageKey::kMsgVerifyProgress, StatusSuffix::kNone, false);
  completed_ = false;
  display_.gauge = 0;
  display_.gauge_visible = true;
}

void TransferSession::StartProgram() {
  AbandonRead();
  verify_after_program_ = true;
  dirty_.MarkAll();
  StartDirtyProgramming();
}

void TransferSession::StartDirtyProgramming() {
  const std::optional<int> lowest = dirty_.LowestDirtyBlock();
  if (!lowest) return;
  AbandonRead();
  command_ = WriteCommand(*lowest);
  retry_counter_ = 0;
  display_.gauge = *lowest;
  state_ = SessionState::kProgram;
  ShowStatus(MessageKey::kMsgProgramProgress, StatusSuffix::kNone, false);
  display_.gauge_visible = true;
  completed_ = false;
}

void TransferSession::SendNext(std::uint8_t command) {
  // Sent from the reply handler: this is the command's first send, and it goes out at once.
  command_ = command;
  display_.gauge = current_block();
  retry_counter_ = 1;
  SendBlockFrame();
}

void TransferSession::ChainVerify() {
  state_ = SessionState::kVerify;
  SendNext(ReadCommand(1));
  ShowStatus(MessageKey::kMsgVerifyProgress, StatusSuffix::kColon, false);
  display_.gauge = 0;
}

void TransferSession::FailRun() {
  switch (state_) {
    case SessionState::kProgram:
      ShowStatus(MessageKey::kMsgProgramError, StatusSuffix::kNone, true);
      break;
    case SessionState::kVerify:
      ShowStatus(MessageKey::kMsgVerifyError, StatusSuffix::kNone, true);
      completed_ = false;
      break;
    case SessionState::kRead:
      // The blocks read so far stay beside the image: it keeps the set it held.
      ShowStatus(MessageKey::kMsgReadError, StatusSuffix::kNone, true);
      side_read_ = false;
      break;
    case SessionState::kIdle:
      break;
  }
  state_ = SessionState::kIdle;
}

void TransferSession::SessionTick() {
  if (state_ != SessionState::kIdle) {
    if (++tick_counter_ >= kResendTicks) {
      tick_counter_ = 0;
      if (++retry_counter_ > kMaxSends) {
        FailRun();
      } else {
        SendBlockFrame();
      }
    }
    if (state_ == SessionState::kRead) completed_ = false;
  } else {
    IdleTick();
  }
  if (status_countdown_ > 0 && --status_countdown_ == 0) {
    display_.status_visible = false;
    display_.gauge_visible = false;
    completed_ = false;
  }
  WatchConnection();
}

void TransferSession::IdleTick() {
  if (++tick_counter_ >= monitor_ticks_) {
    // A request the line cannot carry yet (the last one went less than an exchange ago, after a
    // late tick) is asked for again at the next tick.
    tick_counter_ = link_.SendMonitorRequest() ? 0 : monitor_ticks_ - 1;
  }
  if (saving_count_ > 0) {
    // The unit stores what it was sent; the gauge fills as its countdown runs out. The status
    // line is only re-texted here, not shown again once it was hidden.
    const bool visible = display_.status_visible;
    ShowStatus(MessageKey::kMsgSavingProgress, StatusSuffix::kNone, false);
    display_.status_visible = visible;
    const int left = std::min<int>(saving_count_, kSavingScale);
    display_.gauge = kGaugeMax * (kSavingScale - left) / kSavingScale;
  } else if (completed_) {
    display_.status_key = MessageKey::kMsgProgramProgress;
    display_.status_suffix = StatusSuffix::kOk;
    display_.status_red = false;
    display_.gauge = kGaugeMax;
  }
}

void TransferSession::WatchConnection() {
  if (connection_counter_ < kNoConnectionTicks) {
    ++connection_counter_;
    display_.no_connection_visible = false;
  } else {
    display_.no_connection_visible = !printing_;
    if (++reopen_counter_ >= kReopenTicks) {
      reopen_counter_ = 0;
      link_.CloseLink();
      link_.set_quiet_open(true);
      link_.OpenLink();
    }
  }
  display_.version_visible = !display_.no_connection_visible;
}

void TransferSession::HandleReply(FrameView frame) {
  if (!FrameCheckOk(frame)) return;
  const int block = current_block();
  if (block > kHighestBlock) return;
  if (frame[0] != ReplyCode(command_) || state_ == SessionState::kIdle) return;
  connection_counter_ = 0;
  switch (state_) {
    case SessionState::kRead:
      HandleReadReply(block, frame);
      break;
    case SessionState::kVerify:
      HandleVerifyReply(block, frame);
      break;
    case SessionState::kProgram:
      HandleProgramReply(block, frame);
      break;
    case SessionState::kIdle:
      break;
  }
}

bool TransferSession::AcceptIdentity(FrameView frame, bool read_run) {
  const auto payload = FramePayload(frame);
  std::copy(payload.begin(), payload.end(), identity_.bytes.begin());
  identity_texts_ = DecodeIdentity(identity_);
  host_.IdentityChanged();
  const IdentityVerdict verdict = CheckIdentity(identity_, read_run);
  if (!read_run) host_.ApplyConsistencyAndRefresh();
  if (verdict == IdentityVerdict::kVersionMismatch) {
    state_ = SessionState::kIdle;
    if (read_run) host_.ApplyConsistencyAndRefresh();
    host_.ShowVersionMismatch(identity_.bytes[kIdentityVersion]);
    // The status line keeps its last text until the next run replaces it.
    status_countdown_ = 0;
    return false;
  }
  if (verdict == IdentityVerdict::kReadingForbidden) {
    ShowStatus(MessageKey::kMsgNoReading, StatusSuffix::kNone, true);
    state_ = SessionState::kIdle;
    host_.ApplyConsistencyAndRefresh();
    return false;
  }
  return true;
}

void TransferSession::HandleReadReply(int block, FrameView frame) {
  if (block == 0) {
    if (!AcceptIdentity(frame, true)) return;
  } else {
    read_blocks_.StoreBlock(block, FramePayload(frame));
  }
  if (block < kHighestBlock) {
    SendNext(static_cast<std::uint8_t>(command_ + 1));
    return;
  }
  if (side_read_) {
    side_read_ = false;
    side_image_ = read_blocks_;
    state_ = SessionState::kIdle;
    display_.gauge = kGaugeMax;
    ShowStatus(MessageKey::kMsgReadProgress, StatusSuffix::kOk, false);
    host_.SideReadCompleted();
    return;
  }
  image_ = read_blocks_;
  host_.ReadCompleted();
  host_.ApplyConsistencyAndRefresh();
  ChainVerify();
}

void TransferSession::HandleVerifyReply(int block, FrameView frame) {
  if (block == 0) return;
  const auto payload = FramePayload(frame);
  const BlockBytes mine = image_.Block(block);
  for (int i = 0; i < kBlockSize; ++i) {
    // Image byte 1 is the "No Reading" flag; the unit need not report it back as it was sent.
    if (block == 1 && i == 1) continue;
    // A mismatch leaves command and tick counter alone: the same read goes out again six ticks
    // after the last one, and the fifth failure ends the run.
    if (payload[static_cast<std::size_t>(i)] != mine[static_cast<std::size_t>(i)]) return;
  }
  if (block < kHighestBlock) {
    SendNext(static_cast<std::uint8_t>(command_ + 1));
    return;
  }
  verify_after_program_ = false;
  display_.gauge = kGaugeMax;
  ShowStatus(MessageKey::kMsgVerifyProgress, StatusSuffix::kOk, false);
  state_ = SessionState::kIdle;
}

void TransferSession::HandleProgramReply(int block, FrameView frame) {
  if (block == 0) {
    if (!AcceptIdentity(frame, false)) return;
  } else {
    const auto payload = FramePayload(frame);
    const BlockBytes sent = image_.Block(block);
    // Only an echo equal to what was sent proves the block is written; until then its flag
    // stays set, so a failed run leaves it for the next program run to write again.
    if (!std::equal(payload.begin(), payload.end(), sent.begin())) return;
  }
  dirty_.Clear(block);
  if (const std::optional<int> next = dirty_.LowestDirtyBlock()) {
    SendNext(WriteCommand(*next));
    return;
  }
  completed_ = true;
  if (verify_after_program_) {
    ChainVerify();
    return;
  }
  display_.gauge = kGaugeMax;
  ShowStatus(MessageKey::kMsgProgramProgress, StatusSuffix::kOk, false);
  state_ = SessionState::kIdle;
}

}  // namespace korvan
