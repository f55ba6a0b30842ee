#include "station/datalog_menu.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/tick.h"
#include "datalog/plot_channels.h"
#include "datalog/recording.h"
#include "datalog/recording_csv.h"
#include "datalog/recording_notes.h"
#include "files/safe_file.h"
#include "files/same_file.h"
#include "settings/ini_document.h"
#include "settings/settings_file.h"

namespace korvan {
namespace {

constexpr std::string_view kDatalogSection = "DATALOG";
constexpr std::string_view kRecordingFilter = "Recordings (*.kvlog)|*.kvlog|All files|*.*";
constexpr std::string_view kCsvFilter = "CSV (*.csv)|*.csv";

void Substitute(std::string& text, std::string_view name, const std::string& value) {
  if (const std::size_t at = text.find(name); at != std::string::npos) {
    text.replace(at, name.size(), value);
  }
}

}  // namespace

DatalogMenu::DatalogMenu(ControlSet& controls, Desktop& desktop, DeviceLoop& device,
                         StatusLine& status, const ParameterImage& image, const Language& language,
                         const std::string& settings_file, Redraw redraw)
    : controls_(controls),
      desktop_(desktop),
      device_(device),
      status_(status),
      image_(image),
      language_(language),
      settings_file_(settings_file),
      redraw_(std::move(redraw)) {}

std::string DatalogMenu::LogsFolder() const {
  return (std::filesystem::path(settings_file_).parent_path() / "logs").string();
}

void DatalogMenu::CreateControls() {
  ControlSet& c = controls_;
  menu_log_ = c.Add("MenuLog", ControlKind::kMenu);
  menu_log_record_ = c.Add("MenuLogRecord", ControlKind::kMenuItem);
  menu_log_folder_ = c.Add("MenuLogFolder", ControlKind::kMenuItem);
  c.SetEnabled(menu_log_folder_, false);  // says where the recordings go; nothing to click
  menu_log_replay_ = c.Add("MenuLogReplay", ControlKind::kMenuItem);
  menu_log_stop_replay_ = c.Add("MenuLogStopReplay", ControlKind::kMenuItem);
  menu_log_export_ = c.Add("MenuLogExport", ControlKind::kMenuItem);
  menu_log_plot_ = c.Add("MenuLogPlot", ControlKind::kMenuItem);
  menu_log_fast_ = c.Add("MenuLogFastLive", ControlKind::kMenuItem);
  LoadSettings();
  Paint();
}

void DatalogMenu::Paint() {
  ControlSet& c = controls_;
  painted_language_ = language_;
  c.SetText(menu_log_, Text(MessageKey::kMsgLogMenu));
  c.SetText(menu_log_record_, Text(recorder_.active() ? MessageKey::kMsgLogStopRecording
                                                      : MessageKey::kMsgLogStartRecording));
  c.SetChecked(menu_log_record_, recorder_.active());
  c.SetText(menu_log_folder_, std::string(Text(MessageKey::kMsgLogFolder)) + LogsFolder());
  c.SetText(menu_log_replay_, Text(MessageKey::kMsgLogReplay));
  c.SetText(menu_log_stop_replay_, Text(MessageKey::kMsgLogStopReplay));
  c.SetVisible(menu_log_stop_replay_, replay_.has_value());
  c.SetText(menu_log_export_, Text(MessageKey::kMsgLogExportCsv));
  c.SetText(menu_log_plot_, Text(MessageKey::kMsgLogPlot));
  c.SetText(menu_log_fast_, Text(MessageKey::kMsgLogFastLiveData));
  c.SetChecked(menu_log_fast_, fast_live_data_);
}

void DatalogMenu::MenuLogRecordClick() {
  if (recorder_.active()) {
    recorder_.Stop();
  } else if (EndReplayFor(menu_log_record_)) {
    const std::uint64_t now = WallClockMs();
    const std::string path = NewRecordingPath(LogsFolder(), static_cast<std::int64_t>(now / 1000));
    // The decoder's inputs from the set, whatever page was shown: a replay and the export
    // decode with them.
    const MonitorInputs inputs = MonitorInputsOf(image_);
    const RecordingHeader header{static_cast<std::uint8_t>(inputs.cylinders),
                                 inputs.ignition_limiter, now};
    if (!recorder_.Start(path, header)) {
      desktop_.ShowMessage(std::string(Text(recorder_.error())) + path);
    }
  }
  device_.set_recorder(recorder_.active() ? &recorder_ : nullptr);
  recorder_error_shown_ = false;
  Paint();
}

void DatalogMenu::MenuLogReplayClick() {
  if (device_.session().state() != SessionState::kIdle) {
    desktop_.ShowMessage(Text(MessageKey::kMsgLogBusy));
    return;
  }
  const std::optional<std::string> path =
      desktop_.ChooseOpenPath(kRecordingFilter, LogsFolder() + "/");
  if (!path) return;
  OpenReplay(*path);
}

bool DatalogMenu::OpenReplay(const std::string& path) {
  RecordingReadResult read = ReadRecording(path);
  if (!read.ok()) {
    desktop_.ShowWarning(std::string(Text(read.error)) + "\n" + path);
    return false;
  }
  if (read.recording.frames.empty()) {
    desktop_.ShowMessage(std::string(Text(MessageKey::kMsgLogEmpty)) + "\n" + path);
    return false;
  }
  const std::string notes = RecordingNotes(read.recording, static_cast<int>(language_));
  if (!notes.empty()) desktop_.ShowWarning(notes);
  // Nothing is recorded from a replay, and the unit is left alone until the replay ends.
  recorder_.Stop();
  device_.set_recorder(nullptr);
  replay_.emplace(std::move(read.recording));
  replay_path_ = path;
  replay_name_ = std::filesystem::path(path).filename().string();
  // The replay starts from a station that has seen no frame, as the recording did.
  device_.ClearLive();
  FeedReplay(replay_->Seek(0));
  replay_->Play();
  Paint();
  ShowReplayStatus();
  return true;
}

void DatalogMenu::MenuLogStopReplayClick() {
  if (!replay_) return;
  replay_.reset();
  device_.ClearLive();
  redraw_.live_cleared();
  Paint();
  status_.Show();
}

bool DatalogMenu::EndReplayFor(std::string_view menu_item) {
  if (!replay_) return true;
  const std::optional<ControlHandle> item = controls_.Find(menu_item);
  return !item || EndReplayFor(*item);
}

bool DatalogMenu::EndReplayFor(ControlHandle menu_item) {
  if (!replay_) return true;
  // The command is named as its menu item shows it, without the key's marker.
  std::string command = controls_.Text(menu_item);
  std::erase(command, '&');
  std::string question(Text(MessageKey::kMsgLogStopReplayFor));
  if (const std::size_t at = question.find("{command}"); at != std::string::npos) {
    question.replace(at, std::string_view("{command}").size(), command);
  }
  if (desktop_.AskYesNo(question) != Desktop::Answer::kYes) return false;
  MenuLogStopReplayClick();
  return true;
}

void DatalogMenu::MenuLogExportClick() {
  // During a replay the recording on show is the one exported: only the CSV file is asked for.
  std::optional<RecordingReadResult> read;
  std::string path;
  if (replay_) {
    path = replay_path_;
  } else {
    const std::optional<std::string> chosen =
        desktop_.ChooseOpenPath(kRecordingFilter, LogsFolder() + "/");
    if (!chosen) return;
    path = *chosen;
    read = ReadRecording(path);
    if (!read->ok()) {
      desktop_.ShowWarning(std::string(Text(read->error)) + "\n" + path);
      return;
    }
  }
  const Recording& recording = replay_ ? replay_->recording() : read->recording;
  const std::optional<std::string> target = desktop_.ChooseSavePath(
      kCsvFilter, std::filesystem::path(path).replace_extension(".csv").string());
  if (!target) return;
  if (OutputIsInput(path, *target)) {
    desktop_.ShowMessage(std::string(Text(MessageKey::kMsgOutputIsInput)) + *target);
    return;
  }
  if (!WriteFileSafely(*target, RecordingToCsv(recording, MonitorInputsOf(image_))).ok()) {
    desktop_.ShowMessage(std::string(Text(MessageKey::kMsgFileOpenError)) + " " + *target);
    return;
  }
  std::string done(Text(MessageKey::kMsgLogExported));
  Substitute(done, "{frames}", std::to_string(recording.frames.size()));
  Substitute(done, "{path}", *target);
  // What the reader skipped goes with it, as a warning: the CSV lacks those frames.
  const std::string notes = RecordingNotes(recording, static_cast<int>(language_));
  if (notes.empty()) {
    desktop_.ShowMessage(done);
  } else {
    desktop_.ShowWarning(done + "\n" + notes);
  }
}

void DatalogMenu::MenuLogFastLiveClick() {
  fast_live_data_ = !fast_live_data_;
  ApplyFastLiveData();
  SaveSettings();
  Paint();
}

void DatalogMenu::ApplyFastLiveData() {
  device_.session().set_monitor_ticks(fast_live_data_ ? 1 : TransferSession::kMonitorTicks);
}

void DatalogMenu::ReplayPlayPauseClick() {
  if (!replay_) return;
  if (replay_->playing()) {
    replay_->Pause();
  } else {
    replay_->Play();
  }
}

void DatalogMenu::ReplayStepClick() {
  if (replay_) JumpReplay(replay_->Step());
}

void DatalogMenu::ReplaySpeedClick(int speed) {
  if (replay_) replay_->set_speed(speed);
}

void DatalogMenu::ReplaySeek(std::size_t index) {
  if (replay_) JumpReplay(replay_->Seek(index));
}

void DatalogMenu::ReplaySeekTime(std::uint32_t time_ms) {
  if (replay_) JumpReplay(replay_->SeekTime(time_ms));
}

void DatalogMenu::SetPlotChannels(std::vector<std::string> channels) {
  plot_channels_ = std::move(channels);
  SaveSettings();
}

void DatalogMenu::FeedReplay(std::span<const RecordedFrame> frames) {
  const MonitorInputs inputs =
      DecoderInputsOf(replay_->recording().header, MonitorInputsOf(image_));
  for (const RecordedFrame& f : frames) device_.DecodeFrame(f.bytes, inputs);
  if (!frames.empty()) redraw_.frames_fed();
}

void DatalogMenu::JumpReplay(std::span<const RecordedFrame> frames) {
  // A jump hands out the frame before the one to show as well; decoded from "no frame yet",
  // the two leave what the live link left (the duty takes the engine speed of the frame before).
  if (frames.empty()) return;
  device_.ClearLive();
  FeedReplay(frames);
}

bool DatalogMenu::Tick() {
  if (painted_language_ != language_) Paint();
  if (recorder_.error() != MessageKey::kNone && !recorder_error_shown_) {
    // The disk filled or the folder went away: the recording ended, what it holds stays.
    recorder_error_shown_ = true;
    device_.set_recorder(nullptr);
    Paint();
    desktop_.ShowMessage(std::string(Text(recorder_.error())) + recorder_.path());
  }
  if (!replay_) return false;
  FeedReplay(replay_->Advance(kTickMs));
  return true;
}

void DatalogMenu::ShowReplayStatus() {
  if (!replay_) return;
  char position[64];
  std::snprintf(position, sizeof position, "  %.1f / %.1f s", replay_->time_ms() / 1000.0,
                replay_->duration_ms() / 1000.0);
  status_.ShowReplayPosition(std::string(Text(MessageKey::kMsgLogReplaying)) + replay_name_ +
                             position);
}

void DatalogMenu::LoadSettings() {
  fast_live_data_ = false;
  plot_channels_ = DefaultPlotChannels();
  const IniDocument ini = ReadSettingsDocument(settings_file_);
  if (const std::optional<std::string> fast = ini.Get(kDatalogSection, "FastLiveData")) {
    fast_live_data_ = *fast != "0" && !fast->empty();
  }
  if (const std::optional<std::string> plot = ini.Get(kDatalogSection, "PlotChannels")) {
    plot_channels_ = SplitChannelNames(*plot);
  }
  ApplyFastLiveData();
}

void DatalogMenu::SaveSettings() {
  SetSettingsEntries(settings_file_, kDatalogSection,
                     {{"FastLiveData", fast_live_data_ ? "1" : "0"},
                      {"PlotChannels", JoinChannelNames(plot_channels_)}});
}

}  // namespace korvan
