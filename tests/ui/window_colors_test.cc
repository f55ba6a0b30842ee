// The colours the station sets are really drawn, wherever the widget sits: read back from a
// picture of the widget, not from its settings.
#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include "window_fixture.h"

namespace korvan::ui {
namespace {

constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kLime = 0x00FF00;
constexpr QRgb kYellow = 0xFFFF00;

class WindowColorsTest : public WindowFixture {
 protected:
  // The colour drawn at a point of the widget.
  static QRgb PixelAt(QWidget* w, QPoint at) { return w->grab().toImage().pixel(at) & 0xFFFFFFu; }
  // Beside the text, where only the background shows.
  static QRgb Background(QWidget* w) { return PixelAt(w, QPoint(w->width() - 3, 2)); }
  std::uint32_t ControlColor(const char* name) {
    return station().controls().Get(station().controls().Handle(name)).color & 0xFFFFFFu;
  }
  std::uint32_t BarColor(const char* name) {
    return station().controls().Get(station().controls().Handle(name)).font_color & 0xFFFFFFu;
  }
};

TEST_F(WindowColorsTest, TheLivePanelsGaugesAreDrawnInTheirColours) {
  Tick(300);  // the emulated engine runs
  int drawn = 0;
  for (const char* name : {"CGaugeRpm", "CGaugeVoda", "CGaugeDuty"}) {
    SCOPED_TRACE(name);
    auto* gauge = Widget<QProgressBar>(name);
    ASSERT_NE(gauge, nullptr);
    ASSERT_TRUE(gauge->isVisible());
    // Only a bar filled a good part of the way shows its colour at the left end.
    if (gauge->value() * 10 < gauge->maximum()) continue;
    EXPECT_EQ(PixelAt(gauge, QPoint(5, gauge->height() / 2)), BarColor(name));
    ++drawn;
  }
  EXPECT_GE(drawn, 1);
  EXPECT_EQ(BarColor("CGaugeRpm"), 0xFF00FFu);  // fuchsia
}

TEST_F(WindowColorsTest, CheckedOptionBoxesAreRed) {
  for (const char* name : {"CheckBoxProgHned", "CheckBoxZakazCteni"}) {
    SCOPED_TRACE(name);
    auto* box = Widget<QCheckBox>(name);
    const QRgb unchecked = Background(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    ASSERT_TRUE(box->isChecked());
    EXPECT_EQ(Background(box), kRed);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    EXPECT_EQ(Background(box), unchecked);
  }
}

TEST_F(WindowColorsTest, AnOptionBoxCheckedByARefreshIsRedToo) {
  // What a page refresh does when a set read from the unit or a file carries the flag.
  ControlSet& controls = station().controls();
  controls.SetChecked(controls.Handle("CheckBoxZakazCteni"), true);
  ShowPage(kPageAdvance);
  auto* box = Widget<QCheckBox>("CheckBoxZakazCteni");
  ASSERT_TRUE(box->isChecked());
  EXPECT_EQ(Background(box), kRed);
}

// The live throttle row keeps its lime when the grid moves onto another page.
TEST_F(WindowColorsTest, TheLiveRowLabelStaysLimeAfterAPageSwitch) {
  ShowPage(kPageInj1A);
  Tick(300);
  const auto lime_row = [&]() -> QLabel* {
    for (int r = 0; r < 10; ++r) {
      const std::string name = "MapRowLabel" + std::to_string(r);
      if (ControlColor(name.c_str()) == kLime) return Widget<QLabel>(name.c_str());
    }
    return nullptr;
  };
  QLabel* row = lime_row();
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(Background(row), kLime);
  for (int page : {kPageInjB, kPageInj1A}) {
    ShowPage(page);
    Tick(12);
    row = lime_row();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->parentWidget()->parentWidget(), window_->binder().PageWidget(page));
    EXPECT_EQ(Background(row), kLime);
  }
}

TEST_F(WindowColorsTest, TheCouplingBannerKeepsItsYellowOnEveryBankAPage) {
  window_->findChild<QAction*>("Menu_Jet123Coupled")->trigger();
  for (int page : {kPageInj1A, kPageInj2A, kPageInj1A}) {
    SCOPED_TRACE(page);
    ShowPage(page);
    auto* banner = Widget<QLabel>("LabelCoupling");
    ASSERT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->text().trimmed(), "1 -> 2, 3, 4");
    EXPECT_EQ(PixelAt(banner, QPoint(2, 2)), kYellow);
  }
}

}  // namespace
}  // namespace korvan::ui
