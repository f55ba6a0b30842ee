#pragma once

#include <string>
#include <string_view>

#include "texts/language.h"

namespace korvan {

// The About box's caption as designed; it stays until an activation in a language that names it.
inline constexpr std::string_view kAboutDesignedCaption = "Dravo Power";

// The caption the About box takes when it is activated: English, German and French each name it;
// Czech has no caption of its own, so the box keeps the one it showed last (`previous`); a
// language this station does not know takes English.
std::string AboutCaption(Language language, std::string_view previous);

// The build date as the box shows it, from the compiler's "Apr 18 2007" / "Apr  8 2007": month,
// day and year separated by one blank.
std::string AboutDateText(std::string_view compiler_date);

// "Version - 68": the unit program and parameter file version this station works with.
std::string AboutVersionText();

}  // namespace korvan
