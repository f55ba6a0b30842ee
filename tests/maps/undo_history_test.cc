#include "maps/undo_history.h"

#include <gtest/gtest.h>

#include "image/page_index.h"

namespace korvan {
namespace {

class UndoHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override { history_.Init(image_, kPageBike); }

  // One recorded edit: byte k takes the value, on the given page.
  bool Edit(int k, unsigned value, int page = kPageBike) {
    image_.SetByte(k, value);
    return history_.Record(image_, page, dirty_);
  }

  UndoHistory history_;
  ParameterImage image_;
  DirtyBlockSet dirty_;
};

TEST_F(UndoHistoryTest, StartsWithNothingToUndoOrRedo) {
  EXPECT_FALSE(history_.CanUndo());
  EXPECT_FALSE(history_.CanRedo());
  EXPECT_FALSE(history_.Undo(image_, dirty_).has_value());
  EXPECT_FALSE(history_.Redo(image_, dirty_).has_value());
  EXPECT_FALSE(dirty_.Any());
}

TEST_F(UndoHistoryTest, RecordFlagsTheBlocksOfChangedBytes) {
  image_.SetByte(0, 5);     // block 1
  image_.SetByte(449, 7);   // last byte of block 3
  image_.SetByte(2849, 9);  // block 19
  EXPECT_TRUE(history_.Record(image_, kPageBike, dirty_));
  for (int b = 0; b < kBlockCount; ++b) {
    EXPECT_EQ(dirty_.IsSet(b), b == 1 || b == 3 || b == 19) << "block " << b;
  }
  EXPECT_TRUE(history_.CanUndo());
}

TEST_F(UndoHistoryTest, UnchangedEditRecordsNothingAndKeepsRedo) {
  ASSERT_TRUE(Edit(10, 1));
  ASSERT_TRUE(Edit(10, 2));
  ASSERT_TRUE(history_.Undo(image_, dirty_).has_value());
  dirty_.ClearAll();

  EXPECT_FALSE(history_.Record(image_, kPageBike, dirty_));
  EXPECT_FALSE(dirty_.Any());
  EXPECT_TRUE(history_.CanRedo());
  ASSERT_TRUE(history_.Redo(image_, dirty_).has_value());
  EXPECT_EQ(image_.Byte(10), 2);
}

TEST_F(UndoHistoryTest, UndoAndRedoWalkTheSteps) {
  for (unsigned v = 1; v <= 3; ++v) ASSERT_TRUE(Edit(100, v));
  for (unsigned expected : {2u, 1u, 0u}) {
    ASSERT_TRUE(history_.Undo(image_, dirty_).has_value());
    EXPECT_EQ(image_.Byte(100), expected);
  }
  EXPECT_FALSE(history_.CanUndo());
  for (unsigned expected : {1u, 2u, 3u}) {
    ASSERT_TRUE(history_.Redo(image_, dirty_).has_value());
    EXPECT_EQ(image_.Byte(100), expected);
  }
  EXPECT_FALSE(history_.CanRedo());
  EXPECT_TRUE(history_.CanUndo());
}

TEST_F(UndoHistoryTest, NewChangeAfterTwoUndosDropsRedo) {
  for (unsigned v = 1; v <= 4; ++v) ASSERT_TRUE(Edit(200, v));
  ASSERT_TRUE(history_.Undo(image_, dirty_).has_value());
  ASSERT_TRUE(history_.Undo(image_, dirty_).has_value());
  ASSERT_TRUE(history_.CanRedo());

  ASSERT_TRUE(Edit(201, 9));
  EXPECT_FALSE(history_.CanRedo());
  EXPECT_FALSE(history_.Redo(image_, dirty_).has_value());
  ASSERT_TRUE(history_.Undo(image_, dirty_).has_value());
  EXPECT_EQ(image_.Byte(200), 2);
  EXPECT_EQ(image_.Byte(201), 0);
}

TEST_F(UndoHistoryTest, FullRingKeepsTheLast199Steps) {
  for (int i = 1; i <= 250; ++i) ASSERT_TRUE(Edit(i % 7, static_cast<unsigned>(i)));
  int undone = 0;
  while (history_.Undo(image_, dirty_).has_value()) ++undone;
  EXPECT_EQ(undone, UndoHistory::kSlotCount - 1);
  EXPECT_FALSE(history_.CanUndo());
  // The oldest state left is the one after change 51; byte (51 % 7) = 2 then held 51.
  EXPECT_EQ(image_.Byte(51 % 7), 51);
  // The 200th press changes nothing.
  const ParameterImage before = image_;
  EXPECT_FALSE(history_.Undo(image_, dirty_).has_value());
  EXPECT_EQ(image_, before);
  // Everything can be redone back to the newest state.
  int redone = 0;
  while (history_.Redo(image_, dirty_).has_value()) ++redone;
  EXPECT_EQ(redone, UndoHistory::kSlotCount - 1);
  EXPECT_EQ(image_.Byte(250 % 7), 250);
}

TEST_F(UndoHistoryTest, RestoreFlagsTheBlocksOfRestoredBytesOnly) {
  ASSERT_TRUE(Edit(2 * kBlockSize + 5, 77));  // block 3
  dirty_.ClearAll();                          // as after the unit acknowledged the programming

  const std::optional<UndoHistory::Restored> undone = history_.Undo(image_, dirty_);
  ASSERT_TRUE(undone.has_value());
  EXPECT_TRUE(undone->any_restored);
  EXPECT_EQ(dirty_.LowestDirtyBlock(), 3);
  for (int b = 0; b < kBlockCount; ++b) EXPECT_EQ(dirty_.IsSet(b), b == 3) << "block " << b;
}

TEST_F(UndoHistoryTest, UndoReturnsThePageOfTheRestoredStep) {
  ASSERT_TRUE(Edit(300, 1, kPageInj2A));
  ASSERT_TRUE(Edit(301, 1, kPageAdvance));
  std::optional<UndoHistory::Restored> step = history_.Undo(image_, dirty_);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(step->page, kPageInj2A);
  step = history_.Undo(image_, dirty_);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(step->page, kPageBike);
  step = history_.Redo(image_, dirty_);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(step->page, kPageInj2A);
}

TEST_F(UndoHistoryTest, UnrecordedChangesAreUndoneWithTheStepBefore) {
  // A read from the unit changes the image without a step of its own; undo brings back the
  // recorded state, which also discards the read bytes, and reports them restored.
  ASSERT_TRUE(Edit(10, 1));
  image_.SetByte(2000, 55);
  const std::optional<UndoHistory::Restored> step = history_.Undo(image_, dirty_);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(image_.Byte(10), 0);
  EXPECT_EQ(image_.Byte(2000), 0);
  EXPECT_TRUE(dirty_.IsSet(BlockOfImageByte(2000)));
}

TEST_F(UndoHistoryTest, RedoOfAnIdenticalStateRestoresNothing) {
  ASSERT_TRUE(Edit(10, 1));
  ASSERT_TRUE(history_.Undo(image_, dirty_).has_value());
  image_.SetByte(10, 1);  // the user typed the same value again without a record
  dirty_.ClearAll();
  const std::optional<UndoHistory::Restored> step = history_.Redo(image_, dirty_);
  ASSERT_TRUE(step.has_value());
  EXPECT_FALSE(step->any_restored);
  EXPECT_FALSE(dirty_.Any());
}

TEST_F(UndoHistoryTest, InitForgetsEverything) {
  ASSERT_TRUE(Edit(10, 1));
  ASSERT_TRUE(Edit(10, 2));
  ASSERT_TRUE(history_.Undo(image_, dirty_).has_value());
  history_.Init(image_, kPageAdvance);
  EXPECT_FALSE(history_.CanUndo());
  EXPECT_FALSE(history_.CanRedo());
  EXPECT_EQ(history_.CurrentPage(), kPageAdvance);
}

TEST_F(UndoHistoryTest, PageKeepsItsLowEightBits) {
  ASSERT_TRUE(Edit(10, 1, 256 + 7));
  ASSERT_TRUE(Edit(10, 2));
  const std::optional<UndoHistory::Restored> step = history_.Undo(image_, dirty_);
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(step->page, 7);
}

}  // namespace
}  // namespace korvan
