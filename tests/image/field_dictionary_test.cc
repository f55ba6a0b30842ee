#include "image/field_dictionary.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>

#include "image/field_table.h"

namespace korvan {
namespace {

const Field& Get(std::string_view name) {
  const Field* f = FindField(name);
  EXPECT_NE(f, nullptr) << name;
  static const Field kMissing{};
  return f != nullptr ? *f : kMissing;
}

struct ConversionCase {
  std::string_view control;
  int element;
  int shown;
  unsigned stored;
  int shown_again;
};

class ConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, StoresAndShowsAgain) {
  const ConversionCase& c = GetParam();
  const std::optional<FieldElement> at = FindControl(c.control);
  ASSERT_TRUE(at.has_value()) << c.control;
  const Field& field = *at->field;
  const int element = at->element + c.element;
  ParameterImage image;
  FromShown(field, c.shown, image, element);
  EXPECT_EQ(StoredValue(field, image, element), c.stored);
  EXPECT_EQ(ToShown(field, image, element), c.shown_again);
}

INSTANTIATE_TEST_SUITE_P(
    RangeEnds, ConversionTest,
    testing::Values(ConversionCase{"UpDownStartLimiter", 0, 25000, 250, 25000},
                    ConversionCase{"UpDownStartLimiter", 0, 25050, 250, 25000},  // truncates
                    ConversionCase{"UpDownStartLimiter", 0, 900, 9, 900},
                    ConversionCase{"UpDownStartLimiter", 0, 25600, 0,
                                   0},  // a byte keeps its low 8 bits
                    ConversionCase{"UpDownChlazeni", 0, 300, 44, 44},
                    ConversionCase{"UpDownRpmKorekce", 0, -60, 40, -60},
                    ConversionCase{"UpDownRpmKorekce", 0, 60, 160, 60},
                    ConversionCase{"UpDownTps100", 0, 5000, 250, 5000},
                    ConversionCase{"UpDownTps100", 0, 2500, 0, 2500},
                    ConversionCase{"UpDownTps100", 0, 2519, 1, 2510},
                    ConversionCase{"UpDownTps0", 0, 2500, 250, 2500},
                    ConversionCase{"UpDownSyticKorekce0", 0, 100, 0, 100},
                    ConversionCase{"UpDownSyticKorekce3", 0, 350, 250, 350},
                    ConversionCase{"UpDownSyticCas4", 0, 250, 250, 250},
                    ConversionCase{"EditKorVodaIgn", 0, -20, 80, -20},
                    ConversionCase{"EditKorVodaIgn", 4, 20, 120, 20},
                    ConversionCase{"EditGearKorIgn", 5, -20, 80, -20},
                    ConversionCase{"AdvanceCylinderCorrection", 3, -15, 85, -15},
                    ConversionCase{"UpDownLadeniTps", 0, 2, 2, 2},
                    ConversionCase{"UpDownLadeniCas", 0, 20000, 200, 20000},
                    ConversionCase{"UpDownAkcelJet", 0, 7500, 150, 7500},
                    ConversionCase{"UpDownAkcelPrah", 0, 10, 1, 10},
                    ConversionCase{"UpDownGasD", 0, 25500, 255, 25500},
                    ConversionCase{"UpDownGasJetKor2", 0, 350, 250, 350},
                    ConversionCase{"EditPolohaA", 14, 720, 144, 720},
                    ConversionCase{"EditPolohaRpmB", 0, 300, 3, 300},
                    ConversionCase{"UpDownIdleStepPuls", 0, 25000, 100, 25000},
                    ConversionCase{"EditIdleAdvPoz", 8, 12000, 240, 12000},
                    ConversionCase{"IntakeServoExcitation", 0, 260, 1, 250},
                    ConversionCase{"IntakeServoHysteresis", 0, 1000, 200, 1000},
                    ConversionCase{"JetRpmMax", 0, 25000, 250, 25000},
                    ConversionCase{"EditClutchPause", 5, 2500, 250, 2500},
                    ConversionCase{"UpDownApsNapeti1", 0, 25000, 25000, 25000},
                    ConversionCase{"EditGearPomer", 5, 32000, 32000, 32000},
                    ConversionCase{"UpDownPulsuProSpeed", 0, 70000, 70000 - 65536, 70000 - 65536},
                    ConversionCase{"IapRowAxis", 9, 1000, 1000, 1000}));

TEST(FieldDictionaryTest, WordFieldIsLittleEndianAtItsEvenOffset) {
  ParameterImage image;
  FromShown(Get("UpDownPulsuProSpeed"), 32000, image);
  EXPECT_EQ(image.Byte(160), 0x00);
  EXPECT_EQ(image.Byte(161), 0x7D);
  FromShown(Get("EditCidloVzduch"), 0x1234, image, 8);  // w114
  EXPECT_EQ(image.Byte(228), 0x34);
  EXPECT_EQ(image.Byte(229), 0x12);
}

TEST(FieldDictionaryTest, WildInputNeitherCrashesNorWritesOutsideTheField) {
  ParameterImage image;
  const ParameterImage empty;
  const Field& cas = Get("UpDownSyticCas");
  FromShown(cas, 7, image, 4);  // one past the last element
  FromShown(cas, 7, image, -1);
  EXPECT_EQ(image, empty);
  EXPECT_EQ(ToShown(cas, image, 4), 0);
  const Field& memo = Get("Memo1");
  FromShown(memo, 'x', image, kMemoMaxLength);  // would be the terminator
  EXPECT_EQ(image.Byte(kMemoTerminator), 0);

  // Extreme shown values wrap into the byte without overflowing on the way.
  FromShown(Get("UpDownRpmKorekce"), std::numeric_limits<int>::max(), image);
  EXPECT_EQ(image.Byte(37), (0x7FFFFFFFu + 100u) & 0xFFu);
  FromShown(Get("UpDownSyticKorekce"), std::numeric_limits<int>::min(), image);
  EXPECT_EQ(image.Byte(71), 0x9Cu);  // -2^31 - 100 keeps its low eight bits
  FromShown(Get("UpDownStartLimiter"), -100, image);
  EXPECT_EQ(image.Byte(28), 0xFFu);
}

TEST(FieldDictionaryTest, FlagsReadAnyNonZeroAsSetAndStoreZeroOrOne) {
  const Field& gas = Get("CheckBoxGas");
  ParameterImage image;
  image.SetByte(98, 5);
  EXPECT_EQ(ToShown(gas, image), 1);
  FromShown(gas, 7, image);
  EXPECT_EQ(image.Byte(98), 1);
  FromShown(gas, 0, image);
  EXPECT_EQ(image.Byte(98), 0);
}

struct IdleCase {
  int idle_type;
  bool percent;  // byte 63
  int shown;
  unsigned stored;
  int step;
  int maximum;
};

class IdleServoTest : public testing::TestWithParam<IdleCase> {};

TEST_P(IdleServoTest, StepAndMaximumFollowIdleTypeAndPercentFlag) {
  const IdleCase& c = GetParam();
  ParameterImage image;
  image.SetByte(2600, static_cast<unsigned>(c.idle_type));
  image.SetByte(63, c.percent ? 1 : 0);
  const IdleServoUnit unit = IdleServoStep(image);
  EXPECT_EQ(unit.step, c.step);
  EXPECT_EQ(unit.maximum, c.maximum);
  const Field& table = Get("EditIdleServoPoz");
  const ShownRange range = RangeOf(table, image);
  EXPECT_EQ(range.min, 0);
  EXPECT_EQ(range.max, c.maximum);
  EXPECT_EQ(range.step, c.step);
  FromShown(table, c.shown, image, 8);
  EXPECT_EQ(image.Byte(2617), c.stored);
  EXPECT_EQ(ToShown(table, image, 8), c.shown);
}

INSTANTIATE_TEST_SUITE_P(ByIdleType, IdleServoTest,
                         testing::Values(IdleCase{1, false, 5000, 250, 20, 5000},
                                         IdleCase{1, true, 100, 100, 1, 100},
                                         IdleCase{3, false, 1200, 240, 5, 1200},
                                         IdleCase{3, true, 1200, 240, 5, 1200},
                                         IdleCase{2, true, 12000, 240, 50, 12000},
                                         IdleCase{0, false, 12000, 240, 50, 12000},
                                         IdleCase{9, false, 50, 1, 50, 12000}));

TEST(FieldDictionaryTest, FindControlResolvesNumberedControls) {
  const std::optional<FieldElement> cas3 = FindControl("UpDownSyticCas3");
  ASSERT_TRUE(cas3.has_value());
  EXPECT_EQ(ElementOffset(*cas3->field, cas3->element), 69);
  const std::optional<FieldElement> korekce0 = FindControl("UpDownSyticKorekce0");
  ASSERT_TRUE(korekce0.has_value());
  EXPECT_EQ(ElementOffset(*korekce0->field, korekce0->element), 71);
  const std::optional<FieldElement> plain = FindControl("UpDownStartLimiter");
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(plain->element, 0);

  for (std::string_view bad :
       {"UpDownSyticCas0", "UpDownSyticCas5", "UpDownSyticKorekce4", "UpDownSyticCas",
        "UpDownSyticCasX", "UpDownSyticCas-1", "UpDownSyticCas001", "NoSuchControl", ""}) {
    EXPECT_FALSE(FindControl(bad).has_value()) << bad;
  }
  EXPECT_EQ(FindField("UpDownSyticCas3"), nullptr);
}

TEST(FieldDictionaryTest, FieldAtImageByteFindsOwnerOrNothing) {
  const std::optional<FieldElement> high_byte_of_w97 = FieldAtImageByte(195);
  ASSERT_TRUE(high_byte_of_w97.has_value());
  EXPECT_EQ(high_byte_of_w97->field->name, "EditCidloVoda");
  EXPECT_EQ(high_byte_of_w97->element, 0);
  const std::optional<FieldElement> gas_delay = FieldAtImageByte(102);
  ASSERT_TRUE(gas_delay.has_value());
  EXPECT_EQ(gas_delay->field->name, "UpDownGasD");
  // Unused bytes, bike constants and map cells belong to no field.
  for (int k : {39, 79, 139, 250, 267, 304, 500, 2650, 2849, -1, kImageSize}) {
    EXPECT_FALSE(FieldAtImageByte(k).has_value()) << k;
  }
}

TEST(FieldDictionaryTest, ByteFieldsNeverOfferMoreThanTheByteHolds) {
  ParameterImage image;
  for (const Field& f : AllFields()) {
    if (f.kind == FieldKind::kText || f.conversion == Conversion::kIdleServo) continue;
    const unsigned limit = f.width == FieldWidth::kWord ? 0xFFFFu : 0xFFu;
    FromShown(f, f.max, image);
    EXPECT_EQ(ToShown(f, image), f.max) << f.name;
    EXPECT_LE(StoredValue(f, image), limit) << f.name;
  }
}

TEST(FieldDictionaryTest, MemoIsCutAtOneHundredFortyNineAndZeroFilled) {
  ParameterImage image;
  WriteMemo(image, std::string(200, 'x'));
  EXPECT_EQ(ReadMemo(image), std::string(149, 'x'));
  EXPECT_EQ(image.Byte(2849), 0);

  WriteMemo(image, "short");
  EXPECT_EQ(ReadMemo(image), "short");
  for (int k = 2705; k <= 2849; ++k) ASSERT_EQ(image.Byte(k), 0) << k;

  WriteMemo(image, std::string_view("ab\0cd", 5));
  EXPECT_EQ(ReadMemo(image), "ab");
  EXPECT_EQ(image.Byte(2703), 0);

  image.SetByte(2849, 'z');  // a stray terminator does not extend the text
  image.SetByte(2848, 'y');
  WriteMemo(image, "");
  EXPECT_EQ(ReadMemo(image), "");
  EXPECT_EQ(image.Byte(2849), 0);
}

TEST(FieldDictionaryTest, BikeConstantsAndUnusedBytesAreListed) {
  auto covers = [](std::span<const ByteRun> runs, int k) {
    for (const ByteRun& r : runs) {
      if (k >= r.first && k < r.first + r.length) return true;
    }
    return false;
  };
  for (int k : {2, 5, 191, 193, 230, 247, 252, 256, 267, 276}) {
    EXPECT_TRUE(covers(BikeConstantBytes(), k)) << k;
  }
  for (int k : {39, 79, 139, 248, 251, 277, 283, 304, 2631, 2699}) {
    EXPECT_TRUE(covers(BytesWithoutField(), k)) << k;
  }
  EXPECT_FALSE(covers(BikeConstantBytes(), 6));
  EXPECT_FALSE(covers(BytesWithoutField(), 2700));
}

}  // namespace
}  // namespace korvan
