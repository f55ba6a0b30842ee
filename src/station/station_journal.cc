// The station's side of the journal of unsaved edits: a set the journal keeper hands back is put
// into the image here, the one place besides the change recorder that writes the whole set.
#include "station/station.h"

namespace korvan {

void Station::JournalEdit() {
  if (!journal_.Record(active_page_, dirty_, source_.path(), image_)) {
    status_.ShowNotice(MessageKey::kMsgJournalWriteFailed);
  }
}

void Station::OfferJournalRestore() {
  if (journal_.pending()) AnswerJournalOffer(journal_.AskRestore());
}

void Station::AnswerJournalOffer(bool restore) {
  const std::optional<JournalState> state = journal_.TakeOffer(restore);
  if (!state) return;
  EndReadForUserAction();
  image_.bytes() = state->image;
  for (int b = 0; b < kBlockCount; ++b) {
    if (state->dirty[static_cast<std::size_t>(b)]) {
      dirty_.Set(b);
    } else {
      dirty_.Clear(b);
    }
  }
  source_.Show(state->file_label);
  if (!state->file_label.empty()) last_path_ = state->file_label;
  maps_.RefreshPercentArrays();
  // Undo starts from the restored set: the steps before the crash are gone with that run.
  undo_.Init(image_, state->page);
  UpdateUndoControls();
  PageControl1Change(state->page);
  if (!journal_.Restart(*state)) status_.ShowNotice(MessageKey::kMsgJournalWriteFailed);
}

void Station::MenuAsideEditsClick() {
  const std::optional<JournalState> chosen = journal_.ChooseAside();
  if (!chosen) return;
  const JournalState& state = *chosen;
  // One change on top of the working set: undo brings back what was there before, and the set
  // aside stays on the list until the user deletes it.
  EndReadForUserAction();
  image_.bytes() = state.image;
  for (int b = 0; b < kBlockCount; ++b) {
    if (state.dirty[static_cast<std::size_t>(b)]) dirty_.Set(b);
  }
  controls_.SetText(ui_.label_file2, state.file_label);
  if (!state.file_label.empty()) last_path_ = state.file_label;
  maps_.RefreshPercentArrays();
  PageControl1Change(state.page);
  CommitEdit();
}

}  // namespace korvan
