// Typing into fields, the station's keys from inside a field, and the mouse wheel over fields.
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "image/map_storage.h"
#include "ui/field_widgets.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

class FieldEntryTest : public WindowFixture {
 protected:
  // Selects the field's text, types `text` and presses Enter, as a tuner does.
  void TypeAndEnter(QSpinBox* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  int ControlValue(const char* name) {
    return station().controls().Value(station().controls().Handle(name));
  }
  bool UndoEnabled() { return window_->findChild<QAction*>("MenuZpet")->isEnabled(); }
  bool RedoEnabled() { return window_->findChild<QAction*>("MenuZnovu")->isEnabled(); }
};

struct TypedCase {
  const char* what;
  int page;
  const char* field;
  const char* typed;
  int shown;       // what the field holds afterwards
  int image_byte;  // where the value lands, or -1 for a word map
  int stored;      // the byte there
};

// Values beyond a field's range are limited to it; no digit is dropped on the way.
TEST_F(FieldEntryTest, ATypedValueOutsideTheRangeIsLimitedToIt) {
  const int advance_cell = CellOffset(MapId::kAdvance, 149);
  const int advance_axis = MapInfo(MapId::kAdvance).axis_offset + 14;
  const TypedCase cases[] = {
      {"advance cell above 0..60", kPageAdvance, "MapCell149", "65", 60, advance_cell, 60},
      {"advance cell inside", kPageAdvance, "MapCell149", "17", 17, advance_cell, 17},
      {"rpm axis above 25000", kPageAdvance, "MapRpm14", "26000", 25000, advance_axis, 250},
      {"cylinder correction below -15", kPageAdvance, "MapHeaderE0", "-20", -15, 41, 85},
      {"injection cell above 0..1000", kPageInj1A, "MapCell37", "1500", 1000, -1, 0},
  };
  for (const TypedCase& c : cases) {
    SCOPED_TRACE(c.what);
    ShowPage(c.page);
    auto* field = Widget<QSpinBox>(c.field);
    ASSERT_NE(field, nullptr);
    TypeAndEnter(field, c.typed);
    EXPECT_EQ(ControlValue(c.field), c.shown);
    EXPECT_EQ(field->cleanText(), QString::number(c.shown));
    if (c.image_byte >= 0) {
      EXPECT_EQ(station().image().Byte(c.image_byte), c.stored);
    }
  }
}

TEST_F(FieldEntryTest, TheSameOutOfRangeValueTypedAgainShowsTheLimitAgain) {
  ShowPage(kPageAdvance);
  auto* cell = Widget<QSpinBox>("MapCell149");
  TypeAndEnter(cell, "65");
  TypeAndEnter(cell, "99");  // the station's value stays 60: nothing changes but the text
  EXPECT_EQ(cell->cleanText(), "60");
  EXPECT_EQ(station().image().Byte(CellOffset(MapId::kAdvance, 149)), 60);
}

TEST_F(FieldEntryTest, TypingSurvivesTheFieldBeingRedrawnByTheLiveCursor) {
  ShowPage(kPageAdvance);
  auto* cell = Widget<QSpinBox>("MapCell149");
  cell->setFocus();
  cell->selectAll();
  QTest::keyClicks(cell, "4");
  // The engine moves onto this cell between two key presses: it turns lime.
  ControlSet& controls = station().controls();
  controls.SetColor(controls.Handle("MapCell149"), 0x00FF00);
  window_->binder().Apply();
  QTest::keyClicks(cell, "5");
  QTest::keyClick(cell, Qt::Key_Return);
  EXPECT_EQ(ControlValue("MapCell149"), 45);
  EXPECT_EQ(station().image().Byte(CellOffset(MapId::kAdvance, 149)), 45);
}

TEST_F(FieldEntryTest, AnArrowClickAfterTypingStepsFromTheTypedValue) {
  ShowPage(kPageAdvance);
  auto* cell = Widget<QSpinBox>("MapCell149");
  cell->setFocus();
  cell->selectAll();
  QTest::keyClicks(cell, "20");
  cell->stepBy(1);  // what the up arrow does
  EXPECT_EQ(ControlValue("MapCell149"), 21);
  EXPECT_EQ(station().image().Byte(CellOffset(MapId::kAdvance, 149)), 21);
}

TEST_F(FieldEntryTest, UndoAndRedoKeysWorkWithTheFocusInACell) {
  ShowPage(kPageInj1A);
  const ParameterImage before = station().image();
  auto* cell = Widget<QSpinBox>("MapCell37");
  TypeAndEnter(cell, QString::number(cell->value() + 20));
  const ParameterImage edited = station().image();
  ASSERT_NE(edited, before);
  auto* other = Widget<QSpinBox>("MapCell38");
  other->setFocus();
  ASSERT_TRUE(other->hasFocus());
  QTest::keyClick(other, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(station().image(), before);
  EXPECT_TRUE(RedoEnabled());
  QTest::keyClick(other, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(station().image(), edited);
  EXPECT_FALSE(RedoEnabled());
}

TEST_F(FieldEntryTest, UndoWhileTypingTakesTheTypingBackAndRedoBringsItAgain) {
  ShowPage(kPageAdvance);
  auto* cell = Widget<QSpinBox>("MapCell149");
  TypeAndEnter(cell, "30");  // a step recorded on this page, for undo to come back to
  const ParameterImage before = station().image();
  cell->setFocus();
  cell->selectAll();
  QTest::keyClicks(cell, "23");
  QTest::keyClick(cell, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(station().image(), before);
  EXPECT_EQ(cell->cleanText(), "30");
  QTest::keyClick(cell, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(station().image().Byte(CellOffset(MapId::kAdvance, 149)), 23);
  EXPECT_EQ(cell->cleanText(), "23");
}

TEST_F(FieldEntryTest, OtherMenuKeysReachTheMenuFromACellWithTheTypedValue) {
  ShowPage(kPageAdvance);
  auto* cell = Widget<QSpinBox>("MapCell149");
  cell->setFocus();
  cell->selectAll();
  QTest::keyClicks(cell, "31");
  QTest::keyClick(cell, Qt::Key_F9);  // Program
  EXPECT_EQ(station().image().Byte(CellOffset(MapId::kAdvance, 149)), 31);
  for (int i = 0; i < 200 && station().session().state() != SessionState::kIdle; ++i) Tick();
  EXPECT_EQ(unit_.Image(), station().image());
}

QWheelEvent Notches(QWidget* w, int delta) {
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  return QWheelEvent(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
}

struct WheelCase {
  const char* what;
  int page;
  const char* field;
};

// A wheel turned while the pointer crosses the window scrolls it; it edits nothing on the way.
TEST_F(FieldEntryTest, TheWheelOverAFieldWithoutFocusChangesNothing) {
  const WheelCase cases[] = {
      {"advance cell", kPageAdvance, "MapCell149"},
      {"rpm axis field", kPageInj1A, "MapRpm5"},
      {"injection cell", kPageInj1A, "MapCell37"},
  };
  for (const WheelCase& c : cases) {
    SCOPED_TRACE(c.what);
    ShowPage(c.page);
    Widget<QPushButton>("ButtonRead")->setFocus();
    QWidget* field = Widget(c.field);
    ASSERT_NE(field, nullptr);
    ASSERT_TRUE(field->isVisible());
    const ParameterImage before = station().image();
    const int value = ControlValue(c.field);
    for (int notch = 0; notch < 3; ++notch) {
      QWheelEvent up = Notches(field, 120);
      QApplication::sendEvent(field, &up);
      EXPECT_FALSE(up.isAccepted());  // left to the window, which scrolls
    }
    EXPECT_EQ(ControlValue(c.field), value);
    EXPECT_EQ(station().image(), before);
    EXPECT_FALSE(UndoEnabled());
    // Nor does the wheel hand it the focus.
    EXPECT_NE(field->focusPolicy() & Qt::WheelFocus, Qt::WheelFocus);
  }
}

TEST_F(FieldEntryTest, TheWheelStepsTheFocusedFieldOnceForEveryWholeNotch) {
  ShowPage(kPageInj1A);
  auto* cell = Widget<QSpinBox>("MapCell37");
  cell->setFocus();
  const int start = ControlValue("MapCell37");
  QWheelEvent down = Notches(cell, -120);
  QApplication::sendEvent(cell, &down);
  EXPECT_EQ(ControlValue("MapCell37"), start - 1);
  // A fine-grained wheel: half a notch does nothing, the second half completes one step.
  QWheelEvent half = Notches(cell, -60);
  QApplication::sendEvent(cell, &half);
  EXPECT_EQ(ControlValue("MapCell37"), start - 1);
  QWheelEvent other_half = Notches(cell, -60);
  QApplication::sendEvent(cell, &other_half);
  EXPECT_EQ(ControlValue("MapCell37"), start - 2);
  EXPECT_EQ(cell->cleanText(), QString::number(start - 2));
}

// The bike list: another bike is picked by the wheel only while the list has the focus.
TEST(FieldComboBoxTest, TheWheelPicksOnlyWhileTheListHasTheFocus) {
  QWidget window;
  auto* list = new FieldComboBox(&window);
  auto* other = new QPushButton(&window);
  list->addItems({"first", "second", "third"});
  int picked = 0;
  QObject::connect(list, &QComboBox::activated, [&picked] { ++picked; });
  window.show();
  QApplication::setActiveWindow(&window);
  other->setFocus();
  QWheelEvent down = Notches(list, -120);
  QApplication::sendEvent(list, &down);
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_EQ(picked, 0);
  EXPECT_NE(list->focusPolicy() & Qt::WheelFocus, Qt::WheelFocus);
  list->setFocus();
  ASSERT_TRUE(list->hasFocus());
  QWheelEvent again = Notches(list, -120);
  QApplication::sendEvent(list, &again);
  EXPECT_EQ(list->currentIndex(), 1);
  EXPECT_EQ(picked, 1);
}

}  // namespace
}  // namespace korvan::ui
