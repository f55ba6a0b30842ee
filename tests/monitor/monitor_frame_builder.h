#pragma once

#include <cstdint>

#include "link/link_frame.h"
#include "monitor/monitor_frame.h"

namespace korvan {

// Builds monitor frames for tests: code 0xB0, the station's program version, every other byte 0
// until set. Frame() seals the check byte.
class MonitorFrameBuilder {
 public:
  MonitorFrameBuilder() {
    frame_[0] = kMonitorReply;
    frame_[150] = kMonitorVersion;
  }

  MonitorFrameBuilder& Byte(int offset, unsigned value) {
    frame_[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value & 0xFFu);
    return *this;
  }
  // Little-endian word at a frame offset.
  MonitorFrameBuilder& Word(int offset, unsigned value) {
    Byte(offset, value);
    return Byte(offset + 1, value >> 8);
  }

  LinkFrame Frame() const {
    LinkFrame sealed = frame_;
    SealFrame(sealed);
    return sealed;
  }

 private:
  LinkFrame frame_{};
};

}  // namespace korvan
