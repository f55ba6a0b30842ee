// Many map cells at once, driven as a tuner does it: the mouse drags over the grid, Shift+arrows
// and a row's label extend or make the selection, Ctrl+C copies it for a spreadsheet, Ctrl+V puts
// a spreadsheet's block back, and one Ctrl+Z takes the whole paste away.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "image/page_index.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

class MapCellsWindowTest : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    ShowPage(kPageInj1A);
    QApplication::processEvents();
  }
  QSpinBox* Cell(int row, int column) {
    return window_->findChild<QSpinBox*>(QString("MapCell%1").arg(row * 15 + column));
  }
  QLineEdit* Edit(int row, int column) { return Cell(row, column)->findChild<QLineEdit*>(); }
  CellMask Box(int top, int left, int bottom, int right) {
    return MaskOf(CellBox{top, left, bottom, right});
  }
  CellMask Selected() { return station().map_selection().cells(); }
  // Sends a key to the field the keyboard is in, as the keyboard would.
  void Key(int row, int column, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(Edit(row, column), key, modifiers);
    QApplication::processEvents();
  }
};

TEST_F(MapCellsWindowTest, ADragSelectsTheBoxItCrossesAndTheFrameShowsIt) {
  QTest::mousePress(Edit(1, 1), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(Edit(2, 2), QPoint(5, 5));
  QTest::mouseMove(Edit(3, 4), QPoint(5, 5));
  QTest::mouseRelease(Edit(3, 4), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(Selected(), Box(1, 1, 3, 4));
  auto* frame = window_->findChild<QWidget*>("MapSelectionFrame");
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->isVisible());
  // The selection stays when the window is drawn again and when the page comes back.
  Tick(3);
  ShowPage(kPageAdvance);
  EXPECT_TRUE(Selected().none()) << "each map page has its own selection";
  ShowPage(kPageInj1A);
  EXPECT_EQ(Selected(), Box(1, 1, 3, 4));
}

TEST_F(MapCellsWindowTest, ShiftClickShiftArrowsARowLabelAndCtrlA) {
  QTest::mouseClick(Edit(0, 0), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(Edit(2, 3), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
  EXPECT_EQ(Selected(), Box(0, 0, 2, 3));
  Key(2, 3, Qt::Key_Right, Qt::ShiftModifier);
  Key(2, 3, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), Box(0, 0, 3, 4));
  Key(2, 3, Qt::Key_Escape);
  EXPECT_TRUE(Selected().none());

  QTest::mouseClick(Widget("MapRowLabel4"), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(Selected(), Box(4, 0, 4, 14));

  Key(0, 0, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Selected(), Box(0, 0, 9, 14));
}

TEST_F(MapCellsWindowTest, CopyGivesSpreadsheetTextAndAPastedBlockIsOneUndoStep) {
  QTest::mouseClick(Edit(0, 0), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(Edit(1, 2), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
  Key(1, 2, Qt::Key_C, Qt::ControlModifier);
  const QString shown = Cell(0, 0)->text() + '\t' + Cell(0, 1)->text() + '\t' + Cell(0, 2)->text() +
                        '\n' + Cell(1, 0)->text() + '\t' + Cell(1, 1)->text() + '\t' +
                        Cell(1, 2)->text() + '\n';
  EXPECT_EQ(QApplication::clipboard()->text(), shown);

  // What a spreadsheet puts on the clipboard for two rows of two cells.
  const int before[] = {Cell(5, 5)->value(), Cell(5, 6)->value(), Cell(6, 5)->value(),
                        Cell(6, 6)->value()};
  QApplication::clipboard()->setText("121\t122\r\n123\t124\r\n");
  QTest::mouseClick(Edit(5, 5), Qt::LeftButton, {}, QPoint(5, 5));
  Key(5, 5, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Cell(5, 5)->value(), 121);
  EXPECT_EQ(Cell(5, 6)->value(), 122);
  EXPECT_EQ(Cell(6, 5)->value(), 123);
  EXPECT_EQ(Cell(6, 6)->value(), 124);
  Key(5, 5, Qt::Key_Z, Qt::ControlModifier);
  // One undo takes the whole block away (it shows the page of the step it goes back to: the
  // first edit's is the page the station started on).
  ShowPage(kPageInj1A);
  EXPECT_EQ(Cell(5, 5)->value(), before[0]);
  EXPECT_EQ(Cell(5, 6)->value(), before[1]);
  EXPECT_EQ(Cell(6, 5)->value(), before[2]);
  EXPECT_EQ(Cell(6, 6)->value(), before[3]);
}

TEST_F(MapCellsWindowTest, ABlockWithTextIsRefusedWithAMessageAndChangesNothing) {
  const int before = Cell(0, 0)->value();
  QApplication::clipboard()->setText("5\tabc\n");
  QString said;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      said = box->text();
      box->accept();
    }
  });
  answer.start(20);
  QTest::mouseClick(Edit(0, 0), Qt::LeftButton, {}, QPoint(5, 5));
  Key(0, 0, Qt::Key_V, Qt::ControlModifier);
  answer.stop();
  EXPECT_TRUE(said.contains("abc")) << said.toStdString();
  EXPECT_EQ(Cell(0, 0)->value(), before);
}

TEST_F(MapCellsWindowTest, OtherFieldsKeepTheirOwnCopyAndSelectAll) {
  ShowPage(kPageBike);
  auto* field = window_->findChild<QSpinBox*>("EditIgnLimiter");
  ASSERT_NE(field, nullptr);
  QLineEdit* edit = field->findChild<QLineEdit*>();
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(edit->selectedText(), edit->text());
}

}  // namespace
}  // namespace korvan::ui
