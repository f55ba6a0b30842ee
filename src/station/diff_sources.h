#pragma once

#include <memory>
#include <optional>
#include <string>

#include "diff/field_captions.h"
#include "image/parameter_image.h"
#include "link/transfer_session.h"
#include "station/desktop.h"
#include "texts/messages.h"

namespace korvan {

// What the difference view compares the working set with, and how it names a field: the unit's
// set from the last side read, a parameter file the user chooses, and the fields' captions in the
// window's language. Taking differences into the working set is the station's own change.
class DiffSources {
 public:
  DiffSources(Desktop& desktop, const TransferSession& session, const std::string& last_path,
              const Language& language)
      : desktop_(desktop), session_(session), last_path_(last_path), language_(language) {}

  // The view opens on the unit's set once the side read under way completes.
  void ShowAfterSideRead() { show_after_read_ = true; }
  void SideReadCompleted();
  // The unit's set from the last side read that completed; nullptr before one did.
  const ParameterImage* unit_side_image() const;
  // A parameter file chosen by the user, read as Open reads it; a message and nothing on error.
  std::optional<ParameterImage> ChooseDiffFile(std::string* name);
  // The caption the window gives a field element in the current language; empty when none.
  std::string FieldLabel(const Field& field, int element) const;

 private:
  Desktop& desktop_;
  const TransferSession& session_;
  const std::string& last_path_;
  const Language& language_;
  bool unit_side_read_ = false;
  bool show_after_read_ = false;
  // The fields' names, in the language they were made for.
  mutable std::unique_ptr<FieldCaptions> captions_;
};

}  // namespace korvan
