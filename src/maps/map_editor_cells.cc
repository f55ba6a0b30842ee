// Many cells at once: the selections of the map pages, the values the cells show, and the
// operations, copy and paste that store shown values as typed ones.

#include <algorithm>
#include <cmath>

#include "maps/cell_block_text.h"
#include "maps/map_editor.h"

namespace korvan {

namespace {

constexpr int kCoupledPercentMax = 1000;
constexpr double kMicrosecondsPerShown = 1000.0;  // the time view shows milliseconds
constexpr int kTimeDecimals = 3;

int Rounded(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

MapSelection& MapEditor::selection(int page) {
  if (const std::optional<MapId> map = MapOfPage(page)) {
    return selections_[static_cast<std::size_t>(*map)];
  }
  no_selection_ = {};
  return no_selection_;
}

const MapSelection& MapEditor::selection(int page) const {
  static const MapSelection kNone;
  const std::optional<MapId> map = MapOfPage(page);
  return map ? selections_[static_cast<std::size_t>(*map)] : kNone;
}

CellMask MapEditor::ShownCells(int page) const {
  CellMask cells;
  if (!IsMapPage(page)) return cells;
  const LayoutParts& parts = PartsOf(ChooseGridLayout(page, image_, time_view()));
  for (int cell = 0; cell < kMapCells; ++cell) {
    if (CellOffered(parts.cells, cell)) cells.set(static_cast<std::size_t>(cell));
  }
  return cells;
}

CellMask MapEditor::EditableCells(int page) const {
  if (!IsMapPage(page) || !PartsOf(ChooseGridLayout(page, image_, time_view())).cell_enabled) {
    return {};
  }
  return ShownCells(page);
}

MapEditor::CellScale MapEditor::ShownScale(int page) const {
  const std::optional<MapId> map = MapOfPage(page);
  if (!map) return {};
  const MapStorage& info = MapInfo(*map);
  if (!info.word_cells) {
    const ShownRange range = MapCellRange(image_, *map);
    return {static_cast<double>(range.min), static_cast<double>(range.max),
            static_cast<double>(range.step), 0};
  }
  if (time_view())
    return {0, 65535 / kMicrosecondsPerShown, 1 / kMicrosecondsPerShown, kTimeDecimals};
  return {0, static_cast<double>(info.shown_max), 1, 0};
}

ShownGrid MapEditor::ShownValues(int page) {
  ShownGrid values{};
  const std::optional<MapId> map = MapOfPage(page);
  if (!map) return values;
  const MapStorage& info = MapInfo(*map);
  if (!info.word_cells) {
    const ShownRange range = MapCellRange(image_, *map);
    for (int cell = 0; cell < kMapCells; ++cell) {
      values[static_cast<std::size_t>(cell)] =
          std::clamp(ShownByteCell(image_, *map, cell), range.min, range.max);
    }
    return values;
  }
  if (time_view()) {
    for (int cell = 0; cell < kMapCells; ++cell) {
      values[static_cast<std::size_t>(cell)] =
          StoredCell(image_, *map, cell) / kMicrosecondsPerShown;
    }
    return values;
  }
  const WordMap wm = *WordMapOfMap(*map);
  ComputeBaseTimesNow();
  DerivePercent(wm);
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    values[i] = std::min<int>(word_maps_.Percent(wm)[i], info.shown_max);
  }
  return values;
}

GridAxes MapEditor::Axes(int page) const {
  GridAxes axes{};
  const std::optional<MapId> map = MapOfPage(page);
  if (!map) return EvenAxes();
  for (int row = 0; row < kMapRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    axes.rows[r] = *map == MapId::kInjIap ? image_.Word(kIapRowAxisWord + row) : kThrottleRows[r];
  }
  for (int col = 0; col < kMapColumns; ++col) {
    axes.columns[static_cast<std::size_t>(col)] = AxisRpm(image_, *map, col);
  }
  return axes;
}

bool MapEditor::StoreShownValues(int page, const CellMask& cells, const ShownGrid& wanted) {
  const std::optional<MapId> map = MapOfPage(page);
  const CellMask targets = cells & EditableCells(page);
  if (!map || targets.none()) return false;
  const MapStorage& info = MapInfo(*map);
  if (!info.word_cells) {
    const ShownRange range = MapCellRange(image_, *map);
    const int divisor = ServoDivisor(image_, *map);
    for (int cell = 0; cell < kMapCells; ++cell) {
      const auto i = static_cast<std::size_t>(cell);
      if (!targets.test(i) || std::isnan(wanted[i])) continue;
      const double shown = std::clamp<double>(wanted[i], range.min, range.max);
      SetStoredCell(image_, *map, cell, static_cast<unsigned>(Rounded(shown / divisor)));
    }
    return true;
  }

  const WordMap own = *WordMapOfMap(*map);
  const unsigned mode = image_.Byte(kJetCouplingModeOffset);
  const bool coupled = own == WordMap::kInj1A && mode == kModeCoupled;
  // As a gather does: the percentages of this map and of the coupled channels as the image holds
  // them now.
  ComputeBaseTimesNow();
  DerivePercent(own);
  if (coupled) {
    for (WordMap wm : kFollowerWordMaps) DerivePercent(wm);
  }
  const bool time = time_view();
  CellArray& percent = word_maps_.Percent(own);
  const CellArray& base = word_maps_.BaseTime(own);
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    if (!targets.test(i) || std::isnan(wanted[i])) continue;
    const int old = percent[i];
    int fresh = 0;
    if (time) {
      // The time view edits the word itself, to the microsecond, up to what the cell's field can
      // show (1000 % of its base time); the percentage follows from the word.
      const double limit = WordFromPercent(info.shown_max, base[i]);
      const int word = Rounded(std::clamp(wanted[i] * kMicrosecondsPerShown, 0.0, limit));
      image_.SetWord(CellOffset(*map, cell), static_cast<unsigned>(word));
      fresh = PercentFromWord(static_cast<unsigned>(word), base[i]);
    } else {
      fresh = Rounded(std::clamp<double>(wanted[i], 0, info.shown_max));
    }
    if (coupled && fresh != old) {
      for (WordMap wm : kFollowerWordMaps) {
        std::uint16_t& value = word_maps_.Percent(wm)[i];
        value = static_cast<std::uint16_t>(std::clamp(value + fresh - old, 0, kCoupledPercentMax));
      }
    }
    percent[i] = static_cast<std::uint16_t>(fresh);
  }
  // No axis moved: a cell whose word already shows its percentage keeps the word.
  StoreChangedWordsFromPercent(image_, word_maps_, own, base);
  if (coupled) {
    for (WordMap wm : kFollowerWordMaps) {
      StoreChangedWordsFromPercent(image_, word_maps_, wm, word_maps_.BaseTime(wm));
    }
  } else if (own == WordMap::kInj1A && mode == kModeAllEqual) {
    CopyInj1AOverChannels();
  }
  return true;
}

bool MapEditor::ApplyToSelection(int page, const MapOperation& operation) {
  const CellMask targets = selection(page).cells() & EditableCells(page);
  if (targets.none()) return false;
  const ShownGrid now = ShownValues(page);
  return StoreShownValues(page, targets,
                          ApplyMapOperation(now, targets, ShownCells(page), Axes(page), operation));
}

std::string MapEditor::SelectionText(int page) {
  const CellMask cells = selection(page).cells() & ShownCells(page);
  const std::optional<CellBox> box = BoundsOf(cells);
  if (!box) return {};
  return FormatCellBlock(ShownValues(page), cells, *box, ShownScale(page).decimals);
}

MapEditor::PasteResult MapEditor::PasteText(int page, std::string_view text) {
  using Status = PasteResult::Status;
  PasteResult result;
  const CellMask editable = EditableCells(page);
  if (editable.none()) {
    result.status = Status::kNotEditable;
    return result;
  }
  const ParsedCellBlock parsed = ParseCellBlock(text);
  if (parsed.error) {
    result.status = Status::kNotANumber;
    result.row = parsed.error->row;
    result.column = parsed.error->column;
    result.text = parsed.error->text;
    return result;
  }
  const CellBlock& block = parsed.block;
  result.rows = block.rows;
  result.columns = block.columns;
  if (!block.HasNumber()) {
    result.status = Status::kEmpty;
    return result;
  }
  MapSelection& chosen = selection(page);
  const std::optional<CellBox> bounds = BoundsOf(chosen.cells() & ShownCells(page));
  const GridCell start = bounds ? GridCell{bounds->top, bounds->left} : chosen.anchor();
  result.row = start.row + 1;
  result.column = start.column + 1;
  bool fits = start.row + block.rows <= kMapRows && start.column + block.columns <= kMapColumns;
  ShownGrid wanted{};
  CellMask cells;
  for (int r = 0; fits && r < block.rows; ++r) {
    for (int c = 0; fits && c < block.columns; ++c) {
      const std::optional<double> value = block.At(r, c);
      if (!value) continue;
      const auto i = static_cast<std::size_t>(CellIndex(start.row + r, start.column + c));
      fits = editable.test(i);
      wanted[i] = *value;
      cells.set(i);
    }
  }
  if (!fits) {
    result.status = Status::kDoesNotFit;
    return result;
  }
  StoreShownValues(page, cells, wanted);
  chosen.SelectBox(
      {start.row, start.column, start.row + block.rows - 1, start.column + block.columns - 1});
  return result;
}

}  // namespace korvan
