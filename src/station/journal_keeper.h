#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/control_set.h"
#include "files/edit_journal.h"
#include "image/parameter_image.h"
#include "station/desktop.h"
#include "texts/messages.h"

namespace korvan {

// The journal of unsaved edits: written at the one point where the station commits a change (the
// undo step), offered back after a run that did not end cleanly, and cleared once the set is safe
// in a file or in the unit. It asks the user its questions; the station puts a set it hands back
// into the image.
class JournalKeeper {
 public:
  // An empty path keeps no journal.
  JournalKeeper(const std::string& path, Desktop& desktop, const ControlSet& controls,
                const Language& language)
      : journal_(path), desktop_(desktop), controls_(controls), language_(language) {}

  const EditJournal& journal() const { return journal_; }
  // What a previous run left, until the user answered the offer.
  const std::optional<JournalContents>& pending() const { return pending_; }
  void ReadLeftOver();
  // Appends the working set after a committed change; false when the journal cannot be written
  // and the user is to hear it (once: editing goes on without it).
  bool Record(int page, const DirtyBlockSet& dirty, const std::string& file_label,
              const ParameterImage& image);
  // unit_holds_all: no dirty block and no transfer running; the journal is done then.
  void ClearWhenProgrammed(bool unit_holds_all);
  // The set is safe in a file or the window closes cleanly: the journal has done its work, and
  // an offer never answered is kept aside for the user to decide on.
  void SetSafe();
  // Asks whether the pending journal comes back; the answer.
  bool AskRestore();
  // Answers the offer: the set to restore, or nothing when the journal goes aside.
  std::optional<JournalState> TakeOffer(bool restore);
  // The journal starts anew with the restored set; false as Record.
  bool Restart(const JournalState& state);
  // File > set-aside changes: lists the journals declined at earlier starts, deletes those the
  // user confirms, and hands back the one chosen for restoring.
  std::optional<JournalState> ChooseAside();

 private:
  bool kept() const { return !journal_.path().empty(); }
  // A menu's or item's caption as prose: without its mnemonic and trailing dots.
  std::string MenuCaption(std::string_view control) const;
  std::string_view Text(MessageKey key) const { return MessageText(key, language_); }

  EditJournal journal_;
  Desktop& desktop_;
  const ControlSet& controls_;
  const Language& language_;
  std::optional<JournalContents> pending_;
  bool error_shown_ = false;
};

}  // namespace korvan
