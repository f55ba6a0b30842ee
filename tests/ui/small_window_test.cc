// A window smaller than its design: the menu, the tool bar row, the tabs, the status line with its
// gauge and the status bar stay in sight, and only the page shown scrolls.
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "window_fixture.h"

namespace korvan::ui {
namespace {

// The window sizes tuners use: 1024 x 768, and 1280 x 1024 at 150 % scaling (853 x 682 in the
// window's own pixels).
const QSize kSmallSizes[] = {{1024, 768}, {853, 682}};

// Whether the whole of `w` can be seen: inside each of its parents up to the window.
bool WhollyInSight(QWidget* w) {
  if (!w->isVisible()) return false;
  for (QWidget* p = w; p->parentWidget() != nullptr; p = p->parentWidget()) {
    const QRect in_parent(w->mapTo(p->parentWidget(), QPoint(0, 0)), w->size());
    if (!p->parentWidget()->rect().contains(in_parent)) return false;
  }
  return true;
}

class SmallWindowTest : public WindowFixture {
 protected:
  void SetUp() override {
    // The test values' labels are shown, as in the station's test mode.
    std::filesystem::create_directories(dir());
    std::ofstream(dir() / "marker") << "PROBE_ALLOW\n";
    WindowFixture::SetUp();
  }
  std::filesystem::path dir() const {
    return std::filesystem::path(::testing::TempDir()) /
           ("korvan_window_" + std::to_string(getpid()) + "_" + std::to_string(counter_));
  }
  void ResizeTo(QSize size) {
    window_->resize(size);
    QApplication::processEvents();
  }
  QTabWidget* tabs() { return Widget<QTabWidget>("PageControl1"); }
  void ExpectAllInSight(const std::string& when) {
    for (const char* name :
         {"ButtonRead", "ButtonProgram", "SpeedButton6", "CheckBoxProgHned", "CheckBoxZakazCteni",
          "LabelFile1", "LabelFile2", "LabelHlaseni", "CGaugeProgram"}) {
      EXPECT_TRUE(WhollyInSight(Widget(name))) << when << ": " << name;
    }
    EXPECT_TRUE(WhollyInSight(window_->menuBar())) << when;
    EXPECT_TRUE(WhollyInSight(window_->statusBar())) << when;
    EXPECT_TRUE(WhollyInSight(tabs()->tabBar())) << when;
  }
};

TEST_F(SmallWindowTest, AReadShowsItsStatusLineWhileOnlyThePageScrolls) {
  for (const QSize size : kSmallSizes) {
    const std::string when = std::to_string(size.width()) + " x " + std::to_string(size.height());
    ResizeTo(size);
    ASSERT_EQ(window_->size(), size);
    QTest::keyClick(window_.get(), Qt::Key_F7);
    Tick();
    EXPECT_EQ(Widget<QLabel>("LabelHlaseni")->text(), "Read:") << when;
    ExpectAllInSight(when + ", reading");
    for (int page : {kPageBike, kPageInj1A, kPageMonitor}) {
      ShowPage(page);
      auto* scroll = qobject_cast<QScrollArea*>(tabs()->currentWidget());
      ASSERT_NE(scroll, nullptr) << when;
      QScrollBar* bar = scroll->verticalScrollBar();
      EXPECT_GT(bar->maximum(), 0) << when << ": page " << page;
      bar->setValue(bar->maximum());
      QApplication::processEvents();
      ExpectAllInSight(when + ", page " + std::to_string(page) + " scrolled down");
    }
    for (int i = 0; i < 100 && station().session().state() != SessionState::kIdle; ++i) Tick();
    Tick();
    EXPECT_EQ(Widget<QLabel>("LabelHlaseni")->text(), "Verify: OK") << when;
    ExpectAllInSight(when + ", read done");
  }
}

TEST_F(SmallWindowTest, TheDesignedSizeKeepsTheDesignedPlaces) {
  ResizeTo(window_->DesignedSize());
  const QWidget* area = Widget("ClientArea");
  const auto at = [&](const char* name) { return Widget(name)->mapTo(area, QPoint(0, 0)); };
  EXPECT_EQ(at("ButtonRead"), QPoint(608, 4));
  EXPECT_EQ(at("CheckBoxZakazCteni"), QPoint(672, 19));
  EXPECT_EQ(at("LabelFile2"), QPoint(940, 19));
  EXPECT_EQ(at("LabelHlaseni"), QPoint(4, 678));
  EXPECT_EQ(at("PageControl1"), QPoint(0, 38));
  EXPECT_EQ(tabs()->height(), 638);
  // No page needs scrolling, the map pages with their grid neither.
  for (int page : {kPageBike, kPageCorrections, kPageInj1A, kPageMonitor, kPageBike}) {
    ShowPage(page);
    Tick(3);
    QApplication::processEvents();
    auto* scroll = qobject_cast<QScrollArea*>(tabs()->currentWidget());
    ASSERT_NE(scroll, nullptr);
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible()) << "page " << page;
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << "page " << page;
  }
}

TEST_F(SmallWindowTest, EveryTabShowsItsWholeCaptionInEveryLanguage) {
  for (const QSize size : {window_->DesignedSize(), kSmallSizes[0], kSmallSizes[1]}) {
    ResizeTo(size);
    for (const char* item : {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"}) {
      window_->findChild<QAction*>(item)->trigger();
      for (int shown = 0; shown < 2; ++shown) {
        const std::string when =
            std::to_string(size.width()) + ", " + item + (shown ? ", with the tuning tab" : "");
        QTabBar* bar = tabs()->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
          if (!bar->isTabVisible(i)) continue;
          const QString caption = bar->tabText(i).remove('&');
          EXPECT_LE(bar->fontMetrics().horizontalAdvance(caption), bar->tabRect(i).width())
              << when << ": " << caption.toStdString();
        }
        // The last tab can be brought into the row whole.
        int last = bar->count() - 1;
        while (!bar->isTabVisible(last)) --last;
        bar->setCurrentIndex(last);
        QApplication::processEvents();
        EXPECT_LE(bar->tabRect(last).right(), bar->width()) << when;
        EXPECT_GE(bar->tabRect(last).left(), 0) << when;
        window_->findChild<QAction*>("MenuLadeni")->trigger();
      }
    }
  }
}

TEST_F(SmallWindowTest, TheTestValuesDoNotOverlapEachOtherOrTheToolBar) {
  std::vector<QWidget*> shown;
  for (QLabel* label : window_->findChildren<QLabel*>()) {
    if (label->objectName().startsWith("LabelTest") && label->isVisible()) shown.push_back(label);
  }
  ASSERT_GE(shown.size(), 8u);
  const QWidget* area = Widget("ClientArea");
  const auto place = [&](QWidget* w) { return QRect(w->mapTo(area, QPoint(0, 0)), w->size()); };
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_FALSE(place(shown[i]).intersects(place(Widget("SpeedButton6"))))
        << shown[i]->objectName().toStdString();
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      EXPECT_FALSE(place(shown[i]).intersects(place(shown[j])))
          << shown[i]->objectName().toStdString() << " / " << shown[j]->objectName().toStdString();
    }
  }
}

TEST_F(WindowFixture, TheCzechInletAirCaptionIsWhole) {
  window_->findChild<QAction*>("MenuCzech")->trigger();
  ShowPage(kPageCorrections);
  auto* label = Widget<QLabel>("LabelVzduch2");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QString::fromUtf8("Nasávaný vzduch"));
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
}

}  // namespace
}  // namespace korvan::ui
