#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/control_set.h"
#include "datalog/frame_recorder.h"
#include "datalog/replay_source.h"
#include "device/device_loop.h"
#include "image/parameter_image.h"
#include "station/desktop.h"
#include "station/status_line.h"
#include "texts/messages.h"

namespace korvan {

// The Log menu: recording the unit's monitor frames, replaying a recording, exporting one as CSV,
// fast live data, and the plot's channels, with what of it the settings file keeps. While a
// recording is replayed its frames take the place of the unit's: the same decoder, live panel and
// cursor, and the unit is not asked.
class DatalogMenu {
 public:
  // What the station redraws when a replay changes the live values.
  struct Redraw {
    std::function<void()> frames_fed;    // the live cursor follows the frames just decoded
    std::function<void()> live_cleared;  // the live panel and cursor show that no frame came
  };
  DatalogMenu(ControlSet& controls, Desktop& desktop, DeviceLoop& device, StatusLine& status,
              const ParameterImage& image, const Language& language,
              const std::string& settings_file, Redraw redraw);

  // The menu's items, the settings it keeps, and the menu painted.
  void CreateControls();
  void MenuLogRecordClick();
  void MenuLogReplayClick();
  bool OpenReplay(const std::string& path);
  void MenuLogStopReplayClick();
  // Exports a recording as CSV: during a replay the one replayed, else one the user chooses; a
  // message says how many frames went where.
  void MenuLogExportClick();
  void MenuLogFastLiveClick();
  void ReplayPlayPauseClick();
  void ReplayStepClick();
  void ReplaySpeedClick(int speed);
  void ReplaySeek(std::size_t index);
  void ReplaySeekTime(std::uint32_t time_ms);
  void SetPlotChannels(std::vector<std::string> channels);
  // A command that talks to the unit (or records it) asked for during a replay: the user is
  // asked whether the replay ends for it. True when the command goes on: no replay was running,
  // or the user said Yes and it has ended. The menu item, by control or by name, names it.
  bool EndReplayFor(std::string_view menu_item);
  // The tick's part; true while a replay stands in for the unit.
  bool Tick();
  // While a replay runs, the status line says where in the recording it is.
  void ShowReplayStatus();

  bool recording() const { return recorder_.active(); }
  const FrameRecorder& recorder() const { return recorder_; }
  const ReplaySource* replay() const { return replay_ ? &*replay_ : nullptr; }
  // The file name (without folder) of the recording being replayed.
  const std::string& replay_name() const { return replay_name_; }
  bool fast_live_data() const { return fast_live_data_; }
  const std::vector<std::string>& plot_channels() const { return plot_channels_; }
  // The folder beside the settings file that recordings go to.
  std::string LogsFolder() const;
  // Writes the menu's texts in the language on display and its check marks.
  void Paint();

 private:
  bool EndReplayFor(ControlHandle menu_item);
  void FeedReplay(std::span<const RecordedFrame> frames);
  void JumpReplay(std::span<const RecordedFrame> frames);
  void ApplyFastLiveData();
  void LoadSettings();
  void SaveSettings();
  std::string_view Text(MessageKey key) const { return MessageText(key, language_); }

  ControlSet& controls_;
  Desktop& desktop_;
  DeviceLoop& device_;
  StatusLine& status_;
  const ParameterImage& image_;
  const Language& language_;
  const std::string& settings_file_;
  Redraw redraw_;
  FrameRecorder recorder_;
  bool recorder_error_shown_ = false;
  std::optional<ReplaySource> replay_;
  std::string replay_path_;
  std::string replay_name_;
  bool fast_live_data_ = false;
  std::vector<std::string> plot_channels_;
  Language painted_language_ = Language::kEnglish;  // the language the menu shows
  ControlHandle menu_log_ = 0;
  ControlHandle menu_log_record_ = 0;
  ControlHandle menu_log_folder_ = 0;
  ControlHandle menu_log_replay_ = 0;
  ControlHandle menu_log_stop_replay_ = 0;
  ControlHandle menu_log_export_ = 0;
  ControlHandle menu_log_plot_ = 0;
  ControlHandle menu_log_fast_ = 0;
};

}  // namespace korvan
