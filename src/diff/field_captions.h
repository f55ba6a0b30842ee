#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "image/field_dictionary.h"
#include "texts/language.h"

namespace korvan {

// The names of fields for the difference list, the window's and the command line's alike: the
// fixed captions the window's controls show in one language, read from the text tables by control
// name. (The window's own controls will not do: a label beside a run of fields may show a live
// value, "TW correction = 12 %", which is no name.)
class FieldCaptions {
 public:
  explicit FieldCaptions(Language language) : language_(language) {}

  Language language() const { return language_; }
  // A field element's caption: a check box or radio group carries its own; a number field's is
  // the label named after it ("UpDownIgnLimiter" and "LabelIgnLimiter"), else the group box of
  // its run; the map pages' header fields take the map grid's words. Empty when there is none.
  // Menu accelerators ('&') are left out. A run's element is named as its page names it (the
  // temperature of its column, its gear, its row), else by its number: "Advance [2]".
  std::string operator()(const Field& field, int element) const;

 private:
  // The caption the run's elements share.
  std::string Caption(const Field& field, int element) const;

  Language language_;
};

// The names the caption rules give outright (fields, and the group boxes and labels that name
// them) that neither the field dictionary nor a text table knows: empty unless a control was
// renamed or a rule mistyped.
std::vector<std::string_view> UnknownCaptionNames();

}  // namespace korvan
