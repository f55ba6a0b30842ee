// Many map cells at once through the station: one edit and one undo step per operation, Minus
// and Plus on the selection, copy and paste with their refusals in the user's language.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "image/map_storage.h"
#include "station_fixture.h"

namespace korvan {
namespace {

using Kind = MapOperationKind;

class StationSelectionTest : public ::testing::Test, public StationFixture {
 protected:
  // Uneven Inj-1A and Inj-2A times, so that every operation moves cells.
  static void Roughen(Station& s) {
    for (int cell = 0; cell < kMapCells; ++cell) {
      const unsigned wobble = static_cast<unsigned>((cell * 37 + 11) % 23);
      s.image().SetWord(CellOffset(MapId::kInj1A, cell), 1500 + 90 * wobble);
      s.image().SetWord(CellOffset(MapId::kInj2A, cell), 1800 + 70 * wobble);
    }
    s.RefreshPage();
    s.RecordChange();
  }
};

TEST_F(StationSelectionTest, EveryOperationIsOneUndoStepOnEveryCoupledChannel) {
  Station& s = Start();
  s.Menu_Jet123CoupledClick();
  s.PageControl1Change(kPageInj1A);
  const std::vector<MapOperation> operations{{Kind::kSet, 120},
                                             {Kind::kAdd, -15},
                                             {Kind::kScale, 108},
                                             {Kind::kInterpolateRows, 0},
                                             {Kind::kInterpolateColumns, 0},
                                             {Kind::kInterpolateCorners, 0},
                                             {Kind::kSmooth, 0.6}};
  for (const MapOperation& operation : operations) {
    Roughen(s);
    s.MapCellClick({1, 2});
    s.MapCellShiftClick({8, 12});
    const ParameterImage before = s.image();
    ASSERT_TRUE(s.MapSelectionOperation(operation)) << static_cast<int>(operation.kind);
    const ParameterImage after = s.image();
    for (MapId map : {MapId::kInj1A, MapId::kInj2A}) {
      bool moved = false;
      for (int cell = 0; cell < kMapCells; ++cell) {
        moved = moved || StoredCell(before, map, cell) != StoredCell(after, map, cell);
      }
      EXPECT_TRUE(moved) << static_cast<int>(operation.kind) << " " << static_cast<int>(map);
    }
    s.SpeedButtonZpetClick();
    EXPECT_EQ(s.image(), before) << static_cast<int>(operation.kind);
    s.SpeedButtonZnovuClick();
    EXPECT_EQ(s.image(), after) << static_cast<int>(operation.kind);
    // The selection outlives the edit, its refreshes, undo and redo.
    EXPECT_EQ(s.map_selection().Bounds(), (CellBox{1, 2, 8, 12}));
  }
}

TEST_F(StationSelectionTest, AnOperationProgramsAtOnceWithProgrammingAfterChange) {
  Station& s = Start();
  s.PageControl1Change(kPageInjB);
  s.MapSelectAll();
  ASSERT_TRUE(s.MapSelectionOperation({Kind::kAdd, 3}));
  RunUntilIdle();
  EXPECT_TRUE(s.dirty().Any());

  s.controls().SetChecked(H("CheckBoxProgHned"), true);
  s.CheckBoxProgHnedClick();
  ASSERT_TRUE(s.MapSelectionOperation({Kind::kAdd, 3}));
  RunUntilIdle();
  EXPECT_FALSE(s.dirty().Any());
}

TEST_F(StationSelectionTest, PlusStepsTheSelectionWhileTheEngineStands) {
  unit.HoldEngine(UnitEmulator::OperatingPoint{0, 300, 50});
  Station& s = Start();
  s.PageControl1Change(kPageInjB);
  Tick(8);
  const ParameterImage before = s.image();
  s.MenuToolsPlusClick();  // no selection, no "All", no live cell: nothing
  EXPECT_EQ(s.image(), before);

  s.MapColumnHeaderClick(4, false);
  s.MapColumnHeaderClick(5, true);
  s.MenuToolsPlusClick();
  for (int cell = 0; cell < kMapCells; ++cell) {
    const unsigned was = StoredCell(before, MapId::kInjB, cell);
    const bool selected = CellColumn(cell) == 4 || CellColumn(cell) == 5;
    EXPECT_EQ(StoredCell(s.image(), MapId::kInjB, cell), selected ? was + 1 : was) << cell;
  }
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.image(), before);
}

TEST_F(StationSelectionTest, SelectionsBelongToTheirPages) {
  Station& s = Start();
  s.PageControl1Change(kPageAdvance);
  s.MapRowHeaderClick(2, false);
  s.MapShiftArrow(1, 0);
  s.PageControl1Change(kPageInjB);
  EXPECT_TRUE(s.map_selection().empty());
  s.MapSelectAll();
  s.MapCellCtrlClick({0, 0});
  EXPECT_EQ(s.map_selection().count(), kMapCells - 1);
  s.PageControl1Change(kPageBike);  // no map page: nothing to select
  s.MapSelectAll();
  EXPECT_TRUE(s.map_selection().empty());
  EXPECT_FALSE(s.MapSelectionOperation({Kind::kSet, 1}));
  EXPECT_FALSE(s.MapPasteText("1\n"));
  EXPECT_EQ(s.MapCopyText(), "");
  s.PageControl1Change(kPageAdvance);
  s.RefreshPage();
  EXPECT_EQ(s.map_selection().Bounds(), (CellBox{2, 0, 3, 14}));
  s.MapSelectNone();
  EXPECT_TRUE(s.map_selection().empty());
}

TEST_F(StationSelectionTest, PasteOfLibreOfficeTextIsOneUndoStep) {
  Station& s = Start();
  s.PageControl1Change(kPageInjB);
  s.MapCellClick({3, 3});
  s.MapCellShiftClick({4, 5});
  const std::string copied = s.MapCopyText();
  EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 2);
  EXPECT_EQ(std::count(copied.begin(), copied.end(), '\t'), 4);

  const ParameterImage before = s.image();
  s.MapCellClick({6, 7});
  ASSERT_TRUE(s.MapPasteText("11\t12,4\t13\r\n14\t15\t16\r\n"));
  EXPECT_EQ(StoredCell(s.image(), MapId::kInjB, CellIndex(6, 7)), 11u);
  EXPECT_EQ(StoredCell(s.image(), MapId::kInjB, CellIndex(6, 8)), 12u);
  EXPECT_EQ(StoredCell(s.image(), MapId::kInjB, CellIndex(7, 9)), 16u);
  EXPECT_EQ(s.map_selection().Bounds(), (CellBox{6, 7, 7, 9}));
  EXPECT_TRUE(desktop.messages.empty());
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.image(), before);

  // What was copied pastes back as it was. (Undo went back to the page of the first step.)
  s.PageControl1Change(kPageInjB);
  s.MapCellClick({0, 0});
  ASSERT_TRUE(s.MapPasteText(copied)) << copied;
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(StoredCell(s.image(), MapId::kInjB, CellIndex(r, c)),
                StoredCell(before, MapId::kInjB, CellIndex(3 + r, 3 + c)));
    }
  }
}

TEST_F(StationSelectionTest, PasteRefusalsSpeakTheUsersLanguage) {
  struct Case {
    void (Station::*language)();
    std::string not_a_number;
    std::string does_not_fit;
    std::string empty;
  };
  const std::vector<Case> cases{
      {&Station::MenuEnglishClick,
       "Row 2, column 3 of the pasted block is not a number: \"1O\". Nothing was pasted.",
       "The pasted block (rows: 1, columns: 4) does not fit the map from the selected cell on; "
       "nothing was pasted.",
       "The clipboard holds no numbers to paste."},
      {&Station::MenuGermanClick,
       "Zeile 2, Spalte 3 des eingefügten Blocks ist keine Zahl: „1O“. Nichts wurde eingefügt.",
       "Der eingefügte Block (Zeilen: 1, Spalten: 4) passt ab der gewählten Zelle nicht in das "
       "Kennfeld; nichts wurde eingefügt.",
       "Die Zwischenablage enthält keine Zahlen zum Einfügen."},
      {&Station::MenuFrenchClick,
       "Ligne 2, colonne 3 du bloc collé : « 1O » n'est pas un nombre. Rien n'a été collé.",
       "Le bloc collé (lignes : 1, colonnes : 4) ne tient pas dans la carte à partir de la "
       "cellule choisie ; rien n'a été collé.",
       "Le presse-papiers ne contient aucun nombre à coller."},
      {&Station::MenuCzechClick,
       "Řádek 2, sloupec 3 vkládaného bloku není číslo: „1O“. Nic nebylo vloženo.",
       "Vkládaný blok (řádky: 1, sloupce: 4) se od vybrané buňky do mapy nevejde; nic nebylo "
       "vloženo.",
       "Schránka neobsahuje žádná čísla k vložení."},
  };
  for (const Case& c : cases) {
    Station& s = Start();
    (s.*c.language)();
    s.PageControl1Change(kPageInjB);
    s.MapCellClick({5, 12});
    const ParameterImage before = s.image();
    desktop.messages.clear();
    EXPECT_FALSE(s.MapPasteText("1\t2\t3\n4\t5\t1O\n"));
    EXPECT_FALSE(s.MapPasteText("1\t2\t3\t4\n"));
    EXPECT_FALSE(s.MapPasteText("\r\n"));
    EXPECT_EQ(desktop.messages,
              (std::vector<std::string>{c.not_a_number, c.does_not_fit, c.empty}));
    EXPECT_EQ(s.image(), before);
    EXPECT_FALSE(s.undo().CanUndo());
  }
}

// The Cells menu: an operation without a selection says what to do and changes nothing; the
// asked number is offered within the page's range, a cancelled question changes nothing, the
// smoothing strength is asked in percent; copy and paste go through the clipboard.
TEST_F(StationSelectionTest, TheCellsMenuAsksForItsNumberAndUsesTheClipboard) {
  Station& s = Start();
  s.PageControl1Change(kPageAdvance);
  Roughen(s);
  const ParameterImage untouched = s.image();
  s.MenuCellsAddClick();
  s.MenuCellsRowsClick();
  s.MenuCellsCopyClick();
  ASSERT_EQ(desktop.messages.size(), 3u);
  EXPECT_EQ(desktop.messages[0], MessageText(MessageKey::kMsgMapSelectFirst, Language::kEnglish));
  EXPECT_TRUE(desktop.number_questions.empty());
  EXPECT_EQ(s.image(), untouched);

  s.MapCellClick({2, 3});
  s.MapCellShiftClick({3, 5});
  desktop.number.reset();
  s.MenuCellsSetClick();
  EXPECT_EQ(s.image(), untouched) << "a cancelled question changes nothing";
  ASSERT_EQ(desktop.number_questions.size(), 1u);
  EXPECT_EQ(desktop.number_questions[0].label,
            MessageText(MessageKey::kMsgMapAskValue, Language::kEnglish));
  EXPECT_LT(desktop.number_questions[0].min, desktop.number_questions[0].max);

  desktop.number = 20;
  s.MenuCellsSetClick();
  s.MenuCellsCopyClick();
  EXPECT_EQ(desktop.clipboard, "20\t20\t20\n20\t20\t20\n");
  desktop.number = 50;
  s.MenuCellsSmoothClick();
  EXPECT_EQ(desktop.number_questions.back().label,
            MessageText(MessageKey::kMsgMapAskSmooth, Language::kEnglish));
  EXPECT_EQ(desktop.number_questions.back().max, 100.0);

  s.MapCellClick({0, 0});
  desktop.clipboard = "11\t12\n";
  s.MenuCellsPasteClick();
  s.MapSelectNone();
  s.MapCellClick({0, 0});
  s.MapCellShiftClick({0, 1});
  s.MenuCellsCopyClick();
  EXPECT_EQ(desktop.clipboard, "11\t12\n");
}

}  // namespace
}  // namespace korvan
