// The controls of the main window outside the map grid: menus, tool bar, page tabs, the status
// line and its companions. The map grid's controls are the map editor's.
#include <string>

#include "station/station.h"
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

void Station::CreateControls() {
  ControlSet& c = controls_;
  page_control_ = c.Add("PageControl1", ControlKind::kPageControl);
  // The window itself: its caption is the title, its colour the background behind every page
  // (white on a printout).
  form_ = c.Add(std::string(kWindowCaptionControl), ControlKind::kWindow);

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
  for (int i = 0; i < kPortCount; ++i) {
    menu_com_[static_cast<std::size_t>(i)] =
        c.Add("MenuCom" + std::to_string(i + 1), ControlKind::kMenuItem);
    c.SetText(menu_com_[static_cast<std::size_t>(i)], "Com " + std::to_string(i + 1));
  }
  // The stable names under /dev/serial/by-id, as many as are plugged in. They and the run's own
  // device stand apart from the numbered ports.
  for (int i = 0; i < kStableNameItems; ++i) {
    menu_com_by_id_[static_cast<std::size_t>(i)] =
        c.Add("MenuComById" + std::to_string(i + 1), ControlKind::kMenuItem);
    c.SetVisible(menu_com_by_id_[static_cast<std::size_t>(i)], false);
  }
  c.SetSeparator(menu_com_by_id_[0], MenuSeparator::kBefore);
  menu_com_device_ = c.Add("MenuComDevice", ControlKind::kMenuItem);
  c.SetVisible(menu_com_device_, false);
  c.SetSeparator(menu_com_device_, MenuSeparator::kBefore);
  menu("MenuDevice",
       {{"MenuRead", ""}, {"MenuVerify", ""}, {"MenuProgram", ""}, {"MenuShowDifferences", ""}});
  menu("Menu_Jet123Mode",
       {{"Menu_Jet123Normal", ""}, {"Menu_Jet123Coupled", ""}, {"Menu_Jet123Stejny", "1=2=3=4"}});
  menu("MenuTools", {{"MenuToolsMinus", "Minus "},
                     {"MenuToolsPlus", "Plus", kEnd},
                     {"MenuZpet", ""},
                     {"MenuZnovu", ""},
                     {"MenuLadeni", ""},
                     {"MenuCompare", ""}});
  menu("MenuLanguage",
       {{"MenuEnglish", ""}, {"MenuGerman", ""}, {"MenuFrench", ""}, {"MenuCzech", ""}});
  menu("MenuHelp", {{"MenuContens", ""}, {"MenuAbout", ""}});
  menu_servis_ = menu("MenuServis", {{"MenuSaveAllNew", ""}, {"MenuCompareAll", ""}});
  menu_language_ = {c.Handle("MenuEnglish"), c.Handle("MenuGerman"), c.Handle("MenuFrench"),
                    c.Handle("MenuCzech")};

  // Tool bar.
  for (const FramePlace& p : kToolBar) {
    c.SetGeometry(c.Add(p.name, ControlKind::kButton), p.x, p.y, p.width, p.height);
  }
  undo_controls_ = {c.Handle("SpeedButtonZpet"), c.Handle("MenuZpet")};
  redo_controls_ = {c.Handle("SpeedButtonZnovu"), c.Handle("MenuZnovu")};

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
    tabs_[static_cast<std::size_t>(t.page)] = h;
  }
  // The tuning page is for experienced users only: its tab stays hidden.
  c.SetVisible(tabs_[kPageTuning], false);

  // The status line along the bottom, the connection and the file at the top right.
  label_hlaseni_ = c.Add("LabelHlaseni", ControlKind::kLabel);
  c.SetGeometry(label_hlaseni_, 4, 678, 430, 20);
  gauge_ = c.Add("CGaugeProgram", ControlKind::kGauge);
  c.SetGeometry(gauge_, 440, 678, 300, 20);
  c.SetRange(gauge_, 0, TransferSession::kGaugeMax, 1);
  label_spojeni_ = c.Add("LabelSpojeni", ControlKind::kLabel);
  c.SetGeometry(label_spojeni_, 890, 19, 162, 17);
  c.SetFontColor(label_spojeni_, kColorRed);
  label_version_ = c.Add("LabelVersion", ControlKind::kLabel);
  c.SetGeometry(label_version_, 890, 19, 162, 17);
  label_ee_data_err_ = c.Add("LabelEeDataErr", ControlKind::kLabel);
  c.SetGeometry(label_ee_data_err_, 750, 678, 300, 20);
  for (int i = 0; i < 8; ++i) {
    label_test_[static_cast<std::size_t>(i)] =
        c.Add("LabelTest" + std::to_string(i + 1), ControlKind::kLabel);
  }
  check_prog_hned_ = c.Add("CheckBoxProgHned", ControlKind::kCheckBox);
  c.SetGeometry(check_prog_hned_, 672, 2, 216, 17);
  check_zakaz_cteni_ = c.Add("CheckBoxZakazCteni", ControlKind::kCheckBox);
  c.SetGeometry(check_zakaz_cteni_, 672, 19, 216, 17);
  status_bar_ = c.Add("StatusBar1", ControlKind::kStatusBar);
  c.SetGeometry(c.Add("LabelFile1", ControlKind::kLabel), 890, 2, 48, 17);
  label_file2_ = c.Add("LabelFile2", ControlKind::kLabel);
  c.SetGeometry(label_file2_, 940, 2, 112, 17);
}

}  // namespace korvan
