// Renders the station's SVG icon into one PNG per size, for desktops that want bitmaps:
//   korvan_make_icons ICON.svg OUT_DIR SIZE...   writes OUT_DIR/SIZExSIZE/NAME.png
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: korvan_make_icons ICON.svg OUT_DIR SIZE...\n");
    return 2;
  }
  // The renderer needs a running application, never a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString svg = QString::fromLocal8Bit(argv[1]);
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "korvan_make_icons: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString name = QFileInfo(svg).completeBaseName() + ".png";
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLocal8Bit(argv[i]).toInt();
    if (size <= 0) {
      std::fprintf(stderr, "korvan_make_icons: bad size %s\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    const QString dir = QStringLiteral("%1/%2x%2").arg(QString::fromLocal8Bit(argv[2])).arg(size);
    if (!QDir().mkpath(dir) || !image.save(dir + "/" + name)) {
      std::fprintf(stderr, "korvan_make_icons: cannot write %s\n", qPrintable(dir + "/" + name));
      return 1;
    }
  }
  return 0;
}
