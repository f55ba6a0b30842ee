#include "files/safe_file.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "files/parameter_file.h"
#include "ordinary_user.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("korvan_safe_file_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Content(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  int EntriesInDir() const {
    return static_cast<int>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

// A process that runs under the given program name until it goes out of scope.
class RunningProcess {
 public:
  explicit RunningProcess(const char* name) {
    int release[2];
    int ready[2];
    EXPECT_EQ(::pipe(release), 0);
    EXPECT_EQ(::pipe(ready), 0);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(release[1]);
      ::close(ready[0]);
      ::prctl(PR_SET_NAME, name);
      const char named = 1;
      if (::write(ready[1], &named, 1) != 1) ::_exit(1);
      char byte;
      while (::read(release[0], &byte, 1) < 0 && errno == EINTR) {
      }
      ::_exit(0);
    }
    ::close(release[0]);
    ::close(ready[1]);
    // Once the child has its name, it is what the test says it is.
    char byte;
    while (::read(ready[0], &byte, 1) < 0 && errno == EINTR) {
    }
    ::close(ready[0]);
    release_ = release[1];
  }
  ~RunningProcess() {
    ::close(release_);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  RunningProcess(const RunningProcess&) = delete;
  RunningProcess& operator=(const RunningProcess&) = delete;
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = 0;
  int release_ = -1;
};

TEST_F(SafeFileTest, CreatesAndReplacesWithExactBytes) {
  const fs::path target = dir_ / "set.ign";
  const std::string first("first\r\n\0binary", 14);
  ASSERT_TRUE(WriteFileSafely(target, first).ok());
  EXPECT_EQ(Content(target), first);
  ASSERT_TRUE(WriteFileSafely(target, "second").ok());
  EXPECT_EQ(Content(target), "second");
  EXPECT_EQ(EntriesInDir(), 1);  // no temporary file left behind
}

TEST_F(SafeFileTest, KeepsPermissionsOfTheReplacedFile) {
  const fs::path target = dir_ / "set.ign";
  ASSERT_TRUE(WriteFileSafely(target, "old").ok());
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileSafely(target, "new").ok());
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(SafeFileTest, MissingDirectoryFailsAtTheTemporaryFile) {
  const FileWriteResult result = WriteFileSafely(dir_ / "no" / "set.ign", "x");
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.failed_step, FileWriteStep::kCreateTemporary);
  EXPECT_EQ(result.error_number, ENOENT);
  EXPECT_EQ(EntriesInDir(), 0);
}

// A target that cannot be replaced (here a directory holding a file) stays as it was, and the
// temporary file is removed again.
TEST_F(SafeFileTest, FailedReplaceLeavesTargetAndNoTemporary) {
  const fs::path target = dir_ / "set.ign";
  fs::create_directory(target);
  ASSERT_TRUE(WriteFileSafely(target / "inside", "keep").ok());
  const FileWriteResult result = WriteFileSafely(target, "new");
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.failed_step, FileWriteStep::kRename);
  EXPECT_NE(result.error_number, 0);
  EXPECT_EQ(Content(target / "inside"), "keep");
  EXPECT_EQ(EntriesInDir(), 1);
  EXPECT_EQ(FileWriteStepName(result.failed_step), "replace target");
}

// A writer that died mid-write leaves its temporary behind; the next save of the same target
// removes it, and leaves alone what belongs to a running process or to another file.
TEST_F(SafeFileTest, NextSaveRemovesTheTemporaryOfAWriterThatDied) {
  const fs::path target = dir_ / "set.ign";
  ASSERT_TRUE(WriteFileSafely(target, "old").ok());
  // The dead writer: a process that began a temporary of its own and was gone before renaming.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const std::string name = target.string() + ".tmp" + std::to_string(::getpid()) + "_0";
    std::ofstream(name, std::ios::binary) << "half a set";
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  const fs::path dead = target.string() + ".tmp" + std::to_string(child) + "_0";
  ASSERT_TRUE(fs::exists(dead));
  // A writer of ours that still runs, and names that are not temporaries of this target.
  const RunningProcess writer("korvan-station");
  const fs::path running = target.string() + ".tmp" + std::to_string(writer.pid()) + "_3";
  const fs::path others[] = {running, dir_ / "set.ign.tmpx_1", dir_ / "set.ign.tmp12_",
                             dir_ / ("other.ign.tmp" + std::to_string(child) + "_0")};
  for (const fs::path& p : others) std::ofstream(p) << "x";

  ASSERT_TRUE(WriteFileSafely(target, "new").ok());
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_EQ(Content(target), "new");
  for (const fs::path& p : others) EXPECT_TRUE(fs::exists(p)) << p;
  EXPECT_EQ(EntriesInDir(), 5);
}

// After a reboot the process numbers are handed out again, and the number in a dead writer's
// temporary may belong to a process for good. A running number keeps its temporary only while
// that process is a program of ours that was already running when the temporary was last written.
TEST_F(SafeFileTest, ATakenProcessNumberKeepsOnlyATemporaryItsOwnWriterMayBeWriting) {
  struct Case {
    const char* what;
    const char* program;
    bool written_before_it_started;
    bool kept;
  };
  const Case cases[] = {
      {"a writer of ours that started before the write", "korvan", false, true},
      {"a writer of ours that started after the write", "korvan", true, false},
      {"another program that started before the write", "sshd", false, false},
      {"another program that started after the write", "cron", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path target = dir_ / "F.ign";
    const RunningProcess process(c.program);
    const fs::path temporary = target.string() + ".tmp" + std::to_string(process.pid()) + "_0";
    std::ofstream(temporary) << "half a set";
    if (c.written_before_it_started) {
      // Written an hour before the process with that number began: the boot before this one.
      const auto an_hour_ago = fs::last_write_time(temporary) - std::chrono::hours(1);
      fs::last_write_time(temporary, an_hour_ago);
    }
    ASSERT_TRUE(WriteFileSafely(target, "new").ok());
    EXPECT_EQ(fs::exists(temporary), c.kept);
    EXPECT_EQ(Content(target), "new");
    fs::remove(temporary);
  }
}

// Picking something that is not a file must neither hang (a named pipe waits for a writer) nor
// read without end (/dev/zero): it is refused unread, and the caller is told what it is.
TEST_F(SafeFileTest, OnlyRegularFilesAreReadAndWhatWasPickedIsTold) {
  const fs::path pipe = dir_ / "pipe.ign";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  struct Case {
    fs::path path;
    FileKind kind;
    MessageKey reason;
  };
  const Case cases[] = {
      {pipe, FileKind::kNamedPipe, MessageKey::kMsgNotAFilePipe},
      {"/dev/zero", FileKind::kDevice, MessageKey::kMsgNotAFileDevice},
      {"/dev/null", FileKind::kDevice, MessageKey::kMsgNotAFileDevice},
      {dir_, FileKind::kFolder, MessageKey::kMsgNotAFileFolder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const FileReadResult read = ReadFileBounded(c.path, 1 << 20);
    EXPECT_EQ(read.failure, FileReadFailure::kNotRegular);
    EXPECT_EQ(read.kind, c.kind);
    EXPECT_EQ(ReadFailureReason(read), c.reason);
    EXPECT_TRUE(read.content.empty());
  }
  // The parameter file reader passes the reason on and leaves the set alone.
  ParameterImage image;
  image.SetByte(0, 7);
  const ParameterFileReadResult opened = OpenParameterFile(pipe, image, {});
  EXPECT_EQ(opened.status, ParameterFileStatus::kOpenFailed);
  EXPECT_EQ(opened.reason, MessageKey::kMsgNotAFilePipe);
  EXPECT_EQ(image.Byte(0), 7);
  // A plain file has no reason beyond the usual message.
  EXPECT_EQ(ReadFailureReason(ReadFileBounded(dir_ / "none", 10)), MessageKey::kNone);
}

// The safe write puts its temporary beside the target: in a folder that takes no new file even a
// file the user may write cannot be saved. The failure says so, and the old file stays.
TEST_F(SafeFileTest, AReadOnlyFolderIsToldAndTheOldFileStays) {
  const fs::path target = dir_ / "set.ign";
  ASSERT_TRUE(WriteFileSafely(target, "old").ok());
  ASSERT_EQ(::chmod(target.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  const int outcome = RunAsOrdinaryUser([&target] {
    const FileWriteResult result = WriteFileSafely(target, "new");
    if (result.ok()) return 1;
    if (WriteFailureReason(result) != MessageKey::kMsgFolderReadOnly) return 2;
    if (Content(target) != "old") return 3;
    return 0;
  });
  ::chmod(dir_.c_str(), 0755);
  EXPECT_EQ(outcome, 0) << "1: written, 2: another reason, 3: the old file changed";
  EXPECT_EQ(EntriesInDir(), 1);
  // Other failures keep to the step that failed.
  EXPECT_EQ(WriteFailureReason(WriteFileSafely(dir_ / "no" / "set.ign", "x")), MessageKey::kNone);
}

TEST_F(SafeFileTest, WritesThroughASymbolicLink) {
  const fs::path real = dir_ / "real.ign";
  const fs::path link = dir_ / "link.ign";
  ASSERT_TRUE(WriteFileSafely(real, "old").ok());
  fs::create_symlink(real, link);
  ASSERT_TRUE(WriteFileSafely(link, "new").ok());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Content(real), "new");
}

TEST_F(SafeFileTest, BoundedReadRefusesLongFilesAndReportsMissingOnes) {
  const fs::path path = dir_ / "data";
  ASSERT_TRUE(WriteFileSafely(path, std::string(100, 'a')).ok());
  EXPECT_EQ(ReadFileBounded(path, 100).content, std::string(100, 'a'));
  const FileReadResult too_long = ReadFileBounded(path, 99);
  EXPECT_EQ(too_long.failure, FileReadFailure::kTooLarge);
  EXPECT_TRUE(too_long.content.empty());
  const FileReadResult missing = ReadFileBounded(dir_ / "none", 100);
  EXPECT_EQ(missing.failure, FileReadFailure::kOpen);
  EXPECT_EQ(ReadFileBounded(dir_, 100).ok(), false);  // a directory is not a file
}

TEST_F(SafeFileTest, SavedParameterFileOpensToTheSameImage) {
  ParameterImage image;
  image.SetByte(0, 11);
  image.SetByte(35, 95);
  image.SetWord(97, 4321);
  const fs::path path = dir_ / "set.ign";
  ASSERT_TRUE(SaveParameterFile(path, image).ok());
  EXPECT_EQ(Content(path), FormatParameterFile(image));
  ParameterImage read;
  const ParameterFileReadResult result = OpenParameterFile(path, read, {});
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(read, image);
}

}  // namespace
}  // namespace korvan
