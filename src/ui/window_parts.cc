// The views of the controls that are parts of the window rather than widgets of their own: the
// menus and their items, the page tabs, the window itself and its status bar.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

#include "ui/control_views.h"
#include "ui/field_widgets.h"
#include "ui/handlers.h"

namespace korvan::ui {
namespace {

// Commits the focused field when its text differs from the value it shows.
void CommitTyping() {
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    auto* field = dynamic_cast<FieldSpinBox*>(w);
    if (field == nullptr) continue;
    if (field->HasTyping()) emit field->editingFinished();
    return;
  }
}

QWidget* CreateMenu(BoundWindow& window, ControlHandle h, QWidget* /*parent*/) {
  const Control& c = window.controls.Get(h);
  QMenu* menu = window.menu_bar->addMenu(Qs(c.text));
  menu->setObjectName(Qs(c.name));
  window.menus[static_cast<std::size_t>(h)] = menu;
  window.current_menu = menu;
  // A menu with a handler runs it each time it is about to open (the port menu looks for plugged
  // and pulled adapters then).
  if (auto handler = ClickHandler(window.station, c.name)) {
    QObject::connect(menu, &QMenu::aboutToShow, [&window, handler] {
      handler();
      window.after_user_action(std::nullopt);
    });
  }
  return nullptr;
}

void DrawMenu(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  if (QMenu* menu = window.menus[static_cast<std::size_t>(h)]) {
    menu->setTitle(Qs(c.text));
    menu->menuAction()->setVisible(c.visible);
    menu->setEnabled(c.enabled);
    menu->setStatusTip(LongHint(c.hint));
  }
}

QWidget* CreateMenuItem(BoundWindow& window, ControlHandle h, QWidget* /*parent*/) {
  QMenu* menu = window.current_menu;
  if (menu == nullptr) return nullptr;
  const Control& c = window.controls.Get(h);
  const auto i = static_cast<std::size_t>(h);
  if (c.separator == MenuSeparator::kBefore) window.separators[i] = menu->addSeparator();
  QAction* action = menu->addAction(Qs(c.text));
  action->setObjectName(Qs(c.name));
  const std::string_view keys = ShortcutOf(c.name);
  if (!keys.empty()) {
    action->setShortcut(
        QKeySequence(QString::fromLatin1(keys.data(), static_cast<int>(keys.size()))));
    window.station_keys.push_back(action->shortcut());
  }
  if (auto handler = ClickHandler(window.station, c.name)) {
    QObject::connect(action, &QAction::triggered, [&window, handler] {
      window.React([&handler] {
        // A menu key pressed while typing in a field: the typed value counts, as if the field
        // had been left first.
        CommitTyping();
        handler();
      });
    });
  }
  if (c.separator == MenuSeparator::kAfter) menu->addSeparator();
  window.actions[i] = action;
  return nullptr;
}

void DrawMenuItem(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  const auto i = static_cast<std::size_t>(h);
  if (QAction* a = window.actions[i]) {
    a->setText(Qs(c.text));
    a->setCheckable(c.checked);
    a->setChecked(c.checked);
    a->setVisible(c.visible);
    a->setEnabled(c.enabled);
    a->setStatusTip(LongHint(c.hint));
  }
  if (QAction* separator = window.separators[i]) separator->setVisible(c.visible);
}

// The tabs and the page control are the binder's tab widget, made before the controls.
QWidget* CreateNothing(BoundWindow&, ControlHandle, QWidget*) { return nullptr; }

void DrawPageControl(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  if (window.tabs->currentIndex() != c.value) window.tabs->setCurrentIndex(c.value);
}

void DrawTab(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  if (c.value >= 0 && c.value < window.tabs->count()) {
    window.tabs->setTabText(c.value, Qs(c.text));
    window.tabs->setTabVisible(c.value, c.visible);
    window.tabs_changed = true;
  }
}

void DrawWindow(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  window.menu_bar->window()->setWindowTitle(Qs(c.text));
  // The client area's colour is what every page and panel without a colour of its own shows.
  QWidget* area = window.window_area;
  QPalette palette = QApplication::palette(area);
  const bool own = c.color != kDefaultColor && c.color != kFaceColor;
  if (own) palette.setColor(QPalette::Window, QColor::fromRgb(c.color & 0xFFFFFFu));
  area->setPalette(palette);
  area->setAutoFillBackground(own);
}

void DrawStatusBar(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  if (auto* main = qobject_cast<QMainWindow*>(window.window_area->window())) {
    main->statusBar()->setVisible(window.controls.Get(h).visible);
  }
}

}  // namespace

const ControlView kMenuView{CreateMenu, DrawMenu};
const ControlView kMenuItemView{CreateMenuItem, DrawMenuItem};
const ControlView kTabView{CreateNothing, DrawTab};
const ControlView kPageControlView{CreateNothing, DrawPageControl};
// The window shows the hints in its status bar; the form is the window itself (title, colour).
const ControlView kWindowView{CreateNothing, DrawWindow};
const ControlView kStatusBarView{CreateNothing, DrawStatusBar};

}  // namespace korvan::ui
