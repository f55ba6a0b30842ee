// The live cursor: which map cell, axis point and row the engine is using now.
#include <string>

#include "image/field_dictionary.h"
#include "image/map_storage.h"
#include "monitor/live_cell.h"
#include "station/station.h"

namespace korvan {

void Station::FindCursorHandles() {
  const auto find = [this](const std::string& name, ControlHandle& out) {
    const std::optional<ControlHandle> h = controls_.Find(name);
    if (!h) return false;
    out = *h;
    return true;
  };
  bool all = true;
  for (int c = 0; c < kMapColumns; ++c) {
    all &= find("MapRpm" + std::to_string(c), cursor_.rpm[static_cast<std::size_t>(c)]);
  }
  for (int r = 0; r < kMapRows; ++r) {
    all &= find("MapRowLabel" + std::to_string(r), cursor_.row_label[static_cast<std::size_t>(r)]);
    all &= find("MapRowAxis" + std::to_string(r), cursor_.row_axis[static_cast<std::size_t>(r)]);
  }
  for (int i = 0; i < kMapCells; ++i) {
    all &= find("MapCell" + std::to_string(i), cursor_.cell[static_cast<std::size_t>(i)]);
    all &=
        find("MapValueLabel" + std::to_string(i), cursor_.value_label[static_cast<std::size_t>(i)]);
  }
  cursor_.ready = all;
}

void Station::UpdateLiveCursor() {
  if (MapEditor::IsMapPage(active_page_)) PaintMapCursor();
  // The bike, sensors, N2O, tuning and monitor pages have no cursor.
  pages_.PaintLiveCursor(active_page_, device_.live(), image_);
}

std::optional<MapCursor> Station::CursorOfActivePage() const {
  const std::optional<MapId> map = MapOfPage(active_page_);
  if (!map) return std::nullopt;
  std::array<std::uint8_t, 15> axis{};
  for (int c = 0; c < kMapColumns; ++c)
    axis[static_cast<std::size_t>(c)] = image_.Byte(AxisOffset(*map, c));
  std::array<std::uint16_t, 10> iap_axis{};
  for (int r = 0; r < kMapRows; ++r) {
    iap_axis[static_cast<std::size_t>(r)] = image_.Word(kIapRowAxisWord + r);
  }
  MapPageFacts facts;
  facts.page = active_page_;
  facts.advance_by_throttle = image_.Byte(kAdvanceByThrottleOffset) != 0;
  facts.servo_mode = active_page_ == kPageIntakeServo    ? image_.Byte(kIntakeServoModeOffset)
                     : active_page_ == kPageExhaustServo ? image_.Byte(kExhaustServoModeOffset)
                                                         : 0;
  return ComputeMapCursor(device_.live(), axis, iap_axis, facts);
}

void Station::PaintMapCursor() {
  if (!cursor_.ready) return;
  const std::optional<MapCursor> found = CursorOfActivePage();
  if (!found) return;
  const MapCursor& cursor = *found;
  for (int c = 0; c < kMapColumns; ++c) {
    const bool lit = cursor.column_header_lit && c == cursor.column;
    controls_.SetColor(cursor_.rpm[static_cast<std::size_t>(c)], lit ? kColorLime : kDefaultColor);
  }
  for (int r = 0; r < kMapRows; ++r) {
    const auto i = static_cast<std::size_t>(r);
    controls_.SetColor(cursor_.row_label[i], cursor.throttle_row == r ? kColorLime : kDefaultColor);
    controls_.SetColor(cursor_.row_axis[i], cursor.iap_row == r ? kColorLime : kDefaultColor);
  }
  int lit_cell = -1;
  std::uint32_t lit_color = kDefaultColor;
  if (cursor.cell) {
    lit_cell = CellIndex(cursor.cell->row, cursor.cell->column);
    lit_color = cursor.cell->shade == LiveCellShade::kYellow ? kColorYellow : kColorLime;
  }
  for (int i = 0; i < kMapCells; ++i) {
    const std::uint32_t color = i == lit_cell ? lit_color : kDefaultColor;
    controls_.SetColor(cursor_.cell[static_cast<std::size_t>(i)], color);
    // The time view's labels show the same cursor; window there is drawn as face, opaque over
    // the field they stand on.
    controls_.SetColor(cursor_.value_label[static_cast<std::size_t>(i)],
                       i == lit_cell ? lit_color : kFaceColor);
  }
}

}  // namespace korvan
