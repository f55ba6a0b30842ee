#pragma once

#include <QLabel>
#include <QWidget>
#include <optional>

#include "station/map_surface.h"
#include "texts/language.h"

QT_BEGIN_NAMESPACE
class Q3DSurface;
class QSurface3DSeries;
QT_END_NAMESPACE

namespace korvan::ui {

// The map in 3D: a window of its own beside the station, showing the active map page as a
// surface over its engine speeds and throttle (or pressure) rows, the operating point selected on
// it, turned and zoomed by the mouse (right button drags, the wheel zooms). It follows what the
// grid shows. Where the system offers no OpenGL it says so and the station works on.
class MapSurfaceView : public QWidget {
 public:
  explicit MapSurfaceView(QWidget* parent);

  // Draws the surface (nothing: no map page is shown) with its texts in `language`; does nothing
  // when neither changed since the last call.
  void Follow(const std::optional<MapSurface>& surface, Language language,
              const QString& page_caption);
  // Whether the 3D graph could be made (the system offers OpenGL).
  bool has_graph() const { return graph_ != nullptr; }
  Q3DSurface* graph() const { return graph_; }
  QLabel* note() const { return note_; }

 private:
  void Draw(const MapSurface& surface);

  Q3DSurface* graph_ = nullptr;
  QSurface3DSeries* series_ = nullptr;
  QWidget* container_ = nullptr;
  QLabel* note_ = nullptr;
  std::optional<MapSurface> shown_;
  Language language_ = Language::kEnglish;
  QString caption_;
  bool drawn_once_ = false;
};

}  // namespace korvan::ui
