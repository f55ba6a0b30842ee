#include "station/journal_keeper.h"

#include <ctime>
#include <string>
#include <vector>

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

void JournalKeeper::ReadLeftOver() {
  if (kept()) pending_ = journal_.ReadLeftOver();
}

bool JournalKeeper::Record(int page, const DirtyBlockSet& dirty, const std::string& file_label,
                           const ParameterImage& image) {
  if (!kept()) return true;
  // An edit before the offer was answered starts a journal of its own; the old one stays aside.
  TakeOffer(false);
  JournalState state;
  state.time = static_cast<std::int64_t>(std::time(nullptr));
  state.page = page;
  for (int b = 0; b < kBlockCount; ++b) state.dirty[static_cast<std::size_t>(b)] = dirty.IsSet(b);
  state.file_label = file_label;
  state.image = image.bytes();
  if (journal_.Append(state) || error_shown_) return true;
  error_shown_ = true;
  return false;
}

void JournalKeeper::ClearWhenProgrammed(bool unit_holds_all) {
  if (journal_.has_records() && unit_holds_all) journal_.Clear();
}

void JournalKeeper::SetSafe() {
  TakeOffer(false);
  if (kept()) journal_.Clear();
}

bool JournalKeeper::AskRestore() {
  std::string question(Text(pending_->count == 1 ? MessageKey::kMsgJournalRestoreOne
                                                 : MessageKey::kMsgJournalRestore));
  ReplaceAll(question, "{count}", std::to_string(pending_->count));
  ReplaceAll(question, "{first}", LocalTimeText(pending_->first_time));
  ReplaceAll(question, "{last}", LocalTimeText(pending_->last.time));
  if (pending_->damaged) question += "\n\n" + std::string(Text(MessageKey::kMsgJournalDamaged));
  // No, Escape and closing the box all keep the changes aside; the user is told where they go.
  std::string aside(Text(MessageKey::kMsgJournalAside));
  ReplaceAll(aside, "{menu}", MenuCaption("MenuFile"));
  ReplaceAll(aside, "{item}", MenuCaption("MenuAsideEdits"));
  question += "\n\n" + aside;
  return desktop_.AskYesNo(question) == Desktop::Answer::kYes;
}

std::optional<JournalState> JournalKeeper::TakeOffer(bool restore) {
  if (!pending_) return std::nullopt;
  JournalState state = std::move(pending_->last);
  pending_.reset();
  if (!restore) {
    journal_.SetAside();
    return std::nullopt;
  }
  return state;
}

bool JournalKeeper::Restart(const JournalState& state) {
  // The old file may end in a torn record; the new one starts with the restored set.
  if (journal_.Restart(state) || error_shown_) return true;
  error_shown_ = true;
  return false;
}

std::string JournalKeeper::MenuCaption(std::string_view control) const {
  std::string caption;
  if (const std::optional<ControlHandle> h = controls_.Find(control)) caption = controls_.Text(*h);
  std::erase(caption, '&');
  while (!caption.empty() && (caption.back() == '.' || caption.back() == ' ')) caption.pop_back();
  return caption;
}

std::optional<JournalState> JournalKeeper::ChooseAside() {
  if (!kept()) return std::nullopt;
  // After a delete the list comes back, so that the user sees what is still kept.
  for (;;) {
    const std::vector<AsideJournal> asides = journal_.ListAside();
    if (asides.empty()) {
      desktop_.ShowMessage(Text(MessageKey::kMsgJournalAsideNone));
      return std::nullopt;
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
    if (!choice || choice->row < 0 || choice->row >= static_cast<int>(asides.size())) {
      return std::nullopt;
    }
    const AsideJournal& chosen = asides[static_cast<std::size_t>(choice->row)];
    if (choice->action == AsideChoice::Action::kRestore) return chosen.contents.last;
    std::string ask(Text(MessageKey::kMsgJournalAsideDeleteAsk));
    ReplaceAll(ask, "{last}", LocalTimeText(chosen.contents.last.time));
    if (desktop_.AskYesNo(ask) == Desktop::Answer::kYes) journal_.RemoveAside(chosen.path);
  }
}

}  // namespace korvan
