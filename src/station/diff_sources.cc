#include "station/diff_sources.h"

#include <utility>

#include "files/parameter_set_check.h"

namespace korvan {
namespace {

constexpr char kDiffFileFilter[] = "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*";

}  // namespace

void DiffSources::SideReadCompleted() {
  unit_side_read_ = true;
  if (std::exchange(show_after_read_, false)) desktop_.ShowDifferences(true);
}

const ParameterImage* DiffSources::unit_side_image() const {
  return unit_side_read_ ? &session_.side_image() : nullptr;
}

std::optional<ParameterImage> DiffSources::ChooseDiffFile(std::string* name) {
  const std::optional<std::string> path = desktop_.ChooseOpenPath(kDiffFileFilter, last_path_);
  if (!path) return std::nullopt;
  // The file as the station would hold it after opening it, consistency rules applied, so that
  // the comparison shows what opening it would change.
  const StationFileRead read = ReadParameterSetAsStation(*path);
  if (!read.result.ok()) {
    std::string text(MessageText(read.result.message, language_));
    if (read.result.reason != MessageKey::kNone) {
      text += "\n" + std::string(MessageText(read.result.reason, language_));
    }
    desktop_.ShowMessage(text);
    return std::nullopt;
  }
  if (name != nullptr) *name = *path;
  return read.image;
}

std::string DiffSources::FieldLabel(const Field& field, int element) const {
  if (!captions_ || captions_->language() != language_) {
    captions_ = std::make_unique<FieldCaptions>(language_);
  }
  return (*captions_)(field, element);
}

}  // namespace korvan
