// Parameter files come back from every kind of editor: LF, CR LF and CR line ends read alike.
#include <gtest/gtest.h>

#include <string>

#include "files/parameter_file.h"
#include "parameter_file_test_support.h"

namespace korvan {
namespace {

// The text with every CR LF the writer made replaced by `line_end`.
std::string WithLineEnds(const std::string& text, const std::string& line_end) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\r\n") == 0) {
      out += line_end;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

TEST(ParameterFileLineEndsTest, LfAndCrFilesReadAsTheCrLfFileTheWriterMakes) {
  const ParameterImage original = testing::FilledImage(7, "memo");
  const std::string written = FormatParameterFile(original);
  ASSERT_NE(written.find("\r\n"), std::string::npos);
  ParameterFileReadOptions options;
  options.apply_defaults = testing::FakeDefaults;
  ParameterImage expected;
  ASSERT_TRUE(ReadParameterFile(written, expected, options).ok());
  for (const char* line_end : {"\n", "\r"}) {
    ParameterImage read;
    const ParameterFileReadResult result =
        ReadParameterFile(WithLineEnds(written, line_end), read, options);
    ASSERT_TRUE(result.ok()) << (line_end[0] == '\n' ? "LF" : "CR");
    EXPECT_TRUE(result.incomplete.empty()) << (line_end[0] == '\n' ? "LF" : "CR");
    EXPECT_EQ(read, expected) << (line_end[0] == '\n' ? "LF" : "CR");
  }
}

}  // namespace
}  // namespace korvan
