#pragma once

#include <functional>
#include <string_view>

#include "station/station.h"

namespace korvan::ui {

// What a click on a control does: the station's handler of that control, or nothing.
std::function<void()> ClickHandler(Station& station, std::string_view control_name);

// The keyboard shortcut of a menu item ("Ctrl+N", "F7", ...), or empty.
std::string_view ShortcutOf(std::string_view control_name);

}  // namespace korvan::ui
