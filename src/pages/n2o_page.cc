#include "pages/n2o_page.h"

#include <string>

namespace korvan {
namespace {

constexpr int kEnableByte = 98;
constexpr int kRowStep = 26;
constexpr int kSpinWidth = 100;
constexpr int kSpinHeight = 22;

}  // namespace

void N2oPage::CreateControls() {
  PageFields& f = fields_;
  std::size_t n = 0;
  f.Check("CheckBoxGas", "CheckBoxGas", {8, 8, 160, 22});
  const auto label_spin = [&](const std::string& role, int x, int y) {
    stage_[n++] = f.Add("Label" + role, ControlKind::kLabel, {x, y + 3, 170, 18});
    stage_[n++] = f.Spin("Edit" + role, "UpDown" + role, "UpDown" + role, 0,
                         {x + 174, y, kSpinWidth, kSpinHeight});
  };
  stage_[n++] = f.Add("GroupBoxGas", ControlKind::kGroupBox, {8, 38, 310, 190});
  const char* gas[] = {"Gas1", "Gas2", "GasD", "GasT", "GasJetKor1", "GasJetKor2"};
  for (int r = 0; r < 6; ++r) label_spin(gas[r], 20, 62 + kRowStep * r);
  stage_[n++] = f.Add("GroupBoxRetard", ControlKind::kGroupBox, {330, 38, 310, 138});
  const char* retard[] = {"Retard1", "Retard2", "RetardD", "RetardT"};
  for (int r = 0; r < 4; ++r) label_spin(retard[r], 342, 62 + kRowStep * r);
}

void N2oPage::Visibility(const ParameterImage& image) {
  const bool enabled = image.Byte(kEnableByte) != 0;
  for (const ControlHandle h : stage_) controls_.SetVisible(h, enabled);
}

}  // namespace korvan
