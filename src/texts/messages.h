#pragma once

#include <string>
#include <string_view>

#include "base/message_key.h"
#include "texts/language.h"

namespace korvan {

// The text of a message in a language (UTF-8), by TextIn's rule. Every language is written out in
// the table.
std::string_view MessageText(MessageKey key, Language language);

}  // namespace korvan
