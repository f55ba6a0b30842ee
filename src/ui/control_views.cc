#include "ui/control_views.h"

#include <array>
#include <utility>

namespace korvan::ui {
namespace {

constexpr std::pair<ControlKind, const ControlView*> kViews[] = {
    {ControlKind::kLabel, &kLabelView},
    {ControlKind::kSpin, &kSpinView},
    {ControlKind::kCheckBox, &kCheckBoxView},
    {ControlKind::kRadioGroup, &kRadioGroupView},
    {ControlKind::kComboBox, &kComboBoxView},
    {ControlKind::kMemo, &kMemoView},
    {ControlKind::kGauge, &kGaugeView},
    {ControlKind::kButton, &kButtonView},
    {ControlKind::kSpinButton, &kSpinButtonView},
    {ControlKind::kMenu, &kMenuView},
    {ControlKind::kMenuItem, &kMenuItemView},
    {ControlKind::kTab, &kTabView},
    {ControlKind::kPageControl, &kPageControlView},
    {ControlKind::kGroupBox, &kGroupBoxView},
    {ControlKind::kLine, &kLineView},
    {ControlKind::kWindow, &kWindowView},
    {ControlKind::kStatusBar, &kStatusBarView},
};

// The table is indexed by the kind: every kind in its place, the last kind last.
constexpr bool InKindOrder() {
  for (std::size_t i = 0; i < std::size(kViews); ++i) {
    if (static_cast<std::size_t>(kViews[i].first) != i) return false;
  }
  return kViews[std::size(kViews) - 1].first == ControlKind::kStatusBar;
}
static_assert(InKindOrder());

}  // namespace

const ControlView& ViewOf(ControlKind kind) {
  return *kViews[static_cast<std::size_t>(kind)].second;
}

QString Qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QString ShortHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return Qs(bar == std::string::npos ? hint : hint.substr(0, bar));
}

QString LongHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return Qs(bar == std::string::npos ? hint : hint.substr(bar + 1));
}

}  // namespace korvan::ui
