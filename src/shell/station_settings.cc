// What the station keeps between runs: the settings file and the image dump.
#include "shell/settings_file.h"
#include "shell/station.h"

namespace korvan {

void Station::LoadSettings() {
  StationSettingsValues defaults;
  defaults.left = window_.left;
  defaults.top = window_.top;
  defaults.width = window_.width;
  defaults.height = window_.height;
  defaults.com_port = 1;
  defaults.language = static_cast<int>(language_);
  defaults.active_page = active_page_;
  defaults.zobr_ms_uni = maps_.time_view();
  StoredFileState settings_state = StoredFileState::kRead;
  const StationSettingsValues v =
      korvan::LoadSettings(paths_.settings_file, defaults, &settings_state);
  window_ = {v.left, v.top, v.width, v.height};
  device_.link().set_port_index(PortIndexFromComPort(v.com_port));
  // Out-of-range values are left to the consistency rules, which run later in start-up.
  language_ = static_cast<Language>(static_cast<std::uint8_t>(v.language));
  controls_.SetText(label_file2_, v.file);
  last_path_ = v.ini_dir;
  if (v.active_page >= 0 && v.active_page < kPageCount) active_page_ = v.active_page;
  maps_.set_time_view(v.zobr_ms_uni);
  ext_monitor_ = v.ext_monitor;
  controls_.SetChecked(pages_.position().all_box(Bank::kA), v.all_poloha_a);
  controls_.SetChecked(pages_.position().all_box(Bank::kB), v.all_poloha_b);
  ShowTuningPage(v.tuning_page);
  if (!v.tuning_page && active_page_ == kPageTuning) active_page_ = kPageBike;
  ToolModes modes{};
  std::copy(maps_.all_flags().begin(), maps_.all_flags().end(), modes.begin());
  StoredFileState dump_state = StoredFileState::kRead;
  if (LoadImageDump(paths_.image_dump, image_, modes, &dump_state)) {
    std::copy(modes.begin(), modes.end(), maps_.all_flags().begin());
  }
  // A file that is there but cannot be read is said once; at close it is kept aside, not
  // written over (SaveSettings, SaveImageDump).
  if (settings_state == StoredFileState::kUnreadable ||
      dump_state == StoredFileState::kUnreadable) {
    notice_ = MessageKey::kMsgSettingsUnreadable;
    notice_ticks_ = TransferSession::kStatusTicks;
  }
}

void Station::SaveSettings() {
  StationSettingsValues v;
  v.left = window_.left;
  v.top = window_.top;
  v.width = window_.width;
  v.height = window_.height;
  v.com_port = device_.link().port_index() + 1;
  v.language = static_cast<int>(language_);
  v.file = controls_.Text(label_file2_);
  v.ini_dir = last_path_;
  v.active_page = active_page_;
  v.zobr_ms_uni = maps_.time_view();
  v.ext_monitor = ext_monitor_;
  v.all_poloha_a = controls_.Checked(pages_.position().all_box(Bank::kA));
  v.all_poloha_b = controls_.Checked(pages_.position().all_box(Bank::kB));
  v.tuning_page = controls_.Visible(tabs_[kPageTuning]);
  korvan::SaveSettings(paths_.settings_file, v);
  ToolModes modes{};
  std::copy(maps_.all_flags().begin(), maps_.all_flags().end(), modes.begin());
  // A dump that cannot be written is not reported (the window is closing): the settings file is
  // still written, and an old dump that could not be read is kept aside, never written over.
  SaveImageDump(paths_.image_dump, image_, modes);
}

}  // namespace korvan
