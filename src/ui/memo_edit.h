#pragma once

#include <QPlainTextEdit>
#include <QString>

#include "base/control_set.h"

namespace korvan::ui {

// The memo's field. It takes only what the set can keep, as it is typed, pasted, dropped or
// composed by an input method: no more than its control's length, a line break counting two (the
// set keeps CR LF), and only the characters of its control's code page. What does not fit never
// reaches the field, so the window does not show a memo the set cannot hold.
class MemoEdit : public QPlainTextEdit {
 public:
  explicit MemoEdit(QWidget* parent) : QPlainTextEdit(parent) {}

  // The control's limits; the texts the station draws are not checked (they come from the set).
  void SetLimits(int max_length, TextCodePage code_page) {
    max_length_ = max_length;
    code_page_ = code_page;
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // What of `text` may take the selection's place: the characters the code page holds, as many
  // as there is room for, from its beginning.
  QString Fitting(QString text) const;
  bool Accepts(QChar c) const;

  int max_length_ = 0;
  TextCodePage code_page_ = TextCodePage::kUnicode;
};

}  // namespace korvan::ui
