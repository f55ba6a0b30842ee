#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "files/parameter_file.h"
#include "parameter_file_test_support.h"

namespace korvan {
namespace {

constexpr std::string_view kCont = "\r\n             ";

// The text from `key_field` (which must follow a line break) up to the line break that starts
// `next_key_field`.
std::string SectionText(const std::string& file, std::string_view key_field,
                        std::string_view next_key_field) {
  const std::size_t begin = file.find("\r\n" + std::string(key_field));
  const std::size_t end = file.find("\r\n" + std::string(next_key_field), begin + 2);
  if (begin == std::string::npos || end == std::string::npos) return "<missing>";
  return file.substr(begin + 2, end - begin - 2);
}

TEST(ParameterFileWriterTest, BeginsWithKeyLineBikeAndSensors) {
  ParameterImage image;
  image.SetByte(0, 11);
  const unsigned sensors[] = {10, 500, 100, 4500, 20, 600, 200, 4600};
  for (int i = 0; i < 8; ++i) image.SetWord(3 + i, sensors[i]);

  const std::string file = FormatParameterFile(image);
  const std::string expected =
      "VELMORAX_KEY    68 \r\n"
      "\r\n"
      "BIKE            11 \r\n"
      "             \r\n"
      "APS_IAPS        10   500   100  4500 \r\n"
      "                20   600   200  4600 \r\n"
      "WATER_TEMP_SENSOR\r\n"
      "                 0     0     0     0     0     0     0     0     0 \r\n"
      "AIR_TEMP_SENSOR    \r\n"
      "                 0     0     0     0     0 \r\n"
      "INPUTS       ";
  EXPECT_EQ(file.substr(0, expected.size()), expected);
}

TEST(ParameterFileWriterTest, SectionKeysAppearOnceInOrder) {
  const std::vector<std::string_view> keys = {
      "BIKE         ",  "APS_IAPS     ",  "WATER_TEMP_SENSOR", "AIR_TEMP_SENSOR    ",
      "INPUTS       ",  "LIMITER      ",  "TPS          ",     "POTENTIOMETER      ",
      "COOLING      ",  "RPM          ",  "INTAKE_PORT  ",     "ADVANCE_MISC ",
      "RPM_ADV      ",  "ADVANCE      ",  "JET1_MISC    ",     "RPM_JET_1A   ",
      "JET_1A       ",  "RPM_JET_2A   ",  "JET_2A       ",     "RPM_JET_3A   ",
      "JET_3A       ",  "RPM_JET_4A   ",  "JET_4A       ",     "RPM_JET_B    ",
      "JET_B        ",  "IAP_MISC     ",  "IAP_IAP      ",     "RPM_IAP      ",
      "IAP          ",  "POSITION_A   ",  "POSITION_B   ",     "SERVO_IN     ",
      "RPM_SERVO_IN ",  "SERVO_IN_VALUE", "SERVO_EX     ",     "RPM_SERVO_EX ",
      "SERVO_EX_VALUE", "IDLE         ",  "CHOKE        ",     "START_INJ    ",
      "INJ_CORR     ",  "ACCEL        ",  "ADVANCE_CORR ",     "N2O          ",
      "SPEED_PULSES ",  "GEAR         ",  "GEAR_AUTO    ",     "GEAR_CORR    ",
      "PILOT_LIGHT  ",  "CLUTCH       ",  "DISPLAY      ",     "TUNING       ",
      "NO_READING   ",  "MEMO         "};
  const std::string file = FormatParameterFile(testing::FilledImage(3, "memo"));
  std::size_t last = 0;
  for (std::string_view key : keys) {
    const std::string needle = "\r\n" + std::string(key);
    const std::size_t at = file.find(needle);
    ASSERT_NE(at, std::string::npos) << key;
    EXPECT_GT(at, last) << key;
    // Keys that are prefixes of others (RPM, IAP, ...) are padded, so an exact key occurs once.
    EXPECT_EQ(file.find(needle, at + 1), std::string::npos) << key;
    last = at;
  }
}

TEST(ParameterFileWriterTest, EveryLineEndIsCrLfAndNothingFollowsTheMemo) {
  const std::string file = FormatParameterFile(testing::FilledImage(7, "line one\nline two"));
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\n') {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(file[i - 1], '\r') << "at " << i;
    }
    if (file[i] == '\r') {
      EXPECT_EQ(file[i + 1], '\n') << "lone CR at " << i;
    }
  }
  const std::string tail = "\r\nMEMO         \r\nline one\r\nline two";
  ASSERT_GE(file.size(), tail.size());
  EXPECT_EQ(file.substr(file.size() - tail.size()), tail);
}

struct SectionCase {
  const char* name;
  std::vector<std::pair<int, unsigned>> bytes;  // image byte, stored value
  std::string_view key_field;
  std::string_view next_key_field;
  std::string expected;
};

class ParameterFileSectionTest : public ::testing::TestWithParam<SectionCase> {};

TEST_P(ParameterFileSectionTest, WritesExactText) {
  ParameterImage image;
  for (const auto& [offset, value] : GetParam().bytes) image.SetByte(offset, value);
  const std::string file = FormatParameterFile(image);
  EXPECT_EQ(SectionText(file, GetParam().key_field, GetParam().next_key_field),
            GetParam().expected);
}

std::string Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

std::string MapRows(std::string_view cell) {
  return Repeat(Repeat(cell, 15) + std::string(kCont), 10);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, ParameterFileSectionTest,
    ::testing::Values(
        SectionCase{"LimiterScalesRpm",
                    {{28, 250}, {29, 9}, {30, 120}, {31, 118}, {32, 7}},
                    "LIMITER      ",
                    "TPS          ",
                    "LIMITER      25000   900 12000 11800     7 "},
        SectionCase{"TpsVoltages",
                    {{33, 50}, {34, 250}},
                    "TPS          ",
                    "POTENTIOMETER      ",
                    "TPS            500  5000 "},
        SectionCase{"RpmCorrectionIsSigned",
                    {{36, 2}, {37, 40}},
                    "RPM          ",
                    "INTAKE_PORT  ",
                    "RPM              2   -60 "},
        SectionCase{"IntakePortEndsWithEmptyLine",
                    {{38, 95}},
                    "INTAKE_PORT  ",
                    "ADVANCE_MISC ",
                    "INTAKE_PORT   9500 \r\n"},
        SectionCase{"AdvanceMiscSignedCylinders",
                    {{40, 1}, {41, 0}, {42, 100}, {43, 255}, {44, 95}, {45, 10}, {46, 30}},
                    "ADVANCE_MISC ",
                    "RPM_ADV      ",
                    "ADVANCE_MISC     1  -100     0   155    -5    10    30 "},
        SectionCase{"ServoInFlagStrings",
                    {{59, 1}, {63, 0}, {61, 20}, {65, 2}, {66, 1}, {77, 10}, {78, 4}},
                    "SERVO_IN     ",
                    "RPM_SERVO_IN ",
                    "SERVO_IN         1     0   100     2     1    10  1000 "},
        SectionCase{"ServoExFlagStrings",
                    {{58, 0}, {62, 1}, {60, 3}, {64, 1}},
                    "SERVO_EX     ",
                    "RPM_SERVO_EX ",
                    "SERVO_EX         0     1    15     1 "},
        SectionCase{"ServoInMapInMillivoltsStartsOnContinuation",
                    {},
                    "SERVO_IN_VALUE",
                    "SERVO_EX     ",
                    "SERVO_IN_VALUE" + std::string(kCont) + MapRows("    0 ") + "\r\n"},
        SectionCase{"PositionTables",
                    {{56, 2}, {305, 3}, {320, 144}},
                    "POSITION_A   ",
                    "POSITION_B   ",
                    "POSITION_A       2 " + std::string(kCont) + "  300 " + Repeat("    0 ", 14) +
                        std::string(kCont) + "  720 " + Repeat("    0 ", 14) + "\r\n"},
        SectionCase{"IdleTableTimesStepOfTypeThree",
                    {{2600, 3}, {2601, 12}, {2604, 4}, {2606, 25}, {2609, 240}, {2622, 20}},
                    "IDLE         ",
                    "CHOKE        ",
                    "IDLE             3  1200     0     0  1000     0   250     0     0 " +
                        std::string(kCont) + " 1200 " + Repeat("    0 ", 8) + std::string(kCont) +
                        Repeat("    0 ", 4) + std::string(kCont) + " 1000 " + Repeat("    0 ", 8) +
                        std::string(kCont) + std::string(kCont)},
        SectionCase{"ChokeCorrectionsPlus100",
                    {{67, 1}, {71, 0}, {74, 250}},
                    "CHOKE        ",
                    "START_INJ    ",
                    "CHOKE            1     0     0     0 " + std::string(kCont) +
                        "  100   100   100   350 "},
        SectionCase{"N2oDelayBeforeBuildUp",
                    {{98, 1},
                     {99, 10},
                     {100, 20},
                     {101, 5},
                     {102, 3},
                     {158, 20},
                     {103, 4},
                     {104, 5},
                     {105, 8},
                     {106, 7}},
                    "N2O          ",
                    "SPEED_PULSES ",
                    "N2O              1 " + std::string(kCont) +
                        "   10    20   300   500   120   100 " + std::string(kCont) +
                        "    4     5   700   800 "},
        SectionCase{"GearCorrectionSigned",
                    {{174, 60}, {175, 120}, {180, 255}},
                    "GEAR_CORR    ",
                    "PILOT_LIGHT  ",
                    "GEAR_CORR      -40    20  -100  -100  -100  -100 " + std::string(kCont) +
                        "  255     0     0     0     0     0 "},
        SectionCase{"DisplayFlagAndEmptyLine",
                    {{107, 1}},
                    "DISPLAY      ",
                    "TUNING       ",
                    "DISPLAY          1\r\n"},
        SectionCase{
            "NoReadingFlag", {{1, 1}}, "NO_READING   ", "MEMO         ", "NO_READING       1\r\n"}),
    [](const ::testing::TestParamInfo<SectionCase>& info) { return std::string(info.param.name); });

TEST(ParameterFileWriterTest, WordMapsAreRawFifteenPerLine) {
  ParameterImage image;
  image.SetWord(325, 65535);      // cell 0 of 1A
  image.SetWord(325 + 15, 1234);  // first cell of the second row
  const std::string text =
      SectionText(FormatParameterFile(image), "JET_1A       ", "RPM_JET_2A   ");
  const std::string expected = "JET_1A       65535 " + Repeat("    0 ", 14) + std::string(kCont) +
                               " 1234 " + Repeat("    0 ", 14) + std::string(kCont) +
                               Repeat(Repeat("    0 ", 15) + std::string(kCont), 8);
  EXPECT_EQ(text, expected);
}

TEST(ParameterFileWriterTest, ServoMapUsesPercentWhenFlagSet) {
  ParameterImage image;
  image.SetByte(62, 1);
  for (int k = 2300; k < 2450; ++k) image.SetByte(k, 100);
  const std::string text =
      SectionText(FormatParameterFile(image), "SERVO_EX_VALUE", "IDLE         ");
  EXPECT_EQ(text, "SERVO_EX_VALUE" + std::string(kCont) + MapRows("  100 "));
}

TEST(ParameterFileWriterTest, MemoLineEndsBecomeCrLfWithoutDoubling) {
  struct Case {
    std::string memo;
    std::string written;
  };
  const Case cases[] = {
      {"a\r\nb", "a\r\nb"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"", ""},
      {"  42 leading", "  42 leading"},
  };
  for (const Case& c : cases) {
    const std::string file = FormatParameterFile(testing::FilledImage(1, c.memo));
    const std::string tail = "MEMO         \r\n" + c.written;
    EXPECT_EQ(file.substr(file.size() - tail.size()), tail) << c.memo;
  }
}

TEST(ParameterFileWriterTest, MemoStopsAtByte2848EvenWithoutTerminator) {
  ParameterImage image;
  for (int k = 2700; k < kImageSize; ++k) image.SetByte(k, 'x');
  const std::string file = FormatParameterFile(image);
  const std::string tail = "MEMO         \r\n" + std::string(149, 'x');
  ASSERT_GE(file.size(), tail.size());
  EXPECT_EQ(file.substr(file.size() - tail.size()), tail);
}

}  // namespace
}  // namespace korvan
