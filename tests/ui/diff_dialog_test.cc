// The difference view in the window: Device -> Show differences reads the unit beside the working
// set and lists what differs; rows taken go into the working set as one change.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <cstdlib>

#include "image/map_storage.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

class DiffDialogTest : public WindowFixture {
 protected:
  // The unit's set: the working set with two Advance cells and an Inj-1A cell changed.
  ParameterImage LoadChangedUnit() {
    ParameterImage unit_set = station().image();
    for (int cell : {3, 140}) {
      SetStoredCell(unit_set, MapId::kAdvance, cell,
                    StoredCell(unit_set, MapId::kAdvance, cell) + 2);
    }
    SetStoredCell(unit_set, MapId::kInj1A, 20, StoredCell(unit_set, MapId::kInj1A, 20) + 120);
    unit_.LoadImage(unit_set);
    return unit_set;
  }
  void RunUntilIdle() {
    Tick();
    for (int i = 0; i < 2000 && station().session().state() != SessionState::kIdle; ++i) Tick();
  }
};

TEST_F(DiffDialogTest, ShowDifferencesListsTheUnitsCellsAndTakesTheSelectedOnes) {
  const ParameterImage working = station().image();
  const ParameterImage unit_set = LoadChangedUnit();
  auto* show = Widget<QAction>("MenuShowDifferences");
  ASSERT_NE(show, nullptr);
  show->trigger();
  RunUntilIdle();
  DiffDialog& view = window_->differences();
  ASSERT_TRUE(view.isVisible());
  EXPECT_EQ(station().image(), working);
  ASSERT_EQ(view.table()->rowCount(), 3);
  EXPECT_EQ(
      view.table()->item(0, 3)->text(),
      QString::fromStdString(std::to_string(StoredCell(unit_set, MapId::kAdvance, 3)) + " \u00b0"));

  if (const char* shots = std::getenv("KORVAN_DIFF_SHOTS")) {
    for (const auto& [german, name] :
         {std::pair{false, "diff-en.png"}, std::pair{true, "diff-de.png"}}) {
      if (german) station().MenuGermanClick();
      view.Refresh();
      view.resize(1024, 768);
      view.grab().save(QString::fromUtf8(shots) + "/" + name);
    }
    station().MenuEnglishClick();
    view.Refresh();
  }

  view.table()->selectRow(0);
  auto* take = view.findChild<QPushButton*>("DiffTakeSelected");
  ASSERT_NE(take, nullptr);
  ASSERT_TRUE(take->isEnabled());
  take->click();
  EXPECT_EQ(station().image().Byte(CellImageByte(MapId::kAdvance, 3)),
            unit_set.Byte(CellImageByte(MapId::kAdvance, 3)));
  EXPECT_EQ(view.table()->rowCount(), 2);
  EXPECT_TRUE(station().undo().CanUndo());
  station().SpeedButtonZpetClick();
  EXPECT_EQ(station().image(), working);
  // The open view follows the working set at the next tick.
  Tick();
  EXPECT_EQ(view.table()->rowCount(), 3);
}

TEST_F(DiffDialogTest, CompareOpensOnTheWorkingSetAndSaysTheUnitWasNotRead) {
  auto* compare = Widget<QAction>("MenuCompare");
  ASSERT_NE(compare, nullptr);
  compare->trigger();
  DiffDialog& view = window_->differences();
  EXPECT_TRUE(view.isVisible());
  EXPECT_EQ(view.table()->rowCount(), 0);
  const QLabel* summary = view.findChild<QLabel*>("DiffSummary");
  ASSERT_NE(summary, nullptr);
  EXPECT_TRUE(summary->text().contains("Read unit")) << summary->text().toStdString();
  // A file against the working set: the file's bike differs.
  view.SetFile(DefaultParameterSet(17), "bike17.ign");
  EXPECT_GT(view.table()->rowCount(), 0);
  EXPECT_FALSE(view.findChild<QPushButton*>("DiffTakeSelected")->isEnabled());
  if (const char* shots = std::getenv("KORVAN_DIFF_SHOTS")) {
    view.resize(1024, 768);
    view.grab().save(QString::fromUtf8(shots) + "/diff-file-en.png");
  }
}

// The file side names its file; while neither side is the working set Take stays greyed and the
// view says why, in the window's language; Close closes the view.
TEST_F(DiffDialogTest, TheViewNamesItsFileSaysWhyTakeIsGreyedAndCloses) {
  Widget<QAction>("MenuCompare")->trigger();
  DiffDialog& view = window_->differences();
  view.SetFile(DefaultParameterSet(17), "/somewhere/b3.ign");
  EXPECT_EQ(view.side_b_box()->currentText(), "File: b3.ign");
  EXPECT_TRUE(view.take_why()->isHidden());
  EXPECT_TRUE(view.take_button()->toolTip().isEmpty());

  view.SetSides(DiffDialog::kUnit, DiffDialog::kFile);
  view.table()->selectAll();
  EXPECT_FALSE(view.take_button()->isEnabled());
  EXPECT_FALSE(view.take_why()->isHidden());
  EXPECT_EQ(view.take_why()->text(), "Taking needs the working set on one side and only there.");
  EXPECT_EQ(view.take_button()->toolTip(), view.take_why()->text());
  station().MenuGermanClick();
  view.Refresh();
  EXPECT_EQ(view.take_why()->text(), "Übernehmen braucht den Arbeitssatz auf genau einer Seite.");
  EXPECT_EQ(view.close_button()->text(), "Schließen");
  EXPECT_EQ(view.side_b_box()->currentText(), "Datei: b3.ign");

  ASSERT_TRUE(view.isVisible());
  view.close_button()->click();
  EXPECT_FALSE(view.isVisible());
}

}  // namespace
}  // namespace korvan::ui
