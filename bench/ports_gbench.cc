#include <benchmark/benchmark.h>

#include "link/port_discovery.h"
#include "link/port_map.h"

namespace korvan {
namespace {

// One scan of all 20 ports and the by-id folder on this machine, as a tick-time re-scan would do.
void BM_PortScan(benchmark::State& state) {
  const PortDiscovery discovery;
  const PortMap map;
  for (auto _ : state) {
    benchmark::DoNotOptimize(discovery.Scan(map));
    benchmark::DoNotOptimize(discovery.StableNames());
  }
}
BENCHMARK(BM_PortScan);

}  // namespace
}  // namespace korvan
