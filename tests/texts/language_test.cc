#include "texts/language.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/control_set.h"
#include "maps/map_texts.h"
#include "monitor/monitor_texts.h"
#include "pages/page_texts.h"
#include "texts/about_texts.h"
#include "texts/messages.h"
#include "texts/page_captions.h"
#include "texts/window_texts.h"

namespace korvan {
namespace {

TEST(LanguageTest, TextInShowsEnglishForAnEmptyTextOrAnUnknownLanguage) {
  constexpr LanguageTexts kTexts = {"Idle", "Freilauf", "", "Volnoběh"};
  EXPECT_EQ(TextIn(kTexts, Language::kGerman), "Freilauf");
  EXPECT_EQ(TextIn(kTexts, Language::kCzech), "Volnoběh");
  EXPECT_EQ(TextIn(kTexts, Language::kFrench), "Idle");
  EXPECT_EQ(TextIn(kTexts, static_cast<Language>(5)), "Idle");
  for (const int index : {-1, 4, 5, 255}) EXPECT_EQ(TextIn(kTexts, index), "Idle") << index;
  EXPECT_EQ(TextIn(kTexts, 3), "Volnoběh");
}

// A text of each table, read through that table's own lookup in a language given by index.
struct TableCase {
  const char* table;
  std::function<std::string(int language)> text;
};

std::string WindowText(int language) {
  ControlSet controls;
  const ControlHandle menu = controls.Add("MenuFile", ControlKind::kMenuItem);
  ApplyWindowTexts(controls, static_cast<Language>(language));
  return controls.Text(menu);
}

std::string PageText(int language) {
  ControlSet controls;
  const ControlHandle box = controls.Add("GroupBoxChlazeni", ControlKind::kGroupBox);
  ApplyPageTexts(controls, language);
  return controls.Text(box);
}

const TableCase kTables[] = {
    {"messages",
     [](int l) {
       return std::string(MessageText(MessageKey::kMsgReadError, static_cast<Language>(l)));
     }},
    {"window texts", WindowText},
    {"page captions", [](int l) { return PageCaption(1, static_cast<Language>(l)); }},
    {"About caption",
     [](int l) { return AboutCaption(static_cast<Language>(l), kAboutDesignedCaption); }},
    {"page texts", PageText},
    {"page control text", [](int l) { return std::string(*PageControlText("LabelRpmPulsu", l)); }},
    {"map texts", [](int l) { return std::string(MapTextsOf(l).servo_enable); }},
    {"monitor texts", [](int l) { return std::string(MonitorTextOf(MonitorText::kCooling, l)); }},
};

TEST(LanguageTest, EveryTableGivesEnglishForALanguageItDoesNotKnow) {
  for (const TableCase& t : kTables) {
    const std::string english = t.text(0);
    // The row is translated, so a fallback to another language would show.
    EXPECT_NE(t.text(1), english) << t.table;
    for (const int unknown : {4, 5, 7, 200}) EXPECT_EQ(t.text(unknown), english) << t.table;
  }
}

TEST(LanguageTest, AnEmptyTextShowsEnglish) {
  // The Bike page and the Race page have no French caption of their own; "Race" none at all.
  EXPECT_EQ(PageCaption(0, Language::kFrench), "Bike");
  EXPECT_EQ(PageCaption(15, Language::kGerman), "Race");
  EXPECT_EQ(PageCaption(15, Language::kCzech), "Race");
}

}  // namespace
}  // namespace korvan
