// What the station's whole-set operations cost on the CPU: writing and reading a parameter file,
// the default set, one consistency pass, the base times of the word maps, and the 50 default
// files of the service batch. Figures in microseconds; nothing here asserts a time.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "files/parameter_file.h"
#include "image/consistency.h"
#include "image/word_map_state.h"
#include "model/base_tables.h"
#include "model/default_set.h"

namespace korvan {
namespace {

constexpr int kBikeCount = 50;

void BM_FormatParameterFile(benchmark::State& state) {
  const ParameterImage image = DefaultParameterSet(11);
  for (auto _ : state) {
    std::string file = FormatParameterFile(image);
    benchmark::DoNotOptimize(file.data());
  }
}
BENCHMARK(BM_FormatParameterFile)->Unit(benchmark::kMicrosecond);

// Parsing alone: BIKE only sets byte 0.
void BM_ReadParameterFile(benchmark::State& state) {
  const std::string file = FormatParameterFile(DefaultParameterSet(11));
  ParameterImage image;
  for (auto _ : state) {
    const ParameterFileReadResult result = ReadParameterFile(file, image, {});
    benchmark::DoNotOptimize(result.applied.data());
    benchmark::DoNotOptimize(image.bytes().data());
  }
}
BENCHMARK(BM_ReadParameterFile)->Unit(benchmark::kMicrosecond);

// As the station opens a file: BIKE applies the default set of the file's bike first.
void BM_ReadParameterFileWithDefaults(benchmark::State& state) {
  const std::string file = FormatParameterFile(DefaultParameterSet(11));
  BikeModelState bike;
  WordMapState word_maps;
  ParameterFileReadOptions options;
  options.apply_defaults = [&](ParameterImage& im) {
    ApplyDefaultSet(im, false, 0, bike, word_maps);
  };
  ParameterImage image;
  for (auto _ : state) {
    const ParameterFileReadResult result = ReadParameterFile(file, image, options);
    benchmark::DoNotOptimize(result.applied.data());
    benchmark::DoNotOptimize(image.bytes().data());
  }
}
BENCHMARK(BM_ReadParameterFileWithDefaults)->Unit(benchmark::kMicrosecond);

void BM_ApplyDefaultSet(benchmark::State& state) {
  ParameterImage image;
  image.SetByte(0, 11);
  BikeModelState bike;
  WordMapState word_maps;
  for (auto _ : state) {
    ApplyDefaultSet(image, false, 0, bike, word_maps);
    benchmark::DoNotOptimize(image.bytes().data());
  }
}
BENCHMARK(BM_ApplyDefaultSet)->Unit(benchmark::kMicrosecond);

// A pass over a set that needs no repair: every rule is checked, nothing changes.
void BM_ConsistencyPass(benchmark::State& state) {
  ParameterImage image = DefaultParameterSet(11);
  StationSettings settings{0, 0};
  for (auto _ : state) {
    const ConsistencyResult result = ApplyConsistencyRules(image, settings);
    benchmark::DoNotOptimize(result);
    benchmark::DoNotOptimize(image.bytes().data());
  }
}
BENCHMARK(BM_ConsistencyPass)->Unit(benchmark::kMicrosecond);

void BM_ComputeBaseTimes(benchmark::State& state) {
  const ParameterImage image = DefaultParameterSet(11);
  const BaseTableSelection tables = SelectBaseTables(11);
  WordMapState word_maps;
  for (auto _ : state) {
    ComputeBaseTimes(image, tables, word_maps);
    benchmark::DoNotOptimize(word_maps.base_time.data());
  }
}
BENCHMARK(BM_ComputeBaseTimes)->Unit(benchmark::kMicrosecond);

// The 50 default files of the service batch, formatted to memory (the sets are built beforehand).
void BM_FormatAllDefaultFiles(benchmark::State& state) {
  std::array<ParameterImage, kBikeCount> sets;
  for (int code = 0; code < kBikeCount; ++code)
    sets[static_cast<std::size_t>(code)] = DefaultParameterSet(code);
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const ParameterImage& image : sets) bytes += FormatParameterFile(image).size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_FormatAllDefaultFiles)->Unit(benchmark::kMicrosecond);

// The same with building each set: default set, consistency pass, format.
void BM_BuildAndFormatAllDefaultFiles(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (int code = 0; code < kBikeCount; ++code)
      bytes += FormatParameterFile(DefaultParameterSet(code)).size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_BuildAndFormatAllDefaultFiles)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvan
