#pragma once

#include <array>
#include <optional>

#include "base/control_set.h"
#include "image/page_index.h"

namespace korvan {

class PortMenu;

// The controls of the main window outside the map grid, the settings pages and the menus that
// have a part of their own: the frame around the pages, the status line and its companions.
struct MainControls {
  ControlHandle page_control = 0;
  ControlHandle form = 0;  // FormHlav: the window's own background
  ControlHandle label_hlaseni = 0;
  ControlHandle gauge = 0;
  ControlHandle label_spojeni = 0;
  ControlHandle label_version = 0;
  ControlHandle label_ee_data_err = 0;
  ControlHandle label_file2 = 0;
  ControlHandle check_prog_hned = 0;
  ControlHandle check_zakaz_cteni = 0;
  ControlHandle menu_servis = 0;
  ControlHandle menu_cell_grades = 0;   // the map cells' colour grades, checked while on
  ControlHandle menu_print_grades = 0;  // the grades on the printout too
  ControlHandle status_bar = 0;
  std::array<ControlHandle, 8> label_test{};
  std::array<ControlHandle, 4> menu_language{};
  std::array<ControlHandle, 2> undo{};
  std::array<ControlHandle, 2> redo{};
  std::array<ControlHandle, kPageCount> tabs{};
};

// The window's place and size, restored at start and kept at close; -1: centred / default.
struct WindowGeometry {
  int left = -1;
  int top = -1;
  int width = 1056;
  int height = 901;
};

// Adds the window's menus, tool bar, page tabs and status line to the set in the window's order;
// the Com menu's items come from the port menu.
MainControls CreateMainControls(ControlSet& controls, PortMenu& ports);

// The tab that shows the page; the map pages' tabs are the map editor's.
std::optional<ControlHandle> TabOfPage(const ControlSet& controls, int page);

}  // namespace korvan
