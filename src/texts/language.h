#pragma once

// The station's languages and the one way every text table of the station is held and read: a
// row of four texts, one per language, and TextIn to pick the one to show.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvan {

// The station's languages, in the order of the language index kept in the settings file.
enum class Language : std::uint8_t { kEnglish = 0, kGerman = 1, kFrench = 2, kCzech = 3 };

inline constexpr int kLanguageCount = 4;

// One text in every language: English, German, French, Czech. English is always written; an
// empty text in another language shows the English one.
using LanguageTexts = std::array<std::string_view, kLanguageCount>;

// The language of a language index (the settings file's, a page's); an index outside 0..3 is
// English, as a settings file from a later station may hold one.
constexpr Language LanguageOf(int index) {
  return index >= 0 && index < kLanguageCount ? static_cast<Language>(index) : Language::kEnglish;
}

// The text to show in `language`: the row's own, else English (an empty text, or a language this
// station does not know).
constexpr std::string_view TextIn(const LanguageTexts& texts, Language language) {
  const auto index = static_cast<std::size_t>(language);
  if (index >= texts.size() || texts[index].empty()) return texts[0];
  return texts[index];
}
constexpr std::string_view TextIn(const LanguageTexts& texts, int language) {
  return TextIn(texts, LanguageOf(language));
}

}  // namespace korvan
