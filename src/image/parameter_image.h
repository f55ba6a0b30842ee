#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace korvan {

inline constexpr int kBlockSize = 150;             // bytes of one device block
inline constexpr int kBlockCount = 20;             // blocks 0..19; block 0 is the identity
inline constexpr int kImageSize = 2850;            // blocks 1..19
inline constexpr int kWordCount = kImageSize / 2;  // word indices 0..1424

// Image byte k lies in block 1 + k / 150.
constexpr int BlockOfImageByte(int k) { return 1 + k / kBlockSize; }
// First image byte of block b (1..19).
constexpr int ImageOffsetOfBlock(int b) { return (b - 1) * kBlockSize; }

using BlockBytes = std::span<const std::uint8_t, kBlockSize>;

// The station's working copy of unit blocks 1..19. Every parameter is addressed by its image
// offset; words are 16-bit little-endian at even offsets 2w.
class ParameterImage {
 public:
  using Bytes = std::array<std::uint8_t, kImageSize>;

  ParameterImage() { bytes_.fill(0); }

  std::uint8_t Byte(int k) const { return bytes_[static_cast<std::size_t>(k)]; }
  // Keeps the low eight bits, as every byte field of the unit does.
  void SetByte(int k, unsigned value) {
    bytes_[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value & 0xFFu);
  }
  std::uint16_t Word(int w) const {
    return static_cast<std::uint16_t>(bytes_[2 * static_cast<std::size_t>(w)] |
                                      (bytes_[2 * static_cast<std::size_t>(w) + 1] << 8));
  }
  void SetWord(int w, unsigned value) {
    bytes_[2 * static_cast<std::size_t>(w)] = static_cast<std::uint8_t>(value & 0xFFu);
    bytes_[2 * static_cast<std::size_t>(w) + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFFu);
  }

  // The 150 image bytes of block b (1..19).
  BlockBytes Block(int b) const {
    return BlockBytes(bytes_.data() + ImageOffsetOfBlock(b), kBlockSize);
  }
  // Replaces the image slice of block b (1..19) with a unit's reply payload.
  void StoreBlock(int b, BlockBytes payload);

  const Bytes& bytes() const { return bytes_; }
  Bytes& bytes() { return bytes_; }

  friend bool operator==(const ParameterImage&, const ParameterImage&) = default;

 private:
  Bytes bytes_;
};

// Device block 0 as the unit last reported it. Zeros until the first exchange.
struct IdentityBlock {
  std::array<std::uint8_t, kBlockSize> bytes{};
};

// The 150 bytes a frame for block b carries: zeros for block 0, the image slice otherwise.
void BlockPayload(const ParameterImage& image, int b, std::span<std::uint8_t, kBlockSize> out);

// Stores a reply payload: block 0 replaces the identity, blocks 1..19 their image slice.
void StoreReply(ParameterImage& image, IdentityBlock& identity, int b, BlockBytes payload);

// One flag per device block: a set flag means the block is still to be written to the unit.
class DirtyBlockSet {
 public:
  bool IsSet(int b) const { return flags_[static_cast<std::size_t>(b)]; }
  void Set(int b) { flags_[static_cast<std::size_t>(b)] = true; }
  void Clear(int b) { flags_[static_cast<std::size_t>(b)] = false; }
  void MarkAll() { flags_.fill(true); }
  void ClearAll() { flags_.fill(false); }
  bool Any() const { return LowestDirtyBlock().has_value(); }
  std::optional<int> LowestDirtyBlock() const;
  // Sets the flag of every block holding a byte that differs from the reference; never clears a
  // flag and never touches block 0. Returns whether any byte differed.
  bool MarkChanges(const ParameterImage& image, const ParameterImage& reference);

 private:
  std::array<bool, kBlockCount> flags_{};
};

}  // namespace korvan
