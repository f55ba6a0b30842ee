#include "link/identity.h"

#include <array>

namespace korvan {
namespace {

struct MonthCode {
  std::uint8_t code;
  const char* text;
};

constexpr std::array<MonthCode, 12> kMonthCodes = {{
    {25, " 1"},
    {13, " 2"},
    {32, " 3"},
    {35, " 4"},
    {39, " 5"},
    {45, " 6"},
    {43, " 7"},
    {29, " 8"},
    {40, " 9"},
    {38, "10"},
    {51, "11"},
    {12, "12"},
}};

// The code of a month is the sum of its English abbreviation's letters modulo 256.
constexpr std::uint8_t CodeOf(const char* abbreviation) {
  return static_cast<std::uint8_t>(abbreviation[0] + abbreviation[1] + abbreviation[2]);
}
static_assert(CodeOf("Jan") == 25 && CodeOf("Feb") == 13 && CodeOf("Dec") == 12);

char Digit(int value) { return static_cast<char>('0' + value % 10); }

std::string TwoDigits(int value) { return std::string{Digit(value / 10), Digit(value)}; }

}  // namespace

std::string MonthText(std::uint8_t month_code) {
  for (const MonthCode& month : kMonthCodes) {
    if (month.code == month_code) return month.text;
  }
  return "00";
}

IdentityTexts DecodeIdentity(const IdentityBlock& identity) {
  const auto& b = identity.bytes;
  IdentityTexts texts;
  if (b[kIdentityLongName] == 0) {
    // The letters end at a zero byte, as the long name does: a unit without a type name sends
    // zeros, and the text must not carry them.
    for (int i = 0; i < 3 && b[kIdentityTypeLetters + i] != 0; ++i) {
      texts.type_text.push_back(static_cast<char>(b[kIdentityTypeLetters + i]));
    }
    texts.type_text += TwoDigits(b[kIdentityTypeNumber]);
  } else {
    for (int i = 0; i < kIdentityLongNameSize && b[kIdentityLongName + i] != 0; ++i) {
      texts.type_text.push_back(static_cast<char>(b[kIdentityLongName + i]));
    }
  }
  const int day = b[kIdentityDay];
  texts.date_text.push_back(day < 10 ? ' ' : Digit(day / 10));
  texts.date_text.push_back(Digit(day));
  texts.date_text += ".";
  texts.date_text += MonthText(b[kIdentityMonthCode]);
  texts.date_text += ".20";
  texts.date_text += TwoDigits(b[kIdentityYear]);
  texts.time_text = TwoDigits(b[kIdentityHour]) + ":" + TwoDigits(b[kIdentityMinute]);
  return texts;
}

IdentityVerdict CheckIdentity(const IdentityBlock& identity, bool read_run) {
  if (identity.bytes[kIdentityVersion] != kStationVersion) return IdentityVerdict::kVersionMismatch;
  if (read_run && identity.bytes[kIdentityReadPermission] != 1) {
    return IdentityVerdict::kReadingForbidden;
  }
  return IdentityVerdict::kAccept;
}

}  // namespace korvan
