// The difference view's part of the station: the side read of the unit, the file a comparison
// takes, and taking chosen differences into the working set through the station's own change
// path.
#include <utility>

#include "diff/field_captions.h"
#include "files/parameter_set_check.h"
#include "model/bike_data.h"
#include "station/station.h"

namespace korvan {
namespace {

constexpr char kDiffFileFilter[] = "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*";

}  // namespace

void Station::MenuCompareClick() { desktop_.ShowDifferences(false); }

void Station::MenuShowDifferencesClick() {
  if (!EndReplayFor("MenuShowDifferences")) return;
  show_differences_after_read_ = true;
  device_.session().StartSideRead();
  ShowStatusLine();
}

void Station::SideReadCompleted() {
  unit_side_read_ = true;
  if (std::exchange(show_differences_after_read_, false)) desktop_.ShowDifferences(true);
}

const ParameterImage* Station::unit_side_image() const {
  return unit_side_read_ ? &device_.session().side_image() : nullptr;
}

std::optional<ParameterImage> Station::ChooseDiffFile(std::string* name) {
  const std::optional<std::string> path = desktop_.ChooseOpenPath(kDiffFileFilter, last_path_);
  if (!path) return std::nullopt;
  // The file as the station would hold it after opening it, consistency rules applied, so that
  // the comparison shows what opening it would change.
  const StationFileRead read = ReadParameterSetAsStation(*path);
  if (!read.result.ok()) {
    std::string text(Text(read.result.message));
    if (read.result.reason != MessageKey::kNone)
      text += "\n" + std::string(Text(read.result.reason));
    desktop_.ShowMessage(text);
    return std::nullopt;
  }
  if (name != nullptr) *name = *path;
  return read.image;
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

std::string Station::FieldLabel(const Field& field, int element) const {
  if (!captions_ || captions_->language() != language_) {
    captions_ = std::make_unique<FieldCaptions>(language_);
  }
  return (*captions_)(field, element);
}

}  // namespace korvan
