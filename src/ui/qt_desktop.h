#pragma once

#include <QFileDialog>
#include <QObject>
#include <QPagedPaintDevice>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "station/desktop.h"
#include "ui/about_box.h"

namespace korvan::ui {

// The station's requests to the desktop, answered with Qt's dialogs.
class QtDesktop : public Desktop {
 public:
  QtDesktop() = default;
  ~QtDesktop() override;
  void set_window(QWidget* window) { window_ = window; }
  // What a printout shows (the client area), and how the station's latest control changes reach
  // its widgets before it is drawn: the station prints from inside a handler, before the window
  // has redrawn anything.
  void SetPrintSource(QWidget* area, std::function<void()> apply_controls) {
    print_area_ = area;
    apply_controls_ = std::move(apply_controls);
  }
  // Called with the print source just before it is drawn onto the sheet: what the sheet shows.
  void set_on_render(std::function<void(QWidget*)> on_render) { on_render_ = std::move(on_render); }
  // Where a page goes when there is no printer; empty: the user's documents folder.
  void set_pdf_folder(QString folder) { pdf_folder_ = std::move(folder); }

  void ShowMessage(std::string_view text) override;
  // The message box with OK and the "open folder" button.
  bool AskOpenFolder(std::string_view text, std::string_view open_folder) override;
  void ShowWarning(std::string_view text) override;
  Answer AskYesNoCancel(std::string_view text) override;
  Answer AskYesNo(std::string_view text) override;
  std::optional<std::string> ChooseOpenPath(std::string_view filter,
                                            std::string_view initial) override;
  std::optional<std::string> ChooseSavePath(std::string_view filter,
                                            std::string_view initial) override;
  // True once the desktop's opener runs; a failure it reports later (its exit status) reaches
  // the callback set with set_document_failed.
  bool OpenDocument(std::string_view path) override;
  void set_document_failed(std::function<void(const std::string&)> failed) {
    document_failed_ = std::move(failed);
  }
  // Openers started and not finished yet.
  int openers_running() const { return openers_running_; }
  std::optional<AsideChoice> ChooseAside(const AsideList& list) override;
  PrintOutcome PrintActivePage() override;
  LocalDateTime Now() override;
  void CloseWindow() override;
  void ShowAbout(Language language) override;
  void ShowDifferences(bool with_unit) override {
    if (show_differences_) show_differences_(with_unit);
  }
  std::string ClipboardText() override;
  void SetClipboardText(std::string_view text) override;
  std::optional<double> AskNumber(std::string_view title, std::string_view label, double value,
                                  double min, double max, int decimals) override;
  void ShowMapSurface() override {
    if (show_map_surface_) show_map_surface_();
  }
  void set_show_map_surface(std::function<void()> show) { show_map_surface_ = std::move(show); }
  // The window opens its difference view.
  void set_show_differences(std::function<void(bool)> show) { show_differences_ = std::move(show); }
  // The About box, made on first use and kept (its caption carries over between showings).
  AboutBox& about_box();

 private:
  QWidget* window_ = nullptr;
  QWidget* print_area_ = nullptr;
  std::function<void()> apply_controls_;
  std::function<void()> show_map_surface_;
  std::function<void(QWidget*)> on_render_;
  QString pdf_folder_;
  std::unique_ptr<AboutBox> about_;
  std::function<void(bool)> show_differences_;
  std::function<void(const std::string&)> document_failed_;
  QObject openers_;  // the running openers' processes
  int openers_running_ = 0;
};

// Draws the widget onto a printer's or a PDF's pages, scaled to fit the page with its aspect
// kept, as vector content (text stays text). False when the device refused to start or finish.
bool RenderToPage(QWidget* widget, QPagedPaintDevice& device);

// "Text|*.ign|All Files (*.*)|*.*" as a Qt file dialog filter.
QString QtFilter(std::string_view filter);

// The open (save = false) or save dialog as the station runs it: its filters, the first one
// chosen, the ".ign" extension proposed, and the last file's path as the name to start with.
void SetUpFileDialog(QFileDialog& dialog, bool save, std::string_view filter,
                     std::string_view initial);

}  // namespace korvan::ui
