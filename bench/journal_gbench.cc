// Appending one record to the journal of unsaved edits, flushed to the disk (fdatasync): the
// price every committed edit pays. The folder is the temporary one unless
// KORVAN_JOURNAL_BENCH_DIR names another disk (the settings folder's, say).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/edit_journal.h"

namespace {

using namespace korvan;

std::filesystem::path BenchDir() {
  if (const char* dir = std::getenv("KORVAN_JOURNAL_BENCH_DIR")) return dir;
  return std::filesystem::temp_directory_path();
}

JournalState TypicalState() {
  JournalState s;
  s.page = 3;
  s.dirty[5] = true;
  s.file_label = "/home/tuner/bikes/track day.ign";
  for (std::size_t i = 0; i < s.image.size(); ++i) s.image[i] = static_cast<std::uint8_t>(i);
  return s;
}

void BM_JournalAppendFlushed(benchmark::State& state) {
  const std::filesystem::path path =
      BenchDir() / ("korvan_journal_bench_" + std::to_string(getpid()));
  EditJournal journal(path.string());
  JournalState s = TypicalState();
  for (auto _ : state) {
    ++s.time;
    if (!journal.Append(s)) state.SkipWithError("journal not writable");
  }
  journal.Clear();
}
BENCHMARK(BM_JournalAppendFlushed)->Unit(benchmark::kMicrosecond);

void BM_JournalEncodeRecord(benchmark::State& state) {
  const JournalState s = TypicalState();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeJournalRecord(s));
}
BENCHMARK(BM_JournalEncodeRecord)->Unit(benchmark::kMicrosecond);

// The start after a crash: a journal of 200 edits read and checked.
void BM_JournalReadBack(benchmark::State& state) {
  std::string bytes;
  JournalState s = TypicalState();
  for (int i = 0; i < 200; ++i, ++s.time) bytes += EncodeJournalRecord(s);
  for (auto _ : state) benchmark::DoNotOptimize(DecodeJournal(bytes));
}
BENCHMARK(BM_JournalReadBack)->Unit(benchmark::kMicrosecond);

}  // namespace
