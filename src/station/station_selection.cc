// Many cells of the active map page: the selection gestures, the operations, copy and paste.

#include <string>

#include "station/station.h"

namespace korvan {

namespace {

void Substitute(std::string& text, std::string_view name, const std::string& value) {
  if (const std::size_t at = text.find(name); at != std::string::npos) {
    text.replace(at, name.size(), value);
  }
}

}  // namespace

void Station::MapCellClick(GridCell cell) {
  if (MapEditor::IsMapPage(active_page_)) maps_.selection(active_page_).PlaceAnchor(cell);
}

void Station::MapCellShiftClick(GridCell cell) {
  if (MapEditor::IsMapPage(active_page_)) maps_.selection(active_page_).ExtendTo(cell);
}

void Station::MapCellCtrlClick(GridCell cell) {
  if (MapEditor::IsMapPage(active_page_)) maps_.selection(active_page_).Toggle(cell);
}

void Station::MapShiftArrow(int rows, int columns) {
  if (MapEditor::IsMapPage(active_page_)) maps_.selection(active_page_).ExtendBy(rows, columns);
}

void Station::MapRowHeaderClick(int row, bool shift) {
  if (MapEditor::IsMapPage(active_page_)) maps_.selection(active_page_).SelectRow(row, shift);
}

void Station::MapColumnHeaderClick(int column, bool shift) {
  if (MapEditor::IsMapPage(active_page_)) {
    maps_.selection(active_page_).SelectColumn(column, shift);
  }
}

void Station::MapSelectAll() {
  if (MapEditor::IsMapPage(active_page_)) maps_.selection(active_page_).SelectAll();
}

void Station::MapSelectNone() {
  if (MapEditor::IsMapPage(active_page_)) maps_.selection(active_page_).Clear();
}

bool Station::MapSelectionOperation(const MapOperation& operation) {
  if ((maps_.selection(active_page_).cells() & maps_.EditableCells(active_page_)).none()) {
    return false;
  }
  // A value typed into a field and not yet taken is taken first, as the next edit takes it.
  EndReadForUserAction();
  GatherPage();
  const bool stored = maps_.ApplyToSelection(active_page_, operation);
  CommitPageEdit();
  return stored;
}

bool Station::MapPasteText(std::string_view text) {
  using Status = MapEditor::PasteResult::Status;
  if (maps_.EditableCells(active_page_).none()) return false;
  EndReadForUserAction();
  GatherPage();
  const MapEditor::PasteResult result = maps_.PasteText(active_page_, text);
  CommitPageEdit();
  std::string message;
  switch (result.status) {
    case Status::kPasted:
    case Status::kNotEditable:
      return result.status == Status::kPasted;
    case Status::kEmpty:
      message = Text(MessageKey::kMsgMapPasteEmpty);
      break;
    case Status::kNotANumber:
      message = Text(MessageKey::kMsgMapPasteNotANumber);
      Substitute(message, "{row}", std::to_string(result.row));
      Substitute(message, "{column}", std::to_string(result.column));
      Substitute(message, "{text}", result.text);
      break;
    case Status::kDoesNotFit:
      message = Text(MessageKey::kMsgMapPasteDoesNotFit);
      Substitute(message, "{rows}", std::to_string(result.rows));
      Substitute(message, "{columns}", std::to_string(result.columns));
      break;
  }
  desktop_.ShowMessage(message);
  return false;
}

}  // namespace korvan
