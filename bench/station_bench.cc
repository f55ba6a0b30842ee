// One edit cycle on a map page and one tick of the station, with the emulated unit answering in
// memory: microseconds each, and heap allocations counted (the target is none).
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "quiet_port.h"
#include "silent_desktop.h"
#include "station/station.h"

namespace {

std::atomic<long> g_allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace korvan;

template <typename Fn>
void Measure(const char* name, int rounds, Fn fn) {
  fn();  // warm up: first-time work is not the steady state
  const long before = g_allocations.load();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) fn();
  const double us =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
  const long allocations = g_allocations.load() - before;
  std::printf("%-34s %8.2f us   %6.2f allocations each\n", name, us / rounds,
              static_cast<double>(allocations) / rounds);
}

}  // namespace

int main() {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvan_station_bench";
  std::filesystem::create_directories(dir);
  StationPaths paths;
  paths.settings_file = (dir / "settings").string();
  paths.image_dump = (dir / "dump").string();
  paths.test_marker = (dir / "marker").string();

  UnitEmulator unit;
  MemoryUnitPort port(unit);
  SilentDesktop desktop;
  Station station(port, desktop, paths);
  station.FormCreate({});
  station.PageControl1Change(kPageInj1A);
  const ControlHandle cell = station.controls().Find("MapCell37").value_or(0);

  int value = 100;
  Measure("edit cycle on Inj-1A (one cell)", 2000, [&] {
    value = value == 100 ? 101 : 100;
    station.controls().SetValue(cell, value);
    station.EditOnClick();
  });
  // One field of each settings page, stepped as the up-down arrows step it.
  struct PageField {
    const char* label;
    int page;
    const char* field;
  };
  const PageField page_fields[] = {
      {"edit cycle on Bike (limiter)", kPageBike, "EditStartLimiter"},
      {"edit cycle on Corrections (coolant)", kPageCorrections, "EditKorVodaJet2"},
      {"edit cycle on Sensors (coolant mV)", kPageSensors, "EditCidloVoda4"},
      {"edit cycle on Race (clutch time)", kPageRace, "EditClutchTime3"},
      {"edit cycle on Idle (desired rpm)", kPageIdle, "EditIdleAdvPoz4"},
      {"edit cycle on Gear (advance correction)", kPageGear, "EditGearKorIgn2"},
      {"edit cycle on N2O (level 1)", kPageN2o, "EditGas1"},
      {"edit cycle on Position (angle A)", kPagePosition, "EditPolohaA5"},
      {"edit cycle on Tuning (lambda)", kPageTuning, "EditLadeniLambda"},
  };
  for (const PageField& f : page_fields) {
    station.PageControl1Change(f.page);
    const ControlHandle field = station.controls().Find(f.field).value_or(0);
    const Control& c = station.controls().Get(field);
    const int low = c.value == c.max ? c.value - c.step : c.value;
    Measure(f.label, 2000, [&] {
      station.controls().SetValue(field,
                                  station.controls().Value(field) == low ? low + c.step : low);
      station.UpDownClick();
    });
  }
  station.PageControl1Change(kPageInj1A);
  Measure("tick, idle, unit answering (+port)", 20000, [&] {
    port.AdvanceTick();
    station.Timer1Timer();
  });
  QuietPort quiet;
  Station alone(quiet, desktop, paths);
  alone.FormCreate({});
  alone.PageControl1Change(kPageInj1A);
  Measure("tick, idle, station alone", 20000, [&] { alone.Timer1Timer(); });

  // The same map edit with the journal of unsaved edits on: one record appended and flushed to
  // the disk of the temporary folder per edit.
  StationPaths journalled_paths = paths;
  journalled_paths.journal = (dir / "edits.journal").string();
  Station journalled(port, desktop, journalled_paths);
  journalled.FormCreate({});
  journalled.PageControl1Change(kPageInj1A);
  Measure("edit cycle on Inj-1A with journal", 500, [&] {
    value = value == 100 ? 101 : 100;
    journalled.controls().SetValue(cell, value);
    journalled.EditOnClick();
  });
  std::filesystem::remove_all(dir);
  return 0;
}
