// The real station window (offscreen, against its built-in unit emulator) is killed after a
// number of edits and started again: the restored working set is the one of the last edit.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "child_process.h"
#include "file_text.h"

namespace {

namespace fs = std::filesystem;

using korvan::BinDir;
using korvan::ChildProcess;
using korvan::ReadWhole;

// korvan-station (offscreen, its built-in emulator, its own config folder) running an edit
// script; SIGKILL stops it, so none of its shut-down code runs.
class StationProcess {
 public:
  StationProcess(const fs::path& config_dir, const fs::path& script)
      : process_({BinDir() + "/korvan-station", "--demo", "--edit-script", script.string()},
                 {{"QT_QPA_PLATFORM", "offscreen"}, {"KORVAN_CONFIG_DIR", config_dir.string()}},
                 SIGKILL) {
    done_ = process_.WaitForLine("script done");
  }
  // True once the script said it has run; false when the program ended first.
  bool done() const { return done_; }

 private:
  ChildProcess process_;
  bool done_ = false;
};

TEST(StationJournalE2eTest, AKilledStationRestoresTheLastEditAtTheNextStart) {
  if (!fs::exists(BinDir() + "/korvan-station")) GTEST_SKIP() << "built without the window";
  const fs::path dir =
      fs::path(::testing::TempDir()) / ("korvan_journal_e2e_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "config");

  // Five edits, one of them undone and redone: the working set of the fifth is what counts.
  std::ofstream(dir / "edits.txt") << "byte 600 13\n"
                                      "byte 601 23\n"
                                      "byte 602 33\n"
                                      "undo\n"
                                      "redo\n"
                                      "byte 603 43\n"
                                      "byte 610 53\n"
                                      "dump "
                                   << (dir / "before.bin").string() << "\n"
                                   << "dirty " << (dir / "before.dirty").string() << "\n";
  std::ofstream(dir / "restore.txt") << "restore yes\n"
                                        "dump "
                                     << (dir / "after.bin").string() << "\n"
                                     << "dirty " << (dir / "after.dirty").string() << "\n";
  {
    StationProcess first(dir / "config", dir / "edits.txt");
    ASSERT_TRUE(first.done());
  }  // killed
  ASSERT_TRUE(fs::exists(dir / "config" / "korvan-unsaved-edits.journal"));
  {
    StationProcess second(dir / "config", dir / "restore.txt");
    ASSERT_TRUE(second.done());
  }
  const std::string before = ReadWhole(dir / "before.bin");
  ASSERT_EQ(before.size(), 2850u);
  EXPECT_EQ(static_cast<unsigned char>(before[610]), 53);
  EXPECT_TRUE(ReadWhole(dir / "after.bin") == before);
  EXPECT_EQ(ReadWhole(dir / "after.dirty"), ReadWhole(dir / "before.dirty"));
  EXPECT_NE(ReadWhole(dir / "after.dirty").find('1'), std::string::npos);
  fs::remove_all(dir);
}

// A new user's first start: no settings folder exists until the first clean exit, yet the first
// edit is already safe against a kill.
TEST(StationJournalE2eTest, TheFirstEditOfAFirstStartIsJournalledWithoutASettingsFolder) {
  if (!fs::exists(BinDir() + "/korvan-station")) GTEST_SKIP() << "built without the window";
  const fs::path dir =
      fs::path(::testing::TempDir()) / ("korvan_journal_first_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path config = dir / "home" / ".config" / "korvan-station";
  std::ofstream(dir / "edit.txt") << "byte 600 17\n";
  std::ofstream(dir / "restore.txt") << "restore yes\n"
                                        "dump "
                                     << (dir / "after.bin").string() << "\n";
  {
    StationProcess first(config, dir / "edit.txt");
    ASSERT_TRUE(first.done());
  }  // killed
  ASSERT_TRUE(fs::exists(config / "korvan-unsaved-edits.journal"));
  {
    StationProcess second(config, dir / "restore.txt");
    ASSERT_TRUE(second.done());
  }
  const std::string after = ReadWhole(dir / "after.bin");
  ASSERT_EQ(after.size(), 2850u);
  EXPECT_EQ(static_cast<unsigned char>(after[600]), 17);
  fs::remove_all(dir);
}

}  // namespace
