#include "ui/binder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>

#include "texts/window_texts.h"
#include "ui/control_style.h"
#include "ui/field_widgets.h"
#include "ui/handlers.h"

namespace korvan::ui {
namespace {

struct Place {
  std::string_view name;
  int x, y, w, h;
};

// Where the controls outside the pages sit in the 1056-pixel-wide window. The widths hold the
// longest caption of the four languages ("Mémoriser", "Programmieren", "Programmer après
// modification").
constexpr Place kWindowPlaces[] = {
    {"SpeedButton6", 4, 4, 62, 26},           {"SpeedButton5", 68, 4, 62, 26},
    {"SpeedButton7", 132, 4, 74, 26},         {"SpeedButtonPrint", 208, 4, 66, 26},
    {"SpeedButtonZpet", 280, 4, 58, 26},      {"SpeedButtonZnovu", 340, 4, 58, 26},
    {"ButtonProgram", 406, 4, 104, 26},       {"ButtonVerify", 514, 4, 90, 26},
    {"ButtonRead", 608, 4, 60, 26},           {"CheckBoxProgHned", 672, 2, 216, 17},
    {"CheckBoxZakazCteni", 672, 19, 216, 17}, {"LabelFile1", 890, 2, 48, 17},
    {"LabelFile2", 940, 2, 112, 17},          {"LabelSpojeni", 890, 19, 162, 17},
    {"LabelVersion", 890, 19, 162, 17},       {"LabelHlaseni", 4, 678, 430, 20},
    {"CGaugeProgram", 440, 678, 300, 20},     {"LabelEeDataErr", 750, 678, 300, 20},
};

QString Qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QString ShortHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return Qs(bar == std::string::npos ? hint : hint.substr(0, bar));
}

QString LongHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return Qs(bar == std::string::npos ? hint : hint.substr(bar + 1));
}

}  // namespace

Binder::Binder(Station& station, QWidget* window_area, QMenuBar* menu_bar, QTabWidget* tabs)
    : station_(station),
      controls_(station.controls()),
      window_area_(window_area),
      menu_bar_(menu_bar),
      tabs_(tabs) {}

QWidget* Binder::WidgetOf(std::string_view name) const {
  const std::optional<ControlHandle> h = controls_.Find(name);
  return h ? widgets_[static_cast<std::size_t>(*h)] : nullptr;
}

void Binder::Build() {
  for (int p = 0; p < kPageCount; ++p) {
    auto* page = new QWidget();
    page->setObjectName(QString("Page%1").arg(p));
    pages_[static_cast<std::size_t>(p)] = page;
    tabs_->addTab(page, QString());
  }
  grid_panel_ = new QWidget(pages_[kPageAdvance]);
  grid_panel_->setObjectName("MapGridPanel");
  grid_panel_->setGeometry(0, 0, 1050, 612);
  grid_panel_->hide();
  QObject::connect(tabs_, &QTabWidget::currentChanged, [this](int index) {
    if (applying_ || index < 0) return;
    station_.PageControl1Change(index);
    AfterUserAction();
  });

  widgets_.assign(static_cast<std::size_t>(controls_.size()), nullptr);
  actions_.assign(static_cast<std::size_t>(controls_.size()), nullptr);
  menus_.assign(static_cast<std::size_t>(controls_.size()), nullptr);
  separators_.assign(static_cast<std::size_t>(controls_.size()), nullptr);
  for (ControlHandle h = 0; h < controls_.size(); ++h) Create(h);
  controls_.MarkAllChanged();
  Apply();
}

QWidget* Binder::ParentFor(const Control& c) {
  if (c.page == kMapGridPanel) return grid_panel_;
  if (c.page >= 0 && c.page < kPageCount) return pages_[static_cast<std::size_t>(c.page)];
  return window_area_;
}

void Binder::AfterUserAction(std::optional<ControlHandle> edited) {
  Apply();
  // A field that was limited to its range may keep the station's value while its text still
  // shows what was typed: it is redrawn in any case.
  if (edited && !frozen_) {
    applying_ = true;
    Draw(*edited, true);
    applying_ = false;
  }
}

void Binder::CommitTyping() {
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    auto* field = dynamic_cast<FieldSpinBox*>(w);
    if (field == nullptr) continue;
    if (field->HasTyping()) emit field->editingFinished();
    return;
  }
}

void Binder::Create(ControlHandle h) {
  const Control& c = controls_.Get(h);
  const auto i = static_cast<std::size_t>(h);
  QWidget* parent = ParentFor(c);
  QWidget* w = nullptr;
  const std::string name = c.name;
  switch (c.kind) {
    case ControlKind::kMenu: {
      QMenu* menu = menu_bar_->addMenu(Qs(c.text));
      menu->setObjectName(Qs(name));
      menus_[i] = menu;
      current_menu_ = menu;
      // A menu with a handler runs it each time it is about to open (the port menu looks for
      // plugged and pulled adapters then).
      if (auto handler = ClickHandler(station_, name)) {
        QObject::connect(menu, &QMenu::aboutToShow, [this, handler] {
          handler();
          Apply();
        });
      }
      return;
    }
    case ControlKind::kMenuItem: {
      if (current_menu_ == nullptr) return;
      // The stable names and the run's own device stand apart from the numbered ports.
      if (name == "MenuComDevice" || name == "MenuComById1") {
        separators_[i] = current_menu_->addSeparator();
      }
      QAction* action = current_menu_->addAction(Qs(c.text));
      action->setObjectName(Qs(name));
      const std::string_view keys = ShortcutOf(name);
      if (!keys.empty()) {
        action->setShortcut(
            QKeySequence(QString::fromLatin1(keys.data(), static_cast<int>(keys.size()))));
        station_keys_.push_back(action->shortcut());
      }
      if (auto handler = ClickHandler(station_, name)) {
        QObject::connect(action, &QAction::triggered, [this, handler] {
          if (applying_) return;
          // A menu key pressed while typing in a field: the typed value counts, as if the
          // field had been left first.
          CommitTyping();
          handler();
          AfterUserAction();
        });
      }
      // Separators where the menu groups its commands.
      if (name == "MenuAsideEdits" || name == "MenuNewActPage" || name == "MenuSave" ||
          name == "MenuPrint" || name == "MenuToolsPlus") {
        current_menu_->addSeparator();
      }
      actions_[i] = action;
      return;
    }
    case ControlKind::kPageControl:
    case ControlKind::kTab:
      return;
    case ControlKind::kLabel: {
      // The window's status bar shows the hints; the form is the window itself (title, colour).
      if (name == "StatusBar1" || name == kWindowCaptionControl) return;
      auto* label = new QLabel(parent);
      w = label;
      break;
    }
    case ControlKind::kSpin: {
      auto* spin = new FieldSpinBox(parent);
      spin->setKeyboardTracking(false);
      spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
      spin->setAlignment(Qt::AlignRight);
      spin->station_keys = &station_keys_;
      spin->on_step = [this, h, spin](int steps) {
        if (applying_) return;
        // Digits typed before an arrow click are taken first; the step starts from them.
        if (spin->HasTyping()) controls_.UserEnterText(h, spin->cleanText().toStdString());
        const Control& now = controls_.Get(h);
        controls_.SetValue(h, now.value + steps * std::max(1, now.step));
        station_.UpDownClick();
        AfterUserAction(h);
      };
      QObject::connect(spin, &QSpinBox::editingFinished, [this, h, spin] {
        if (applying_) return;
        // "12 300" is twelve thousand three hundred: the group separator is the field's own.
        QString typed = spin->cleanText();
        typed.remove(spin->locale().groupSeparator());
        controls_.UserEnterText(h, typed.toStdString());
        station_.EditOnClick();
        AfterUserAction(h);
      });
      w = spin;
      break;
    }
    case ControlKind::kCheckBox: {
      auto* box = new QCheckBox(parent);
      auto handler = ClickHandler(station_, name);
      QObject::connect(box, &QCheckBox::clicked, [this, h, handler](bool checked) {
        if (applying_) return;
        controls_.SetChecked(h, checked);
        if (handler) handler();
        AfterUserAction();
      });
      w = box;
      break;
    }
    case ControlKind::kRadioGroup: {
      auto* group = new QGroupBox(parent);
      new QGridLayout(group);
      w = group;
      break;
    }
    case ControlKind::kComboBox: {
      auto* combo = new FieldComboBox(parent);
      auto handler = ClickHandler(station_, name);
      QObject::connect(combo, &QComboBox::activated, [this, h, handler](int index) {
        if (applying_) return;
        controls_.SetValue(h, index);
        if (handler) {
          handler();
        } else {
          station_.CheckBoxMouseUp();
        }
        AfterUserAction();
      });
      w = combo;
      break;
    }
    case ControlKind::kMemo: {
      // The memo has no handler: what the user types waits in its control for the page's next
      // gather.
      auto* memo = new QPlainTextEdit(parent);
      QObject::connect(memo, &QPlainTextEdit::textChanged, [this, h, memo] {
        if (applying_) return;
        controls_.SetText(h, memo->toPlainText().toStdString());
      });
      w = memo;
      break;
    }
    case ControlKind::kGauge: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      w = bar;
      break;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(parent);
      if (auto handler = ClickHandler(station_, name)) {
        QObject::connect(button, &QPushButton::clicked, [this, handler] {
          if (applying_) return;
          handler();
          AfterUserAction();
        });
      }
      w = button;
      break;
    }
    case ControlKind::kSpinButton: {
      auto* pair = new SpinButtons(parent);
      std::function<void()> down, up;
      if (name == "CSpinButtonTools") {
        down = [this] { station_.MenuToolsMinusClick(); };
        up = [this] { station_.MenuToolsPlusClick(); };
      } else if (name == "CSpinButtonPolohaA") {
        down = [this] { station_.ButtonMinusClick_PolohaA(); };
        up = [this] { station_.ButtonPlusClick_PolohaA(); };
      } else if (name == "CSpinButtonPolohaB") {
        down = [this] { station_.ButtonMinusClick_PolohaB(); };
        up = [this] { station_.ButtonPlusClick_PolohaB(); };
      } else if (name.starts_with("CSpinButton")) {
        const int column = std::atoi(name.c_str() + std::string_view("CSpinButton").size());
        down = [this, column] { station_.CSpinButtonDownClick_Uni(column); };
        up = [this, column] { station_.CSpinButtonUpClick_Uni(column); };
      }
      for (auto [button, fn] : {std::pair{pair->down, down}, std::pair{pair->up, up}}) {
        if (!fn) continue;
        QObject::connect(button, &QToolButton::clicked, [this, fn = fn] {
          if (applying_) return;
          fn();
          AfterUserAction();
        });
      }
      w = pair;
      break;
    }
    case ControlKind::kGroupBox:
      w = new QGroupBox(parent);
      break;
    case ControlKind::kLine: {
      auto* line = new QFrame(parent);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      w = line;
      break;
    }
  }
  w->setObjectName(Qs(name));
  widgets_[i] = w;
  if (c.width <= 0) {
    for (const Place& p : kWindowPlaces) {
      if (p.name == name) w->setGeometry(p.x, p.y, p.w, p.h);
    }
    if (c.page >= 0 && c.page < kPageCount) {
      // A control the page placed nowhere: one under the other.
      int& y = flow_y_[static_cast<std::size_t>(c.page)];
      w->setGeometry(8, 8 + y, 240, 22);
      y += 24;
    }
  }
}

void Binder::Draw(ControlHandle h, bool committed) {
  const Control& c = controls_.Get(h);
  const auto i = static_cast<std::size_t>(h);
  switch (c.kind) {
    case ControlKind::kMenu:
      if (QMenu* menu = menus_[i]) {
        menu->setTitle(Qs(c.text));
        menu->menuAction()->setVisible(c.visible);
        menu->setEnabled(c.enabled);
        menu->setStatusTip(LongHint(c.hint));
      }
      return;
    case ControlKind::kMenuItem:
      if (QAction* a = actions_[i]) {
        a->setText(Qs(c.text));
        a->setCheckable(c.checked);
        a->setChecked(c.checked);
        a->setVisible(c.visible);
        a->setEnabled(c.enabled);
        a->setStatusTip(LongHint(c.hint));
      }
      if (QAction* separator = separators_[i]) separator->setVisible(c.visible);
      return;
    case ControlKind::kPageControl:
      if (tabs_->currentIndex() != c.value) tabs_->setCurrentIndex(c.value);
      return;
    case ControlKind::kTab:
      if (c.value >= 0 && c.value < tabs_->count()) {
        tabs_->setTabText(c.value, Qs(c.text));
        tabs_->setTabVisible(c.value, c.visible);
        tabs_changed_ = true;
      }
      return;
    default:
      break;
  }
  QWidget* w = widgets_[i];
  if (w == nullptr) {
    if (c.name == "StatusBar1") {
      if (auto* main = qobject_cast<QMainWindow*>(window_area_->window())) {
        main->statusBar()->setVisible(c.visible);
      }
    }
    if (c.name == kWindowCaptionControl) {
      menu_bar_->window()->setWindowTitle(Qs(c.text));
      DrawFormColor(c.color);
    }
    return;
  }
  if (c.width > 0) w->setGeometry(c.x, c.y, c.width, c.height);
  w->setEnabled(c.enabled);
  if (!c.hint.empty()) {
    w->setToolTip(ShortHint(c.hint));
    w->setStatusTip(LongHint(c.hint));
  }
  QFont font = w->font();
  if (font.bold() != c.bold) {
    font.setBold(c.bold);
    w->setFont(font);
  }
  switch (c.kind) {
    case ControlKind::kLabel: {
      auto* label = static_cast<QLabel*>(w);
      const QString text = Qs(c.text);
      // A one-line text wider than its place (a long file name, the version-mismatch text) is
      // shortened in the middle, so that both ends stay readable; the whole text is its tool tip.
      const QFontMetrics metrics(label->font());
      const bool too_wide = !label->wordWrap() && !text.contains(QLatin1Char('\n')) &&
                            label->width() > 0 && metrics.horizontalAdvance(text) > label->width();
      label->setText(too_wide ? metrics.elidedText(text, Qt::ElideMiddle, label->width()) : text);
      if (c.hint.empty()) label->setToolTip(too_wide ? text : QString());
      break;
    }
    case ControlKind::kSpin: {
      auto* spin = static_cast<FieldSpinBox*>(w);
      spin->SetFieldRange(std::min(c.min, c.max), std::max(c.min, c.max));
      // Setting the step rewrites the field's text: only when it changes.
      if (spin->singleStep() != std::max(1, c.step)) spin->setSingleStep(std::max(1, c.step));
      spin->setButtonSymbols(c.up_down_visible ? QAbstractSpinBox::UpDownArrows
                                               : QAbstractSpinBox::NoButtons);
      spin->setGroupSeparatorShown(c.thousands);
      // A field redrawn for another reason while the user types in it (its colour follows the
      // engine) keeps the typing, unless the station's value itself moved.
      if (committed || !spin->HasTyping() || spin->value() != c.value) spin->setValue(c.value);
      break;
    }
    case ControlKind::kCheckBox: {
      auto* box = static_cast<QCheckBox*>(w);
      box->setText(Qs(c.text));
      box->setChecked(c.checked);
      break;
    }
    case ControlKind::kRadioGroup: {
      auto* group = static_cast<QGroupBox*>(w);
      group->setTitle(Qs(c.text));
      auto* grid = static_cast<QGridLayout*>(group->layout());
      QList<QRadioButton*> buttons = group->findChildren<QRadioButton*>();
      if (buttons.size() != static_cast<int>(c.items.size())) {
        qDeleteAll(buttons);
        buttons.clear();
        // A group tall enough for one item a row lists them down; others fill rows.
        const int items = static_cast<int>(c.items.size());
        const bool one_column = c.height >= 24 * items + 20;
        const int columns = one_column ? 1 : (items <= 3 ? items : 2);
        for (std::size_t k = 0; k < c.items.size(); ++k) {
          auto* radio = new QRadioButton(group);
          grid->addWidget(radio, static_cast<int>(k) / std::max(1, columns),
                          static_cast<int>(k) % std::max(1, columns));
          QObject::connect(radio, &QRadioButton::clicked, [this, h, k] {
            if (applying_) return;
            controls_.SetValue(h, static_cast<int>(k));
            if (auto handler = ClickHandler(station_, controls_.Get(h).name)) handler();
            AfterUserAction();
          });
          buttons.append(radio);
        }
      }
      for (int k = 0; k < buttons.size(); ++k) {
        buttons[k]->setText(Qs(c.items[static_cast<std::size_t>(k)]));
        buttons[k]->setChecked(k == c.value);
      }
      break;
    }
    case ControlKind::kComboBox: {
      auto* combo = static_cast<QComboBox*>(w);
      if (combo->count() != static_cast<int>(c.items.size())) {
        combo->clear();
        for (const std::string& item : c.items) combo->addItem(Qs(item));
      }
      combo->setCurrentIndex(c.value);
      break;
    }
    case ControlKind::kMemo: {
      auto* memo = static_cast<QPlainTextEdit*>(w);
      if (memo->toPlainText() != Qs(c.text)) memo->setPlainText(Qs(c.text));
      break;
    }
    case ControlKind::kGauge: {
      auto* bar = static_cast<QProgressBar*>(w);
      bar->setRange(c.min, std::max(c.min + 1, c.max));
      bar->setValue(c.value);
      break;
    }
    case ControlKind::kButton:
      static_cast<QPushButton*>(w)->setText(c.text.empty() ? ShortHint(c.hint) : Qs(c.text));
      break;
    case ControlKind::kGroupBox:
      static_cast<QGroupBox*>(w)->setTitle(Qs(c.text));
      break;
    default:
      break;
  }
  // Colours are drawn from the control on every redraw, so that nothing a move or a style
  // change did to the widget can keep them away.
  const QString sheet = ColorSheet(c.kind, c.color, c.font_color);
  if (w->styleSheet() != sheet) w->setStyleSheet(sheet);
  if (c.color == kFaceColor) w->raise();
  w->setVisible(c.visible);
}

void Binder::DrawFormColor(std::uint32_t color) {
  // The client area's colour is what every page and panel without a colour of its own shows.
  QPalette palette = QApplication::palette(window_area_);
  const bool own = color != kDefaultColor && color != kFaceColor;
  if (own) palette.setColor(QPalette::Window, QColor::fromRgb(color & 0xFFFFFFu));
  window_area_->setPalette(palette);
  window_area_->setAutoFillBackground(own);
}

void Binder::PlaceGridPanel() {
  const int page = station_.active_page();
  if (!MapEditor::IsMapPage(page)) {
    grid_panel_->hide();
    return;
  }
  QWidget* target = pages_[static_cast<std::size_t>(page)];
  if (grid_panel_->parentWidget() != target) grid_panel_->setParent(target);
  grid_panel_->show();
}

void Binder::Apply() {
  if (frozen_) return;
  applying_ = true;
  for (ControlHandle h : controls_.changed()) Draw(h);
  controls_.ClearChanged();
  PlaceGridPanel();
  if (tabs_changed_) FitTabRow();
  applying_ = false;
}

void Binder::FitTabRow() {
  tabs_changed_ = false;
  // German captions with the tuning tab shown are wider than the window; the row then loses
  // two pixels of padding on each side of every caption instead of getting scroll arrows.
  static const QString kUsual = QStringLiteral("QTabBar::tab { padding: 3px 3px; }");
  static const QString kTight = QStringLiteral("QTabBar::tab { padding: 3px 1px; }");
  const auto row_width = [this] {
    int row = 0;
    for (int i = 0; i < tabs_->count(); ++i) {
      if (tabs_->isTabVisible(i)) row += tabs_->tabBar()->tabRect(i).width();
    }
    return row;
  };
  if (tabs_->styleSheet() != kUsual) tabs_->setStyleSheet(kUsual);
  if (row_width() > tabs_->width()) tabs_->setStyleSheet(kTight);
}

}  // namespace korvan::ui
