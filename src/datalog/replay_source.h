#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "datalog/recording.h"

namespace korvan {

// Plays a recording as the unit sent it: the tick tells how much time passed, and the frames
// whose arrival time has come are handed out in order, for the device loop to decode as it
// decodes the unit's own. Stepping or seeking jumps: it hands out the frame to show preceded by
// the one recorded before it, because the decoder carries a value from one frame to the next
// (the injection duty takes the engine speed of the frame before); decoded from "no frame yet",
// the two show what the live link showed for that frame.
class ReplaySource {
 public:
  static constexpr int kSpeeds[] = {1, 4, 16};

  explicit ReplaySource(Recording recording) : recording_(std::move(recording)) {}

  // Time passed (ms of the wall clock); while playing, the frames that came due at the speed
  // chosen. Playing stops by itself at the last frame, the head on its time.
  std::span<const RecordedFrame> Advance(int elapsed_ms);
  // Jumps to the next frame, paused; nothing at the end.
  std::span<const RecordedFrame> Step();
  // Jumps to the frame at index (clamped), paused or not; hands out the frame before it (none
  // for the first) and that frame.
  std::span<const RecordedFrame> Seek(std::size_t index);
  // The last frame at or before the given recording time (the plot's click).
  std::span<const RecordedFrame> SeekTime(std::uint32_t time_ms);

  void Play();
  void Pause() { playing_ = false; }
  void set_speed(int speed) { speed_ = speed; }

  const Recording& recording() const { return recording_; }
  std::size_t frame_count() const { return recording_.frames.size(); }
  bool playing() const { return playing_; }
  int speed() const { return speed_; }
  // Index of the frame shown last; -1 before the first.
  std::ptrdiff_t position() const { return position_; }
  // Recording time of the playback head, ms.
  std::uint32_t time_ms() const { return static_cast<std::uint32_t>(head_ms_); }
  std::uint32_t duration_ms() const {
    return recording_.frames.empty() ? 0 : recording_.frames.back().time_ms;
  }

 private:
  std::span<const RecordedFrame> Range(std::size_t first, std::size_t end) const;

  Recording recording_;
  std::ptrdiff_t position_ = -1;
  double head_ms_ = 0;
  bool playing_ = false;
  int speed_ = 1;
};

}  // namespace korvan
