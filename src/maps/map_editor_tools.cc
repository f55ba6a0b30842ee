// The one-step tools, the servo switches and the injection channel modes.

#include <algorithm>

#include "image/field_dictionary.h"
#include "maps/map_editor.h"

namespace korvan {

namespace {

constexpr int kIdleServoCount = 9;
constexpr unsigned kIdleTypeServo = 1;
constexpr unsigned kByteMax = 255;
constexpr int kPercentStepMax = 65535;

unsigned StepByte(unsigned b, int direction) {
  if (direction < 0) return b > 0 ? b - 1 : 0;
  return b < kByteMax ? b + 1 : kByteMax;
}

std::uint16_t StepPercent(std::uint16_t p, int direction) {
  if (direction < 0) return p > 0 ? static_cast<std::uint16_t>(p - 1) : 0;
  return p < kPercentStepMax ? static_cast<std::uint16_t>(p + 1) : p;
}

// Servo units: percent = (2b + 2) / 5; back out of percent 5b / 2, at most a full byte (a cell
// raised past 100 % by the tools would otherwise wrap).
unsigned IntoPercent(unsigned b) { return (2 * b + 2) / 5; }
unsigned OutOfPercent(unsigned b) { return std::min(5 * b / 2, kByteMax); }

}  // namespace

bool MapEditor::StepCells(int page, const std::array<bool, kMapCells>& targets, int direction) {
  const std::optional<MapId> map = MapOfPage(page);
  if (!map) return false;
  if (!MapInfo(*map).word_cells) {
    for (int cell = 0; cell < kMapCells; ++cell) {
      if (!targets[static_cast<std::size_t>(cell)]) continue;
      SetStoredCell(image_, *map, cell, StepByte(StoredCell(image_, *map, cell), direction));
    }
    return true;
  }
  const WordMap own = *WordMapOfMap(*map);
  const bool follower = own == WordMap::kInj2A || own == WordMap::kInj3A || own == WordMap::kInj4A;
  if (follower && ChannelsFollow1A(image_)) return false;
  const bool coupled =
      own == WordMap::kInj1A && image_.Byte(kJetCouplingModeOffset) == kModeCoupled;

  // The percentages are taken from the image as it is now, for the page on display and for the
  // coupled channels alike.
  ComputeBaseTimesNow();
  DerivePercent(own);
  if (coupled) {
    for (WordMap wm : kFollowerWordMaps) DerivePercent(wm);
  }
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    if (!targets[i]) continue;
    word_maps_.Percent(own)[i] = StepPercent(word_maps_.Percent(own)[i], direction);
    if (coupled) {
      for (WordMap wm : kFollowerWordMaps) {
        word_maps_.Percent(wm)[i] = StepPercent(word_maps_.Percent(wm)[i], direction);
      }
    }
  }
  StoreChangedWordsFromPercent(image_, word_maps_, own, word_maps_.BaseTime(own));
  if (coupled) {
    for (WordMap wm : kFollowerWordMaps) {
      StoreChangedWordsFromPercent(image_, word_maps_, wm, word_maps_.BaseTime(wm));
    }
  }
  return true;
}

bool MapEditor::ToolStep(int page, int direction, std::optional<LiveCell> live_cell) {
  if (!IsMapPage(page) || direction == 0) return false;
  std::array<bool, kMapCells> targets{};
  if (const MapSelection& chosen = selection(page); !chosen.empty()) {
    const CellMask cells = chosen.cells() & EditableCells(page);
    for (int cell = 0; cell < kMapCells; ++cell) {
      targets[static_cast<std::size_t>(cell)] = cells.test(static_cast<std::size_t>(cell));
    }
  } else if (all_flags_[static_cast<std::size_t>(page)] != 0) {
    targets.fill(true);
  } else {
    if (!live_cell || live_cell->row < 0 || live_cell->row >= kMapRows || live_cell->column < 0 ||
        live_cell->column >= kMapColumns) {
      return false;
    }
    targets[static_cast<std::size_t>(CellIndex(live_cell->row, live_cell->column))] = true;
  }
  return StepCells(page, targets, direction);
}

bool MapEditor::ColumnStep(int page, int column, int direction) {
  if (!IsMapPage(page) || direction == 0 || column < 0 || column >= kMapColumns) return false;
  std::array<bool, kMapCells> targets{};
  for (int row = 0; row < kMapRows; ++row) {
    targets[static_cast<std::size_t>(CellIndex(row, column))] = true;
  }
  return StepCells(page, targets, direction);
}

void MapEditor::ConvertServoUnits(int page, bool into_percent) {
  const std::optional<MapId> map = MapOfPage(page);
  if (!map) return;
  for (int cell = 0; cell < kMapCells; ++cell) {
    const unsigned b = StoredCell(image_, *map, cell);
    SetStoredCell(image_, *map, cell, into_percent ? IntoPercent(b) : OutOfPercent(b));
  }
  // The idle servo positions share the intake servo's unit while the idle runs on that servo.
  if (*map == MapId::kIntakeServo && image_.Byte(kIdleTypeOffset) == kIdleTypeServo) {
    for (int k = 0; k < kIdleServoCount; ++k) {
      const unsigned b = image_.Byte(kIdleServoTableOffset + k);
      image_.SetByte(kIdleServoTableOffset + k, into_percent ? IntoPercent(b) : OutOfPercent(b));
    }
  }
}

void MapEditor::PercentSwitch(int page) {
  const ServoBytes* servo = ServoBytesOf(page);
  // The check boxes and the radio group show the page the grid was scattered onto.
  if (servo == nullptr || !created_ || page != grid_page_) return;
  const bool wanted = controls_.Checked(h_.percent);
  if (wanted == (image_.Byte(servo->percent) != 0)) return;
  image_.SetByte(servo->percent, wanted ? 1 : 0);
  ConvertServoUnits(page, wanted);
}

void MapEditor::ServoEnableChanged(int page) {
  const ServoBytes* servo = ServoBytesOf(page);
  // The check boxes and the radio group show the page the grid was scattered onto.
  if (servo == nullptr || !created_ || page != grid_page_) return;
  image_.SetByte(servo->enable, controls_.Checked(h_.servo_enable) ? 1 : 0);
  Layout(page);
}

void MapEditor::ServoModeChanged(int page) {
  const ServoBytes* servo = ServoBytesOf(page);
  // The check boxes and the radio group show the page the grid was scattered onto.
  if (servo == nullptr || !created_ || page != grid_page_) return;
  image_.SetByte(servo->mode,
                 static_cast<unsigned>(std::clamp(controls_.Value(h_.servo_mode), 0, 2)));
  Layout(page);
}

void MapEditor::SetCouplingMode(int mode, int& active_page) {
  if (mode < kModeSeparate || mode > kModeAllEqual) return;
  image_.SetByte(kJetCouplingModeOffset, static_cast<unsigned>(mode));
  if (mode == kModeSeparate) return;
  for (int col = 0; col < kMapColumns; ++col) {
    image_.SetByte(AxisOffset(MapId::kInj2A, col), image_.Byte(AxisOffset(MapId::kInj1A, col)));
  }
  if (mode == kModeAllEqual) {
    // The copies are made at once, so that the image is whole even before a map page is shown.
    CopyInj1AOverChannels();
    if (active_page == MapInfo(MapId::kInj2A).page || active_page == MapInfo(MapId::kInj3A).page ||
        active_page == MapInfo(MapId::kInj4A).page) {
      active_page = MapInfo(MapId::kInj1A).page;
    }
  }
}

void MapEditor::RefreshPercentArrays() {
  ComputeBaseTimesNow();
  for (int m = 0; m < kWordMapCount; ++m) DerivePercent(static_cast<WordMap>(m));
}

}  // namespace korvan
