#include "ui/about_box.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace korvan::ui {
namespace {

const QString kGermanCaption = QString::fromUtf8(
    "\xC3\x9C"
    "ber Programm Dravo_Power_R");

QString LabelText(const QWidget& box, const char* name) {
  const auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
  return label != nullptr ? label->text() : QString("<no %1>").arg(name);
}

TEST(AboutBoxTest, ShowsThePictureTheBuildAndTheVersion) {
  AboutBox box;
  EXPECT_EQ(box.size(), QSize(547, 627));
  EXPECT_TRUE(box.isModal());
  EXPECT_EQ(box.palette().color(QPalette::Window), QColor(Qt::white));
  const auto* picture = box.findChild<QLabel*>("Image1");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->pixmap().size(), QSize(535, 552));
  EXPECT_EQ(picture->geometry().topLeft(), QPoint(2, 2));
  EXPECT_TRUE(QRegularExpression("^[A-Z][a-z]{2} [1-9][0-9]? [0-9]{4}$")
                  .match(LabelText(box, "LabelDate"))
                  .hasMatch())
      << LabelText(box, "LabelDate").toStdString();
  EXPECT_TRUE(QRegularExpression("^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$")
                  .match(LabelText(box, "LabelTime"))
                  .hasMatch());
  EXPECT_EQ(LabelText(box, "LabelRsKey"), "Version - 68");
  EXPECT_EQ(LabelText(box, "LabelExit"), "OK");
  EXPECT_EQ(box.findChild<QLabel*>("LabelExit")->font().pixelSize(), 19);
  EXPECT_EQ(box.windowTitle(), "Dravo Power");
}

TEST(AboutBoxTest, EachActivationTakesTheCaptionOfItsLanguage) {
  AboutBox box;
  // Czech first: the designed caption stays; after German, the German one stays.
  const std::pair<Language, QString> steps[] = {
      {Language::kCzech, "Dravo Power"},           {Language::kGerman, kGermanCaption},
      {Language::kCzech, kGermanCaption},          {Language::kFrench, "Information Dravo_Power_R"},
      {Language::kEnglish, "About Dravo_Power_R"},
  };
  for (const auto& [language, caption] : steps) {
    box.set_language(language);
    box.Activate();
    EXPECT_EQ(box.windowTitle(), caption) << static_cast<int>(language);
  }
}

TEST(AboutBoxTest, OkEscAndEnterCloseIt) {
  AboutBox box;
  const auto close_with = [&box](const std::function<void()>& action) {
    box.show();
    EXPECT_TRUE(box.isVisible());
    action();
    return !box.isVisible();
  };
  EXPECT_TRUE(
      close_with([&] { QTest::mouseClick(box.findChild<QLabel*>("LabelExit"), Qt::LeftButton); }));
  EXPECT_TRUE(close_with([&] { QTest::keyClick(&box, Qt::Key_Escape); }));
  EXPECT_TRUE(close_with([&] { QTest::keyClick(&box, Qt::Key_Return); }));
  // A click on the picture is no "OK".
  box.show();
  QTest::mouseClick(box.findChild<QLabel*>("Image1"), Qt::LeftButton);
  EXPECT_TRUE(box.isVisible());
  box.hide();
}

// Help > About in the window: the box comes up modal with the caption of the station's language
// and its "OK" ends it.
TEST_F(WindowFixture, HelpAboutShowsTheBoxInTheStationsLanguage) {
  station().MenuGermanClick();
  window_->binder().Apply();
  QString caption;
  bool modal = false;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) return;
    modal = true;
    caption = box->windowTitle();
    QTest::mouseClick(box->findChild<QLabel*>("LabelExit"), Qt::LeftButton);
  });
  auto* about = window_->findChild<QAction*>("MenuAbout");
  ASSERT_NE(about, nullptr);
  about->trigger();
  EXPECT_TRUE(modal);
  EXPECT_EQ(caption, kGermanCaption);
}

}  // namespace
}  // namespace korvan::ui
