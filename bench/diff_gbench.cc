// The difference view's comparison of two whole sets: the field-wise diff alone, with the
// summaries, and with the text the command line prints; the worst case has every byte differ.
// Figures in microseconds; the target is well under 5 ms for two whole sets.
#include <benchmark/benchmark.h>

#include "diff/diff_report.h"
#include "diff/field_captions.h"
#include "diff/image_diff.h"
#include "model/default_set.h"

namespace korvan {
namespace {

void BM_DiffTwoBikes(benchmark::State& state) {
  const ParameterImage a = DefaultParameterSet(3);
  const ParameterImage b = DefaultParameterSet(17);
  for (auto _ : state) {
    std::vector<DiffEntry> entries = DiffImages(a, b);
    benchmark::DoNotOptimize(entries.data());
  }
}
BENCHMARK(BM_DiffTwoBikes)->Unit(benchmark::kMicrosecond);

void BM_DiffEveryByte(benchmark::State& state) {
  const ParameterImage a = DefaultParameterSet(3);
  ParameterImage b = a;
  for (int k = 0; k < kImageSize; ++k) b.SetByte(k, a.Byte(k) ^ 0x01u);
  for (auto _ : state) {
    std::vector<DiffEntry> entries = DiffImages(a, b);
    std::vector<DiffPageSummary> pages = SummarizeDiff(entries);
    benchmark::DoNotOptimize(entries.data());
    benchmark::DoNotOptimize(pages.data());
  }
}
BENCHMARK(BM_DiffEveryByte)->Unit(benchmark::kMicrosecond);

void BM_DiffReportTwoBikes(benchmark::State& state) {
  const ParameterImage a = DefaultParameterSet(3);
  const ParameterImage b = DefaultParameterSet(17);
  const FieldCaptions captions(Language::kGerman);
  const FieldLabelLookup label = [&captions](const Field& field, int element) {
    return captions(field, element);
  };
  for (auto _ : state) {
    const std::vector<DiffEntry> entries = DiffImages(a, b);
    std::string report = FormatDiffReport(entries, Language::kGerman, label);
    benchmark::DoNotOptimize(report.data());
  }
}
BENCHMARK(BM_DiffReportTwoBikes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvan
