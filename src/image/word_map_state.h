#pragma once

// What the station keeps beside the image for the five word maps (injection times): the shown
// percentage of every cell and the base time that 100 % stands for.

#include <array>
#include <cstdint>
#include <optional>

#include "image/map_storage.h"
#include "image/parameter_image.h"

namespace korvan {

// The word maps in the order of their pages.
enum class WordMap : std::uint8_t { kInj1A, kInj2A, kInj3A, kInj4A, kInjIap };
inline constexpr int kWordMapCount = 5;

constexpr MapId MapOfWordMap(WordMap map) {
  constexpr std::array<MapId, kWordMapCount> kMaps{MapId::kInj1A, MapId::kInj2A, MapId::kInj3A,
                                                   MapId::kInj4A, MapId::kInjIap};
  return kMaps[static_cast<std::size_t>(map)];
}
// The word map a map is, if it is one.
constexpr std::optional<WordMap> WordMapOfMap(MapId map) {
  for (int m = 0; m < kWordMapCount; ++m) {
    if (MapOfWordMap(static_cast<WordMap>(m)) == map) return static_cast<WordMap>(m);
  }
  return std::nullopt;
}

// The channels that follow Inj-1A in the coupled and all-equal modes.
inline constexpr std::array<MapId, 3> kFollowerMaps{MapId::kInj2A, MapId::kInj3A, MapId::kInj4A};
inline constexpr std::array<WordMap, 3> kFollowerWordMaps{WordMap::kInj2A, WordMap::kInj3A,
                                                          WordMap::kInj4A};

// Base time or percentage of each of the 150 cells, in cell order.
using CellArray = std::array<std::uint16_t, kMapCells>;

struct WordMapState {
  std::array<CellArray, kWordMapCount> percent{};    // shown percentages, 0..1000
  std::array<CellArray, kWordMapCount> base_time{};  // microseconds, at least 100 once computed

  CellArray& Percent(WordMap map) { return percent[static_cast<std::size_t>(map)]; }
  const CellArray& Percent(WordMap map) const { return percent[static_cast<std::size_t>(map)]; }
  CellArray& BaseTime(WordMap map) { return base_time[static_cast<std::size_t>(map)]; }
  const CellArray& BaseTime(WordMap map) const { return base_time[static_cast<std::size_t>(map)]; }
};

// Sets every word of a word map from its percentage and base time (rounded, capped at 65535).
void StoreWordsFromPercent(ParameterImage& image, const WordMapState& state, WordMap map);
// The same for the cells an edit changed: a cell whose base time is still `base_before` (the base
// times its percentage was derived with) and whose word still shows the wanted percentage keeps
// its word. A set from a unit or a file need not lie on whole percentages, and an edit must not
// move the cells it left alone; a cell whose base time moved (its engine-speed point did) takes
// the time of its percentage on the new base.
void StoreChangedWordsFromPercent(ParameterImage& image, const WordMapState& state, WordMap map,
                                  const CellArray& base_before);
// Recomputes the shown percentages of a word map from its words and base times.
void PercentFromWords(const ParameterImage& image, WordMapState& state, WordMap map);

}  // namespace korvan
