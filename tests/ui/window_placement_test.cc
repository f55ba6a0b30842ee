// Where the window opens, the scrolling client area, and the file dialogs.
#include "ui/window_placement.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include "ui/qt_desktop.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

const QSize kDesigned(1056, 950);
const QRect kMain(0, 0, 1920, 1040);
const QRect kLeftOfMain(-1280, 0, 1280, 984);  // a second monitor left of the main one
const QRect kSmall(0, 0, 1024, 740);           // 1024 x 768 less a panel

struct PlaceCase {
  const char* what;
  QRect saved;
  QList<QRect> screens;
  QRect expected;
};

TEST(PlaceWindowTest, KeepsAReachableSavedPlaceAndCentresOtherwise) {
  const PlaceCase cases[] = {
      {"first start: centred", QRect(), {kMain}, QRect(QPoint(432, 45), kDesigned)},
      {"first start on a small screen: as big as the screen", QRect(), {kSmall}, kSmall},
      {"saved on the main screen", QRect(100, 50, 1056, 950), {kMain}, QRect(100, 50, 1056, 950)},
      {"saved on a monitor left of the main one",
       QRect(-1200, 10, 1056, 900),
       {kMain, kLeftOfMain},
       QRect(-1200, 10, 1056, 900)},
      {"saved across both monitors",
       QRect(-500, 10, 1056, 900),
       {kMain, kLeftOfMain},
       QRect(-500, 10, 1056, 900)},
      {"saved on a monitor that is gone",
       QRect(-1200, 10, 1056, 900),
       {kMain},
       QRect(QPoint(432, 45), kDesigned)},
      {"title bar above every screen",
       QRect(100, -300, 1056, 950),
       {kMain},
       QRect(QPoint(432, 45), kDesigned)},
      {"only a sliver left at the right edge",
       QRect(1900, 100, 1056, 950),
       {kMain},
       QRect(QPoint(432, 45), kDesigned)},
      {"saved bigger than the screen now", QRect(0, 0, 1584, 1413), {kSmall}, kSmall},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PlaceWindow(c.saved, kDesigned, c.screens, c.screens.front()), c.expected);
  }
}

class SmallScreenTest : public WindowFixture {
 protected:
  void SetUp() override {
    full_size_ = false;  // as it opens on the (small) offscreen screen
    WindowFixture::SetUp();
  }
};

TEST_F(SmallScreenTest, TheWindowFitsTheScreenAndThePageScrolls) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_LT(screen.height(), window_->DesignedSize().height());
  EXPECT_LE(window_->frameGeometry().width(), screen.width());
  EXPECT_LE(window_->frameGeometry().height(), screen.height());
  auto* scroll = qobject_cast<QScrollArea*>(Widget<QTabWidget>("PageControl1")->currentWidget());
  ASSERT_NE(scroll, nullptr);
  EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
  // The status line at the bottom of the client area is in view without scrolling.
  QWidget* status = Widget("LabelHlaseni");
  const QPoint in_view = status->mapTo(window_.get(), QPoint(0, status->height()));
  EXPECT_TRUE(window_->rect().contains(in_view));
}

TEST(FileDialogTest, OpenAndSaveProposeTheParameterFileExtension) {
  const std::string dir =
      QDir::cleanPath(
          QString::fromStdString(::testing::TempDir() + "/korvan_sets_" + std::to_string(getpid())))
          .toStdString();
  std::filesystem::create_directories(dir);
  const std::string last = dir + "/last.ign";
  for (bool save : {false, true}) {
    SCOPED_TRACE(save ? "save" : "open");
    QFileDialog dialog;
    SetUpFileDialog(dialog, save,
                    save ? "Ignition Parametrs(*.ign)|*.ign"
                         : "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*",
                    last);
    EXPECT_EQ(dialog.defaultSuffix(), "ign");
    EXPECT_EQ(dialog.selectedNameFilter(), "Ignition Parametrs(*.ign)");
    EXPECT_EQ(dialog.nameFilters().size(), save ? 1 : 2);
    EXPECT_EQ(dialog.acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(dir));
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace korvan::ui
