#include "ui/handlers.h"

#include <charconv>
#include <string>

namespace korvan::ui {
namespace {

struct Entry {
  std::string_view name;
  void (Station::*handler)();
};

// Tool bar buttons and their menu items share a handler.
constexpr Entry kHandlers[] = {
    {"MenuNew", &Station::MenuNewClick},
    {"SpeedButton6", &Station::MenuNewClick},
    {"MenuNewActPage", &Station::MenuNewActPageClick},
    {"MenuOpen", &Station::MenuOpenClick},
    {"SpeedButton5", &Station::MenuOpenClick},
    {"MenuOpenActPage", &Station::MenuOpenActPageClick},
    {"MenuAsideEdits", &Station::MenuAsideEditsClick},
    {"MenuSave", &Station::MenuSaveClick},
    {"SpeedButton7", &Station::MenuSaveClick},
    {"MenuPrint", &Station::SpeedButtonPrintClick},
    {"SpeedButtonPrint", &Station::SpeedButtonPrintClick},
    {"MenuExit", &Station::MenuExitClick},
    {"MenuCom", &Station::MenuComPopup},  // the menu itself, as it opens
    {"MenuComDevice", &Station::MenuComDeviceClick},
    {"MenuRead", &Station::MenuReadClick},
    {"ButtonRead", &Station::MenuReadClick},
    {"MenuVerify", &Station::MenuVerifyClick},
    {"ButtonVerify", &Station::MenuVerifyClick},
    {"MenuProgram", &Station::MenuProgramClick},
    {"ButtonProgram", &Station::MenuProgramClick},
    {"Menu_Jet123Normal", &Station::Menu_Jet123NormalClick},
    {"Menu_Jet123Coupled", &Station::Menu_Jet123CoupledClick},
    {"Menu_Jet123Stejny", &Station::Menu_Jet123StejnyClick},
    {"MenuToolsMinus", &Station::MenuToolsMinusClick},
    {"MenuToolsPlus", &Station::MenuToolsPlusClick},
    {"MenuZpet", &Station::SpeedButtonZpetClick},
    {"SpeedButtonZpet", &Station::SpeedButtonZpetClick},
    {"MenuZnovu", &Station::SpeedButtonZnovuClick},
    {"SpeedButtonZnovu", &Station::SpeedButtonZnovuClick},
    {"MenuEnglish", &Station::MenuEnglishClick},
    {"MenuGerman", &Station::MenuGermanClick},
    {"MenuFrench", &Station::MenuFrenchClick},
    {"MenuCzech", &Station::MenuCzechClick},
    {"MenuContens", &Station::MenuContensClick},
    {"MenuAbout", &Station::MenuAboutClick},
    {"CheckBoxZakazCteni", &Station::CheckBoxZakazCteniClick},
    {"CheckBoxProgHned", &Station::CheckBoxProgHnedClick},
    {"CheckBoxExtMonitor", &Station::CheckBoxExtMonitorClick},
    {"CheckBoxTps_Uni", &Station::CheckBoxTps_UniMouseUp},
    {"CheckBoxZobrMs_Uni", &Station::CheckBoxTps_UniMouseUp},
    {"CheckBoxProcenta", &Station::CheckBoxProcentaMouseUp},
    {"CheckBoxServoEnable", &Station::CheckBoxServoEnableMouseUp},
    {"RadioGroupServoMode", &Station::RadioGroupServoModeClick},
    {"ComboBoxBike", &Station::ComboBoxBikeChange},
    {"ButtonTps0", &Station::ButtonTps0Click},
    {"ButtonTps100", &Station::ButtonTps100Click},
    {"RadioGroupPotencMode", &Station::RadioGroupPotencModeClick},
    {"RadioGroupClutchMode", &Station::RadioGroupGearSystemClick},
    {"RadioGroupIdleMode", &Station::RadioGroupIdleModeClick},
    {"RadioGroupGearSystem", &Station::RadioGroupGearSystemClick},
    {"RadioGroupSpeedMode", &Station::RadioGroupGearSystemClick},
    {"RadioGroupPolohaA", &Station::RadioGroupPolohaAClick},
    {"RadioGroupPolohaB", &Station::RadioGroupPolohaAClick},
    {"MenuLadeni", &Station::MenuLadeniClick},
    {"MenuSaveAllNew", &Station::MenuSaveAllNewClick},
    {"MenuCompareAll", &Station::MenuCompareAllClick},
    {"MenuCompare", &Station::MenuCompareClick},
    {"MenuMap3D", &Station::MenuMap3DClick},
    {"MenuCellsSelectAll", &Station::MenuCellsSelectAllClick},
    {"MenuCellsCopy", &Station::MenuCellsCopyClick},
    {"MenuCellsPaste", &Station::MenuCellsPasteClick},
    {"MenuCellsSet", &Station::MenuCellsSetClick},
    {"MenuCellsAdd", &Station::MenuCellsAddClick},
    {"MenuCellsScale", &Station::MenuCellsScaleClick},
    {"MenuCellsRows", &Station::MenuCellsRowsClick},
    {"MenuCellsColumns", &Station::MenuCellsColumnsClick},
    {"MenuCellsCorners", &Station::MenuCellsCornersClick},
    {"MenuCellsSmooth", &Station::MenuCellsSmoothClick},
    {"MenuCellGrades", &Station::MenuCellGradesClick},
    {"MenuPrintGrades", &Station::MenuPrintGradesClick},
    {"MenuShowDifferences", &Station::MenuShowDifferencesClick},
    {"MenuLogRecord", &Station::MenuLogRecordClick},
    {"MenuLogReplay", &Station::MenuLogReplayClick},
    {"MenuLogStopReplay", &Station::MenuLogStopReplayClick},
    {"MenuLogExport", &Station::MenuLogExportClick},
    {"MenuLogFastLive", &Station::MenuLogFastLiveClick},
};

struct Shortcut {
  std::string_view name;
  std::string_view keys;
};

constexpr Shortcut kShortcuts[] = {
    {"MenuNew", "Ctrl+N"},
    {"MenuOpen", "F3"},
    {"MenuSave", "F2"},
    {"MenuPrint", "Ctrl+P"},
    {"MenuRead", "F7"},
    {"MenuVerify", "F8"},
    {"MenuProgram", "F9"},
    {"MenuToolsMinus", "F4"},
    {"MenuToolsPlus", "F5"},
    {"MenuZpet", "Ctrl+Z"},
    {"MenuZnovu", "Ctrl+Alt+Z"},
    {"MenuContens", "F1"},
    {"MenuCellsSelectAll", "Ctrl+A"},
    {"MenuCellsCopy", "Ctrl+C"},
    {"MenuCellsPaste", "Ctrl+V"},
};

// The number at the end of a name ("MenuCom12" -> 12), or -1.
int TrailingNumber(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return -1;
  const std::string_view digits = name.substr(prefix.size());
  int value = -1;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return -1;
  return value;
}

}  // namespace

std::function<void()> ClickHandler(Station& station, std::string_view name) {
  for (const Entry& e : kHandlers) {
    if (e.name == name) return [&station, h = e.handler] { (station.*h)(); };
  }
  if (const int item = TrailingNumber(name, "MenuComById");
      item >= 1 && item <= PortMenu::kStableNameItems) {
    return [&station, item] { station.MenuComByIdClick(item - 1); };
  }
  if (const int port = TrailingNumber(name, "MenuCom"); port >= 1 && port <= 20) {
    return [&station, port] { station.MenuCom1Click(port - 1); };
  }
  if (const int gear = TrailingNumber(name, "ButtonGear"); gear >= 0 && gear <= 6) {
    return [&station, gear] { station.ButtonGearClick(gear); };
  }
  if (name.starts_with("CheckBox")) return [&station] { station.CheckBoxMouseUp(); };
  return {};
}

StepHandlers StepHandlersOf(Station& station, const Control& spin_button) {
  switch (spin_button.step_target) {
    case StepTarget::kNone:
      return {};
    case StepTarget::kMapColumn: {
      const int column = spin_button.step_index;
      return {[&station, column] { station.CSpinButtonDownClick_Uni(column); },
              [&station, column] { station.CSpinButtonUpClick_Uni(column); }};
    }
    case StepTarget::kMapTools:
      return {[&station] { station.MenuToolsMinusClick(); },
              [&station] { station.MenuToolsPlusClick(); }};
    case StepTarget::kPositionTable:
      if (spin_button.step_index == 0) {
        return {[&station] { station.ButtonMinusClick_PolohaA(); },
                [&station] { station.ButtonPlusClick_PolohaA(); }};
      }
      return {[&station] { station.ButtonMinusClick_PolohaB(); },
              [&station] { station.ButtonPlusClick_PolohaB(); }};
  }
  return {};
}

std::string_view ShortcutOf(std::string_view name) {
  for (const Shortcut& s : kShortcuts) {
    if (s.name == name) return s.keys;
  }
  return {};
}

std::vector<std::string_view> HandledControlNames() {
  std::vector<std::string_view> names;
  for (const Entry& e : kHandlers) names.push_back(e.name);
  return names;
}

std::vector<std::string_view> ShortcutControlNames() {
  std::vector<std::string_view> names;
  for (const Shortcut& s : kShortcuts) names.push_back(s.name);
  return names;
}

}  // namespace korvan::ui
