#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/colors.h"

namespace korvan {

enum class ControlKind : std::uint8_t {
  kLabel,
  kSpin,  // an edit field with its up-down companion: value, range and step
  kCheckBox,
  kRadioGroup,  // value = item index
  kComboBox,    // value = item index
  kMemo,
  kGauge,  // value = position, max = maximum
  kButton,
  kSpinButton,  // a small down/up pair without a field
  kMenu,
  kMenuItem,     // checked = check mark
  kTab,          // a page of the page control
  kPageControl,  // value = active page
  kGroupBox,
  kLine,
  kWindow,     // the window itself: text = its title, color = the background behind the pages
  kStatusBar,  // the window's status bar: only whether it shows
};

// Where a menu item has a separator line.
enum class MenuSeparator : std::uint8_t {
  kNone,
  kBefore,  // before the item, shown and hidden with it (a group that may be hidden whole)
  kAfter,   // after the item, closing the group it ends
};

// What the down and up halves of a spin button step.
enum class StepTarget : std::uint8_t {
  kNone,
  kMapColumn,      // the map column `step_index`
  kMapTools,       // the map grid's selected cells, as the Tools menu's Minus and Plus
  kPositionTable,  // the position table `step_index` (0 = A, 1 = B)
};

// The characters a memo takes.
enum class TextCodePage : std::uint8_t {
  kUnicode,      // any
  kWindows1250,  // only those the Windows-1250 code page holds (the set keeps the memo in it)
};

// The page of the controls of the shared map grid: the window shows them on whichever map page is
// active.
inline constexpr int kMapGridPanel = -2;

// What one widget shows. The window draws it; the core reads and writes it as the pages read and
// write their controls.
struct Control {
  std::string name;
  ControlKind kind = ControlKind::kLabel;
  int page = -1;  // the page it sits on, -1 outside the pages
  int value = 0;
  int min = 0;
  int max = 0;
  int step = 1;
  std::string text;                // caption, label text, or the field's text
  std::string hint;                // "short|long": the tool tip, then the status-bar text
  std::vector<std::string> items;  // radio group and combo box items
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  bool bold = false;
  bool up_down_visible = true;  // a spin's arrows; some layouts show the field without them
  bool thousands = false;       // a spin shows 1000 and more with the locale's group separator
  std::uint32_t color = kDefaultColor;  // background, 0xRRGGBB
  std::uint32_t font_color = kDefaultColor;
  int x = 0, y = 0, width = 0, height = 0;  // within its page or panel; 0 = the window decides
  MenuSeparator separator = MenuSeparator::kNone;  // a menu item's
  StepTarget step_target = StepTarget::kNone;      // a spin button's
  int step_index = 0;
  // A memo's: the most characters it takes as the set keeps them, where a line break is two
  // (CR LF); 0: no limit. The window takes no more, and only the characters of `code_page`.
  int max_length = 0;
  TextCodePage code_page = TextCodePage::kUnicode;
};

using ControlHandle = int;

// Every control of the main window, one entry each, addressed by an integer handle. A setter that
// gets the value already shown changes nothing: "a field is written only when it differs" holds
// by construction, and only the entries that really changed reach the window.
class ControlSet {
 public:
  ControlHandle Add(std::string name, ControlKind kind, int page = -1);
  // A second name for the same entry (an edit field and its up-down are one control here).
  void AddAlias(std::string alias, ControlHandle handle);
  std::optional<ControlHandle> Find(std::string_view name) const;
  // Look-up for tests and the binder; aborts on an unknown name in debug builds.
  ControlHandle Handle(std::string_view name) const;

  const Control& Get(ControlHandle h) const { return controls_[static_cast<std::size_t>(h)]; }
  int size() const { return static_cast<int>(controls_.size()); }

  int Value(ControlHandle h) const { return Get(h).value; }
  bool Checked(ControlHandle h) const { return Get(h).checked; }
  bool Visible(ControlHandle h) const { return Get(h).visible; }
  const std::string& Text(ControlHandle h) const { return Get(h).text; }

  // A spin's value is limited to its range; its text follows the value.
  void SetValue(ControlHandle h, int value);
  void SetRange(ControlHandle h, int min, int max, int step);
  void SetText(ControlHandle h, std::string_view text);
  void SetHint(ControlHandle h, std::string_view hint);
  void SetItems(ControlHandle h, std::vector<std::string> items);
  void SetChecked(ControlHandle h, bool checked);
  void SetVisible(ControlHandle h, bool visible);
  void SetEnabled(ControlHandle h, bool enabled);
  void SetBold(ControlHandle h, bool bold);
  void SetUpDownVisible(ControlHandle h, bool visible);
  void SetThousands(ControlHandle h, bool thousands);
  void SetColor(ControlHandle h, std::uint32_t color);
  void SetFontColor(ControlHandle h, std::uint32_t color);
  void SetGeometry(ControlHandle h, int x, int y, int width, int height);
  // The control's part in the window's make-up, set where it is created.
  void SetSeparator(ControlHandle h, MenuSeparator separator);
  void SetStepTarget(ControlHandle h, StepTarget target, int index = 0);
  void SetTextLimits(ControlHandle h, int max_length, TextCodePage code_page);

  // What the user typed into a field, taken when the field is committed: a whole number is
  // limited to the range; anything else leaves the value as it was. The text then shows the value.
  void UserEnterText(ControlHandle h, std::string_view text);

  // The entries changed since the last ClearChanged, for the window to redraw.
  const std::vector<ControlHandle>& changed() const { return changed_list_; }
  void ClearChanged();
  // Marks every entry changed (the window's first drawing).
  void MarkAllChanged();

 private:
  void Touch(ControlHandle h);
  Control& At(ControlHandle h) { return controls_[static_cast<std::size_t>(h)]; }

  std::vector<Control> controls_;
  std::vector<std::pair<std::string, ControlHandle>> names_;  // sorted after Seal
  std::vector<bool> changed_;
  std::vector<ControlHandle> changed_list_;
};

}  // namespace korvan
