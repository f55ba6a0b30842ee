#include "files/image_dump.h"

#include <cctype>
#include <cstdio>

namespace korvan {
namespace {

// The station writes its text files with CR LF line ends.
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string FormatImageDump(const ParameterImage& image, const ToolModes& tool_modes) {
  std::string out;
  out.reserve(kImageSize * 6 + kImageSize / 5 + 200);
  char number[16];
  for (int k = 0; k < kImageSize; ++k) {
    std::snprintf(number, sizeof number, "%5u ", static_cast<unsigned>(image.Byte(k)));
    out += number;
    if ((k + 1) % 10 == 0) out += kLineEnd;
    if ((k + 1) % 100 == 0) out += kLineEnd;
  }
  for (std::uint8_t mode : tool_modes) {
    std::snprintf(number, sizeof number, "%5u ", static_cast<unsigned>(mode));
    out += number;
  }
  return out;
}

namespace {

// Reads the next number; false at the end or at a word that is not one. Numbers wider than any
// byte keep their low eight bits, as a byte store does.
bool NextNumber(std::string_view text, std::size_t& pos, unsigned& value) {
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
  if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos]))) return false;
  unsigned long long v = 0;
  while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
    v = (v * 10 + static_cast<unsigned>(text[pos] - '0')) & 0xFFFFFFFFull;
    ++pos;
  }
  if (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos]))) return false;
  value = static_cast<unsigned>(v);
  return true;
}

}  // namespace

DumpReadResult ParseImageDump(std::string_view text, ParameterImage& image, ToolModes& tool_modes) {
  DumpReadResult result;
  std::size_t pos = 0;
  unsigned value = 0;
  while (result.image_bytes < kImageSize && NextNumber(text, pos, value)) {
    image.SetByte(result.image_bytes++, value);
  }
  if (result.image_bytes < kImageSize) return result;
  while (result.tool_modes < kPageCount && NextNumber(text, pos, value)) {
    tool_modes[static_cast<std::size_t>(result.tool_modes++)] = static_cast<std::uint8_t>(value);
  }
  return result;
}

}  // namespace korvan
