// The window's costs, offscreen: a cell edit (Enter) until the grid is painted again, one tick
// with the live panel and the cursor moving on a map page, the CPU the running window takes
// while it polls an emulated unit on a pseudo-terminal, and the window's own tick with fast live
// data: its mean over a minute and how far apart its monitor requests go out.
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <thread>
#include <vector>

#include "base/tick.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "link/link.h"
#include "platform/posix_serial_port.h"
#include "platform/pty_unit_server.h"
#include "ui/main_window.h"
#include "ui/map_surface_view.h"

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

// The real serial port, noting when the station looks at it (once a tick, in PollLink) and when
// it sends a monitor request.
class TimingPort : public PosixSerialPort {
 public:
  using Clock = std::chrono::steady_clock;
  std::size_t BytesWaiting() override {
    if (IsOpen()) polls.push_back(Clock::now());
    return PosixSerialPort::BytesWaiting();
  }
  bool WriteAndDrain(std::span<const std::uint8_t> bytes) override {
    if (!bytes.empty() && bytes[0] == kMonitorRequest) requests.push_back(Clock::now());
    return PosixSerialPort::WriteAndDrain(bytes);
  }
  std::vector<Clock::time_point> polls;
  std::vector<Clock::time_point> requests;
};

struct Spacing {
  double mean_ms = 0;
  double min_ms = 0;
  double max_ms = 0;
  int below = 0;  // gaps shorter than `limit_ms`
};

Spacing SpacingOf(const std::vector<TimingPort::Clock::time_point>& times, double limit_ms) {
  Spacing s;
  if (times.size() < 2) return s;
  s.min_ms = 1e9;
  for (std::size_t k = 1; k < times.size(); ++k) {
    const double gap = std::chrono::duration<double, std::milli>(times[k] - times[k - 1]).count();
    s.min_ms = std::min(s.min_ms, gap);
    s.max_ms = std::max(s.max_ms, gap);
    if (gap < limit_ms) ++s.below;
  }
  s.mean_ms = std::chrono::duration<double, std::milli>(times.back() - times.front()).count() /
              static_cast<double>(times.size() - 1);
  return s;
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

    // The whole coupled Inj-1A map selected, an operation from the menu's entry to the repainted
    // window, and the 3D view following it (drawn only where the display offers OpenGL: run
    // under Xvfb with QT_QPA_PLATFORM=xcb for its figure).
    Station& s = window.station();
    s.Menu_Jet123CoupledClick();
    s.PageControl1Change(kPageInj1A);
    s.MapSelectAll();
    window.binder().Apply();
    constexpr int kOperations = 50;
    timer.restart();
    for (int i = 0; i < kOperations; ++i) {
      s.MapSelectionOperation({MapOperationKind::kAdd, i % 2 == 0 ? 1.0 : -1.0});
      window.binder().Apply();
      window.repaint();
    }
    std::printf("150-cell operation, repainted   %6.2f ms (target under 16 ms)\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6 / kOperations);
    ui::MapSurfaceView& view = window.map_view();
    view.show();
    timer.restart();
    for (int i = 0; i < kOperations; ++i) {
      s.MapSelectionOperation({MapOperationKind::kAdd, i % 2 == 0 ? 1.0 : -1.0});
      window.binder().Apply();  // the view follows the grid here
      QApplication::processEvents();
    }
    std::printf("operation, 3D view drawn        %6.2f ms (target under 16 ms)%s\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6 / kOperations,
                view.has_graph() ? "" : " [no OpenGL: the view's note only]");
    // The view's own part: the surface handed to the graph, without OpenGL's drawing of it.
    timer.restart();
    for (int i = 0; i < kOperations; ++i) {
      s.MapSelectionOperation({MapOperationKind::kAdd, i % 2 == 0 ? 1.0 : -1.0});
      window.binder().Apply();
    }
    std::printf("operation, 3D view updated      %6.2f ms (drawing left to OpenGL)\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6 / kOperations);
    QApplication::processEvents();
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

  {
    // The window's timer with fast live data against the unit on a tty paced as the line: the
    // mean tick over a minute (KORVAN_TICK_BENCH_SECONDS for another span) and the spacing of
    // the monitor requests against one exchange's 52.8 ms.
    UnitEmulator unit;
    PtyUnitServer server(unit);
    std::string error;
    if (!server.Start(&error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    std::atomic<bool> stop{false};
    std::thread serve([&] { server.Serve(stop); });
    TimingPort port;
    std::filesystem::remove_all(dir);
    ui::MainWindow window(port, TempPaths(dir), {}, server.path());
    if (!window.station().datalog().fast_live_data()) window.station().MenuLogFastLiveClick();
    window.show();
    const char* seconds_text = std::getenv("KORVAN_TICK_BENCH_SECONDS");
    const int seconds = seconds_text != nullptr ? std::max(1, std::atoi(seconds_text)) : 60;
    port.polls.reserve(static_cast<std::size_t>(seconds) * 20 + 100);
    port.requests.reserve(static_cast<std::size_t>(seconds) * 20 + 100);
    QTest::qWait(seconds * 1000);
    const double exchange_ms =
        std::chrono::duration<double, std::milli>(Link::kExchangeTime).count();
    const Spacing ticks = SpacingOf(port.polls, kTickMs);
    const Spacing requests = SpacingOf(port.requests, exchange_ms);
    std::printf("window tick over %d s, fast live data: %zu ticks\n", seconds, port.polls.size());
    std::printf(
        "  mean tick                     %6.2f ms (%d ms; a 1x replay at %.1f %% of real "
        "time)\n",
        ticks.mean_ms, kTickMs, ticks.mean_ms > 0 ? 100.0 * kTickMs / ticks.mean_ms : 0.0);
    std::printf("  tick spread                   %6.2f .. %.2f ms\n", ticks.min_ms, ticks.max_ms);
    std::printf(
        "  monitor requests              %zu, mean spacing %.2f ms, shortest %.2f ms, "
        "longest %.2f ms\n",
        port.requests.size(), requests.mean_ms, requests.min_ms, requests.max_ms);
    std::printf("  requests closer than %.1f ms   %d (target 0)\n", exchange_ms, requests.below);
    stop = true;
    serve.join();
  }
  std::filesystem::remove_all(dir);
  return 0;
}
