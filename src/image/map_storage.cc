#include "image/map_storage.h"

#include <algorithm>

#include "image/field_dictionary.h"

namespace korvan {

namespace {

// Cells and axis points outside the map read 0 and are never written.
bool ValidCell(MapId map, int cell) {
  return static_cast<std::size_t>(map) < kMapTable.size() && cell >= 0 && cell < kMapCells;
}
bool ValidColumn(MapId map, int column) {
  return static_cast<std::size_t>(map) < kMapTable.size() && column >= 0 && column < kMapColumns;
}

}  // namespace

unsigned StoredCell(const ParameterImage& image, MapId map, int cell) {
  if (!ValidCell(map, cell)) return 0;
  const int at = CellOffset(map, cell);
  return MapInfo(map).word_cells ? image.Word(at) : image.Byte(at);
}

void SetStoredCell(ParameterImage& image, MapId map, int cell, unsigned stored) {
  if (!ValidCell(map, cell)) return;
  const int at = CellOffset(map, cell);
  if (MapInfo(map).word_cells) {
    image.SetWord(at, stored & 0xFFFFu);
  } else {
    image.SetByte(at, stored & 0xFFu);
  }
}

int AxisRpm(const ParameterImage& image, MapId map, int column) {
  if (!ValidColumn(map, column)) return 0;
  return image.Byte(AxisOffset(map, column)) * kAxisRpmScale;
}

void SetAxisRpm(ParameterImage& image, MapId map, int column, int rpm) {
  if (!ValidColumn(map, column)) return;
  image.SetByte(AxisOffset(map, column), static_cast<unsigned>(rpm / kAxisRpmScale));
}

int ServoDivisor(const ParameterImage& image, MapId map) {
  switch (map) {
    case MapId::kIntakeServo:
      return image.Byte(kIntakeServoPercentOffset) != 0 ? 1 : 20;
    case MapId::kExhaustServo:
      return image.Byte(kExhaustServoPercentOffset) != 0 ? 1 : 20;
    default:
      return 1;
  }
}

ShownRange MapCellRange(const ParameterImage& image, MapId map) {
  const int divisor = ServoDivisor(image, map);
  if (divisor == 20) return {0, 5000, 20};
  return {0, MapInfo(map).shown_max, 1};
}

int ShownByteCell(const ParameterImage& image, MapId map, int cell) {
  return static_cast<int>(StoredCell(image, map, cell)) * ServoDivisor(image, map);
}

void SetShownByteCell(ParameterImage& image, MapId map, int cell, int shown) {
  SetStoredCell(image, map, cell, static_cast<unsigned>(shown / ServoDivisor(image, map)));
}

int PercentFromWord(unsigned word, unsigned base_time) {
  if (base_time == 0) return 0;
  const std::uint64_t w = word & 0xFFFFu;
  return static_cast<int>((w * 1000 / base_time + 5) / 10);
}

std::uint16_t WordFromPercent(int percent, unsigned base_time) {
  if (percent <= 0) return 0;
  const std::uint64_t word = (static_cast<std::uint64_t>(percent) * base_time + 50) / 100;
  return static_cast<std::uint16_t>(std::min<std::uint64_t>(word, 65535));
}

}  // namespace korvan
