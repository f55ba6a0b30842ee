// The default set of bike 11, as saved, byte for byte against a file kept in the repository.
//
// A failure means the writer's layout or the default set (or the consistency rules) changed. If
// that change is intended, look at the difference, then regenerate the file on purpose with
//   korvan defaults --bike 11 -o tests/files/golden/bike11.ign
// and commit it with the change. Never regenerate it just to make this test pass.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "file_text.h"
#include "files/parameter_file.h"
#include "image/consistency.h"
#include "model/default_set.h"

namespace korvan {
namespace {

// The build names the folder: __FILE__ may be relative to the build directory (a compiler cache
// with a base directory makes it so), which is not where ctest runs the test.
std::filesystem::path GoldenPath(const char* name) {
  return std::filesystem::path(KORVAN_GOLDEN_DIR) / name;
}

// 1-based line of the first differing byte, for a readable failure.
int LineOfFirstDifference(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  int line = 1;
  for (std::size_t k = 0; k < i; ++k) line += a[k] == '\n' ? 1 : 0;
  return line;
}

TEST(ParameterFileGoldenTest, DefaultSetOfBike11FormatsToTheKeptFile) {
  const std::string golden = ReadWhole(GoldenPath("bike11.ign"));
  ASSERT_FALSE(golden.empty()) << "missing " << GoldenPath("bike11.ign");

  ParameterImage image;
  image.SetByte(0, 11);
  BikeModelState bike;
  WordMapState word_maps;
  ApplyDefaultSet(image, /*one_page=*/false, /*page_index=*/0, bike, word_maps);
  StationSettings settings{0, 0};
  ApplyConsistencyRules(image, settings);
  const std::string written = FormatParameterFile(image);

  EXPECT_EQ(written.size(), golden.size());
  EXPECT_TRUE(written == golden) << "first difference on line "
                                 << LineOfFirstDifference(written, golden)
                                 << "; the writer or the default set changed";
}

// The kept file is itself a valid set: it opens, with every section but the coupled channels.
TEST(ParameterFileGoldenTest, KeptFileOpensAsBike11) {
  ParameterImage image;
  const ParameterFileReadResult result =
      ReadParameterFile(ReadWhole(GoldenPath("bike11.ign")), image, {});
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.bike_code, 11);
  EXPECT_TRUE(result.incomplete.empty());
  EXPECT_EQ(result.skipped.size(), 6u);  // 2A, 3A, 4A axes and maps while channels are coupled
}

}  // namespace
}  // namespace korvan
