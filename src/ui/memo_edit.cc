#include "ui/memo_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <limits>

#include "pages/windows1250.h"

namespace korvan::ui {
namespace {

// The field keeps a line break as a paragraph or line separator and gives it back as a line
// feed; the set keeps each as CR LF.
bool IsLineBreak(QChar c) {
  return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

int StoredLength(const QString& text) {
  int length = 0;
  for (const QChar c : text) length += IsLineBreak(c) ? 2 : 1;
  return length;
}

}  // namespace

bool MemoEdit::Accepts(QChar c) const {
  if (IsLineBreak(c) || code_page_ == TextCodePage::kUnicode) return true;
  // Every character of the code page is one UTF-16 unit; half of a pair is none of them.
  return !c.isSurrogate() && InWindows1250(c.unicode());
}

QString MemoEdit::Fitting(QString text) const {
  // A pasted Windows text ends its lines with CR LF, an old Mac text with CR alone.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  int room = std::numeric_limits<int>::max();
  if (max_length_ > 0) {
    room = max_length_ - StoredLength(toPlainText()) + StoredLength(textCursor().selectedText());
  }
  QString fitting;
  for (const QChar c : text) {
    if (!Accepts(c)) continue;
    const int length = IsLineBreak(c) ? 2 : 1;
    if (length > room) break;
    room -= length;
    fitting += c;
  }
  return fitting;
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
  // What the key would put into the text, as the editor decides it: a line break, or printable
  // text and Tab.
  QString typed;
  const QString text = event->text();
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    typed = QStringLiteral("\n");
  } else if (!text.isEmpty() && (text.front().isPrint() || text.front() == u'\t')) {
    typed = text;
  }
  if (!typed.isEmpty() && Fitting(typed) != typed) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  const QString fitting = Fitting(commit);
  if (fitting == commit) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent kept(event->preeditString(), event->attributes());
  kept.setCommitString(fitting, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&kept);
}

void MemoEdit::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  insertPlainText(Fitting(source->text()));
  ensureCursorVisible();
}

}  // namespace korvan::ui
