// Every caption, group title, button and list item of the built settings pages comes from the
// station's text tables, in every language.
#include <set>

#include "pages_fixture.h"

namespace korvan {
namespace {

using PageTextsTest = PagesTest;

TEST_F(PageTextsTest, EveryVisibleTextOfThePagesIsWritten) {
  Station& s = Start();
  // The identity labels show the unit's texts, which only a read brings.
  const std::set<std::string> filled_by_the_unit{"LabelVerze1", "LabelVerze2", "LabelVerze3"};
  for (void (Station::*language)() : {&Station::MenuEnglishClick, &Station::MenuGermanClick,
                                      &Station::MenuFrenchClick, &Station::MenuCzechClick}) {
    (s.*language)();
    const ControlSet& c = s.controls();
    for (ControlHandle h = 0; h < c.size(); ++h) {
      const Control& control = c.Get(h);
      if (control.page != kPageBike && control.page != kPageCorrections &&
          control.page != kPageSensors && control.page != kPageRace) {
        continue;
      }
      // A page writes what follows the image (the pilot-light caption) when it comes on show.
      if (s.active_page() != control.page) s.PageControl1Change(control.page);
      switch (control.kind) {
        case ControlKind::kLabel:
        case ControlKind::kGroupBox:
        case ControlKind::kCheckBox:
        case ControlKind::kButton:
          if (filled_by_the_unit.contains(control.name)) break;
          EXPECT_FALSE(control.text.empty()) << control.name;
          break;
        case ControlKind::kRadioGroup:
          EXPECT_FALSE(control.text.empty()) << control.name;
          EXPECT_GE(control.items.size(), 2u) << control.name;
          for (const std::string& item : control.items) {
            EXPECT_FALSE(item.empty()) << control.name;
          }
          break;
        default:
          break;
      }
    }
  }
  EXPECT_EQ(C("LabelVerze2").hint, "Date|Date of program in ignition");
  EXPECT_EQ(C("GroupBoxActivation").hint,
            "Activation by closing |Checked items means activation by closing to ground");
}

}  // namespace
}  // namespace korvan
