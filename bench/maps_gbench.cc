// Operations on a whole map (150 selected cells) of Inj-1A with Inj-2A..4A coupled to it: in the
// map editor alone, and as the station runs them (the operation, the consistency rules, the two
// refreshes of the page and the change recorder), then copy and paste of the whole map as
// spreadsheet text. The time the user waits for is the station's: it should stay under 2 ms.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/control_set.h"
#include "image/consistency.h"
#include "maps/map_editor.h"
#include "model/default_set.h"
#include "quiet_port.h"
#include "silent_desktop.h"
#include "station/station.h"

namespace korvan {
namespace {

constexpr std::array<std::string_view, 7> kKindNames{
    "set",   "add", "scale", "interpolate rows", "interpolate columns", "interpolate corners",
    "smooth"};

MapOperation OperationOf(std::int64_t kind) {
  const auto k = static_cast<MapOperationKind>(kind);
  switch (k) {
    case MapOperationKind::kSet:
      return {k, 120};
    case MapOperationKind::kAdd:
      return {k, 7};
    case MapOperationKind::kScale:
      return {k, 95};
    case MapOperationKind::kSmooth:
      return {k, 0.7};
    default:
      return {k, 0};
  }
}

// Uneven times on the four channels, so that every operation moves every cell it can.
void Roughen(ParameterImage& image) {
  for (MapId map : {MapId::kInj1A, MapId::kInj2A, MapId::kInj3A, MapId::kInj4A}) {
    for (int cell = 0; cell < kMapCells; ++cell) {
      const unsigned wobble = static_cast<unsigned>((cell * 37 + static_cast<int>(map)) % 23);
      image.SetWord(CellOffset(map, cell), 1500 + 90 * wobble);
    }
  }
}

// The map editor alone, as the station holds it: the image, the controls and the editor.
struct EditorBench {
  EditorBench() : editor(image, controls) {
    image.SetByte(kBikeCodeOffset, 11);
    ApplyDefaultSet(image, false, 0, bike, editor.word_maps());
    image.SetByte(kJetCouplingModeOffset, kModeCoupled);
    StationSettings settings{0, 0};
    ApplyConsistencyRules(image, settings);
    Roughen(image);
    editor.CreateControls();
    editor.Scatter(kPageInj1A);
    editor.selection(kPageInj1A).SelectAll();
  }
  ParameterImage image;
  ControlSet controls;
  BikeModelState bike;
  MapEditor editor;
};

void BM_MapOperationInEditor(benchmark::State& state) {
  EditorBench bench;
  const ParameterImage rough = bench.image;
  const MapOperation operation = OperationOf(state.range(0));
  for (auto _ : state) {
    bench.image = rough;
    benchmark::DoNotOptimize(bench.editor.ApplyToSelection(kPageInj1A, operation));
  }
  state.SetLabel(std::string(kKindNames[static_cast<std::size_t>(state.range(0))]));
}
BENCHMARK(BM_MapOperationInEditor)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

struct StationBench {
  StationBench() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvan_maps_gbench";
    std::filesystem::create_directories(dir);
    paths.settings_file = (dir / "settings").string();
    paths.image_dump = (dir / "dump").string();
    paths.test_marker = (dir / "marker").string();
    station.emplace(port, desktop, paths);
    station->FormCreate({});
    station->Menu_Jet123CoupledClick();
    station->PageControl1Change(kPageInj1A);
    Roughen(station->image());
    station->maps().RefreshPercentArrays();
    station->RefreshPage();
    station->MapSelectAll();
  }
  StationPaths paths;
  QuietPort port;
  SilentDesktop desktop;
  std::optional<Station> station;
};

void BM_MapOperationInStation(benchmark::State& state) {
  StationBench bench;
  Station& s = *bench.station;
  const ParameterImage rough = s.image();
  const MapOperation operation = OperationOf(state.range(0));
  for (auto _ : state) {
    // The image goes back behind the station's back (as a read would): the next operation finds
    // uneven cells again, and its change holds both.
    s.image() = rough;
    benchmark::DoNotOptimize(s.MapSelectionOperation(operation));
  }
  state.SetLabel(std::string(kKindNames[static_cast<std::size_t>(state.range(0))]));
}
BENCHMARK(BM_MapOperationInStation)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

void BM_MapCopyText(benchmark::State& state) {
  StationBench bench;
  for (auto _ : state) {
    std::string text = bench.station->MapCopyText();
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_MapCopyText)->Unit(benchmark::kMicrosecond);

void BM_MapPasteText(benchmark::State& state) {
  StationBench bench;
  Station& s = *bench.station;
  const ParameterImage rough = s.image();
  // The block pasted differs from every cell it lands on.
  s.MapSelectionOperation({MapOperationKind::kAdd, 7});
  const std::string text = s.MapCopyText();
  for (auto _ : state) {
    s.image() = rough;
    benchmark::DoNotOptimize(s.MapPasteText(text));
  }
}
BENCHMARK(BM_MapPasteText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvan
