#pragma once

#include <QMenuBar>
#include <QRect>
#include <QTabWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "base/control_set.h"
#include "station/station.h"
#include "ui/control_views.h"

namespace korvan::ui {

// Creates one widget per control of the station's ControlSet (objectName = the control's name),
// draws only the controls that changed after each call into the station, and turns widget events
// into the station's handlers. It knows the kinds of control, each through its view
// (control_views.h), and no control by name: what a control is in the window's make-up (its
// place, its separator, what its halves step) is the control's own.
class Binder {
 public:
  Binder(Station& station, QWidget* window_area, QMenuBar* menu_bar, QTabWidget* tabs);

  // Builds every widget; call once after the station's start-up.
  void Build();
  // Draws the controls that changed since the last call.
  void Apply();
  // Runs after every drawing: what the window keeps beside the controls follows the station.
  void set_after_apply(std::function<void()> after) { after_apply_ = std::move(after); }
  // From now on widget events reach nothing (the window is being torn down).
  void Freeze() {
    window_.applying = true;
    window_.frozen = true;
  }

  QWidget* WidgetOf(std::string_view name) const;
  QWidget* PageWidget(int page) const { return pages_[static_cast<std::size_t>(page)]; }
  QWidget* grid_panel() const { return grid_panel_; }
  // A part of the window outside the pages that the window places itself (the tool bar row, the
  // status line with the live panel): the controls whose designed corner lies in `design` are
  // made on `band`, at their place less the rectangle's corner. Call before Build.
  void AddBand(QWidget* band, QRect design) { bands_.push_back({band, design}); }

 private:
  void Create(ControlHandle h);
  // `committed`: the field was just committed, its text shows the station's value whatever was
  // typed.
  void Draw(ControlHandle h, bool committed = false);
  void PlaceGridPanel();
  // Keeps the page tabs one row: tighter padding when the captions would not fit otherwise.
  void FitTabRow();
  // Draws what the station changed; `edited` is the field the user just committed.
  void AfterUserAction(std::optional<ControlHandle> edited);
  QWidget* ParentFor(const Control& c);

  BoundWindow window_;
  std::function<void()> after_apply_;
  QWidget* grid_panel_ = nullptr;
  std::array<QWidget*, kPageCount> pages_{};
  std::array<int, kPageCount> flow_y_{};
  struct Band {
    QWidget* widget;
    QRect design;
  };
  std::vector<Band> bands_;
};

}  // namespace korvan::ui
