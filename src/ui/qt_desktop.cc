#include "ui/qt_desktop.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace korvan::ui {
namespace {

QString Qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

QString QtFilter(std::string_view filter) {
  const QStringList parts = Qs(filter).split('|');
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString text = parts[i];
    // The pattern is already in the text ("(*.ign)"); Qt reads it from there.
    if (!text.contains('(')) text += " (" + parts[i + 1] + ")";
    entries << text;
  }
  return entries.join(";;");
}

void QtDesktop::ShowMessage(std::string_view text) {
  QMessageBox::information(window_, QStringLiteral("Korvan"), Qs(text));
}

bool QtDesktop::AskOpenFolder(std::string_view text, std::string_view open_folder) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Korvan"), Qs(text), QMessageBox::Ok,
                  window_);
  box.setObjectName("OpenFolderMessage");
  // The path can be selected and copied from the box.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPushButton* open = box.addButton(Qs(open_folder), QMessageBox::ActionRole);
  open->setObjectName("OpenFolderButton");
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() == open;
}

void QtDesktop::ShowWarning(std::string_view text) {
  QMessageBox::warning(window_, QStringLiteral("Korvan"), Qs(text));
}

Desktop::Answer QtDesktop::AskYesNoCancel(std::string_view text) {
  const auto button =
      QMessageBox::question(window_, QStringLiteral("Korvan"), Qs(text),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (button == QMessageBox::Yes) return Answer::kYes;
  if (button == QMessageBox::No) return Answer::kNo;
  return Answer::kCancel;
}

Desktop::Answer QtDesktop::AskYesNo(std::string_view text) {
  const auto button = QMessageBox::question(window_, QStringLiteral("Korvan"), Qs(text),
                                            QMessageBox::Yes | QMessageBox::No);
  return button == QMessageBox::Yes ? Answer::kYes : Answer::kNo;
}

void SetUpFileDialog(QFileDialog& dialog, bool save, std::string_view filter,
                     std::string_view initial) {
  dialog.setNameFilters(QtFilter(filter).split(";;"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // Both dialogs propose the parameter files first and complete a bare name with ".ign".
  dialog.setDefaultSuffix("ign");
  if (!filter.empty()) dialog.selectNameFilter(dialog.nameFilters().front());
  if (!initial.empty()) dialog.selectFile(Qs(initial));
}

namespace {

std::optional<std::string> RunFileDialog(QWidget* window, bool save, std::string_view filter,
                                         std::string_view initial) {
  QFileDialog dialog(window);
  SetUpFileDialog(dialog, save, filter, initial);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace

std::optional<std::string> QtDesktop::ChooseOpenPath(std::string_view filter,
                                                     std::string_view initial) {
  return RunFileDialog(window_, false, filter, initial);
}

std::optional<std::string> QtDesktop::ChooseSavePath(std::string_view filter,
                                                     std::string_view initial) {
  return RunFileDialog(window_, true, filter, initial);
}

QtDesktop::~QtDesktop() {
  // An opener still running (xdg-open waits for some viewers to close) is let go of quietly; the
  // viewer it started stays open.
  for (QProcess* process : openers_.findChildren<QProcess*>()) {
    process->disconnect();
    process->kill();
    process->waitForFinished(1000);
  }
}

bool QtDesktop::OpenDocument(std::string_view path) {
  const QString file = Qs(path);
  if (!QFileInfo::exists(file)) return false;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  // Qt starts xdg-open and forgets it, so a desktop without a working PDF viewer would show
  // nothing at all. xdg-open's exit status says whether the document was shown; it may come
  // only when the viewer closes, so it is awaited without stopping the window.
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (!opener.isEmpty()) {
    auto* process = new QProcess(&openers_);
    ++openers_running_;
    const auto done = [this, process, document = std::string(path)](bool failed) {
      --openers_running_;
      process->disconnect();
      process->deleteLater();
      if (failed && document_failed_) document_failed_(document);
    };
    QObject::connect(process, &QProcess::finished, [done](int code, QProcess::ExitStatus status) {
      done(status != QProcess::NormalExit || code != 0);
    });
    QObject::connect(process, &QProcess::errorOccurred, [done](QProcess::ProcessError error) {
      // Only a start that failed goes without a finished signal.
      if (error == QProcess::FailedToStart) done(true);
    });
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(opener, {file});
    return true;
  }
#endif
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

std::optional<AsideChoice> QtDesktop::ChooseAside(const AsideList& list) {
  QDialog dialog(window_);
  dialog.setObjectName("AsideDialog");
  dialog.setWindowTitle(Qs(list.title));
  auto* rows = new QListWidget(&dialog);
  rows->setObjectName("AsideRows");
  for (const std::string& row : list.rows) rows->addItem(Qs(row));
  rows->setCurrentRow(0);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* restore = buttons->addButton(Qs(list.restore), QDialogButtonBox::AcceptRole);
  restore->setObjectName("AsideRestore");
  QPushButton* remove = buttons->addButton(Qs(list.remove), QDialogButtonBox::DestructiveRole);
  remove->setObjectName("AsideDelete");
  QPushButton* close = buttons->addButton(Qs(list.close), QDialogButtonBox::RejectRole);
  close->setObjectName("AsideClose");
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(rows);
  layout->addWidget(buttons);
  std::optional<AsideChoice> choice;
  const auto choose = [&](AsideChoice::Action action) {
    if (rows->currentRow() < 0) return;
    choice = AsideChoice{action, rows->currentRow()};
    dialog.accept();
  };
  QObject::connect(restore, &QPushButton::clicked, [&] { choose(AsideChoice::Action::kRestore); });
  QObject::connect(rows, &QListWidget::itemActivated,
                   [&] { choose(AsideChoice::Action::kRestore); });
  QObject::connect(remove, &QPushButton::clicked, [&] { choose(AsideChoice::Action::kDelete); });
  QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
  dialog.resize(640, 260);
  dialog.exec();
  return choice;
}

bool RenderToPage(QWidget* widget, QPagedPaintDevice& device) {
  // The sheet's orientation follows the window's shape, so that it fills as much as it can.
  device.setPageOrientation(widget->width() > widget->height() ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect sheet = painter.viewport();
  const QSize size = widget->size().scaled(sheet.size(), Qt::KeepAspectRatio);
  const double scale = static_cast<double>(size.width()) / std::max(1, widget->width());
  painter.translate(sheet.x() + (sheet.width() - size.width()) / 2, sheet.y());
  // The widget draws into a recording first: rendered straight onto a printer, a widget is
  // drawn through a pixmap at the printer's resolution, and the job becomes one huge bitmap
  // without text. The recording keeps lines and text, and plays back the same on a printer and
  // on a PDF file. It is made at the screen's resolution; the sheet's is taken out of the scale.
  QPicture drawing;
  QPainter recorder;
  if (!recorder.begin(&drawing)) return false;
  widget->render(&recorder, QPoint(), QRegion(),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
  recorder.end();
  painter.scale(scale * drawing.logicalDpiX() / std::max(1, device.logicalDpiX()),
                scale * drawing.logicalDpiY() / std::max(1, device.logicalDpiY()));
  painter.drawPicture(0, 0, drawing);
  return painter.end();
}

namespace {

// korvan-2026-12-10-171500.pdf, with a number added while such a file exists.
QString UniquePdfPath(const QString& folder) {
  const QString stem =
      folder + "/korvan-" + QDateTime::currentDateTime().toString("yyyy-MM-dd-HHmmss");
  QString path = stem + ".pdf";
  for (int n = 2; QFileInfo::exists(path); ++n) path = stem + QString("-%1.pdf").arg(n);
  return path;
}

}  // namespace

PrintOutcome QtDesktop::PrintActivePage() {
  QWidget* area = print_area_ != nullptr ? print_area_ : window_;
  if (area == nullptr) return {PrintOutcome::Kind::kFailed, ""};
  if (apply_controls_) apply_controls_();
  // Tabs that were hidden or shown ask for a new layout by a posted event; only those run here,
  // not the timer.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  if (on_render_) on_render_(area);

  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Korvan"));
    if (!RenderToPage(area, printer)) {
      return {PrintOutcome::Kind::kFailed, info.printerName().toStdString()};
    }
    return {PrintOutcome::Kind::kPrinter, info.printerName().toStdString()};
  }
  // No printer on this system: the same page into a PDF file, and the user is told where.
  const QString folder = !pdf_folder_.isEmpty()
                             ? pdf_folder_
                             : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QDir().mkpath(folder);
  const QString path = UniquePdfPath(folder);
  bool written = false;
  {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(1200);
    writer.setTitle(QStringLiteral("Korvan"));
    writer.setCreator(QStringLiteral("Korvan"));
    written = RenderToPage(area, writer);
  }
  if (!written || QFileInfo(path).size() == 0) {
    QFile::remove(path);
    return {PrintOutcome::Kind::kFailed, QDir::toNativeSeparators(path).toStdString()};
  }
  return {PrintOutcome::Kind::kPdfFile, QDir::toNativeSeparators(path).toStdString()};
}

LocalDateTime QtDesktop::Now() {
  const QLocale locale;
  const QDateTime now = QDateTime::currentDateTime();
  // The locale's time with seconds, without the time zone its long format may carry.
  QString time_format = locale.timeFormat(QLocale::LongFormat);
  time_format.remove(QRegularExpression("\\s*t+\\s*"));
  return {locale.toString(now.date(), QLocale::ShortFormat).toStdString(),
          locale.toString(now.time(), time_format.trimmed()).toStdString()};
}

AboutBox& QtDesktop::about_box() {
  if (!about_) about_ = std::make_unique<AboutBox>(window_);
  return *about_;
}

void QtDesktop::ShowAbout(Language language) { about_box().Run(language); }

void QtDesktop::CloseWindow() {
  if (window_ != nullptr) window_->close();
}

std::string QtDesktop::ClipboardText() {
  return QGuiApplication::clipboard()->text().toStdString();
}

void QtDesktop::SetClipboardText(std::string_view text) {
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::optional<double> QtDesktop::AskNumber(std::string_view title, std::string_view label,
                                           double value, double min, double max, int decimals) {
  bool ok = false;
  const double answer = QInputDialog::getDouble(
      window_, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
      QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), value, min, max,
      decimals, &ok);
  if (!ok) return std::nullopt;
  return answer;
}

}  // namespace korvan::ui
