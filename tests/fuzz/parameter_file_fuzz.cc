// Feeds arbitrary bytes to the parameter file reader as the station opens a file, in whole-file
// mode and in page-only mode: on the station's start set, with the default set of the file's
// bike applied at BIKE, then the consistency rules. The reader must not crash or read out of
// bounds, must leave the image untouched when it rejects a file, and must keep the memo
// terminated; whatever it accepted must write out and read back.
//
// The start set and the bike model state beside it are built once per process; each read starts
// from copies of them, so an input pays only for what it drives (the defaults at its BIKE
// sections, the rules, the writer).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/parameter_file.h"
#include "files/parameter_set_check.h"
#include "image/consistency.h"
#include "model/default_set.h"

namespace {

using korvan::ParameterImage;

constexpr int kMemoEnd = 2849;

void Check(bool condition) {
  if (!condition) std::abort();
}

// What the station holds right after start: the image and the state the default set leaves
// beside it.
struct StationState {
  ParameterImage image;
  korvan::BikeModelState bike;
  korvan::WordMapState word_maps;
};

const StationState& StartState() {
  static const StationState start = [] {
    StationState state;
    state.image.SetByte(0, korvan::kStartBikeCode);
    korvan::ApplyDefaultSet(state.image, /*one_page=*/false, /*page_index=*/0, state.bike,
                            state.word_maps);
    korvan::StationSettings settings{0, 0};
    korvan::ApplyConsistencyRules(state.image, settings);
    ParameterImage again = state.image;
    korvan::ParameterFileReadOptions options;
    Check(korvan::ReadParameterFile(korvan::FormatParameterFile(state.image), again, options).ok());
    return state;
  }();
  return start;
}

void ReadOnce(std::string_view bytes, bool page_only, int page) {
  StationState station = StartState();
  korvan::ParameterFileReadOptions options;
  options.page_only = page_only;
  options.page_on_display = page;
  options.apply_defaults = [&station](ParameterImage& image) {
    korvan::ApplyDefaultSet(image, /*one_page=*/false, /*page_index=*/0, station.bike,
                            station.word_maps);
  };

  const korvan::ParameterFileReadResult result =
      korvan::ReadParameterFile(bytes, station.image, options);
  (void)korvan::DescribeReadResult(result);
  if (!result.ok()) {
    Check(station.image == StartState().image);
    return;
  }
  Check(station.image.Byte(kMemoEnd) == 0);
  if (page_only) Check(station.image.Byte(0) == StartState().image.Byte(0));
  korvan::StationSettings settings{0, 0};
  korvan::ApplyConsistencyRules(station.image, settings);
  // Whatever the station holds now must write out and read back without trouble. The start set
  // itself was written and read back once, when it was built.
  if (station.image == StartState().image) return;
  ParameterImage again = station.image;
  Check(korvan::ReadParameterFile(korvan::FormatParameterFile(station.image), again, options).ok());
  Check(again.Byte(kMemoEnd) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadOnce(bytes, /*page_only=*/false, 0);
  ReadOnce(bytes, /*page_only=*/true, static_cast<int>(size % 19));
  return 0;
}
