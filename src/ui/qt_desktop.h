#pragma once

#include <QFileDialog>
#include <QWidget>
#include <memory>

#include "shell/desktop.h"
#include "ui/about_box.h"

namespace korvan::ui {

// The station's requests to the desktop, answered with Qt's dialogs.
class QtDesktop : public Desktop {
 public:
  void set_window(QWidget* window) { window_ = window; }

  void ShowMessage(std::string_view text) override;
  Answer AskYesNoCancel(std::string_view text) override;
  std::optional<std::string> ChooseOpenPath(std::string_view filter,
                                            std::string_view initial) override;
  std::optional<std::string> ChooseSavePath(std::string_view filter,
                                            std::string_view initial) override;
  bool OpenDocument(std::string_view path) override;
  void PrintActivePage() override;
  void CloseWindow() override;
  void ShowAbout(Language language) override;
  // The About box, made on first use and kept (its caption carries over between showings).
  AboutBox& about_box();

 private:
  QWidget* window_ = nullptr;
  std::unique_ptr<AboutBox> about_;
};

// "Text|*.ign|All Files (*.*)|*.*" as a Qt file dialog filter.
QString QtFilter(std::string_view filter);

// The open (save = false) or save dialog as the station runs it: its filters, the first one
// chosen, the ".ign" extension proposed, and the last file's path as the name to start with.
void SetUpFileDialog(QFileDialog& dialog, bool save, std::string_view filter,
                     std::string_view initial);

}  // namespace korvan::ui
