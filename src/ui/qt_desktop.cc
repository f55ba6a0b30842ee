#include "ui/qt_desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QUrl>

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

Desktop::Answer QtDesktop::AskYesNoCancel(std::string_view text) {
  const auto button =
      QMessageBox::question(window_, QStringLiteral("Korvan"), Qs(text),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (button == QMessageBox::Yes) return Answer::kYes;
  if (button == QMessageBox::No) return Answer::kNo;
  return Answer::kCancel;
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

bool QtDesktop::OpenDocument(std::string_view path) {
  const QString file = Qs(path);
  if (!QFileInfo::exists(file)) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void QtDesktop::PrintActivePage() {
  if (window_ == nullptr) return;
  // Without a printer set up here, the page goes to a PDF beside the user's documents.
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString path = dir + "/korvan-page.pdf";
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageOrientation(QPageLayout::Landscape);
  QPainter painter(&writer);
  const QPixmap shot = window_->grab();
  const QRect page = painter.viewport();
  const QSize size = shot.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.drawPixmap(QRect(QPoint(0, 0), size), shot);
  painter.end();
  ShowMessage("The page was written to " + path.toStdString());
}

AboutBox& QtDesktop::about_box() {
  if (!about_) about_ = std::make_unique<AboutBox>(window_);
  return *about_;
}

void QtDesktop::ShowAbout(Language language) { about_box().Run(language); }

void QtDesktop::CloseWindow() {
  if (window_ != nullptr) window_->close();
}

}  // namespace korvan::ui
