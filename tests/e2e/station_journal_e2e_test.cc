// The real station window (offscreen, against its built-in unit emulator) is killed after a
// number of edits and started again: the restored working set is the one of the last edit.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string BinDir() {
  if (const char* dir = std::getenv("KORVAN_BIN_DIR")) return dir;
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, n > 0 ? static_cast<std::size_t>(n) : 0);
  path = path.substr(0, path.rfind('/'));
  return path.substr(0, path.rfind('/')) + "/app";
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Starts korvan-station with a script and waits until the script says it has run (true), or the
// program ends first (false). The station keeps running until Kill.
class StationProcess {
 public:
  StationProcess(const fs::path& config_dir, const fs::path& script) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      setenv("KORVAN_CONFIG_DIR", config_dir.c_str(), 1);
      const std::string program = BinDir() + "/korvan-station";
      execl(program.c_str(), program.c_str(), "--demo", "--edit-script", script.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    std::string line;
    char c;
    while (read(out[0], &c, 1) == 1) {
      if (c != '\n') {
        line += c;
      } else if (line == "script done") {
        done_ = true;
        break;
      } else {
        line.clear();
      }
    }
    close(out[0]);
  }
  ~StationProcess() { Kill(); }
  // SIGKILL: no shut-down code of the station runs.
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  bool done() const { return done_; }

 private:
  pid_t pid_ = -1;
  bool done_ = false;
};

TEST(StationJournalE2eTest, AKilledStationRestoresTheLastEditAtTheNextStart) {
  if (!fs::exists(BinDir() + "/korvan-station")) GTEST_SKIP() << "built without the window";
  const fs::path dir = fs::path(::testing::TempDir()) /
                       ("korvan_journal_e2e_" + std::to_string(getpid()));
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
                                      "dump " << (dir / "before.bin").string() << "\n"
                                   << "dirty " << (dir / "before.dirty").string() << "\n";
  std::ofstream(dir / "restore.txt") << "restore yes\n"
                                        "dump " << (dir / "after.bin").string() << "\n"
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

}  // namespace
