#pragma once

// The memo travels to the unit and into parameter files as 8-bit Windows-1250 text, while the
// window shows and takes Unicode (UTF-8 in the controls). These two conversions are the border.

#include <optional>
#include <string>
#include <string_view>

namespace korvan {

// Windows-1250 bytes to UTF-8. The five bytes the code page leaves unassigned become the C1
// control characters of the same number, so that whatever a unit or a file holds comes back
// byte for byte.
std::string Utf8FromWindows1250(std::string_view bytes);

// UTF-8 to Windows-1250. When a character has no Windows-1250 byte (or the text is no valid
// UTF-8), nothing is converted: the result names the first such character, as UTF-8.
struct Windows1250Result {
  std::string bytes;
  std::optional<std::string> refused;  // the first character that cannot be kept
};
Windows1250Result Windows1250FromUtf8(std::string_view utf8);

// Whether the code page holds the character (the window lets into the memo only these).
bool InWindows1250(char32_t code);

}  // namespace korvan
