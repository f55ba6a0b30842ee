// The datalog in the window: the record button, the replay controls and the plot.
#include <QAction>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "datalog/frame_recorder.h"
#include "emulator/unit_emulator.h"
#include "link/link_frame.h"
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
  const auto coolant = list->findItems("Coolant [°C]", Qt::MatchExactly);
  ASSERT_EQ(coolant.size(), 1);
  coolant[0]->setCheckState(Qt::Checked);
  EXPECT_EQ(station().datalog().plot_channels().back(), "coolant_c");
  EXPECT_EQ(plot->series_count(), station().datalog().plot_channels().size());

  Widget<QAction>("MenuLogStopReplay")->trigger();
  window_->Tick();
  QApplication::processEvents();
  EXPECT_FALSE(Widget<QWidget>("DatalogReplay")->isVisible());
}

// Every text the chart draws: its axes' tick labels and titles.
QStringList ChartTexts(const QChart* chart) {
  QStringList texts;
  for (QGraphicsItem* item : chart->scene()->items()) {
    if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible()) {
      texts << text->toPlainText();
    }
  }
  return texts;
}

TEST_F(DatalogWindowTest, ThePlotOfSixChannelsShowsEveryLabelWholeAndItsFileInTheTitle) {
  // Two minutes of the emulated engine sweeping, a frame every 100 ms.
  const std::string path = (dir_ / "ride.kvlog").string();
  {
    UnitEmulator unit;
    FrameRecorder recorder;
    std::int64_t now = 0;
    recorder.set_clock([&now] { return now; });
    ASSERT_TRUE(recorder.Start(path, {}));
    for (int i = 0; i < 1200; ++i, now += 100) {
      unit.Advance(100);
      const UnitReply reply = unit.Answer(MakeMonitorRequest());
      ASSERT_GE(reply.size, static_cast<std::size_t>(kFrameSize));
      LinkFrame frame;
      std::copy_n(reply.bytes.begin(), kFrameSize, frame.begin());
      recorder.Record(frame);
    }
  }
  station().datalog().SetPlotChannels(
      {"rpm", "tps_pct", "lambda_mv", "coolant_c", "battery_v", "duty_pct"});
  ASSERT_TRUE(station().datalog().OpenReplay(path));
  window_->Tick();
  QTest::mouseClick(Widget<QToolButton>("ReplayPlay"), Qt::LeftButton);  // pause
  Widget<QAction>("MenuLogPlot")->trigger();
  DatalogPlot* plot = window_->datalog().plot();
  ASSERT_NE(plot, nullptr);
  QApplication::processEvents();
  EXPECT_EQ(plot->windowTitle(), QString::fromUtf8("Plot — ride.kvlog"));
  EXPECT_EQ(plot->series_count(), 6u);

  const QStringList texts = ChartTexts(plot->chart());
  EXPECT_TRUE(texts.contains("Time [s]")) << texts.join('|').toStdString();
  EXPECT_TRUE(texts.contains("Engine speed [rpm]")) << texts.join('|').toStdString();
  EXPECT_TRUE(texts.contains("Battery [V]")) << texts.join('|').toStdString();
  EXPECT_TRUE(texts.contains("[%]")) << texts.join('|').toStdString();  // throttle and duty
  for (const QString& text : texts) {
    EXPECT_FALSE(text.contains("...") || text.contains(QChar(0x2026))) << text.toStdString();
  }

  // A double click shows the whole recording and leaves the replay where it was, though its
  // first click lands elsewhere.
  const std::ptrdiff_t position = station().datalog().replay()->position();
  plot->ShowRange(10, 20);
  const QRectF area = plot->chart()->plotArea();
  const QPoint at(static_cast<int>(area.left() + area.width() * 0.8),
                  static_cast<int>(area.center().y()));
  QTest::mouseClick(plot->view()->viewport(), Qt::LeftButton, {}, at);
  EXPECT_NE(station().datalog().replay()->position(), position);  // the click alone moves it
  QTest::mouseDClick(plot->view()->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(plot->view()->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(station().datalog().replay()->position(), position);
  EXPECT_EQ(Widget<QSlider>("ReplaySlider")->value(), position);
  const auto* time_axis = qobject_cast<QValueAxis*>(plot->chart()->axes(Qt::Horizontal).value(0));
  ASSERT_NE(time_axis, nullptr);
  EXPECT_EQ(time_axis->min(), 0);
  EXPECT_NEAR(time_axis->max(), station().datalog().replay()->duration_ms() / 1000.0, 0.01);
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
