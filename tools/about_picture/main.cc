// korvan_about_picture: draws the About box's picture (an engine control unit with its map on the
// lid) into a PNG. Run once by hand when the picture should change; the PNG is kept in
// src/ui/resources and compiled into the window as a resource.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 535;
constexpr int kHeight = 552;

// An advance map's shape: rising with speed, falling with throttle, as on a tuned engine.
double MapValue(int row, int column) {
  const double rpm = column / 14.0;
  const double tps = row / 9.0;
  return 0.25 + 0.6 * std::sin(rpm * 1.9) * (1.0 - 0.45 * tps) + 0.1 * tps;
}

QColor MapColour(double v) {
  v = std::clamp(v, 0.0, 1.0);
  return QColor::fromHsvF(0.62 * (1.0 - v), 0.55, 0.92);
}

void DrawHousing(QPainter& p, const QRectF& body) {
  // Mounting tabs behind the body.
  p.setPen(QPen(QColor(90, 95, 105), 1.5));
  p.setBrush(QColor(170, 175, 182));
  for (const double y : {body.top() + 40, body.bottom() - 70}) {
    for (const double x : {body.left() - 26, body.right() - 8}) {
      const QRectF tab(x, y, 34, 30);
      p.drawRoundedRect(tab, 6, 6);
      p.setBrush(Qt::white);
      p.drawEllipse(tab.center() + QPointF(x < body.left() ? -5 : 5, 0), 6, 6);
      p.setBrush(QColor(170, 175, 182));
    }
  }
  // The cast aluminium body.
  QLinearGradient metal(body.topLeft(), body.bottomRight());
  metal.setColorAt(0.0, QColor(228, 231, 236));
  metal.setColorAt(0.5, QColor(190, 195, 203));
  metal.setColorAt(1.0, QColor(150, 156, 166));
  p.setBrush(metal);
  p.setPen(QPen(QColor(80, 86, 96), 2));
  p.drawRoundedRect(body, 18, 18);
  // Cooling fins along the upper part.
  p.setPen(QPen(QColor(120, 126, 136), 3, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 17; ++i) {
    const double x = body.left() + 32 + i * (body.width() - 64) / 16.0;
    p.drawLine(QPointF(x, body.top() + 16), QPointF(x, body.top() + 58));
  }
  p.setPen(QPen(QColor(245, 247, 250), 1));
  for (int i = 0; i < 17; ++i) {
    const double x = body.left() + 34 + i * (body.width() - 64) / 16.0;
    p.drawLine(QPointF(x, body.top() + 17), QPointF(x, body.top() + 57));
  }
}

void DrawLid(QPainter& p, const QRectF& lid) {
  QLinearGradient plate(lid.topLeft(), lid.bottomLeft());
  plate.setColorAt(0.0, QColor(28, 44, 78));
  plate.setColorAt(1.0, QColor(14, 24, 46));
  p.setPen(QPen(QColor(10, 16, 30), 2));
  p.setBrush(plate);
  p.drawRoundedRect(lid, 10, 10);

  QFont name("DejaVu Sans", 22, QFont::Bold);
  p.setFont(name);
  p.setPen(QColor(240, 244, 250));
  p.drawText(QRectF(lid.left() + 18, lid.top() + 10, 250, 40), Qt::AlignLeft | Qt::AlignVCenter,
             "KORVAN");
  QFont small("DejaVu Sans", 8);
  p.setFont(small);
  p.setPen(QColor(160, 190, 235));
  p.drawText(QRectF(lid.left() + 20, lid.top() + 48, 260, 18), Qt::AlignLeft | Qt::AlignVCenter,
             "IGNITION  \u00B7  INJECTION  \u00B7  N2O");
  p.drawText(QRectF(lid.right() - 170, lid.top() + 14, 152, 18), Qt::AlignRight | Qt::AlignVCenter,
             "57600 8N1   v68");

  // The advance map, 10 throttle rows by 15 speed columns, as the station's grid shows it.
  const QRectF grid(lid.left() + 18, lid.top() + 76, lid.width() - 36, lid.height() - 94);
  const double cw = grid.width() / 15.0;
  const double ch = grid.height() / 10.0;
  p.setPen(QPen(QColor(14, 24, 46), 1));
  for (int row = 0; row < 10; ++row) {
    for (int column = 0; column < 15; ++column) {
      p.setBrush(MapColour(MapValue(row, column)));
      p.drawRect(QRectF(grid.left() + column * cw, grid.bottom() - (row + 1) * ch, cw, ch));
    }
  }
  // The live cursor on the cell the engine uses.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255), 3));
  p.drawRect(QRectF(grid.left() + 9 * cw, grid.bottom() - 7 * ch, cw, ch));
}

void DrawConnectorAndLoom(QPainter& p, const QRectF& body) {
  const QRectF plug(body.center().x() - 120, body.bottom() - 14, 240, 46);
  p.setPen(QPen(QColor(20, 20, 20), 2));
  p.setBrush(QColor(45, 45, 50));
  p.drawRoundedRect(plug, 6, 6);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(212, 175, 55));
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < 18; ++i) {
      p.drawEllipse(QPointF(plug.left() + 16 + i * 12.3, plug.top() + 14 + row * 16), 3, 3);
    }
  }
  // The loom: wires in the unit's colours, bundled towards the bike.
  const QColor wires[] = {QColor(200, 30, 30),  QColor(20, 20, 20),  QColor(240, 200, 0),
                          QColor(30, 110, 210), QColor(30, 160, 60), QColor(250, 250, 250),
                          QColor(150, 60, 180), QColor(240, 120, 20)};
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 8; ++i) {
    QPainterPath wire;
    const double x0 = plug.left() + 30 + i * 25;
    wire.moveTo(x0, plug.bottom());
    wire.cubicTo(x0, plug.bottom() + 50, 240 + i * 6.0, kHeight - 80, 200 + i * 6.0, kHeight + 4);
    p.setPen(QPen(QColor(30, 30, 30), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(wire);
    p.setPen(QPen(wires[i], 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(wire);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvan_about_picture OUT.png\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  // A soft shadow under the unit.
  QRadialGradient shadow(QPointF(kWidth / 2.0, 410), 260);
  shadow.setColorAt(0.0, QColor(0, 0, 0, 60));
  shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shadow);
  p.drawEllipse(QPointF(kWidth / 2.0, 400), 250, 70);

  const QRectF body(58, 70, kWidth - 116, 330);
  DrawHousing(p, body);
  DrawLid(p, QRectF(body.left() + 26, body.top() + 76, body.width() - 52, body.height() - 100));
  DrawConnectorAndLoom(p, body);

  QFont title("DejaVu Sans", 15, QFont::Bold);
  p.setFont(title);
  p.setPen(QColor(28, 44, 78));
  p.drawText(QRectF(0, 12, kWidth, 30), Qt::AlignCenter, "Korvan programming station");
  QFont sub("DejaVu Sans", 9);
  p.setFont(sub);
  p.setPen(QColor(90, 100, 115));
  p.drawText(QRectF(0, 40, kWidth, 20), Qt::AlignCenter,
             "read \u00B7 verify \u00B7 program \u00B7 tune live");
  p.end();
  return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
