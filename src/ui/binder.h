#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "base/control_set.h"
#include "station/station.h"

namespace korvan::ui {

// Creates one widget per control of the station's ControlSet (objectName = the control's name),
// draws only the controls that changed after each call into the station, and turns widget events
// into the station's handlers. It holds no rules of its own.
class Binder {
 public:
  Binder(Station& station, QWidget* window_area, QMenuBar* menu_bar, QTabWidget* tabs);

  // Builds every widget; call once after the station's start-up.
  void Build();
  // Draws the controls that changed since the last call.
  void Apply();
  // From now on widget events reach nothing (the window is being torn down).
  void Freeze() {
    applying_ = true;
    frozen_ = true;
  }

  QWidget* WidgetOf(std::string_view name) const;
  QWidget* PageWidget(int page) const { return pages_[static_cast<std::size_t>(page)]; }
  QWidget* grid_panel() const { return grid_panel_; }

 private:
  void Create(ControlHandle h);
  // `committed`: the field was just committed, its text shows the station's value whatever was
  // typed.
  void Draw(ControlHandle h, bool committed = false);
  void PlaceGridPanel();
  // Keeps the page tabs one row: tighter padding when the captions would not fit otherwise.
  void FitTabRow();
  void DrawFormColor(std::uint32_t color);
  // Draws what the station changed; `edited` is the field the user just committed.
  void AfterUserAction(std::optional<ControlHandle> edited = std::nullopt);
  // Commits the focused field when its text differs from the value it shows.
  void CommitTyping();
  QWidget* ParentFor(const Control& c);

  Station& station_;
  ControlSet& controls_;
  QWidget* window_area_;
  QMenuBar* menu_bar_;
  QTabWidget* tabs_;
  QWidget* grid_panel_ = nullptr;
  bool tabs_changed_ = false;
  QMenu* current_menu_ = nullptr;
  std::array<QWidget*, kPageCount> pages_{};
  std::array<int, kPageCount> flow_y_{};
  std::vector<QWidget*> widgets_;
  std::vector<QAction*> actions_;
  std::vector<QMenu*> menus_;
  // A separator shown and hidden with the item after it.
  std::vector<QAction*> separators_;
  std::vector<QKeySequence> station_keys_;  // the menu's shortcuts
  bool applying_ = false;
  bool frozen_ = false;
};

}  // namespace korvan::ui
