// The window in each language: its title, menus and tool bar say the language's words, drawn
// as written, and every caption of the row above the pages fits its place.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "window_fixture.h"

namespace korvan::ui {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

using WindowLanguageTest = WindowFixture;

TEST_F(WindowLanguageTest, TheLanguageItemRedrawsTitleMenusAndToolBar) {
  struct Case {
    const char* item;
    const char* title;
    const char* file_menu;
    const char* save_button;
  };
  const Case cases[] = {
      {"MenuGerman", "Programmierung der Korvan_2007 Zündbox", "&Datei", "Speichern"},
      {"MenuFrench", "Programation de Korvan_2007 unité", "&Fichier", "Mémoriser"},
      {"MenuCzech", "Programování jednotky Korvan_2007", "&Soubor", "Uložit"},
      {"MenuEnglish", "Programming of Korvan_2007 unit", "&File", "Save"},
  };
  for (const Case& c : cases) {
    window_->findChild<QAction*>(c.item)->trigger();
    EXPECT_EQ(window_->windowTitle(), U(c.title));
    EXPECT_EQ(Widget<QMenu>("MenuFile")->title(), U(c.file_menu));
    EXPECT_EQ(Widget<QPushButton>("SpeedButton7")->text(), U(c.save_button));
    EXPECT_TRUE(window_->findChild<QAction*>(c.item)->isChecked()) << c.item;
  }
  window_->findChild<QAction*>("MenuCzech")->trigger();
  EXPECT_EQ(window_->findChild<QAction*>("MenuRead")->text(), U("Čí&st"));
  EXPECT_EQ(window_->findChild<QAction*>("MenuOpen")->statusTip(), U("Otevřít soubor s parametry"));
  EXPECT_EQ(Widget<QCheckBox>("CheckBoxAll_Uni")->text(), U("Vše"));
}

TEST_F(WindowLanguageTest, EveryCaptionAboveThePagesFitsInEveryLanguage) {
  for (const char* item : {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"}) {
    window_->findChild<QAction*>(item)->trigger();
    for (const char* name :
         {"SpeedButton6", "SpeedButton5", "SpeedButton7", "SpeedButtonPrint", "SpeedButtonZpet",
          "SpeedButtonZnovu", "ButtonProgram", "ButtonVerify", "ButtonRead"}) {
      auto* button = Widget<QPushButton>(name);
      const int text = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
      EXPECT_LE(text + 8, button->width()) << item << ": " << name;
    }
    for (const char* name : {"CheckBoxProgHned", "CheckBoxZakazCteni"}) {
      auto* box = Widget<QCheckBox>(name);
      EXPECT_LE(box->sizeHint().width(), box->width()) << item << ": " << name;
    }
    for (const char* name : {"LabelFile1", "LabelSpojeni"}) {
      auto* label = Widget<QLabel>(name);
      // The whole caption, not one shortened to fit.
      EXPECT_EQ(label->text().toStdString(),
                station().controls().Get(station().controls().Handle(name)).text)
          << item << ": " << name;
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
          << item << ": " << name;
    }
    // The tabs stay one row that needs no scrolling, with the tuning page's tab shown or not.
    auto* tabs = Widget<QTabWidget>("PageControl1");
    for (int shown = 0; shown < 2; ++shown) {
      int row = 0;
      for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->isTabVisible(i)) row += tabs->tabBar()->tabRect(i).width();
      }
      EXPECT_LE(row, tabs->width()) << item << (shown ? " with the tuning tab" : "");
      window_->findChild<QAction*>("MenuLadeni")->trigger();
    }
  }
}

TEST_F(WindowLanguageTest, AVersionMismatchTooLongForItsPlaceKeepsBothEndsAndTellsAllOnHover) {
  unit_.fault().version = 67;
  Tick(12);  // a few monitor frames
  auto* label = Widget<QLabel>("LabelVersion");
  ASSERT_TRUE(label->isVisible());
  const std::string whole = "Unmatched version of PC and Ignition programs!  PC-68, IGN-67";
  EXPECT_EQ(label->toolTip().toStdString(), whole);
  EXPECT_TRUE(label->text().startsWith("Unmatched")) << label->text().toStdString();
  EXPECT_TRUE(label->text().endsWith("IGN-67")) << label->text().toStdString();
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());

  // A text that fits again is shown whole, without the tool tip.
  unit_.fault().version = 68;
  Tick(12);
  EXPECT_TRUE(label->toolTip().isEmpty());
  EXPECT_FALSE(label->text().contains(QChar(0x2026)));
}

}  // namespace
}  // namespace korvan::ui
