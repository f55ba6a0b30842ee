#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "files/parameter_file.h"
#include "parameter_file_test_support.h"

namespace korvan {
namespace {

using testing::CarriedBytes;
using testing::FakeDefaults;
using testing::FilledImage;
using testing::WithKeyLine;

ParameterFileReadOptions WholeFile() {
  ParameterFileReadOptions options;
  options.apply_defaults = FakeDefaults;
  return options;
}

ParameterFileReadOptions PageOnly(int page) {
  ParameterFileReadOptions options = WholeFile();
  options.page_only = true;
  options.page_on_display = page;
  return options;
}

std::string Memo(const ParameterImage& image) {
  std::string memo;
  for (int k = kMemoOffset; k < kMemoOffset + kMemoMaxLength && image.Byte(k) != 0; ++k) {
    memo += static_cast<char>(image.Byte(k));
  }
  return memo;
}

bool Contains(const std::vector<ParameterSection>& sections, ParameterSection section) {
  return std::find(sections.begin(), sections.end(), section) != sections.end();
}

// --- Round trip ------------------------------------------------------------------------------

class RoundTripTest : public ::testing::TestWithParam<unsigned> {};

// Every byte the file carries comes back; every other byte is what the defaults of the file's
// bike put there.
TEST_P(RoundTripTest, CarriedBytesComeBackOthersTakeDefaults) {
  const ParameterImage original = FilledImage(GetParam(), "Tuned 2026\r\nnew plugs");
  ParameterImage read;
  read.bytes().fill(0xEE);
  const ParameterFileReadResult result =
      ReadParameterFile(FormatParameterFile(original), read, WholeFile());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.message, MessageKey::kNone);
  EXPECT_EQ(result.version, kParameterFileVersion);
  EXPECT_EQ(result.bike_code, original.Byte(0));
  EXPECT_EQ(result.applied.size(), static_cast<std::size_t>(kParameterSectionCount));
  EXPECT_TRUE(result.incomplete.empty());
  EXPECT_EQ(result.ignored_words, 0);

  ParameterImage defaults;
  defaults.SetByte(0, original.Byte(0));
  FakeDefaults(defaults);
  const auto carried = CarriedBytes();
  for (int k = 0; k < kImageSize; ++k) {
    const std::uint8_t expected =
        carried[static_cast<std::size_t>(k)] ? original.Byte(k) : defaults.Byte(k);
    ASSERT_EQ(read.Byte(k), expected) << "image byte " << k;
  }
}

// Seeds chosen so that the servo percent flags, idle types and channel modes vary.
INSTANTIATE_TEST_SUITE_P(HandFilledImages, RoundTripTest, ::testing::Values(0u, 1u, 6u, 13u, 42u));

TEST(ParameterFileReaderTest, ExtremeValuesRoundTrip) {
  for (unsigned fill : {0u, 255u}) {
    ParameterImage original;
    original.bytes().fill(static_cast<std::uint8_t>(fill));
    original.SetByte(0, 49);
    for (int flag : {1, 58, 59, 62, 63, 66, 98, 107}) original.SetByte(flag, fill & 1u);
    original.SetByte(47, 0);
    for (int k = 2700; k < kImageSize; ++k) original.SetByte(k, 0);
    // Both servo units and every idle table step.
    for (unsigned idle_type : {0u, 1u, 2u, 3u}) {
      original.SetByte(2600, idle_type);
      ParameterImage read;
      ASSERT_TRUE(ReadParameterFile(FormatParameterFile(original), read, WholeFile()).ok());
      const auto carried = CarriedBytes();
      for (int k = 0; k < kImageSize; ++k) {
        if (carried[static_cast<std::size_t>(k)]) {
          ASSERT_EQ(read.Byte(k), original.Byte(k)) << "byte " << k << " fill " << fill;
        }
      }
    }
  }
}

TEST(ParameterFileReaderTest, KeyLineAndBikeAloneGiveTheBikesDefaults) {
  ParameterImage image = FilledImage(5, "old");
  const auto result =
      ReadParameterFile(WithKeyLine("\r\nBIKE            11 \r\n"), image, WholeFile());
  ASSERT_TRUE(result.ok());
  ParameterImage expected;
  expected.SetByte(0, 11);
  FakeDefaults(expected);
  EXPECT_EQ(image, expected);
  EXPECT_EQ(result.bike_code, 11);
}

// --- Version check and unreadable input ------------------------------------------------------

struct RejectedCase {
  const char* name;
  std::string bytes;
  std::optional<std::uint32_t> version;
};

class RejectedFileTest : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedFileTest, LeavesImageUntouchedAndAsksForVersionMessage) {
  const ParameterImage before = FilledImage(9, "keep me");
  ParameterImage image = before;
  bool defaults_called = false;
  ParameterFileReadOptions options;
  options.apply_defaults = [&](ParameterImage&) { defaults_called = true; };
  const auto result = ReadParameterFile(GetParam().bytes, image, options);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.status, ParameterFileStatus::kVersionMismatch);
  EXPECT_EQ(result.message, MessageKey::kMsgFileVersionMismatch);
  EXPECT_EQ(result.version, GetParam().version);
  EXPECT_EQ(image, before);
  EXPECT_FALSE(defaults_called);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RejectedFileTest,
    ::testing::Values(
        RejectedCase{"Empty", "", std::nullopt},
        RejectedCase{"OtherVersion", "VELMORAX_KEY    67 \r\n\r\nBIKE            11 \r\n", 67},
        RejectedCase{"KeyWithoutNumber", "VELMORAX_KEY\r\nBIKE 11", std::nullopt},
        RejectedCase{"KeyInOtherCase", "velmorax_key 68\r\nBIKE 11", std::nullopt},
        RejectedCase{"KeyGluedToVersion", "VELMORAX_KEY68\r\nBIKE 11", std::nullopt},
        RejectedCase{"Garbage", std::string("\x01\xff\x00 \x7f{}[] 68 68\n\n", 17), std::nullopt},
        RejectedCase{"OnlyWhiteSpace", " \r\n\t\v\f ", std::nullopt},
        RejectedCase{"NegativeVersion", "VELMORAX_KEY -68 BIKE 11", 4294967228u}),
    [](const ::testing::TestParamInfo<RejectedCase>& info) {
      return std::string(info.param.name);
    });

TEST(ParameterFileReaderTest, WordsBeforeTheKeyLineAreSkipped) {
  ParameterImage image;
  const auto result = ReadParameterFile(
      "saved by the workshop, 3 maps\r\nVELMORAX_KEY 67\r\nVELMORAX_KEY VELMORAX_KEY 68\r\n"
      "COOLING 95",
      image, WholeFile());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(image.Byte(35), 95);
  EXPECT_EQ(result.version, 68u);
}

TEST(ParameterFileReaderTest, OversizedInputIsRefusedUnread) {
  ParameterImage image = FilledImage(2, "x");
  const ParameterImage before = image;
  std::string huge = WithKeyLine("COOLING 95 ");
  huge.resize(kMaxParameterFileBytes + 1, ' ');
  const auto result = ReadParameterFile(huge, image, WholeFile());
  EXPECT_EQ(result.status, ParameterFileStatus::kTooLarge);
  EXPECT_EQ(result.message, MessageKey::kMsgFileOpenError);
  EXPECT_EQ(image, before);
}

TEST(ParameterFileReaderTest, MissingFileReportsOpenError) {
  ParameterImage image = FilledImage(2, "x");
  const ParameterImage before = image;
  const auto result = OpenParameterFile("/nonexistent/dir/set.ign", image, WholeFile());
  EXPECT_EQ(result.status, ParameterFileStatus::kOpenFailed);
  EXPECT_EQ(result.message, MessageKey::kMsgFileOpenError);
  EXPECT_EQ(image, before);
}

// --- Tolerance -------------------------------------------------------------------------------

TEST(ParameterFileReaderTest, MissingSectionsKeepTheirFieldsAndRepeatsTakeTheLast) {
  ParameterImage image;
  image.SetByte(35, 80);
  image.SetByte(36, 4);
  const auto result = ReadParameterFile(WithKeyLine("RPM 2 -10\r\nRPM 3 20 junk 17\r\nTUNING 500"),
                                        image, WholeFile());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(image.Byte(35), 80);  // no COOLING section
  EXPECT_EQ(image.Byte(36), 3);
  EXPECT_EQ(image.Byte(37), 120);
  EXPECT_EQ(image.Byte(186), 50);
  EXPECT_EQ(result.applied,
            (std::vector<ParameterSection>{ParameterSection::kRpm, ParameterSection::kRpm,
                                           ParameterSection::kTuning}));
  EXPECT_EQ(result.ignored_words, 2);  // "junk" and the surplus 17
  EXPECT_EQ(result.incomplete, std::vector<ParameterSection>{ParameterSection::kTuning});
}

TEST(ParameterFileReaderTest, ShortSectionNeverSwallowsTheNextKey) {
  ParameterImage image;
  for (int k = 28; k <= 32; ++k) image.SetByte(k, 77);
  const auto result = ReadParameterFile(WithKeyLine("LIMITER 9000 9100\r\nCOOLING 95\r\nLIMITER"),
                                        image, WholeFile());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(image.Byte(28), 90);
  EXPECT_EQ(image.Byte(29), 91);
  EXPECT_EQ(image.Byte(30), 77);  // not given: kept
  EXPECT_EQ(image.Byte(32), 77);
  EXPECT_EQ(image.Byte(35), 95);
  EXPECT_EQ(result.incomplete, (std::vector<ParameterSection>{ParameterSection::kLimiter,
                                                              ParameterSection::kLimiter}));
}

TEST(ParameterFileReaderTest, OverlongWordsAreNeitherKeysNorNumbers) {
  ParameterImage image;
  image.SetByte(36, 4);
  image.SetByte(37, 100);
  const std::string long_number(kMaxParameterFileToken + 1, '7');
  const std::string long_word = "COOLING" + std::string(400, 'X');
  const std::string longest_number = std::string(kMaxParameterFileToken - 2, '0') + "42";
  const auto result = ReadParameterFile(WithKeyLine(long_word + " 95 RPM 2 " + long_number +
                                                    "\r\nCOOLING " + longest_number + "\r\n"),
                                        image, WholeFile());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(image.Byte(36), 2);
  EXPECT_EQ(image.Byte(37), 100);  // the overlong number ended the section
  EXPECT_EQ(image.Byte(35), 42);   // 279 characters are still a number
  EXPECT_EQ(result.overlong_tokens, 2);
  EXPECT_EQ(result.incomplete, std::vector<ParameterSection>{ParameterSection::kRpm});
}

TEST(ParameterFileReaderTest, ValuesWrapAndTruncateLikeTheUnit) {
  struct Case {
    std::string section;
    int offset;
    unsigned stored;
  };
  const Case cases[] = {
      {"GEAR_CORR -40", 174, 60},  // signed, stored + 100
      {"RPM 0 -60", 37, 40},
      {"RPM 0 60", 37, 160},
      {"CHOKE 0 0 0 0 100", 71, 0},  // + 100 fields
      {"CHOKE 0 0 0 0 350", 71, 250},
      {"TPS 0 5000", 34, 250},
      {"TPS 0 2500", 34, 0},
      {"TPS 0 2495", 34, 0},  // truncates toward zero
      {"LIMITER 25050", 28, 250},
      {"COOLING 65541", 35, 5},  // low 16 bits, then low 8 bits
      {"COOLING 4294967295", 35, 255},
      {"COOLING 4294967301", 35, 5},  // digits beyond 2^32 wrap
      {"COOLING +7", 35, 7},
      {"BIKE 3 INPUTS 0 0 0 0 0 0 ADVANCE_CORR 80", 93, 80},  // raw
  };
  for (const Case& c : cases) {
    ParameterImage image;
    ASSERT_TRUE(ReadParameterFile(WithKeyLine(c.section), image, WholeFile()).ok());
    EXPECT_EQ(image.Byte(c.offset), c.stored) << c.section;
  }
}

TEST(ParameterFileReaderTest, WordFieldsTakeTheLowSixteenBits) {
  ParameterImage image;
  ASSERT_TRUE(
      ReadParameterFile(WithKeyLine("SPEED_PULSES 1 32000 IAP_IAP 65536 -1"), image, WholeFile())
          .ok());
  EXPECT_EQ(image.Byte(160), 0x00);
  EXPECT_EQ(image.Byte(161), 0x7D);
  EXPECT_EQ(image.Word(142), 0);
  EXPECT_EQ(image.Word(143), 0xFFFF);
}

TEST(ParameterFileReaderTest, ServoMapsDivideByTheFlagAsItStandsWhenMet) {
  ParameterImage image;
  image.SetByte(63, 0);
  // The map before SERVO_IN uses the old flag (mV, / 20), the repeat after it percent.
  const auto result = ReadParameterFile(
      WithKeyLine("SERVO_IN_VALUE 5000 SERVO_IN 1 1 0 0 0 0 0 SERVO_IN_VALUE 100 80"), image,
      WholeFile());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(image.Byte(2450), 100);
  EXPECT_EQ(image.Byte(2451), 80);
  image.SetByte(62, 0);
  ASSERT_TRUE(ReadParameterFile(WithKeyLine("SERVO_EX_VALUE 5000"), image, WholeFile()).ok());
  EXPECT_EQ(image.Byte(2300), 250);
}

TEST(ParameterFileReaderTest, IdleTableDividesByTheStepOfTheTypeJustRead) {
  struct Case {
    unsigned type;
    unsigned servo_percent;
    const char* value;
    unsigned stored;
  };
  const Case cases[] = {{1, 0, "5000", 250},
                        {1, 1, "100", 100},
                        {3, 0, "1200", 240},
                        {2, 1, "12000", 240},
                        {0, 0, "12000", 240}};
  for (const Case& c : cases) {
    ParameterImage image;
    image.SetByte(63, c.servo_percent);
    const std::string file = "IDLE " + std::to_string(c.type) + " 0 0 0 0 0 0 0 0 " + c.value;
    ASSERT_TRUE(ReadParameterFile(WithKeyLine(file), image, WholeFile()).ok());
    EXPECT_EQ(image.Byte(2609), c.stored) << file;
  }
}

// Byte 0 keeps the low eight bits of BIKE, as every byte field does; codes without bike data of
// their own (other program versions) still bring in their default set.
TEST(ParameterFileReaderTest, BikeKeepsTheLowByteOfItsValue) {
  struct Case {
    const char* value;
    int code;
  };
  for (const Case c : {Case{"0", 0}, Case{"49", 49}, Case{"50", 50}, Case{"60", 60},
                       Case{"255", 255}, Case{"267", 11}}) {
    ParameterImage image = FilledImage(4, "m");
    int defaults_for = -1;
    ParameterFileReadOptions options;
    options.apply_defaults = [&](ParameterImage& i) { defaults_for = i.Byte(0); };
    const auto result = ReadParameterFile(
        WithKeyLine(std::string("BIKE ") + c.value + " COOLING 33"), image, options);
    ASSERT_TRUE(result.ok()) << c.value;
    EXPECT_EQ(defaults_for, c.code) << c.value;
    EXPECT_EQ(result.bike_code, c.code) << c.value;
    EXPECT_EQ(image.Byte(0), c.code) << c.value;
    EXPECT_EQ(image.Byte(35), 33) << c.value;
  }
}

// --- Coupled channels and page-only mode -----------------------------------------------------

TEST(ParameterFileReaderTest, CoupledChannelsSkipTheirSectionsWhileByte47IsOne) {
  ParameterImage source = FilledImage(11, "");
  source.SetByte(47, 1);
  ParameterImage image;
  const auto result = ReadParameterFile(FormatParameterFile(source), image, WholeFile());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(image.Byte(47), 1);
  EXPECT_EQ(image.Word(325), source.Word(325));  // 1A is read
  ParameterImage defaults;
  defaults.SetByte(0, source.Byte(0));
  FakeDefaults(defaults);
  for (int k = 395; k < 440; ++k) ASSERT_EQ(image.Byte(k), defaults.Byte(k)) << k;   // axes
  for (int k = 950; k < 1850; ++k) ASSERT_EQ(image.Byte(k), defaults.Byte(k)) << k;  // maps
  for (auto section :
       {ParameterSection::kRpmJet2A, ParameterSection::kJet2A, ParameterSection::kRpmJet3A,
        ParameterSection::kJet3A, ParameterSection::kRpmJet4A, ParameterSection::kJet4A}) {
    EXPECT_TRUE(Contains(result.skipped, section));
    EXPECT_FALSE(Contains(result.applied, section));
  }
  // Not coupled in the file: the same sections are taken.
  source.SetByte(47, 2);
  ASSERT_TRUE(ReadParameterFile(FormatParameterFile(source), image, WholeFile()).ok());
  EXPECT_EQ(image.Word(475), source.Word(475));
  EXPECT_EQ(image.Byte(395), source.Byte(395));
}

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
