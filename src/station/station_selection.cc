// Many cells of the active map page: the selection gestures, the operations, copy and paste.

#include <string>

#include "station/station.h"
#include "texts/page_captions.h"

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

// --- The Cells menu ----------------------------------------------------------------------------

void Station::MenuCellsCopyClick() {
  if (!MapEditor::IsMapPage(active_page_)) return;
  if (map_selection().empty()) {
    desktop_.ShowMessage(Text(MessageKey::kMsgMapSelectFirst));
    return;
  }
  desktop_.SetClipboardText(MapCopyText());
}

void Station::MenuCellsPasteClick() {
  if (!MapEditor::IsMapPage(active_page_)) return;
  MapPasteText(desktop_.ClipboardText());
}

void Station::Operate(const MapOperation& operation) {
  if (!MapEditor::IsMapPage(active_page_)) return;
  if (map_selection().empty()) {
    desktop_.ShowMessage(Text(MessageKey::kMsgMapSelectFirst));
    return;
  }
  MapSelectionOperation(operation);
}

void Station::AskAndOperate(MapOperationKind kind) {
  if (!MapEditor::IsMapPage(active_page_)) return;
  if (map_selection().empty()) {
    desktop_.ShowMessage(Text(MessageKey::kMsgMapSelectFirst));
    return;
  }
  // What the page shows: its range bounds the value asked for, a sum may reach across it.
  const MapEditor::CellScale scale = maps_.ShownScale(active_page_);
  const double span = scale.max - scale.min;
  struct Ask {
    MessageKey label;
    double value, min, max;
    int decimals;
  };
  Ask ask{MessageKey::kMsgMapAskValue, scale.min, scale.min, scale.max, scale.decimals};
  switch (kind) {
    case MapOperationKind::kAdd:
      ask = {MessageKey::kMsgMapAskAdd, 0.0, -span, span, scale.decimals};
      break;
    case MapOperationKind::kScale:
      ask = {MessageKey::kMsgMapAskScale, 100.0, 0.0, 1000.0, 1};
      break;
    case MapOperationKind::kSmooth:
      ask = {MessageKey::kMsgMapAskSmooth, 50.0, 0.0, 100.0, 0};
      break;
    default:
      // Set: the first selected cell's value as the page shows it is the offer.
      if (const std::optional<CellBox> box = map_selection().Bounds()) {
        const ShownGrid shown = maps_.ShownValues(active_page_);
        ask.value = shown[static_cast<std::size_t>(CellIndex(box->top, box->left))];
      }
      break;
  }
  const std::optional<double> answer =
      desktop_.AskNumber(PageCaption(active_page_, language_), Text(ask.label), ask.value, ask.min,
                         ask.max, ask.decimals);
  if (!answer) return;
  const double amount = kind == MapOperationKind::kSmooth ? *answer / 100.0 : *answer;
  MapSelectionOperation({kind, amount});
}

}  // namespace korvan
