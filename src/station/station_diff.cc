// The difference view's part of the station: the side read of the unit, and taking chosen
// differences into the working set through the station's own change path.
#include "image/field_dictionary.h"
#include "model/bike_data.h"
#include "station/station.h"

namespace korvan {

void Station::MenuShowDifferencesClick() {
  if (!datalog_.EndReplayFor("MenuShowDifferences")) return;
  diff_.ShowAfterSideRead();
  device_.session().StartSideRead();
  status_.Show();
}

void Station::TakeDifferences(const ParameterImage& source, std::span<const DiffEntry> entries) {
  if (entries.empty()) return;
  EndReadForUserAction();
  const std::uint8_t code_before = image_.Byte(kBikeCodeOffset);
  TakeDiffEntries(entries, source, image_);
  // The pages not on display derive their percentages from the image, as after a file.
  maps_.RefreshPercentArrays();
  // Another bike came with its constants; the captions that follow the bike follow it too.
  const bool bike_changed = image_.Byte(kBikeCodeOffset) != code_before;
  if (bike_changed) bike_.choke = image_.Byte(kBikeCodeOffset) == kChokeBikeCode;
  CommitEdit();
  if (bike_changed) LoadTexts();
}

}  // namespace korvan
