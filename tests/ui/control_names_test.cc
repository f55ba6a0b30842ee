// The window's ties to the station's controls: the tables that name controls name real ones, and
// each spin button's halves run the step of what its control says it steps.
#include <QCheckBox>
#include <QToolButton>
#include <functional>
#include <string_view>
#include <vector>

#include "ui/field_widgets.h"
#include "ui/handlers.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

// A misspelt name in a table would leave its handler or key reaching nothing, without a word.
TEST_F(WindowFixture, EveryNameTheHandlerAndKeyTablesUseIsAControl) {
  const ControlSet& controls = station().controls();
  const std::pair<const char*, std::vector<std::string_view>> tables[] = {
      {"click handlers", HandledControlNames()},
      {"menu keys", ShortcutControlNames()},
  };
  for (const auto& [table, names] : tables) {
    for (const std::string_view name : names) {
      EXPECT_TRUE(controls.Find(name).has_value()) << table << ": " << name;
    }
  }
}

// Clicking a half of a spin button changes the set as the station's own step of its target does.
TEST_F(WindowFixture, EachSpinButtonHalfRunsTheStepOfItsTarget) {
  using Step = std::function<void(Station&)>;
  struct Case {
    int page;
    const char* name;
    Step down, up;
  };
  const Case cases[] = {
      {kPageInj1A, "CSpinButton3", [](Station& s) { s.CSpinButtonDownClick_Uni(3); },
       [](Station& s) { s.CSpinButtonUpClick_Uni(3); }},
      {kPageInj1A, "CSpinButtonTools", [](Station& s) { s.MenuToolsMinusClick(); },
       [](Station& s) { s.MenuToolsPlusClick(); }},
      {kPagePosition, "CSpinButtonPolohaA", [](Station& s) { s.ButtonMinusClick_PolohaA(); },
       [](Station& s) { s.ButtonPlusClick_PolohaA(); }},
      {kPagePosition, "CSpinButtonPolohaB", [](Station& s) { s.ButtonMinusClick_PolohaB(); },
       [](Station& s) { s.ButtonPlusClick_PolohaB(); }},
  };
  for (const Case& c : cases) {
    ShowPage(c.page);
    // The map tools step every cell with "All"; without it only the cell the engine is on.
    if (auto* all = Widget<QCheckBox>("CheckBoxAll_Uni"); all->isVisible() && !all->isChecked()) {
      all->click();
    }
    auto* pair = Widget<SpinButtons>(c.name);
    ASSERT_NE(pair, nullptr) << c.name;
    // The halves and the station's steps undo each other: a click up is what the station's step
    // down takes back, the station's step up gives what the click up gave, and a click down takes
    // that back.
    const ParameterImage before = station().image();
    pair->up->click();
    const ParameterImage raised = station().image();
    EXPECT_NE(raised, before) << c.name;
    c.down(station());
    EXPECT_EQ(station().image(), before) << c.name;
    c.up(station());
    EXPECT_EQ(station().image(), raised) << c.name;
    pair->down->click();
    EXPECT_EQ(station().image(), before) << c.name;
  }
}

}  // namespace
}  // namespace korvan::ui
