#pragma once

#include <string>

#include "base/control_set.h"
#include "image/field_dictionary.h"
#include "image/parameter_image.h"
#include "maps/map_editor.h"
#include "maps/map_texts.h"
#include "monitor/monitor_panel.h"
#include "pages/settings_pages.h"
#include "texts/messages.h"

namespace korvan {

// The window's field-bearing controls (settings pages, maps, the live panel's labels the pages
// use, "No Reading") with the fixed texts of one language and nothing live in them: the names of
// fields for the difference list, the window's and the command line's alike. (The window's own
// controls will not do: a label beside a run of fields may show a live value, "TW correction =
// 12 %", which is no name.)
class FieldCaptions {
 public:
  explicit FieldCaptions(Language language);
  FieldCaptions(const FieldCaptions&) = delete;
  FieldCaptions& operator=(const FieldCaptions&) = delete;

  Language language() const { return language_; }
  // A field element's caption: a check box or radio group carries its own; a number field's is
  // the label named after it ("UpDownIgnLimiter" and "LabelIgnLimiter"), else the group box of
  // its run; the map pages' header fields take the map grid's words. Empty when there is none.
  // Menu accelerators ('&') are left out.
  std::string operator()(const Field& field, int element) const;

 private:
  Language language_;
  ControlSet controls_;
  ParameterImage image_;
  MapEditor maps_{image_, controls_};
  MonitorPresenter monitor_;
  SettingsPages pages_{controls_};
};

}  // namespace korvan
