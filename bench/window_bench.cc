// The window's costs, offscreen: a cell edit (Enter) until the grid is painted again, one tick
// with the live panel and the cursor moving on a map page, and the CPU the running window takes
// while it polls an emulated unit on a pseudo-terminal.
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSpinBox>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "platform/posix_serial_port.h"
#include "platform/pty_unit_server.h"
#include "ui/main_window.h"

using namespace korvan;

namespace {

StationPaths TempPaths(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  StationPaths paths;
  paths.settings_file = (dir / "settings").string();
  paths.image_dump = (dir / "dump").string();
  paths.test_marker = (dir / "marker").string();
  return paths;
}

double CpuSeconds(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvan_window_bench";

  {
    UnitEmulator unit;
    MemoryUnitPort port(unit);
    ui::MainWindow window(port, TempPaths(dir), {}, "");
    window.StopTimer();
    window.show();
    window.station().PageControl1Change(kPageInj1A);
    window.binder().Apply();
    QApplication::setActiveWindow(&window);
    auto* cell = window.findChild<QSpinBox*>("MapCell37");

    constexpr int kEdits = 100;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kEdits; ++i) {
      cell->setFocus();
      cell->selectAll();
      QTest::keyClicks(cell, QString::number(100 + (i % 2)));
      QTest::keyClick(cell, Qt::Key_Return);
      window.repaint();
    }
    std::printf("cell edit to repainted window   %6.2f ms (target under 16 ms)\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6 / kEdits);

    constexpr int kTicks = 300;
    timer.restart();
    for (int i = 0; i < kTicks; ++i) {
      port.AdvanceTick();
      window.Tick();
      window.repaint();
    }
    std::printf("tick with panel and cursor      %6.2f ms (target under 5 ms)\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6 / kTicks);
  }

  {
    // The real thing: the window's own 55 ms timer, the station polling the unit on a tty.
    UnitEmulator unit;
    PtyUnitServer server(unit);
    std::string error;
    if (!server.Start(&error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    std::atomic<bool> stop{false};
    std::thread serve([&] { server.Serve(stop); });
    PosixSerialPort port;
    ui::MainWindow window(port, TempPaths(dir), {}, server.path());
    window.show();
    window.station().PageControl1Change(kPageInj1A);
    constexpr int kSeconds = 10;
    const double process_before = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const double station_before = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    QTest::qWait(kSeconds * 1000);
    const double station = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - station_before;
    const double process = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process_before;
    std::printf("window idling, polling the unit %6.2f %% of one core (target under 2 %%)\n",
                100.0 * station / kSeconds);
    std::printf("  with the emulator's thread    %6.2f %%\n", 100.0 * process / kSeconds);
    stop = true;
    serve.join();
  }
  std::filesystem::remove_all(dir);
  return 0;
}
