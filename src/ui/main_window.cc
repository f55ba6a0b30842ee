#include "ui/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QWindow>
#include <algorithm>
#include <chrono>

#include "texts/page_captions.h"
#include "ui/datalog_plot.h"
#include "ui/paper_style.h"
#include "ui/window_placement.h"

namespace korvan::ui {

namespace {
constexpr int kClientWidth = 1056;
constexpr int kClientHeight = 901;
// The tool bar row above the page control and the status part below it, as designed.
constexpr int kToolRowHeight = 38;
constexpr int kStatusTop = 676;
constexpr int kStatusHeight = kClientHeight - kStatusTop;
// The least of a page a small window still shows.
constexpr int kLeastPageHeight = 120;
}  // namespace

MainWindow::MainWindow(SerialPort& port, StationPaths paths, const std::vector<std::string>& args,
                       const std::string& device_override) {
  UsePaperStyle();
  desktop_.set_window(this);
  setObjectName("FormHlav");
  // The title is a control of the station, in its language: the binder draws it.
  station_ = std::make_unique<Station>(port, desktop_, std::move(paths));
  if (!device_override.empty()) station_->device().link().SetDeviceOverride(device_override);

  // The client area has its designed layout at its designed size. A smaller window keeps the
  // tool bar row, the page tabs and the status line with the live panel in sight and scrolls
  // only the page shown (the binder puts each page in a scroll area).
  area_ = new QWidget(this);
  area_->setObjectName("ClientArea");
  area_->installEventFilter(this);
  setCentralWidget(area_);
  const auto part = [this](const char* name, QRect design) {
    auto* w = new QWidget(area_);
    w->setObjectName(name);
    w->setGeometry(design);
    return w;
  };
  // The buttons; the two check boxes; the file and the unit's version (the connection).
  for (const QRect design : {QRect(0, 0, 670, kToolRowHeight), QRect(670, 0, 218, kToolRowHeight),
                             QRect(888, 0, kClientWidth - 888, kToolRowHeight)}) {
    tool_row_.push_back({part("ToolRowPart", design), design});
  }
  area_->setMinimumHeight(2 * kToolRowHeight + kLeastPageHeight + kStatusHeight);
  status_part_ = part("StatusPart", QRect(0, kStatusTop, kClientWidth, kStatusHeight));
  tabs_ = new QTabWidget(area_);
  tabs_->setObjectName("PageControl1");
  tabs_->setGeometry(0, kToolRowHeight, kClientWidth, kStatusTop - kToolRowHeight);
  // All nineteen tabs in one row, as tuners know them; where the row is wider than the window
  // (German with the tuning tab, a small window) it scrolls by its arrows and never clips or
  // shortens a caption.
  tabs_->setStyleSheet("QTabBar::tab { padding: 3px 3px; }");
  tabs_->tabBar()->setElideMode(Qt::ElideNone);
  tabs_->tabBar()->setUsesScrollButtons(true);
  tabs_->tabBar()->setExpanding(false);
  status_hint_ = new QLabel(this);
  status_hint_->setObjectName("StatusBar1");
  statusBar()->addWidget(status_hint_, 1);

  station_->FormCreate(args);
  binder_ = std::make_unique<Binder>(*station_, area_, menuBar(), tabs_);
  for (const Part& p : tool_row_) binder_->AddBand(p.widget, p.design);
  binder_->AddBand(status_part_, QRect(0, kStatusTop, kClientWidth, kStatusHeight));
  // Every call into the station is followed by a drawing, a change of language included.
  binder_->set_after_apply([this] {
    FollowLanguage();
    FollowMap();
    if (grid_input_ != nullptr) grid_input_->Follow();
  });
  binder_->Build();
  grid_input_ = new MapGridInput(*this, *station_, [this] { binder_->Apply(); });
  grid_input_->Attach();
  desktop_.SetPrintSource(area_, [this] {
    binder_->Apply();
    // The printout shows the client area as designed, whatever the window's size; the window's
    // own size comes back once the print is done.
    if (area_->size() != QSize(kClientWidth, kClientHeight)) {
      area_->resize(kClientWidth, kClientHeight);
      QTimer::singleShot(0, this, [this] {
        layout()->invalidate();
        layout()->activate();
      });
    }
  });
  datalog_ = new DatalogBar(*station_, *binder_, this);
  addToolBar(Qt::BottomToolBarArea, datalog_);
  desktop_.set_show_differences([this](bool with_unit) { differences().Open(with_unit); });
  desktop_.set_show_map_surface([this] {
    MapSurfaceView& view = map_view();
    view.show();
    view.raise();
    view.activateWindow();
    FollowMap();
  });
  desktop_.set_document_failed([this](const std::string& path) {
    station_->DocumentOpenFailed(path);
    binder_->Apply();
  });

  // Each tick is timed to its own deadline on the monotonic clock (a repeating coarse timer
  // fires up to 5 % early, and a 1x replay would run as much too fast), and the monitor
  // requests are spaced by the same clock, never closer than the line can carry.
  station_->device().link().set_clock([] { return std::chrono::steady_clock::now(); });
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &MainWindow::TimerTick);
  ArmTimer();
}

void MainWindow::FollowLanguage() {
  const Language language = station_->language();
  if (qt_language_.language() != language) qt_language_.Use(language);
}

void MainWindow::TimerTick() {
  Tick();
  if (!closed_) ArmTimer();
}

void MainWindow::ArmTimer() {
  const TickSchedule::Clock::time_point now = TickSchedule::Clock::now();
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(schedule_.Next(now) - now);
  timer_.start(std::max(wait, std::chrono::milliseconds(0)));
}

MainWindow::~MainWindow() {
  timer_.stop();
  // The widgets go first, while the binder and the station they call still exist; a field
  // losing its focus on the way must not commit anything.
  if (binder_) binder_->Freeze();
  area_->removeEventFilter(this);
  delete area_;
  area_ = nullptr;
}

QSize MainWindow::DesignedSize() const {
  // What the menu bar and the status bar take around the client area, as laid out now.
  layout()->activate();
  const QSize around = size() - area_->size();
  return QSize(kClientWidth, kClientHeight) + around;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area_ && event->type() == QEvent::Resize) LayOutClientArea();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::LayOutClientArea() {
  const int width = area_->width();
  int x = 0;
  int y = 0;
  for (const Part& p : tool_row_) {
    if (x > 0 && x + p.design.width() > width) {
      x = 0;
      y += kToolRowHeight;
    }
    p.widget->move(x, y);
    x += p.design.width();
  }
  const int top = y + kToolRowHeight;
  const int status_top = std::max(area_->height() - kStatusHeight, top + kLeastPageHeight);
  status_part_->move(0, status_top);
  tabs_->setGeometry(0, top, width, status_top - top);
}

MapSurfaceView& MainWindow::map_view() {
  if (map_view_ == nullptr) map_view_ = new MapSurfaceView(this);
  return *map_view_;
}

void MainWindow::FollowMap() {
  // Every drawing of the window reaches the 3D view while it is open: it follows each edit and
  // the operating point at once.
  if (map_view_ == nullptr || !map_view_->isVisible()) return;
  const int page = station_->active_page();
  map_view_->Follow(station_->ActiveMapSurface(), station_->language(),
                    Qs(PageCaption(page, station_->language())));
}

DiffDialog& MainWindow::differences() {
  if (differences_ == nullptr) {
    differences_ = new DiffDialog(
        *station_, [this] { binder_->Apply(); }, this);
  }
  return *differences_;
}

void MainWindow::showEvent(QShowEvent* event) {
  // Placed when first shown: then the frame around the window is known.
  if (!placed_) {
    placed_ = true;
    PlaceOnScreen();
  }
  QMainWindow::showEvent(event);
}

void MainWindow::PlaceOnScreen() {
  const Station::WindowGeometry& g = station_->window_geometry();
  // The settings keep the inside's corner and size (as closeEvent found them); the screen takes
  // both, with the frame around them.
  const QMargins margins = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
  const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
  // Left and Top of -1 are what the settings hold before the window was ever closed.
  const bool saved = !(g.left == -1 && g.top == -1);
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
  const QScreen* primary = QGuiApplication::primaryScreen();
  const QRect main = primary != nullptr ? primary->availableGeometry() : QRect();
  const QRect place =
      PlaceWindow(saved ? QRect(QPoint(g.left, g.top), QSize(g.width, g.height) + frame) : QRect(),
                  DesignedSize() + frame, screens, main);
  // The inside goes where the inside was. A window manager frames the window only after it is
  // shown, so the frame is not known here: keeping the frame's corner and putting the inside
  // there made the window climb by its title bar at every start.
  setGeometry(QRect(place.topLeft(), place.size() - frame));
}

void MainWindow::Tick() {
  station_->Timer1Timer();
  binder_->Apply();
  datalog_->Refresh();
  if (differences_ != nullptr && differences_->isVisible()) differences_->RefreshIfChanged();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    timer_.stop();
    Station::WindowGeometry& g = station_->window_geometry();
    // The inside's corner, as PlaceOnScreen puts it back (x() and y() are the frame's).
    g.left = geometry().x();
    g.top = geometry().y();
    g.width = width();
    g.height = height();
    station_->FormClose();
    // The plot is a window of its own: left open it would keep the program running.
    if (DatalogPlot* plot = datalog_->plot()) plot->close();
  }
  event->accept();
}

}  // namespace korvan::ui
