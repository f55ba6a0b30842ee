#include "maps/cell_block_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvan {
namespace {

ShownGrid Numbered() {
  ShownGrid grid{};
  for (int cell = 0; cell < kMapCells; ++cell) grid[static_cast<std::size_t>(cell)] = cell;
  return grid;
}

TEST(CellBlockTextTest, CopiesABlockAsLibreOfficeDoes) {
  const CellBox box{1, 2, 2, 4};
  EXPECT_EQ(FormatCellBlock(Numbered(), MaskOf(box), box, 0), "17\t18\t19\n32\t33\t34\n");

  // A cell outside a set selection stays an empty cell of its line.
  CellMask set;
  set.set(17);
  set.set(34);
  EXPECT_EQ(FormatCellBlock(Numbered(), set, box, 0), "17\t\t\n\t\t34\n");

  ShownGrid times{};
  times[0] = 4.0;
  times[1] = 0.035;
  times[2] = 12.5;
  const CellBox row{0, 0, 0, 2};
  EXPECT_EQ(FormatCellBlock(times, MaskOf(row), row, 3), "4.000\t0.035\t12.500\n");
  // Whole numbers are rounded as the fields show them, never "-0".
  times[0] = 59.6;
  times[1] = -0.2;
  EXPECT_EQ(FormatCellBlock(times, MaskOf({0, 0, 0, 1}), {0, 0, 0, 1}, 0), "60\t0\n");
}

TEST(CellBlockTextTest, ReadsWhatSpreadsheetsPutOnTheClipboard) {
  struct Case {
    std::string name;
    std::string text;
    int rows;
    int columns;
    std::vector<std::optional<double>> cells;
  };
  const std::vector<Case> cases{
      {"LibreOffice", "1\t2\t3\n4\t5\t6\n", 2, 3, {1, 2, 3, 4, 5, 6}},
      {"Windows line ends", "1\t2\t3\r\n4\t5\t6\r\n", 2, 3, {1, 2, 3, 4, 5, 6}},
      {"no last line end", "1\t2\n3\t4", 2, 2, {1, 2, 3, 4}},
      {"old Mac line ends", "1\r2\r", 2, 1, {1, 2}},
      {"decimal commas", "3,456\t0,5\r\n-1,25\t+2\r\n", 2, 2, {3.456, 0.5, -1.25, 2}},
      {"decimal points", "3.456\t.5\t7.\n", 1, 3, {3.456, 0.5, 7}},
      {"spaces around",
       " 12 \t\xC2\xA0"
       "7\xC2\xA0\t\xE2\x80\xAF"
       "8\n",
       1,
       3,
       {12, 7, 8}},
      {"exponent", "1E-05\t2.5e2\n", 1, 2, {0.00001, 250}},
      {"empty cells", "1\t\t3\n\t \t\n", 2, 3, {1, {}, 3, {}, {}, {}}},
      {"short line", "1\t2\t3\n4\n", 2, 3, {1, 2, 3, 4, {}, {}}},
      {"one cell", "42\n", 1, 1, {42}},
      {"nothing", "", 0, 0, {}},
      {"only line ends", "\n\n", 0, 0, {}},
  };
  for (const Case& c : cases) {
    const ParsedCellBlock parsed = ParseCellBlock(c.text);
    ASSERT_FALSE(parsed.error.has_value()) << c.name;
    EXPECT_EQ(parsed.block.rows, c.rows) << c.name;
    EXPECT_EQ(parsed.block.columns, c.columns) << c.name;
    ASSERT_EQ(parsed.block.cells.size(), c.cells.size()) << c.name;
    for (std::size_t i = 0; i < c.cells.size(); ++i) {
      ASSERT_EQ(parsed.block.cells[i].has_value(), c.cells[i].has_value()) << c.name << " " << i;
      if (c.cells[i]) {
        EXPECT_DOUBLE_EQ(*parsed.block.cells[i], *c.cells[i]) << c.name << " " << i;
      }
    }
  }
}

TEST(CellBlockTextTest, NamesTheFirstCellThatIsNoNumber) {
  struct Case {
    std::string text;
    int row;
    int column;
    std::string shown;
  };
  const std::vector<Case> cases{
      {"1\t2\n3\tabc\n", 2, 2, "abc"}, {"1\t2,5.1\n", 1, 2, "2,5.1"},  // two separators
      {"1 000\t2\n", 1, 1, "1 000"},                                   // a thousands separator
      {"12%\n", 1, 1, "12%"},                                          // a unit
      {"inf\tnan\n", 1, 1, "inf"},  // words from_chars would take
      {"0x1A\n", 1, 1, "0x1A"},        {"1e\n", 1, 1, "1e"},          {"-\n", 1, 1, "-"},
      {"5\n\n  x  \n", 3, 1, "x"},  // spaces trimmed from what is named
      {"\"7\"\n", 1, 1, "\"7\""},   // a quoted cell is text
  };
  for (const Case& c : cases) {
    const ParsedCellBlock parsed = ParseCellBlock(c.text);
    ASSERT_TRUE(parsed.error.has_value()) << c.text;
    EXPECT_EQ(parsed.error->row, c.row) << c.text;
    EXPECT_EQ(parsed.error->column, c.column) << c.text;
    EXPECT_EQ(parsed.error->text, c.shown) << c.text;
    EXPECT_TRUE(parsed.block.cells.empty()) << c.text;
  }

  // A long text is cut for the message, never inside a character.
  const std::string long_text = std::string(39, 'a') + "\xC3\xA9tude et plus encore";
  const ParsedCellBlock parsed = ParseCellBlock(long_text);
  ASSERT_TRUE(parsed.error.has_value());
  EXPECT_EQ(parsed.error->text, std::string(39, 'a') + "\u2026");
}

TEST(CellBlockTextTest, CopiedTextReadsBackAsTheSameBlock) {
  const CellBox box{0, 10, 9, 14};
  const ParsedCellBlock parsed = ParseCellBlock(FormatCellBlock(Numbered(), MaskOf(box), box, 0));
  ASSERT_FALSE(parsed.error.has_value());
  ASSERT_EQ(parsed.block.rows, 10);
  ASSERT_EQ(parsed.block.columns, 5);
  for (int r = 0; r < 10; ++r) {
    for (int c = 0; c < 5; ++c) EXPECT_EQ(parsed.block.At(r, c), CellIndex(r, 10 + c));
  }
}

}  // namespace
}  // namespace korvan
