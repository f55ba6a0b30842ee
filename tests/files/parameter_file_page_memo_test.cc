// The reader: a file applied to the page on display only, the memo, and what the reader says of a
// file (its description, the sections a cut file left short).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "files/parameter_file.h"
#include "parameter_file_read_options.h"
#include "parameter_file_test_support.h"

namespace korvan {
namespace {

using testing::CarriedBytes;
using testing::FakeDefaults;
using testing::FilledImage;
using testing::WithKeyLine;

TEST(ParameterFileReaderTest, PageOnlyAppliesOnlyTheSectionsOfThePageOnDisplay) {
  const ParameterImage source = FilledImage(21, "from file");
  ParameterImage image = FilledImage(22, "kept");
  const ParameterImage before = image;
  bool defaults_called = false;
  ParameterFileReadOptions options = PageOnly(10);
  options.apply_defaults = [&](ParameterImage&) { defaults_called = true; };
  const auto result = ReadParameterFile(FormatParameterFile(source), image, options);
  ASSERT_TRUE(result.ok());
  EXPECT_FALSE(defaults_called);
  EXPECT_FALSE(result.bike_code.has_value());

  // Page 10: sensors w3..w10, w97..w110, throttle 33..34, potentiometer 75..76.
  std::array<bool, kImageSize> page10{};
  auto mark = [&](int first, int count) {
    for (int k = first; k < first + count; ++k) page10[static_cast<std::size_t>(k)] = true;
  };
  mark(6, 16);
  mark(194, 28);
  mark(33, 2);
  mark(75, 2);
  for (int k = 0; k < kImageSize; ++k) {
    const std::uint8_t expected =
        page10[static_cast<std::size_t>(k)] ? source.Byte(k) : before.Byte(k);
    ASSERT_EQ(image.Byte(k), expected) << "image byte " << k;
  }
  EXPECT_EQ(result.applied, (std::vector<ParameterSection>{
                                ParameterSection::kApsIaps, ParameterSection::kWaterTempSensor,
                                ParameterSection::kAirTempSensor, ParameterSection::kTps,
                                ParameterSection::kPotentiometer}));
  EXPECT_EQ(result.skipped.size(), static_cast<std::size_t>(kParameterSectionCount - 5));
}

TEST(ParameterFileReaderTest, PageOnlyOnBikePageTakesMemoButNotBikeOrNoReading) {
  ParameterImage source = FilledImage(31, "new memo");
  source.SetByte(1, 1);
  ParameterImage image = FilledImage(32, "old memo");
  image.SetByte(1, 0);
  const ParameterImage before = image;
  const auto result = ReadParameterFile(FormatParameterFile(source), image, PageOnly(0));
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(Memo(image), "new memo");
  EXPECT_EQ(image.Byte(0), before.Byte(0));
  EXPECT_EQ(image.Byte(1), 0);
  EXPECT_EQ(image.Byte(28), source.Byte(28));  // LIMITER is a page 0 section
  EXPECT_EQ(image.Byte(500), before.Byte(500));
}

TEST(ParameterFileReaderTest, PageOnlyNeverAppliesBikeOrNoReadingWhateverThePage) {
  for (int page : {-1, 0, 18, 99}) {
    ParameterImage image;
    const auto result =
        ReadParameterFile(WithKeyLine("BIKE 7 NO_READING 1"), image, PageOnly(page));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(image, ParameterImage()) << page;
    EXPECT_EQ(result.skipped.size(), 2u) << page;
  }
}

TEST(ParameterFileReaderTest, PageOnlyOnAnotherPageLeavesMemo) {
  ParameterImage image = FilledImage(32, "old memo");
  ASSERT_TRUE(
      ReadParameterFile(FormatParameterFile(FilledImage(31, "new")), image, PageOnly(3)).ok());
  EXPECT_EQ(Memo(image), "old memo");
}

// --- Memo ------------------------------------------------------------------------------------

TEST(ParameterFileReaderTest, MemoLineEndsAndLeadingCharactersSurviveSaveAndReload) {
  const std::string memos[] = {
      "one\r\ntwo\r\n",          "  indented",          "1234 starts with digits",
      "\r\nstarts with a break", std::string(149, 'm'), "VELMORAX_KEY 68",
      "tab\tand\r\nBIKE 3",
  };
  for (const std::string& memo : memos) {
    ParameterImage image;
    ASSERT_TRUE(
        ReadParameterFile(FormatParameterFile(FilledImage(8, memo)), image, WholeFile()).ok());
    EXPECT_EQ(Memo(image), memo);
    EXPECT_EQ(image.Byte(2849), 0);
  }
}

TEST(ParameterFileReaderTest, MemoLoneLineFeedsComeBackAsCrLf) {
  ParameterImage image;
  ASSERT_TRUE(
      ReadParameterFile(FormatParameterFile(FilledImage(8, "a\nb\n")), image, WholeFile()).ok());
  EXPECT_EQ(Memo(image), "a\r\nb\r\n");
}

TEST(ParameterFileReaderTest, MemoFromTextModeWritersLosesTheDoubledCr) {
  ParameterImage image;
  ASSERT_TRUE(
      ReadParameterFile(WithKeyLine("MEMO         \r\nline\r\r\nnext"), image, WholeFile()).ok());
  EXPECT_EQ(Memo(image), "line\r\nnext");
}

TEST(ParameterFileReaderTest, MemoReplacesTheOldTextCompletely) {
  ParameterImage image = FilledImage(8, std::string(149, 'o'));
  ASSERT_TRUE(ReadParameterFile(WithKeyLine("MEMO\r\nshort"), image, WholeFile()).ok());
  EXPECT_EQ(Memo(image), "short");
  for (int k = kMemoOffset + 5; k < kImageSize; ++k) ASSERT_EQ(image.Byte(k), 0) << k;
}

TEST(ParameterFileReaderTest, OverlongMemoIsCutAndItsRestIsNotReadAsSections) {
  ParameterImage image;
  const auto result = ReadParameterFile(
      WithKeyLine("MEMO         \r\n" + std::string(149, 'a') + " COOLING 95"), image, WholeFile());
  ASSERT_TRUE(result.ok());
  EXPECT_TRUE(result.memo_truncated);
  EXPECT_EQ(Memo(image), std::string(149, 'a'));
  EXPECT_EQ(image.Byte(35), 0);
}

TEST(ParameterFileReaderTest, MemoEndsAtZeroByteAndReadingGoesOn) {
  ParameterImage image;
  const std::string file = WithKeyLine(std::string("MEMO\r\nnote\0COOLING 95", 21));
  const auto result = ReadParameterFile(file, image, WholeFile());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(Memo(image), "note");
  EXPECT_EQ(image.Byte(35), 95);
  EXPECT_FALSE(result.memo_truncated);
}

TEST(ParameterFileReaderTest, MemoAtEndOfFileIsEmpty) {
  ParameterImage image = FilledImage(8, "old");
  ASSERT_TRUE(ReadParameterFile(WithKeyLine("MEMO"), image, WholeFile()).ok());
  EXPECT_EQ(Memo(image), "");
}

TEST(ParameterFileReaderTest, DescribeNamesVersionBikeAndSections) {
  ParameterImage image;
  const auto result =
      ReadParameterFile(WithKeyLine("BIKE 11 COOLING 95 LIMITER 900 JUNK"), image, WholeFile());
  const std::string text = DescribeReadResult(result);
  EXPECT_NE(text.find("version 68"), std::string::npos) << text;
  EXPECT_NE(text.find("bike 11"), std::string::npos) << text;
  EXPECT_NE(text.find("sections: BIKE COOLING LIMITER"), std::string::npos) << text;
  EXPECT_NE(text.find("incomplete: LIMITER"), std::string::npos) << text;
}

// --- Files cut short or damaged --------------------------------------------------------------

// The file the writer makes, cut `digits_kept` digits into the `number`-th number after the key of
// `section` (a full stick or a bad copy ends a file anywhere, often inside a number).
std::string CutInside(const std::string& file, const std::string& section, int number,
                      int digits_kept) {
  std::size_t at = file.find("\r\n" + section + " ");
  EXPECT_NE(at, std::string::npos) << section;
  at += 2 + section.size();
  for (int n = 0; n <= number; ++n) {
    at = file.find_first_of("-0123456789", at);
    if (n < number) at = file.find_first_not_of("-0123456789", at);
  }
  return file.substr(0, at + static_cast<std::size_t>(digits_kept));
}

std::size_t AfterFirstLineOf(const std::string& file, const std::string& section) {
  return file.find("\r\n", file.find("\r\n" + section + " ") + 2) + 2;
}

TEST(ParameterFileReaderTest, FilesCutShortNameTheSectionsTheyLeftShort) {
  const std::string whole = FormatParameterFile(FilledImage(3, "cut me"));
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<ParameterSection> incomplete;
  };
  const Case cases[] = {
      {"the whole file", whole, {}},
      {"a short file of the key line and the bike", WithKeyLine("BIKE            11 \r\n"), {}},
      {"cut inside a map: its last value lost a digit and the rest are missing",
       CutInside(whole, "JET_1A", 20, 2),
       {ParameterSection::kJet1A}},
      {"cut at a line end inside a map",
       whole.substr(0, AfterFirstLineOf(whole, "JET_1A")),
       {ParameterSection::kJet1A}},
      {"cut inside the only value of a section",
       CutInside(whole, "COOLING", 0, 1),
       {ParameterSection::kCooling}},
      {"cut inside the bike code", CutInside(whole, "BIKE", 0, 1), {ParameterSection::kBike}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ParameterImage image = FilledImage(8, "before");
    const ParameterFileReadResult result = ReadParameterFile(c.bytes, image, WholeFile());
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.incomplete, c.incomplete);
    EXPECT_EQ(result.damaged(), !c.incomplete.empty());
  }
}

// Some editors save a byte-order mark before the text; the file is the same set.
TEST(ParameterFileReaderTest, AByteOrderMarkBeforeTheKeyLineIsNoPartOfIt) {
  const ParameterImage saved = FilledImage(4, "with a mark");
  const std::string file = FormatParameterFile(saved);
  ParameterImage plain = FilledImage(9, "x");
  ParameterImage marked = plain;
  ASSERT_TRUE(ReadParameterFile(file, plain, WholeFile()).ok());
  const ParameterFileReadResult result =
      ReadParameterFile("\xEF\xBB\xBF" + file, marked, WholeFile());
  ASSERT_TRUE(result.ok()) << DescribeReadResult(result);
  EXPECT_EQ(marked, plain);
  EXPECT_EQ(result.version, 68u);
  EXPECT_EQ(result.ignored_words, 0);
}

}  // namespace
}  // namespace korvan
