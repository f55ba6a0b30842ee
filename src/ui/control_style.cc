#include "ui/control_style.h"

namespace korvan::ui {
namespace {

QString Rgb(std::uint32_t color) {
  return QString("#%1").arg(color & 0xFFFFFFu, 6, 16, QChar('0'));
}

QString Background(std::uint32_t color) {
  if (color == kDefaultColor) return QString();
  // The face colour is drawn opaque: such a label hides what lies under it.
  if (color == kFaceColor) return "background-color: palette(window); ";
  return "background-color: " + Rgb(color) + "; ";
}

QString Foreground(std::uint32_t color) {
  if (color == kDefaultColor || color == kFaceColor) return QString();
  return "color: " + Rgb(color) + "; ";
}

const char* Selector(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return "QLabel";
    case ControlKind::kCheckBox:
      return "QCheckBox";
    case ControlKind::kSpin:
      return "QSpinBox";
    default:
      return nullptr;
  }
}

}  // namespace

QString ColorSheet(ControlKind kind, std::uint32_t color, std::uint32_t font_color) {
  if (kind == ControlKind::kGauge) {
    if (font_color == kDefaultColor || font_color == kFaceColor) return QString();
    return "QProgressBar::chunk { background-color: " + Rgb(font_color) + "; }";
  }
  const char* selector = Selector(kind);
  const QString body = Background(color) + Foreground(font_color);
  if (selector == nullptr || body.isEmpty()) return QString();
  return QString(selector) + " { " + body + "}";
}

}  // namespace korvan::ui
