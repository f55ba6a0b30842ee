#pragma once

// What the link reports, as the user reads it: the status line, the version mismatch box and the
// box for a port that would not open, each from the message table.

#include <cstdint>
#include <string>

#include "link/link.h"
#include "link/transfer_session.h"
#include "texts/messages.h"

namespace korvan {

// The status line as the user reads it: the message, then ":" or " OK" where the run adds one.
std::string StatusLineText(const SessionDisplay& display, Language language);

// The version mismatch box: the message followed by "  PC-68, IGN-n".
std::string VersionMismatchText(std::uint8_t unit_version, Language language);

// The box for a port that would not open: "Com opening error!", then the device tried and why
// ("Com 5 — /dev/ttyUSB4: no such device: ..."), then who holds a busy line when that is known.
std::string PortOpenReportText(const PortOpenReport& report, Language language);

}  // namespace korvan
