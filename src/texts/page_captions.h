#pragma once

#include <string>

#include "texts/language.h"

namespace korvan {

// The caption of a page's tab in a language ("Inj. 1", "Einsp. 1", ...).
std::string PageCaption(int page, Language language);

}  // namespace korvan
