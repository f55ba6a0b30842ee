#include "ui/binder.h"

#include <QScrollArea>
#include <QTabBar>

#include "ui/control_style.h"

namespace korvan::ui {
namespace {
// The page inside the page control at the window's designed size; the map grid fills it.
constexpr int kPageWidth = 1050;
constexpr int kPageHeight = 612;
}  // namespace

Binder::Binder(Station& station, QWidget* window_area, QMenuBar* menu_bar, QTabWidget* tabs)
    : window_(station, window_area, menu_bar, tabs) {
  window_.after_user_action = [this](std::optional<ControlHandle> edited) {
    AfterUserAction(edited);
  };
}

QWidget* Binder::WidgetOf(std::string_view name) const {
  const std::optional<ControlHandle> h = window_.controls.Find(name);
  return h ? window_.widgets[static_cast<std::size_t>(*h)] : nullptr;
}

void Binder::Build() {
  QTabWidget* tabs = window_.tabs;
  for (int p = 0; p < kPageCount; ++p) {
    auto* page = new QWidget();
    page->setObjectName(QString("Page%1").arg(p));
    pages_[static_cast<std::size_t>(p)] = page;
    // A window smaller than its design scrolls the page it shows, never the tabs or the status
    // line: the page keeps its designed size at least and fills the place when there is more.
    auto* scroll = new QScrollArea();
    scroll->setObjectName(QString("PageScroll%1").arg(p));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    page->setMinimumSize(kPageWidth, kPageHeight);
    scroll->setWidget(page);
    // The page shows the pane's colour as it did without the scroll area around it.
    page->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    tabs->addTab(scroll, QString());
  }
  grid_panel_ = new QWidget(pages_[kPageAdvance]);
  grid_panel_->setObjectName("MapGridPanel");
  grid_panel_->setGeometry(0, 0, 1050, 612);
  grid_panel_->hide();
  QObject::connect(tabs, &QTabWidget::currentChanged, [this](int index) {
    if (window_.applying || index < 0) return;
    window_.station.PageControl1Change(index);
    AfterUserAction(std::nullopt);
  });

  const auto count = static_cast<std::size_t>(window_.controls.size());
  window_.widgets.assign(count, nullptr);
  window_.actions.assign(count, nullptr);
  window_.menus.assign(count, nullptr);
  window_.separators.assign(count, nullptr);
  for (ControlHandle h = 0; h < window_.controls.size(); ++h) Create(h);
  window_.controls.MarkAllChanged();
  Apply();
}

QWidget* Binder::ParentFor(const Control& c) {
  if (c.page == kMapGridPanel) return grid_panel_;
  if (c.page >= 0 && c.page < kPageCount) return pages_[static_cast<std::size_t>(c.page)];
  for (const Band& band : bands_) {
    if (band.design.contains(c.x, c.y)) return band.widget;
  }
  return window_.window_area;
}

void Binder::AfterUserAction(std::optional<ControlHandle> edited) {
  Apply();
  // A field that was limited to its range may keep the station's value while its text still
  // shows what was typed: it is redrawn in any case.
  if (edited && !window_.frozen) {
    window_.applying = true;
    Draw(*edited, true);
    window_.applying = false;
  }
}

void Binder::Create(ControlHandle h) {
  const Control& c = window_.controls.Get(h);
  QWidget* w = ViewOf(c.kind).create(window_, h, ParentFor(c));
  if (w == nullptr) return;
  w->setObjectName(Qs(c.name));
  window_.widgets[static_cast<std::size_t>(h)] = w;
  if (c.width <= 0 && c.page >= 0 && c.page < kPageCount) {
    // A control the page placed nowhere: one under the other.
    int& y = flow_y_[static_cast<std::size_t>(c.page)];
    w->setGeometry(8, 8 + y, 240, 22);
    y += 24;
  }
}

void Binder::Draw(ControlHandle h, bool committed) {
  const Control& c = window_.controls.Get(h);
  const ControlView& view = ViewOf(c.kind);
  QWidget* w = window_.widgets[static_cast<std::size_t>(h)];
  if (w == nullptr) {
    view.draw(window_, h, committed);
    return;
  }
  if (c.width > 0) {
    QPoint corner(c.x, c.y);
    for (const Band& band : bands_) {
      if (band.widget == w->parentWidget()) corner -= band.design.topLeft();
    }
    w->setGeometry(QRect(corner, QSize(c.width, c.height)));
  }
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
  view.draw(window_, h, committed);
  // Colours are drawn from the control on every redraw, so that nothing a move or a style
  // change did to the widget can keep them away.
  const QString sheet = ColorSheet(c.kind, c.color, c.font_color);
  if (w->styleSheet() != sheet) w->setStyleSheet(sheet);
  if (c.color == kFaceColor) w->raise();
  w->setVisible(c.visible);
}

void Binder::PlaceGridPanel() {
  const int page = window_.station.active_page();
  if (!MapEditor::IsMapPage(page)) {
    grid_panel_->hide();
    return;
  }
  QWidget* target = pages_[static_cast<std::size_t>(page)];
  if (grid_panel_->parentWidget() != target) grid_panel_->setParent(target);
  grid_panel_->show();
}

void Binder::Apply() {
  if (window_.frozen) return;
  window_.applying = true;
  for (ControlHandle h : window_.controls.changed()) Draw(h);
  window_.controls.ClearChanged();
  PlaceGridPanel();
  if (window_.tabs_changed) FitTabRow();
  window_.applying = false;
  if (after_apply_) after_apply_();
}

void Binder::FitTabRow() {
  window_.tabs_changed = false;
  QTabWidget* tabs = window_.tabs;
  // German captions with the tuning tab shown are wider than the window; the row then loses
  // two pixels of padding on each side of every caption instead of getting scroll arrows.
  static const QString kUsual = QStringLiteral("QTabBar::tab { padding: 3px 3px; }");
  static const QString kTight = QStringLiteral("QTabBar::tab { padding: 3px 1px; }");
  const auto row_width = [tabs] {
    int row = 0;
    for (int i = 0; i < tabs->count(); ++i) {
      if (tabs->isTabVisible(i)) row += tabs->tabBar()->tabRect(i).width();
    }
    return row;
  };
  if (tabs->styleSheet() != kUsual) tabs->setStyleSheet(kUsual);
  if (row_width() > tabs->width()) tabs->setStyleSheet(kTight);
}

}  // namespace korvan::ui
