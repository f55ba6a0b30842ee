#include "maps/map_editor.h"

namespace korvan {

// Placeholder bodies until the map pages land; the station already drives this interface.
void MapEditor::CreateControls() {}
bool MapEditor::IsMapPage(int page) {
  return (page >= 1 && page <= 7) || page == 11 || page == 12;
}
void MapEditor::Scatter(int) {}
void MapEditor::Gather(int) {}
void MapEditor::Layout(int) {}
bool MapEditor::ToolStep(int, int, std::optional<LiveCell>) { return false; }
bool MapEditor::ColumnStep(int, int, int) { return false; }
void MapEditor::PercentSwitch(int) {}
void MapEditor::ServoEnableChanged(int) {}
void MapEditor::ServoModeChanged(int) {}
void MapEditor::SetCouplingMode(int, int&) {}
void MapEditor::UpdateModeControls() {}
void MapEditor::RefreshPercentArrays() {}
bool MapEditor::time_view() const { return false; }
void MapEditor::set_time_view(bool) {}

}  // namespace korvan
