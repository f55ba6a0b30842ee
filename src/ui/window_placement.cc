#include "ui/window_placement.h"

#include <algorithm>

namespace korvan::ui {
namespace {

// The strip along the window's top edge that must lie on a screen for the user to grab it:
// the title bar's height, and enough of its width to get hold of.
constexpr int kTitleHeight = 24;
constexpr int kGripWidth = 120;

bool Reachable(const QRect& window, const QRect& screen) {
  const QRect title(window.left(), window.top(), window.width(), kTitleHeight);
  const QRect visible = title.intersected(screen);
  return visible.height() >= kTitleHeight / 2 &&
         visible.width() >= std::min(kGripWidth, window.width());
}

QRect Centred(QSize size, const QRect& screen) {
  const QSize fitted = size.boundedTo(screen.size());
  const QPoint corner(screen.left() + (screen.width() - fitted.width()) / 2,
                      screen.top() + (screen.height() - fitted.height()) / 2);
  return QRect(corner, fitted);
}

}  // namespace

QRect PlaceWindow(const QRect& saved, QSize designed, const QList<QRect>& screens,
                  const QRect& primary) {
  if (saved.isValid()) {
    for (const QRect& screen : screens) {
      const QRect place(saved.topLeft(), saved.size().boundedTo(screen.size()));
      if (Reachable(place, screen)) return place;
    }
  }
  return Centred(designed, primary);
}

}  // namespace korvan::ui
