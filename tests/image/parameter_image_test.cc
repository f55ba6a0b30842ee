#include "image/parameter_image.h"

#include <gtest/gtest.h>

#include <array>

namespace korvan {
namespace {

TEST(ParameterImageTest, WordsAreLittleEndianAndNeverStraddleBlocks) {
  ParameterImage image;
  image.SetWord(97, 0x1234);
  EXPECT_EQ(image.Byte(194), 0x34);
  EXPECT_EQ(image.Byte(195), 0x12);
  EXPECT_EQ(image.Word(97), 0x1234);
  // Word 74 is the last word of block 1, word 75 the first of block 2.
  EXPECT_EQ(BlockOfImageByte(2 * 74 + 1), 1);
  EXPECT_EQ(BlockOfImageByte(2 * 75), 2);
  image.SetWord(1424, 0xFFFF);
  EXPECT_EQ(image.Byte(2849), 0xFF);
}

TEST(ParameterImageTest, ByteKeepsLowEightBits) {
  ParameterImage image;
  image.SetByte(10, 300);
  EXPECT_EQ(image.Byte(10), 44);
}

TEST(ParameterImageTest, BlockPayloadAndStoreReplyMapBlocksToImageSlices) {
  ParameterImage image;
  IdentityBlock identity;
  for (int k = 0; k < kImageSize; ++k) image.SetByte(k, static_cast<unsigned>(k * 7));

  std::array<std::uint8_t, kBlockSize> payload{};
  BlockPayload(image, 3, payload);
  for (int i = 0; i < kBlockSize; ++i) EXPECT_EQ(payload[i], image.Byte(300 + i)) << i;
  BlockPayload(image, 0, payload);
  for (auto byte : payload) EXPECT_EQ(byte, 0);

  std::array<std::uint8_t, kBlockSize> reply{};
  reply.fill(0xAB);
  StoreReply(image, identity, 0, reply);
  EXPECT_EQ(identity.bytes[149], 0xAB);
  EXPECT_EQ(image.Byte(0), 0);  // the identity never lands in the image
  StoreReply(image, identity, 19, reply);
  EXPECT_EQ(image.Byte(2700), 0xAB);
  EXPECT_EQ(image.Byte(2849), 0xAB);
  EXPECT_NE(image.Byte(2699), 0xAB);
}

TEST(DirtyBlockSetTest, MarkChangesSetsOnlyTheBlocksHoldingChangedBytes) {
  struct Case {
    int offset;
    int block;
  };
  for (const Case c : {Case{0, 1}, Case{149, 1}, Case{150, 2}, Case{2849, 19}}) {
    ParameterImage reference;
    ParameterImage image = reference;
    image.SetByte(c.offset, 1);
    DirtyBlockSet dirty;
    EXPECT_TRUE(dirty.MarkChanges(image, reference));
    EXPECT_EQ(dirty.LowestDirtyBlock(), c.block) << c.offset;
    for (int b = 0; b < kBlockCount; ++b) EXPECT_EQ(dirty.IsSet(b), b == c.block);
  }
}

TEST(DirtyBlockSetTest, MarkChangesNeverClearsAndNeverFlagsBlockZero) {
  ParameterImage image;
  DirtyBlockSet dirty;
  EXPECT_FALSE(dirty.LowestDirtyBlock().has_value());
  dirty.Set(5);
  EXPECT_FALSE(dirty.MarkChanges(image, image));
  EXPECT_TRUE(dirty.IsSet(5));
  EXPECT_FALSE(dirty.IsSet(0));
  dirty.MarkAll();
  EXPECT_EQ(dirty.LowestDirtyBlock(), 0);
  dirty.Clear(0);
  EXPECT_EQ(dirty.LowestDirtyBlock(), 1);
}

}  // namespace
}  // namespace korvan
