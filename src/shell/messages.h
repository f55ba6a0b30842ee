#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/message_key.h"
#include "link/link.h"
#include "link/transfer_session.h"

namespace korvan {

// The station's languages, in the order of the language index kept in the settings file.
enum class Language : std::uint8_t { kEnglish = 0, kGerman = 1, kFrench = 2, kCzech = 3 };

// The text of a message in a language (UTF-8). Every language is written out in the table; a
// language without a text of its own would show the English one.
std::string_view MessageText(MessageKey key, Language language);

// The status line as the user reads it: the message, then ":" or " OK" where the run adds one.
std::string StatusLineText(const SessionDisplay& display, Language language);

// The version mismatch box: the message followed by "  PC-68, IGN-n".
std::string VersionMismatchText(std::uint8_t unit_version, Language language);

// The box for a port that would not open: "Com opening error!", then the device tried and why
// ("Com 5 — /dev/ttyUSB4: no such device: ..."), then who holds a busy line when that is known.
std::string PortOpenReportText(const PortOpenReport& report, Language language);

}  // namespace korvan
