#include "ui/map_surface_view.h"

#include <QtDataVisualization/qutils.h>

#include <QVBoxLayout>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QSurfaceDataProxy>
#include <QtDataVisualization/QValue3DAxis>
#include <algorithm>

#include "texts/messages.h"
#include "ui/control_views.h"

namespace korvan::ui {
namespace {

QString Text(MessageKey key, Language language) {
  return Qs(std::string(MessageText(key, language)));
}

}  // namespace

MapSurfaceView::MapSurfaceView(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("MapSurfaceView");
  resize(720, 560);
  auto* layout = new QVBoxLayout(this);
  note_ = new QLabel(this);
  note_->setObjectName("MapSurfaceNote");
  note_->setWordWrap(true);
  note_->setAlignment(Qt::AlignCenter);
  layout->addWidget(note_);
  // Without multisampling: on a display that draws in software it costs more than it shows.
  const QSurfaceFormat format = qDefaultSurfaceFormat(false);
  auto* graph = new Q3DSurface(&format);
  // Without OpenGL the graph has no context, and using it would crash: the view says so instead.
  if (!graph->hasContext()) {
    delete graph;
    return;
  }
  graph_ = graph;
  container_ = QWidget::createWindowContainer(graph_, this);
  container_->setObjectName("MapSurfaceGraph");
  container_->setMinimumSize(320, 240);
  container_->setFocusPolicy(Qt::StrongFocus);
  layout->addWidget(container_, 1);
  graph_->setAxisX(new QValue3DAxis);
  graph_->setAxisY(new QValue3DAxis);
  graph_->setAxisZ(new QValue3DAxis);
  graph_->axisX()->setLabelFormat("%d");
  graph_->axisZ()->setLabelFormat("%d");
  graph_->axisY()->setLabelFormat("%.0f");
  graph_->setSelectionMode(QAbstract3DGraph::SelectionItem);
  // No shadows: they double the drawing, and a workshop PC often draws in software.
  graph_->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
  // A square floor: the speed axis spans thousands, the load axis a hundred, and taken as they
  // are the map would be drawn edge-on.
  graph_->setHorizontalAspectRatio(1.0);
  series_ = new QSurface3DSeries;
  series_->setDrawMode(QSurface3DSeries::DrawSurfaceAndWireframe);
  series_->setFlatShadingEnabled(false);
  // Low values blue, high values red: the grid's live cursor colours stay apart.
  QLinearGradient grades;
  grades.setColorAt(0.0, QColor(0x2b, 0x5c, 0xc8));
  grades.setColorAt(0.5, QColor(0xf2, 0xf2, 0xf2));
  grades.setColorAt(1.0, QColor(0xd0, 0x3a, 0x2a));
  series_->setBaseGradient(grades);
  series_->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
  graph_->addSeries(series_);
  graph_->scene()->activeCamera()->setCameraPreset(Q3DCamera::CameraPresetIsometricRight);
}

void MapSurfaceView::Follow(const std::optional<MapSurface>& surface, Language language,
                            const QString& page_caption) {
  if (drawn_once_ && surface == shown_ && language == language_ && page_caption == caption_) {
    return;
  }
  drawn_once_ = true;
  shown_ = surface;
  language_ = language;
  caption_ = page_caption;
  setWindowTitle(Text(MessageKey::kMsgMap3DTitle, language) +
                 (surface ? QString(" — ") + page_caption : QString()));
  QString note;
  if (graph_ == nullptr) {
    note = Text(MessageKey::kMsgMap3DNoOpenGl, language);
  } else if (!surface) {
    note = Text(MessageKey::kMsgMap3DNoMap, language);
  } else if (surface->rows.size() < 2 || surface->columns.size() < 2) {
    note = Text(MessageKey::kMsgMap3DTooFew, language);
  }
  note_->setText(note);
  note_->setVisible(!note.isEmpty());
  if (container_ != nullptr) container_->setVisible(note.isEmpty());
  if (note.isEmpty()) Draw(*surface);
}

void MapSurfaceView::Draw(const MapSurface& s) {
  graph_->axisX()->setTitle(Text(MessageKey::kMsgMap3DSpeedAxis, language_));
  graph_->axisZ()->setTitle(
      Text(s.pressure_rows ? MessageKey::kMsgMap3DPressureAxis : MessageKey::kMsgMap3DThrottleAxis,
           language_));
  graph_->axisY()->setTitle(caption_);
  for (QAbstract3DAxis* axis : {static_cast<QAbstract3DAxis*>(graph_->axisX()),
                                static_cast<QAbstract3DAxis*>(graph_->axisY()),
                                static_cast<QAbstract3DAxis*>(graph_->axisZ())}) {
    axis->setTitleVisible(true);
  }
  // The proxy wants rows of rising z and, in each, points of rising x.
  std::vector<std::size_t> order(s.rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&s](std::size_t a, std::size_t b) { return s.loads[a] < s.loads[b]; });
  std::vector<std::size_t> columns(s.columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) columns[i] = i;
  std::stable_sort(columns.begin(), columns.end(),
                   [&s](std::size_t a, std::size_t b) { return s.speeds[a] < s.speeds[b]; });
  auto* data = new QSurfaceDataArray;
  data->reserve(static_cast<qsizetype>(order.size()));
  double low = s.values.front();
  double high = low;
  int live_row = -1;
  int live_column = -1;
  for (std::size_t r = 0; r < order.size(); ++r) {
    auto* row = new QSurfaceDataRow(static_cast<qsizetype>(columns.size()));
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const double value = s.Value(order[r], columns[c]);
      low = std::min(low, value);
      high = std::max(high, value);
      (*row)[static_cast<qsizetype>(c)].setPosition(
          QVector3D(static_cast<float>(s.speeds[columns[c]]), static_cast<float>(value),
                    static_cast<float>(s.loads[order[r]])));
      if (s.live_row && s.live_column && static_cast<int>(order[r]) == *s.live_row &&
          static_cast<int>(columns[c]) == *s.live_column) {
        live_row = static_cast<int>(r);
        live_column = static_cast<int>(c);
      }
    }
    *data << row;
  }
  series_->dataProxy()->resetArray(data);
  const auto [slowest, fastest] = std::minmax_element(s.speeds.begin(), s.speeds.end());
  const auto [lightest, heaviest] = std::minmax_element(s.loads.begin(), s.loads.end());
  graph_->axisX()->setRange(static_cast<float>(*slowest), static_cast<float>(*fastest));
  graph_->axisZ()->setRange(static_cast<float>(*lightest), static_cast<float>(*heaviest));
  // A flat map still gets a value axis of some height.
  if (high - low < 1.0) high = low + 1.0;
  graph_->axisY()->setRange(static_cast<float>(low), static_cast<float>(high));
  series_->setSelectedPoint(live_row >= 0 ? QPoint(live_row, live_column)
                                          : QSurface3DSeries::invalidSelectionPosition());
}

}  // namespace korvan::ui
