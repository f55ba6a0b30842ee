#include "image/parameter_image.h"

#include <algorithm>

namespace korvan {

void ParameterImage::StoreBlock(int b, BlockBytes payload) {
  std::copy(payload.begin(), payload.end(), bytes_.begin() + ImageOffsetOfBlock(b));
}

void BlockPayload(const ParameterImage& image, int b, std::span<std::uint8_t, kBlockSize> out) {
  if (b == 0) {
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    return;
  }
  const BlockBytes block = image.Block(b);
  std::copy(block.begin(), block.end(), out.begin());
}

void StoreReply(ParameterImage& image, IdentityBlock& identity, int b, BlockBytes payload) {
  if (b == 0) {
    std::copy(payload.begin(), payload.end(), identity.bytes.begin());
  } else {
    image.StoreBlock(b, payload);
  }
}

std::optional<int> DirtyBlockSet::LowestDirtyBlock() const {
  for (int b = 0; b < kBlockCount; ++b) {
    if (flags_[static_cast<std::size_t>(b)]) return b;
  }
  return std::nullopt;
}

bool DirtyBlockSet::MarkChanges(const ParameterImage& image, const ParameterImage& reference) {
  bool any = false;
  // Compare block by block so a changed block is flagged once and the scan of it can stop early.
  for (int b = 1; b < kBlockCount; ++b) {
    const BlockBytes now = image.Block(b);
    const BlockBytes before = reference.Block(b);
    if (!std::equal(now.begin(), now.end(), before.begin())) {
      flags_[static_cast<std::size_t>(b)] = true;
      any = true;
    }
  }
  return any;
}

}  // namespace korvan
