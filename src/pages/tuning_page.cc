#include "pages/tuning_page.h"

#include <string>

namespace korvan {

void TuningPage::CreateControls() {
  PageFields& f = fields_;
  const ControlHandle warning = f.Add("LabelLadeni", ControlKind::kLabel, {8, 8, 400, 20});
  f.controls().SetColor(warning, kColorRed);
  f.Add("GroupBoxLadeni", ControlKind::kGroupBox, {8, 36, 300, 190});
  const char* roles[] = {"LadeniLambda", "LadeniHyster", "LadeniRpm", "LadeniTps", "LadeniCas"};
  for (int r = 0; r < 5; ++r) {
    const int y = 60 + 26 * r;
    const std::string role = roles[r];
    f.Add("Label" + role, ControlKind::kLabel, {20, y + 3, 120, 18});
    f.Spin("Edit" + role, "UpDown" + role, "UpDown" + role, 0, {144, y, 100, 22});
  }
  // Shown as designed; no byte of the image holds it.
  f.Add("CheckBoxLadeniPovoleno", ControlKind::kCheckBox, {20, 194, 260, 22});
}

}  // namespace korvan
