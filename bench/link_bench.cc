// How close read+verify and program+verify come to the floor of one exchange per 55 ms tick,
// against the emulated unit on a pseudo-terminal at 57600-baud pacing; and what one idle tick
// costs in CPU time.
#include <time.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "cli/command_line.h"
#include "device/device_loop.h"
#include "emulator/unit_emulator.h"
#include "platform/posix_serial_port.h"
#include "platform/pty_unit_server.h"

namespace {

using namespace korvan;

struct QuietHost : DeviceHost {
  void ShowLinkMessage(const PortOpenReport&) override {}
  void ApplyConsistencyAndRefresh() override {}
  void ShowVersionMismatch(std::uint8_t) override {}
};

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

struct RunFigures {
  int ticks = 0;
  double seconds = 0;
  bool ok = false;
};

template <typename Start>
RunFigures TimeRun(DeviceLoop& loop, SteadyTickClock& clock, Start start) {
  // Start right after a monitor request, where the idle counter is 0: the worst case.
  while (loop.session().tick_counter() != 0) {
    clock.WaitForNextTick();
    loop.Tick();
  }
  const auto begin = std::chrono::steady_clock::now();
  start();
  RunFigures f;
  do {
    clock.WaitForNextTick();
    loop.Tick();
    ++f.ticks;
  } while (loop.session().state() != SessionState::kIdle && f.ticks < 2000);
  f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  f.ok = loop.session().display().status_suffix == StatusSuffix::kOk;
  return f;
}

void Print(const char* name, const RunFigures& f, int exchanges) {
  // The first frame waits up to six ticks for the idle counter; after that one exchange a tick.
  const int floor_ticks = 6 + exchanges;
  std::printf("%-16s %s  ticks %3d (floor %d, +%.1f %%)  %.2f s (floor %.2f s)\n", name,
              f.ok ? "OK  " : "FAIL", f.ticks, floor_ticks,
              100.0 * (f.ticks - floor_ticks) / floor_ticks, f.seconds, floor_ticks * 0.055);
}

}  // namespace

int main() {
  UnitEmulator unit;
  PtyUnitServer server(unit);
  std::string error;
  if (!server.Start(&error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::atomic<bool> stop{false};
  std::thread serve([&] { server.Serve(stop); });

  ParameterImage image;
  IdentityBlock identity;
  DirtyBlockSet dirty;
  PosixSerialPort port;
  QuietHost host;
  DeviceLoop loop(image, identity, dirty, port, host);
  loop.link().SetDeviceOverride(server.path());
  loop.link().OpenLink();
  SteadyTickClock clock;

  const RunFigures read = TimeRun(loop, clock, [&] { loop.session().StartRead(); });
  Print("read+verify", read, 20 + 19);
  const RunFigures program = TimeRun(loop, clock, [&] { loop.session().StartProgram(); });
  Print("program+verify", program, 20 + 19);

  // Idle ticks: polls and monitor requests every sixth tick, with the unit answering.
  constexpr int kIdleTicks = 120;
  double cpu = 0;
  for (int i = 0; i < kIdleTicks; ++i) {
    clock.WaitForNextTick();
    const double before = ThreadCpuSeconds();
    loop.Tick();
    cpu += ThreadCpuSeconds() - before;
  }
  std::printf("idle tick        CPU %.1f us on average over %d ticks (target far below 1000 us)\n",
              cpu / kIdleTicks * 1e6, kIdleTicks);

  stop = true;
  serve.join();
  return read.ok && program.ok ? 0 : 1;
}
