#include "ui/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QWindow>

#include "ui/window_placement.h"

namespace korvan::ui {

namespace {
constexpr int kClientWidth = 1056;
constexpr int kClientHeight = 901;
constexpr int kTickMs = 55;
}  // namespace

MainWindow::MainWindow(SerialPort& port, StationPaths paths, const std::vector<std::string>& args,
                       const std::string& device_override) {
  desktop_.set_window(this);
  setObjectName("FormHlav");
  // The title is a control of the station, in its language: the binder draws it.
  station_ = std::make_unique<Station>(port, desktop_, std::move(paths));
  if (!device_override.empty()) station_->device().link().SetDeviceOverride(device_override);

  // The client area keeps its designed size; on a smaller screen (or at a large scaling) it
  // scrolls, so that the live panel and the status line stay reachable.
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName("ClientScroll");
  scroll_->setFrameShape(QFrame::NoFrame);
  area_ = new QWidget();
  area_->setObjectName("ClientArea");
  area_->setFixedSize(kClientWidth, kClientHeight);
  scroll_->setWidget(area_);
  setCentralWidget(scroll_);
  tabs_ = new QTabWidget(area_);
  tabs_->setObjectName("PageControl1");
  tabs_->setGeometry(0, 38, kClientWidth, 638);
  // All nineteen tabs in one row, as tuners know them.
  tabs_->setStyleSheet("QTabBar::tab { padding: 3px 3px; }");
  status_hint_ = new QLabel(this);
  status_hint_->setObjectName("StatusBar1");
  statusBar()->addWidget(status_hint_, 1);

  station_->FormCreate(args);
  binder_ = std::make_unique<Binder>(*station_, area_, menuBar(), tabs_);
  binder_->Build();
  desktop_.SetPrintSource(area_, [this] { binder_->Apply(); });
  datalog_ = new DatalogBar(*station_, *binder_, this);
  addToolBar(Qt::BottomToolBarArea, datalog_);
  desktop_.set_show_differences([this](bool with_unit) { differences().Open(with_unit); });
  desktop_.set_document_failed([this](const std::string& path) {
    station_->DocumentOpenFailed(path);
    binder_->Apply();
  });

  connect(&timer_, &QTimer::timeout, this, &MainWindow::Tick);
  timer_.start(kTickMs);
}

MainWindow::~MainWindow() {
  timer_.stop();
  // The widgets go first, while the binder and the station they call still exist; a field
  // losing its focus on the way must not commit anything.
  if (binder_) binder_->Freeze();
  delete scroll_;
  scroll_ = nullptr;
  area_ = nullptr;
}

QSize MainWindow::DesignedSize() const {
  // What the menu bar and the status bar take around the client area, as laid out now.
  layout()->activate();
  const QSize around = size() - scroll_->maximumViewportSize();
  return QSize(kClientWidth, kClientHeight) + around;
}

DiffDialog& MainWindow::differences() {
  if (differences_ == nullptr) {
    differences_ = new DiffDialog(*station_, [this] { binder_->Apply(); }, this);
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
  // The settings keep the frame's position and the inside's size; the screen takes both.
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
  resize(place.size() - frame);
  move(place.topLeft());
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
    g.left = x();
    g.top = y();
    g.width = width();
    g.height = height();
    station_->FormClose();
  }
  event->accept();
}

}  // namespace korvan::ui
