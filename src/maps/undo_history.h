#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "image/parameter_image.h"

namespace korvan {

// The ring of whole-image snapshots behind undo and redo. Each slot holds the 2850 image bytes
// and the page that was on display when the snapshot was taken, so that undo can bring the user
// back to where the change was made. The slots are allocated once, when the history is built;
// recording, undo and redo never allocate.
//
// The history only moves bytes and dirty flags. Switching the page, refreshing it and starting
// the programming after a change are the caller's business.
class UndoHistory {
 public:
  static constexpr int kSlotCount = 200;  // at most kSlotCount - 1 steps can be undone

  // What a restore did: whether any image byte changed, and the page of the restored snapshot.
  struct Restored {
    bool any_restored = false;
    int page = 0;
  };

  UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // Forgets every step; slot 0 becomes the image and page now on display.
  void Init(const ParameterImage& image, int page);

  // The change recorder: flags the block of every byte that differs from the snapshot of the
  // current step and, only when something differed, pushes a new step (dropping any redo steps
  // and, when the ring is full, the earliest step). Returns whether anything differed.
  bool Record(const ParameterImage& image, int page, DirtyBlockSet& dirty);

  // Move one step back / forward and write the snapshot's differing bytes into the image,
  // flagging their blocks. Nothing when there is no step to go to.
  std::optional<Restored> Undo(ParameterImage& image, DirtyBlockSet& dirty);
  std::optional<Restored> Redo(ParameterImage& image, DirtyBlockSet& dirty);

  bool CanUndo() const { return current_ != oldest_; }
  bool CanRedo() const { return current_ != newest_; }

  // Page byte of the current step (low eight bits of the page it was taken on).
  int CurrentPage() const { return slots_[current_].page; }

 private:
  struct Slot {
    ParameterImage image;
    std::uint8_t page = 0;
  };

  static std::uint16_t Next(std::uint16_t slot) { return slot == kSlotCount - 1 ? 0 : slot + 1; }
  static std::uint16_t Previous(std::uint16_t slot) {
    return slot == 0 ? kSlotCount - 1 : slot - 1;
  }
  Restored RestoreCurrent(ParameterImage& image, DirtyBlockSet& dirty) const;

  std::unique_ptr<Slot[]> slots_;
  std::uint16_t current_ = 0;
  std::uint16_t oldest_ = 0;
  std::uint16_t newest_ = 0;
};

}  // namespace korvan
