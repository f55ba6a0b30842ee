#include "diff/image_diff.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>

#include "image/word_map_state.h"
#include "model/base_tables.h"

namespace korvan {
namespace {

// A unit of the comparison without its values: what it is and which bytes it covers.
struct DiffUnitPlace {
  DiffKind kind;
  int page;
  const Field* field;
  MapId map;
  int element;
  int first_byte;
  int length;
};

struct OwnerTable {
  std::vector<DiffUnitPlace> units;
  std::array<int, kImageSize> owner;  // index into units, -1 for a byte nobody owns
};

void Claim(OwnerTable& table, const DiffUnitPlace& unit) {
  const int index = static_cast<int>(table.units.size());
  table.units.push_back(unit);
  for (int k = unit.first_byte; k < unit.first_byte + unit.length; ++k) {
    // The first owner keeps a byte claimed twice, so that it is reported exactly once.
    if (table.owner[static_cast<std::size_t>(k)] < 0)
      table.owner[static_cast<std::size_t>(k)] = index;
  }
}

OwnerTable BuildOwnerTable() {
  OwnerTable table;
  table.owner.fill(-1);
  // The maps and their axes come first: the IAP map's pressure rows are also a dictionary field
  // (IapRowAxis), and they read as rows of that map.
  for (const MapStorage& m : kMapTable) {
    const int width = m.word_cells ? 2 : 1;
    for (int cell = 0; cell < kMapCells; ++cell) {
      Claim(table,
            {DiffKind::kMapCell, m.page, nullptr, m.id, cell, CellImageByte(m.id, cell), width});
    }
    for (int column = 0; column < kMapColumns; ++column) {
      Claim(table,
            {DiffKind::kMapAxis, m.page, nullptr, m.id, column, AxisOffset(m.id, column), 1});
    }
  }
  for (int row = 0; row < kMapRows; ++row) {
    Claim(table, {DiffKind::kIapAxis, MapInfo(MapId::kInjIap).page, nullptr, MapId::kInjIap, row,
                  2 * (kIapRowAxisWord + row), 2});
  }
  for (const Field& field : AllFields()) {
    if (field.kind == FieldKind::kText) {
      Claim(table,
            {DiffKind::kMemo, field.page, &field, MapId::kAdvance, 0, field.offset, field.count});
      continue;
    }
    const int width = field.width == FieldWidth::kWord ? 2 : 1;
    for (int e = 0; e < field.count; ++e) {
      Claim(table, {DiffKind::kField, field.page, &field, MapId::kAdvance, e,
                    ElementOffset(field, e), width});
    }
  }
  return table;
}

const OwnerTable& Owners() {
  static const OwnerTable table = BuildOwnerTable();
  return table;
}

DiffUnit CellUnit(const ParameterImage& image, MapId map) {
  switch (map) {
    case MapId::kAdvance:
      return DiffUnit::kDegree;
    case MapId::kIntakeServo:
    case MapId::kExhaustServo:
      return ServoDivisor(image, map) == 1 ? DiffUnit::kPercent : DiffUnit::kMillivolt;
    default:
      return DiffUnit::kPercent;  // Inj-B, and the injection maps as percent of base time
  }
}

// A side's base times, computed once per comparison from its own bike code and axes: the page
// shows each side's cells as percent of that side's base times.
struct SideTimes {
  const ParameterImage& image;
  WordMapState state;
  explicit SideTimes(const ParameterImage& i) : image(i) { ComputeBaseTimes(image, state); }
};

int ShownCell(const SideTimes& side, MapId map, int cell) {
  const std::optional<WordMap> word_map = WordMapOfMap(map);
  if (!word_map) return ShownByteCell(side.image, map, cell);
  return PercentFromWord(StoredCell(side.image, map, cell),
                         side.state.BaseTime(*word_map)[static_cast<std::size_t>(cell)]);
}

int RowValue(const ParameterImage& image, MapId map, int row) {
  return map == MapId::kInjIap ? image.Word(kIapRowAxisWord + row)
                               : kThrottleRows[static_cast<std::size_t>(row)];
}

DiffEntry Describe(const DiffUnitPlace& place, const SideTimes& side_a, const SideTimes& side_b) {
  const ParameterImage& a = side_a.image;
  const ParameterImage& b = side_b.image;
  DiffEntry e;
  e.kind = place.kind;
  e.page = place.page;
  e.field = place.field;
  e.map = place.map;
  e.element = place.element;
  e.first_byte = place.first_byte;
  e.length = place.length;
  switch (place.kind) {
    case DiffKind::kField:
      e.shown_a = ToShown(*place.field, a, place.element);
      e.shown_b = ToShown(*place.field, b, place.element);
      break;
    case DiffKind::kMemo:
      e.text_a = ReadMemo(a);
      e.text_b = ReadMemo(b);
      break;
    case DiffKind::kMapCell:
      e.shown_a = ShownCell(side_a, place.map, place.element);
      e.shown_b = ShownCell(side_b, place.map, place.element);
      e.unit = CellUnit(a, place.map);
      e.row_value_a = RowValue(a, place.map, CellRow(place.element));
      e.row_value_b = RowValue(b, place.map, CellRow(place.element));
      e.rpm_a = AxisRpm(a, place.map, CellColumn(place.element));
      e.rpm_b = AxisRpm(b, place.map, CellColumn(place.element));
      if (MapInfo(place.map).word_cells) {
        e.stored_a = StoredCell(a, place.map, place.element);
        e.stored_b = StoredCell(b, place.map, place.element);
      }
      break;
    case DiffKind::kMapAxis:
      e.shown_a = AxisRpm(a, place.map, place.element);
      e.shown_b = AxisRpm(b, place.map, place.element);
      e.unit = DiffUnit::kRpm;
      break;
    case DiffKind::kIapAxis:
      e.shown_a = a.Word(kIapRowAxisWord + place.element);
      e.shown_b = b.Word(kIapRowAxisWord + place.element);
      e.unit = DiffUnit::kKilopascal;
      break;
    case DiffKind::kRaw:
      e.shown_a = a.Byte(place.first_byte);
      e.shown_b = b.Byte(place.first_byte);
      break;
  }
  return e;
}

bool IsBikeConstant(int k) {
  for (const ByteRun& run : BikeConstantBytes()) {
    if (k >= run.first && k < run.first + run.length) return true;
  }
  return false;
}

}  // namespace

bool DiffEntryTakes(const DiffEntry& entry, int k) {
  if (k >= entry.first_byte && k < entry.first_byte + entry.length) return true;
  return entry.with_bike_constants && IsBikeConstant(k);
}

std::vector<DiffEntry> DiffImages(const ParameterImage& a, const ParameterImage& b) {
  const OwnerTable& owners = Owners();
  const SideTimes side_a(a);
  const SideTimes side_b(b);
  // Another bike code brings its own constants: they are taken with the code, never alone, so
  // that no set holds one bike's code with another's engine configuration.
  const bool bikes_differ = a.Byte(kBikeCodeOffset) != b.Byte(kBikeCodeOffset);
  bool constants_differ = false;
  std::vector<DiffEntry> entries;
  int differing = 0;
  for (int k = 0; k < kImageSize; ++k) differing += a.Byte(k) != b.Byte(k) ? 1 : 0;
  entries.reserve(static_cast<std::size_t>(differing));
  int last_unit = -1;
  for (int k = 0; k < kImageSize; ++k) {
    if (a.Byte(k) == b.Byte(k)) continue;
    const int unit = owners.owner[static_cast<std::size_t>(k)];
    if (unit < 0 && bikes_differ && IsBikeConstant(k)) {
      constants_differ = true;
      continue;
    }
    if (unit < 0) {
      entries.push_back(
          Describe({DiffKind::kRaw, -1, nullptr, MapId::kAdvance, 0, k, 1}, side_a, side_b));
      continue;
    }
    // A unit's bytes are consecutive: a second differing byte of it follows the first directly.
    if (unit == last_unit) continue;
    last_unit = unit;
    entries.push_back(Describe(owners.units[static_cast<std::size_t>(unit)], side_a, side_b));
  }
  if (constants_differ) {
    for (DiffEntry& e : entries) {
      if (e.kind == DiffKind::kField && e.first_byte == kBikeCodeOffset)
        e.with_bike_constants = true;
    }
  }
  // Grouped by page as the window orders its pages, the raw bytes last; by byte within a page.
  std::stable_sort(entries.begin(), entries.end(), [](const DiffEntry& x, const DiffEntry& y) {
    return (x.page < 0 ? kImageSize : x.page) < (y.page < 0 ? kImageSize : y.page);
  });
  return entries;
}

std::vector<DiffPageSummary> SummarizeDiff(std::span<const DiffEntry> entries) {
  struct Largest {
    int change = 0;
    DiffUnit unit = DiffUnit::kNone;
    int entry = -1;
    void Offer(int c, DiffUnit u, int at) {
      if (std::abs(c) > std::abs(change)) {
        change = c;
        unit = u;
        entry = at;
      }
    }
  };
  struct Gathered {
    DiffPageSummary summary;
    Largest cells;
    Largest others;
  };
  // Raw bytes (page -1) sort after every page.
  std::map<int, Gathered> pages;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const DiffEntry& e = entries[i];
    const int at = static_cast<int>(i);
    Gathered& g = pages[e.page < 0 ? kImageSize : e.page];
    g.summary.page = e.page;
    ++g.summary.count;
    if (e.kind == DiffKind::kMemo || e.kind == DiffKind::kRaw) continue;
    if (e.kind == DiffKind::kMapCell) {
      ++g.summary.cells;
      g.cells.Offer(e.shown_b - e.shown_a, e.unit, at);
    } else {
      g.others.Offer(e.shown_b - e.shown_a, e.unit, at);
    }
  }
  std::vector<DiffPageSummary> result;
  result.reserve(pages.size());
  for (auto& [key, g] : pages) {
    // A map page's largest change is that of its cells, the values its grid shows.
    const Largest& largest = g.summary.cells > 0 ? g.cells : g.others;
    g.summary.largest_change = largest.change;
    g.summary.unit = largest.unit;
    g.summary.largest_entry = largest.entry;
    result.push_back(g.summary);
  }
  return result;
}

void TakeDiffEntries(std::span<const DiffEntry> entries, const ParameterImage& source,
                     ParameterImage& target) {
  for (const DiffEntry& e : entries) {
    for (int k = e.first_byte; k < e.first_byte + e.length; ++k) target.SetByte(k, source.Byte(k));
    if (!e.with_bike_constants) continue;
    for (const ByteRun& run : BikeConstantBytes()) {
      for (int k = run.first; k < run.first + run.length; ++k) target.SetByte(k, source.Byte(k));
    }
  }
}

}  // namespace korvan
