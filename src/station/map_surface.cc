#include "station/map_surface.h"

#include <string>

#include "image/map_storage.h"
#include "maps/map_editor.h"

namespace korvan {
namespace {

ControlHandle Numbered(const ControlSet& controls, const char* stem, int n) {
  return controls.Handle(std::string(stem) + std::to_string(n));
}

}  // namespace

std::optional<MapSurface> MapSurfaceOf(const ControlSet& controls, int page,
                                       std::optional<LiveCell> operating) {
  if (!MapEditor::IsMapPage(page)) return std::nullopt;
  MapSurface s;
  s.page = page;
  // The pressure page shows its axis in fields of its own; the other pages show the throttle
  // rows' labels.
  s.pressure_rows = controls.Get(Numbered(controls, "MapRowAxis", 0)).visible;
  for (int column = 0; column < kMapColumns; ++column) {
    const Control& speed = controls.Get(Numbered(controls, "MapRpm", column));
    if (!speed.visible) continue;
    s.columns.push_back(column);
    s.speeds.push_back(speed.value);
  }
  for (int row = 0; row < kMapRows; ++row) {
    bool shown = false;
    for (const int column : s.columns) {
      if (controls.Get(Numbered(controls, "MapCell", row * kMapColumns + column)).visible) {
        shown = true;
        break;
      }
    }
    if (!shown) continue;
    s.rows.push_back(row);
    s.loads.push_back(s.pressure_rows ? controls.Get(Numbered(controls, "MapRowAxis", row)).value
                                      : kThrottleRows[static_cast<std::size_t>(row)]);
  }
  for (const int row : s.rows) {
    for (const int column : s.columns) {
      s.values.push_back(
          controls.Get(Numbered(controls, "MapCell", row * kMapColumns + column)).value);
    }
  }
  if (operating) {
    for (std::size_t r = 0; r < s.rows.size(); ++r) {
      if (s.rows[r] == operating->row) s.live_row = static_cast<int>(r);
    }
    for (std::size_t c = 0; c < s.columns.size(); ++c) {
      if (s.columns[c] == operating->column) s.live_column = static_cast<int>(c);
    }
    if (!s.live_row || !s.live_column) s.live_row = s.live_column = std::nullopt;
  }
  return s;
}

}  // namespace korvan
