#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "image/parameter_image.h"

namespace korvan {

// Every exchange with the unit is one 152-byte frame each way: code byte, the 150 bytes of one
// device block, check byte. The XOR of all 152 bytes of a valid frame is 0xFF.
inline constexpr int kFrameSize = 152;
inline constexpr int kCheckByteIndex = 151;

using LinkFrame = std::array<std::uint8_t, kFrameSize>;
using FrameView = std::span<const std::uint8_t, kFrameSize>;

// Command byte: bits 0..5 block number, bit 6 read (1) or write (0), bit 7 set in replies.
inline constexpr std::uint8_t kReadFlag = 0x40;
inline constexpr std::uint8_t kReplyFlag = 0x80;
inline constexpr std::uint8_t kBlockMask = 0x3F;
inline constexpr std::uint8_t kMonitorRequest = 0x30;
inline constexpr std::uint8_t kMonitorReply = 0xB0;
inline constexpr int kHighestBlock = 19;

constexpr std::uint8_t ReadCommand(int block) {
  return static_cast<std::uint8_t>(kReadFlag | block);
}
constexpr std::uint8_t WriteCommand(int block) { return static_cast<std::uint8_t>(block); }
constexpr std::uint8_t ReplyCode(std::uint8_t command) {
  return static_cast<std::uint8_t>(command ^ kReplyFlag);
}
constexpr int BlockOfCommand(std::uint8_t command) { return command & kBlockMask; }
constexpr bool IsReadCommand(std::uint8_t command) { return (command & kReadFlag) != 0; }

// The check byte that makes the XOR of the whole frame 0xFF.
std::uint8_t ComputeCheckByte(std::span<const std::uint8_t, kCheckByteIndex> head);
// Sets byte 151 of a frame whose first 151 bytes are filled in.
void SealFrame(LinkFrame& frame);
// True when the 152 bytes XOR to 0xFF.
bool FrameCheckOk(FrameView frame);

// Builds a frame: code byte, payload, check byte.
LinkFrame MakeFrame(std::uint8_t code, std::span<const std::uint8_t, kBlockSize> payload);
// The monitor request: 0x30, 150 zero bytes, check byte 0xCF.
LinkFrame MakeMonitorRequest();

inline std::span<const std::uint8_t, kBlockSize> FramePayload(FrameView frame) {
  return frame.subspan<1, kBlockSize>();
}

}  // namespace korvan
