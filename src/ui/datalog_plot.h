#pragma once

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QListWidget>
#include <QValueAxis>
#include <QWidget>
#include <functional>
#include <vector>

#include "datalog/plot_channels.h"
#include "station/station.h"

namespace korvan::ui {

// The chart of the plot window: the wheel zooms the time axis around the pointer, dragging pans
// it, a click moves the replay to that time, a double click shows the whole recording again (and
// takes back the move of its own first click).
class PlotView : public QChartView {
 public:
  PlotView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {}
  std::function<void(double factor, double at_s)> on_zoom;
  std::function<void(double by_s)> on_pan;
  std::function<void(double at_s)> on_click;
  // `after_click`: the double click's first press was a click, on_click has moved the replay.
  std::function<void(bool after_click)> on_reset;

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  double TimeAt(QPointF pos) const;
  QPointF press_{};
  QPointF last_{};
  bool dragged_ = false;
  bool pressed_ = false;
  bool clicked_ = false;
};

// The plot window: the channels chosen in the list over the time of the recording being replayed,
// one value axis per kind of value, and a vertical line at the replay's position.
class DatalogPlot : public QWidget {
 public:
  DatalogPlot(Station& station, std::function<void()> after_action);

  // Takes the recording the station replays (asking for one when none is) and draws it whole.
  void Reload();
  // Moves the position line to where the replay is.
  void FollowReplay();
  // Draws the visible time range again from the decoded series.
  void Redraw();
  // Shows the time range [t0, t1] seconds.
  void ShowRange(double t0, double t1);

  QChart* chart() const { return chart_; }
  PlotView* view() const { return view_; }
  QListWidget* channel_list() const { return list_; }
  std::size_t series_count() const { return lines_.size(); }

 private:
  void BuildChannelList();
  void ChannelsChanged();
  void Rebuild();
  void ShowTitle();

  Station& station_;
  std::function<void()> after_action_;
  QListWidget* list_ = nullptr;
  QChart* chart_ = nullptr;
  PlotView* view_ = nullptr;
  QValueAxis* time_axis_ = nullptr;
  QValueAxis* position_axis_ = nullptr;
  QLineSeries* position_ = nullptr;
  std::vector<PlotSeries> full_;
  std::vector<QLineSeries*> lines_;
  std::vector<QValueAxis*> value_axes_;
  const Recording* recording_ = nullptr;
  double duration_s_ = 0;
  std::uint32_t position_ms_ = ~0u;
  // Where the replay was before the last click moved it: a double click returns there.
  std::ptrdiff_t before_click_ = -1;
  bool filling_list_ = false;
};

}  // namespace korvan::ui
