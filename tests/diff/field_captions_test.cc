#include "diff/field_captions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace korvan {
namespace {

TEST(FieldCaptionsTest, EveryNameTheRulesGiveIsKnown) {
  EXPECT_THAT(UnknownCaptionNames(), testing::IsEmpty());
}

// The difference list names a field by its field name only where the window shows no caption for
// it: the grids' runs without labels and the modes the map grid shows as its radio buttons. A new
// field, or a renamed label, that loses its caption shows here.
TEST(FieldCaptionsTest, EveryFieldHasACaptionInEveryLanguageButTheUncaptioned) {
  const std::set<std::string> uncaptioned = {"EditIdleServoPoz", "ExhaustServoMode",
                                             "IntakeServoMode", "UpDownIdleProcentNaCas",
                                             "JetCouplingMode"};
  for (const Language language :
       {Language::kEnglish, Language::kGerman, Language::kFrench, Language::kCzech}) {
    const FieldCaptions captions(language);
    for (const Field& field : AllFields()) {
      const bool expected = !uncaptioned.contains(std::string(field.name));
      for (int e = 0; e < field.count; ++e) {
        EXPECT_EQ(!captions(field, e).empty(), expected)
            << field.name << "[" << e << "] in language " << static_cast<int>(language);
      }
    }
  }
}

TEST(FieldCaptionsTest, CaptionsComeFromTheLanguagesTexts) {
  struct Case {
    const char* field;
    int element;
    Language language;
    const char* caption;
  };
  const Case cases[] = {
      // A number field's own label.
      {"UpDownIgnLimiter", 0, Language::kGerman, "Zündbegrenzer [rpm]"},
      // The window's own check box, which the bike page shows.
      {"CheckBoxZakazCteni", 0, Language::kFrench, "Lecture interdite"},
      // The map grid's words.
      {"AdvanceBase", 0, Language::kCzech, "Základní předstih [\u00b0]"},
      {"CheckBoxTps_Uni", 0, Language::kGerman, "TPS"},
      // A language the station does not know reads English.
      {"UpDownIgnLimiter", 0, static_cast<Language>(5), "Ignition Limiter [rpm]"},
  };
  for (const Case& c : cases) {
    const Field* field = FindField(c.field);
    ASSERT_NE(field, nullptr) << c.field;
    EXPECT_EQ(FieldCaptions(c.language)(*field, c.element), c.caption) << c.field;
  }
}

}  // namespace
}  // namespace korvan
