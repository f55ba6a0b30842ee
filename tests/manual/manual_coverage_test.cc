// Each manual covers the whole station in its own language: every menu item the window can show,
// by the caption the window gives it in that language, and every command of korvan's usage. A
// tuner who looks for "Plot..." or "korvan diff" in the German manual finds it there.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "station/station_fixture.h"
#include "texts/messages.h"
#include "usage_commands.h"

namespace korvan {
namespace {

struct ManualLanguage {
  Language language;
  const char* code;
  const char* word;  // the station's command-line word for the language
};

constexpr ManualLanguage kLanguages[] = {
    {Language::kEnglish, "en", "ENGLISH"},
    {Language::kGerman, "de", "DEUTSCH"},
    {Language::kFrench, "fr", "FRENCH"},
    {Language::kCzech, "cz", "CESKY"},
};

std::string ReadManual(const char* code) {
  std::ifstream in(
      std::filesystem::path(KORVAN_MANUAL_DIR) / ("korvan_" + std::string(code) + ".md"),
      std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  // Line breaks and runs of blanks become one blank, and the emphasis goes: a caption set in bold
  // or split over two lines is still found.
  std::string flat;
  for (const char c : text.str()) {
    if (c == '*') continue;
    const char d = (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    if (d == ' ' && !flat.empty() && flat.back() == ' ') continue;
    flat += d;
  }
  return flat;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A caption as the manual quotes it: without the mnemonic marks ("E&xit" is "Exit") and without
// the blanks around it ("Minus "). A trailing "..." stays: the manual names "Plot..." as the menu
// shows it, which also keeps a heading or a word in a sentence ("the plot") from standing in for
// the item. A menu item that shows a folder after its caption ("Folder: /home/.../logs") is named
// by the caption alone.
std::string ManualCaption(std::string text) {
  std::string plain;
  for (const char c : text) {
    if (c != '&') plain += c;
  }
  plain = plain.substr(0, plain.find('/'));
  const auto first = plain.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return plain.substr(first, plain.find_last_not_of(' ') - first + 1);
}

// The menus and menu items the window can show in `language`, hidden ones included (the Servis
// menu of test mode, "Stop replay" of a replay), as the station names them. The numbered ports
// are left to their own check: the manual gives them as a range with their devices.
std::vector<std::pair<std::string, std::string>> MenuCaptions(const ManualLanguage& l) {
  StationFixture fixture;
  Station& station = fixture.Start({l.word});
  std::vector<std::pair<std::string, std::string>> captions;
  const ControlSet& c = station.controls();
  for (ControlHandle h = 0; h < c.size(); ++h) {
    const Control& control = c.Get(h);
    if (control.kind != ControlKind::kMenu && control.kind != ControlKind::kMenuItem) continue;
    if (control.name.starts_with("MenuCom") && control.name != "MenuCom") continue;
    const std::string caption = ManualCaption(control.text);
    if (!caption.empty()) captions.emplace_back(control.name, caption);
  }
  // The record item's other caption, shown while a recording runs.
  captions.emplace_back(
      "MenuLogRecord",
      ManualCaption(std::string(MessageText(MessageKey::kMsgLogStopRecording, l.language))));
  return captions;
}

TEST(ManualCoverageTest, EachManualNamesEveryMenuItemAsItsWindowShowsIt) {
  for (const ManualLanguage& l : kLanguages) {
    const std::string manual = ReadManual(l.code);
    ASSERT_FALSE(manual.empty()) << l.code;
    const auto captions = MenuCaptions(l);
    ASSERT_GT(captions.size(), 40u) << l.code << ": the station made fewer menu items than it has";
    for (const auto& [control, caption] : captions) {
      EXPECT_TRUE(Contains(manual, caption))
          << "korvan_" << l.code << ".md does not name the menu item \"" << caption << "\" ("
          << control << ")";
    }
    // The Com menu's ports, named by their first and last number.
    for (const char* port : {"Com 1", "Com 20"}) {
      EXPECT_TRUE(Contains(manual, port))
          << "korvan_" << l.code << ".md does not name the port \"" << port << "\"";
    }
  }
}

TEST(ManualCoverageTest, EachManualDescribesEveryCommandOfTheUsage) {
  // Each with the program's name as the manual writes it: "korvan read", "korvan log export".
  std::vector<std::string> commands;
  for (const std::string& command : UsageCommands()) commands.push_back("korvan " + command);
  ASSERT_GT(commands.size(), 10u);
  for (const ManualLanguage& l : kLanguages) {
    const std::string manual = ReadManual(l.code);
    for (const std::string& command : commands) {
      EXPECT_TRUE(Contains(manual, command))
          << "korvan_" << l.code << ".md does not describe \"" << command << "\"";
    }
  }
}

// The pictures a manual shows lie under its own language's folder and exist: a picture the PDF
// cannot find would be an empty frame, and one of another language would show the wrong words.
TEST(ManualCoverageTest, EachManualShowsPicturesOfItsOwnLanguage) {
  for (const ManualLanguage& l : kLanguages) {
    std::ifstream in(std::filesystem::path(KORVAN_MANUAL_DIR) /
                     ("korvan_" + std::string(l.code) + ".md"));
    std::string line;
    int pictures = 0;
    while (std::getline(in, line)) {
      const auto open = line.find("](");
      if (line.rfind("![", 0) != 0 || open == std::string::npos) continue;
      const std::string path = line.substr(open + 2, line.find(')', open) - open - 2);
      ++pictures;
      EXPECT_EQ(path.rfind("pictures/" + std::string(l.code) + "/", 0), 0u)
          << "korvan_" << l.code << ".md shows " << path;
      EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(KORVAN_MANUAL_DIR) / path))
          << "korvan_" << l.code << ".md shows " << path << ", which is missing";
    }
    EXPECT_GT(pictures, 0) << "korvan_" << l.code << ".md shows no picture of the window";
  }
}

}  // namespace
}  // namespace korvan
