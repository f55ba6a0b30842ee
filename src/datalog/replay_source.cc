#include "datalog/replay_source.h"

#include <algorithm>

namespace korvan {

std::span<const RecordedFrame> ReplaySource::Range(std::size_t first, std::size_t end) const {
  return std::span<const RecordedFrame>(recording_.frames).subspan(first, end - first);
}

void ReplaySource::Play() {
  // Play at the end starts over.
  if (position_ + 1 >= static_cast<std::ptrdiff_t>(frame_count())) {
    position_ = -1;
    head_ms_ = recording_.frames.empty() ? 0 : recording_.frames.front().time_ms;
  }
  playing_ = !recording_.frames.empty();
}

std::span<const RecordedFrame> ReplaySource::Advance(int elapsed_ms) {
  if (!playing_) return {};
  head_ms_ += static_cast<double>(elapsed_ms) * speed_;
  const auto first = static_cast<std::size_t>(position_ + 1);
  std::size_t end = first;
  while (end < frame_count() && recording_.frames[end].time_ms <= head_ms_) ++end;
  position_ = static_cast<std::ptrdiff_t>(end) - 1;
  if (end >= frame_count()) {
    // The head stops on the last frame: the position never reads past the end.
    playing_ = false;
    head_ms_ = recording_.frames.empty() ? 0 : recording_.frames.back().time_ms;
  }
  return Range(first, end);
}

std::span<const RecordedFrame> ReplaySource::Step() {
  playing_ = false;
  const auto next = static_cast<std::size_t>(position_ + 1);
  if (next >= frame_count()) return {};
  return Seek(next);
}

std::span<const RecordedFrame> ReplaySource::Seek(std::size_t index) {
  if (recording_.frames.empty()) return {};
  index = std::min(index, frame_count() - 1);
  position_ = static_cast<std::ptrdiff_t>(index);
  head_ms_ = recording_.frames[index].time_ms;
  return Range(index == 0 ? 0 : index - 1, index + 1);
}

std::span<const RecordedFrame> ReplaySource::SeekTime(std::uint32_t time_ms) {
  const auto after =
      std::upper_bound(recording_.frames.begin(), recording_.frames.end(), time_ms,
                       [](std::uint32_t t, const RecordedFrame& f) { return t < f.time_ms; });
  const auto index = after == recording_.frames.begin()
                         ? std::size_t{0}
                         : static_cast<std::size_t>(after - recording_.frames.begin()) - 1;
  return Seek(index);
}

}  // namespace korvan
