// The station's side of the settings pages: the bike change, and the page controls that act
// without the common edit cycle.
#include <string>

#include "image/field_dictionary.h"
#include "model/base_tables.h"
#include "model/bike_data.h"
#include "model/bike_list.h"
#include "station/station.h"

namespace korvan {

// A new entry in the bike list: the bike's default set, when the user wants it, and its constants.
void Station::ComboBoxBikeChange() {
  const std::optional<int> code = BikeCodeOfListIndex(controls_.Value(pages_.bike().combo()));
  if (!code) {
    // The separator stands for no bike: the list shows the bike of the image again.
    RefreshPage();
    return;
  }
  const std::uint8_t code_before = image_.Byte(kBikeCodeOffset);
  image_.SetByte(kBikeCodeOffset, static_cast<std::uint8_t>(*code));
  // "No" keeps the set; the maps then keep their percentages on the new bike's base times.
  // Cancel (Escape, closing the box) takes the choice back: the bike and the set stay as they
  // were, and a read under way goes on.
  if (NewSet(false) == Desktop::Answer::kCancel) {
    image_.SetByte(kBikeCodeOffset, code_before);
    RefreshPage(false);
    return;
  }
  EndReadForUserAction();
  WordMapState& word_maps = maps_.word_maps();
  const std::array<CellArray, kWordMapCount> base_before = word_maps.base_time;
  ComputeBaseTimes(image_, word_maps);
  for (int m = 0; m < kWordMapCount; ++m) {
    StoreChangedWordsFromPercent(image_, word_maps, static_cast<WordMap>(m),
                                 base_before[static_cast<std::size_t>(m)]);
  }
  maps_.RefreshPercentArrays();
  bike_.choke = ApplyBikeConstants(image_);
  CommitEdit();
  LoadTexts();
}

void Station::TakeLiveThrottle(bool (*take)(const LiveValues&, ParameterImage&)) {
  if (!take(device_.live(), image_)) return;
  // The read under way would replace the value just taken: the user's action wins.
  EndReadForUserAction();
  CommitPageEdit();
}

void Station::ButtonTps0Click() { TakeLiveThrottle(&SensorsPage::TakeTps0); }
void Station::ButtonTps100Click() { TakeLiveThrottle(&SensorsPage::TakeTps100); }

void Station::SettingsRadioClicked() {
  UpdateVisibility();
  // Fields the click brought on show hold what they show from now on.
  if (StoreShownValues()) RefreshPage(false);
  RecordChange();
}

void Station::RadioGroupPotencModeClick() {
  EndReadForUserAction();
  pages_.sensors().PotencModeClicked(image_);
  SettingsRadioClicked();
}

// One handler for the mode radio groups of the race and the gear page; only the page on
// display can have been clicked.
void Station::RadioGroupGearSystemClick() {
  EndReadForUserAction();
  if (active_page_ == kPageGear) {
    pages_.gear().ModesClicked(image_);
  } else {
    pages_.race().ClutchModeClicked(image_);
  }
  SettingsRadioClicked();
}

void Station::ButtonGearClick(int gear) {
  EndReadForUserAction();
  GearPage::TakeLive(gear, device_.live(), image_);
  CommitPageEdit();
}

void Station::RadioGroupIdleModeClick() {
  EndReadForUserAction();
  pages_.idle().ModeClicked(image_);
  // The targets were converted to the new unit: the page shows them in it at once. The change
  // is recorded as that of any other radio group, so that undo and "Programming after change"
  // see it without waiting for the next edit. A target the new unit's range limits is stored
  // as the field shows it.
  RefreshPage();
  if (StoreShownValues()) RefreshPage(false);
  RecordChange();
}

void Station::PositionButton(Bank bank, int direction) {
  EndReadForUserAction();
  GatherPage();
  pages_.position().Step(bank, direction, device_.live(), image_);
  CommitPageEdit();
}

void Station::RadioGroupPolohaAClick() {
  EndReadForUserAction();
  pages_.position().ReferencesClicked(image_);
  SettingsRadioClicked();
}

// Tools -> "Tuning page": shows or hides the tuning page's tab; the choice is kept.
void Station::MenuLadeniClick() {
  const bool shown = !controls_.Visible(ui_.tabs[kPageTuning]);
  ShowTuningPage(shown);
  // The page comes into view when asked for, and is left when its tab goes.
  PageControl1Change(shown ? kPageTuning : kPageBike);
}

}  // namespace korvan
