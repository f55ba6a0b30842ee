#pragma once

#include <string>

#include "base/control_set.h"
#include "image/field_dictionary.h"
#include "image/parameter_image.h"
#include "maps/map_editor.h"
#include "monitor/monitor_panel.h"
#include "pages/settings_pages.h"
#include "shell/messages.h"

namespace korvan {

// The caption the window shows for a field element, looked up among its controls: a check box or
// radio group carries its own caption; a number field's caption is the label named after it
// ("UpDownIgnLimiter" and "LabelIgnLimiter"). Empty when there is none. Menu accelerators ('&')
// are left out.
std::string FieldCaption(const ControlSet& controls, const Field& field, int element);

// The window's field-bearing controls (settings pages, maps, the live panel's labels the pages
// use, "No Reading") with the texts of one language, for a caller without a window (the command
// line's difference list), so that it names fields as the window does.
class FieldCaptions {
 public:
  explicit FieldCaptions(Language language);
  FieldCaptions(const FieldCaptions&) = delete;
  FieldCaptions& operator=(const FieldCaptions&) = delete;

  std::string operator()(const Field& field, int element) const {
    return FieldCaption(controls_, field, element);
  }

 private:
  ControlSet controls_;
  ParameterImage image_;
  MapEditor maps_{image_, controls_};
  MonitorPresenter monitor_;
  SettingsPages pages_{controls_};
};

}  // namespace korvan
