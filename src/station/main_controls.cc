// The controls of the main window outside the map grid: menus, tool bar, page tabs, the status
// line and its companions. The map grid's controls are the map editor's.
#include "station/main_controls.h"

#include <string>

#include "link/transfer_session.h"
#include "station/port_menu.h"
#include "texts/window_texts.h"

namespace korvan {
namespace {

struct MenuEntry {
  const char* name;
  const char* caption;  // only where it is the same in every language
  MenuSeparator separator = MenuSeparator::kNone;
};

// The controls around the pages and where they sit in the 1056-pixel-wide window. The widths hold
// the longest caption of the four languages ("Mémoriser", "Programmieren", "Programmer après
// modification"). The connection and the version share a place: one of them shows.
struct FramePlace {
  const char* name;
  int x, y, width, height;
};

constexpr FramePlace kToolBar[] = {
    {"SpeedButton6", 4, 4, 62, 26},      {"SpeedButton5", 68, 4, 62, 26},
    {"SpeedButton7", 132, 4, 74, 26},    {"SpeedButtonPrint", 208, 4, 66, 26},
    {"SpeedButtonZpet", 280, 4, 58, 26}, {"SpeedButtonZnovu", 340, 4, 58, 26},
    {"ButtonProgram", 406, 4, 104, 26},  {"ButtonVerify", 514, 4, 90, 26},
    {"ButtonRead", 608, 4, 60, 26},
};

}  // namespace

MainControls CreateMainControls(ControlSet& c, PortMenu& ports) {
  MainControls m;
  m.page_control = c.Add("PageControl1", ControlKind::kPageControl);
  // The window itself: its caption is the title, its colour the background behind every page
  // (white on a printout).
  m.form = c.Add(std::string(kWindowCaptionControl), ControlKind::kWindow);

  // Menus: the menu, then its items in order, each with the separator that closes its group.
  // Captions and hints come from the window's texts (window_texts.cc) when the station loads a
  // language.
  const auto menu = [&](const char* name, std::initializer_list<MenuEntry> items) {
    const ControlHandle h = c.Add(name, ControlKind::kMenu);
    for (const MenuEntry& item : items) {
      const ControlHandle i = c.Add(item.name, ControlKind::kMenuItem);
      c.SetText(i, item.caption);
      c.SetSeparator(i, item.separator);
    }
    return h;
  };
  constexpr MenuSeparator kEnd = MenuSeparator::kAfter;
  menu("MenuFile", {{"MenuNew", ""},
                    {"MenuNewActPage", "", kEnd},
                    {"MenuOpen", ""},
                    {"MenuOpenActPage", ""},
                    {"MenuAsideEdits", "", kEnd},
                    {"MenuSave", "", kEnd},
                    {"MenuPrint", "", kEnd},
                    {"MenuExit", ""}});
  menu("MenuCom", {});
  ports.CreateControls();
  menu("MenuDevice",
       {{"MenuRead", ""}, {"MenuVerify", ""}, {"MenuProgram", ""}, {"MenuShowDifferences", ""}});
  menu("Menu_Jet123Mode",
       {{"Menu_Jet123Normal", ""}, {"Menu_Jet123Coupled", ""}, {"Menu_Jet123Stejny", "1=2=3=4"}});
  menu("MenuTools", {{"MenuToolsMinus", "Minus "},
                     {"MenuToolsPlus", "Plus", kEnd},
                     {"MenuZpet", ""},
                     {"MenuZnovu", ""},
                     {"MenuLadeni", ""},
                     {"MenuCompare", ""},
                     {"MenuMap3D", ""},
                     {"MenuCellGrades", ""},
                     {"MenuPrintGrades", ""}});
  menu("MenuCells", {{"MenuCellsSelectAll", ""},
                     {"MenuCellsCopy", ""},
                     {"MenuCellsPaste", "", kEnd},
                     {"MenuCellsSet", ""},
                     {"MenuCellsAdd", ""},
                     {"MenuCellsScale", "", kEnd},
                     {"MenuCellsRows", ""},
                     {"MenuCellsColumns", ""},
                     {"MenuCellsCorners", ""},
                     {"MenuCellsSmooth", ""}});
  menu("MenuLanguage",
       {{"MenuEnglish", ""}, {"MenuGerman", ""}, {"MenuFrench", ""}, {"MenuCzech", ""}});
  menu("MenuHelp", {{"MenuContens", ""}, {"MenuAbout", ""}});
  m.menu_servis = menu("MenuServis", {{"MenuSaveAllNew", ""}, {"MenuCompareAll", ""}});
  m.menu_language = {c.Handle("MenuEnglish"), c.Handle("MenuGerman"), c.Handle("MenuFrench"),
                     c.Handle("MenuCzech")};

  // Tool bar.
  for (const FramePlace& p : kToolBar) {
    c.SetGeometry(c.Add(p.name, ControlKind::kButton), p.x, p.y, p.width, p.height);
  }
  m.menu_cell_grades = c.Handle("MenuCellGrades");
  m.menu_print_grades = c.Handle("MenuPrintGrades");
  m.undo = {c.Handle("SpeedButtonZpet"), c.Handle("MenuZpet")};
  m.redo = {c.Handle("SpeedButtonZnovu"), c.Handle("MenuZnovu")};

  // The designed pages; the map pages' tabs come from the map editor.
  struct TabEntry {
    int page;
    const char* name;
    const char* caption;
  };
  const TabEntry tabs[] = {
      {kPageBike, "TabSheet_Bike", "Bike"},
      {kPagePosition, "TabSheet_Poloha", "Position"},
      {kPageCorrections, "TabSheet_Korekce", "Corrections"},
      {kPageSensors, "TabSheet_Cidla", "Sensors"},
      {kPageIdle, "TabSheet_Idle", "Idle"},
      {kPageN2o, "TabSheet_Gas", "N2O"},
      {kPageRace, "TabSheet_Race", "Race"},
      {kPageGear, "TabSheet_Gear", "Gear"},
      {kPageTuning, "TabSheet_Ladeni", "Tuning"},
      {kPageMonitor, "TabSheet_Monitor", "Monitor"},
  };
  for (const TabEntry& t : tabs) {
    const ControlHandle h = c.Add(t.name, ControlKind::kTab, t.page);
    c.SetText(h, t.caption);
    c.SetValue(h, t.page);
    m.tabs[static_cast<std::size_t>(t.page)] = h;
  }
  // The tuning page is for experienced users only: its tab stays hidden.
  c.SetVisible(m.tabs[kPageTuning], false);

  // The status line along the bottom; at the top right the unit's version (or the connection),
  // and under it "File:" with the file's name, so that the version never stands under the
  // file's caption as if it were the file.
  m.label_hlaseni = c.Add("LabelHlaseni", ControlKind::kLabel);
  c.SetGeometry(m.label_hlaseni, 4, 678, 430, 20);
  m.gauge = c.Add("CGaugeProgram", ControlKind::kGauge);
  c.SetGeometry(m.gauge, 440, 678, 300, 20);
  c.SetRange(m.gauge, 0, TransferSession::kGaugeMax, 1);
  m.label_spojeni = c.Add("LabelSpojeni", ControlKind::kLabel);
  c.SetGeometry(m.label_spojeni, 890, 2, 162, 17);
  c.SetFontColor(m.label_spojeni, kColorRed);
  m.label_version = c.Add("LabelVersion", ControlKind::kLabel);
  c.SetGeometry(m.label_version, 890, 2, 162, 17);
  m.label_ee_data_err = c.Add("LabelEeDataErr", ControlKind::kLabel);
  c.SetGeometry(m.label_ee_data_err, 750, 678, 300, 20);
  for (int i = 0; i < 8; ++i) {
    m.label_test[static_cast<std::size_t>(i)] =
        c.Add("LabelTest" + std::to_string(i + 1), ControlKind::kLabel);
    // The test values side by side in the free row between the status line and the live panel.
    c.SetGeometry(m.label_test[static_cast<std::size_t>(i)], 4 + i * 131, 700, 127, 18);
  }
  m.check_prog_hned = c.Add("CheckBoxProgHned", ControlKind::kCheckBox);
  c.SetGeometry(m.check_prog_hned, 672, 2, 216, 17);
  m.check_zakaz_cteni = c.Add("CheckBoxZakazCteni", ControlKind::kCheckBox);
  c.SetGeometry(m.check_zakaz_cteni, 672, 19, 216, 17);
  m.status_bar = c.Add("StatusBar1", ControlKind::kStatusBar);
  c.SetGeometry(c.Add("LabelFile1", ControlKind::kLabel), 890, 19, 48, 17);
  m.label_file2 = c.Add("LabelFile2", ControlKind::kLabel);
  c.SetGeometry(m.label_file2, 940, 19, 112, 17);
  return m;
}

std::optional<ControlHandle> TabOfPage(const ControlSet& controls, int page) {
  for (ControlHandle h = 0; h < controls.size(); ++h) {
    const Control& c = controls.Get(h);
    if (c.kind == ControlKind::kTab && c.page == page) return h;
  }
  return std::nullopt;
}

}  // namespace korvan
