// The station in its four languages: every control of the window, page by page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "maps/map_editor.h"
#include "maps/map_texts.h"
#include "monitor/monitor_controls.h"
#include "monitor/monitor_texts.h"
#include "station/station.h"
#include "station_fixture.h"
#include "texts/messages.h"
#include "texts/window_texts.h"

namespace korvan {
namespace {

constexpr Language kLanguages[] = {Language::kEnglish, Language::kGerman, Language::kFrench,
                                   Language::kCzech};

const char* NameOf(Language language) {
  constexpr const char* kNames[] = {"English", "German", "French", "Czech"};
  return kNames[static_cast<int>(language)];
}

// What a control says to the user (its values aside, which no language changes).
struct Words {
  std::string text;
  std::string hint;
  std::vector<std::string> items;
  bool operator==(const Words&) const = default;
};

// Every control as each page shows it: the grid's header labels and captions change with the
// map page, so the walk visits every page. Key: page, control name (with its handle: the live panel
// and the window each have a LabelEeDataErr).
using Snapshot = std::map<std::tuple<int, std::string, ControlHandle>, Words>;

class StationLanguagesTest : public ::testing::Test, public StationFixture {
 protected:
  void SetLanguage(Language language) {
    switch (language) {
      case Language::kEnglish:
        station->MenuEnglishClick();
        break;
      case Language::kGerman:
        station->MenuGermanClick();
        break;
      case Language::kFrench:
        station->MenuFrenchClick();
        break;
      case Language::kCzech:
        station->MenuCzechClick();
        break;
    }
  }

  Snapshot WalkAllPages() {
    Snapshot all;
    const ControlSet& c = station->controls();
    for (int page = 0; page < kPageCount; ++page) {
      station->PageControl1Change(page);
      for (ControlHandle h = 0; h < c.size(); ++h) {
        const Control& control = c.Get(h);
        // Off the map pages the grid keeps what the last map page wrote; nobody sees it there.
        if (control.page == kMapGridPanel && !MapEditor::IsMapPage(page)) continue;
        all[{page, control.name, h}] = Words{control.text, control.hint, control.items};
      }
    }
    station->PageControl1Change(kPageBike);
    return all;
  }

  std::string Text(std::string_view name) const { return C(name).text; }
};

TEST_F(StationLanguagesTest, NoLanguageLeavesAControlEmptyWhereEnglishSaysSomething) {
  Start();
  const Snapshot english = WalkAllPages();
  for (Language language : {Language::kGerman, Language::kFrench, Language::kCzech}) {
    SetLanguage(language);
    const Snapshot other = WalkAllPages();
    ASSERT_EQ(other.size(), english.size());
    for (const auto& [key, words] : english) {
      const Words& shown = other.at(key);
      const auto& [page, name, handle] = key;
      const std::string where =
          std::string(NameOf(language)) + ", page " + std::to_string(page) + ", " + name;
      EXPECT_FALSE(!words.text.empty() && shown.text.empty()) << where;
      EXPECT_FALSE(!words.hint.empty() && shown.hint.empty()) << where;
      ASSERT_EQ(shown.items.size(), words.items.size()) << where;
      for (std::size_t i = 0; i < words.items.size(); ++i) {
        EXPECT_FALSE(!words.items[i].empty() && shown.items[i].empty()) << where << " item " << i;
      }
    }
  }
}

TEST_F(StationLanguagesTest, BackToEnglishRestoresEveryTextExactly) {
  Start();
  WalkAllPages();  // the first visits store what the pages gather; from here the image holds
  const Snapshot before = WalkAllPages();
  station->PageControl1Change(kPageInj1A);  // the switches happen with the grid on show
  for (Language language :
       {Language::kGerman, Language::kFrench, Language::kCzech, Language::kEnglish}) {
    SetLanguage(language);
  }
  const Snapshot after = WalkAllPages();
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [key, words] : before) {
    const Words& now = after.at(key);
    const std::string where = "page " + std::to_string(std::get<0>(key)) + ", " + std::get<1>(key);
    EXPECT_EQ(now.text, words.text) << where;
    EXPECT_EQ(now.hint, words.hint) << where;
    EXPECT_EQ(now.items, words.items) << where;
  }
}

TEST_F(StationLanguagesTest, TheWindowSpeaksTheWordsTunersKnow) {
  struct Case {
    Language language;
    const char* control;
    const char* text;
  };
  // The given captions, quirks and blanks included, and a few of our own.
  const Case cases[] = {
      {Language::kEnglish, "FormHlav", "Programming of Korvan_2007 unit"},
      {Language::kGerman, "FormHlav", "Programmierung der Korvan_2007 Zündbox"},
      {Language::kFrench, "FormHlav", "Programation de Korvan_2007 unité"},
      {Language::kCzech, "FormHlav", "Programování jednotky Korvan_2007"},
      {Language::kFrench, "MenuSave", "&Mèmoriser"},
      {Language::kCzech, "MenuContens", "Obsah"},
      {Language::kCzech, "MenuZpet", "Zpet"},
      {Language::kFrench, "MenuZpet", "Undo"},
      {Language::kGerman, "MenuCom", "&COM-Anschluß"},
      {Language::kCzech, "MenuRead", "Čí&st"},
      {Language::kCzech, "ButtonRead", "Čí&st"},
      {Language::kGerman, "ButtonVerify", "&Vergleichen"},
      {Language::kFrench, "MenuNewActPage", "New for actual page"},
      {Language::kCzech, "MenuOpenActPage", "&Otevřít pro aktuální záložku"},
      {Language::kFrench, "Menu_Jet123Coupled", "couplé"},
      {Language::kGerman, "MenuAbout", "&Über Programm..."},
      {Language::kFrench, "MenuCzech", "&Tchèque"},
      {Language::kCzech, "MenuFrench", "Francouzky"},
      {Language::kCzech, "MenuCzech", "Če&sky"},
      {Language::kFrench, "LabelSpojeni", "Pas de connection acec pc"},
      {Language::kGerman, "LabelFile1", "Datei:"},
      {Language::kCzech, "CheckBoxZakazCteni", "Zákaz čtení"},
      {Language::kGerman, "CheckBoxProgHned", "Programmieren nach Änderung"},
      {Language::kGerman, "TabSheet_Inj1A", "Einsp. 1"},
      {Language::kCzech, "TabSheet_IntakeServo", "Sací servo "},
      {Language::kGerman, "CheckBoxAll_Uni", "Alle"},
      {Language::kCzech, "CheckBoxServoEnable", "Servo povoleno"},
  };
  Start();
  for (const Case& c : cases) {
    SetLanguage(c.language);
    EXPECT_EQ(Text(c.control), c.text) << NameOf(c.language) << ", " << c.control;
  }
  // Designed captions that no language changes.
  for (Language language : kLanguages) {
    SetLanguage(language);
    EXPECT_EQ(Text("Menu_Jet123Stejny"), "1=2=3=4");
    EXPECT_EQ(Text("MenuToolsMinus"), "Minus ");
    EXPECT_EQ(Text("MenuToolsPlus"), "Plus");
    EXPECT_EQ(Text("MenuCom3"), "Com 3");
    for (int i = 0; i < 4; ++i) {
      const char* item[] = {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"};
      EXPECT_EQ(C(item[i]).checked, i == static_cast<int>(language)) << item[i];
    }
  }
  // A tool bar button and its menu item give the same hint, in every language.
  for (Language language : kLanguages) {
    SetLanguage(language);
    for (const auto& [button, item] : {std::pair{"SpeedButton5", "MenuOpen"},
                                       {"SpeedButton6", "MenuNew"},
                                       {"SpeedButton7", "MenuSave"},
                                       {"SpeedButtonPrint", "MenuPrint"},
                                       {"ButtonRead", "MenuRead"},
                                       {"ButtonVerify", "MenuVerify"},
                                       {"ButtonProgram", "MenuProgram"}}) {
      EXPECT_EQ(C(button).hint, C(item).hint) << NameOf(language) << ", " << button;
    }
  }
  SetLanguage(Language::kEnglish);
  EXPECT_EQ(C("MenuOpen").hint, "Open|Open file with parametrs");
  EXPECT_EQ(C("MenuLanguage").hint, "Language|Set English or German or French");
  EXPECT_EQ(C("ButtonVerify").hint, "Verify|Compare set parametrs  with parametrs of ignition");
}

// Alt and a letter opens one menu of the bar: two menus with the same key would leave the second
// one out of reach from the keyboard.
TEST_F(StationLanguagesTest, EveryMenuOfTheBarHasItsOwnKeyInEveryLanguage) {
  // The character after a single '&' (one UTF-8 sequence), in lower case where it is ASCII.
  auto key_of = [](const std::string& caption) -> std::string {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
      if (caption[i] != '&') continue;
      if (caption[i + 1] == '&') {
        ++i;
        continue;
      }
      std::size_t end = i + 2;
      while (end < caption.size() && (static_cast<unsigned char>(caption[end]) & 0xC0) == 0x80) {
        ++end;
      }
      std::string key = caption.substr(i + 1, end - i - 1);
      if (key.size() == 1) key[0] = static_cast<char>(std::tolower(key[0]));
      return key;
    }
    return {};
  };
  Start();
  for (Language language : kLanguages) {
    SCOPED_TRACE(NameOf(language));
    SetLanguage(language);
    Tick();  // the Log menu takes the new language on the next tick
    std::map<std::string, std::string> owner;  // key -> the menu that has it
    const ControlSet& c = station->controls();
    for (ControlHandle h = 0; h < c.size(); ++h) {
      const Control& control = c.Get(h);
      if (control.kind != ControlKind::kMenu) continue;
      const std::string key = key_of(control.text);
      if (key.empty()) continue;
      const auto [it, fresh] = owner.emplace(key, control.text);
      EXPECT_TRUE(fresh) << "\"" << control.text << "\" and \"" << it->second
                         << "\" both open with Alt+" << key;
    }
  }
}

TEST_F(StationLanguagesTest, TheLanguageWordOnTheCommandLineSetsTheCaptionsFromTheStart) {
  { std::ofstream(Paths().settings_file) << "[BASIC]\nLanguage=0\n"; }
  Start({"CESKY"});
  EXPECT_EQ(Text("FormHlav"), "Programování jednotky Korvan_2007");
  EXPECT_EQ(Text("MenuHelp"), "Nápověda");
  EXPECT_TRUE(C("MenuCzech").checked);
  EXPECT_FALSE(C("MenuEnglish").checked);

  { std::ofstream(Paths().settings_file) << "[BASIC]\nLanguage=1\n"; }
  Start({"english"});  // not the word: the settings' German stays
  EXPECT_EQ(Text("FormHlav"), "Programmierung der Korvan_2007 Zündbox");
  EXPECT_EQ(Text("MenuFile"), "&Datei");
}

TEST_F(StationLanguagesTest, SwitchingWhileAMapPageIsShownRedrawsItsHeader) {
  Start();
  const auto shown_header = [&] {
    std::vector<std::string> texts;
    const ControlSet& c = station->controls();
    for (int l = 0;; ++l) {
      const std::optional<ControlHandle> h = c.Find("MapHeaderLabel" + std::to_string(l));
      if (!h) break;
      if (c.Visible(*h)) texts.push_back(c.Text(*h));
    }
    return texts;
  };
  station->PageControl1Change(kPageInj1A);
  const std::vector<std::string> english = shown_header();
  station->MenuGermanClick();
  EXPECT_EQ(shown_header(), english);  // these names are the same in every language
  EXPECT_NE(std::find(english.begin(), english.end(), "TPS min"), english.end());
  EXPECT_NE(std::find(english.begin(), english.end(), "RPM max"), english.end());
  EXPECT_EQ(Text("TabSheet_Inj1A"), "Einsp. 1");

  station->PageControl1Change(kPageAdvance);
  const std::vector<std::string> german = shown_header();
  EXPECT_NE(std::find(german.begin(), german.end(), "Grundvorzündung [\u00b0]"), german.end());
  station->MenuFrenchClick();
  const std::vector<std::string> french = shown_header();
  EXPECT_NE(std::find(french.begin(), french.end(), "Avance de base [\u00b0]"), french.end());
  EXPECT_EQ(Text("CheckBoxAll_Uni"), "Tout");
}

// With no unit answering, a language switch shows the live display as before the first frame:
// dashes, face backgrounds and empty bars, so that nothing the last frame left (a lime pick-up, the
// white cooling label, a full bar) reads as the engine running.
TEST_F(StationLanguagesTest, ASwitchWithNoUnitAnsweringClearsTheLiveStatesWithTheTexts) {
  for (const Language language : kLanguages) {
    SCOPED_TRACE(NameOf(language));
    unit.fault().silent = false;
    Start();
    const auto live_look = [&] {
      std::map<std::string, std::tuple<std::uint32_t, int, bool>> look;
      const ControlSet& c = station->controls();
      for (const MonitorControlEntry& entry : MonitorControlEntries()) {
        const Control& control = c.Get(c.Handle(entry.name));
        const bool shown = entry.id == MonitorControl::kLabelEeDataErr && control.visible;
        look[entry.name] = {control.color, control.value, shown};
      }
      return look;
    };
    const auto before_any_frame = live_look();
    Tick(40);
    ASSERT_TRUE(station->live().has_frame);
    ASSERT_EQ(C("LabelSnimacCkps").color, 0x00FF00u);
    ASSERT_GT(C("CGaugeRpm").value, 0);
    unit.fault().silent = true;
    Tick(TransferSession::kNoConnectionTicks + 2);
    ASSERT_TRUE(C("LabelSpojeni").visible);
    SetLanguage(language);
    EXPECT_EQ(live_look(), before_any_frame);
    EXPECT_EQ(Text("LabelRpm"), "RPM = ---");
  }
}

// Every message, monitor word and grid caption exists in every language; a text the same as the
// English one is there on purpose (the names that are the same everywhere, the few messages that
// have always been English in a language).
TEST(LanguageTablesTest, EveryTextIsTranslatedOrEnglishOnPurpose) {
  struct Same {
    MessageKey key;
    Language language;
  };
  const Same english_on_purpose[] = {
      {MessageKey::kMsgWrongProgramBike, Language::kFrench},
      {MessageKey::kMsgNeedIntakeServo, Language::kGerman},
      {MessageKey::kMsgNeedIntakeServo, Language::kFrench},
      {MessageKey::kMsgNeedNoIntakeServo, Language::kGerman},
      {MessageKey::kMsgNeedNoIntakeServo, Language::kFrench},
      {MessageKey::kMsgLogPause, Language::kGerman},  // the same word
      {MessageKey::kMsgLogPause, Language::kFrench},
      {MessageKey::kMsgDiffPage, Language::kFrench},  // the same word
  };
  for (int k = 1; k < 256; ++k) {
    const auto key = static_cast<MessageKey>(k);
    const std::string_view english = MessageText(key, Language::kEnglish);
    if (english.empty()) break;  // past the last key
    for (Language language : {Language::kGerman, Language::kFrench, Language::kCzech}) {
      bool same_on_purpose = false;
      for (const Same& s : english_on_purpose) {
        same_on_purpose |= s.key == key && s.language == language;
      }
      const std::string_view text = MessageText(key, language);
      EXPECT_FALSE(text.empty()) << "message " << k << ", " << NameOf(language);
      EXPECT_EQ(text == english, same_on_purpose)
          << "message " << k << ", " << NameOf(language) << ": " << text;
    }
  }

  const MonitorText monitor_same[] = {MonitorText::kTacho, MonitorText::kLambda};
  for (int t = 0; t < static_cast<int>(MonitorText::kCount); ++t) {
    const auto id = static_cast<MonitorText>(t);
    const std::string english = MonitorTextOf(id, 0);
    for (int language = 1; language < kMonitorLanguageCount; ++language) {
      const std::string text = MonitorTextOf(id, language);
      const bool same_everywhere =
          std::find(std::begin(monitor_same), std::end(monitor_same), id) != std::end(monitor_same);
      // German writes "Potentiometer" and "Choke" as English does, French "Position".
      const bool same_word =
          (language == 1 && (id == MonitorText::kPotentiometer || id == MonitorText::kChoke)) ||
          (language == 2 && id == MonitorText::kPosition);
      EXPECT_EQ(text == english, same_everywhere || same_word)
          << "monitor text " << t << ", " << NameOf(static_cast<Language>(language)) << ": "
          << text;
    }
  }

  for (int language = 1; language < 4; ++language) {
    const MapTexts& texts = MapTextsOf(language);
    for (std::string_view MapTexts::*translated :
         {&MapTexts::all, &MapTexts::servo_enable, &MapTexts::percent, &MapTexts::step_motor,
          &MapTexts::base_advance, &MapTexts::lobe_width, &MapTexts::cylinder_correction,
          &MapTexts::hysteresis, &MapTexts::period}) {
      EXPECT_NE(texts.*translated, kEnglishMapTexts.*translated)
          << NameOf(static_cast<Language>(language)) << ": " << texts.*translated;
    }
    EXPECT_EQ(texts.tps_min, "TPS min");
    EXPECT_EQ(texts.rpm_max, "RPM max");
  }
  EXPECT_EQ(&MapTextsOf(7), &kEnglishMapTexts);
}

}  // namespace
}  // namespace korvan
