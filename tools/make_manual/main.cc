// korvan_make_manual: renders one of the station's Markdown manuals into the A4 PDF that F1 opens.
// Runs at build time on a machine without a display, so it uses Qt's offscreen platform.
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <cstdio>

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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: korvan_make_manual MANUAL.md OUTPUT.pdf\n");
    return 2;
  }
  // The build may run where there is no screen; nothing here needs one.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietHandler);
  QGuiApplication app(argc, argv);
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
  document.setMetaInformation(
      QTextDocument::DocumentUrl,
      QUrl::fromLocalFile(QFileInfo(source).absolutePath() + "/").toString());
  document.setMarkdown(markdown);
  SpaceTables(document);

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
