#include "maps/undo_history.h"

#include <cstddef>

namespace korvan {

UndoHistory::UndoHistory() : slots_(std::make_unique<Slot[]>(kSlotCount)) {}

void UndoHistory::Init(const ParameterImage& image, int page) {
  current_ = oldest_ = newest_ = 0;
  slots_[0].image = image;
  slots_[0].page = static_cast<std::uint8_t>(page & 0xFF);
}

bool UndoHistory::Record(const ParameterImage& image, int page, DirtyBlockSet& dirty) {
  if (!dirty.MarkChanges(image, slots_[current_].image)) return false;
  current_ = Next(current_);
  newest_ = current_;
  if (current_ == oldest_) oldest_ = Next(oldest_);
  slots_[current_].image = image;
  slots_[current_].page = static_cast<std::uint8_t>(page & 0xFF);
  return true;
}

std::optional<UndoHistory::Restored> UndoHistory::Undo(ParameterImage& image,
                                                       DirtyBlockSet& dirty) {
  if (!CanUndo()) return std::nullopt;
  current_ = Previous(current_);
  return RestoreCurrent(image, dirty);
}

std::optional<UndoHistory::Restored> UndoHistory::Redo(ParameterImage& image,
                                                       DirtyBlockSet& dirty) {
  if (!CanRedo()) return std::nullopt;
  current_ = Next(current_);
  return RestoreCurrent(image, dirty);
}

UndoHistory::Restored UndoHistory::RestoreCurrent(ParameterImage& image,
                                                  DirtyBlockSet& dirty) const {
  const Slot& slot = slots_[current_];
  Restored restored{.any_restored = false, .page = slot.page};
  auto& bytes = image.bytes();
  const auto& snapshot = slot.image.bytes();
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    if (bytes[k] != snapshot[k]) {
      bytes[k] = snapshot[k];
      dirty.Set(BlockOfImageByte(static_cast<int>(k)));
      restored.any_restored = true;
    }
  }
  return restored;
}

}  // namespace korvan
