#pragma once

#include <QDialog>
#include <QLabel>

#include "texts/messages.h"

namespace korvan::ui {

// The About box: the picture, the build date and time, the version the station works with, and
// "OK", which closes it. Made once and kept, because in Czech its caption stays what the
// previous showing set.
class AboutBox : public QDialog {
 public:
  explicit AboutBox(QWidget* parent = nullptr);

  // Shows the box modally in the station's language.
  void Run(Language language);
  // What an activation does: the caption for the language shown now.
  void Activate();
  void set_language(Language language) { language_ = language; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* AddLabel(const char* name, const QString& text, int left, int top);

  Language language_ = Language::kEnglish;
  QLabel* exit_ = nullptr;
};

}  // namespace korvan::ui
