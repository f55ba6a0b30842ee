#include "ui/datalog_bar.h"

#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "base/colors.h"
#include "texts/messages.h"
#include "ui/datalog_plot.h"

namespace korvan::ui {
namespace {

QIcon Dot(QColor color) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::darkGray, 1));
  painter.setBrush(color);
  painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
  return QIcon(pixmap);
}

QString Qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

DatalogBar::DatalogBar(Station& station, Binder& binder, QWidget* parent)
    : QToolBar(parent), station_(station), binder_(binder) {
  setObjectName("DatalogBar");
  setMovable(false);
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

  record_ = new QToolButton(this);
  record_->setObjectName("SpeedButtonLog");
  record_->setIcon(Dot(Qt::lightGray));
  QObject::connect(record_, &QToolButton::clicked,
                   [this] { Act([this] { station_.MenuLogRecordClick(); }); });
  addWidget(record_);

  auto* replay = new QWidget(this);
  replay->setObjectName("DatalogReplay");
  auto* row = new QHBoxLayout(replay);
  row->setContentsMargins(8, 0, 0, 0);
  play_ = new QToolButton(replay);
  play_->setObjectName("ReplayPlay");
  QObject::connect(play_, &QToolButton::clicked,
                   [this] { Act([this] { station_.datalog().ReplayPlayPauseClick(); }); });
  row->addWidget(play_);
  step_ = new QToolButton(replay);
  step_->setObjectName("ReplayStep");
  QObject::connect(step_, &QToolButton::clicked,
                   [this] { Act([this] { station_.datalog().ReplayStepClick(); }); });
  row->addWidget(step_);
  for (std::size_t i = 0; i < speeds_.size(); ++i) {
    const int speed = ReplaySource::kSpeeds[i];
    auto* b = new QToolButton(replay);
    b->setObjectName(QString("ReplaySpeed%1").arg(speed));
    b->setText(QString("%1x").arg(speed));
    b->setCheckable(true);
    QObject::connect(b, &QToolButton::clicked, [this, speed] {
      Act([this, speed] { station_.datalog().ReplaySpeedClick(speed); });
    });
    row->addWidget(b);
    speeds_[i] = b;
  }
  slider_ = new QSlider(Qt::Horizontal, replay);
  slider_->setObjectName("ReplaySlider");
  slider_->setMinimumWidth(420);
  QObject::connect(slider_, &QSlider::valueChanged, [this](int value) {
    if (refreshing_) return;
    Act([this, value] { station_.datalog().ReplaySeek(static_cast<std::size_t>(value)); });
  });
  row->addWidget(slider_, 1);
  time_ = new QLabel(replay);
  time_->setObjectName("ReplayTime");
  time_->setMinimumWidth(120);
  row->addWidget(time_);
  replay_group_ = addWidget(replay);

  // Log -> Plot is the window's own: it opens a window of the window.
  if (auto* plot = parent->findChild<QAction*>("MenuLogPlot")) {
    QObject::connect(plot, &QAction::triggered, [this] { ShowPlot(); });
  }
  Refresh();
}

DatalogBar::~DatalogBar() = default;

void DatalogBar::ShowPlot() {
  if (!plot_)
    plot_ = std::make_unique<DatalogPlot>(station_, [this] {
      binder_.Apply();
      Refresh();
    });
  plot_->Reload();
  plot_->show();
  plot_->raise();
}

void DatalogBar::Refresh() {
  refreshing_ = true;
  const Language lang = station_.language();
  const bool recording = station_.datalog().recording();
  if (recording != recording_shown_ || record_->text().isEmpty()) {
    record_->setIcon(Dot(recording ? QColor::fromRgb(kColorRecordingDot) : QColor(Qt::lightGray)));
    recording_shown_ = recording;
  }
  record_->setText(Qs(MessageText(
      recording ? MessageKey::kMsgLogStopRecording : MessageKey::kMsgLogStartRecording, lang)));
  const ReplaySource* replay = station_.datalog().replay();
  replay_group_->setVisible(replay != nullptr);
  if (replay != nullptr) {
    play_->setText(Qs(
        MessageText(replay->playing() ? MessageKey::kMsgLogPause : MessageKey::kMsgLogPlay, lang)));
    step_->setText(Qs(MessageText(MessageKey::kMsgLogStep, lang)));
    for (std::size_t i = 0; i < speeds_.size(); ++i) {
      speeds_[i]->setChecked(replay->speed() == ReplaySource::kSpeeds[i]);
    }
    slider_->setRange(0, static_cast<int>(replay->frame_count()) - 1);
    slider_->setValue(static_cast<int>(std::max<std::ptrdiff_t>(replay->position(), 0)));
    time_->setText(QString("%1 / %2 s")
                       .arg(replay->time_ms() / 1000.0, 0, 'f', 1)
                       .arg(replay->duration_ms() / 1000.0, 0, 'f', 1));
  }
  if (plot_ && plot_->isVisible()) plot_->FollowReplay();
  refreshing_ = false;
}

}  // namespace korvan::ui
