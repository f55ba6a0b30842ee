#include "image/word_map_state.h"

#include <cstddef>

namespace korvan {

void StoreWordsFromPercent(ParameterImage& image, const WordMapState& state, WordMap map) {
  const CellArray& percent = state.Percent(map);
  const CellArray& base = state.BaseTime(map);
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    image.SetWord(CellOffset(MapOfWordMap(map), cell), WordFromPercent(percent[i], base[i]));
  }
}

void StoreChangedWordsFromPercent(ParameterImage& image, const WordMapState& state, WordMap map,
                                  const CellArray& base_before) {
  const CellArray& percent = state.Percent(map);
  const CellArray& base = state.BaseTime(map);
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    const int offset = CellOffset(MapOfWordMap(map), cell);
    if (base[i] == base_before[i] && PercentFromWord(image.Word(offset), base[i]) == percent[i]) {
      continue;
    }
    image.SetWord(offset, WordFromPercent(percent[i], base[i]));
  }
}

void PercentFromWords(const ParameterImage& image, WordMapState& state, WordMap map) {
  CellArray& percent = state.Percent(map);
  const CellArray& base = state.BaseTime(map);
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    percent[i] = static_cast<std::uint16_t>(
        PercentFromWord(image.Word(CellOffset(MapOfWordMap(map), cell)), base[i]));
  }
}

}  // namespace korvan
