#pragma once

#include <cstdarg>
#include <cstdio>
#include <string_view>

namespace korvan {

// A stack buffer for one label text: the live display formats every text here, so a frame costs
// no allocation beyond what a label's own text storage needs.
struct LabelText {
  static constexpr int kSize = 192;
  char data[kSize];
};

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
inline const char*
FormatLabel(LabelText& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(out.data, LabelText::kSize, format, args);
  va_end(args);
  if (n < 0) out.data[0] = '\0';
  return out.data;
}

// A prefix without its trailing blanks ("Exhaust servo " before " = ---").
inline int TrimmedLength(const char* text) {
  std::string_view view(text);
  while (!view.empty() && view.back() == ' ') view.remove_suffix(1);
  return static_cast<int>(view.size());
}

}  // namespace korvan
