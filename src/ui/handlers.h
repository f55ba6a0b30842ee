#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "station/station.h"

namespace korvan::ui {

// What a click on a control does: the station's handler of that control, or nothing.
std::function<void()> ClickHandler(Station& station, std::string_view control_name);

// What the down and up halves of a spin button run: the station's step of the control's target.
struct StepHandlers {
  std::function<void()> down;
  std::function<void()> up;
};
StepHandlers StepHandlersOf(Station& station, const Control& spin_button);

// The keyboard shortcut of a menu item ("Ctrl+N", "F7", ...), or empty.
std::string_view ShortcutOf(std::string_view control_name);

// The names the handler and shortcut tables are keyed on; each must name a control of the
// station, or its handler or key would silently reach nothing.
std::vector<std::string_view> HandledControlNames();
std::vector<std::string_view> ShortcutControlNames();

}  // namespace korvan::ui
