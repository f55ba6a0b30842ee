// The map cells' colour grades: the option, its printing, and the shades the live cursor paints.
#include "maps/cell_grades.h"
#include "station/station.h"

namespace korvan {

// The scale spans the values the page shows, not the whole range a cell could hold: an advance
// map of 10..35 degrees in fields that take -10..60, or injection times far below the word's
// 65 ms, would otherwise use a sliver of the colours and look flat.
void Station::PaintGrades() {
  // Another page leaves no shades behind: the next map page starts from its own values.
  const bool map_page = MapEditor::IsMapPage(active_page_);
  cursor_.SetShades(cell_grades_ && map_page ? GradeCells(maps_.ShownValues(active_page_),
                                                          maps_.ShownCells(active_page_))
                                             : CellShades{});
  if (map_page) cursor_.Paint(active_page_);
}

void Station::MenuCellGradesClick() {
  cell_grades_ = !cell_grades_;
  controls_.SetChecked(ui_.menu_cell_grades, cell_grades_);
  PaintGrades();
}

void Station::MenuPrintGradesClick() {
  print_grades_ = !print_grades_;
  controls_.SetChecked(ui_.menu_print_grades, print_grades_);
}

}  // namespace korvan
