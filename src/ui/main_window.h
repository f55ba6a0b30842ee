#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTabWidget>
#include <QTimer>
#include <memory>
#include <vector>

#include "device/tick_schedule.h"
#include "station/station.h"
#include "ui/binder.h"
#include "ui/datalog_bar.h"
#include "ui/diff_dialog.h"
#include "ui/map_grid_input.h"
#include "ui/map_surface_view.h"
#include "ui/qt_desktop.h"
#include "ui/qt_language.h"

namespace korvan::ui {

// The station's one window: menus, tool bar, the page control with its nineteen pages, the status
// line and the live panel, all drawn from the station's controls; the 55 ms tick drives it.
class MainWindow : public QMainWindow {
 public:
  MainWindow(SerialPort& port, StationPaths paths, const std::vector<std::string>& args,
             const std::string& device_override);
  ~MainWindow() override;

  Station& station() { return *station_; }
  Binder& binder() { return *binder_; }
  QtDesktop& desktop() { return desktop_; }
  const QtLanguage& qt_language() const { return qt_language_; }
  DatalogBar& datalog() { return *datalog_; }
  // The difference view, made on first use.
  DiffDialog& differences();
  // The map in 3D, made when first asked for.
  MapSurfaceView& map_view();
  // One tick by hand (tests drive the timer themselves; StopTimer first).
  void Tick();
  // Ticks by hand take no time, so the line's clock goes with the timer: every monitor request
  // the session asks for is sent.
  void StopTimer() {
    timer_.stop();
    station_->device().link().set_clock({});
  }
  // The window's size when the whole client area shows without scrolling.
  QSize DesignedSize() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PlaceOnScreen();
  // Puts the tool bar row, the page control and the status part into the client area as it is
  // now: the page control takes what the others leave.
  void LayOutClientArea();
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Qt's own buttons and dialogs speak the station's language, switched with it.
  void FollowLanguage();
  // The timer fired: the tick, then the wait until the next deadline.
  void TimerTick();
  void ArmTimer();

  QtDesktop desktop_;
  QtLanguage qt_language_;
  std::unique_ptr<Station> station_;
  // The parts of the client area that stay in sight at every size, in the designed order; the
  // tool bar row's parts wrap onto a second row when the window is narrower than its design.
  struct Part {
    QWidget* widget;
    QRect design;
  };
  std::vector<Part> tool_row_;
  QWidget* status_part_ = nullptr;  // the status line, its gauge and the live panel
  QWidget* area_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QLabel* status_hint_ = nullptr;
  std::unique_ptr<Binder> binder_;
  DatalogBar* datalog_ = nullptr;
  DiffDialog* differences_ = nullptr;
  MapSurfaceView* map_view_ = nullptr;
  MapGridInput* grid_input_ = nullptr;
  void FollowMap();
  QTimer timer_;
  TickSchedule schedule_;
  bool closed_ = false;
  bool placed_ = false;
};

}  // namespace korvan::ui
