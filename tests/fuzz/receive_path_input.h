#pragma once

// How receive_path_fuzz reads its input, shared with the seed maker: two header bytes (the run
// under way when the bytes start arriving, and the cylinder count the monitor averages over),
// then pieces, each a control byte followed by the bytes that arrive on the line before one tick.
// The control byte is not itself on the line, so a piece can hold exactly one frame, a frame cut
// short, a frame with stray bytes, or nothing at all (a silent tick).

#include <cstddef>
#include <cstdint>

#include "link/link_frame.h"

namespace korvan::fuzz {

inline constexpr std::size_t kReceiveHeaderSize = 2;
// A control byte below this is the piece's length in bytes (0: nothing arrives in that tick).
// From it up, the piece is whole frames: kWholeFrames one frame, kWholeFrames + 1 two, and so on.
inline constexpr std::uint8_t kWholeFrames = 0xF0;

constexpr std::size_t PieceSize(std::uint8_t control) {
  if (control < kWholeFrames) return control;
  return static_cast<std::size_t>(control - kWholeFrames + 1) * kFrameSize;
}

// What the first header byte selects, modulo kRunCount.
enum class FuzzRun : std::uint8_t { kIdle = 0, kRead = 1, kVerify = 2, kProgram = 3 };
inline constexpr int kRunCount = 4;

}  // namespace korvan::fuzz
