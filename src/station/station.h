#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "diff/image_diff.h"
#include "station/datalog_menu.h"
#include "station/diff_sources.h"
#include "station/journal_keeper.h"
#include "station/live_cursor.h"
#include "station/map_surface.h"
#include "station/port_menu.h"
#include "station/printout.h"
#include "station/station_state.h"

namespace korvan {

// The station, the facade of the main window: its public operations carry the window's handler
// names, so that a user action can be followed from the menu to the image. It acts on the state it
// holds (station_state.h) and on the parts it owns (the Com and Log menus, the journal keeper, the
// printout, the live cursor, the difference view's sources); the window draws the ControlSet.
class Station : public DeviceHost, public StationState {
 public:
  Station(SerialPort& port, Desktop& desktop, StationPaths paths);
  // args: the program's command-line parameters (a language word).
  void FormCreate(const std::vector<std::string>& args);
  void FormClose();
  void Timer1Timer();
  void UpdateLiveCursor();
  // A refresh that only repeats one just made passes false: one action, one message box.
  void PageControl1Change(int page);
  void GatherPage();
  void RefreshPage(bool report_messages = true);
  void UpdateVisibility();
  void CommitEdit();
  void EditOnClick() { GatherAndCommit(); }
  void UpDownClick() { GatherAndCommit(); }
  void FormKeyPressEnter() { GatherAndCommit(); }  // the window has moved the focus on
  void CheckBoxMouseUp();
  void CheckBoxTps_UniMouseUp();
  void RecordChange();
  // Menus and buttons; the files in station_files.cc.
  void MenuNewClick() { NewSet(false); }
  void MenuNewActPageClick() { NewSet(true); }
  void MenuOpenClick() { OpenFile(false); }
  void MenuOpenActPageClick() { OpenFile(true); }
  void MenuSaveClick();
  void MenuExitClick() { desktop_.CloseWindow(); }
  void MenuContensClick();
  void MenuAboutClick() { desktop_.ShowAbout(language_); }
  void SpeedButtonPrintClick();
  void MenuCom1Click(int item) { ports_.Com1Click(item); }
  void MenuComDeviceClick() { ports_.DeviceClick(); }
  void MenuComByIdClick(int item) { ports_.ByIdClick(item); }
  void MenuComPopup() { ports_.Popup(); }
  void MenuReadClick();
  void MenuVerifyClick();
  void MenuProgramClick();
  void Menu_Jet123NormalClick() { SetCouplingMode(0); }
  void Menu_Jet123CoupledClick() { SetCouplingMode(1); }
  void Menu_Jet123StejnyClick() { SetCouplingMode(2); }
  void MenuToolsMinusClick() { ToolStep(-1); }
  void MenuToolsPlusClick() { ToolStep(+1); }
  void CSpinButtonDownClick_Uni(int column) { ColumnStep(column, -1); }
  void CSpinButtonUpClick_Uni(int column) { ColumnStep(column, +1); }
  // Many cells of the active map page at once (station_selection.cc); on any other page these
  // do nothing. Each map page keeps its own selection (the map editor's), which the window draws
  // from map_selection(). The gestures change no value.
  void MapCellClick(GridCell cell);       // a plain click or arrow key: the anchor, no selection
  void MapCellShiftClick(GridCell cell);  // Shift+click, and every move of a drag
  void MapCellCtrlClick(GridCell cell);   // one cell in or out of the selection
  void MapShiftArrow(int rows, int columns);
  void MapRowHeaderClick(int row, bool shift);
  void MapColumnHeaderClick(int column, bool shift);
  void MapSelectAll();   // Ctrl+A
  void MapSelectNone();  // Escape
  const MapSelection& map_selection() const { return maps_.selection(active_page_); }
  // An operation on the selection's editable cells: one edit as if each result had been typed
  // (consistency rules, change recorder, "Programming after change"), one undo step. False when
  // no selected cell is editable. Minus and Plus (F4 / F5) act on the selection by themselves.
  bool MapSelectionOperation(const MapOperation& operation);
  // Ctrl+C: the selection as spreadsheet text ("" without a selection); changes nothing.
  std::string MapCopyText() { return maps_.SelectionText(active_page_); }
  // Ctrl+V: spreadsheet text pasted from the selection's top-left cell, one undo step. A block
  // that does not fit or holds something that is no number is refused with a message and
  // changes nothing. True when the block was pasted.
  bool MapPasteText(std::string_view text);
  void CheckBoxProcentaMouseUp();
  void CheckBoxServoEnableMouseUp();
  void RadioGroupServoModeClick();
  void SpeedButtonZpetClick();
  void SpeedButtonZnovuClick();
  void MenuEnglishClick() { SetLanguage(Language::kEnglish); }
  void MenuGermanClick() { SetLanguage(Language::kGerman); }
  void MenuFrenchClick() { SetLanguage(Language::kFrench); }
  void MenuCzechClick() { SetLanguage(Language::kCzech); }
  void CheckBoxZakazCteniClick();
  void CheckBoxProgHnedClick() { PaintOptionBoxes(); }
  void CheckBoxExtMonitorClick();
  // The settings pages (station_pages.cc).
  void ComboBoxBikeChange();
  void ButtonTps0Click();
  void ButtonTps100Click();
  void RadioGroupPotencModeClick();
  void RadioGroupGearSystemClick();
  void RadioGroupIdleModeClick();
  void ButtonGearClick(int gear);
  void ButtonMinusClick_PolohaA() { PositionButton(Bank::kA, -1); }
  void ButtonPlusClick_PolohaA() { PositionButton(Bank::kA, +1); }
  void ButtonMinusClick_PolohaB() { PositionButton(Bank::kB, -1); }
  void ButtonPlusClick_PolohaB() { PositionButton(Bank::kB, +1); }
  void RadioGroupPolohaAClick();
  void MenuLadeniClick();
  void MenuSaveAllNewClick();
  void MenuCompareAllClick();
  // The Log menu; the replay bar and the plot use the datalog part itself.
  void MenuLogRecordClick() { datalog_.MenuLogRecordClick(); }
  void MenuLogReplayClick() { datalog_.MenuLogReplayClick(); }
  void MenuLogStopReplayClick() { datalog_.MenuLogStopReplayClick(); }
  void MenuLogExportClick() { datalog_.MenuLogExportClick(); }
  void MenuLogFastLiveClick() { datalog_.MenuLogFastLiveClick(); }
  // The difference view (station_diff.cc).
  void MenuCompareClick() { desktop_.ShowDifferences(false); }
  // The map in 3D (map_surface.h): the window's view of the active map page.
  void MenuMap3DClick() { desktop_.ShowMapSurface(); }
  // The Cells menu: the selection, the clipboard and the operations (station_selection.cc).
  void MenuCellsSelectAllClick() { MapSelectAll(); }
  void MenuCellsCopyClick();
  void MenuCellsPasteClick();
  void MenuCellsSetClick() { AskAndOperate(MapOperationKind::kSet); }
  void MenuCellsAddClick() { AskAndOperate(MapOperationKind::kAdd); }
  void MenuCellsScaleClick() { AskAndOperate(MapOperationKind::kScale); }
  void MenuCellsRowsClick() { Operate({MapOperationKind::kInterpolateRows, 0.0}); }
  void MenuCellsColumnsClick() { Operate({MapOperationKind::kInterpolateColumns, 0.0}); }
  void MenuCellsCornersClick() { Operate({MapOperationKind::kInterpolateCorners, 0.0}); }
  void MenuCellsSmoothClick() { AskAndOperate(MapOperationKind::kSmooth); }
  std::optional<MapSurface> ActiveMapSurface() const;
  void MenuShowDifferencesClick();
  // Tools -> "Colour grades" and "Print colour grades" (station_grades.cc): the map cells
  // coloured by their values on the page's own scale, and the colours on the printout too; each
  // a check mark kept in the settings file.
  void MenuCellGradesClick();
  void MenuPrintGradesClick();
  bool cell_grades() const { return cell_grades_; }
  bool print_grades() const { return print_grades_; }
  void TakeDifferences(const ParameterImage& source, std::span<const DiffEntry> entries);
  // The journal of unsaved edits (station_journal.cc).
  void OfferJournalRestore();
  void AnswerJournalOffer(bool restore);
  void MenuAsideEditsClick();
  void DocumentOpenFailed(std::string_view path);
  // DeviceHost.
  void ShowLinkMessage(const PortOpenReport& report) override;
  // The set no longer comes from the file named (a read that stops early leaves it named).
  void ReadCompleted() override { source_.Show(""); }
  void ApplyConsistencyAndRefresh() override;
  void ShowVersionMismatch(std::uint8_t unit_version) override;
  void MonitorFrameDecoded() override { monitor_.Update(device_.live(), MonitorInputsNow()); }
  void SideReadCompleted() override { diff_.SideReadCompleted(); }
  DiffSources& diff() { return diff_; }
  DatalogMenu& datalog() { return datalog_; }
  const DatalogMenu& datalog() const { return datalog_; }
  const std::optional<JournalContents>& pending_journal() const { return journal_.pending(); }
  const EditJournal& journal() const { return journal_.journal(); }

 private:
  void GatherAndCommit();
  // An operation on the selection, or a message that says to select cells first.
  void Operate(const MapOperation& operation);
  void AskAndOperate(MapOperationKind kind);
  void CommitPageEdit();
  void GatherCheckRefresh();
  Desktop::Answer NewSet(bool page_only);
  void OpenFile(bool page_only);
  void SetCouplingMode(int mode);
  void ToolStep(int direction);
  void ColumnStep(int column, int direction);
  void RestoreUndo(const std::optional<UndoHistory::Restored>& restored);
  void SetLanguage(Language language);
  void TakeLiveThrottle(bool (*take)(const LiveValues&, ParameterImage&));
  void SettingsRadioClicked();
  void PositionButton(Bank bank, int direction);
  void JournalEdit();
  // The grades of the active map page (or none, while the option is off) under the live cursor.
  void PaintGrades();

  PortMenu ports_{controls_, device_.link(), paths_};
  LiveCursor cursor_{controls_, image_, device_.live()};
  Printout printout_{controls_, desktop_, device_.session(), status_, ui_, cursor_, language_};
  DatalogMenu datalog_;
  JournalKeeper journal_{paths_.journal, desktop_, controls_, language_};
  DiffSources diff_{desktop_, device_.session(), last_path_, language_};
};

}  // namespace korvan
