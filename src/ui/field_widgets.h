#pragma once

#include <QComboBox>
#include <QKeySequence>
#include <QSpinBox>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <vector>

namespace korvan::ui {

// An edit field with its up-down. The station owns the value and its range: the widget lets any
// whole number be typed (the station limits it to the field's range when the field is committed,
// 65 in a 0..60 field becomes 60), hands arrow steps and wheel notches to the station, and leaves
// the station's menu shortcuts (Ctrl+Z, F9, ...) to the menu.
class FieldSpinBox : public QSpinBox {
 public:
  explicit FieldSpinBox(QWidget* parent);

  // Up or down by `steps` steps (arrows, keys, wheel).
  std::function<void(int)> on_step;
  // The keys the station's menu answers to; the field does not take them.
  const std::vector<QKeySequence>* station_keys = nullptr;

  // The range the station allows; only the arrows' enabled state follows it here.
  void SetFieldRange(int min, int max);
  // The text typed since the field last showed the station's value.
  bool HasTyping() const;

  void stepBy(int steps) override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  StepEnabled stepEnabled() const override;

 private:
  bool PassStationKey(QEvent* event);

  int field_min_ = 0;
  int field_max_ = 0;
  int wheel_remainder_ = 0;
};

// A drop-down list that the wheel changes only while it has the keyboard focus: scrolling the
// window past the bike list must not pick another bike.
class FieldComboBox : public QComboBox {
 public:
  explicit FieldComboBox(QWidget* parent);

 protected:
  void wheelEvent(QWheelEvent* event) override;
};

// A pair of small arrow buttons without a field.
class SpinButtons : public QWidget {
 public:
  explicit SpinButtons(QWidget* parent);
  QToolButton* up;
  QToolButton* down;
};

// Whether a key press is one of the given shortcuts.
bool MatchesAny(const QKeyEvent& key, const std::vector<QKeySequence>& keys);

}  // namespace korvan::ui
