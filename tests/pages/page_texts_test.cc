// Every caption, group title, button and list item of the settings pages comes from the
// station's text tables, in every language.
#include <map>
#include <set>
#include <string>

#include "pages/settings_pages.h"
#include "pages_fixture.h"

namespace korvan {
namespace {

using PageTextsTest = PagesTest;

using LanguageClick = void (Station::*)();
constexpr LanguageClick kLanguages[] = {&Station::MenuEnglishClick, &Station::MenuGermanClick,
                                        &Station::MenuFrenchClick, &Station::MenuCzechClick};

TEST_F(PageTextsTest, EveryVisibleTextOfThePagesIsWritten) {
  Station& s = Start();
  // The identity labels show the unit's texts, which only a read brings; the idle page's conflict
  // label and its target table's caption are written by mode (mode 0 hides both). Two have no
  // caption at all: the tuning page's frame, and the idle page's always hidden servo-time label.
  const std::set<std::string> without_page_text{
      "LabelVerze1",          "LabelVerze2",    "LabelVerze3",          "LabelIdleModeErr",
      "GroupBoxIdleServoPoz", "GroupBoxLadeni", "LabelIdleProcentNaCas"};
  std::map<std::string, std::size_t> english_items;
  for (const LanguageClick language : kLanguages) {
    (s.*language)();
    const ControlSet& c = s.controls();
    for (ControlHandle h = 0; h < c.size(); ++h) {
      const Control& control = c.Get(h);
      if (!SettingsPages::Has(control.page)) continue;
      // A page writes what follows the image (the pilot-light caption) when it comes on show.
      if (s.active_page() != control.page) s.PageControl1Change(control.page);
      switch (control.kind) {
        case ControlKind::kLabel:
        case ControlKind::kGroupBox:
        case ControlKind::kCheckBox:
        case ControlKind::kButton:
          if (without_page_text.contains(control.name)) break;
          EXPECT_FALSE(control.text.empty()) << control.name;
          break;
        case ControlKind::kRadioGroup: {
          // The gear page's speed-sensor choice sits in a group box that carries the caption.
          if (control.name != "RadioGroupSpeedMode") {
            EXPECT_FALSE(control.text.empty()) << control.name;
          }
          // The page stores the item index: every language lists the same choices.
          const auto english = english_items.emplace(control.name, control.items.size()).first;
          EXPECT_EQ(control.items.size(), english->second) << control.name;
          EXPECT_GE(control.items.size(), 2u) << control.name;
          for (const std::string& item : control.items) {
            EXPECT_FALSE(item.empty()) << control.name;
          }
          break;
        }
        default:
          break;
      }
    }
  }
}

struct SpotCheck {
  LanguageClick language;
  const char* control;
  const char* caption;  // the caption, the hint ("short|long") or the items joined by '\n'
};

std::string Shown(const Control& control, std::string_view expected) {
  if (expected.find('|') != std::string_view::npos) return control.hint;
  if (control.kind != ControlKind::kRadioGroup || expected.find('\n') == std::string_view::npos) {
    return control.text;
  }
  std::string joined;
  for (const std::string& item : control.items) joined += (joined.empty() ? "" : "\n") + item;
  return joined;
}

TEST_F(PageTextsTest, CaptionsReadAsTheTunerOfEachLanguageExpects) {
  const SpotCheck cases[] = {
      // English: the station's established texts, quirks included.
      {&Station::MenuEnglishClick, "CheckBoxIdleSmerReg", "Inverze direction of regulation"},
      {&Station::MenuEnglishClick, "GroupBoxActivation",
       "Activation by closing |Checked items means activation by closing to ground"},
      {&Station::MenuEnglishClick, "LabelVerze2", "Date|Date of program in ignition"},
      // German.
      {&Station::MenuGermanClick, "LabelIgnLimiter", "Zündbegrenzer [rpm]"},
      {&Station::MenuGermanClick, "LabelVzduch2", "Ansaugluft"},
      {&Station::MenuGermanClick, "LabelVoda2", "Kühlwasser"},
      {&Station::MenuGermanClick, "GroupBoxIgnVoda", "Temperaturkorrektur der Vorzündung [°]"},
      {&Station::MenuGermanClick, "LabelApsTlak2", "Druck 2 [kPa]"},
      {&Station::MenuGermanClick, "RadioGroupPolohaA", "Beginn\nMitte\nEnde"},
      {&Station::MenuGermanClick, "LabelVerze1", "Version|Programmversion in der Zündung"},
      // French.
      {&Station::MenuFrenchClick, "LabelStartLimiter", "Limiteur de départ [rpm]"},
      {&Station::MenuFrenchClick, "GroupBoxAkcel", "Injection d'accélération"},
      {&Station::MenuFrenchClick, "RadioGroupIdleMode",
       "Aucune\nServo d'admission\nMoteur pas à pas sans potentiomètre\n"
       "Moteur pas à pas règle TPS min"},
      {&Station::MenuFrenchClick, "CheckBoxTempDisplay", "Température au lieu de la vitesse"},
      // Czech.
      {&Station::MenuCzechClick, "LabelJetLimiter", "Omezovač vstřikem [rpm]"},
      {&Station::MenuCzechClick, "GroupBoxIgnVoda", "Teplotní korekce předstihu [°]"},
      {&Station::MenuCzechClick, "LabelIdleMaxAdv", "Maximální předstih [°]"},
      {&Station::MenuCzechClick, "LabelRpmPulsu", "Pulzů na otáčku"},
      {&Station::MenuCzechClick, "GroupBoxActivation",
       "Aktivace sepnutím |Zaškrtnuté vstupy jsou aktivní při sepnutí na zem"},
      // Captions the pages have always shown untranslated stay so in every language.
      {&Station::MenuGermanClick, "LabelGasJetKor1", "Korekce Jet 1 [%]"},
      {&Station::MenuCzechClick, "GroupBoxCidloTVodaVzduch",
       "Characteristic of temperature sensors [mV]"},
      {&Station::MenuFrenchClick, "LabelLadeni", "Caution - For experienced user only!"},
  };
  Station& s = Start();
  for (const SpotCheck& c : cases) {
    (s.*c.language)();
    EXPECT_EQ(Shown(C(c.control), c.caption), c.caption) << c.control;
  }
}

}  // namespace
}  // namespace korvan
