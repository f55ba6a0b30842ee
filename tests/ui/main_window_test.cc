#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>

#include "window_fixture.h"

namespace korvan::ui {
namespace {

// The fill a field is drawn with: its style sheet's colour when it has one.
bool FilledWith(QWidget* w, const char* rgb) { return w->styleSheet().contains(rgb); }

TEST_F(WindowFixture, EveryControlHasItsWidgetByName) {
  EXPECT_NE(Widget<QPushButton>("ButtonRead"), nullptr);
  EXPECT_NE(Widget<QLabel>("LabelHlaseni"), nullptr);
  EXPECT_NE(Widget<QProgressBar>("CGaugeProgram"), nullptr);
  EXPECT_NE(Widget<QCheckBox>("CheckBoxProgHned"), nullptr);
  EXPECT_NE(Widget<QSpinBox>("MapCell149"), nullptr);
  auto* read = window_->findChild<QAction*>("MenuRead");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->shortcut(), QKeySequence("F7"));
  auto* tabs = Widget<QTabWidget>("PageControl1");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->count(), 19);
  EXPECT_FALSE(tabs->isTabVisible(kPageTuning));
}

TEST_F(WindowFixture, ReadButtonRunsTheReadAndTheStatusLineShowsIt) {
  auto* status = Widget<QLabel>("LabelHlaseni");
  auto* gauge = Widget<QProgressBar>("CGaugeProgram");
  EXPECT_FALSE(status->isVisible());
  QTest::mouseClick(Widget<QPushButton>("ButtonRead"), Qt::LeftButton);
  EXPECT_TRUE(status->isVisible());
  EXPECT_EQ(status->text(), "Read:");
  EXPECT_TRUE(gauge->isVisible());
  for (int i = 0; i < 100 && station().session().state() != SessionState::kIdle; ++i) Tick();
  Tick();
  EXPECT_EQ(status->text(), "Verify: OK");
  EXPECT_EQ(gauge->value(), 20);
  // Hidden again once its time is over.
  Tick(200);
  EXPECT_FALSE(status->isVisible());
  EXPECT_FALSE(gauge->isVisible());
}

TEST_F(WindowFixture, ProgramThroughTheMenuShortcutWritesTheUnit) {
  station().image().SetByte(1200, station().image().Byte(1200) ^ 1u);
  QTest::keyClick(window_.get(), Qt::Key_F9);
  for (int i = 0; i < 200 && station().session().state() != SessionState::kIdle; ++i) Tick();
  EXPECT_EQ(unit_.Image(), station().image());
  EXPECT_EQ(Widget<QLabel>("LabelHlaseni")->text(), "Program device: OK");
}

TEST_F(WindowFixture, SwitchingThePageMovesTheGridOntoIt) {
  auto* tabs = Widget<QTabWidget>("PageControl1");
  tabs->setCurrentIndex(kPageAdvance);
  EXPECT_EQ(station().active_page(), kPageAdvance);
  QWidget* panel = window_->binder().grid_panel();
  EXPECT_EQ(panel->parentWidget(), window_->binder().PageWidget(kPageAdvance));
  tabs->setCurrentIndex(kPageInj1A);
  EXPECT_EQ(panel->parentWidget(), window_->binder().PageWidget(kPageInj1A));
  EXPECT_TRUE(panel->isVisible());
  tabs->setCurrentIndex(kPageMonitor);
  EXPECT_FALSE(panel->isVisible());
}

TEST_F(WindowFixture, TypingIntoACellAndEnterChangesTheImageAndRecordsAnUndoStep) {
  ShowPage(kPageInj1A);
  auto* cell = Widget<QSpinBox>("MapCell37");
  ASSERT_NE(cell, nullptr);
  const int before = station().image().Word(325 + 37);
  const int shown = cell->value();
  cell->setFocus();
  cell->selectAll();
  QTest::keyClicks(cell, QString::number(shown + 20));
  QTest::keyClick(cell, Qt::Key_Return);
  EXPECT_EQ(station().controls().Value(station().controls().Handle("MapCell37")), shown + 20);
  EXPECT_GT(station().image().Word(325 + 37), before);
  EXPECT_TRUE(window_->findChild<QAction*>("MenuZpet")->isEnabled());
  EXPECT_FALSE(cell->hasFocus());  // Enter moved the focus on
}

TEST_F(WindowFixture, PlusWithAllRaisesTheWholeMap) {
  ShowPage(kPageInj1A);
  auto* all = Widget<QCheckBox>("CheckBoxAll_Uni");
  ASSERT_NE(all, nullptr);
  QTest::mouseClick(all, Qt::LeftButton);
  ASSERT_TRUE(all->isChecked());
  const ParameterImage before = station().image();
  QTest::keyClick(window_.get(), Qt::Key_F5);
  int raised = 0;
  for (int i = 0; i < 150; ++i) raised += station().image().Word(325 + i) > before.Word(325 + i);
  EXPECT_EQ(raised, 150);
}

TEST_F(WindowFixture, TheLimeCellFollowsTheEnginesSpeed) {
  ShowPage(kPageAdvance);
  Tick(300);  // the emulated engine revs up
  const LiveValues& live = station().live();
  ASSERT_GT(live.engine_speed, 0);
  int lime_cells = 0;
  int lime_column = -1;
  for (int i = 0; i < 150; ++i) {
    QWidget* cell = Widget(("MapCell" + std::to_string(i)).c_str());
    if (FilledWith(cell, "00ff00")) {
      ++lime_cells;
      lime_column = i % 15;
    }
  }
  EXPECT_EQ(lime_cells, 1);
  // The nearest point of the axis to the engine's speed.
  int nearest = 0;
  for (int c = 1; c < 15; ++c) {
    const int now = std::abs(station().image().Byte(365 + c) * 100 - live.engine_speed);
    const int best = std::abs(station().image().Byte(365 + nearest) * 100 - live.engine_speed);
    if (now <= best) nearest = c;
  }
  EXPECT_EQ(lime_column, nearest);
}

TEST_F(WindowFixture, NoConnectionLabelAppearsWhenTheUnitFallsSilent) {
  unit_.fault().silent = true;
  Tick(7);
  EXPECT_TRUE(Widget<QLabel>("LabelSpojeni")->isVisible());
  EXPECT_FALSE(Widget<QLabel>("LabelVersion")->isVisible());
  unit_.fault().silent = false;
  Tick(12);
  EXPECT_FALSE(Widget<QLabel>("LabelSpojeni")->isVisible());
}

}  // namespace
}  // namespace korvan::ui

namespace korvan::ui {
namespace {

// The built window program on a pseudo-terminal: it starts its emulated unit, runs, draws and
// quits with a picture.
TEST(WindowProgramEndToEnd, DemoRunsAgainstItsEmulatorAndSavesAPicture) {
  const char* bin = std::getenv("KORVAN_BIN_DIR");
  if (bin == nullptr) GTEST_SKIP() << "KORVAN_BIN_DIR not set";
  const std::string shot =
      ::testing::TempDir() + "/korvan_window_" + std::to_string(getpid()) + ".png";
  const std::string config =
      ::testing::TempDir() + "/korvan_window_cfg_" + std::to_string(getpid());
  const std::string command = "KORVAN_CONFIG_DIR=" + config + " QT_QPA_PLATFORM=offscreen " +
                              std::string(bin) +
                              "/korvan-station --demo --page 2 --after 1500 "
                              "--screenshot " +
                              shot + " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  QImage picture(QString::fromStdString(shot));
  EXPECT_FALSE(picture.isNull());
  EXPECT_GE(picture.width(), 1056);
  // The station kept its settings on the way out.
  EXPECT_TRUE(std::filesystem::exists(config + "/Korvan_2007_v68ini"));
  std::filesystem::remove(shot);
  std::filesystem::remove_all(config);
}

}  // namespace
}  // namespace korvan::ui
