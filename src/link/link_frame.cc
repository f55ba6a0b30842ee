#include "link/link_frame.h"

#include <algorithm>

namespace korvan {

std::uint8_t ComputeCheckByte(std::span<const std::uint8_t, kCheckByteIndex> head) {
  std::uint8_t check = 0xFF;
  for (std::uint8_t byte : head) check ^= byte;
  return check;
}

void SealFrame(LinkFrame& frame) {
  frame[kCheckByteIndex] = ComputeCheckByte(
      std::span<const std::uint8_t, kCheckByteIndex>(frame.data(), kCheckByteIndex));
}

bool FrameCheckOk(FrameView frame) {
  std::uint8_t sum = 0xFF;
  for (std::uint8_t byte : frame) sum ^= byte;
  return sum == 0;
}

LinkFrame MakeFrame(std::uint8_t code, std::span<const std::uint8_t, kBlockSize> payload) {
  LinkFrame frame{};
  frame[0] = code;
  std::copy(payload.begin(), payload.end(), frame.begin() + 1);
  SealFrame(frame);
  return frame;
}

LinkFrame MakeMonitorRequest() {
  LinkFrame frame{};
  frame[0] = kMonitorRequest;
  SealFrame(frame);
  return frame;
}

}  // namespace korvan
