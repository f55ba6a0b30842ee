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
};

}  // namespace

void Station::CreateControls() {
  ControlSet& c = controls_;
  page_control_ = c.Add("PageControl1", ControlKind::kPageControl);
  // The window itself: its caption is the title, its colour the background behind every page
  // (white on a printout).
  form_ = c.Add(std::string(kWindowCaptionControl), ControlKind::kLabel);

  // Menus: the menu, then its items in order. Separators are the window's business. Captions and
  // hints come from the window's texts (window_texts.cc) when the station loads a language.
  const auto menu = [&](const char* name, std::initializer_list<MenuEntry> items) {
    const ControlHandle h = c.Add(name, ControlKind::kMenu);
    for (const MenuEntry& item : items) {
      const ControlHandle i = c.Add(item.name, ControlKind::kMenuItem);
      c.SetText(i, item.caption);
    }
    return h;
  };
  menu("MenuFile", {{"MenuNew", ""},
                    {"MenuNewActPage", ""},
                    {"MenuOpen", ""},
                    {"MenuOpenActPage", ""},
                    {"MenuAsideEdits", ""},
                    {"MenuSave", ""},
                    {"MenuPrint", ""},
                    {"MenuExit", ""}});
  menu("MenuCom", {});
  for (int i = 0; i < kPortCount; ++i) {
    menu_com_[static_cast<std::size_t>(i)] =
        c.Add("MenuCom" + std::to_string(i + 1), ControlKind::kMenuItem);
    c.SetText(menu_com_[static_cast<std::size_t>(i)], "Com " + std::to_string(i + 1));
  }
  // The stable names under /dev/serial/by-id, as many as are plugged in.
  for (int i = 0; i < kStableNameItems; ++i) {
    menu_com_by_id_[static_cast<std::size_t>(i)] =
        c.Add("MenuComById" + std::to_string(i + 1), ControlKind::kMenuItem);
    c.SetVisible(menu_com_by_id_[static_cast<std::size_t>(i)], false);
  }
  menu_com_device_ = c.Add("MenuComDevice", ControlKind::kMenuItem);
  c.SetVisible(menu_com_device_, false);
  menu("MenuDevice",
       {{"MenuRead", ""}, {"MenuVerify", ""}, {"MenuProgram", ""}, {"MenuShowDifferences", ""}});
  menu("Menu_Jet123Mode",
       {{"Menu_Jet123Normal", ""}, {"Menu_Jet123Coupled", ""}, {"Menu_Jet123Stejny", "1=2=3=4"}});
  menu("MenuTools", {{"MenuToolsMinus", "Minus "},
                     {"MenuToolsPlus", "Plus"},
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
  for (const char* name :
       {"SpeedButton6", "SpeedButton5", "SpeedButton7", "SpeedButtonPrint", "SpeedButtonZpet",
        "SpeedButtonZnovu", "ButtonProgram", "ButtonVerify", "ButtonRead"}) {
    c.Add(name, ControlKind::kButton);
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

  label_hlaseni_ = c.Add("LabelHlaseni", ControlKind::kLabel);
  gauge_ = c.Add("CGaugeProgram", ControlKind::kGauge);
  c.SetRange(gauge_, 0, TransferSession::kGaugeMax, 1);
  label_spojeni_ = c.Add("LabelSpojeni", ControlKind::kLabel);
  c.SetFontColor(label_spojeni_, kColorRed);
  label_version_ = c.Add("LabelVersion", ControlKind::kLabel);
  label_ee_data_err_ = c.Add("LabelEeDataErr", ControlKind::kLabel);
  for (int i = 0; i < 8; ++i) {
    label_test_[static_cast<std::size_t>(i)] =
        c.Add("LabelTest" + std::to_string(i + 1), ControlKind::kLabel);
  }
  check_prog_hned_ = c.Add("CheckBoxProgHned", ControlKind::kCheckBox);
  check_zakaz_cteni_ = c.Add("CheckBoxZakazCteni", ControlKind::kCheckBox);
  status_bar_ = c.Add("StatusBar1", ControlKind::kLabel);
  c.Add("LabelFile1", ControlKind::kLabel);
  label_file2_ = c.Add("LabelFile2", ControlKind::kLabel);
}

}  // namespace korvan
