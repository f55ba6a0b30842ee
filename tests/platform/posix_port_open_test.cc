#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix_serial_port.h"
#include "texts/messages.h"

namespace korvan {
namespace {
namespace fs = std::filesystem;

TEST(PosixPortOpenTest, SortsOpenErrorsIntoWhatTheTunerCanFix) {
  struct Case {
    int error;
    OpenFailure why;
  };
  const Case cases[] = {
      {ENOENT, OpenFailure::kMissing},   {ENODEV, OpenFailure::kMissing},
      {ENXIO, OpenFailure::kMissing},    {EACCES, OpenFailure::kPermission},
      {EPERM, OpenFailure::kPermission}, {EBUSY, OpenFailure::kBusy},
      {EIO, OpenFailure::kOther},
  };
  for (const Case& c : cases) EXPECT_EQ(OpenFailureFromErrno(c.error), c.why) << c.error;
}

TEST(PosixPortOpenTest, MissingDeviceAndNonTtyAreTold) {
  PosixSerialPort port;
  EXPECT_FALSE(port.Open("/nonexistent/ttyUSB9"));
  EXPECT_EQ(port.LastOpenFailure(), OpenFailure::kMissing);
  const fs::path plain =
      fs::temp_directory_path() / ("korvan-not-a-tty-" + std::to_string(getpid()));
  std::ofstream(plain) << "x";
  EXPECT_FALSE(port.Open(plain.string()));
  EXPECT_EQ(port.LastOpenFailure(), OpenFailure::kOther);
  fs::remove(plain);
}

// What opening `path` gives, tried as an ordinary user: as this process when it is one, else in a
// child that has dropped to "nobody" (root would open a mode-000 file).
OpenFailure OpenFailureAsOrdinaryUser(const std::string& path) {
  if (geteuid() != 0) {
    PosixSerialPort port;
    EXPECT_FALSE(port.Open(path));
    return port.LastOpenFailure();
  }
  const pid_t child = fork();
  if (child == 0) {
    constexpr gid_t kNobodyGroup = 65534;
    constexpr uid_t kNobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(kNobodyGroup) != 0 || setuid(kNobody) != 0) _exit(100);
    PosixSerialPort port;
    if (port.Open(path)) _exit(101);
    _exit(static_cast<int>(port.LastOpenFailure()));
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_LT(WEXITSTATUS(status), 100) << "could not drop to nobody, or the open succeeded";
  return static_cast<OpenFailure>(WEXITSTATUS(status));
}

TEST(PosixPortOpenTest, DeviceTheUserMayNotOpenIsAPermissionProblem) {
  const fs::path locked = fs::temp_directory_path() / ("korvan-locked-" + std::to_string(getpid()));
  std::ofstream(locked) << "";
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  EXPECT_EQ(OpenFailureAsOrdinaryUser(locked.string()), OpenFailure::kPermission);
  fs::remove(locked);
}

TEST(PosixPortOpenTest, PermissionTextNamesTheDialoutGroupInEveryLanguage) {
  for (const Language language :
       {Language::kEnglish, Language::kGerman, Language::kFrench, Language::kCzech}) {
    EXPECT_NE(MessageText(MessageKey::kMsgComPermissionDenied, language).find("dialout"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace korvan
