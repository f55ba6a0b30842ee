#include "texts/about_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace korvan {
namespace {

TEST(AboutTextsTest, CaptionFollowsTheLanguageAndCzechKeepsThePreviousOne) {
  struct Case {
    Language language;
    std::string previous;
    std::string expected;
  };
  const Case cases[] = {
      {Language::kEnglish, "Dravo Power", "About Dravo_Power_R"},
      {Language::kGerman, "Dravo Power",
       "\xC3\x9C"
       "ber Programm Dravo_Power_R"},
      {Language::kFrench, "About Dravo_Power_R", "Information Dravo_Power_R"},
      // Czech on the first activation: the designed caption stays.
      {Language::kCzech, std::string(kAboutDesignedCaption), "Dravo Power"},
      // Czech after German: the German caption stays.
      {Language::kCzech,
       "\xC3\x9C"
       "ber Programm Dravo_Power_R",
       "\xC3\x9C"
       "ber Programm Dravo_Power_R"},
      // English after Czech replaces whatever Czech kept.
      {Language::kEnglish, "Information Dravo_Power_R", "About Dravo_Power_R"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AboutCaption(c.language, c.previous), c.expected)
        << "language " << static_cast<int>(c.language) << ", previous " << c.previous;
  }
}

TEST(AboutTextsTest, DateHasSingleBlanksWhateverTheCompilerPads) {
  EXPECT_EQ(AboutDateText("Apr 18 2007"), "Apr 18 2007");
  EXPECT_EQ(AboutDateText("Apr  8 2007"), "Apr 8 2007");
  EXPECT_GE(AboutDateText(__DATE__).size(), 10u);
  EXPECT_EQ(AboutDateText(__DATE__).find("  "), std::string::npos);
}

TEST(AboutTextsTest, VersionIsTheStationsVersion) { EXPECT_EQ(AboutVersionText(), "Version - 68"); }

}  // namespace
}  // namespace korvan
