#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QTabWidget>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/control_set.h"
#include "station/station.h"

namespace korvan::ui {

// What the views of the control kinds share with the binder: the window's parts, what was made
// for each control so far (indexed by handle), and the way back into the station after a widget
// event.
struct BoundWindow {
  BoundWindow(Station& s, QWidget* area, QMenuBar* bar, QTabWidget* page_tabs)
      : station(s), controls(s.controls()), window_area(area), menu_bar(bar), tabs(page_tabs) {}

  // A widget event: nothing while the window draws (the widget then only echoes what was drawn),
  // otherwise `fn` and then the drawing of what it changed.
  void React(const std::function<void()>& fn, std::optional<ControlHandle> edited = std::nullopt) {
    if (applying) return;
    fn();
    after_user_action(edited);
  }

  Station& station;
  ControlSet& controls;
  QWidget* window_area;
  QMenuBar* menu_bar;
  QTabWidget* tabs;
  // Draws what the station changed after a widget event; `edited` is the field the user just
  // committed, redrawn in any case.
  std::function<void(std::optional<ControlHandle> edited)> after_user_action;
  std::vector<QWidget*> widgets;
  std::vector<QAction*> actions;
  std::vector<QMenu*> menus;
  // A separator shown and hidden with the item after it.
  std::vector<QAction*> separators;
  std::vector<QKeySequence> station_keys;  // the menu's shortcuts
  QMenu* current_menu = nullptr;           // the menu the next items go into
  bool applying = false;
  bool frozen = false;
  bool tabs_changed = false;
};

// The widget made for `h`, as its kind's widget class.
template <typename W>
W* WidgetAs(const BoundWindow& window, ControlHandle h) {
  return static_cast<W*>(window.widgets[static_cast<std::size_t>(h)]);
}

// How the window shows one kind of control.
struct ControlView {
  // Makes the control's widget under `parent` and connects its events. The parts of the window
  // that are no widget of their own (menus and their items, tabs, the window, its status bar)
  // give nullptr and keep what they made in the BoundWindow.
  QWidget* (*create)(BoundWindow& window, ControlHandle h, QWidget* parent);
  // Draws what the kind itself shows. For a widget the binder draws the rest (place, enabled,
  // hints, font, colours, visibility).
  void (*draw)(BoundWindow& window, ControlHandle h, bool committed);
};

// The view of `kind`, from a table keyed by kind.
const ControlView& ViewOf(ControlKind kind);

// The views, defined beside their kind's widgets: the parts of the window in window_parts.cc,
// the widgets on the pages in widget_views.cc.
extern const ControlView kMenuView;
extern const ControlView kMenuItemView;
extern const ControlView kTabView;
extern const ControlView kPageControlView;
extern const ControlView kWindowView;
extern const ControlView kStatusBarView;
extern const ControlView kLabelView;
extern const ControlView kSpinView;
extern const ControlView kCheckBoxView;
extern const ControlView kRadioGroupView;
extern const ControlView kComboBoxView;
extern const ControlView kMemoView;
extern const ControlView kGaugeView;
extern const ControlView kButtonView;
extern const ControlView kSpinButtonView;
extern const ControlView kGroupBoxView;
extern const ControlView kLineView;

QString Qs(const std::string& s);
// The halves of a hint "short|long": the tool tip and the status-bar text.
QString ShortHint(const std::string& hint);
QString LongHint(const std::string& hint);

}  // namespace korvan::ui
