#include "ui/datalog_plot.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLegend>
#include <QLegendMarker>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <map>

#include "base/colors.h"
#include "texts/messages.h"

namespace korvan::ui {
namespace {

constexpr double kClickSlop = 4.0;  // pixels a click may move and still be a click

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

double PlotView::TimeAt(QPointF pos) const {
  const QRectF area = chart()->plotArea();
  const auto* axis = qobject_cast<QValueAxis*>(chart()->axes(Qt::Horizontal).value(0));
  if (axis == nullptr || area.width() <= 0) return 0;
  return axis->min() + (pos.x() - area.left()) / area.width() * (axis->max() - axis->min());
}

void PlotView::wheelEvent(QWheelEvent* event) {
  if (on_zoom) on_zoom(event->angleDelta().y() > 0 ? 0.8 : 1.25, TimeAt(event->position()));
  event->accept();
}

void PlotView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QChartView::mousePressEvent(event);
  press_ = last_ = event->position();
  dragged_ = false;
  clicked_ = false;
  pressed_ = true;
  event->accept();
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_) return QChartView::mouseMoveEvent(event);
  const QPointF pos = event->position();
  if (!dragged_ && std::abs(pos.x() - press_.x()) + std::abs(pos.y() - press_.y()) < kClickSlop) {
    return;
  }
  dragged_ = true;
  if (on_pan) on_pan(TimeAt(last_) - TimeAt(pos));
  last_ = pos;
  event->accept();
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressed_ || event->button() != Qt::LeftButton) return QChartView::mouseReleaseEvent(event);
  pressed_ = false;
  if (!dragged_ && chart()->plotArea().contains(event->position()) && on_click) {
    clicked_ = true;
    on_click(TimeAt(event->position()));
  }
  event->accept();
}

void PlotView::mouseDoubleClickEvent(QMouseEvent* event) {
  // The double click comes in place of the second press: its release is no click.
  pressed_ = false;
  if (on_reset) on_reset(clicked_);
  clicked_ = false;
  event->accept();
}

DatalogPlot::DatalogPlot(Station& station, std::function<void()> after_action)
    : station_(station), after_action_(std::move(after_action)) {
  setObjectName("DatalogPlot");
  ShowTitle();
  resize(1000, 560);
  auto* row = new QHBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setObjectName("PlotChannels");
  list_->setMaximumWidth(230);
  row->addWidget(list_);
  chart_ = new QChart();
  // The channel list beside the chart names each line in its colour: a legend over six channels
  // would have to cut their names.
  chart_->legend()->setVisible(false);
  view_ = new PlotView(chart_, this);
  view_->setObjectName("PlotView");
  view_->setRenderHint(QPainter::Antialiasing, false);
  row->addWidget(view_, 1);

  time_axis_ = new QValueAxis(chart_);
  time_axis_->setTitleText(Utf8(PlotTimeAxisTitle(station_.language())));
  chart_->addAxis(time_axis_, Qt::AlignBottom);
  position_axis_ = new QValueAxis(chart_);
  position_axis_->setRange(0, 1);
  position_axis_->setVisible(false);
  chart_->addAxis(position_axis_, Qt::AlignRight);
  position_ = new QLineSeries(chart_);
  position_->setName("");
  position_->setPen(QPen(QColor::fromRgb(kColorReplayPosition), 1.5));
  chart_->addSeries(position_);
  position_->attachAxis(time_axis_);
  position_->attachAxis(position_axis_);

  view_->on_zoom = [this](double factor, double at) {
    const double t0 = at - (at - time_axis_->min()) * factor;
    ShowRange(t0, t0 + (time_axis_->max() - time_axis_->min()) * factor);
  };
  view_->on_pan = [this](double by) { ShowRange(time_axis_->min() + by, time_axis_->max() + by); };
  view_->on_click = [this](double at) {
    const ReplaySource* replay = station_.datalog().replay();
    before_click_ = replay != nullptr ? replay->position() : -1;
    station_.datalog().ReplaySeekTime(static_cast<std::uint32_t>(std::max(0.0, at) * 1000.0 + 0.5));
    if (after_action_) after_action_();
    FollowReplay();
  };
  view_->on_reset = [this](bool after_click) {
    if (after_click && before_click_ >= 0) {
      station_.datalog().ReplaySeek(static_cast<std::size_t>(before_click_));
      if (after_action_) after_action_();
      FollowReplay();
    }
    ShowRange(0, duration_s_);
  };

  BuildChannelList();
  QObject::connect(list_, &QListWidget::itemChanged, [this] {
    if (!filling_list_) ChannelsChanged();
  });
}

void DatalogPlot::BuildChannelList() {
  filling_list_ = true;
  list_->clear();
  const std::vector<std::string>& chosen = station_.datalog().plot_channels();
  for (const PlotChannel& c : PlotChannels()) {
    auto* item = new QListWidgetItem(Utf8(PlotChannelLabel(c, station_.language())), list_);
    item->setData(Qt::UserRole, Utf8(c.name));
    QPixmap swatch(12, 12);
    swatch.fill(QColor::fromRgb(PlotChannelColor(c)));
    item->setIcon(QIcon(swatch));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    const bool on = std::find(chosen.begin(), chosen.end(), c.name) != chosen.end();
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  }
  filling_list_ = false;
}

void DatalogPlot::ChannelsChanged() {
  std::vector<std::string> chosen;
  for (int i = 0; i < list_->count(); ++i) {
    if (list_->item(i)->checkState() == Qt::Checked) {
      chosen.push_back(list_->item(i)->data(Qt::UserRole).toString().toStdString());
    }
  }
  station_.datalog().SetPlotChannels(std::move(chosen));
  Rebuild();
}

void DatalogPlot::Reload() {
  if (station_.datalog().replay() == nullptr) {
    station_.MenuLogReplayClick();
    if (after_action_) after_action_();
  }
  const ReplaySource* replay = station_.datalog().replay();
  recording_ = replay != nullptr ? &replay->recording() : nullptr;
  duration_s_ = replay != nullptr ? std::max(1u, replay->duration_ms()) / 1000.0 : 1.0;
  ShowTitle();
  BuildChannelList();
  Rebuild();
  ShowRange(0, duration_s_);
  position_ms_ = ~0u;
  FollowReplay();
}

void DatalogPlot::Rebuild() {
  for (QLineSeries* line : lines_) {
    chart_->removeSeries(line);
    delete line;
  }
  lines_.clear();
  for (QValueAxis* axis : value_axes_) {
    chart_->removeAxis(axis);
    delete axis;
  }
  value_axes_.clear();
  const std::vector<std::string>& chosen = station_.datalog().plot_channels();
  full_ = recording_ != nullptr ? BuildPlotSeries(*recording_, chosen) : std::vector<PlotSeries>{};
  // One value axis per kind of value, alternately left and right, fitted to what it carries.
  struct Axis {
    QValueAxis* axis = nullptr;
    std::vector<const PlotChannel*> channels;
    double low = 0;
    double high = -1;  // no value yet
  };
  std::map<int, Axis> axes;
  for (std::size_t i = 0; i < full_.size(); ++i) {
    const PlotChannel* channel = FindPlotChannel(chosen[i]);
    if (channel == nullptr) continue;
    auto [it, added] = axes.try_emplace(channel->axis_group);
    Axis& axis = it->second;
    if (added) {
      axis.axis = new QValueAxis(chart_);
      axis.axis->setTickType(QValueAxis::TicksDynamic);
      chart_->addAxis(axis.axis, value_axes_.size() % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
      value_axes_.push_back(axis.axis);
    }
    axis.channels.push_back(channel);
    for (double v : full_[i].value) {
      if (axis.low > axis.high) axis.low = axis.high = v;
      axis.low = std::min(axis.low, v);
      axis.high = std::max(axis.high, v);
    }
    auto* line = new QLineSeries(chart_);
    line->setName(Utf8(PlotChannelLabel(*channel, station_.language())));
    line->setPen(QPen(QColor::fromRgb(PlotChannelColor(*channel)), 1.5));
    chart_->addSeries(line);
    line->attachAxis(time_axis_);
    line->attachAxis(axis.axis);
    lines_.push_back(line);
  }
  for (auto& [group, axis] : axes) {
    const AxisScale scale = FitAxis(axis.low, axis.high);
    axis.axis->setRange(scale.min, scale.max);
    axis.axis->setTickAnchor(scale.first_tick);
    axis.axis->setTickInterval(scale.step);
    axis.axis->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals));
    axis.axis->setTitleText(Utf8(PlotAxisTitle(axis.channels, station_.language())));
    // An axis of one channel wears its colour, so that the line finds its scale.
    if (axis.channels.size() == 1) {
      axis.axis->setTitleBrush(QColor::fromRgb(PlotChannelColor(*axis.channels[0])));
    }
  }
  Redraw();
}

void DatalogPlot::ShowRange(double t0, double t1) {
  const double width = std::clamp(t1 - t0, 0.2, std::max(duration_s_, 0.2));
  t0 = std::clamp(t0, 0.0, std::max(0.0, duration_s_ - width));
  time_axis_->setRange(t0, t0 + width);
  // Seconds at round steps too, whatever the zoom: 0, 20, 40 s rather than 0, 29.9, 59.9.
  const double step = NiceTickStep(width, 8);
  time_axis_->setTickType(QValueAxis::TicksDynamic);
  time_axis_->setTickAnchor(std::ceil(t0 / step - 1e-9) * step);
  time_axis_->setTickInterval(step);
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  time_axis_->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
  Redraw();
}

void DatalogPlot::Redraw() {
  const int columns = std::max(100, static_cast<int>(chart_->plotArea().width()));
  std::size_t line = 0;
  for (std::size_t i = 0; i < full_.size() && line < lines_.size(); ++i) {
    if (FindPlotChannel(station_.datalog().plot_channels()[i]) == nullptr) continue;
    const PlotSeries drawn =
        DecimateSeries(full_[i], time_axis_->min(), time_axis_->max(), columns);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(drawn.time_s.size()));
    for (std::size_t k = 0; k < drawn.time_s.size(); ++k) {
      points.append(QPointF(drawn.time_s[k], drawn.value[k]));
    }
    lines_[line++]->replace(points);
  }
}

void DatalogPlot::ShowTitle() {
  const Language language = station_.language();
  const std::string& file = station_.datalog().replay_name();
  std::string title(MessageText(MessageKey::kMsgLogPlotTitle, language));
  if (const std::size_t at = title.find("{file}"); at != std::string::npos && !file.empty()) {
    title.replace(at, std::string_view("{file}").size(), file);
  } else {
    title = MessageText(MessageKey::kMsgLogPlot, language);
  }
  setWindowTitle(Utf8(title));
}

void DatalogPlot::FollowReplay() {
  const ReplaySource* replay = station_.datalog().replay();
  if (replay == nullptr || &replay->recording() != recording_) return;
  if (replay->time_ms() == position_ms_) return;
  position_ms_ = replay->time_ms();
  const double t = position_ms_ / 1000.0;
  position_->replace(QList<QPointF>{QPointF(t, 0), QPointF(t, 1)});
}

}  // namespace korvan::ui
