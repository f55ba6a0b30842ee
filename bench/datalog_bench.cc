// What the datalog costs: recording one frame on the tick thread, opening an hour's recording
// (65 000 frames) and drawing its plot, one replay step through the decoder, live panel and
// cursor, one plot redraw of 65 000 points, and the live frame rate that fast live data reaches
// against the emulated unit at the pace of a 57600-baud line. Figures only; nothing asserts a
// time. Runs offscreen.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "base/tick.h"
#include "cli/command_line.h"
#include "datalog/frame_recorder.h"
#include "datalog/plot_channels.h"
#include "datalog/recording.h"
#include "device/device_loop.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "image/page_index.h"
#include "platform/posix_serial_port.h"
#include "platform/pty_unit_server.h"
#include "silent_desktop.h"
#include "station/station.h"
#include "ui/datalog_plot.h"

namespace korvan {
namespace {

constexpr std::size_t kHourFrames = 65000;

struct QuietHost : DeviceHost {
  void ShowLinkMessage(const PortOpenReport&) override {}
  void ApplyConsistencyAndRefresh() override {}
  void ShowVersionMismatch(std::uint8_t) override {}
};

std::filesystem::path Folder() {
  static const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("korvan_datalog_bench_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

// An hour of the emulated engine at the fastest pace, recorded once.
const std::string& HourRecording() {
  static const std::string path = [] {
    const std::string p = (Folder() / "hour.kvlog").string();
    UnitEmulator unit;
    MemoryUnitPort port(unit);
    ParameterImage image;
    IdentityBlock identity;
    DirtyBlockSet dirty;
    QuietHost host;
    DeviceLoop loop(image, identity, dirty, port, host);
    loop.session().set_monitor_ticks(1);
    FrameRecorder recorder;
    std::int64_t now = 0;
    recorder.set_clock([&now] { return now; });
    recorder.Start(p, {4, 110, 0});
    loop.set_recorder(&recorder);
    loop.link().OpenLink();
    while (recorder.frames() < kHourFrames) {
      port.AdvanceTick();
      loop.Tick();
      now += kTickMs;
    }
    return p;
  }();
  return path;
}

void BM_RecordOneFrame(benchmark::State& state) {
  FrameRecorder recorder;
  const std::string path = (Folder() / "record.kvlog").string();
  std::filesystem::remove(path);
  recorder.Start(path, {});
  const LinkFrame frame = [] {
    LinkFrame f{};
    f[0] = kMonitorReply;
    SealFrame(f);
    return f;
  }();
  for (auto _ : state) recorder.Record(frame);
  recorder.Stop();
  std::filesystem::remove(path);
}
BENCHMARK(BM_RecordOneFrame)->Unit(benchmark::kMicrosecond);

void BM_OpenHourRecording(benchmark::State& state) {
  const std::string& path = HourRecording();
  for (auto _ : state) {
    const RecordingReadResult read = ReadRecording(path);
    benchmark::DoNotOptimize(read.recording.frames.data());
  }
}
BENCHMARK(BM_OpenHourRecording)->Unit(benchmark::kMillisecond);

// A station replaying the hour on a map page; what the plot tests share.
struct Replaying {
  UnitEmulator unit;
  MemoryUnitPort port{unit};
  SilentDesktop desktop{Desktop::Answer::kNo};
  std::unique_ptr<Station> station;
  Replaying() {
    StationPaths paths;
    paths.settings_file = (Folder() / "settings").string();
    paths.image_dump = (Folder() / "dump").string();
    paths.test_marker = (Folder() / "marker").string();
    station = std::make_unique<Station>(port, desktop, paths);
    station->FormCreate({});
    station->PageControl1Change(kPageInj1A);
    station->datalog().OpenReplay(HourRecording());
    station->datalog().ReplayPlayPauseClick();
  }
};

void BM_ReplayStep(benchmark::State& state) {
  Replaying r;
  for (auto _ : state) {
    r.station->datalog().ReplayStepClick();
    if (r.station->datalog().replay()->position() + 1 >= static_cast<std::ptrdiff_t>(kHourFrames)) {
      r.station->datalog().ReplaySeek(0);
    }
  }
}
BENCHMARK(BM_ReplayStep)->Unit(benchmark::kMicrosecond);

// Opening the plot of the hour: decoding every frame into three channels, building the chart,
// and painting it once.
void BM_OpenHourPlot(benchmark::State& state) {
  Replaying r;
  for (auto _ : state) {
    ui::DatalogPlot plot(*r.station, {});
    plot.resize(1000, 560);
    plot.Reload();
    plot.grab();
  }
}
BENCHMARK(BM_OpenHourPlot)->Unit(benchmark::kMillisecond);

void BM_PlotRedrawHour(benchmark::State& state) {
  Replaying r;
  ui::DatalogPlot plot(*r.station, {});
  plot.resize(1000, 560);
  plot.Reload();
  plot.grab();
  bool zoomed = false;
  for (auto _ : state) {
    // A pan across the whole hour: every point is looked at again, then painted.
    zoomed = !zoomed;
    plot.ShowRange(zoomed ? 1.0 : 0.0, 3575.0);
    plot.view()->grab();
  }
}
BENCHMARK(BM_PlotRedrawHour)->Unit(benchmark::kMillisecond);

// Fast live data against the emulated unit on a pseudo-terminal paced as a 57600-baud line,
// with the real 55 ms tick: frames a second and ms a frame against one exchange's 52.8 ms.
void BM_FastLiveFrameRate(benchmark::State& state) {
  UnitEmulator unit;
  PtyUnitServer server(unit);
  std::string error;
  if (!server.Start(&error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::atomic<bool> stop{false};
  std::thread serve([&] { server.Serve(stop); });
  ParameterImage image;
  IdentityBlock identity;
  DirtyBlockSet dirty;
  PosixSerialPort port;
  struct Counting : QuietHost {
    int frames = 0;
    void MonitorFrameDecoded() override { ++frames; }
  } host;
  DeviceLoop loop(image, identity, dirty, port, host);
  loop.session().set_monitor_ticks(state.range(0));
  loop.link().SetDeviceOverride(server.path());
  loop.link().OpenLink();
  SteadyTickClock clock;
  constexpr int kTicks = 364;  // about 20 s
  double seconds = 0;
  for (auto _ : state) {
    host.frames = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < kTicks; ++i) {
      clock.WaitForNextTick();
      loop.Tick();
    }
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  }
  state.counters["frames_per_s"] = host.frames / seconds;
  state.counters["ms_per_frame"] = host.frames > 0 ? 1000.0 * seconds / host.frames : 0;
  state.counters["limit_ms"] = 2.0 * kFrameSize * 10 / 57600.0 * 1000.0;
  stop = true;
  serve.join();
}
BENCHMARK(BM_FastLiveFrameRate)->Arg(1)->Arg(6)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace korvan

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(korvan::Folder());
  return 0;
}
