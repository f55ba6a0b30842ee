#pragma once

#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <array>
#include <memory>

#include "station/station.h"
#include "ui/binder.h"

namespace korvan::ui {

class DatalogPlot;

// The datalog's tool bar under the pages: the record button (a red dot while recording) and,
// while a recording is replayed, play / pause, step, the speeds and the time slider. Everything it
// shows comes from the station; every click goes to the station.
class DatalogBar : public QToolBar {
 public:
  DatalogBar(Station& station, Binder& binder, QWidget* parent);
  ~DatalogBar() override;

  // Brings the bar (and an open plot) up to date; called after every tick.
  void Refresh();
  // The plot window, opened from Log -> Plot.
  void ShowPlot();
  DatalogPlot* plot() const { return plot_.get(); }

 private:
  // A station call from the bar, then the window redrawn as after any user action.
  template <typename Fn>
  void Act(Fn fn) {
    fn();
    binder_.Apply();
    Refresh();
  }

  Station& station_;
  Binder& binder_;
  QToolButton* record_ = nullptr;
  QAction* replay_group_ = nullptr;  // the replay controls, shown while replaying
  QToolButton* play_ = nullptr;
  QToolButton* step_ = nullptr;
  std::array<QToolButton*, 3> speeds_{};
  QSlider* slider_ = nullptr;
  QLabel* time_ = nullptr;
  std::unique_ptr<DatalogPlot> plot_;
  bool recording_shown_ = false;
  bool refreshing_ = false;
};

}  // namespace korvan::ui
