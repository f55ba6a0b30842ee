#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/control_set.h"
#include "datalog/frame_recorder.h"
#include "datalog/replay_source.h"
#include "device/device_loop.h"
#include "diff/field_captions.h"
#include "diff/image_diff.h"
#include "files/edit_journal.h"
#include "files/parameter_file_layout.h"
#include "files/service_batch.h"
#include "image/consistency.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "link/port_discovery.h"
#include "link/serial_port.h"
#include "maps/map_editor.h"
#include "maps/undo_history.h"
#include "model/default_set.h"
#include "monitor/live_cell.h"
#include "monitor/monitor_panel.h"
#include "pages/settings_pages.h"
#include "station/desktop.h"
#include "texts/messages.h"

namespace korvan {

// Where the station keeps what outlives a run, and where its help documents are.
struct StationPaths {
  std::string settings_file;  // Korvan_2007_v68ini
  std::string image_dump;     // _Korvan_2007_v68ini
  std::string test_marker;    // test_kalder.txt
  std::string journal;        // the journal of unsaved edits; empty: no journal is kept
  std::string program_dir;    // the help PDFs lie here (in the build tree) ...
  std::string data_dir;       // ... or here (installed: share/korvan beside bin/)
  // Where the device files and sysfs are looked at for the Com menu ("/" on a real machine, a
  // fake tree in tests); empty: the menu shows the plain port numbers and looks at nothing.
  std::string device_root;
  // The service batch's folders, relative to the current directory.
  std::string batch_new_dir{kBatchNewDir};
  std::string batch_old_dir{kBatchOldDir};
  // The station's usual places under the per-user configuration directory.
  static StationPaths Default(std::string program_dir);
};

// The station: it owns the parameter image, the identity, the dirty blocks, the device loop, the
// live values, the undo history, the settings and every control of the main window. Its public
// operations carry the window's handler names, so a user action can be followed from the menu to
// the image. The window (or a test) calls them and draws the ControlSet.
class Station : public DeviceHost {
 public:
  Station(SerialPort& port, Desktop& desktop, StationPaths paths);

  // Start-up and shut-down. args: the program's command-line parameters (a language word).
  void FormCreate(const std::vector<std::string>& args);
  void FormClose();
  // The 55 ms tick: poll, session step, live cursor, and the status line into the controls.
  void Timer1Timer();
  // Colours the map cell, axis header and row the engine is using now on the active page.
  void UpdateLiveCursor();

  // The page control and the edit cycle.
  void PageControl1Change(int page);
  void GatherPage();
  // A page's refresh may have something to tell (a bike code this station has no data for). The
  // refreshes that only repeat one just made (the second of an edit cycle, those of start-up
  // before the last) pass report_messages = false, so that one action gives one message box.
  void RefreshPage(bool report_messages = true);
  void UpdateVisibility();
  void CommitEdit();
  void EditOnClick() { GatherAndCommit(); }
  void UpDownClick() { GatherAndCommit(); }
  // Enter in a field: the window moves the focus on and calls this.
  void FormKeyPressEnter() { GatherAndCommit(); }
  void CheckBoxMouseUp();
  // "TPS" and "Ms" on the map pages.
  void CheckBoxTps_UniMouseUp();
  // The change recorder: marks changed blocks, takes an undo step, programs at once when
  // "Programming after change" is checked.
  void RecordChange();

  // Menus and buttons.
  void MenuNewClick() { NewSet(false); }
  void MenuNewActPageClick() { NewSet(true); }
  void MenuOpenClick() { OpenFile(false); }
  void MenuOpenActPageClick() { OpenFile(true); }
  void MenuSaveClick();
  void MenuExitClick();
  void MenuContensClick();
  void MenuAboutClick();
  void SpeedButtonPrintClick();
  void MenuCom1Click(int item);
  void MenuComDeviceClick();
  // A stable name (/dev/serial/by-id) picked from the Com menu, item 0..kStableNameItems-1.
  void MenuComByIdClick(int item);
  // The Com menu is about to open: look for plugged and pulled adapters now.
  void MenuComPopup();
  static constexpr int kStableNameItems = 8;
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
  void CheckBoxProgHnedClick();
  // "Detailed representation" on the monitor page.
  void CheckBoxExtMonitorClick();
  // The settings pages: a new entry in the bike list, the throttle end points taken from the
  // live voltage, and the radio groups that store at once.
  void ComboBoxBikeChange();
  void ButtonTps0Click();
  void ButtonTps100Click();
  void RadioGroupPotencModeClick();
  void RadioGroupGearSystemClick();
  void RadioGroupIdleModeClick();
  // "<- Gear k" on the gear page.
  void ButtonGearClick(int gear);
  // The injection position page's spin buttons and its reference radio groups.
  void ButtonMinusClick_PolohaA() { PositionButton(Bank::kA, -1); }
  void ButtonPlusClick_PolohaA() { PositionButton(Bank::kA, +1); }
  void ButtonMinusClick_PolohaB() { PositionButton(Bank::kB, -1); }
  void ButtonPlusClick_PolohaB() { PositionButton(Bank::kB, +1); }
  void RadioGroupPolohaAClick();
  // Tools -> "Tuning page": shows or hides the tuning page's tab; the choice is kept.
  void MenuLadeniClick();
  // "Servis" (test mode): the default set of every bike into its own file, and those files
  // compared with the generation before them. Neither changes the set on display.
  void MenuSaveAllNewClick();
  void MenuCompareAllClick();

  // DeviceHost.
  void ShowLinkMessage(const PortOpenReport& report) override;
  void ReadCompleted() override;
  void ApplyConsistencyAndRefresh() override;
  void ShowVersionMismatch(std::uint8_t unit_version) override;
  void MonitorFrameDecoded() override;

  ParameterImage& image() { return image_; }
  const ParameterImage& image() const { return image_; }
  const IdentityBlock& identity() const { return identity_; }
  DirtyBlockSet& dirty() { return dirty_; }
  ControlSet& controls() { return controls_; }
  const ControlSet& controls() const { return controls_; }
  DeviceLoop& device() { return device_; }
  TransferSession& session() { return device_.session(); }
  const LiveValues& live() const { return device_.live(); }
  MapEditor& maps() { return maps_; }
  SettingsPages& pages() { return pages_; }
  const UndoHistory& undo() const { return undo_; }
  int active_page() const { return active_page_; }
  Language language() const { return language_; }
  bool test_mode() const { return test_mode_; }
  const std::string& file_label() const { return controls_.Text(label_file2_); }
  // The sections an incomplete or damaged file left short, when the set comes from one.
  const std::vector<ParameterSection>& file_damage() const { return file_damage_; }
  const std::string& last_path() const { return last_path_; }
  const StationPaths& paths() const { return paths_; }
  const IdentityTexts& identity_texts() const { return device_.session().identity_texts(); }

 private:
  void CreateControls();
  // The consistency rules over the image and the two station settings they keep valid.
  ConsistencyResult ApplyRules();
  void GatherAndCommit();
  // The end of an edit on the page on display: the commit, and every field on show stored as it
  // shows after the refresh (a stored value outside a field's range is shown limited).
  void CommitPageEdit();
  // The page's fields on show into the image as they show; true when any byte was stored.
  bool StoreShownValues();
  // A user action that changes the image ends a read under way first: the image stays the set
  // the user was editing, and the status line says the read did not complete.
  bool EndReadForUserAction();
  void HideStatusLineUnless(bool read_ended);
  // Before a file is written or the unit is verified or programmed: gather the page on display,
  // run the consistency rules and show the result.
  void GatherCheckRefresh();
  void CheckPortMenu();
  // Looks at the ports and stable names again; true when anything changed since the last look.
  bool ScanPorts();
  // Every second on the tick: a hot-plugged adapter shows up in the menu without a restart.
  void PortTick();
  // After a look that changed something: opens the port in use when its adapter appeared, closes
  // it when its adapter was pulled.
  void FollowPlugging();
  // Whether the device of the port in use is there now; FollowPlugging acts on its changes.
  void NoteCurrentDevicePresence();
  void LoadPortSettings();
  // The stable names the menu offers: the ones there now, plus a picked one that is unplugged.
  std::vector<StableName> OfferedStableNames() const;
  // "Programming after change" and "No Reading" are red while checked.
  void PaintOptionBoxes();
  // Asks "Do you want default setting?" and loads the default set on Yes; returns the answer.
  Desktop::Answer NewSet(bool page_only);
  void OpenFile(bool page_only);
  void ApplyDefaults(ParameterImage& image, bool page_only);
  void SetCouplingMode(int mode);
  void ToolStep(int direction);
  void ColumnStep(int column, int direction);
  void RestoreUndo(const std::optional<UndoHistory::Restored>& restored);
  void SetLanguage(Language language);
  void LoadTexts();
  void ShowStatusLine();
  void HideStatusLine();
  void UpdateUndoControls();
  std::optional<MapEditor::LiveCell> LiveCellOfActivePage() const;
  void LoadSettings();
  void SaveSettings();
  PresentationInputs MonitorInputsNow() const;
  std::optional<ControlHandle> TabOfPage(int page) const;
  std::string_view Text(MessageKey key) const { return MessageText(key, language_); }
  void ShowPageMessages(const PageMessages& messages);
  void TakeLiveThrottle(bool (*take)(const LiveValues&, ParameterImage&));
  // The radio groups of the settings pages store at once, without a consistency pass.
  void SettingsRadioClicked();
  void PositionButton(Bank bank, int direction);
  void ShowTuningPage(bool shown);
  // The file the set on display comes from, and, when it was incomplete or damaged, its short
  // sections: the label names them in red. An empty path: the set comes from no file.
  void ShowFileName(const std::string& path, std::vector<ParameterSection> damage = {});
  void PaintFileLabel();
  std::string DamagedSectionList() const;
  // Before the unit is programmed with a set from a damaged file: asks until the user agrees.
  bool ConfirmProgramDamaged();

  SerialPort& port_;
  Desktop& desktop_;
  StationPaths paths_;
  ParameterImage image_;
  IdentityBlock identity_;
  DirtyBlockSet dirty_;
  ControlSet controls_;
  DeviceLoop device_;
  BikeModelState bike_;
  MapEditor maps_;
  MonitorPresenter monitor_;
  SettingsPages pages_;
  UndoHistory undo_;
  Language language_ = Language::kEnglish;
  int active_page_ = kPageBike;
  bool test_mode_ = false;
  bool page_only_ = false;
  bool printing_ = false;
  std::string last_path_;
  std::string file_path_;
  std::vector<ParameterSection> file_damage_;
  bool file_damage_accepted_ = false;  // the user agreed to program this set as it is
  // A message of the station's own on the status line (saved settings it could not read): shown
  // in red from start-up until the session shows a status of its own or its ticks run out.
  MessageKey notice_ = MessageKey::kNone;
  int notice_ticks_ = 0;
  // Settings the station keeps for pages that are not built yet, so that they survive a run.
  bool ext_monitor_ = false;

 public:
  // The window's place and size, restored at start and kept at close; -1: centred / default.
  struct WindowGeometry {
    int left = -1;
    int top = -1;
    int width = 1056;
    int height = 901;
  };
  WindowGeometry& window_geometry() { return window_; }

 private:
  WindowGeometry window_;

  // Handles of the controls the station itself drives.
  ControlHandle page_control_ = 0;
  ControlHandle label_hlaseni_ = 0;
  ControlHandle gauge_ = 0;
  ControlHandle label_spojeni_ = 0;
  ControlHandle label_version_ = 0;
  ControlHandle label_ee_data_err_ = 0;
  ControlHandle label_file2_ = 0;
  ControlHandle check_prog_hned_ = 0;
  ControlHandle check_zakaz_cteni_ = 0;
  ControlHandle combo_bike_ = 0;
  ControlHandle menu_servis_ = 0;
  ControlHandle status_bar_ = 0;
  std::array<ControlHandle, 8> label_test_{};
  std::array<ControlHandle, 20> menu_com_{};
  ControlHandle menu_com_device_ = 0;
  std::array<ControlHandle, kStableNameItems> menu_com_by_id_{};
  std::optional<PortDiscovery> discovery_;
  std::vector<PortStatus> ports_seen_;
  std::vector<StableName> stable_seen_;
  int port_scan_ticks_ = 0;
  // The fields' names for the difference view, in the language they were made for.
  mutable std::unique_ptr<FieldCaptions> captions_;
  bool current_device_present_ = false;
  std::array<ControlHandle, 4> menu_language_{};
  std::array<ControlHandle, 2> undo_controls_{};
  std::array<ControlHandle, 2> redo_controls_{};
  std::array<ControlHandle, kPageCount> tabs_{};
  // The grid controls the live cursor colours, looked up once.
  struct CursorHandles {
    bool ready = false;
    std::array<ControlHandle, 15> rpm{};
    std::array<ControlHandle, 10> row_label{};
    std::array<ControlHandle, 10> row_axis{};
    std::array<ControlHandle, 150> cell{};
    std::array<ControlHandle, 150> value_label{};
  };
  void FindCursorHandles();
  // The live cursor of the active map page, or nothing on a page without a map.
  std::optional<MapCursor> CursorOfActivePage() const;
  void PaintMapCursor();
  CursorHandles cursor_;

  // Printing (station_print.cc). What print mode changed on one control, to be put back after.
  struct PrintSaved {
    ControlHandle handle;
    bool visible;
    bool up_down_visible;
    std::uint32_t color;
  };
  // A text of the station's own on the status line (the print stamp, where the PDF went): shown
  // for its ticks unless the session puts a text of its own there first.
  struct PrintLine {
    std::string text;
    std::uint32_t color = kDefaultColor;
    int ticks = 0;
    std::uint32_t session_serial = 0;
  };
  std::vector<ControlHandle> PrintAdornments() const;
  std::vector<PrintSaved> EnterPrintMode();
  void LeavePrintMode(const std::vector<PrintSaved>& saved);
  void ShowPrintLine(std::string text, std::uint32_t color);
  // Draws the print line while it lasts; false when the status line is the session's again.
  bool DrawPrintLine();
  PrintLine print_line_;
  ControlHandle form_ = 0;  // FormHlav: the window's own background
 public:
  // The datalog (station_datalog.cc): Log menu, recording, replay, fast live data, the plot's
  // channels. While a recording is replayed its frames take the place of the unit's: the same
  // decoder, live panel and cursor, and the unit is not asked.
  void MenuLogRecordClick();
  void MenuLogReplayClick();
  void MenuLogStopReplayClick();
  void MenuLogExportClick();
  void MenuLogFastLiveClick();
  bool OpenReplay(const std::string& path);
  void ReplayPlayPauseClick();
  void ReplayStepClick();
  void ReplaySpeedClick(int speed);
  void ReplaySeek(std::size_t index);
  void ReplaySeekTime(std::uint32_t time_ms);
  void SetPlotChannels(std::vector<std::string> channels);
  bool recording() const { return recorder_.active(); }
  const FrameRecorder& recorder() const { return recorder_; }
  const ReplaySource* replay() const { return replay_ ? &*replay_ : nullptr; }
  bool fast_live_data() const { return fast_live_data_; }
  const std::vector<std::string>& plot_channels() const { return plot_channels_; }
  // The folder beside the settings file that recordings go to.
  std::string LogsFolder() const;

 private:
  void CreateDatalogControls();
  void PaintDatalogControls();
  // A command that talks to the unit (or records it) asked for during a replay: the user is
  // asked whether the replay ends for it. True when the command goes on: no replay was running,
  // or the user said Yes and it has ended. The menu item, by control or by name, names it.
  bool EndReplayFor(ControlHandle menu_item);
  bool EndReplayFor(std::string_view menu_item);
  // The tick's datalog part; true while a replay stands in for the unit.
  bool DatalogTick();
  void FeedReplay(std::span<const RecordedFrame> frames);
  void JumpReplay(std::span<const RecordedFrame> frames);
  void ShowReplayStatus();
  void ApplyFastLiveData();
  void LoadDatalogSettings();
  void SaveDatalogSettings();
  FrameRecorder recorder_;
  bool recorder_error_shown_ = false;
  std::optional<ReplaySource> replay_;
  std::string replay_name_;
  bool fast_live_data_ = false;
  std::vector<std::string> plot_channels_;
  Language datalog_language_ = Language::kEnglish;  // the language the Log menu shows
  ControlHandle menu_log_ = 0;
  ControlHandle menu_log_record_ = 0;
  ControlHandle menu_log_folder_ = 0;
  ControlHandle menu_log_replay_ = 0;
  ControlHandle menu_log_stop_replay_ = 0;
  ControlHandle menu_log_export_ = 0;
  ControlHandle menu_log_plot_ = 0;
  ControlHandle menu_log_fast_ = 0;

 public:
  // The difference view (station_diff.cc): the working set, the unit's set read beside it and
  // parameter files compared field by field; chosen differences are taken into the working set.
  void MenuCompareClick();
  // Reads the unit beside the working set (after "Verify error!" this shows what differs); the
  // view opens on it when the read completes.
  void MenuShowDifferencesClick();
  void SideReadCompleted() override;
  // The unit's set from the last side read that completed; nullptr before one did.
  const ParameterImage* unit_side_image() const;
  // A parameter file chosen by the user, read as Open reads it; a message and nothing on error.
  std::optional<ParameterImage> ChooseDiffFile(std::string* name);
  // Copies the entries' bytes from source into the working set as one change: one undo step,
  // dirty blocks marked, programmed at once when "Programming after change" is on.
  void TakeDifferences(const ParameterImage& source, std::span<const DiffEntry> entries);
  // The caption the window gives a field element in the current language; empty when none.
  std::string FieldLabel(const Field& field, int element) const;

 private:
  bool unit_side_read_ = false;
  bool show_differences_after_read_ = false;

 public:
  // The journal of unsaved edits (station_journal.cc). FormCreate reads what a previous run left;
  // the window then offers it (OfferJournalRestore), a script answers it directly.
  const std::optional<JournalContents>& pending_journal() const { return pending_journal_; }
  void OfferJournalRestore();
  void AnswerJournalOffer(bool restore);
  const EditJournal& journal() const { return journal_; }
  // File > set-aside changes: lists the journals declined at earlier starts; the chosen one is
  // restored as one change (undo takes it back), or deleted once the user confirms.
  void MenuAsideEditsClick();
  // The desktop's viewer gave up on a help document after OpenDocument had started it.
  void DocumentOpenFailed(std::string_view path);

 private:
  // Appends the working set after a committed change; says once when the journal cannot be
  // written, and editing goes on.
  void JournalEdit();
  // The unit holds every change (no dirty block, no transfer running): the journal is done.
  void ClearJournalWhenProgrammed();
  // A menu's or item's caption as prose: without its mnemonic and trailing dots.
  std::string MenuCaption(std::string_view control) const;
  void RestoreAside(const JournalState& state);
  EditJournal journal_;
  std::optional<JournalContents> pending_journal_;
  bool journal_error_shown_ = false;
};

}  // namespace korvan
