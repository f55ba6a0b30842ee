// The help documents: every manual is built into a real PDF beside the station program, and each
// manual names the station's messages exactly as the station shows them in its language, so a
// tuner who reads "Read error!" on the status line finds it in the manual.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/messages.h"

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
    const std::filesystem::path pdf = StationDir() / MessageText(MessageKey::kMsgHelpFile, m.language);
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
    const std::filesystem::path pdf = StationDir() / MessageText(MessageKey::kMsgHelpFile, m.language);
    const std::filesystem::path txt =
        std::filesystem::path(::testing::TempDir()) / (std::string("manual_") + m.code + ".txt");
    const std::string command = "pdftotext -enc UTF-8 '" + pdf.string() + "' '" + txt.string() + "'";
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
      MessageKey::kMsgReadError,         MessageKey::kMsgVerifyError,
      MessageKey::kMsgProgramError,      MessageKey::kMsgNoReading,
      MessageKey::kMsgNoConnection,      MessageKey::kMsgComOpenError,
      MessageKey::kMsgUnitVersionMismatch, MessageKey::kMsgFileVersionMismatch,
      MessageKey::kMsgAskDefaults,       MessageKey::kMsgSavingProgress,
      MessageKey::kMsgVerifyProgress,    MessageKey::kMsgProgramProgress,
  };
  for (const Manual& m : kManuals) {
    const std::string text = Flatten(
        ReadAll(std::filesystem::path(KORVAN_MANUAL_DIR) / (std::string("korvan_") + m.code + ".md")));
    ASSERT_FALSE(text.empty()) << m.code;
    for (const MessageKey key : keys) {
      const std::string message = Flatten(std::string(MessageText(key, m.language)));
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

}  // namespace
}  // namespace korvan
