// The live cursor: which map cell, axis point and row the engine is using now.
#include "station/live_cursor.h"

#include <string>

#include "image/field_dictionary.h"
#include "image/map_storage.h"
#include "image/page_index.h"

namespace korvan {

void LiveCursor::FindHandles() {
  const auto find = [this](const std::string& name, ControlHandle& out) {
    const std::optional<ControlHandle> h = controls_.Find(name);
    if (!h) return false;
    out = *h;
    return true;
  };
  bool all = true;
  for (int c = 0; c < kMapColumns; ++c) {
    all &= find("MapRpm" + std::to_string(c), rpm_[static_cast<std::size_t>(c)]);
  }
  for (int r = 0; r < kMapRows; ++r) {
    all &= find("MapRowLabel" + std::to_string(r), row_label_[static_cast<std::size_t>(r)]);
    all &= find("MapRowAxis" + std::to_string(r), row_axis_[static_cast<std::size_t>(r)]);
  }
  for (int i = 0; i < kMapCells; ++i) {
    all &= find("MapCell" + std::to_string(i), cell_[static_cast<std::size_t>(i)]);
    all &= find("MapValueLabel" + std::to_string(i), value_label_[static_cast<std::size_t>(i)]);
  }
  ready_ = all;
}

std::optional<MapCursor> LiveCursor::CursorOf(int page) const {
  const std::optional<MapId> map = MapOfPage(page);
  if (!map) return std::nullopt;
  std::array<std::uint8_t, 15> axis{};
  for (int c = 0; c < kMapColumns; ++c)
    axis[static_cast<std::size_t>(c)] = image_.Byte(AxisOffset(*map, c));
  std::array<std::uint16_t, 10> iap_axis{};
  for (int r = 0; r < kMapRows; ++r) {
    iap_axis[static_cast<std::size_t>(r)] = image_.Word(kIapRowAxisWord + r);
  }
  MapPageFacts facts;
  facts.page = page;
  facts.advance_by_throttle = image_.Byte(kAdvanceByThrottleOffset) != 0;
  facts.servo_mode = page == kPageIntakeServo    ? image_.Byte(kIntakeServoModeOffset)
                     : page == kPageExhaustServo ? image_.Byte(kExhaustServoModeOffset)
                                                 : 0;
  return ComputeMapCursor(live_, axis, iap_axis, facts);
}

void LiveCursor::Paint(int page, bool plain) {
  if (!ready_) return;
  const std::optional<MapCursor> found = CursorOf(page);
  if (!found) return;
  const MapCursor& cursor = *found;
  for (int c = 0; c < kMapColumns; ++c) {
    const bool lit = cursor.column_header_lit && c == cursor.column;
    controls_.SetColor(rpm_[static_cast<std::size_t>(c)], lit ? kColorLime : kDefaultColor);
  }
  for (int r = 0; r < kMapRows; ++r) {
    const auto i = static_cast<std::size_t>(r);
    controls_.SetColor(row_label_[i], cursor.throttle_row == r ? kColorLime : kDefaultColor);
    controls_.SetColor(row_axis_[i], cursor.iap_row == r ? kColorLime : kDefaultColor);
  }
  int lit_cell = -1;
  std::uint32_t lit_color = kDefaultColor;
  if (cursor.cell) {
    lit_cell = CellIndex(cursor.cell->row, cursor.cell->column);
    lit_color = cursor.cell->shade == LiveCellShade::kYellow ? kColorYellow : kColorLime;
  }
  for (int i = 0; i < kMapCells; ++i) {
    const auto c = static_cast<std::size_t>(i);
    const CellShade shade = plain ? CellShade{} : shades_[c];
    const bool graded = shade.color != kDefaultColor;
    // The lit cell keeps the cursor's colour and the window's text over any grade.
    const std::uint32_t font = i == lit_cell ? kDefaultColor : shade.font_color;
    controls_.SetColor(cell_[c], i == lit_cell ? lit_color : shade.color);
    controls_.SetFontColor(cell_[c], font);
    // The time view's labels show the same cursor and grades; window there is drawn as face,
    // opaque over the field they stand on.
    controls_.SetColor(value_label_[c], i == lit_cell ? lit_color
                                        : graded      ? shade.color
                                                      : kFaceColor);
    controls_.SetFontColor(value_label_[c], font);
  }
}

}  // namespace korvan
