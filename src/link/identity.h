#pragma once

#include <cstdint>
#include <string>

#include "base/version.h"
#include "image/parameter_image.h"

namespace korvan {

// Where the identity block keeps what the station looks at.
inline constexpr int kIdentityTypeLetters = 0;  // bytes 0..2
inline constexpr int kIdentityTypeNumber = 3;
inline constexpr int kIdentityDay = 4;
inline constexpr int kIdentityMonthCode = 5;
inline constexpr int kIdentityYear = 6;  // year - 2000
inline constexpr int kIdentityHour = 7;
inline constexpr int kIdentityMinute = 8;
inline constexpr int kIdentityReadPermission = 9;  // 1: the unit may be read
inline constexpr int kIdentityVersion = 10;
inline constexpr int kIdentityLongName = 16;  // bytes 16..45, optional
inline constexpr int kIdentityLongNameSize = 30;

// The three texts the bike page shows of a unit: type, build date and build time.
struct IdentityTexts {
  std::string type_text;  // LabelVerze1
  std::string date_text;  // LabelVerze2
  std::string time_text;  // LabelVerze3
};

enum class IdentityVerdict { kAccept, kVersionMismatch, kReadingForbidden };

// The two-character month number of a build-month code (the sum of the month abbreviation's
// letters modulo 256): " 1" .. "12", "00" for a code of no month.
std::string MonthText(std::uint8_t month_code);

IdentityTexts DecodeIdentity(const IdentityBlock& identity);

// Whether a run may go on after the unit's identity arrived. A read run needs version 68 and the
// unit's permission to be read; a program run needs the version only.
IdentityVerdict CheckIdentity(const IdentityBlock& identity, bool read_run);

}  // namespace korvan
