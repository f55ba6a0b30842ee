#include "files/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "files/parameter_file.h"

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
  // A writer that still runs, and names that are not temporaries of this target.
  const fs::path running = target.string() + ".tmp" + std::to_string(::getppid()) + "_3";
  const fs::path others[] = {running, dir_ / "set.ign.tmpx_1", dir_ / "set.ign.tmp12_",
                             dir_ / ("other.ign.tmp" + std::to_string(child) + "_0")};
  for (const fs::path& p : others) std::ofstream(p) << "x";

  ASSERT_TRUE(WriteFileSafely(target, "new").ok());
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_EQ(Content(target), "new");
  for (const fs::path& p : others) EXPECT_TRUE(fs::exists(p)) << p;
  EXPECT_EQ(EntriesInDir(), 5);
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
