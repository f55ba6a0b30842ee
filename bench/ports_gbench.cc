#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "fake_device_tree.h"
#include "link/port_discovery.h"
#include "link/port_map.h"

namespace korvan {
namespace {

// One scan of all 20 ports and the by-id folder on this machine, as the station's once-a-second
// look does.
void BM_PortScan(benchmark::State& state) {
  const PortDiscovery discovery;
  const PortMap map;
  for (auto _ : state) {
    benchmark::DoNotOptimize(discovery.Scan(map));
    benchmark::DoNotOptimize(discovery.StableNames());
  }
}
BENCHMARK(BM_PortScan);

// The same with four USB adapters plugged in (a fake machine in a temporary folder), so that the
// sysfs reads for vendor, product and serial are counted too.
void BM_PortScanFourAdapters(benchmark::State& state) {
  FakeDeviceTree tree(std::filesystem::temp_directory_path() /
                      ("korvan-ports-bench-" + std::to_string(getpid())));
  for (int i = 0; i < 4; ++i) {
    tree.PlugUsb("ttyUSB" + std::to_string(i), "1-" + std::to_string(i + 1), "FT232R USB UART",
                 "A" + std::to_string(i));
  }
  tree.AddOnBoard("ttyS0");
  const PortDiscovery discovery(tree.root().string());
  const PortMap map;
  for (auto _ : state) {
    benchmark::DoNotOptimize(discovery.Scan(map));
    benchmark::DoNotOptimize(discovery.StableNames());
  }
}
BENCHMARK(BM_PortScanFourAdapters);

}  // namespace
}  // namespace korvan
