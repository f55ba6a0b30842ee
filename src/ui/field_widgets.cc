#include "ui/field_widgets.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace korvan::ui {
namespace {

// Wide enough for any number a tuner types into any field (the largest field takes 65535): the
// widget itself must never refuse a digit, the station limits the value.
constexpr int kTypedLimit = 999999999;
// One notch of an ordinary mouse wheel.
constexpr int kWheelNotch = 120;

}  // namespace

bool MatchesAny(const QKeyEvent& key, const std::vector<QKeySequence>& keys) {
  const QKeySequence pressed(key.keyCombination());
  for (const QKeySequence& k : keys) {
    if (k == pressed) return true;
  }
  return false;
}

FieldSpinBox::FieldSpinBox(QWidget* parent) : QSpinBox(parent) {
  setRange(-kTypedLimit, kTypedLimit);
  // The key goes to the text editor inside first, which would keep Ctrl+Z while it can undo.
  lineEdit()->installEventFilter(this);
  // A wheel turned over the window scrolls it; it must not hand the focus to a field on the way.
  setFocusPolicy(Qt::StrongFocus);
}

void FieldSpinBox::SetFieldRange(int min, int max) {
  if (field_min_ == min && field_max_ == max) return;
  field_min_ = min;
  field_max_ = max;
  update();
}

bool FieldSpinBox::HasTyping() const { return lineEdit()->text() != textFromValue(value()); }

void FieldSpinBox::stepBy(int steps) {
  if (on_step) on_step(steps);
}

// The field's text editor claims Ctrl+Z for itself; the station's undo and its other menu keys
// must work from every field. A key override left unaccepted goes to the menu.
bool FieldSpinBox::PassStationKey(QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride || station_keys == nullptr ||
      !MatchesAny(*static_cast<QKeyEvent*>(event), *station_keys)) {
    return false;
  }
  // Select all, copy and paste belong to the map grid's cells (the Cells menu); any other field
  // keeps them for its own text.
  const auto* key = static_cast<QKeyEvent*>(event);
  if ((key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Copy) ||
       key->matches(QKeySequence::Paste)) &&
      !objectName().startsWith("Map")) {
    return false;
  }
  // The typed value counts before the menu acts, as if the field had been left; this also
  // enables Undo for it before the key is matched against the menu.
  if (HasTyping()) emit editingFinished();
  event->ignore();
  return true;
}

bool FieldSpinBox::event(QEvent* event) {
  if (PassStationKey(event)) return true;
  return QSpinBox::event(event);
}

bool FieldSpinBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && PassStationKey(event)) return true;
  return QSpinBox::eventFilter(watched, event);
}

void FieldSpinBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Enter is swallowed and moves the focus on; leaving the field commits it.
    focusNextChild();
    return;
  }
  QSpinBox::keyPressEvent(event);
}

void FieldSpinBox::wheelEvent(QWheelEvent* event) {
  if (!hasFocus()) {
    event->ignore();  // on to the window, which scrolls
    return;
  }
  // Fine-grained wheels send parts of a notch: a step is taken per whole notch only.
  wheel_remainder_ += event->angleDelta().y();
  const int notches = wheel_remainder_ / kWheelNotch;
  wheel_remainder_ -= notches * kWheelNotch;
  if (notches != 0) stepBy(notches);
  event->accept();
}

QAbstractSpinBox::StepEnabled FieldSpinBox::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  StepEnabled enabled = StepNone;
  if (value() < field_max_) enabled |= StepUpEnabled;
  if (value() > field_min_) enabled |= StepDownEnabled;
  return enabled;
}

FieldComboBox::FieldComboBox(QWidget* parent) : QComboBox(parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void FieldComboBox::wheelEvent(QWheelEvent* event) {
  if (!hasFocus()) {
    event->ignore();
    return;
  }
  QComboBox::wheelEvent(event);
}

SpinButtons::SpinButtons(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  up = new QToolButton(this);
  up->setArrowType(Qt::UpArrow);
  down = new QToolButton(this);
  down->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up, down}) {
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    b->setAutoRepeat(true);
    layout->addWidget(b);
  }
}

}  // namespace korvan::ui
