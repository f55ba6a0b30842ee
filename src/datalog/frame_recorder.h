#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "base/message_key.h"
#include "datalog/recording.h"
#include "link/link_frame.h"

namespace korvan {

// Writes a recording while the unit sends frames: the header when it starts, then one record per
// accepted frame, appended and flushed at once, so that a crash of the station or a pulled cable
// loses nothing that was received (the operating system holds the flushed bytes; only a power cut
// of the computer itself can lose the last of them).
class FrameRecorder {
 public:
  // Milliseconds on a clock that never jumps; the arrival times count from the start on it.
  using Clock = std::function<std::int64_t()>;

  FrameRecorder();
  ~FrameRecorder() { Stop(); }
  FrameRecorder(const FrameRecorder&) = delete;
  FrameRecorder& operator=(const FrameRecorder&) = delete;

  // Creates the file (and its folder). False, with error() set, when it cannot be created; an
  // existing file is never written over.
  bool Start(const std::string& path, const RecordingHeader& header);
  // Appends one frame. A write that fails ends the recording: error() says so, and what was
  // written before stays in the file.
  void Record(FrameView frame);
  void Stop();

  bool active() const { return file_ != nullptr; }
  const std::string& path() const { return path_; }
  std::size_t frames() const { return frames_; }
  // Why the last Start failed or the recording ended by itself; kNone otherwise.
  MessageKey error() const { return error_; }
  void set_clock(Clock clock) { clock_ = std::move(clock); }

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  std::size_t frames_ = 0;
  std::int64_t start_ms_ = 0;
  MessageKey error_ = MessageKey::kNone;
  Clock clock_;
};

}  // namespace korvan
