// The help documents: every manual is built into a real PDF beside the station program, and each
// manual names the station's messages exactly as the station shows them in its language, so a
// tuner who reads "Read error!" on the status line finds it in the manual.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "texts/messages.h"
#include "texts/window_texts.h"
#include "usage_commands.h"

namespace korvan {
namespace {

struct Manual {
  Language language;
  const char* code;
  const char* title;  // the first heading, as the PDF's text holds it
  const char* read;   // the Read command as its menu item names it
};

constexpr Manual kManuals[] = {
    {Language::kEnglish, "en", "Korvan station", "Read"},
    {Language::kGerman, "de", "Korvan-Station", "Lesen"},
    {Language::kFrench, "fr", "Station Korvan", "Lire"},
    {Language::kCzech, "cz", "Stanice Korvan", "Číst"},
};

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Line breaks and runs of blanks become one blank, and the Markdown emphasis goes, so that a
// message split over two lines or set in bold is still found.
std::string Flatten(const std::string& text) {
  std::string flat;
  for (const char c : text) {
    if (c == '*') continue;
    const char d = (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    if (d == ' ' && !flat.empty() && flat.back() == ' ') continue;
    flat += d;
  }
  return flat;
}

std::filesystem::path StationDir() {
  const char* dir = std::getenv("KORVAN_BIN_DIR");
  return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::path("app");
}

TEST(ManualTest, EveryLanguageHasItsPdfBesideTheStation) {
  if (!KORVAN_MANUAL_PDFS) GTEST_SKIP() << "built without Qt: no help documents";
  for (const Manual& m : kManuals) {
    const std::filesystem::path pdf =
        StationDir() / MessageText(MessageKey::kMsgHelpFile, m.language);
    ASSERT_TRUE(std::filesystem::exists(pdf)) << pdf;
    const std::string bytes = ReadAll(pdf);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-") << pdf;
    EXPECT_NE(bytes.rfind("%%EOF"), std::string::npos) << pdf;
    // A few pages of text, not an empty document.
    EXPECT_GT(bytes.size(), 20000u) << pdf;
  }
}

TEST(ManualTest, PdfTextIsTheManualsTextWithItsLetters) {
  if (!KORVAN_MANUAL_PDFS) GTEST_SKIP() << "built without Qt: no help documents";
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  // Words with the letters a plain font would lose.
  const std::array<const char*, 4> letters = {"Retard [°/100rpm]", "Zündung", "boîtier", "přečte"};
  for (std::size_t i = 0; i < std::size(kManuals); ++i) {
    const Manual& m = kManuals[i];
    const std::filesystem::path pdf =
        StationDir() / MessageText(MessageKey::kMsgHelpFile, m.language);
    const std::filesystem::path txt =
        std::filesystem::path(::testing::TempDir()) / (std::string("manual_") + m.code + ".txt");
    const std::string command =
        "pdftotext -enc UTF-8 '" + pdf.string() + "' '" + txt.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string text = Flatten(ReadAll(txt));
    std::filesystem::remove(txt);
    EXPECT_NE(text.find(m.title), std::string::npos) << m.code;
    EXPECT_NE(text.find(letters[i]), std::string::npos) << m.code << ": " << letters[i];
  }
}

TEST(ManualTest, ManualsQuoteTheStationsMessagesInTheirLanguage) {
  // What a tuner sees on the status line or in a message box when the link or a file fails.
  const MessageKey keys[] = {
      MessageKey::kMsgReadError,
      MessageKey::kMsgVerifyError,
      MessageKey::kMsgProgramError,
      MessageKey::kMsgNoReading,
      MessageKey::kMsgNoConnection,
      MessageKey::kMsgComOpenError,
      MessageKey::kMsgUnitVersionMismatch,
      MessageKey::kMsgFileVersionMismatch,
      MessageKey::kMsgAskDefaults,
      MessageKey::kMsgSavingProgress,
      MessageKey::kMsgVerifyProgress,
      MessageKey::kMsgProgramProgress,
      // A line another program holds: the reason and the holder named after it.
      MessageKey::kMsgComBusy,
      MessageKey::kMsgComHeldBy,
  };
  for (const Manual& m : kManuals) {
    const std::string text = Flatten(ReadAll(std::filesystem::path(KORVAN_MANUAL_DIR) /
                                             (std::string("korvan_") + m.code + ".md")));
    ASSERT_FALSE(text.empty()) << m.code;
    for (const MessageKey key : keys) {
      // A text with a place for what the station fills in is quoted up to that place.
      std::string message(MessageText(key, m.language));
      message = Flatten(message.substr(0, message.find('{')));
      EXPECT_NE(text.find(message), std::string::npos)
          << m.code << " manual does not quote \"" << message << "\"";
    }
    // The question a command asks during a replay names the command; the manual shows it for
    // Read.
    std::string question(MessageText(MessageKey::kMsgLogStopReplayFor, m.language));
    const std::size_t at = question.find("{command}");
    ASSERT_NE(at, std::string::npos);
    question = Flatten(question.replace(at, std::string("{command}").size(), m.read));
    EXPECT_NE(text.find(question), std::string::npos)
        << m.code << " manual does not quote \"" << question << "\"";
  }
}

// The journal of unsaved changes: each manual names the File menu's item for the changes set
// aside and the status line's warning as the window shows them in its language.
TEST(ManualTest, ManualsNameTheSetAsideItemAndTheJournalWarning) {
  for (const Manual& m : kManuals) {
    const std::string text = Flatten(ReadAll(std::filesystem::path(KORVAN_MANUAL_DIR) /
                                             (std::string("korvan_") + m.code + ".md")));
    ControlSet controls;
    const ControlHandle item = controls.Add("MenuAsideEdits", ControlKind::kMenuItem);
    ApplyWindowTexts(controls, m.language);
    ASSERT_FALSE(controls.Text(item).empty()) << m.code;
    EXPECT_NE(text.find(controls.Text(item)), std::string::npos)
        << m.code << " manual does not name \"" << controls.Text(item) << "\"";
    const std::string warning =
        Flatten(std::string(MessageText(MessageKey::kMsgJournalWriteFailed, m.language)));
    EXPECT_NE(text.find(warning), std::string::npos)
        << m.code << " manual does not quote \"" << warning << "\"";
  }
}

// The words of a roff request line (".BR read \", \" verify") without its request name and
// without the punctuation between them: {"read", "verify"}.
std::vector<std::string> RoffWords(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = line.find(' ');
  while (i != std::string::npos && i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i >= line.size()) break;
    std::size_t end;
    std::string word;
    if (line[i] == '"') {
      end = line.find('"', i + 1);
      word = line.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      if (end != std::string::npos) ++end;
    } else {
      end = line.find(' ', i);
      word = line.substr(i, end == std::string::npos ? std::string::npos : end - i);
    }
    word = word.substr(0, word.find("\\f"));  // the command, not its options set in another font
    if (!word.empty() && word.find_first_not_of(", ") != std::string::npos) words.push_back(word);
    i = end;
  }
  return words;
}

// The names a section of the page sets in bold at the start of an entry (the line after ".TP").
std::set<std::string> EntryNames(const std::string& page, const std::string& section) {
  std::set<std::string> names;
  std::istringstream lines(page);
  std::string line;
  bool in_section = false;
  bool after_tp = false;
  while (std::getline(lines, line)) {
    if (line.rfind(".SH ", 0) == 0) in_section = line == ".SH " + section;
    if (in_section && after_tp && (line.rfind(".B ", 0) == 0 || line.rfind(".BR ", 0) == 0)) {
      for (const std::string& word : RoffWords(line)) names.insert(word);
    }
    after_tp = line == ".TP";
  }
  return names;
}

TEST(ManualTest, TheCommandsManualPageDescribesEveryCommandAndItsExitStatus) {
  const std::vector<std::string> commands = UsageCommands();
  ASSERT_GE(commands.size(), 2u);
  const std::string page = ReadAll(std::filesystem::path(KORVAN_MAN_DIR) / "korvan.1");
  const std::set<std::string> described = EntryNames(page, "COMMANDS");
  const std::set<std::string> exit_status = EntryNames(page, "EXIT STATUS");
  for (const std::string& command : commands) {
    EXPECT_TRUE(described.contains(command)) << "korvan(1) does not describe " << command;
    EXPECT_TRUE(exit_status.contains(command)) << "korvan(1) gives no exit status of " << command;
  }
}

}  // namespace
}  // namespace korvan
