#include "ui/main_window.h"

#include <QCloseEvent>
#include <QStatusBar>

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
  setWindowTitle("Programming of Korvan_2007 unit");
  station_ = std::make_unique<Station>(port, desktop_, std::move(paths));
  if (!device_override.empty()) station_->device().link().SetDeviceOverride(device_override);

  area_ = new QWidget(this);
  area_->setObjectName("ClientArea");
  area_->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(area_);
  tabs_ = new QTabWidget(area_);
  tabs_->setObjectName("PageControl1");
  tabs_->setGeometry(0, 38, kClientWidth, 638);
  // All nineteen tabs in one row, as tuners know them.
  tabs_->setStyleSheet("QTabBar::tab { padding: 3px 5px; }");
  status_hint_ = new QLabel(this);
  status_hint_->setObjectName("StatusBar1");
  statusBar()->addWidget(status_hint_, 1);

  station_->FormCreate(args);
  binder_ = std::make_unique<Binder>(*station_, area_, menuBar(), tabs_);
  binder_->Build();
  const Station::WindowGeometry& g = station_->window_geometry();
  if (g.left >= 0 && g.top >= 0) move(g.left, g.top);

  connect(&timer_, &QTimer::timeout, this, &MainWindow::Tick);
  timer_.start(kTickMs);
}

MainWindow::~MainWindow() {
  timer_.stop();
  // The widgets go first, while the binder and the station they call still exist; a field
  // losing its focus on the way must not commit anything.
  if (binder_) binder_->Freeze();
  delete area_;
  area_ = nullptr;
}

void MainWindow::Tick() {
  station_->Timer1Timer();
  binder_->Apply();
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
