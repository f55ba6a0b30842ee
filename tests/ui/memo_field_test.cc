// The memo field in the real window takes only what the set can hold, as it is typed or pasted:
// 149 characters (a line break counting two), each one the Windows-1250 code page has.
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "image/field_dictionary.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class MemoFieldTest : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    ShowPage(kPageBike);
    memo_ = Widget<QPlainTextEdit>("Memo1");
    ASSERT_NE(memo_, nullptr);
    memo_->setFocus();
  }
  // The page's next commit takes the memo into the set. A message the station shows on the way
  // is noted and closed, so that a wrong field cannot stop the test in a modal box.
  void Commit() {
    QTimer::singleShot(0, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        messages_ << box->text();
        box->accept();
      }
    });
    station().FormKeyPressEnter();
    window_->binder().Apply();
  }
  // Key by key, each key giving its character as a keyboard of that language does
  // (QTest::keyClicks passes only Latin-1).
  void TypeKeys(const QString& text) {
    for (const QChar c : text) {
      QTest::sendKeyEvent(QTest::Click, memo_, static_cast<Qt::Key>(c.toUpper().unicode()),
                          QString(c), Qt::NoModifier);
    }
  }
  void Paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    memo_->paste();
  }

  QPlainTextEdit* memo_ = nullptr;
  QStringList messages_;
};

TEST_F(MemoFieldTest, TypingStopsAtTheSetsLength) {
  QTest::keyClicks(memo_, QString(160, u'a'));
  EXPECT_EQ(memo_->toPlainText(), QString(149, u'a'));
  Commit();
  EXPECT_EQ(ReadMemo(station().image()), std::string(149, 'a'));
  EXPECT_EQ(memo_->toPlainText(), QString(149, u'a'));
  EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();

  // With the text selected there is room again for what replaces it.
  memo_->selectAll();
  QTest::keyClicks(memo_, "xy");
  EXPECT_EQ(memo_->toPlainText(), "xy");
}

// A line break takes two of the 149 (the set keeps CR LF): it fits only where two are left.
TEST_F(MemoFieldTest, ALineBreakNeedsRoomForTwo) {
  QTest::keyClicks(memo_, QString(148, u'a'));
  QTest::keyClick(memo_, Qt::Key_Return);
  EXPECT_EQ(memo_->toPlainText(), QString(148, u'a'));
  QTest::keyClick(memo_, Qt::Key_Backspace);
  QTest::keyClick(memo_, Qt::Key_Return);
  EXPECT_EQ(memo_->toPlainText(), QString(147, u'a') + u'\n');
  Commit();
  EXPECT_EQ(ReadMemo(station().image()), std::string(147, 'a') + "\r\n");
  EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
}

// What reaches the field by keys or the clipboard: the characters of the code page stay ("€",
// "ł", "Ř" are in it), the others ("ñ", a Chinese character, an emoji) never appear.
TEST_F(MemoFieldTest, OnlyTheCodePagesCharactersGetIn) {
  struct Case {
    const char* what;
    QString before;  // in the field already, typed
    QString pasted;
    QString typed;
    QString shown;
    std::string stored;
  };
  const Case cases[] = {
      {"pasted", "", U("a€ñb漢ł🏍Ř"), "", U("a€błŘ"),
       "a\x80"
       "b\xB3\xD8"},
      {"typed", "K", "", U("ñů£漢ň"), U("Kůň"), "K\xF9\xF2"},
      {"Windows lines pasted", "", "1\r\n2", "", "1\n2", "1\r\n2"},
      {"pasted beyond the end", QString(140, u'z'), U("0123456789ñ"), "",
       QString(140, u'z') + "012345678", std::string(140, 'z') + "012345678"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    memo_->clear();
    TypeKeys(c.before);
    if (!c.pasted.isEmpty()) Paste(c.pasted);
    TypeKeys(c.typed);
    EXPECT_EQ(memo_->toPlainText(), c.shown);
    Commit();
    EXPECT_EQ(memo_->toPlainText(), c.shown) << "the set holds what the field shows";
    EXPECT_EQ(ReadMemo(station().image()), c.stored);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
  }
}

}  // namespace
}  // namespace korvan::ui
