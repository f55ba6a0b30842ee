// The controls of the main window outside the map grid: menus, tool bar, page tabs, the status
// line and its companions. The map grid's controls are the map editor's.
#include <string>

#include "shell/station.h"

namespace korvan {
namespace {

struct MenuEntry {
  const char* name;
  const char* caption;
  const char* hint;
};

}  // namespace

void Station::CreateControls() {
  ControlSet& c = controls_;
  page_control_ = c.Add("PageControl1", ControlKind::kPageControl);

  // Menus: the menu, then its items in order. Separators are the window's business.
  const auto menu = [&](const char* name, const char* caption, const char* hint,
                        std::initializer_list<MenuEntry> items) {
    const ControlHandle h = c.Add(name, ControlKind::kMenu);
    c.SetText(h, caption);
    c.SetHint(h, hint);
    for (const MenuEntry& item : items) {
      const ControlHandle i = c.Add(item.name, ControlKind::kMenuItem);
      c.SetText(i, item.caption);
      c.SetHint(i, item.hint);
    }
    return h;
  };
  menu("MenuFile", "&File", "",
       {{"MenuNew", "&New", "New|Set default parametrs"},
        {"MenuNewActPage", "New for actual page", ""},
        {"MenuOpen", "&Open", "Open|Open file with parametrs"},
        {"MenuOpenActPage", "Open for actual page", ""},
        {"MenuSave", "&Save", "Save|Save parametrs to file"},
        {"MenuPrint", "&Print", "Print|Print parametrs"},
        {"MenuExit", "E&xit", "Exit|End of program"}});
  menu("MenuCom", "&Com", "Com|Set number of com", {});
  for (int i = 0; i < kPortCount; ++i) {
    menu_com_[static_cast<std::size_t>(i)] =
        c.Add("MenuCom" + std::to_string(i + 1), ControlKind::kMenuItem);
    c.SetText(menu_com_[static_cast<std::size_t>(i)], "Com " + std::to_string(i + 1));
  }
  menu_com_device_ = c.Add("MenuComDevice", ControlKind::kMenuItem);
  c.SetVisible(menu_com_device_, false);
  menu("MenuDevice", "&Ignition", "",
       {{"MenuRead", "&Read", "Read|Reading parametrs from ignition"},
        {"MenuVerify", "&Verify", "Verify|Compare set parametrs  with parametrs of ignition"},
        {"MenuProgram", "&Program", "Program|Programing  set parametrs to ignition"}});
  menu("Menu_Jet123Mode", "Jet 1234", "",
       {{"Menu_Jet123Normal", "Separate", ""},
        {"Menu_Jet123Coupled", "Coupled", ""},
        {"Menu_Jet123Stejny", "1=2=3=4", ""}});
  menu("MenuTools", "Tools", "",
       {{"MenuToolsMinus", "Minus ", ""},
        {"MenuToolsPlus", "Plus", ""},
        {"MenuZpet", "Undo", ""},
        {"MenuZnovu", "Redo", ""},
        {"MenuLadeni", "Tuning page", "Tuning page|Tuning page, for experienced users"}});
  menu("MenuLanguage", "&Language", "Language|Set English or German or French",
       {{"MenuEnglish", "&English", ""},
        {"MenuGerman", "&German", ""},
        {"MenuFrench", "&French", ""},
        {"MenuCzech", "&Czech", ""}});
  menu("MenuHelp", "&Help", "",
       {{"MenuContens", "&Contents...", ""}, {"MenuAbout", "&About...", ""}});
  menu_servis_ = menu("MenuServis", "Servis", "",
                      {{"MenuSaveAllNew", "Save All New", ""},
                       {"MenuCompareAll", "Compare All New", ""}});
  menu_language_ = {c.Handle("MenuEnglish"), c.Handle("MenuGerman"), c.Handle("MenuFrench"),
                    c.Handle("MenuCzech")};

  // Tool bar: same hints as the menu items they stand for.
  const MenuEntry buttons[] = {
      {"SpeedButton6", "", "New|Set default parametrs"},
      {"SpeedButton5", "", "Open|Open file with parametrs"},
      {"SpeedButton7", "", "Save|Save parametrs to file"},
      {"SpeedButtonPrint", "", "Print|Print parametrs"},
      {"SpeedButtonZpet", "", "Undo|Undo"},
      {"SpeedButtonZnovu", "", "Redo|Redo"},
      {"ButtonProgram", "&Program", "Program|Programing  set parametrs to ignition"},
      {"ButtonVerify", "&Verify", "Verify|Compare set parametrs  with parametrs of ignition"},
      {"ButtonRead", "&Read", "Read|Reading parametrs from ignition"},
  };
  for (const MenuEntry& b : buttons) {
    const ControlHandle h = c.Add(b.name, ControlKind::kButton);
    c.SetText(h, b.caption);
    c.SetHint(h, b.hint);
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
      {kPageBike, "TabSheet_Bike", "Bike"},          {kPagePosition, "TabSheet_Poloha", "Position"},
      {kPageCorrections, "TabSheet_Korekce", "Corrections"},
      {kPageSensors, "TabSheet_Cidla", "Sensors"},   {kPageIdle, "TabSheet_Idle", "Idle"},
      {kPageN2o, "TabSheet_Gas", "N2O"},             {kPageRace, "TabSheet_Race", "Race"},
      {kPageGear, "TabSheet_Gear", "Gear"},          {kPageTuning, "TabSheet_Ladeni", "Tuning"},
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
  c.SetFontColor(label_spojeni_, 0xFF0000);
  label_version_ = c.Add("LabelVersion", ControlKind::kLabel);
  label_ee_data_err_ = c.Add("LabelEeDataErr", ControlKind::kLabel);
  c.SetText(label_ee_data_err_, "Programmed data error");
  for (int i = 0; i < 8; ++i) {
    label_test_[static_cast<std::size_t>(i)] =
        c.Add("LabelTest" + std::to_string(i + 1), ControlKind::kLabel);
  }
  check_prog_hned_ = c.Add("CheckBoxProgHned", ControlKind::kCheckBox);
  c.SetText(check_prog_hned_, "Programming after change");
  c.SetHint(check_prog_hned_, "Programing at once after change|Programing at once after change");
  check_zakaz_cteni_ = c.Add("CheckBoxZakazCteni", ControlKind::kCheckBox);
  c.SetText(check_zakaz_cteni_, "No Reading");
  status_bar_ = c.Add("StatusBar1", ControlKind::kLabel);
  const ControlHandle file1 = c.Add("LabelFile1", ControlKind::kLabel);
  c.SetText(file1, "File:");
  label_file2_ = c.Add("LabelFile2", ControlKind::kLabel);
  // The window itself: its colour is the background behind every page (white on a printout).
  form_ = c.Add("FormHlav", ControlKind::kLabel);
}

}  // namespace korvan
