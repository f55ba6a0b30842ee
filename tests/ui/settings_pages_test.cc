// The settings pages in the real window: a value typed into a field and Enter reach the image.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "image/field_dictionary.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

class SettingsPagesWindowTest : public WindowFixture {
 protected:
  QSpinBox* TypeInto(const char* field, const QString& text) {
    auto* spin = Widget<QSpinBox>(field);
    EXPECT_NE(spin, nullptr) << field;
    if (spin == nullptr) return nullptr;
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key_Return);
    return spin;
  }
  int Byte(int k) { return station().image().Byte(k); }
};

TEST_F(SettingsPagesWindowTest, BikePage) {
  ShowPage(kPageBike);
  auto* bikes = Widget<QComboBox>("ComboBoxBike");
  ASSERT_NE(bikes, nullptr);
  EXPECT_TRUE(bikes->isVisible());
  EXPECT_EQ(bikes->count(), 51);
  EXPECT_EQ(bikes->currentText(), "Suzuki GSX-R600               01-03");

  auto* memo = Widget<QPlainTextEdit>("Memo1");
  ASSERT_NE(memo, nullptr);
  memo->setFocus();
  memo->insertPlainText(QString::fromUtf8("Řazení"));  // as an input method types it
  QSpinBox* limiter = TypeInto("EditStartLimiter", "12300");
  EXPECT_EQ(Byte(28), 123);
  EXPECT_EQ(limiter->text(), limiter->locale().toString(12300));
  EXPECT_EQ(ReadMemo(station().image()),
            "\xD8"
            "azen\xED");
}

// The question after another bike was chosen, answered by Escape or by closing it: the choice is
// taken back, the list shows the bike of the set again and the set is as it was.
TEST_F(SettingsPagesWindowTest, EscapeOrClosingTheBikeQuestionTakesTheChoiceBack) {
  struct Case {
    const char* how;
    void (*answer)(QMessageBox*);
  };
  const Case cases[] = {
      {"Escape", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }},
      {"closing", [](QMessageBox* box) { box->close(); }},
  };
  ShowPage(kPageBike);
  auto* bikes = Widget<QComboBox>("ComboBoxBike");
  ASSERT_NE(bikes, nullptr);
  const int index_before = bikes->currentIndex();
  for (const Case& c : cases) {
    const ParameterImage before = station().image();
    bool asked = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      asked = true;
      c.answer(box);
    });
    bikes->setCurrentIndex(47);
    emit bikes->activated(47);
    EXPECT_TRUE(asked) << c.how;
    EXPECT_EQ(station().image(), before) << c.how;
    EXPECT_EQ(bikes->currentIndex(), index_before) << c.how;
  }
}

TEST_F(SettingsPagesWindowTest, CorrectionsPage) {
  ShowPage(kPageCorrections);
  TypeInto("EditKorVodaJet2", "123");
  EXPECT_EQ(Byte(82), 123);
  TypeInto("EditKorVodaIgn0", "-20");
  EXPECT_EQ(Byte(93), 80);
}

TEST_F(SettingsPagesWindowTest, SensorsPage) {
  ShowPage(kPageSensors);
  TypeInto("EditTps0", "550");
  EXPECT_EQ(Byte(33), 55);
  auto* mode = Widget<QGroupBox>("RadioGroupPotencMode");
  ASSERT_NE(mode, nullptr);
  const QList<QRadioButton*> items = mode->findChildren<QRadioButton*>();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "No");
  QTest::mouseClick(items[0], Qt::LeftButton);
  EXPECT_EQ(Byte(75), 0);
  EXPECT_FALSE(Widget("EditPotencRozsah")->isVisible());
  QTest::mouseClick(items[2], Qt::LeftButton);
  EXPECT_EQ(Byte(75), 2);
  EXPECT_TRUE(Widget("EditPotencRozsah")->isVisible());
}

TEST_F(SettingsPagesWindowTest, RacePage) {
  ShowPage(kPageRace);
  QSpinBox* time = TypeInto("EditClutchTime0", "125");
  EXPECT_EQ(Byte(121), 12);
  EXPECT_EQ(time->value(), 120);
}

TEST_F(SettingsPagesWindowTest, IdlePage) {
  ShowPage(kPageIdle);
  auto* mode = Widget<QGroupBox>("RadioGroupIdleMode");
  ASSERT_NE(mode, nullptr);
  const QList<QRadioButton*> items = mode->findChildren<QRadioButton*>();
  ASSERT_EQ(items.size(), 4);
  QTest::mouseClick(items[2], Qt::LeftButton);
  EXPECT_EQ(Byte(2600), 2);
  EXPECT_TRUE(Widget("EditIdleHyster")->isVisible());
  auto* targets = Widget<QGroupBox>("GroupBoxIdleServoPoz");
  ASSERT_NE(targets, nullptr);
  EXPECT_EQ(targets->title(), "desired RPM");
  QSpinBox* target = TypeInto("EditIdleServoPoz0", "1275");
  EXPECT_EQ(Byte(2609), 25);
  EXPECT_EQ(target->value(), 1250);
}

TEST_F(SettingsPagesWindowTest, GearPage) {
  ShowPage(kPageGear);
  auto* mode = Widget<QGroupBox>("RadioGroupGearSystem");
  ASSERT_NE(mode, nullptr);
  const QList<QRadioButton*> items = mode->findChildren<QRadioButton*>();
  ASSERT_EQ(items.size(), 4);
  // On the round button: a short item's text does not reach the middle of its row.
  const auto choose = [&](QRadioButton* item) {
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
  };
  choose(items[0]);
  EXPECT_EQ(Byte(136), 0);
  EXPECT_TRUE(Widget("EditGearNapeti1")->isVisible());
  TypeInto("EditGearNapeti1", "2350");
  EXPECT_EQ(station().image().Word(71), 2350);
  TypeInto("EditGearKorIgn0", "-5");
  EXPECT_EQ(Byte(174), 95);
  choose(items[1]);
  EXPECT_EQ(Byte(136), 1);
  EXPECT_FALSE(Widget("EditGearNapeti1")->isVisible());
  EXPECT_TRUE(Widget("EditGearPomer0")->isVisible());
}

TEST_F(SettingsPagesWindowTest, N2oPage) {
  ShowPage(kPageN2o);
  auto* enable = Widget<QCheckBox>("CheckBoxGas");
  ASSERT_NE(enable, nullptr);
  if (!enable->isChecked()) QTest::mouseClick(enable, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_EQ(Byte(98), 1);
  EXPECT_TRUE(Widget("GroupBoxGas")->isVisible());
  TypeInto("EditGas1", "30");
  TypeInto("EditGas2", "10");
  EXPECT_EQ(Byte(99), 30);
  EXPECT_EQ(Byte(100), 30);
  EXPECT_EQ(Widget<QSpinBox>("EditGas2")->value(), 30);
  QTest::mouseClick(enable, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_EQ(Byte(98), 0);
  EXPECT_FALSE(Widget("GroupBoxGas")->isVisible());
}

TEST_F(SettingsPagesWindowTest, PositionPage) {
  ShowPage(kPagePosition);
  QSpinBox* angle = TypeInto("EditPolohaA7", "717");
  EXPECT_EQ(Byte(327), 143);
  EXPECT_EQ(angle->value(), 715);
  TypeInto("EditPolohaRpmB3", "4550");
  EXPECT_EQ(Byte(338), 45);
}

TEST_F(SettingsPagesWindowTest, TuningPage) {
  // The Tools menu's item shows the page, as a user reaches it.
  auto* item = Widget<QAction>("MenuLadeni");
  ASSERT_NE(item, nullptr);
  item->trigger();
  ASSERT_EQ(station().active_page(), kPageTuning);
  TypeInto("EditLadeniCas", "1300");
  EXPECT_EQ(Byte(190), 13);
  EXPECT_EQ(Widget<QSpinBox>("EditLadeniCas")->value(), 1300);
}

}  // namespace
}  // namespace korvan::ui
