// The datalog in the window: the record button, the replay controls and the plot.
#include <QAction>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "datalog/frame_recorder.h"
#include "monitor/monitor_frame_builder.h"
#include "ui/datalog_plot.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

class DatalogWindowTest : public WindowFixture {
 protected:
  // Records `ticks` ticks of the emulated unit through the tool bar's button.
  std::string Record(int ticks) {
    QTest::mouseClick(Widget<QToolButton>("SpeedButtonLog"), Qt::LeftButton);
    EXPECT_TRUE(station().datalog().recording());
    Tick(ticks);
    const std::string path = station().datalog().recorder().path();
    QTest::mouseClick(Widget<QToolButton>("SpeedButtonLog"), Qt::LeftButton);
    EXPECT_FALSE(station().datalog().recording());
    return path;
  }
};

TEST_F(DatalogWindowTest, TheRecordButtonAndTheMenuFollowTheRecording) {
  auto* button = Widget<QToolButton>("SpeedButtonLog");
  ASSERT_NE(button, nullptr);
  QAction* item = Widget<QAction>("MenuLogRecord");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(button->text(), "Start recording");
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(button->text(), "Stop recording");
  EXPECT_EQ(item->text(), "Stop recording");
  // The dot is red while recording.
  const QImage dot = button->icon().pixmap(16, 16).toImage();
  EXPECT_GT(dot.pixelColor(8, 8).red(), 200);
  EXPECT_LT(dot.pixelColor(8, 8).green(), 50);
  item->trigger();
  window_->Tick();  // the bar follows the station at the next tick
  EXPECT_FALSE(station().datalog().recording());
  EXPECT_EQ(button->text(), "Start recording");
  EXPECT_TRUE(Widget<QAction>("MenuLogFolder")->text().contains("logs"));
}

TEST_F(DatalogWindowTest, TheReplayControlsDriveTheReplayAndThePlotFollowsIt) {
  // Forty frames a third of a second apart, the engine speeding up.
  const std::string path = (dir_ / "ride.kvlog").string();
  {
    FrameRecorder recorder;
    std::int64_t now = 0;
    recorder.set_clock([&now] { return now; });
    ASSERT_TRUE(recorder.Start(path, {}));
    for (unsigned i = 0; i < 40; ++i, now += 333) {
      recorder.Record(MonitorFrameBuilder().Word(48, 1000 + 100 * i).Frame());
    }
  }
  EXPECT_FALSE(Widget<QWidget>("DatalogReplay")->isVisible());
  ASSERT_TRUE(station().datalog().OpenReplay(path));
  window_->Tick();
  QApplication::processEvents();
  ASSERT_TRUE(Widget<QWidget>("DatalogReplay")->isVisible());
  auto* slider = Widget<QSlider>("ReplaySlider");
  const auto frames = static_cast<int>(station().datalog().replay()->frame_count());
  EXPECT_EQ(slider->maximum(), frames - 1);

  QTest::mouseClick(Widget<QToolButton>("ReplayPlay"), Qt::LeftButton);  // pause
  EXPECT_FALSE(station().datalog().replay()->playing());
  slider->setValue(10);
  EXPECT_EQ(station().datalog().replay()->position(), 10);
  QTest::mouseClick(Widget<QToolButton>("ReplayStep"), Qt::LeftButton);
  EXPECT_EQ(station().datalog().replay()->position(), 11);
  EXPECT_EQ(slider->value(), 11);
  QTest::mouseClick(Widget<QToolButton>("ReplaySpeed16"), Qt::LeftButton);
  EXPECT_EQ(station().datalog().replay()->speed(), 16);

  Widget<QAction>("MenuLogPlot")->trigger();
  DatalogPlot* plot = window_->datalog().plot();
  ASSERT_NE(plot, nullptr);
  QApplication::processEvents();
  EXPECT_EQ(plot->series_count(), station().datalog().plot_channels().size());
  // A click in the middle of the plot moves the replay to the middle of the recording.
  const QRectF area = plot->chart()->plotArea();
  QTest::mouseClick(plot->view()->viewport(), Qt::LeftButton, {}, area.center().toPoint());
  const auto middle = static_cast<double>(station().datalog().replay()->position()) / (frames - 1);
  EXPECT_NEAR(middle, 0.5, 0.1);
  EXPECT_EQ(Widget<QSlider>("ReplaySlider")->value(), station().datalog().replay()->position());

  // Checking a channel shows it and keeps the choice.
  QListWidget* list = plot->channel_list();
  const auto coolant = list->findItems("coolant_c", Qt::MatchExactly);
  ASSERT_EQ(coolant.size(), 1);
  coolant[0]->setCheckState(Qt::Checked);
  EXPECT_EQ(station().datalog().plot_channels().back(), "coolant_c");
  EXPECT_EQ(plot->series_count(), station().datalog().plot_channels().size());

  Widget<QAction>("MenuLogStopReplay")->trigger();
  window_->Tick();
  QApplication::processEvents();
  EXPECT_FALSE(Widget<QWidget>("DatalogReplay")->isVisible());
}

TEST_F(DatalogWindowTest, ExitClosesTheOpenPlotSoTheProgramEnds) {
  const std::string path = (dir_ / "short.kvlog").string();
  {
    FrameRecorder recorder;
    std::int64_t now = 0;
    recorder.set_clock([&now] { return now; });
    ASSERT_TRUE(recorder.Start(path, {}));
    for (unsigned i = 0; i < 5; ++i, now += 333) recorder.Record(MonitorFrameBuilder().Frame());
  }
  ASSERT_TRUE(station().datalog().OpenReplay(path));
  window_->Tick();
  Widget<QAction>("MenuLogPlot")->trigger();
  DatalogPlot* plot = window_->datalog().plot();
  ASSERT_NE(plot, nullptr);
  QApplication::processEvents();
  ASSERT_TRUE(plot->isVisible());

  Widget<QAction>("MenuExit")->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_FALSE(plot->isVisible());
  // The application quits when its last window closes: none may be left on screen.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
  }
}

}  // namespace
}  // namespace korvan::ui
