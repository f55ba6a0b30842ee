#pragma once
// A desktop for the benches: no window, no chooser, every question answered the same way.

#include <optional>
#include <string>
#include <string_view>

#include "station/desktop.h"

namespace korvan {

struct SilentDesktop : Desktop {
  explicit SilentDesktop(Answer answer = Answer::kYes) : answer_(answer) {}
  void ShowMessage(std::string_view) override {}
  Answer AskYesNoCancel(std::string_view) override { return answer_; }
  std::optional<std::string> ChooseOpenPath(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseSavePath(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  bool OpenDocument(std::string_view) override { return false; }
  PrintOutcome PrintActivePage() override { return {}; }

 private:
  Answer answer_;
};

}  // namespace korvan
