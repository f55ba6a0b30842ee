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

}  // namespace
}  // namespace korvan
