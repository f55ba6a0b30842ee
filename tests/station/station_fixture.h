#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "station/desktop.h"
#include "station/station.h"

namespace korvan {

// A desktop that answers from a script and records what it was asked.
class ScriptedDesktop : public Desktop {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  // A warning is a message too; `warnings` counts which of them came as warnings.
  void ShowWarning(std::string_view text) override {
    messages.emplace_back(text);
    warnings.emplace_back(text);
  }
  Answer AskYesNoCancel(std::string_view text) override {
    questions.emplace_back(text);
    return answer;
  }
  std::optional<std::string> ChooseOpenPath(std::string_view, std::string_view initial) override {
    open_initials.emplace_back(initial);
    return open_path;
  }
  std::optional<std::string> ChooseSavePath(std::string_view, std::string_view initial) override {
    save_initials.emplace_back(initial);
    return save_path;
  }
  bool OpenDocument(std::string_view path) override {
    documents.emplace_back(path);
    return document_opens;
  }
  bool AskOpenFolder(std::string_view text, std::string_view open_folder) override {
    folder_messages.push_back({std::string(text), std::string(open_folder)});
    return opens_folder;
  }
  PrintOutcome PrintActivePage() override {
    ++prints;
    if (on_print) on_print();
    return print_outcome;
  }
  LocalDateTime Now() override { return now; }
  void CloseWindow() override { ++closes; }
  void ShowAbout(Language language) override { abouts.push_back(language); }
  void ShowDifferences(bool with_unit) override { differences_shown.push_back(with_unit); }
  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(std::string_view text) override { clipboard = text; }
  std::optional<double> AskNumber(std::string_view /*title*/, std::string_view label, double value,
                                  double min, double max, int /*decimals*/) override {
    number_questions.push_back({std::string(label), value, min, max});
    return number;
  }
  std::optional<AsideChoice> ChooseAside(const AsideList& list) override {
    aside_lists.push_back(list);
    if (aside_choices.empty()) return std::nullopt;
    const std::optional<AsideChoice> choice = aside_choices.front();
    aside_choices.pop_front();
    return choice;
  }

  Answer answer = Answer::kYes;
  // The clipboard, and what a question for a number answers (nothing: cancelled).
  std::string clipboard;
  std::optional<double> number;
  struct NumberQuestion {
    std::string label;
    double value, min, max;
  };
  std::vector<NumberQuestion> number_questions;
  std::optional<std::string> open_path;
  std::optional<std::string> save_path;
  bool document_opens = true;
  // Runs while the page is "printed": what the controls show then is what goes on paper.
  std::function<void()> on_print;
  PrintOutcome print_outcome;
  LocalDateTime now{"18.04.2007", "11:45:42"};
  // The messages with an "open folder" button: the text, then the button's caption.
  std::vector<std::pair<std::string, std::string>> folder_messages;
  bool opens_folder = false;
  std::vector<std::string> messages, warnings, questions, open_initials, save_initials, documents;
  int prints = 0;
  int closes = 0;
  std::vector<Language> abouts;
  std::vector<bool> differences_shown;
  // What the list of set-aside changes answers, one per showing; closed when none is left.
  std::deque<std::optional<AsideChoice>> aside_choices;
  std::vector<AsideList> aside_lists;
};

// A station against an emulated unit in memory, with its files in a folder of its own.
class StationFixture {
 public:
  StationFixture() {
    dir = std::filesystem::path(::testing::TempDir()) /
          ("korvan_station_" + std::to_string(getpid()) + "_" + std::to_string(counter_++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  ~StationFixture() { std::filesystem::remove_all(dir); }

  StationPaths Paths() const {
    StationPaths p;
    p.settings_file = (dir / "Korvan_2007_v68ini").string();
    p.image_dump = (dir / "_Korvan_2007_v68ini").string();
    p.test_marker = (dir / "test_kalder.txt").string();
    p.program_dir = dir.string();
    p.data_dir = "";
    p.device_root = device_root;
    return p;
  }

  Station& Start(std::vector<std::string> args = {}) {
    station = std::make_unique<Station>(port, desktop, Paths());
    station->FormCreate(args);
    return *station;
  }

  // One tick: time passes for the unit, then the station's timer.
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      port.AdvanceTick();
      station->Timer1Timer();
    }
  }
  void RunUntilIdle(int limit = 2000) {
    Tick();
    for (int i = 0; i < limit && station->session().state() != SessionState::kIdle; ++i) Tick();
  }

  ControlHandle H(std::string_view name) const { return station->controls().Handle(name); }
  const Control& C(std::string_view name) const { return station->controls().Get(H(name)); }

  std::filesystem::path dir;
  // Empty: the Com menu looks at no device tree (plain "Com n", every port enabled).
  std::string device_root;
  UnitEmulator unit;
  MemoryUnitPort port{unit};
  ScriptedDesktop desktop;
  std::unique_ptr<Station> station;

 private:
  static inline int counter_ = 0;
};

}  // namespace korvan
