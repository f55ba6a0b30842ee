#include "station/station.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "device/device_texts.h"
#include "files/parameter_file.h"
#include "image/consistency.h"
#include "image/map_storage.h"
#include "link/identity.h"
#include "maps/map_texts.h"
#include "model/bike_data.h"
#include "model/bike_list.h"
#include "monitor/live_cell.h"
#include "monitor/monitor_texts.h"
#include "settings/port_settings.h"
#include "settings/settings_file.h"
#include "texts/page_captions.h"
#include "texts/window_texts.h"

namespace korvan {
namespace {

constexpr int kNoReadingByte = 1;
constexpr char kOpenFilter[] = "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*";
constexpr char kSaveFilter[] = "Ignition Parametrs(*.ign)|*.ign";

}  // namespace

StationPaths StationPaths::Default(std::string program_dir) {
  StationPaths p;
  p.settings_file = SettingsFilePath();
  p.image_dump = ImageDumpPath();
  p.test_marker = TestModeMarkerPath();
  p.journal = JournalPath();
  p.data_dir = program_dir + "/../share/korvan";
  p.device_root = DeviceRoot();
  p.program_dir = std::move(program_dir);
  return p;
}

Station::Station(SerialPort& port, Desktop& desktop, StationPaths paths)
    : port_(port),
      desktop_(desktop),
      paths_(std::move(paths)),
      device_(image_, identity_, dirty_, port, *this),
      maps_(image_, controls_),
      pages_(controls_),
      journal_(paths_.journal) {}

void Station::FormCreate(const std::vector<std::string>& args) {
  CreateControls();
  maps_.CreateControls();
  monitor_.CreateControls(controls_);
  pages_.CreateControls([](MessageKey key, int language) {
    return MessageText(key, static_cast<Language>(language));
  });
  combo_bike_ = pages_.bike().combo();
  device_.link().set_port_index(1);
  image_.SetByte(0, 11);
  ApplyDefaults(image_, false);
  LoadSettings();
  LoadPortSettings();
  monitor_.SetDetailedView(ext_monitor_);
  // The page of the last run; start-up refreshes it again below, and only the last refresh may
  // show a message box.
  controls_.SetValue(page_control_, active_page_);
  RefreshPage(false);
  controls_.SetRange(gauge_, 0, TransferSession::kGaugeMax, 1);
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
  ScanPorts();
  NoteCurrentDevicePresence();
  CheckPortMenu();
  LoadTexts();
  RefreshPage();
  controls_.SetVisible(label_hlaseni_, false);
  controls_.SetVisible(gauge_, false);
  controls_.SetVisible(label_ee_data_err_, false);
  if (notice_ != MessageKey::kNone) ShowStatusLine();
  test_mode_ = ReadTestModeMarker(paths_.test_marker);
  for (ControlHandle h : label_test_) controls_.SetVisible(h, test_mode_);
  controls_.SetVisible(menu_servis_, test_mode_);
  UpdateVisibility();
  FindCursorHandles();
  CreateDatalogControls();
  if (!paths_.journal.empty()) pending_journal_ = journal_.ReadLeftOver();
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
  if (pending_journal_) AnswerJournalOffer(false);
  if (!paths_.journal.empty()) journal_.Clear();
}

void Station::Timer1Timer() {
  if (!DatalogTick()) device_.Tick();
  ClearJournalWhenProgrammed();
  PortTick();
  UpdateLiveCursor();
  if (notice_ticks_ > 0) --notice_ticks_;
  if (print_line_.ticks > 0) --print_line_.ticks;
  ShowStatusLine();
  ShowReplayStatus();
}

void Station::ShowStatusLine() {
  const SessionDisplay& d = device_.session().display();
  if (d.status_visible || notice_ticks_ == 0) notice_ = MessageKey::kNone;
  if (DrawPrintLine()) {
    // The stamp of the last printout stays until its ticks run out.
  } else if (notice_ != MessageKey::kNone) {
    std::string text(Text(notice_));
    if (notice_ == MessageKey::kMsgFileDamaged) text += " " + DamagedSectionList();
    controls_.SetText(label_hlaseni_, text);
    controls_.SetColor(label_hlaseni_, kColorRed);
    controls_.SetVisible(label_hlaseni_, true);
  } else {
    controls_.SetText(label_hlaseni_, StatusLineText(d, language_));
    controls_.SetColor(label_hlaseni_, d.status_red ? kColorRed : kDefaultColor);
    controls_.SetVisible(label_hlaseni_, d.status_visible);
  }
  controls_.SetValue(gauge_, d.gauge);
  controls_.SetVisible(gauge_, d.gauge_visible);
  controls_.SetVisible(label_spojeni_, d.no_connection_visible);
  controls_.SetVisible(label_version_, d.version_visible);
}

void Station::HideStatusLine() {
  // Hidden in the session too, or the next tick would show its last text again.
  device_.session().HideStatus();
  print_line_.ticks = 0;
  notice_ = MessageKey::kNone;
  controls_.SetVisible(label_hlaseni_, false);
  controls_.SetVisible(gauge_, false);
}

ConsistencyResult Station::ApplyRules() {
  StationSettings settings{static_cast<std::uint8_t>(language_), device_.link().port_index()};
  const ConsistencyResult result = ApplyConsistencyRules(image_, settings);
  language_ = static_cast<Language>(settings.language_index);
  device_.link().set_port_index(settings.port_index);
  return result;
}

// --- Pages and the edit cycle ----------------------------------------------------------------

void Station::PageControl1Change(int page) {
  if (page < 0 || page >= kPageCount) return;
  active_page_ = page;
  controls_.SetValue(page_control_, page);
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

void Station::RefreshPage(bool report_messages) {
  if (MapEditor::IsMapPage(active_page_)) maps_.Scatter(active_page_);
  if (SettingsPages::Has(active_page_)) {
    PageMessages messages;
    const PageFacts facts{identity_texts(), bike_.choke, static_cast<int>(language_)};
    pages_.Refresh(active_page_, image_, facts, messages);
    if (report_messages) ShowPageMessages(messages);
  }
  UpdateVisibility();
}

void Station::UpdateVisibility() {
  if (MapEditor::IsMapPage(active_page_)) maps_.Layout(active_page_);
  pages_.Visibility(active_page_, image_);
  maps_.UpdateModeControls();
  // The monitor's pick-up labels follow the engine configuration, its columns the cylinders.
  monitor_.ApplyLayout(MonitorInputsNow());
  PaintOptionBoxes();
}

void Station::PaintOptionBoxes() {
  // Red while checked, also when the box was checked by a read, a file or the bike page.
  for (ControlHandle box : {check_prog_hned_, check_zakaz_cteni_}) {
    controls_.SetColor(box, controls_.Checked(box) ? kColorRed : kDefaultColor);
  }
}

std::optional<ControlHandle> Station::TabOfPage(int page) const {
  for (ControlHandle h = 0; h < controls_.size(); ++h) {
    const Control& c = controls_.Get(h);
    if (c.kind == ControlKind::kTab && c.page == page) return h;
  }
  return std::nullopt;
}

PresentationInputs Station::MonitorInputsNow() const {
  PresentationInputs in;
  in.language = static_cast<int>(language_);
  in.cylinders = MonitorInputsOf(image_).cylinders;
  in.engine_config = image_.Byte(2);
  in.ignition_limiter = image_.Byte(kIgnitionLimiterOffset);
  in.n2o_enabled = image_.Byte(98) != 0;
  in.choke = bike_.choke;
  in.detailed_view = ext_monitor_;
  in.idle_advance = image_.Byte(2618) != 0;
  return in;
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

void Station::CommitPageEdit() {
  ApplyRules();
  RefreshPage();
  // The values the refresh had to limit are stored as shown; the rules see them before the
  // second refresh and the change recorder.
  if (StoreShownValues()) ApplyRules();
  RefreshPage(false);
  RecordChange();
}

bool Station::StoreShownValues() {
  return SettingsPages::Has(active_page_) && pages_.StoreShown(active_page_, image_);
}

bool Station::EndReadForUserAction() {
  if (device_.session().state() != SessionState::kRead) return false;
  device_.session().CancelRead();
  ShowStatusLine();
  return true;
}

void Station::HideStatusLineUnless(bool read_ended) {
  // A file or a new set hides the status line, unless it has to say that a read was ended.
  if (!read_ended) HideStatusLine();
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

void Station::RecordChange() {
  const bool changed = undo_.Record(image_, active_page_, dirty_);
  if (changed) JournalEdit();
  UpdateUndoControls();
  if (changed && controls_.Checked(check_prog_hned_) && ConfirmProgramDamaged()) {
    device_.session().StartDirtyProgramming();
    ShowStatusLine();
  }
}

void Station::UpdateUndoControls() {
  for (ControlHandle h : undo_controls_) controls_.SetEnabled(h, undo_.CanUndo());
  for (ControlHandle h : redo_controls_) controls_.SetEnabled(h, undo_.CanRedo());
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
  if (restored->any_restored && controls_.Checked(check_prog_hned_)) {
    device_.session().StartDirtyProgramming();
    ShowStatusLine();
  }
}

// --- Map tools and channel modes -------------------------------------------------------------

std::optional<MapEditor::LiveCell> Station::LiveCellOfActivePage() const {
  const std::optional<MapCursor> cursor = CursorOfActivePage();
  if (!cursor) return std::nullopt;
  const std::optional<LiveCell> cell = LiveToolCell(device_.live(), *cursor);
  if (!cell) return std::nullopt;
  return MapEditor::LiveCell{cell->row, cell->column};
}

void Station::ToolStep(int direction) {
  const auto start = std::chrono::steady_clock::now();
  EndReadForUserAction();
  if (maps_.ToolStep(active_page_, direction, LiveCellOfActivePage())) CommitEdit();
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
    controls_.SetText(label_test_[0], text);
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
  RecordChange();
}

void Station::RadioGroupServoModeClick() {
  EndReadForUserAction();
  maps_.ServoModeChanged(active_page_);
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
  if (!EndReplayFor("MenuRead")) return;
  device_.session().StartRead();
  ShowStatusLine();
}

void Station::ReadCompleted() {
  // The image no longer comes from the file named there, nor from a damaged one. Until the last
  // block arrived it still did: a read that stops early leaves the set and its name as they were.
  ShowFileName("");
}

void Station::GatherCheckRefresh() {
  GatherPage();
  ApplyRules();
  RefreshPage();
}

void Station::MenuVerifyClick() {
  if (!EndReplayFor("MenuVerify")) return;
  device_.session().AbandonRead();
  GatherCheckRefresh();
  device_.session().StartVerify();
  ShowStatusLine();
}

void Station::MenuProgramClick() {
  if (!EndReplayFor("MenuProgram")) return;
  if (!ConfirmProgramDamaged()) return;
  device_.session().AbandonRead();
  GatherCheckRefresh();
  device_.session().StartProgram();
  ShowStatusLine();
}

void Station::CheckBoxZakazCteniClick() {
  EndReadForUserAction();
  const bool checked = controls_.Checked(check_zakaz_cteni_);
  image_.SetByte(kNoReadingByte, checked ? 1 : 0);
  PaintOptionBoxes();
}

void Station::CheckBoxProgHnedClick() { PaintOptionBoxes(); }

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

void Station::MonitorFrameDecoded() { monitor_.Update(device_.live(), MonitorInputsNow()); }

// --- Language ----------------------------------------------------------------------------------

void Station::SetLanguage(Language language) {
  language_ = language;
  LoadTexts();
  RefreshPage();
}

void Station::LoadTexts() {
  for (std::size_t i = 0; i < menu_language_.size(); ++i) {
    controls_.SetChecked(menu_language_[i], static_cast<int>(i) == static_cast<int>(language_));
  }
  controls_.SetText(label_spojeni_, Text(MessageKey::kMsgNoConnection));
  ApplyWindowTexts(controls_, language_);
  // The station's own copy of the live panel's warning speaks the panel's words.
  controls_.SetText(label_ee_data_err_,
                    MonitorTextOf(MonitorText::kProgrammedDataError, static_cast<int>(language_)));
  // The grid's header labels follow at the next layout of the map page (the refresh after this).
  maps_.SetTexts(MapTextsOf(static_cast<int>(language_)));
  for (int page = 0; page < kPageCount; ++page) {
    if (const std::optional<ControlHandle> tab = TabOfPage(page)) {
      controls_.SetText(*tab, PageCaption(page, language_));
    }
  }
  monitor_.ApplyCaptions(static_cast<int>(language_));
  pages_.ApplyTexts(static_cast<int>(language_));
  PaintFileLabel();
  // Without a unit answering, the live labels show their placeholders in the new language.
  if (!device_.live().has_frame || controls_.Visible(label_spojeni_)) {
    monitor_.ShowPlaceholders(static_cast<int>(language_));
  }
  ShowStatusLine();
}

// --- Files -------------------------------------------------------------------------------------

void Station::ApplyDefaults(ParameterImage& image, bool page_only) {
  ApplyDefaultSet(image, page_only, active_page_, bike_, maps_.word_maps());
}

Desktop::Answer Station::NewSet(bool page_only) {
  if (controls_.Value(combo_bike_) >= kBikeListSeparator) return Desktop::Answer::kNo;
  const MessageKey ask = page_only ? MessageKey::kMsgAskDefaultsPage : MessageKey::kMsgAskDefaults;
  const Desktop::Answer answer = desktop_.AskYesNoCancel(Text(ask));
  if (answer != Desktop::Answer::kYes) return answer;
  const bool read_ended = EndReadForUserAction();
  page_only_ = page_only;
  ApplyDefaults(image_, page_only);
  maps_.RefreshPercentArrays();
  HideStatusLineUnless(read_ended);
  ShowFileName("");
  CommitEdit();
  return answer;
}

void Station::OpenFile(bool page_only) {
  const std::optional<std::string> path = desktop_.ChooseOpenPath(kOpenFilter, last_path_);
  bool read_ended = false;
  if (path) {
    read_ended = EndReadForUserAction();
    page_only_ = page_only;
    ParameterFileReadOptions options;
    options.page_only = page_only;
    options.page_on_display = active_page_;
    options.apply_defaults = [this](ParameterImage& image) { ApplyDefaults(image, page_only_); };
    const ParameterFileReadResult result = OpenParameterFile(*path, image_, options);
    if (result.ok()) {
      maps_.RefreshPercentArrays();
      // Named before the commit, so that the journal's record carries the file's name and
      // programming after change asks first when the file was damaged.
      ShowFileName(*path, result.damaged() ? result.incomplete : std::vector<ParameterSection>{});
      CommitEdit();
      last_path_ = *path;
    } else {
      std::string text(Text(result.message));
      if (result.reason != MessageKey::kNone) text += "\n" + std::string(Text(result.reason));
      desktop_.ShowMessage(text);
    }
  }
  HideStatusLineUnless(read_ended);
  // Said where a transfer result would be, and kept on the file label.
  if (path && !file_damage_.empty() && file_path_ == *path) {
    notice_ = MessageKey::kMsgFileDamaged;
    notice_ticks_ = TransferSession::kStatusTicks;
    ShowStatusLine();
  }
}

void Station::ShowFileName(const std::string& path, std::vector<ParameterSection> damage) {
  // A section left short more than once is named once.
  std::vector<ParameterSection> unique;
  for (ParameterSection section : damage) {
    if (std::find(unique.begin(), unique.end(), section) == unique.end()) unique.push_back(section);
  }
  file_path_ = path;
  file_damage_ = path.empty() ? std::vector<ParameterSection>{} : std::move(unique);
  file_damage_accepted_ = false;
  PaintFileLabel();
}

void Station::PaintFileLabel() {
  if (file_damage_.empty()) {
    controls_.SetText(label_file2_, file_path_);
    controls_.SetFontColor(label_file2_, kDefaultColor);
    return;
  }
  controls_.SetText(label_file2_, file_path_ + "  (" +
                                      std::string(Text(MessageKey::kMsgFileDamaged)) + " " +
                                      DamagedSectionList() + ")");
  controls_.SetFontColor(label_file2_, kColorRed);
}

std::string Station::DamagedSectionList() const {
  std::string list;
  for (ParameterSection section : file_damage_) {
    if (!list.empty()) list += ", ";
    list += SectionKeyword(section);
  }
  return list;
}

bool Station::ConfirmProgramDamaged() {
  if (file_damage_.empty() || file_damage_accepted_) return true;
  std::string question(Text(MessageKey::kMsgAskProgramDamaged));
  const std::string placeholder = "{sections}";
  if (const std::size_t at = question.find(placeholder); at != std::string::npos) {
    question.replace(at, placeholder.size(), DamagedSectionList());
  }
  if (desktop_.AskYesNoCancel(question) != Desktop::Answer::kYes) return false;
  file_damage_accepted_ = true;
  return true;
}

void Station::MenuSaveClick() {
  const std::optional<std::string> path = desktop_.ChooseSavePath(kSaveFilter, last_path_);
  if (!path) return;
  // The file holds what the user sees, values typed into the page included, and never the blocks
  // of a read under way.
  EndReadForUserAction();
  GatherCheckRefresh();
  const FileWriteResult written = SaveParameterFile(*path, image_);
  if (!written.ok()) {
    // Nothing is lost: the set, its name and the journal stay as they were.
    std::string text(Text(MessageKey::kMsgFileOpenError));
    if (const MessageKey reason = WriteFailureReason(written); reason != MessageKey::kNone) {
      text += "\n" + std::string(Text(reason));
    }
    desktop_.ShowMessage(text);
    return;
  }
  // What the user saved is the set now; the file written holds every section whole.
  ShowFileName(*path);
  last_path_ = *path;
  // Changes set aside at a start stay: only the user deletes them.
  if (pending_journal_) AnswerJournalOffer(false);
  if (!paths_.journal.empty()) journal_.Clear();
}

void Station::MenuExitClick() { desktop_.CloseWindow(); }

void Station::MenuContensClick() {
  const std::string name(Text(MessageKey::kMsgHelpFile));
  std::string path = paths_.program_dir + "/" + name;
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !paths_.data_dir.empty()) {
    path = paths_.data_dir + "/" + name;
  }
  if (desktop_.OpenDocument(path)) return;
  if (std::filesystem::exists(path, error)) {
    DocumentOpenFailed(path);
    return;
  }
  // Where the user can put the document, or see that the installation lacks it.
  std::string places = paths_.program_dir + "/" + name;
  if (!paths_.data_dir.empty()) places += "\n" + paths_.data_dir + "/" + name;
  desktop_.ShowMessage(std::string(Text(MessageKey::kMsgHelpOpenError)) + name + " !\n\n" +
                       std::string(Text(MessageKey::kMsgHelpDocumentMissing)) + "\n" + places);
}

void Station::DocumentOpenFailed(std::string_view path) {
  const std::string name = std::filesystem::path(path).filename().string();
  desktop_.ShowMessage(std::string(Text(MessageKey::kMsgHelpOpenError)) + name + " !\n\n" +
                       std::string(Text(MessageKey::kMsgHelpViewerFailed)) + "\n" +
                       std::string(path));
}

void Station::MenuAboutClick() { desktop_.ShowAbout(language_); }

}  // namespace korvan
