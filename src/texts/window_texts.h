#pragma once

// The captions, hints and list items of the controls the station creates itself — the window's
// title, the menus and their items, the tool bar, the check boxes and labels around the pages —
// in the station's four languages. The pages' texts are the pages' own (pages/page_texts), the
// map grid's the map editor's (maps/map_texts), the live panel's the monitor's.

#include <optional>
#include <string_view>

#include "base/control_set.h"
#include "texts/language.h"

namespace korvan {

// The control whose text the window shows as its title.
inline constexpr std::string_view kWindowCaptionControl = "FormHlav";

// Writes every text of `language` into the controls of the window that exist. Items whose
// caption is the same in every language ("1=2=3=4", "Minus ", "Plus", the ports) are not in the
// table: they keep what they were created with.
void ApplyWindowTexts(ControlSet& controls, Language language);

// The caption ApplyWindowTexts gives the control named `control` in `language`; nullopt when the
// table has no caption for it (a hint is no caption).
std::optional<std::string_view> WindowControlText(std::string_view control, Language language);

}  // namespace korvan
