#pragma once

#include <QHash>
#include <QObject>
#include <QWidget>
#include <functional>

#include "maps/map_selection.h"
#include "station/station.h"

namespace korvan::ui {

// The frame drawn over the map grid around the selected cells: a blue border and a light tint,
// beside the live cursor's lime or yellow cell, so that both can be seen. It takes no mouse and is
// left off a printout.
class SelectionFrame : public QWidget {
 public:
  explicit SelectionFrame(QWidget* panel);
  void Show(const CellMask& cells, const QHash<int, QWidget*>& cell_widgets);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CellMask cells_;
  const QHash<int, QWidget*>* cell_widgets_ = nullptr;
};

// The mouse and keys of the map grid that select cells: a drag, Shift+click, Ctrl+click, a click
// on a row's label or axis field or on a column's engine-speed field (with Shift: up to there),
// Shift+arrows in a cell, Escape. A plain click still puts the text cursor into the field, so a
// value is typed as before. Ctrl+A, Ctrl+C and Ctrl+V are the Cells menu's keys.
class MapGridInput : public QObject {
 public:
  // `apply` draws the window after a gesture.
  MapGridInput(QWidget& window, Station& station, std::function<void()> apply);

  // Finds the grid's widgets once the binder has made them, and watches them.
  void Attach();
  // Draws the selection of the page shown (after every drawing of the window).
  void Follow();
  SelectionFrame* frame() const { return frame_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Role { kCell, kRow, kColumn };
  struct Place {
    Role role;
    int index;  // the cell, the row or the column
  };
  void Watch(QWidget* widget, Place place);
  std::optional<GridCell> CellAt(const QPoint& global) const;

  QWidget& window_;
  Station& station_;
  std::function<void()> apply_;
  QWidget* panel_ = nullptr;
  SelectionFrame* frame_ = nullptr;
  QHash<QObject*, Place> places_;
  QHash<int, QWidget*> cell_widgets_;
  bool dragging_ = false;
  std::optional<GridCell> drag_at_;
};

}  // namespace korvan::ui
