// The journal of unsaved edits: written at the one point where the station commits a change
// (the undo step), offered back after a run that did not end cleanly, and cleared once the set is
// safe in a file or in the unit.
#include <ctime>
#include <string>
#include <vector>

#include "station/station.h"

namespace korvan {
namespace {

// Year first, 24-hour clock: "11/12/26" reads as two different days in the station's languages.
std::string LocalTimeText(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  // One thread runs the station: localtime's shared buffer is safe here.
  const std::tm* local = std::localtime(&t);
  char text[96] = "";
  if (local != nullptr) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
  return text;
}

void ReplaceAll(std::string& text, std::string_view field, std::string_view value) {
  for (std::size_t at = text.find(field); at != std::string::npos;
       at = text.find(field, at + value.size())) {
    text.replace(at, field.size(), value);
  }
}

}  // namespace

void Station::JournalEdit() {
  if (paths_.journal.empty()) return;
  // An edit before the offer was answered starts a journal of its own; the old one stays aside.
  if (pending_journal_) AnswerJournalOffer(false);
  JournalState state;
  state.time = static_cast<std::int64_t>(std::time(nullptr));
  state.page = active_page_;
  for (int b = 0; b < kBlockCount; ++b) state.dirty[static_cast<std::size_t>(b)] = dirty_.IsSet(b);
  state.file_label = file_path_;
  state.image = image_.bytes();
  if (journal_.Append(state) || journal_error_shown_) return;
  journal_error_shown_ = true;
  notice_ = MessageKey::kMsgJournalWriteFailed;
  notice_ticks_ = TransferSession::kStatusTicks;
  ShowStatusLine();
}

void Station::ClearJournalWhenProgrammed() {
  if (!journal_.has_records() || dirty_.Any()) return;
  if (device_.session().state() != SessionState::kIdle) return;
  journal_.Clear();
}

void Station::OfferJournalRestore() {
  if (!pending_journal_) return;
  std::string question(Text(pending_journal_->count == 1 ? MessageKey::kMsgJournalRestoreOne
                                                         : MessageKey::kMsgJournalRestore));
  ReplaceAll(question, "{count}", std::to_string(pending_journal_->count));
  ReplaceAll(question, "{first}", LocalTimeText(pending_journal_->first_time));
  ReplaceAll(question, "{last}", LocalTimeText(pending_journal_->last.time));
  if (pending_journal_->damaged) {
    question += "\n\n" + std::string(Text(MessageKey::kMsgJournalDamaged));
  }
  // No, Escape and closing the box all keep the changes aside; the user is told where they go.
  std::string aside(Text(MessageKey::kMsgJournalAside));
  ReplaceAll(aside, "{menu}", MenuCaption("MenuFile"));
  ReplaceAll(aside, "{item}", MenuCaption("MenuAsideEdits"));
  question += "\n\n" + aside;
  AnswerJournalOffer(desktop_.AskYesNo(question) == Desktop::Answer::kYes);
}

void Station::AnswerJournalOffer(bool restore) {
  if (!pending_journal_) return;
  const JournalState state = std::move(pending_journal_->last);
  pending_journal_.reset();
  if (!restore) {
    journal_.SetAside();
    return;
  }
  EndReadForUserAction();
  image_.bytes() = state.image;
  for (int b = 0; b < kBlockCount; ++b) {
    if (state.dirty[static_cast<std::size_t>(b)]) {
      dirty_.Set(b);
    } else {
      dirty_.Clear(b);
    }
  }
  ShowFileName(state.file_label);
  if (!state.file_label.empty()) last_path_ = state.file_label;
  maps_.RefreshPercentArrays();
  // Undo starts from the restored set: the steps before the crash are gone with that run.
  undo_.Init(image_, state.page);
  UpdateUndoControls();
  PageControl1Change(state.page);
  // The old file may end in a torn record; the new one starts with the restored set.
  if (!journal_.Restart(state) && !journal_error_shown_) {
    journal_error_shown_ = true;
    notice_ = MessageKey::kMsgJournalWriteFailed;
    notice_ticks_ = TransferSession::kStatusTicks;
    ShowStatusLine();
  }
}

std::string Station::MenuCaption(std::string_view control) const {
  std::string caption;
  if (const std::optional<ControlHandle> h = controls_.Find(control)) caption = controls_.Text(*h);
  std::erase(caption, '&');
  while (!caption.empty() && (caption.back() == '.' || caption.back() == ' ')) caption.pop_back();
  return caption;
}

void Station::MenuAsideEditsClick() {
  if (paths_.journal.empty()) return;
  // After a delete the list comes back, so that the user sees what is still kept.
  for (;;) {
    const std::vector<AsideJournal> asides = journal_.ListAside();
    if (asides.empty()) {
      desktop_.ShowMessage(Text(MessageKey::kMsgJournalAsideNone));
      return;
    }
    AsideList list;
    list.title = MenuCaption("MenuAsideEdits");
    list.restore = Text(MessageKey::kMsgJournalAsideRestore);
    list.remove = Text(MessageKey::kMsgJournalAsideDelete);
    list.close = Text(MessageKey::kMsgJournalAsideClose);
    for (const AsideJournal& aside : asides) {
      std::string row(Text(MessageKey::kMsgJournalAsideRow));
      ReplaceAll(row, "{last}", LocalTimeText(aside.contents.last.time));
      ReplaceAll(row, "{first}", LocalTimeText(aside.contents.first_time));
      ReplaceAll(row, "{count}", std::to_string(aside.contents.count));
      if (!aside.contents.last.file_label.empty()) row += " · " + aside.contents.last.file_label;
      list.rows.push_back(std::move(row));
    }
    const std::optional<AsideChoice> choice = desktop_.ChooseAside(list);
    if (!choice || choice->row < 0 || choice->row >= static_cast<int>(asides.size())) return;
    const AsideJournal& chosen = asides[static_cast<std::size_t>(choice->row)];
    if (choice->action == AsideChoice::Action::kRestore) {
      RestoreAside(chosen.contents.last);
      return;
    }
    std::string ask(Text(MessageKey::kMsgJournalAsideDeleteAsk));
    ReplaceAll(ask, "{last}", LocalTimeText(chosen.contents.last.time));
    if (desktop_.AskYesNo(ask) == Desktop::Answer::kYes) journal_.RemoveAside(chosen.path);
  }
}

void Station::RestoreAside(const JournalState& state) {
  // One change on top of the working set: undo brings back what was there before, and the set
  // aside stays on the list until the user deletes it.
  EndReadForUserAction();
  image_.bytes() = state.image;
  for (int b = 0; b < kBlockCount; ++b) {
    if (state.dirty[static_cast<std::size_t>(b)]) dirty_.Set(b);
  }
  controls_.SetText(label_file2_, state.file_label);
  if (!state.file_label.empty()) last_path_ = state.file_label;
  maps_.RefreshPercentArrays();
  PageControl1Change(state.page);
  CommitEdit();
}

}  // namespace korvan
