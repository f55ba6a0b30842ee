// What the station keeps between runs: the settings file and the image dump.
#include <sstream>
#include <string>
#include <vector>

#include "files/parameter_file_layout.h"
#include "settings/settings_file.h"
#include "station/station_state.h"

namespace korvan {
namespace {

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

}  // namespace

void StationState::LoadSettings() {
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
  // The set in the dump still comes from the file the label names, damaged or not.
  std::vector<ParameterSection> damage;
  for (const std::string& word : SplitWords(v.file_damaged)) {
    if (const std::optional<ParameterSection> section = FindSection(word))
      damage.push_back(*section);
  }
  source_.Show(v.file, damage);
  last_path_ = v.ini_dir;
  if (v.active_page >= 0 && v.active_page < kPageCount) active_page_ = v.active_page;
  maps_.set_time_view(v.zobr_ms_uni);
  ext_monitor_ = v.ext_monitor;
  controls_.SetChecked(pages_.position().all_box(Bank::kA), v.all_poloha_a);
  controls_.SetChecked(pages_.position().all_box(Bank::kB), v.all_poloha_b);
  ShowTuningPage(v.tuning_page);
  cell_grades_ = v.cell_grades;
  print_grades_ = v.print_grades;
  controls_.SetChecked(ui_.menu_cell_grades, cell_grades_);
  controls_.SetChecked(ui_.menu_print_grades, print_grades_);
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
    status_.SetNotice(MessageKey::kMsgSettingsUnreadable);
  }
}

void StationState::SaveSettings() {
  StationSettingsValues v;
  v.left = window_.left;
  v.top = window_.top;
  v.width = window_.width;
  v.height = window_.height;
  v.com_port = device_.link().port_index() + 1;
  v.language = static_cast<int>(language_);
  v.file = source_.path();
  for (ParameterSection section : source_.damage()) {
    if (!v.file_damaged.empty()) v.file_damaged += ' ';
    v.file_damaged += SectionKeyword(section);
  }
  v.ini_dir = last_path_;
  v.active_page = active_page_;
  v.zobr_ms_uni = maps_.time_view();
  v.ext_monitor = ext_monitor_;
  v.all_poloha_a = controls_.Checked(pages_.position().all_box(Bank::kA));
  v.all_poloha_b = controls_.Checked(pages_.position().all_box(Bank::kB));
  v.tuning_page = controls_.Visible(ui_.tabs[kPageTuning]);
  v.cell_grades = cell_grades_;
  v.print_grades = print_grades_;
  korvan::SaveSettings(paths_.settings_file, v);
  ToolModes modes{};
  std::copy(maps_.all_flags().begin(), maps_.all_flags().end(), modes.begin());
  // A dump that cannot be written is not reported (the window is closing): the settings file is
  // still written, and an old dump that could not be read is kept aside, never written over.
  SaveImageDump(paths_.image_dump, image_, modes);
}

void StationState::ShowTuningPage(bool shown) {
  controls_.SetVisible(ui_.tabs[kPageTuning], shown);
  const ControlHandle item = controls_.Handle("MenuLadeni");
  controls_.SetChecked(item, shown);
}

}  // namespace korvan
