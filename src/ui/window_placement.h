#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace korvan::ui {

// Where the main window goes when it opens. `saved` is the position and size the settings kept
// (invalid at first start); `designed` the size that shows the whole client area; `screens` the
// available areas of all screens and `primary` that of the main one (which may lie right of
// another, so a saved Left or Top below zero is a real place). A saved place is kept while the
// window's title bar can still be reached on some screen; otherwise, and at first start, the
// window is centred on the main screen. It is never larger than the screen it opens on: the
// client area scrolls instead.
QRect PlaceWindow(const QRect& saved, QSize designed, const QList<QRect>& screens,
                  const QRect& primary);

}  // namespace korvan::ui
