// Scatter (image -> grid) and gather (grid -> image) of the active map page.

#include <algorithm>

#include "image/field_dictionary.h"
#include "maps/header_fields.h"
#include "maps/map_editor.h"

namespace korvan {

namespace {

// A shifted engine-speed point stays inside the axis range 300..25000 rpm.
constexpr int kAxisByteMin = kAxisRpmMin / kAxisRpmScale;  // 3
constexpr int kAxisByteMax = 250;
constexpr int kCoupledPercentMax = 1000;

}  // namespace

void MapEditor::ComputeBaseTimesNow() { ComputeBaseTimes(image_, word_maps_); }

void MapEditor::DerivePercent(WordMap map) { PercentFromWords(image_, word_maps_, map); }

void MapEditor::CopyInj1AOverChannels() {
  for (MapId follower : kFollowerMaps) {
    for (int col = 0; col < kMapColumns; ++col) {
      image_.SetByte(AxisOffset(follower, col), image_.Byte(AxisOffset(MapId::kInj1A, col)));
    }
    for (int cell = 0; cell < kMapCells; ++cell) {
      image_.SetWord(CellOffset(follower, cell), image_.Word(CellOffset(MapId::kInj1A, cell)));
    }
  }
}

void MapEditor::Scatter(int page) {
  const std::optional<MapId> map = MapOfPage(page);
  if (!map || !created_) return;
  ControlSet& c = controls_;
  grid_page_ = page;

  if (image_.Byte(kJetCouplingModeOffset) == kModeAllEqual) CopyInj1AOverChannels();
  for (int col = 0; col < kMapColumns; ++col) {
    c.SetValue(h_.rpm[static_cast<std::size_t>(col)], AxisRpm(image_, *map, col));
  }
  ComputeBaseTimesNow();
  for (int row = 0; row < kMapRows; ++row) {
    c.SetValue(h_.row_axis[static_cast<std::size_t>(row)], image_.Word(kIapRowAxisWord + row));
  }
  ScatterCells(*map);
  c.SetChecked(h_.tps, image_.Byte(kAdvanceByThrottleOffset) != 0);
  ScatterHeader(page);
  ScatterServoControls(page);
  c.SetChecked(h_.all, all_flags_[static_cast<std::size_t>(page)] != 0);
  Layout(page);
}

void MapEditor::ScatterCells(MapId map) {
  const MapStorage& info = MapInfo(map);
  if (info.word_cells) {
    const WordMap wm = *WordMapOfMap(map);
    DerivePercent(wm);
    const CellArray& percent = word_maps_.Percent(wm);
    for (int cell = 0; cell < kMapCells; ++cell) {
      const ControlHandle h = h_.cells[static_cast<std::size_t>(cell)];
      controls_.SetRange(h, 0, info.shown_max, 1);
      // The array keeps the percentage as computed; the field limits it to its range.
      controls_.SetValue(h, percent[static_cast<std::size_t>(cell)]);
    }
    return;
  }
  const ShownRange range = MapCellRange(image_, map);
  for (int cell = 0; cell < kMapCells; ++cell) {
    const ControlHandle h = h_.cells[static_cast<std::size_t>(cell)];
    controls_.SetRange(h, range.min, range.max, range.step);
    controls_.SetValue(h, ShownByteCell(image_, map, cell));
  }
}

void MapEditor::ScatterHeader(int page) {
  for (const HeaderFieldEntry& entry : kHeaderFields) {
    if (entry.page != page) continue;
    const Field* field = FindField(entry.dictionary_name);
    if (field == nullptr) continue;
    const ControlHandle h = h_.header_fields[static_cast<std::size_t>(entry.field)];
    const ShownRange range = RangeOf(*field, image_);
    controls_.SetRange(h, range.min, range.max, range.step);
    controls_.SetValue(h, ToShown(*field, image_, entry.element));
  }
}

void MapEditor::ScatterServoControls(int page) {
  const ServoBytes* servo = ServoBytesOf(page);
  if (servo == nullptr) return;
  const bool intake = servo == &kIntakeServoBytes;
  if (intake && image_.Byte(kBikeCodeOffset) == kStepMotorForbiddenBike) {
    image_.SetByte(kStepMotorOffset, 0);
  }
  controls_.SetChecked(h_.servo_enable, image_.Byte(servo->enable) != 0);
  controls_.SetChecked(h_.percent, image_.Byte(servo->percent) != 0);
  controls_.SetValue(h_.servo_mode, ServoModeOf(image_, *servo));
  if (intake) controls_.SetChecked(h_.step_motor, image_.Byte(kStepMotorOffset) != 0);
}

void MapEditor::Gather(int page) {
  const std::optional<MapId> map = MapOfPage(page);
  // The grid holds the values of the page it was scattered onto, and of no other.
  if (!map || !created_ || page != grid_page_) return;

  // Coupling adds to the percentages of 2A..4A as the image holds them now, before any axis
  // moves (their arrays may be stale: files, undo and reads change the image behind the grid).
  if (*map == MapId::kInj1A && image_.Byte(kJetCouplingModeOffset) == kModeCoupled) {
    ComputeBaseTimesNow();
    for (WordMap wm : kFollowerWordMaps) DerivePercent(wm);
  }
  // A locked word map keeps the percentages it holds (its fields, which the user cannot edit,
  // show them limited to 1000).
  const bool cells_locked = MapInfo(*map).word_cells && !PartsOf(layout_).cell_enabled;
  if (cells_locked) {
    ComputeBaseTimesNow();
    DerivePercent(*WordMapOfMap(*map));
  }
  // The base times the percentages were derived with: a cell whose base time the axis moves is
  // stored anew from its percentage.
  const BaseTimes base_before = word_maps_.base_time;
  GatherAxis(*map);
  ComputeBaseTimesNow();
  for (int row = 0; row < kMapRows; ++row) {
    image_.SetWord(
        kIapRowAxisWord + row,
        static_cast<unsigned>(controls_.Value(h_.row_axis[static_cast<std::size_t>(row)])));
  }
  GatherCells(*map, base_before);
  GatherHeader(page);
  GatherServoControls(page);
  if (*map == MapId::kAdvance) {
    image_.SetByte(kAdvanceByThrottleOffset, controls_.Checked(h_.tps) ? 1 : 0);
  }
  all_flags_[static_cast<std::size_t>(page)] = controls_.Checked(h_.all) ? 1 : 0;
}

void MapEditor::GatherAxis(MapId map) {
  const unsigned mode = image_.Byte(kJetCouplingModeOffset);
  for (int col = 0; col < kMapColumns; ++col) {
    // An engine-speed field the layout hides is not read back (it may show a limited value).
    if (!rpm_parts_[static_cast<std::size_t>(col)].field) continue;
    const int fresh = controls_.Value(h_.rpm[static_cast<std::size_t>(col)]) / kAxisRpmScale;
    if (map == MapId::kInj1A) {
      const int old = image_.Byte(AxisOffset(MapId::kInj1A, col));
      for (MapId follower : kFollowerMaps) {
        const int at = AxisOffset(follower, col);
        if (mode == kModeCoupled && fresh != old) {
          const int shifted = image_.Byte(at) + fresh - old;
          image_.SetByte(at,
                         static_cast<unsigned>(std::clamp(shifted, kAxisByteMin, kAxisByteMax)));
        } else if (mode == kModeAllEqual) {
          image_.SetByte(at, static_cast<unsigned>(fresh));
        }
      }
    }
    image_.SetByte(AxisOffset(map, col), static_cast<unsigned>(fresh));
  }
}

void MapEditor::GatherCells(MapId map, const BaseTimes& base_before) {
  const MapStorage& info = MapInfo(map);
  if (!info.word_cells) {
    const int divisor = ServoDivisor(image_, map);
    const CellSubset offered = PartsOf(layout_).cells;
    for (int cell = 0; cell < kMapCells; ++cell) {
      // Cells the layout does not offer keep their stored bytes.
      if (!CellOffered(offered, cell)) continue;
      const int shown = controls_.Value(h_.cells[static_cast<std::size_t>(cell)]);
      SetStoredCell(image_, map, cell, static_cast<unsigned>(std::max(shown, 0) / divisor));
    }
    return;
  }
  if (map == MapId::kInj1A) {
    GatherInj1ACells(base_before);
    return;
  }
  const WordMap wm = *WordMapOfMap(map);
  CellArray& percent = word_maps_.Percent(wm);
  for (int cell = 0; PartsOf(layout_).cell_enabled && cell < kMapCells; ++cell) {
    const int shown = controls_.Value(h_.cells[static_cast<std::size_t>(cell)]);
    percent[static_cast<std::size_t>(cell)] =
        static_cast<std::uint16_t>(std::clamp(shown, 0, 65535));
  }
  StoreChangedWordsFromPercent(image_, word_maps_, wm, base_before[static_cast<std::size_t>(wm)]);
}

void MapEditor::GatherInj1ACells(const BaseTimes& base_before) {
  const unsigned mode = image_.Byte(kJetCouplingModeOffset);
  CellArray& own = word_maps_.Percent(WordMap::kInj1A);
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    const int fresh = std::clamp(controls_.Value(h_.cells[i]), 0, 65535);
    const int old = own[i];
    if (mode == kModeCoupled && fresh != old) {
      for (WordMap wm : kFollowerWordMaps) {
        std::uint16_t& value = word_maps_.Percent(wm)[i];
        value = static_cast<std::uint16_t>(std::clamp(value + fresh - old, 0, kCoupledPercentMax));
      }
    }
    own[i] = static_cast<std::uint16_t>(fresh);
  }
  StoreChangedWordsFromPercent(image_, word_maps_, WordMap::kInj1A,
                               base_before[static_cast<std::size_t>(WordMap::kInj1A)]);
  if (mode == kModeCoupled) {
    for (WordMap wm : kFollowerWordMaps) {
      StoreChangedWordsFromPercent(image_, word_maps_, wm,
                                   base_before[static_cast<std::size_t>(wm)]);
    }
  } else if (mode == kModeAllEqual) {
    CopyInj1AOverChannels();
  }
}

void MapEditor::GatherHeader(int page) {
  for (const HeaderFieldEntry& entry : kHeaderFields) {
    if (entry.page != page) continue;
    const ControlHandle h = h_.header_fields[static_cast<std::size_t>(entry.field)];
    // A hidden header field is not read back: it may show a limited value of a byte it does not
    // own on this configuration.
    if (!controls_.Visible(h)) continue;
    const Field* field = FindField(entry.dictionary_name);
    if (field == nullptr) continue;
    const ShownRange range = RangeOf(*field, image_);
    FromShown(*field, std::clamp(controls_.Value(h), range.min, range.max), image_, entry.element);
  }
}

void MapEditor::GatherServoControls(int page) {
  const ServoBytes* servo = ServoBytesOf(page);
  if (servo == nullptr) return;
  image_.SetByte(servo->enable, controls_.Checked(h_.servo_enable) ? 1 : 0);
  if (controls_.Visible(h_.servo_mode)) {
    image_.SetByte(servo->mode,
                   static_cast<unsigned>(std::clamp(controls_.Value(h_.servo_mode), 0, 2)));
  }
  if (servo == &kIntakeServoBytes && controls_.Visible(h_.step_motor)) {
    const bool allowed = image_.Byte(kBikeCodeOffset) != kStepMotorForbiddenBike;
    image_.SetByte(kStepMotorOffset, allowed && controls_.Checked(h_.step_motor) ? 1 : 0);
  }
  // The unit flag never changes without converting the map: the cells were read above in the
  // old unit and are converted with it.
  if (controls_.Visible(h_.percent)) PercentSwitch(page);
}

}  // namespace korvan
