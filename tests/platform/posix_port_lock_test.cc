// The station keeps the serial line to itself against every kind of program that may hold it,
// tried on a pseudo-terminal as root and as an ordinary user.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/line_lock.h"
#include "platform/posix_serial_port.h"

namespace korvan {
namespace {
namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNobodyGroup = 65534;

TEST(LineLockFileTest, ReadsTheProcessNumberAsSerialProgramsWriteIt) {
  struct Case {
    std::string content;
    std::optional<pid_t> pid;
  };
  const int binary = 4711;
  const Case cases[] = {
      {"      4711\n", 4711},  // ten characters and a line end
      {"4711\n", 4711},        // written without padding
      {"4711", 4711},          // no line end: still text, not four binary bytes
      {std::string(reinterpret_cast<const char*>(&binary), sizeof binary), 4711},
      {"", std::nullopt},  // a holder died before writing its number
      {"         0\n", std::nullopt},
      {"     -4711\n", std::nullopt},
      {"minicom\n", std::nullopt},
      {"99999999999999\n", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(LockFileProcess(c.content), c.pid) << c.content;
  EXPECT_EQ(LockFileContent(4711), "      4711\n");
  EXPECT_EQ(LockFileProcess(LockFileContent(getpid())), getpid());
}

TEST(LineLockFileTest, EveryNameOfTheDeviceTakesTheSameLock) {
  const fs::path folder =
      fs::path(::testing::TempDir()) / ("korvan-names-" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "ttyUSB3") << "";
  fs::create_symlink(folder / "ttyUSB3", folder / "usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0");
  EXPECT_EQ(LineLockName((folder / "ttyUSB3").string()), "LCK..ttyUSB3");
  EXPECT_EQ(LineLockName((folder / "usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0").string()),
            "LCK..ttyUSB3");
  EXPECT_EQ(LineLockName("/dev/ttyUSB9"), "LCK..ttyUSB9");  // not plugged in: its own name
  fs::remove_all(folder);
}

// The adapter: a pseudo-terminal whose device an ordinary user may open, and a lock folder of
// the test's own (KORVAN_LOCK_DIR), writable by everybody and sticky as /run/lock is, or only by
// root as on systems where a group owns it.
class LockedLine {
 public:
  explicit LockedLine(mode_t folder_mode = 01777) {
    char name[256] = {};
    int slave = -1;
    if (openpty(&master_, &slave, name, nullptr, nullptr) != 0) return;
    close(slave);
    device_ = name;
    folder_ = fs::path(::testing::TempDir()) /
              ("korvan-lock-" + std::to_string(getpid()) + "-" + std::to_string(++count_));
    fs::create_directories(folder_);
    EXPECT_EQ(chmod(folder_.c_str(), folder_mode), 0);
    if (geteuid() == 0) {
      EXPECT_EQ(chown(device_.c_str(), kNobody, kNobodyGroup), 0);
    }
    setenv("KORVAN_LOCK_DIR", folder_.c_str(), 1);
  }
  ~LockedLine() {
    unsetenv("KORVAN_LOCK_DIR");
    if (master_ >= 0) close(master_);
    fs::remove_all(folder_);
  }
  bool ok() const { return master_ >= 0; }
  const std::string& device() const { return device_; }
  fs::path lock_file() const { return folder_ / LineLockName(device_); }
  // A lock file as another program leaves it, owned by `owner`.
  void WriteLockFile(pid_t pid, uid_t owner) const {
    std::ofstream(lock_file()) << LockFileContent(pid);
    EXPECT_EQ(chown(lock_file().c_str(), owner, owner), 0);
  }
  std::optional<pid_t> LockFilePid() const {
    std::ifstream file(lock_file());
    if (!file) return std::nullopt;
    const std::string content((std::istreambuf_iterator<char>(file)), {});
    return LockFileProcess(content);
  }

 private:
  static inline int count_ = 0;
  int master_ = -1;
  std::string device_;
  fs::path folder_;
};

enum class User { kRoot, kOrdinary };

// What a station in a process of its own found: it opens the line, says what the lock file named
// while it had the line, and closes it again.
struct Attempt {
  bool opened = false;
  OpenFailure why = OpenFailure::kNone;
  int holder = 0;               // the holder it named, 0 for none
  int own_pid = 0;              // the station's process
  int lock_pid_while_open = 0;  // what the lock file said while the station had the line
  bool lock_file_left = false;  // a lock file of the station's was left after it closed
  bool dropped = true;
};

uid_t UserId(User user) { return user == User::kRoot || geteuid() != 0 ? geteuid() : kNobody; }

Attempt OpenInAnotherProcess(User user, const LockedLine& line) {
  int out[2];
  if (pipe(out) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    Attempt a;
    if (user == User::kOrdinary && geteuid() == 0) {
      a.dropped = setgroups(0, nullptr) == 0 && setgid(kNobodyGroup) == 0 && setuid(kNobody) == 0;
    }
    a.own_pid = getpid();
    PosixSerialPort station;
    a.opened = a.dropped && station.Open(line.device());
    a.why = station.LastOpenFailure();
    if (const std::optional<LineHolder> holder = station.LastHolder()) a.holder = holder->pid;
    a.lock_pid_while_open = line.LockFilePid().value_or(0);
    station.Close();
    a.lock_file_left = line.LockFilePid() == getpid();
    (void)!write(out[1], &a, sizeof a);
    _exit(0);
  }
  close(out[1]);
  Attempt a;
  const bool got = read(out[0], &a, sizeof a) == static_cast<ssize_t>(sizeof a);
  close(out[0]);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(got);
  EXPECT_TRUE(a.dropped) << "could not become an ordinary user";
  return a;
}

// A process number nobody has: a child that has ended and been reaped.
pid_t GoneProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

enum class Holder { kNone, kSecondStation, kFlockOnly, kLockFileOnly, kStaleLockFile };

const char* Name(Holder h) {
  switch (h) {
    case Holder::kNone:
      return "nobody";
    case Holder::kSecondStation:
      return "another station";
    case Holder::kFlockOnly:
      return "a program with flock only";
    case Holder::kLockFileOnly:
      return "a program with a lock file only";
    case Holder::kStaleLockFile:
      return "a lock file whose process is gone";
  }
  return "";
}

class LineHolderTest : public ::testing::TestWithParam<User> {
 protected:
  void SetUp() override {
    if (GetParam() == User::kRoot && geteuid() != 0) GTEST_SKIP() << "needs root";
  }
};

TEST_P(LineHolderTest, StationKeepsOffALineAnotherProgramHoldsAndTakesOverAStaleLock) {
  struct Case {
    Holder holder;
    bool opens;
    bool names_holder;  // the message can name the holder's process
  };
  const Case cases[] = {
      {Holder::kNone, true, false},          {Holder::kSecondStation, false, true},
      {Holder::kFlockOnly, false, false},    {Holder::kLockFileOnly, false, true},
      {Holder::kStaleLockFile, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Name(c.holder));
    LockedLine line;
    ASSERT_TRUE(line.ok());
    PosixSerialPort first_station;
    int flock_fd = -1;
    switch (c.holder) {
      case Holder::kNone:
        break;
      case Holder::kSecondStation:
        ASSERT_TRUE(first_station.Open(line.device()));
        break;
      case Holder::kFlockOnly:
        flock_fd = open(line.device().c_str(), O_RDWR | O_NOCTTY);
        ASSERT_EQ(flock(flock_fd, LOCK_EX | LOCK_NB), 0);
        break;
      case Holder::kLockFileOnly:
        line.WriteLockFile(getpid(), geteuid());
        break;
      case Holder::kStaleLockFile:
        // Left by a crashed run of the same user.
        line.WriteLockFile(GoneProcess(), UserId(GetParam()));
        break;
    }
    const Attempt a = OpenInAnotherProcess(GetParam(), line);
    EXPECT_EQ(a.opened, c.opens);
    if (c.opens) {
      EXPECT_EQ(a.lock_pid_while_open, a.own_pid) << "the lock file names the station";
      EXPECT_FALSE(a.lock_file_left) << "closing lets go of the lock file";
    } else {
      EXPECT_EQ(a.why, OpenFailure::kBusy);
      EXPECT_EQ(a.holder, c.names_holder ? getpid() : 0);
      EXPECT_NE(a.lock_pid_while_open, a.own_pid);
    }
    if (flock_fd >= 0) close(flock_fd);
  }
}

TEST_P(LineHolderTest, WhileTheStationHasTheLineOtherProgramsFindItTaken) {
  LockedLine line;
  ASSERT_TRUE(line.ok());
  PosixSerialPort station;
  ASSERT_TRUE(station.Open(line.device()));
  EXPECT_EQ(line.LockFilePid(), getpid());
  // Root passes TIOCEXCL, but not the advisory lock.
  int other = open(line.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (geteuid() == 0) {
    ASSERT_GE(other, 0);
    EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
  } else {
    EXPECT_LT(other, 0);
  }
  const Attempt a = OpenInAnotherProcess(GetParam(), line);
  EXPECT_FALSE(a.opened);
  EXPECT_EQ(a.why, OpenFailure::kBusy);
  EXPECT_EQ(a.holder, getpid());
  station.Close();
  EXPECT_EQ(line.LockFilePid(), std::nullopt);
  if (other < 0) other = open(line.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  EXPECT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
  close(other);
}

INSTANTIATE_TEST_SUITE_P(AsEachUser, LineHolderTest,
                         ::testing::Values(User::kRoot, User::kOrdinary), [](const auto& info) {
                           return info.param == User::kRoot ? "Root" : "OrdinaryUser";
                         });

// A lock folder only root may write keeps an ordinary user's station from writing a lock file;
// it still uses the line when nobody holds it, and still keeps off a line somebody does.
TEST(LineLockFolderTest, AFolderTheUserCannotWriteLeavesTheAdvisoryLockToDecide) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make a folder the user cannot write";
  {
    LockedLine line(0755);
    ASSERT_TRUE(line.ok());
    const Attempt a = OpenInAnotherProcess(User::kOrdinary, line);
    EXPECT_TRUE(a.opened);
    EXPECT_EQ(a.lock_pid_while_open, 0);
  }
  {
    LockedLine line(0755);
    ASSERT_TRUE(line.ok());
    const int held = open(line.device().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(OpenInAnotherProcess(User::kOrdinary, line).opened);
    close(held);
  }
  {
    LockedLine line(0755);
    ASSERT_TRUE(line.ok());
    line.WriteLockFile(getpid(), 0);
    const Attempt a = OpenInAnotherProcess(User::kOrdinary, line);
    EXPECT_FALSE(a.opened);
    EXPECT_EQ(a.holder, getpid());
  }
}

}  // namespace
}  // namespace korvan
