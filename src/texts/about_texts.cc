#include "texts/about_texts.h"

#include "base/version.h"

namespace korvan {

std::string AboutCaption(Language language, std::string_view previous) {
  // Czech names no caption: the box keeps the one it showed last rather than taking English.
  constexpr LanguageTexts kCaptions = {"About Dravo_Power_R",
                                       "\xC3\x9C"
                                       "ber Programm Dravo_Power_R",  // Über
                                       "Information Dravo_Power_R", ""};
  if (language == Language::kCzech) return std::string(previous);
  return std::string(TextIn(kCaptions, language));
}

std::string AboutDateText(std::string_view compiler_date) {
  // The compiler pads a one-digit day with a blank; the box shows single blanks.
  std::string text;
  for (const char c : compiler_date) {
    if (c == ' ' && (text.empty() || text.back() == ' ')) continue;
    text += c;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string AboutVersionText() { return "Version - " + std::to_string(kStationVersion); }

}  // namespace korvan
