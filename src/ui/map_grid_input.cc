#include "ui/map_grid_input.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>

#include "maps/map_editor.h"

namespace korvan::ui {

SelectionFrame::SelectionFrame(QWidget* panel) : QWidget(panel) {
  setObjectName("MapSelectionFrame");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
}

void SelectionFrame::Show(const CellMask& cells, const QHash<int, QWidget*>& cell_widgets) {
  cell_widgets_ = &cell_widgets;
  if (parentWidget() != nullptr && geometry() != parentWidget()->rect()) {
    setGeometry(parentWidget()->rect());
  }
  raise();
  if (cells == cells_) return;
  cells_ = cells;
  update();
}

void SelectionFrame::paintEvent(QPaintEvent* /*event*/) {
  if (cells_.none() || cell_widgets_ == nullptr) return;
  QPainter painter(this);
  // A printout records the page into a picture: the selection is the user's, not the set's.
  if (painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Picture) {
    return;
  }
  const QColor border(0x1e, 0x50, 0xc8);
  painter.setPen(QPen(border, 2));
  painter.setBrush(QColor(0x1e, 0x50, 0xc8, 36));
  for (int cell = 0; cell < kMapCells; ++cell) {
    if (!cells_.test(static_cast<std::size_t>(cell))) continue;
    const QWidget* w = cell_widgets_->value(cell);
    if (w == nullptr || !w->isVisible()) continue;
    painter.drawRect(w->geometry().adjusted(0, 0, -1, -1));
  }
}

MapGridInput::MapGridInput(QWidget& window, Station& station, std::function<void()> apply)
    : QObject(&window), window_(window), station_(station), apply_(std::move(apply)) {}

void MapGridInput::Watch(QWidget* widget, Place place) {
  if (widget == nullptr) return;
  places_.insert(widget, place);
  widget->installEventFilter(this);
  // A spin box's clicks and keys reach its text editor first.
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
    if (auto* edit = spin->findChild<QLineEdit*>()) {
      places_.insert(edit, place);
      edit->installEventFilter(this);
    }
  }
}

void MapGridInput::Attach() {
  panel_ = window_.findChild<QWidget*>("MapGridPanel");
  if (panel_ == nullptr) return;
  for (int cell = 0; cell < kMapCells; ++cell) {
    auto* w = window_.findChild<QWidget*>(QString("MapCell%1").arg(cell));
    cell_widgets_.insert(cell, w);
    Watch(w, {Role::kCell, cell});
  }
  for (int row = 0; row < kMapRows; ++row) {
    Watch(window_.findChild<QWidget*>(QString("MapRowLabel%1").arg(row)), {Role::kRow, row});
    Watch(window_.findChild<QWidget*>(QString("MapRowAxis%1").arg(row)), {Role::kRow, row});
  }
  for (int column = 0; column < kMapColumns; ++column) {
    Watch(window_.findChild<QWidget*>(QString("MapRpm%1").arg(column)), {Role::kColumn, column});
  }
  frame_ = new SelectionFrame(panel_);
  frame_->setGeometry(panel_->rect());
  frame_->show();
}

void MapGridInput::Follow() {
  if (frame_ == nullptr) return;
  const bool map_page = MapEditor::IsMapPage(station_.active_page());
  frame_->Show(map_page ? station_.map_selection().cells() : CellMask(), cell_widgets_);
}

std::optional<GridCell> MapGridInput::CellAt(const QPoint& global) const {
  if (panel_ == nullptr) return std::nullopt;
  for (QWidget* w = panel_->childAt(panel_->mapFromGlobal(global)); w != nullptr && w != panel_;
       w = w->parentWidget()) {
    const auto found = places_.constFind(w);
    if (found != places_.constEnd() && found->role == Role::kCell) {
      return GridCell{CellRow(found->index), CellColumn(found->index)};
    }
  }
  return std::nullopt;
}

bool MapGridInput::eventFilter(QObject* watched, QEvent* event) {
  const auto found = places_.constFind(watched);
  if (found == places_.constEnd() || !MapEditor::IsMapPage(station_.active_page())) {
    return QObject::eventFilter(watched, event);
  }
  const Place place = *found;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      const bool shift = mouse->modifiers() & Qt::ShiftModifier;
      const bool ctrl = mouse->modifiers() & Qt::ControlModifier;
      if (place.role == Role::kRow) {
        station_.MapRowHeaderClick(place.index, shift);
      } else if (place.role == Role::kColumn) {
        station_.MapColumnHeaderClick(place.index, shift);
      } else {
        const GridCell cell{CellRow(place.index), CellColumn(place.index)};
        if (shift) {
          station_.MapCellShiftClick(cell);
        } else if (ctrl) {
          station_.MapCellCtrlClick(cell);
        } else {
          station_.MapCellClick(cell);
          dragging_ = true;
          drag_at_ = cell;
        }
      }
      apply_();
      // Shift and Ctrl clicks only select; a plain click also puts the text cursor in the field.
      if (place.role == Role::kCell && (shift || ctrl)) return true;
      break;
    }
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (!dragging_ || !(mouse->buttons() & Qt::LeftButton)) break;
      const std::optional<GridCell> cell = CellAt(mouse->globalPosition().toPoint());
      if (!cell || cell == drag_at_) break;
      drag_at_ = cell;
      station_.MapCellShiftClick(*cell);
      apply_();
      return true;  // the field under the press does not select its text meanwhile
    }
    case QEvent::MouseButtonRelease:
      dragging_ = false;
      break;
    case QEvent::KeyPress: {
      if (place.role != Role::kCell) break;
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Escape && !station_.map_selection().empty()) {
        station_.MapSelectNone();
        apply_();
        return true;
      }
      if (!(key->modifiers() & Qt::ShiftModifier)) break;
      int rows = 0;
      int columns = 0;
      switch (key->key()) {
        case Qt::Key_Up:
          rows = -1;
          break;
        case Qt::Key_Down:
          rows = 1;
          break;
        case Qt::Key_Left:
          columns = -1;
          break;
        case Qt::Key_Right:
          columns = 1;
          break;
        default:
          break;
      }
      if (rows == 0 && columns == 0) break;
      // The first Shift+arrow starts from the field the keyboard is in.
      if (station_.map_selection().empty()) {
        station_.MapCellClick({CellRow(place.index), CellColumn(place.index)});
      }
      station_.MapShiftArrow(rows, columns);
      apply_();
      return true;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace korvan::ui
