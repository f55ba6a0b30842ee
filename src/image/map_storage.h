#pragma once

// Where the nine maps, their engine-speed axes and the IAP row axis lie in the ParameterImage,
// the cell order, and the conversions between stored and shown cell values.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "image/field_dictionary.h"
#include "image/parameter_image.h"

namespace korvan {

inline constexpr int kMapRows = 10;
inline constexpr int kMapColumns = 15;
inline constexpr int kMapCells = kMapRows * kMapColumns;  // 150

// The nine maps, in PageIndex order of their pages.
enum class MapId : std::uint8_t {
  kAdvance,       // PageIndex 1
  kInj1A,         // PageIndex 2
  kInj2A,         // PageIndex 3
  kInj3A,         // PageIndex 4
  kInj4A,         // PageIndex 5
  kInjB,          // PageIndex 6
  kInjIap,        // PageIndex 7
  kIntakeServo,   // PageIndex 11
  kExhaustServo,  // PageIndex 12
};
inline constexpr int kMapCount = 9;

struct MapStorage {
  MapId id;
  int page;               // PageIndex
  std::string_view name;  // page name, "Advance", "Inj-1A", ...
  bool word_cells;        // cells are words (injection times in microseconds)
  int cell_base;          // image byte of cell 0 (byte maps) or its word index (word maps)
  int axis_offset;        // image byte of engine-speed axis point 0 (15 bytes)
  int shown_max;          // largest shown cell value (servo maps: see MapCellRange)
};

inline constexpr std::array<MapStorage, kMapCount> kMapTable{{
    {MapId::kAdvance, 1, "Advance", false, 500, 365, 60},
    {MapId::kInj1A, 2, "Inj-1A", true, 325, 380, 1000},
    {MapId::kInj2A, 3, "Inj-2A", true, 475, 395, 1000},
    {MapId::kInj3A, 4, "Inj-3A", true, 625, 410, 1000},
    {MapId::kInj4A, 5, "Inj-4A", true, 775, 425, 1000},
    {MapId::kInjB, 6, "Inj-B", false, 1850, 440, 100},
    {MapId::kInjIap, 7, "Inj-IAP", true, 1000, 455, 1000},
    {MapId::kIntakeServo, 11, "Intake Servo", false, 2450, 485, 100},
    {MapId::kExhaustServo, 12, "Exhaust Servo", false, 2300, 470, 100},
}};

constexpr const MapStorage& MapInfo(MapId map) { return kMapTable[static_cast<std::size_t>(map)]; }
// The map a page shows, if the page is a map page.
constexpr std::optional<MapId> MapOfPage(int page_index) {
  for (const MapStorage& m : kMapTable) {
    if (m.page == page_index) return m.id;
  }
  return std::nullopt;
}

// Cell order: row r (0 = lowest throttle) and column c (0 = first axis point).
constexpr int CellIndex(int row, int column) { return row * kMapColumns + column; }
constexpr int CellRow(int cell) { return cell / kMapColumns; }
constexpr int CellColumn(int cell) { return cell % kMapColumns; }

// Image byte (byte maps) or word index (word maps) of a cell.
constexpr int CellOffset(MapId map, int cell) { return MapInfo(map).cell_base + cell; }
constexpr int CellOffset(MapId map, int row, int column) {
  return CellOffset(map, CellIndex(row, column));
}
// First image byte of a cell, whatever its width.
constexpr int CellImageByte(MapId map, int cell) {
  return MapInfo(map).word_cells ? 2 * CellOffset(map, cell) : CellOffset(map, cell);
}
// Image byte of engine-speed axis point `column`.
constexpr int AxisOffset(MapId map, int column) { return MapInfo(map).axis_offset + column; }

// Raw cell value (byte or word) and its setter (a byte keeps the low eight bits, a word sixteen).
unsigned StoredCell(const ParameterImage& image, MapId map, int cell);
void SetStoredCell(ParameterImage& image, MapId map, int cell, unsigned stored);

// Engine-speed axis points: stored rpm / 100, shown 300..25000 step 100; files write rpm.
inline constexpr int kAxisRpmScale = 100;
inline constexpr int kAxisRpmMin = 300;
inline constexpr int kAxisRpmMax = 25000;
int AxisRpm(const ParameterImage& image, MapId map, int column);
void SetAxisRpm(ParameterImage& image, MapId map, int column, int rpm);

// Throttle positions [%] of the ten rows of every map but the IAP map; not stored.
inline constexpr std::array<int, kMapRows> kThrottleRows{0, 2, 5, 10, 20, 30, 40, 60, 80, 100};

// The IAP map's rows: ten intake pressures [kPa] in words 142..151, 0..1000 step 1, raw.
inline constexpr int kIapRowAxisWord = 142;
inline constexpr int kIapRowAxisMax = 1000;

// Servo maps show stored x 1 [%] when the page's percent flag is set (byte 63 intake, 62
// exhaust), stored x 20 [mV] otherwise. Other byte maps show the stored byte. 1 for all others.
int ServoDivisor(const ParameterImage& image, MapId map);
// Range and step of a cell field: Advance 0..60, Inj-B 0..100, word maps 0..1000 (percent),
// servo maps 0..100 step 1 in percent or 0..5000 step 20 in mV.
ShownRange MapCellRange(const ParameterImage& image, MapId map);
// Shown value of a byte-map cell (Advance, Inj-B, servos). Word maps need a base time: use
// PercentFromWord.
int ShownByteCell(const ParameterImage& image, MapId map, int cell);
// Stores a shown value into a byte-map cell (truncating division by the servo divisor).
void SetShownByteCell(ParameterImage& image, MapId map, int cell, int shown);

// Percentage presentation of the word maps: the base time (microseconds, at least 100) is the
// time that 100 % stands for.
// Shown percent = (word x 1000 / base time + 5) / 10, rounded to the nearest percent. A base
// time of 0 (never produced by the base tables) shows 0.
int PercentFromWord(unsigned word, unsigned base_time);
// Stored word = (percent x base time + 50) / 100, rounded to the nearest microsecond and capped
// at 65535; a negative percentage stores 0.
std::uint16_t WordFromPercent(int percent, unsigned base_time);

}  // namespace korvan
