#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/message_key.h"

namespace korvan {

// The station's languages, in the order of the language index kept in the settings file.
enum class Language : std::uint8_t { kEnglish = 0, kGerman = 1, kFrench = 2, kCzech = 3 };

// The text of a message in a language (UTF-8). Every language is written out in the table; a
// language without a text of its own would show the English one.
std::string_view MessageText(MessageKey key, Language language);

}  // namespace korvan
