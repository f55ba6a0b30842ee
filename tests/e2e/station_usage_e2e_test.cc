// The window program asked for its usage where no window can open.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "child_process.h"

namespace {

using korvan::BinDir;

TEST(StationUsage, UsageIsPrintedWithoutADisplay) {
  const std::string station = BinDir() + "/korvan-station";
  if (!std::filesystem::exists(station)) GTEST_SKIP() << "built without the window";
  for (const char* option : {"--help", "-h"}) {
    SCOPED_TRACE(option);
    // No display of any kind, and no platform chosen for Qt: a terminal over ssh.
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + station + " " + option + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal\n" << output;
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    EXPECT_NE(output.find("Usage: "), std::string::npos) << output;
    EXPECT_NE(output.find("--demo"), std::string::npos) << output;
    EXPECT_NE(output.find("--port <device>"), std::string::npos) << output;
  }
}

}  // namespace
