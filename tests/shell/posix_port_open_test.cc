#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix_serial_port.h"
#include "shell/messages.h"

namespace korvan {
namespace {
namespace fs = std::filesystem;

TEST(PosixPortOpenTest, SortsOpenErrorsIntoWhatTheTunerCanFix) {
  struct Case {
    int error;
    OpenFailure why;
  };
  const Case cases[] = {
      {ENOENT, OpenFailure::kMissing},    {ENODEV, OpenFailure::kMissing},
      {ENXIO, OpenFailure::kMissing},     {EACCES, OpenFailure::kPermission},
      {EPERM, OpenFailure::kPermission},  {EBUSY, OpenFailure::kBusy},
      {EIO, OpenFailure::kOther},
  };
  for (const Case& c : cases) EXPECT_EQ(OpenFailureFromErrno(c.error), c.why) << c.error;
}

TEST(PosixPortOpenTest, MissingDeviceAndNonTtyAreTold) {
  PosixSerialPort port;
  EXPECT_FALSE(port.Open("/nonexistent/ttyUSB9"));
  EXPECT_EQ(port.LastOpenFailure(), OpenFailure::kMissing);
  const fs::path plain = fs::temp_directory_path() / ("korvan-not-a-tty-" + std::to_string(getpid()));
  std::ofstream(plain) << "x";
  EXPECT_FALSE(port.Open(plain.string()));
  EXPECT_EQ(port.LastOpenFailure(), OpenFailure::kOther);
  fs::remove(plain);
}

TEST(PosixPortOpenTest, DeviceTheUserMayNotOpenIsAPermissionProblem) {
  if (geteuid() == 0) GTEST_SKIP() << "root opens a mode-000 file; the errno table covers EACCES";
  const fs::path locked = fs::temp_directory_path() / ("korvan-locked-" + std::to_string(getpid()));
  std::ofstream(locked) << "";
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  PosixSerialPort port;
  EXPECT_FALSE(port.Open(locked.string()));
  EXPECT_EQ(port.LastOpenFailure(), OpenFailure::kPermission);
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
