// Print from the real window, offscreen: there is no printer here, so the page goes into a PDF,
// whose text is read back with pdftotext.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <fstream>

#include "ui/qt_desktop.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

class PrintTest : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    window_->desktop().set_pdf_folder(QString::fromStdString(dir_.string()));
  }
  // The PDF files in the test's folder.
  std::vector<std::filesystem::path> Pdfs() const {
    std::vector<std::filesystem::path> out;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
      if (entry.path().extension() == ".pdf") out.push_back(entry.path());
    }
    return out;
  }
  static QString TextOf(const std::filesystem::path& pdf) {
    QProcess run;
    run.start("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"});
    run.waitForFinished(30000);
    return QString::fromUtf8(run.readAllStandardOutput());
  }
  // Prints; the message box that says where the PDF went is read and closed with OK.
  void Print() {
    auto* print = window_->findChild<QAction*>("MenuPrint");
    ASSERT_NE(print, nullptr);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      box_text_ = box->text();
      auto* open = box->findChild<QPushButton*>("OpenFolderButton");
      open_caption_ = open != nullptr ? open->text() : QString();
      box->button(QMessageBox::Ok)->click();
    });
    answer.start(5);
    print->trigger();
  }
  QString box_text_;
  QString open_caption_;
};

// The sheet as it is drawn: no field shows arrows, and a locked field (a coupled 2A follows 1A)
// is drawn as plainly as any other, its digits black rather than greyed.
TEST_F(PrintTest, TheSheetShowsNoArrowsAndLockedValuesInBlack) {
  const int pages[] = {kPageBike, kPageAdvance, kPageCorrections, kPageSensors, kPageInj2A};
  station().Menu_Jet123CoupledClick();
  for (const int page : pages) {
    ShowPage(page);
    Tick(3);
    int fields = 0;
    int darkest = 255;
    window_->desktop().set_on_render([&](QWidget* area) {
      for (QAbstractSpinBox* spin : area->findChildren<QAbstractSpinBox*>()) {
        if (!spin->isVisibleTo(area)) continue;
        ++fields;
        EXPECT_EQ(spin->buttonSymbols(), QAbstractSpinBox::NoButtons)
            << spin->objectName().toStdString() << " on page " << page;
        EXPECT_TRUE(spin->isEnabled()) << spin->objectName().toStdString() << " on page " << page;
      }
      if (page != kPageInj2A) return;
      // The field's digits, inside its frame: their darkest pixel is black, not a disabled grey.
      QWidget* cell = window_->findChild<QWidget*>("MapCell0");
      const QImage image = cell->grab().toImage();
      for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x)
          darkest = std::min(darkest, qGray(image.pixel(x, y)));
      }
    });
    Print();
    window_->desktop().set_on_render(nullptr);
    EXPECT_GT(fields, 0) << "page " << page;
    if (page == kPageInj2A) {
      EXPECT_LT(darkest, 64) << "the locked cell's digits";
      EXPECT_FALSE(Widget("MapCell0")->isEnabled()) << "locked again afterwards";
    }
  }
}

TEST_F(PrintTest, ThePageGoesToAPdfWithTheStampAndWithoutTheToolBar) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  ShowPage(kPageInj1A);
  Tick(3);
  const QString cell = Widget<QSpinBox>("MapCell0")->text();
  const QString last_speed = Widget<QSpinBox>("MapRpm14")->text();
  Print();

  const std::vector<std::filesystem::path> pdfs = Pdfs();
  ASSERT_EQ(pdfs.size(), 1u);
  EXPECT_TRUE(pdfs[0].filename().string().starts_with("korvan-"));
  const QString text = TextOf(pdfs[0]);
  EXPECT_TRUE(text.contains("Date and time of printing:")) << text.toStdString();
  EXPECT_TRUE(text.contains(cell)) << "the page's first cell, " << cell.toStdString();
  EXPECT_TRUE(text.contains(last_speed)) << "the last engine speed, " << last_speed.toStdString();
  EXPECT_TRUE(text.contains(Widget<QTabWidget>("PageControl1")->tabText(kPageInj1A)))
      << "the printed page keeps its own tab";
  // The tool bar's buttons, the other tabs and the live panel's extended view box are not on it.
  for (const char* absent : {"Verify", "Monitor", "Sensors", "Detailed"}) {
    EXPECT_FALSE(text.contains(absent)) << absent;
  }

  // The window is itself again, and the status line says where the page went.
  EXPECT_TRUE(Widget("SpeedButtonPrint")->isVisible());
  EXPECT_TRUE(Widget("ButtonVerify")->isVisible());
  EXPECT_TRUE(Widget("CheckBoxAll_Uni")->isVisible());
  EXPECT_TRUE(window_->statusBar()->isVisible());
  EXPECT_EQ(Widget<QSpinBox>("MapCell0")->buttonSymbols(), QAbstractSpinBox::UpDownArrows);
  auto* tabs = Widget<QTabWidget>("PageControl1");
  EXPECT_TRUE(tabs->isTabVisible(kPageBike));
  EXPECT_TRUE(tabs->isTabVisible(kPageMonitor));
  // A message box says where, with the whole path, and offers the folder.
  EXPECT_TRUE(box_text_.contains(QString::fromStdString(pdfs[0].string())))
      << box_text_.toStdString();
  EXPECT_EQ(open_caption_, "Open folder");
  auto* line = Widget<QLabel>("LabelHlaseni");
  EXPECT_TRUE(line->isVisible());
  EXPECT_TRUE(line->text().contains(QString::fromStdString(pdfs[0].filename().string())))
      << line->text().toStdString();
}

TEST_F(PrintTest, ASecondPrintInTheSameSecondGetsItsOwnFile) {
  Print();
  Print();
  EXPECT_EQ(Pdfs().size(), 2u);
}

TEST_F(PrintTest, AFolderThatCannotBeWrittenIsReportedAndNothingIsWritten) {
  const std::filesystem::path blocker = dir_ / "not-a-folder";
  std::ofstream(blocker) << "x";
  QtDesktop desktop;
  QWidget page;
  page.resize(200, 100);
  desktop.SetPrintSource(&page, nullptr);
  desktop.set_pdf_folder(QString::fromStdString((blocker / "sub").string()));
  const PrintOutcome outcome = desktop.PrintActivePage();
  EXPECT_EQ(outcome.kind, PrintOutcome::Kind::kFailed);
  EXPECT_NE(outcome.detail.find("not-a-folder"), std::string::npos) << outcome.detail;
}

}  // namespace
}  // namespace korvan::ui
