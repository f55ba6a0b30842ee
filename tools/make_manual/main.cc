// korvan_make_manual: renders one of the station's Markdown manuals into the A4 PDF that F1 opens.
// Runs at build time on a machine without a display, so it uses Qt's offscreen platform.
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Qt's own warnings about the missing session directory of a headless build say nothing about the
// manual; everything else goes out as usual.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("QStandardPaths:")) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// The tables come out of Markdown without padding; give their cells room to breathe.
void SpaceTables(QTextDocument& document) {
  for (QTextFrame* frame : document.rootFrame()->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
      QTextTableFormat format = table->format();
      format.setCellPadding(3);
      format.setCellSpacing(0);
      format.setBorderCollapse(true);
      format.setBorder(2);
      format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      format.setBorderBrush(QColor(150, 150, 150));
      table->setFormat(format);
    }
  }
}

// The text's width on an A4 page with the 2 cm margins print() leaves, in the document's units
// (96 to the inch): a wider picture is drawn this wide, with all its pixels.
constexpr double kTextWidth = 640;

// The pictures come from the window at its own size; each is fitted to the text's width. A picture
// the document cannot find is an error: the manual would show an empty frame where it belongs.
bool FitImages(QTextDocument& document) {
  struct Picture {
    int position;
    int length;
    QTextImageFormat format;
  };
  // Collected first: setting a format splits and merges the fragments being walked.
  std::vector<Picture> pictures;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      pictures.push_back(
          {fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
    }
  }
  bool all_found = true;
  for (Picture& picture : pictures) {
    const QImage image =
        document.resource(QTextDocument::ImageResource, QUrl(picture.format.name()))
            .value<QImage>();
    if (image.isNull()) {
      std::fprintf(stderr, "korvan_make_manual: picture not found: %s\n",
                   qPrintable(picture.format.name()));
      all_found = false;
      continue;
    }
    const double width = std::min<double>(image.width(), kTextWidth);
    picture.format.setWidth(width);
    picture.format.setHeight(width * image.height() / image.width());
    QTextCursor cursor(&document);
    cursor.setPosition(picture.position);
    cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(picture.format);
  }
  return all_found;
}

}  // namespace

// The manuals' pictures are kept small in the tree: a window picture is scaled down to `width`
// pixels at most and stored with a palette of 256 colours, which the window's flat colours fit.
int ShrinkPicture(const QString& source, const QString& target, int width) {
  QImage image(source);
  if (image.isNull()) {
    std::fprintf(stderr, "korvan_make_manual: cannot read %s\n", qPrintable(source));
    return 1;
  }
  if (image.width() > width) image = image.scaledToWidth(width, Qt::SmoothTransformation);
  image = image.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
  if (!image.save(target, "PNG", 0)) {
    std::fprintf(stderr, "korvan_make_manual: cannot write %s\n", qPrintable(target));
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  const bool picture = argc == 5 && QString(argv[1]) == "--picture";
  if (argc != 3 && !picture) {
    std::fprintf(stderr,
                 "usage: korvan_make_manual MANUAL.md OUTPUT.pdf\n"
                 "       korvan_make_manual --picture WINDOW.png OUTPUT.png WIDTH\n");
    return 2;
  }
  // The build may run where there is no screen; nothing here needs one.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietHandler);
  QGuiApplication app(argc, argv);
  if (picture) {
    return ShrinkPicture(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                         QString(argv[4]).toInt());
  }
  const QString source = QString::fromLocal8Bit(argv[1]);
  const QString target = QString::fromLocal8Bit(argv[2]);

  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "korvan_make_manual: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString markdown = QString::fromUtf8(in.readAll());

  QTextDocument document;
  // DejaVu has every letter the four manuals use (č, ř, ü, ß, è ...).
  QFont font("DejaVu Sans");
  font.setPointSizeF(10);
  document.setDefaultFont(font);
  // The pictures are named relative to the Markdown file (pictures/en/bike.png).
  const QUrl folder = QUrl::fromLocalFile(QFileInfo(source).absolutePath() + "/");
  document.setMetaInformation(QTextDocument::DocumentUrl, folder.toString());
  document.setBaseUrl(folder);
  document.setMarkdown(markdown);
  SpaceTables(document);
  if (!FitImages(document)) return 1;

  // The first heading names the document in the viewer's title bar.
  QString title = QFileInfo(source).baseName();
  for (const QString& line : markdown.split('\n')) {
    if (line.startsWith("# ")) {
      title = line.mid(2).trimmed();
      break;
    }
  }

  QPdfWriter writer(target);
  writer.setTitle(title);
  writer.setCreator("Korvan station");
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  writer.setResolution(300);
  // Unpaginated, the document breaks itself into pages with a 2 cm margin and numbers each page
  // at its foot.
  document.print(&writer);
  if (!QFileInfo(target).exists() || QFileInfo(target).size() == 0) {
    std::fprintf(stderr, "korvan_make_manual: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
