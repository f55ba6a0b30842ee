#pragma once

// The captions, hints and list items of the settings pages, in the station's four languages. The
// pages create their controls without text; the station writes these whenever it loads the texts
// of a language, so no caption is fixed in a page or in the window.

#include <optional>
#include <string_view>

#include "base/control_set.h"
#include "texts/language.h"

namespace korvan {

// Writes every page text of `language` (a language index, read as TextIn reads it) into the
// controls that exist.
void ApplyPageTexts(ControlSet& controls, int language);

// The caption ApplyPageTexts gives the control named `control` in `language`; nullopt when the
// pages have no caption for a control of that name (hints and list items are no caption).
std::optional<std::string_view> PageControlText(std::string_view control, int language);

}  // namespace korvan
