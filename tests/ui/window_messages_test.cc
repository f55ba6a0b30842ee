// What the window tells the user around the journal of unsaved edits, a read ended by the user
// and the help document: the warning that the journal cannot be written, the list of changes set
// aside, how long "Read interrupted!" stays, and a desktop whose PDF viewer fails.
#include <sys/stat.h>

#include <QAction>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "files/edit_journal.h"
#include "image/map_storage.h"
#include "model/default_set.h"
#include "window_fixture.h"

namespace korvan::ui {
namespace {

namespace fs = std::filesystem;

class WindowMessagesTest : public WindowFixture {
 protected:
  void SetUp() override {
    journal_dir_ =
        fs::path(::testing::TempDir()) /
        ("korvan_journal_window_" + std::to_string(getpid()) + "_" + std::to_string(counter_));
    fs::remove_all(journal_dir_);
    fs::create_directories(journal_dir_);
    journal_ = (journal_dir_ / "edits.journal").string();
    WindowFixture::SetUp();
  }
  void TearDown() override {
    WindowFixture::TearDown();
    fs::remove_all(journal_dir_);
  }
  fs::path journal_dir_;
};

// The status line is 430 pixels wide; a warning shortened in the middle lost exactly the words
// that say what is wrong.
TEST_F(WindowMessagesTest, TheUnwritableJournalWarningFitsTheStatusLineWhole) {
  const fs::path blocked = journal_dir_ / "a folder where the journal should be";
  fs::create_directories(blocked);
  for (const char* word : {"ENGLISH", "DEUTSCH", "FRENCH", "CESKY"}) {
    SCOPED_TRACE(word);
    StationPaths paths;
    paths.settings_file = (dir_ / "settings").string();
    paths.image_dump = (dir_ / "dump").string();
    paths.program_dir = dir_.string();
    paths.journal = blocked.string();
    UnitEmulator unit;
    MemoryUnitPort port{unit};
    MainWindow window(port, paths, {word}, "");
    window.StopTimer();
    window.show();
    window.resize(window.DesignedSize());
    QApplication::processEvents();
    Station& s = window.station();
    s.image().SetByte(600, 9);
    s.RecordChange();
    window.binder().Apply();
    auto* label = window.findChild<QLabel*>("LabelHlaseni");
    ASSERT_NE(label, nullptr);
    const std::string& whole = s.controls().Get(s.controls().Handle("LabelHlaseni")).text;
    ASSERT_FALSE(whole.empty());
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text().toStdString(), whole);
  }
}

// File > set-aside changes in the window: the list shows each set with its times, and Restore
// brings the chosen one into the working set.
TEST_F(WindowMessagesTest, TheFileMenuListsSetAsideChangesAndRestoresTheChosenOne) {
  struct Caption {
    const char* item;
    const char* caption;
  };
  const Caption captions[] = {
      {"MenuGerman", "Zurückgelegte Änderungen..."},
      {"MenuFrench", "Modifications mises de côté..."},
      {"MenuCzech", "Odložené změny..."},
      {"MenuEnglish", "Set-aside changes..."},
  };
  auto* item = window_->findChild<QAction*>("MenuAsideEdits");
  ASSERT_NE(item, nullptr);
  for (const Caption& c : captions) {
    window_->findChild<QAction*>(c.item)->trigger();
    EXPECT_EQ(item->text(), QString::fromUtf8(c.caption));
  }

  JournalState state;
  state.time = 1'765'425'621;
  state.page = kPageBike;
  state.file_label = "/home/tuner/track.ign";
  state.image = station().image().bytes();
  state.image[600] = 42;  // a map byte no consistency rule limits
  std::ofstream(journal_ + ".declined", std::ios::binary) << EncodeJournalRecord(state);

  QStringList rows;
  QString title;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    title = dialog->windowTitle();
    auto* list = dialog->findChild<QListWidget*>("AsideRows");
    for (int i = 0; list != nullptr && i < list->count(); ++i) rows << list->item(i)->text();
    dialog->findChild<QPushButton*>("AsideRestore")->click();
  });
  item->trigger();
  EXPECT_EQ(title, "Set-aside changes");
  ASSERT_EQ(rows.size(), 1);
  EXPECT_TRUE(rows[0].endsWith(" · changes: 1 · /home/tuner/track.ign")) << rows[0].toStdString();
  EXPECT_EQ(station().image().Byte(600), 42);
  EXPECT_EQ(station().file_label(), "/home/tuner/track.ign");
  EXPECT_EQ(window_->findChild<QLabel*>("LabelFile2")->toolTip(), "/home/tuner/track.ign");
}

// A read that ran a while before an edit ended it: "Read interrupted!" stays its full time from
// when it appeared, not from when F7 started the read.
TEST_F(WindowMessagesTest, ReadInterruptedStaysItsTimeFromWhenItAppears) {
  unit_.LoadImage(DefaultParameterSet(0));
  unit_.fault().late_ticks = 4;  // about five ticks a block
  window_->findChild<QAction*>("MenuRead")->trigger();
  Tick(60);
  ASSERT_EQ(station().session().state(), SessionState::kRead);
  ShowPage(kPageAdvance);
  station().controls().SetValue(station().controls().Handle("MapCell0"), 33);
  station().FormKeyPressEnter();
  window_->binder().Apply();
  auto* label = Widget<QLabel>("LabelHlaseni");
  ASSERT_EQ(label->text(), "Read interrupted!");
  Tick(TransferSession::kStatusTicks - 1);
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), "Read interrupted!");
  EXPECT_EQ(station().image().Byte(CellOffset(MapId::kAdvance, 0)), 33);
  Tick(1);
  EXPECT_FALSE(label->isVisible());
}

// Puts a stand-in for the desktop's opener first on PATH for the life of the object.
class OpenerOnPath {
 public:
  explicit OpenerOnPath(const fs::path& folder) : folder_(folder) {
    fs::create_directories(folder);
    const fs::path opener = folder / "xdg-open";
    // Notes what it was asked to open and exits with the status the test wrote beside it.
    std::ofstream(opener) << "#!/bin/sh\n"
                             "here=$(dirname \"$0\")\n"
                             "echo \"$1\" >> \"$here/opened\"\n"
                             "exit $(cat \"$here/status\")\n";
    fs::permissions(opener, fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    old_path_ = path != nullptr ? path : "";
    setenv("PATH", (folder.string() + ":" + old_path_).c_str(), 1);
  }
  ~OpenerOnPath() { setenv("PATH", old_path_.c_str(), 1); }
  void ExitWith(int status) { std::ofstream(folder_ / "status") << status << "\n"; }

 private:
  fs::path folder_;
  std::string old_path_;
};

// F1 on a desktop whose opener finds no working PDF viewer: xdg-open says so only in its exit
// status, which arrives after the window went on; the message then names the document and where
// it lies.
TEST_F(WindowMessagesTest, HelpWhoseViewerFailsSaysSoAndWhereTheDocumentIs) {
  OpenerOnPath opener(dir_ / "bin");
  const std::string document = (dir_ / "korvan_2007_en.pdf").string();
  std::ofstream(document) << "%PDF-1.4\n";
  struct Case {
    int status;
    bool reported;
  };
  const Case cases[] = {{0, false}, {1, true}, {3, true}, {4, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    opener.ExitWith(c.status);
    std::vector<std::string> shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown.push_back(box->text().toStdString());
        box->accept();
      }
    });
    closer.start(5);
    window_->findChild<QAction*>("MenuContens")->trigger();
    // The opener runs as a process of its own; this only bounds a hang.
    const QDeadlineTimer limit(20000);
    while (window_->desktop().openers_running() > 0 && !limit.hasExpired()) {
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QApplication::processEvents();
    closer.stop();
    ASSERT_EQ(window_->desktop().openers_running(), 0);
    if (c.reported) {
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0],
                "Error by opening file korvan_2007_en.pdf !\n\n"
                "No program could show it. The document is here:\n" +
                    document);
    } else {
      EXPECT_TRUE(shown.empty()) << shown.front();
    }
  }
  std::ifstream opened(dir_ / "bin" / "opened");
  std::string line;
  int count = 0;
  while (std::getline(opened, line)) {
    EXPECT_EQ(line, document);
    ++count;
  }
  EXPECT_EQ(count, 4);
}

}  // namespace
}  // namespace korvan::ui
