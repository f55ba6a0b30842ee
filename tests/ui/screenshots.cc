// Takes the pictures in docs/screenshots: the real window, offscreen, against the emulated unit
// in memory, with the engine running. Usage: korvan_screenshots OUTPUT_DIR [LANGUAGE
// [--differences]] LANGUAGE (ENGLISH, DEUTSCH, FRENCH, CESKY) is the station's command-line word;
// with it, the first picture, "as-placed.png", shows the window as it opens on the (offscreen)
// screen.
// --differences adds "differences.png", the difference view after Show differences on a unit
// whose set differs in a few cells (a picture the manuals show).
// --small WIDTH HEIGHT NAME takes only "NAME.png": the window at WIDTH x HEIGHT (in its own
// pixels; run with QT_SCALE_FACTOR for a scaled screen) with the page scrolled down, a read (F7)
// running; --small-message the same with the start-up warning of settings that cannot be read.
// --grades takes only "grades-advance.png" and "grades-inj-1a-time-view.png": the map cells'
// colour grades on, the engine running.
// Last, "plot.png": the plot window over two minutes of the emulated engine, six channels.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QtDataVisualization/Q3DSurface>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string_view>

#include "datalog/frame_recorder.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "image/map_storage.h"
#include "link/link_frame.h"
#include "ui/datalog_bar.h"
#include "ui/datalog_plot.h"
#include "ui/main_window.h"
#include "ui/map_surface_view.h"

using namespace korvan;

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString(argv[1]) : QString("docs/screenshots");
  QDir().mkpath(out);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvan_screenshots";
  std::filesystem::create_directories(dir);
  StationPaths paths;
  paths.settings_file = (dir / "settings").string();
  paths.image_dump = (dir / "dump").string();
  paths.test_marker = (dir / "marker").string();

  const std::string_view mode = argc > 3 ? std::string_view(argv[3]) : std::string_view();
  const bool small = mode == "--small" || mode == "--small-message";
  // A folder where the settings file should be: there, but not readable.
  if (mode == "--small-message") std::filesystem::create_directories(paths.settings_file);
  UnitEmulator unit;
  MemoryUnitPort port(unit);
  std::vector<std::string> args;
  if (argc > 2) args.emplace_back(argv[2]);
  ui::MainWindow window(port, paths, args, "");
  window.StopTimer();
  window.show();
  if (!args.empty()) {
    window.grab().save(out + "/as-placed.png");
    std::printf("%s/as-placed.png\n", out.toUtf8().constData());
  }
  window.resize(window.DesignedSize());
  QApplication::processEvents();  // the new size reaches the layout
  Station& s = window.station();
  const auto tick = [&](int n) {
    for (int i = 0; i < n; ++i) {
      port.AdvanceTick();
      window.Tick();
    }
  };
  if (small && argc > 6) {
    window.resize(std::atoi(argv[4]), std::atoi(argv[5]));
    QApplication::processEvents();
    tick(100);
    s.PageControl1Change(kPageInj1A);
    window.binder().Apply();
    if (mode == "--small") {
      QTest::keyClick(&window, Qt::Key_F7);
      tick(6);
    }
    auto* tabs = window.findChild<QTabWidget*>("PageControl1");
    if (auto* scroll = qobject_cast<QScrollArea*>(tabs->currentWidget())) {
      scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    }
    QApplication::processEvents();
    const QString file = out + "/" + argv[6] + ".png";
    window.grab().save(file, "PNG", 0);  // the most compressed: these go into the README
    std::printf("%s\n", file.toUtf8().constData());
    std::filesystem::remove_all(dir);
    return 0;
  }
  if (mode == "--map3d") {
    // The map in 3D beside the advance map, the engine running. Under a display with OpenGL
    // (Xvfb with Mesa) the graph draws itself into the picture; without one the view's note.
    tick(200);
    s.PageControl1Change(kPageAdvance);
    window.binder().Apply();
    window.findChild<QAction*>("MenuMap3D")->trigger();

    tick(40);
    QApplication::processEvents();
    ui::MapSurfaceView& view = window.map_view();
    const QString file = out + "/map3d.png";
    if (view.has_graph()) {
      view.graph()->renderToImage(4, QSize(720, 520)).save(file);
    } else {
      view.grab().save(file);
    }
    std::printf("%s\n", file.toUtf8().constData());
    std::filesystem::remove_all(dir);
    return 0;
  }
  const auto click = [&](const char* name) {
    auto* box = window.findChild<QCheckBox*>(name);
    // On the box itself: a check box wider than its caption does not react to its empty end.
    if (box != nullptr) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
  };
  const auto shoot = [&](int page, const char* file, const std::function<void()>& setup) {
    s.PageControl1Change(page);
    window.binder().Apply();
    if (setup) setup();
    tick(40);
    QApplication::processEvents();  // a page's scroll area takes the size the page now has
    window.grab().save(out + "/" + file);
    std::printf("%s/%s\n", out.toUtf8().constData(), file);
  };

  if (mode == "--grades") {
    tick(200);
    window.findChild<QAction*>("MenuCellGrades")->trigger();
    // A selection beside the grades and the live cell: the three must read apart.
    shoot(kPageAdvance, "grades-advance.png", [&] {
      s.MapCellClick({2, 3});
      s.MapCellShiftClick({5, 7});
      window.binder().Apply();
    });
    shoot(kPageInj1A, "grades-inj-1a-time-view.png", [&] { click("CheckBoxZobrMs_Uni"); });
    std::filesystem::remove_all(dir);
    return 0;
  }
  tick(200);  // the engine runs up a little
  shoot(kPageBike, "bike.png", nullptr);
  shoot(kPageCorrections, "corrections.png", nullptr);
  shoot(kPageSensors, "sensors.png", nullptr);
  shoot(kPageRace, "race.png", nullptr);
  const auto idle_mode = [&](int mode) {
    ControlSet& c = s.controls();
    c.SetValue(c.Handle("RadioGroupIdleMode"), mode);
    s.RadioGroupIdleModeClick();
    window.binder().Apply();
  };
  shoot(kPageIdle, "idle-step-motor.png", [&] {
    idle_mode(2);
    if (!window.findChild<QCheckBox*>("CheckBoxIdleAdvOn")->isChecked()) click("CheckBoxIdleAdvOn");
  });
  shoot(kPagePosition, "position.png", nullptr);
  shoot(kPageTuning, "tuning.png", [&] {
    s.MenuLadeniClick();
    window.binder().Apply();
  });
  s.MenuLadeniClick();  // hidden again for the pictures that follow
  shoot(kPageN2o, "n2o.png", [&] {
    if (!window.findChild<QCheckBox*>("CheckBoxGas")->isChecked()) click("CheckBoxGas");
  });
  const auto gear_mode = [&](int mode) {
    ControlSet& c = s.controls();
    c.SetValue(c.Handle("RadioGroupGearSystem"), mode);
    s.RadioGroupGearSystemClick();
    window.binder().Apply();
  };
  shoot(kPageGear, "gear-voltage.png", [&] { gear_mode(0); });
  shoot(kPageGear, "gear-automatic.png", [&] { gear_mode(2); });
  shoot(kPageIdle, "idle-intake-servo.png", [&] {
    idle_mode(1);
    click("CheckBoxIdleAdvOn");
  });
  shoot(kPageAdvance, "advance-full.png", nullptr);
  shoot(kPageAdvance, "advance-speed-row.png", [&] { click("CheckBoxTps_Uni"); });
  shoot(kPageInj1A, "inj-1a.png", nullptr);
  shoot(kPageInj1A, "inj-1a-time-view.png", [&] { click("CheckBoxZobrMs_Uni"); });
  shoot(kPageInj2A, "inj-2a-coupled.png", [&] { click("CheckBoxZobrMs_Uni"); });
  shoot(kPageInjIap, "inj-iap.png", nullptr);
  for (int mode = 0; mode < 3; ++mode) {
    const std::string file = "intake-servo-mode-" + std::to_string(mode) + ".png";
    shoot(kPageIntakeServo, file.c_str(), [&] {
      if (!window.findChild<QCheckBox*>("CheckBoxServoEnable")->isChecked()) {
        click("CheckBoxServoEnable");
      }
      ControlSet& c = s.controls();
      c.SetValue(c.Handle("RadioGroupServoMode"), mode);
      s.RadioGroupServoModeClick();
      window.binder().Apply();
    });
  }
  shoot(kPageMonitor, "monitor.png", nullptr);
  if (argc > 3 && std::string_view(argv[3]) == "--differences") {
    // The unit holds the working set with two Advance cells and an Inj-1A cell changed.
    ParameterImage unit_set = s.image();
    for (int cell : {3, 140}) {
      SetStoredCell(unit_set, MapId::kAdvance, cell,
                    StoredCell(unit_set, MapId::kAdvance, cell) + 2);
    }
    SetStoredCell(unit_set, MapId::kInj1A, 20, StoredCell(unit_set, MapId::kInj1A, 20) + 120);
    unit.LoadImage(unit_set);
    window.findChild<QAction*>("MenuShowDifferences")->trigger();
    tick(1);
    for (int i = 0; i < 2000 && s.session().state() != SessionState::kIdle; ++i) tick(1);
    ui::DiffDialog& view = window.differences();
    view.Refresh();
    view.resize(900, 300);
    QApplication::processEvents();
    view.grab().save(out + "/differences.png");
    std::printf("%s/differences.png\n", out.toUtf8().constData());
  }
  {
    const std::string ride = (dir / "ride.kvlog").string();
    std::filesystem::remove(ride);
    UnitEmulator engine;
    FrameRecorder recorder;
    std::int64_t now = 0;
    recorder.set_clock([&now] { return now; });
    if (recorder.Start(ride, {})) {
      for (int i = 0; i < 1200; ++i, now += 100) {
        engine.Advance(100);
        const UnitReply reply = engine.Answer(MakeMonitorRequest());
        LinkFrame frame{};
        std::copy_n(reply.bytes.begin(), std::min<std::size_t>(reply.size, kFrameSize),
                    frame.begin());
        recorder.Record(frame);
      }
    }
    recorder.Stop();
    s.datalog().SetPlotChannels(
        {"rpm", "tps_pct", "lambda_mv", "coolant_c", "battery_v", "duty_pct"});
    if (s.datalog().OpenReplay(ride)) {
      tick(1);
      window.findChild<QAction*>("MenuLogPlot")->trigger();
      if (ui::DatalogPlot* plot = window.datalog().plot()) {
        plot->resize(1000, 560);
        QApplication::processEvents();
        plot->grab().save(out + "/plot.png");
        std::printf("%s/plot.png\n", out.toUtf8().constData());
      }
    }
  }
  std::filesystem::remove_all(dir);
  return 0;
}
