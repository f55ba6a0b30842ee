// The views of the controls that are widgets on the pages, the grid panel and the window's frame:
// one factory and one painter per kind. The binder draws what every widget has in common.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>

#include "ui/control_views.h"
#include "ui/field_widgets.h"
#include "ui/handlers.h"
#include "ui/memo_edit.h"

namespace korvan::ui {
namespace {

// For the kinds whose painter has nothing beyond what every widget shows.
void DrawNothing(BoundWindow&, ControlHandle, bool) {}

QWidget* CreateLabel(BoundWindow&, ControlHandle, QWidget* parent) { return new QLabel(parent); }

void DrawLabel(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  auto* label = WidgetAs<QLabel>(window, h);
  const QString text = Qs(c.text);
  // A one-line text wider than its place (a long file name, the version-mismatch text) is
  // shortened in the middle, so that both ends stay readable; the whole text is its tool tip.
  const QFontMetrics metrics(label->font());
  const bool too_wide = !label->wordWrap() && !text.contains(QLatin1Char('\n')) &&
                        label->width() > 0 && metrics.horizontalAdvance(text) > label->width();
  label->setText(too_wide ? metrics.elidedText(text, Qt::ElideMiddle, label->width()) : text);
  if (c.hint.empty()) label->setToolTip(too_wide ? text : QString());
}

QWidget* CreateSpin(BoundWindow& window, ControlHandle h, QWidget* parent) {
  auto* spin = new FieldSpinBox(parent);
  spin->setKeyboardTracking(false);
  spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  spin->setAlignment(Qt::AlignRight);
  spin->station_keys = &window.station_keys;
  spin->on_step = [&window, h, spin](int steps) {
    window.React(
        [&window, h, spin, steps] {
          // Digits typed before an arrow click are taken first; the step starts from them.
          if (spin->HasTyping()) window.controls.UserEnterText(h, spin->cleanText().toStdString());
          const Control& now = window.controls.Get(h);
          window.controls.SetValue(h, now.value + steps * std::max(1, now.step));
          window.station.UpDownClick();
        },
        h);
  };
  QObject::connect(spin, &QSpinBox::editingFinished, [&window, h, spin] {
    window.React(
        [&window, h, spin] {
          // "12 300" is twelve thousand three hundred: the group separator is the field's own.
          QString typed = spin->cleanText();
          typed.remove(spin->locale().groupSeparator());
          window.controls.UserEnterText(h, typed.toStdString());
          window.station.EditOnClick();
        },
        h);
  });
  return spin;
}

void DrawSpin(BoundWindow& window, ControlHandle h, bool committed) {
  const Control& c = window.controls.Get(h);
  auto* spin = WidgetAs<FieldSpinBox>(window, h);
  spin->SetFieldRange(std::min(c.min, c.max), std::max(c.min, c.max));
  // Setting the step rewrites the field's text: only when it changes.
  if (spin->singleStep() != std::max(1, c.step)) spin->setSingleStep(std::max(1, c.step));
  spin->setButtonSymbols(c.up_down_visible ? QAbstractSpinBox::UpDownArrows
                                           : QAbstractSpinBox::NoButtons);
  spin->setGroupSeparatorShown(c.thousands);
  // A field redrawn for another reason while the user types in it (its colour follows the
  // engine) keeps the typing, unless the station's value itself moved.
  if (committed || !spin->HasTyping() || spin->value() != c.value) spin->setValue(c.value);
}

QWidget* CreateCheckBox(BoundWindow& window, ControlHandle h, QWidget* parent) {
  auto* box = new QCheckBox(parent);
  auto handler = ClickHandler(window.station, window.controls.Get(h).name);
  QObject::connect(box, &QCheckBox::clicked, [&window, h, handler](bool checked) {
    window.React([&] {
      window.controls.SetChecked(h, checked);
      if (handler) handler();
    });
  });
  return box;
}

void DrawCheckBox(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  auto* box = WidgetAs<QCheckBox>(window, h);
  box->setText(Qs(c.text));
  box->setChecked(c.checked);
}

QWidget* CreateRadioGroup(BoundWindow&, ControlHandle, QWidget* parent) {
  auto* group = new QGroupBox(parent);
  new QGridLayout(group);
  return group;
}

void DrawRadioGroup(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  auto* group = WidgetAs<QGroupBox>(window, h);
  group->setTitle(Qs(c.text));
  auto* grid = static_cast<QGridLayout*>(group->layout());
  QList<QRadioButton*> buttons = group->findChildren<QRadioButton*>();
  if (buttons.size() != static_cast<int>(c.items.size())) {
    qDeleteAll(buttons);
    buttons.clear();
    // A group tall enough for one item a row lists them down; others fill rows.
    const int items = static_cast<int>(c.items.size());
    const bool one_column = c.height >= 24 * items + 20;
    const int columns = std::max(1, one_column ? 1 : (items <= 3 ? items : 2));
    for (std::size_t k = 0; k < c.items.size(); ++k) {
      auto* radio = new QRadioButton(group);
      grid->addWidget(radio, static_cast<int>(k) / columns, static_cast<int>(k) % columns);
      QObject::connect(radio, &QRadioButton::clicked, [&window, h, k] {
        window.React([&] {
          window.controls.SetValue(h, static_cast<int>(k));
          if (auto handler = ClickHandler(window.station, window.controls.Get(h).name)) handler();
        });
      });
      buttons.append(radio);
    }
  }
  for (int k = 0; k < buttons.size(); ++k) {
    buttons[k]->setText(Qs(c.items[static_cast<std::size_t>(k)]));
    buttons[k]->setChecked(k == c.value);
  }
}

QWidget* CreateComboBox(BoundWindow& window, ControlHandle h, QWidget* parent) {
  auto* combo = new FieldComboBox(parent);
  auto handler = ClickHandler(window.station, window.controls.Get(h).name);
  QObject::connect(combo, &QComboBox::activated, [&window, h, handler](int index) {
    window.React([&] {
      window.controls.SetValue(h, index);
      if (handler) {
        handler();
      } else {
        window.station.CheckBoxMouseUp();
      }
    });
  });
  return combo;
}

void DrawComboBox(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  auto* combo = WidgetAs<QComboBox>(window, h);
  if (combo->count() != static_cast<int>(c.items.size())) {
    combo->clear();
    for (const std::string& item : c.items) combo->addItem(Qs(item));
  }
  combo->setCurrentIndex(c.value);
}

QWidget* CreateMemo(BoundWindow& window, ControlHandle h, QWidget* parent) {
  // The memo has no handler: what the user types waits in its control for the page's next gather.
  auto* memo = new MemoEdit(parent);
  const Control& c = window.controls.Get(h);
  memo->SetLimits(c.max_length, c.code_page);
  QObject::connect(memo, &QPlainTextEdit::textChanged, [&window, h, memo] {
    if (window.applying) return;
    window.controls.SetText(h, memo->toPlainText().toStdString());
  });
  return memo;
}

void DrawMemo(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  auto* memo = WidgetAs<QPlainTextEdit>(window, h);
  if (memo->toPlainText() != Qs(c.text)) memo->setPlainText(Qs(c.text));
}

QWidget* CreateGauge(BoundWindow&, ControlHandle, QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setTextVisible(false);
  return bar;
}

void DrawGauge(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  auto* bar = WidgetAs<QProgressBar>(window, h);
  bar->setRange(c.min, std::max(c.min + 1, c.max));
  bar->setValue(c.value);
}

QWidget* CreateButton(BoundWindow& window, ControlHandle h, QWidget* parent) {
  auto* button = new QPushButton(parent);
  if (auto handler = ClickHandler(window.station, window.controls.Get(h).name)) {
    QObject::connect(button, &QPushButton::clicked, [&window, handler] { window.React(handler); });
  }
  return button;
}

void DrawButton(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  const Control& c = window.controls.Get(h);
  WidgetAs<QPushButton>(window, h)->setText(c.text.empty() ? ShortHint(c.hint) : Qs(c.text));
}

QWidget* CreateSpinButton(BoundWindow& window, ControlHandle h, QWidget* parent) {
  auto* pair = new SpinButtons(parent);
  const StepHandlers steps = StepHandlersOf(window.station, window.controls.Get(h));
  for (auto [button, fn] : {std::pair{pair->down, steps.down}, std::pair{pair->up, steps.up}}) {
    if (!fn) continue;
    QObject::connect(button, &QToolButton::clicked, [&window, fn = fn] { window.React(fn); });
  }
  return pair;
}

QWidget* CreateGroupBox(BoundWindow&, ControlHandle, QWidget* parent) {
  return new QGroupBox(parent);
}

void DrawGroupBox(BoundWindow& window, ControlHandle h, bool /*committed*/) {
  WidgetAs<QGroupBox>(window, h)->setTitle(Qs(window.controls.Get(h).text));
}

QWidget* CreateLine(BoundWindow&, ControlHandle, QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

const ControlView kLabelView{CreateLabel, DrawLabel};
const ControlView kSpinView{CreateSpin, DrawSpin};
const ControlView kCheckBoxView{CreateCheckBox, DrawCheckBox};
const ControlView kRadioGroupView{CreateRadioGroup, DrawRadioGroup};
const ControlView kComboBoxView{CreateComboBox, DrawComboBox};
const ControlView kMemoView{CreateMemo, DrawMemo};
const ControlView kGaugeView{CreateGauge, DrawGauge};
const ControlView kButtonView{CreateButton, DrawButton};
const ControlView kSpinButtonView{CreateSpinButton, DrawNothing};
const ControlView kGroupBoxView{CreateGroupBox, DrawGroupBox};
const ControlView kLineView{CreateLine, DrawNothing};

}  // namespace korvan::ui
