#include "base/control_set.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(ControlSetTest, SettingWhatIsShownChangesNothing) {
  ControlSet controls;
  const ControlHandle edit = controls.Add("EditRpm", ControlKind::kSpin, 0);
  const ControlHandle label = controls.Add("LabelRpm", ControlKind::kLabel);
  controls.SetRange(edit, 300, 25000, 100);
  controls.SetValue(edit, 5000);
  controls.SetText(label, "Speed");
  controls.ClearChanged();

  controls.SetValue(edit, 5000);
  controls.SetText(label, "Speed");
  controls.SetVisible(label, true);
  EXPECT_TRUE(controls.changed().empty());

  controls.SetValue(edit, 5100);
  controls.SetValue(edit, 5200);
  controls.SetBold(label, true);
  EXPECT_EQ(controls.changed(), (std::vector<ControlHandle>{edit, label}));
  EXPECT_EQ(controls.Text(edit), "5200");
}

TEST(ControlSetTest, SpinLimitsItsValueToItsRange) {
  ControlSet controls;
  const ControlHandle edit = controls.Add("UpDownCell", ControlKind::kSpin);
  controls.SetValue(edit, 1500);
  EXPECT_EQ(controls.Value(edit), 1500);  // no range yet: held as set
  controls.SetRange(edit, 0, 1000, 1);
  EXPECT_EQ(controls.Value(edit), 1000);
  controls.SetValue(edit, -5);
  EXPECT_EQ(controls.Value(edit), 0);
}

TEST(ControlSetTest, TypedTextBecomesALimitedNumberOrIsRefused) {
  struct Case {
    const char* typed;
    int value;
  };
  for (const Case c : {Case{"120", 120}, Case{" 75 ", 75}, Case{"+9", 9}, Case{"-20", 0},
                       Case{"99999999999", 300}, Case{"12a", 50}, Case{"", 50}, Case{"400", 300}}) {
    ControlSet controls;
    const ControlHandle edit = controls.Add("EditX", ControlKind::kSpin);
    controls.SetRange(edit, 0, 300, 1);
    controls.SetValue(edit, 50);
    controls.UserEnterText(edit, c.typed);
    EXPECT_EQ(controls.Value(edit), c.value) << c.typed;
    EXPECT_EQ(controls.Text(edit), std::to_string(c.value)) << c.typed;
  }
}

TEST(ControlSetTest, NamesAndAliasesFindTheSameEntry) {
  ControlSet controls;
  const ControlHandle a = controls.Add("EditStartLimiter", ControlKind::kSpin);
  controls.AddAlias("UpDownStartLimiter", a);
  controls.Add("LabelA", ControlKind::kLabel);
  EXPECT_EQ(controls.Find("UpDownStartLimiter"), a);
  EXPECT_EQ(controls.Find("EditStartLimiter"), a);
  EXPECT_FALSE(controls.Find("Nope").has_value());
}

}  // namespace
}  // namespace korvan
