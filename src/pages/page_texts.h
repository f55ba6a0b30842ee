#pragma once

// The captions, hints and list items of the settings pages, in the station's four languages. The
// pages create their controls without text; the station writes these whenever it loads the texts
// of a language, so no caption is fixed in a page or in the window.

#include "base/control_set.h"

namespace korvan {

// Writes every page text of `language` (0 English, 1 German, 2 French, 3 Czech; any other value
// is English) into the controls that exist.
void ApplyPageTexts(ControlSet& controls, int language);

}  // namespace korvan
