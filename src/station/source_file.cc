#include "station/source_file.h"

#include <algorithm>
#include <utility>

namespace korvan {

void SourceFile::Show(const std::string& path, std::vector<ParameterSection> damage) {
  // A section left short more than once is named once.
  std::vector<ParameterSection> unique;
  for (ParameterSection section : damage) {
    if (std::find(unique.begin(), unique.end(), section) == unique.end()) unique.push_back(section);
  }
  path_ = path;
  damage_ = path.empty() ? std::vector<ParameterSection>{} : std::move(unique);
  damage_accepted_ = false;
  Paint();
}

void SourceFile::Paint() {
  if (damage_.empty()) {
    controls_.SetText(ui_.label_file2, path_);
    controls_.SetFontColor(ui_.label_file2, kDefaultColor);
    return;
  }
  controls_.SetText(ui_.label_file2,
                    path_ + "  (" +
                        std::string(MessageText(MessageKey::kMsgFileDamaged, language_)) + " " +
                        DamagedSectionList() + ")");
  controls_.SetFontColor(ui_.label_file2, kColorRed);
}

std::string SourceFile::DamagedSectionList() const {
  std::string list;
  for (ParameterSection section : damage_) {
    if (!list.empty()) list += ", ";
    list += SectionKeyword(section);
  }
  return list;
}

bool SourceFile::ConfirmProgramDamaged() {
  if (damage_.empty() || damage_accepted_) return true;
  std::string question(MessageText(MessageKey::kMsgAskProgramDamaged, language_));
  const std::string placeholder = "{sections}";
  if (const std::size_t at = question.find(placeholder); at != std::string::npos) {
    question.replace(at, placeholder.size(), DamagedSectionList());
  }
  if (desktop_.AskYesNoCancel(question) != Desktop::Answer::kYes) return false;
  damage_accepted_ = true;
  return true;
}

}  // namespace korvan
