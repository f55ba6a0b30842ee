#include "files/parameter_set_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "image/field_dictionary.h"
#include "image/map_storage.h"

namespace korvan {
namespace {

// Each kind of place the consistency report names: a plain field, a numbered control, a word
// (both bytes changed, named once), map cells of both widths, an axis point, and a byte no field
// owns.
TEST(ParameterSetCheckTest, ChangesAreNamedByFieldMapOrByteWithShownValues) {
  const ParameterImage before = DefaultParameterSet(11);
  struct Case {
    const char* what;
    void (*change)(ParameterImage&);
    const char* expected_where;
    int shown_before;
    int shown_after;
  };
  const int no_field = BytesWithoutField().front().first;
  const Case cases[] = {
      {"plain field", [](ParameterImage& im) { im.SetByte(49, 90); }, "JetTpsMax (byte 49)", 5, 90},
      {"numbered control", [](ParameterImage& im) { im.SetByte(69, 30); },
       "UpDownSyticCas3 (byte 69)", 15, 30},
      {"word field", [](ParameterImage& im) { im.SetWord(4, 0x1234); }, "UpDownApsNapeti1 (word 4)",
       2305, 0x1234},
      {"byte map cell", [](ParameterImage& im) { SetStoredCell(im, MapId::kAdvance, 17, 55); },
       "Advance map row 1 column 2 (byte 517)", 38, 55},
      {"word map cell", [](ParameterImage& im) { SetStoredCell(im, MapId::kInj1A, 0, 0x0101); },
       "Inj-1A map row 0 column 0 (byte 650, us)", 1880, 0x0101},
      {"axis point", [](ParameterImage& im) { SetAxisRpm(im, MapId::kInjB, 14, 20000); },
       "Inj-B axis point 14 (byte 454, rpm)", 16000, 20000},
  };
  for (const Case& c : cases) {
    ParameterImage after = before;
    c.change(after);
    const std::vector<ImageChange> changes = DescribeImageChanges(before, after);
    ASSERT_EQ(changes.size(), 1u) << c.what;
    EXPECT_EQ(changes[0].where, c.expected_where) << c.what;
    EXPECT_EQ(changes[0].shown_before, c.shown_before) << c.what;
    EXPECT_EQ(changes[0].shown_after, c.shown_after) << c.what;
  }

  ParameterImage after = before;
  after.SetByte(no_field, static_cast<std::uint8_t>(before.Byte(no_field) + 1));
  const std::vector<ImageChange> changes = DescribeImageChanges(before, after);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].where, "byte " + std::to_string(no_field));
  EXPECT_EQ(FormatImageChanges(changes), "Consistency rules changed 1 value:\n  byte " +
                                             std::to_string(no_field) + ": " +
                                             std::to_string(before.Byte(no_field)) + " -> " +
                                             std::to_string(before.Byte(no_field) + 1) + "\n");
  EXPECT_EQ(FormatImageChanges({}), "Consistency rules: no changes\n");
}

// A file without a BIKE section keeps the start set (bike 11) for everything it does not carry;
// what it does carry is repaired by the consistency rules, and only the repaired set is offered.
TEST(ParameterSetCheckTest, FileWithoutBikeSectionBuildsOnTheStartSet) {
  const std::filesystem::path path =
      std::filesystem::path(::testing::TempDir()) / "korvan_no_bike.ign";
  {
    std::ofstream out(path, std::ios::binary);
    out << "VELMORAX_KEY    68 \r\nJET1_MISC        1    50    20  2000  3000 ";
  }
  const StationFileRead read = ReadParameterSetAsStation(path);
  ASSERT_TRUE(read.result.ok());
  EXPECT_FALSE(read.result.bike_code.has_value());
  EXPECT_EQ(read.as_read.Byte(49), 20);
  EXPECT_EQ(read.image.Byte(49), 50);
  ParameterImage expected = DefaultParameterSet(kStartBikeCode);
  expected.SetByte(48, 50);
  expected.SetByte(49, 50);
  EXPECT_TRUE(read.image.bytes() == expected.bytes());
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace korvan
