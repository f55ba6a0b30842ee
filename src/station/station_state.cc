#include "station/station_state.h"

#include <utility>

#include "image/field_dictionary.h"
#include "maps/map_texts.h"
#include "monitor/monitor_frame.h"
#include "monitor/monitor_texts.h"
#include "texts/page_captions.h"
#include "texts/window_texts.h"

namespace korvan {

StationState::StationState(SerialPort& port, Desktop& desktop, StationPaths paths, DeviceHost& host)
    : desktop_(desktop),
      paths_(std::move(paths)),
      device_(image_, identity_, dirty_, port, host),
      maps_(image_, controls_),
      pages_(controls_) {}

ConsistencyResult StationState::ApplyRules() {
  StationSettings settings{static_cast<std::uint8_t>(language_), device_.link().port_index()};
  const ConsistencyResult result = ApplyConsistencyRules(image_, settings);
  language_ = static_cast<Language>(settings.language_index);
  device_.link().set_port_index(settings.port_index);
  return result;
}

bool StationState::EndReadForUserAction() {
  if (device_.session().state() != SessionState::kRead) return false;
  device_.session().CancelRead();
  status_.Show();
  return true;
}

void StationState::HideStatusLineUnless(bool read_ended) {
  if (!read_ended) status_.Hide();
}

bool StationState::StoreShownValues() {
  return SettingsPages::Has(active_page_) && pages_.StoreShown(active_page_, image_);
}

void StationState::PaintOptionBoxes() {
  // Red while checked, also when the box was checked by a read, a file or the bike page.
  for (ControlHandle box : {ui_.check_prog_hned, ui_.check_zakaz_cteni}) {
    controls_.SetColor(box, controls_.Checked(box) ? kColorRed : kDefaultColor);
  }
}

void StationState::UpdateUndoControls() {
  for (ControlHandle h : ui_.undo) controls_.SetEnabled(h, undo_.CanUndo());
  for (ControlHandle h : ui_.redo) controls_.SetEnabled(h, undo_.CanRedo());
}

PresentationInputs StationState::MonitorInputsNow() const {
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

void StationState::ApplyDefaults(ParameterImage& image, bool page_only) {
  ApplyDefaultSet(image, page_only, active_page_, bike_, maps_.word_maps());
}

void StationState::LoadTexts() {
  for (std::size_t i = 0; i < ui_.menu_language.size(); ++i) {
    controls_.SetChecked(ui_.menu_language[i], static_cast<int>(i) == static_cast<int>(language_));
  }
  controls_.SetText(ui_.label_spojeni, Text(MessageKey::kMsgNoConnection));
  ApplyWindowTexts(controls_, language_);
  // The station's own copy of the live panel's warning speaks the panel's words.
  controls_.SetText(ui_.label_ee_data_err,
                    MonitorTextOf(MonitorText::kProgrammedDataError, static_cast<int>(language_)));
  // The grid's header labels follow at the next layout of the map page (the refresh after this).
  maps_.SetTexts(MapTextsOf(static_cast<int>(language_)));
  for (int page = 0; page < kPageCount; ++page) {
    if (const std::optional<ControlHandle> tab = TabOfPage(controls_, page)) {
      controls_.SetText(*tab, PageCaption(page, language_));
    }
  }
  monitor_.ApplyCaptions(static_cast<int>(language_));
  pages_.ApplyTexts(static_cast<int>(language_));
  source_.Paint();
  // Without a unit answering, the live labels show their placeholders in the new language.
  if (!device_.live().has_frame || controls_.Visible(ui_.label_spojeni)) {
    monitor_.ShowPlaceholders(static_cast<int>(language_));
  }
  status_.Show();
}

void StationState::ShowPageMessages(const PageMessages& messages) {
  for (const PageMessage& m : messages) desktop_.ShowMessage(std::string(Text(m.key)) + m.detail);
}

}  // namespace korvan
