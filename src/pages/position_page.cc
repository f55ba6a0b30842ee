#include "pages/position_page.h"

#include <string>

namespace korvan {
namespace {

constexpr std::array<int, 2> kAxisByte = {305, 335};   // hundreds of rpm
constexpr std::array<int, 2> kAngleByte = {320, 350};  // steps of 5 degrees
constexpr int kMaxAngle = 144;                         // 720 degrees
constexpr int kFieldWidth = 62;
constexpr int kFieldHeight = 22;

std::size_t BankIndex(Bank bank) { return bank == Bank::kA ? 0 : 1; }

}  // namespace

int PositionColumn(Bank bank, const LiveValues& live, const ParameterImage& image) {
  const int axis = kAxisByte[BankIndex(bank)];
  const int twice_rpm = 2 * live.engine_speed;
  for (int i = 0; i < kPositionPoints - 1; ++i) {
    if (twice_rpm < (image.Byte(axis + i) + image.Byte(axis + i + 1)) * 100) return i;
  }
  return kPositionPoints - 1;
}

bool StepPositions(Bank bank, int direction, bool all, int column, ParameterImage& image) {
  const int first = kAngleByte[BankIndex(bank)];
  bool changed = false;
  for (int i = 0; i < kPositionPoints; ++i) {
    if (!all && i != column) continue;
    const int b = image.Byte(first + i);
    if (direction < 0 && b > 0) {
      image.SetByte(first + i, static_cast<std::uint8_t>(b - 1));
      changed = true;
    }
    if (direction > 0 && b < kMaxAngle) {
      image.SetByte(first + i, static_cast<std::uint8_t>(b + 1));
      changed = true;
    }
  }
  return changed;
}

void PositionPage::CreateControls() {
  PageFields& f = fields_;
  const char* banks[] = {"A", "B"};
  for (std::size_t b = 0; b < 2; ++b) {
    const std::string bank = banks[b];
    const int top = 4 + 200 * static_cast<int>(b);
    f.Add("GroupBoxPoloha" + bank, ControlKind::kGroupBox, {8, top, 1034, 190});
    references_[b] =
        f.Radio("RadioGroupPoloha" + bank, "RadioGroupPoloha" + bank, 3, {20, top + 22, 420, 58});
    all_[b] = f.Add("CheckBoxAll_Poloha" + bank, ControlKind::kCheckBox, {460, top + 40, 60, 22});
    f.controls().SetStepTarget(
        f.Add("CSpinButtonPoloha" + bank, ControlKind::kSpinButton, {530, top + 36, 24, 30}),
        StepTarget::kPositionTable, static_cast<int>(b));
    f.Add("LabelPolohaRpm" + bank, ControlKind::kLabel, {20, top + 105, 50, 18});
    f.Add("LabelPolohaUhel" + bank, ControlKind::kLabel, {20, top + 145, 50, 18});
    for (int i = 0; i < kPositionPoints; ++i) {
      const auto k = static_cast<std::size_t>(i);
      const int x = 74 + 64 * i;
      speeds_[b][k] = f.Spin(ElementName("EditPolohaRpm" + bank, i), "", "EditPolohaRpm" + bank, i,
                             {x, top + 102, kFieldWidth, kFieldHeight});
      angles_[b][k] = f.Spin(ElementName("EditPoloha" + bank, i), "", "EditPoloha" + bank, i,
                             {x, top + 142, kFieldWidth, kFieldHeight});
    }
  }
}

void PositionPage::ReferencesClicked(ParameterImage& image) const {
  for (const ControlHandle h : references_) fields_.GatherOne(h, image);
}

bool PositionPage::Step(Bank bank, int direction, const LiveValues& live,
                        ParameterImage& image) const {
  return StepPositions(bank, direction, controls_.Checked(all_[Index(bank)]),
                       PositionColumn(bank, live, image), image);
}

void PositionPage::PaintLiveCursor(const LiveValues& live, const ParameterImage& image) {
  for (const Bank bank : {Bank::kA, Bank::kB}) {
    const std::size_t b = Index(bank);
    const int column = PositionColumn(bank, live, image);
    for (int i = 0; i < kPositionPoints; ++i) {
      const auto k = static_cast<std::size_t>(i);
      const std::uint32_t color = i == column ? kColorLime : kDefaultColor;
      controls_.SetColor(speeds_[b][k], color);
      controls_.SetColor(angles_[b][k], color);
    }
  }
}

}  // namespace korvan
