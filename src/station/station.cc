#include "station/station.h"

#include <chrono>
#include <cstdio>

#include "device/device_texts.h"
#include "model/bike_data.h"
#include "monitor/live_cell.h"
#include "settings/settings_file.h"

namespace korvan {
namespace {

constexpr int kNoReadingByte = 1;

}  // namespace

Station::Station(SerialPort& port, Desktop& desktop, StationPaths paths)
    : StationState(port, desktop, std::move(paths), *this),
      datalog_(controls_, desktop_, device_, status_, image_, language_, paths_.settings_file,
               {.frames_fed = [this] { UpdateLiveCursor(); },
                .live_cleared =
                    [this] {
                      monitor_.Update(device_.live(), MonitorInputsNow());
                      UpdateLiveCursor();
                    }}) {}

void Station::FormCreate(const std::vector<std::string>& args) {
  ui_ = CreateMainControls(controls_, ports_);
  maps_.CreateControls();
  monitor_.CreateControls(controls_);
  pages_.CreateControls([](MessageKey key, int language) {
    return MessageText(key, static_cast<Language>(language));
  });
  device_.link().set_port_index(1);
  image_.SetByte(0, 11);
  ApplyDefaults(image_, false);
  LoadSettings();
  ports_.LoadSettings();
  monitor_.SetDetailedView(ext_monitor_);
  // The page of the last run; start-up refreshes it again below, and only the last refresh may
  // show a message box.
  controls_.SetValue(ui_.page_control, active_page_);
  RefreshPage(false);
  controls_.SetRange(ui_.gauge, 0, TransferSession::kGaugeMax, 1);
  ApplyEngineConfiguration(image_);
  if (!args.empty()) {
    if (const std::optional<int> language = LanguageFromArgument(args.front())) {
      language_ = static_cast<Language>(*language);
    }
  }
  ApplyRules();
  maps_.RefreshPercentArrays();
  LoadTexts();
  RefreshPage(false);
  undo_.Init(image_, active_page_);
  UpdateUndoControls();
  device_.link().set_quiet_open(false);
  device_.link().OpenLink();
  ports_.Scan();
  ports_.NoteCurrentDevicePresence();
  ports_.Paint();
  LoadTexts();
  RefreshPage();
  controls_.SetVisible(ui_.label_hlaseni, false);
  controls_.SetVisible(ui_.gauge, false);
  controls_.SetVisible(ui_.label_ee_data_err, false);
  if (status_.has_notice()) status_.Show();
  test_mode_ = ReadTestModeMarker(paths_.test_marker);
  for (ControlHandle h : ui_.label_test) controls_.SetVisible(h, test_mode_);
  controls_.SetVisible(ui_.menu_servis, test_mode_);
  UpdateVisibility();
  cursor_.FindHandles();
  datalog_.CreateControls();
  journal_.ReadLeftOver();
}

void Station::FormClose() {
  // The dump keeps the set the user had, not the blocks of a read that will never finish.
  device_.session().AbandonRead();
  device_.link().CloseLink();
  GatherPage();
  ApplyRules();
  SaveSettings();
  // A clean exit: the dump beside the settings keeps the set, the journal has done its work. A
  // journal of an earlier run that was never answered is the user's to decide on: kept aside.
  journal_.SetSafe();
}

// The 55 ms tick: poll (or replay), the ports, the live cursor, and the status line.
void Station::Timer1Timer() {
  if (!datalog_.Tick()) device_.Tick();
  // The unit holds every change: the journal is done.
  journal_.ClearWhenProgrammed(!dirty_.Any() && device_.session().state() == SessionState::kIdle);
  ports_.Tick();
  UpdateLiveCursor();
  status_.Tick();
  status_.Show();
  datalog_.ShowReplayStatus();
}

void Station::UpdateLiveCursor() {
  if (MapEditor::IsMapPage(active_page_)) cursor_.Paint(active_page_);
  // The bike, sensors, N2O, tuning and monitor pages have no cursor.
  pages_.PaintLiveCursor(active_page_, device_.live(), image_);
}

void Station::SpeedButtonPrintClick() {
  const PrintOutcome outcome = printout_.Print(active_page_, cell_grades_ && !print_grades_);
  UpdateVisibility();
  printout_.Report(outcome);
}

// --- Pages and the edit cycle ----------------------------------------------------------------

void Station::PageControl1Change(int page) {
  if (page < 0 || page >= kPageCount) return;
  active_page_ = page;
  controls_.SetValue(ui_.page_control, page);
  RefreshPage();
}

void Station::GatherPage() {
  if (MapEditor::IsMapPage(active_page_)) maps_.Gather(active_page_);
  if (SettingsPages::Has(active_page_)) {
    PageMessages messages;
    pages_.Gather(active_page_, image_, messages);
    ShowPageMessages(messages);
  }
}

// A page's refresh may have something to tell (a bike code this station has no data for). The
// refreshes that only repeat one just made (the second of an edit cycle, those of start-up before
// the last) pass report_messages = false, so that one action gives one message box.
void Station::RefreshPage(bool report_messages) {
  if (MapEditor::IsMapPage(active_page_)) maps_.Scatter(active_page_);
  if (SettingsPages::Has(active_page_)) {
    PageMessages messages;
    const PageFacts facts{identity_texts(), bike_.choke, static_cast<int>(language_)};
    pages_.Refresh(active_page_, image_, facts, messages);
    if (report_messages) ShowPageMessages(messages);
  }
  UpdateVisibility();
  // The grades follow every value the refresh shows; without them the cells stay as the live
  // cursor paints them at its tick.
  if (cell_grades_) PaintGrades();
}

void Station::UpdateVisibility() {
  if (MapEditor::IsMapPage(active_page_)) maps_.Layout(active_page_);
  pages_.Visibility(active_page_, image_);
  maps_.UpdateModeControls();
  // The monitor's pick-up labels follow the engine configuration, its columns the cylinders.
  monitor_.ApplyLayout(MonitorInputsNow());
  PaintOptionBoxes();
}

void Station::CheckBoxExtMonitorClick() {
  if (const std::optional<ControlHandle> box = controls_.Find("CheckBoxExtMonitor")) {
    ext_monitor_ = controls_.Checked(*box);
  }
  monitor_.SetDetailedView(ext_monitor_);
  monitor_.Update(device_.live(), MonitorInputsNow());
}

void Station::CommitEdit() {
  ApplyRules();
  RefreshPage();
  RefreshPage(false);
  RecordChange();
}

// The end of an edit on the page on display: the commit, and every field on show stored as it
// shows after the refresh (a stored value outside a field's range is shown limited).
void Station::CommitPageEdit() {
  ApplyRules();
  RefreshPage();
  // The values the refresh had to limit are stored as shown; the rules see them before the
  // second refresh and the change recorder.
  if (StoreShownValues()) ApplyRules();
  RefreshPage(false);
  RecordChange();
}

void Station::GatherAndCommit() {
  EndReadForUserAction();
  GatherPage();
  CommitPageEdit();
}

void Station::CheckBoxMouseUp() {
  EndReadForUserAction();
  GatherPage();
  UpdateVisibility();
  CommitPageEdit();
}

void Station::CheckBoxTps_UniMouseUp() {
  EndReadForUserAction();
  GatherPage();
  if (MapEditor::IsMapPage(active_page_)) maps_.Layout(active_page_);
  CommitEdit();
}

// The change recorder: marks changed blocks, takes an undo step, programs at once when
// "Programming after change" is checked.
void Station::RecordChange() {
  const bool changed = undo_.Record(image_, active_page_, dirty_);
  if (changed) JournalEdit();
  UpdateUndoControls();
  if (changed && controls_.Checked(ui_.check_prog_hned) && source_.ConfirmProgramDamaged()) {
    device_.session().StartDirtyProgramming();
    status_.Show();
  }
}

void Station::SpeedButtonZpetClick() {
  if (!undo_.CanUndo()) return;
  EndReadForUserAction();
  RestoreUndo(undo_.Undo(image_, dirty_));
}

void Station::SpeedButtonZnovuClick() {
  if (!undo_.CanRedo()) return;
  EndReadForUserAction();
  RestoreUndo(undo_.Redo(image_, dirty_));
}

void Station::RestoreUndo(const std::optional<UndoHistory::Restored>& restored) {
  if (!restored) return;
  // The pages not on display derive their percentages from the restored image.
  maps_.RefreshPercentArrays();
  if (restored->page != active_page_) {
    PageControl1Change(restored->page);
  } else {
    RefreshPage();
  }
  if (restored->any_restored) JournalEdit();
  UpdateUndoControls();
  if (restored->any_restored && controls_.Checked(ui_.check_prog_hned)) {
    device_.session().StartDirtyProgramming();
    status_.Show();
  }
}

// --- Map tools and channel modes -------------------------------------------------------------

std::optional<MapSurface> Station::ActiveMapSurface() const {
  std::optional<LiveCell> operating;
  if (const std::optional<MapCursor> cursor = cursor_.CursorOf(active_page_)) {
    operating = cursor->operating_cell;
  }
  return MapSurfaceOf(controls_, active_page_, operating);
}

void Station::ToolStep(int direction) {
  const auto start = std::chrono::steady_clock::now();
  EndReadForUserAction();
  std::optional<MapEditor::LiveCell> live_cell;
  if (const std::optional<MapCursor> cursor = cursor_.CursorOf(active_page_)) {
    if (const std::optional<LiveCell> cell = LiveToolCell(device_.live(), *cursor)) {
      live_cell = MapEditor::LiveCell{cell->row, cell->column};
    }
  }
  if (maps_.ToolStep(active_page_, direction, live_cell)) CommitEdit();
  if (active_page_ == kPagePosition) {
    // Both banks, each at its own live column or, with its "All" box, on every column.
    PositionPage& page = pages_.position();
    page.Step(Bank::kA, direction, device_.live(), image_);
    page.Step(Bank::kB, direction, device_.live(), image_);
    CommitPageEdit();
  }
  if (direction < 0) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    char text[32];
    std::snprintf(text, sizeof text, "Test1= %d", static_cast<int>(ms));
    controls_.SetText(ui_.label_test[0], text);
  }
}

void Station::ColumnStep(int column, int direction) {
  EndReadForUserAction();
  if (maps_.ColumnStep(active_page_, column, direction)) CommitEdit();
}

void Station::CheckBoxProcentaMouseUp() {
  EndReadForUserAction();
  maps_.PercentSwitch(active_page_);
  CommitEdit();
}

void Station::CheckBoxServoEnableMouseUp() {
  EndReadForUserAction();
  maps_.ServoEnableChanged(active_page_);
  // The layout may show other cells now: the grades span those.
  if (cell_grades_) PaintGrades();
  RecordChange();
}

void Station::RadioGroupServoModeClick() {
  EndReadForUserAction();
  maps_.ServoModeChanged(active_page_);
  // The layout may show other cells now: the grades span those.
  if (cell_grades_) PaintGrades();
  RecordChange();
}

void Station::SetCouplingMode(int mode) {
  EndReadForUserAction();
  int page = active_page_;
  maps_.SetCouplingMode(mode, page);
  if (page != active_page_) {
    PageControl1Change(page);
  } else {
    RefreshPage();
  }
  RecordChange();
}

// --- Device ------------------------------------------------------------------------------------

void Station::MenuReadClick() {
  if (!datalog_.EndReplayFor("MenuRead")) return;
  device_.session().StartRead();
  status_.Show();
}

// Before a file is written or the unit is verified or programmed: gather the page on display,
// run the consistency rules and show the result.
void Station::GatherCheckRefresh() {
  GatherPage();
  ApplyRules();
  RefreshPage();
}

void Station::MenuVerifyClick() {
  if (!datalog_.EndReplayFor("MenuVerify")) return;
  device_.session().AbandonRead();
  GatherCheckRefresh();
  device_.session().StartVerify();
  status_.Show();
}

void Station::MenuProgramClick() {
  if (!datalog_.EndReplayFor("MenuProgram")) return;
  if (!source_.ConfirmProgramDamaged()) return;
  device_.session().AbandonRead();
  GatherCheckRefresh();
  device_.session().StartProgram();
  status_.Show();
}

void Station::CheckBoxZakazCteniClick() {
  EndReadForUserAction();
  const bool checked = controls_.Checked(ui_.check_zakaz_cteni);
  image_.SetByte(kNoReadingByte, checked ? 1 : 0);
  PaintOptionBoxes();
}

void Station::ShowLinkMessage(const PortOpenReport& report) {
  // One box: "Com opening error!", then the device and why on lines of their own.
  desktop_.ShowMessage(PortOpenReportText(report, language_));
}

void Station::ApplyConsistencyAndRefresh() {
  ApplyRules();
  maps_.RefreshPercentArrays();
  // A verify or program run refreshes for the unit's identity only; the command's own refresh
  // has already said what the page has to say.
  const SessionState state = device_.session().state();
  RefreshPage(state != SessionState::kVerify && state != SessionState::kProgram);
}

void Station::ShowVersionMismatch(std::uint8_t unit_version) {
  desktop_.ShowMessage(VersionMismatchText(unit_version, language_));
}

// --- Language ----------------------------------------------------------------------------------

void Station::SetLanguage(Language language) {
  language_ = language;
  LoadTexts();
  // The recording menu speaks the new language at once, not at the next tick.
  datalog_.Paint();
  RefreshPage();
}

}  // namespace korvan
