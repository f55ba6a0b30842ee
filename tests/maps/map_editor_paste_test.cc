// Copy and paste of cell blocks between a map page and a spreadsheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "maps/map_editor.h"
#include "maps/map_editor_fixture.h"

namespace korvan {
namespace {

using Status = MapEditor::PasteResult::Status;

class MapPasteTest : public MapEditorTest {
 protected:
  MapEditor::PasteResult Paste(const CellBox& at, std::string_view text) {
    editor_.selection(page_).SelectBox(at);
    MapEditor::PasteResult result = editor_.PasteText(page_, text);
    if (result.status == Status::kPasted) Commit();
    return result;
  }
  unsigned Stored(MapId map, int row, int column) const {
    return StoredCell(image_, map, CellIndex(row, column));
  }
};

TEST_F(MapPasteTest, CopiesWhatThePageShows) {
  image_.SetByte(kExhaustServoEnableOffset, 1);
  image_.SetByte(kExhaustServoModeOffset, 0);
  image_.SetByte(kExhaustServoPercentOffset, 0);
  for (int col = 0; col < 3; ++col) SetStoredCell(image_, MapId::kExhaustServo, col, 10 + col);
  Show(kExhaustServo);
  editor_.selection(kExhaustServo).SelectBox({0, 0, 0, 2});
  EXPECT_EQ(editor_.SelectionText(kExhaustServo), "200\t220\t240\n");  // mV

  image_.SetByte(kJetCouplingModeOffset, 0);
  Show(kInj1A);
  SetPercent(WordMap::kInj1A, CellIndex(1, 1), 85);
  SetPercent(WordMap::kInj1A, CellIndex(2, 1), 1200);  // the field shows 1000
  editor_.selection(kInj1A).SelectBox({1, 1, 2, 1});
  EXPECT_EQ(editor_.SelectionText(kInj1A), "85\n1000\n");
  editor_.set_time_view(true);
  image_.SetWord(CellOffset(MapId::kInj1A, CellIndex(1, 1)), 3456);
  image_.SetWord(CellOffset(MapId::kInj1A, CellIndex(2, 1)), 12000);
  EXPECT_EQ(editor_.SelectionText(kInj1A), "3.456\n12.000\n");

  editor_.selection(kInj1A).Clear();
  EXPECT_EQ(editor_.SelectionText(kInj1A), "");
  // A speed-only page copies the one row it shows, whatever was selected.
  image_.SetByte(kAdvanceByThrottleOffset, 0);
  Show(kAdvance);
  editor_.selection(kAdvance).SelectAll();
  const std::string text = editor_.SelectionText(kAdvance);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 14);
}

TEST_F(MapPasteTest, PastesASpreadsheetBlockAtTheSelectionsTopLeft) {
  struct Case {
    std::string name;
    std::string text;
  };
  const std::vector<Case> cases{
      {"LibreOffice", "1\t2\t3\n4\t5\t6\n"},
      {"Windows", "1\t2\t3\r\n4\t5\t6\r\n"},
      {"decimal commas", "1,0\t2,2\t3\r\n4\t4,5\t6\r\n"},  // 4.5 rounds to 5 as typed
      {"no line end", " 1 \t2\t3\n4\t5\t6"},
  };
  for (const Case& c : cases) {
    Show(kInjB);
    for (int cell = 0; cell < kMapCells; ++cell) SetStoredCell(image_, MapId::kInjB, cell, 50);
    // Any selection: its top-left cell is where the block goes.
    const MapEditor::PasteResult result = Paste({2, 3, 7, 9}, c.text);
    ASSERT_EQ(result.status, Status::kPasted) << c.name;
    for (int cell = 0; cell < kMapCells; ++cell) {
      const int r = CellRow(cell) - 2;
      const int k = CellColumn(cell) - 3;
      const bool in_block = r >= 0 && r < 2 && k >= 0 && k < 3;
      EXPECT_EQ(StoredCell(image_, MapId::kInjB, cell),
                in_block ? static_cast<unsigned>(r * 3 + k + 1) : 50u)
          << c.name << " " << cell;
    }
    EXPECT_EQ(editor_.selection(kInjB).Bounds(), (CellBox{2, 3, 3, 5})) << c.name;
  }
  // Without a selection the block goes to the anchor; an empty cell of the block stays.
  editor_.selection(kInjB).PlaceAnchor({9, 13});
  ASSERT_EQ(editor_.PasteText(kInjB, "7\t\n").status, Status::kPasted);
  EXPECT_EQ(Stored(MapId::kInjB, 9, 13), 7u);
  EXPECT_EQ(Stored(MapId::kInjB, 9, 14), 50u);
}

TEST_F(MapPasteTest, TheTimeViewTakesMillisecondsWithCommaOrPoint) {
  image_.SetByte(kJetCouplingModeOffset, 0);
  editor_.set_time_view(true);
  Show(kInj1A);
  ASSERT_EQ(Paste({4, 4, 4, 4}, "3,5\t4.25\r\n2,0004\t1\r\n").status, Status::kPasted);
  EXPECT_EQ(Word(MapId::kInj1A, CellIndex(4, 4)), 3500u);
  EXPECT_EQ(Word(MapId::kInj1A, CellIndex(4, 5)), 4250u);
  EXPECT_EQ(Word(MapId::kInj1A, CellIndex(5, 4)), 2000u);
  EXPECT_EQ(Word(MapId::kInj1A, CellIndex(5, 5)), 1000u);
}

TEST_F(MapPasteTest, RefusesABlockThatDoesNotFitOrIsNotNumbers) {
  image_.SetByte(kJetCouplingModeOffset, 1);
  image_.SetByte(kAdvanceByThrottleOffset, 0);
  struct Case {
    std::string name;
    int page;
    CellBox at;
    std::string text;
    Status status;
    int row;  // kNotANumber: of the block
    int column;
  };
  const std::vector<Case> cases{
      {"past the last column", kInjB, {9, 13, 9, 13}, "1\t2\t3\n", Status::kDoesNotFit, 10, 14},
      {"past the last row", kInjB, {8, 0, 8, 0}, "1\n2\n3\n", Status::kDoesNotFit, 9, 1},
      {"bigger than the map",
       kInjB,
       {0, 0, 0, 0},
       std::string(11, '\n') + "1\n",
       Status::kDoesNotFit,
       1,
       1},
      // A speed-only page shows one row: a second row lands on cells it does not show.
      {"two rows on one", kAdvance, {9, 0, 9, 0}, "1\t2\n3\t4\n", Status::kDoesNotFit, 10, 1},
      {"a word", kInjB, {0, 0, 0, 0}, "1\t2\n3\tfour\n", Status::kNotANumber, 2, 2},
      {"a unit", kInjB, {0, 0, 0, 0}, "12 %\n", Status::kNotANumber, 1, 1},
      {"nothing", kInjB, {0, 0, 0, 0}, "\t\r\n\r\n", Status::kEmpty, 0, 0},
      {"following channel", kInj3A, {0, 0, 0, 0}, "1\n", Status::kNotEditable, 0, 0},
  };
  for (const Case& c : cases) {
    Show(c.page);
    const ParameterImage before = image_;
    const MapEditor::PasteResult result = Paste(c.at, c.text);
    EXPECT_EQ(result.status, c.status) << c.name;
    EXPECT_TRUE(image_ == before) << c.name;
    if (c.status == Status::kNotANumber || c.status == Status::kDoesNotFit) {
      EXPECT_EQ(result.row, c.row) << c.name;
      EXPECT_EQ(result.column, c.column) << c.name;
    }
    EXPECT_EQ(editor_.selection(c.page).Bounds(), c.at) << c.name;
  }
}

}  // namespace
}  // namespace korvan
