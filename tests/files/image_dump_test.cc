#include "files/image_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvan {
namespace {

// The lines of a text whose lines end in CR LF; a CR or LF on its own stays in its line, where
// the layout checks see it.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

TEST(ImageDumpTest, LayoutIsTenNumbersALineWithAnEmptyLineAfterEveryHundred) {
  ParameterImage image;
  for (int k = 0; k < kImageSize; ++k) image.SetByte(k, static_cast<unsigned>(k % 256));
  image.SetByte(0, 11);
  ToolModes modes{};
  modes[2] = 1;
  const std::string text = FormatImageDump(image, modes);
  EXPECT_EQ(text.substr(0, 12), "   11     1 ");
  const std::vector<std::string> lines = Lines(text);
  // 285 lines of numbers, 28 empty lines (after the 100th .. 2800th number), the modes last.
  ASSERT_EQ(lines.size(), 285u + 28u + 1u);
  int numbers = 0;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].empty()) {
      EXPECT_EQ(numbers % 100, 0) << i;
      continue;
    }
    EXPECT_EQ(lines[i].size(), 60u) << i;  // ten "%5u " fields
    numbers += 10;
  }
  EXPECT_EQ(numbers, kImageSize);
  EXPECT_EQ(lines.back().size(), 19u * 6u);
  EXPECT_EQ(lines.back().substr(0, 18), "    0     0     1 ");
  EXPECT_NE(text.back(), '\n');  // no line end after the modes
}

TEST(ImageDumpTest, ReadsDumpsWithAnyLineEnds) {
  ParameterImage image;
  for (int k = 0; k < kImageSize; ++k) image.SetByte(k, static_cast<unsigned>((k * 3) % 256));
  ToolModes modes{};
  modes[5] = 1;
  const std::string written = FormatImageDump(image, modes);
  std::string lf;  // as older stations and editors leave it
  std::string cr;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written.compare(i, 2, "\r\n") != 0) {
      lf += written[i];
      cr += written[i];
      continue;
    }
    lf += '\n';
    cr += '\r';
    ++i;
  }
  for (const std::string& text : {written, lf, cr}) {
    ParameterImage back;
    ToolModes back_modes{};
    const DumpReadResult read = ParseImageDump(text, back, back_modes);
    EXPECT_EQ(read.image_bytes, kImageSize);
    EXPECT_EQ(read.tool_modes, kPageCount);
    EXPECT_EQ(back, image);
    EXPECT_EQ(back_modes, modes);
  }
}

TEST(ImageDumpTest, ReadsBackWhatItWrote) {
  ParameterImage image;
  for (int k = 0; k < kImageSize; ++k) image.SetByte(k, static_cast<unsigned>((k * 7) % 256));
  ToolModes modes{};
  modes[18] = 1;
  ParameterImage back;
  ToolModes back_modes{};
  const DumpReadResult read = ParseImageDump(FormatImageDump(image, modes), back, back_modes);
  EXPECT_EQ(read.image_bytes, kImageSize);
  EXPECT_EQ(read.tool_modes, kPageCount);
  EXPECT_EQ(back, image);
  EXPECT_EQ(back_modes, modes);
}

TEST(ImageDumpTest, ShortOrBrokenDumpsFillOnlyWhatTheySupply) {
  struct Case {
    const char* text;
    int bytes;
  };
  for (const Case c :
       {Case{"1 2 3", 3}, Case{"300 5", 2}, Case{"7 x 9", 1}, Case{"", 0}, Case{"4 12abc 6", 1}}) {
    ParameterImage image;
    image.SetByte(5, 99);
    ToolModes modes{};
    const DumpReadResult read = ParseImageDump(c.text, image, modes);
    EXPECT_EQ(read.image_bytes, c.bytes) << c.text;
    EXPECT_EQ(image.Byte(5), 99) << c.text;  // never "the last number again"
  }
  ParameterImage image;
  ToolModes modes{};
  ParseImageDump("300", image, modes);
  EXPECT_EQ(image.Byte(0), 44);  // a byte keeps the low eight bits
}

}  // namespace
}  // namespace korvan
