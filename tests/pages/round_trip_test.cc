// Every field of the settings pages survives a parameter file and a trip through the unit: what
// the pages show after Save -> New -> Open, and after Program -> New -> Read, is what they showed
// before.
#include <map>
#include <set>
#include <tuple>

#include "pages_fixture.h"

namespace korvan {
namespace {

constexpr int kPages[] = {kPageBike, kPageCorrections, kPageSensors,  kPageRace,  kPageIdle,
                          kPageGear, kPageN2o,         kPagePosition, kPageTuning};

class PagesRoundTripTest : public PagesTest {
 protected:
  using Shown = std::tuple<int, bool, std::string>;

  // Every field of every page away from its default: a value inside its range that differs
  // from field to field, the other state of each check box, the last item of each radio group.
  void EditEveryField() {
    Station& s = *station;
    ChooseBike(47, Desktop::Answer::kYes);  // the bike with intake ports and the display switch
    int k = 0;
    for (const int page : kPages) {
      s.PageControl1Change(page);
      if (page == kPageBike) TypeMemo("Round trip \u0159\n2nd line");
      ControlSet& c = s.controls();
      for (ControlHandle h = 0; h < c.size(); ++h) {
        const Control control = c.Get(h);
        if (control.page != page) continue;
        if (control.kind == ControlKind::kSpin) {
          const int steps = (control.max - control.min) / std::max(1, control.step);
          const int value = control.min + control.step * ((7 * k++ + 3) % (steps + 1));
          Type(control.name, std::to_string(value));
        } else if (control.kind == ControlKind::kCheckBox) {
          Click(control.name, !control.checked);
        } else if (control.kind == ControlKind::kRadioGroup) {
          c.SetValue(h, static_cast<int>(control.items.size()) - 1);
          if (page == kPageSensors) s.RadioGroupPotencModeClick();
          if (page == kPageRace || page == kPageGear) s.RadioGroupGearSystemClick();
          if (page == kPageIdle) s.RadioGroupIdleModeClick();
          if (page == kPagePosition) s.RadioGroupPolohaAClick();
        }
      }
    }
    ASSERT_TRUE(desktop.messages.empty()) << desktop.messages.front();
  }

  std::map<std::string, Shown> Shot() {
    std::map<std::string, Shown> shown;
    for (const int page : kPages) {
      station->PageControl1Change(page);
      const ControlSet& c = station->controls();
      for (ControlHandle h = 0; h < c.size(); ++h) {
        const Control& control = c.Get(h);
        if (control.page != page) continue;
        switch (control.kind) {
          case ControlKind::kSpin:
          case ControlKind::kCheckBox:
          case ControlKind::kRadioGroup:
          case ControlKind::kComboBox:
            shown[control.name] = {control.value, control.checked, ""};
            break;
          case ControlKind::kMemo:
            shown[control.name] = {0, false, control.text};
            break;
          default:
            break;
        }
      }
    }
    return shown;
  }

  void ExpectSame(const std::map<std::string, Shown>& before, const char* how,
                  const std::set<std::string>& not_carried = {}) {
    const std::map<std::string, Shown> after = Shot();
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, value] : before) {
      if (not_carried.contains(name)) continue;
      EXPECT_EQ(after.at(name), value) << name << " after " << how;
    }
  }

  void NewDefaultsOfAnotherBike() {
    station->PageControl1Change(kPageBike);
    ChooseBike(3, Desktop::Answer::kYes);
  }
};

TEST_F(PagesRoundTripTest, SaveAndOpen) {
  Station& s = StartOn(kPageBike);
  EditEveryField();
  const auto before = Shot();
  EXPECT_EQ(std::get<2>(before.at("Memo1")), "Round trip \u0159\n2nd line");
  const std::string path = (dir / "pages.ign").string();
  desktop.save_path = path;
  s.MenuSaveClick();
  NewDefaultsOfAnotherBike();
  ASSERT_NE(Shot(), before);
  desktop.open_path = path;
  s.MenuOpenClick();
  // The file format carries five of the nine air sensor points; the others are the bike's own.
  ExpectSame(before, "save and open",
             {"EditCidloVzduch5", "EditCidloVzduch6", "EditCidloVzduch7", "EditCidloVzduch8"});
}

TEST_F(PagesRoundTripTest, ProgramAndRead) {
  Station& s = StartOn(kPageBike);
  EditEveryField();
  const auto before = Shot();
  s.MenuProgramClick();
  RunUntilIdle();
  NewDefaultsOfAnotherBike();
  ASSERT_NE(Shot(), before);
  s.MenuReadClick();
  RunUntilIdle();
  ExpectSame(before, "program and read");
}

}  // namespace
}  // namespace korvan
