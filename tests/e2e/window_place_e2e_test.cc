// The real station window under a real window manager (openbox on a virtual X server): started
// and closed again and again, it opens where it was closed. A window manager puts a frame with a
// title bar around the window, so the frame's corner and the inside's corner differ; keeping one
// and restoring the other moves the window at every start.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "child_process.h"

namespace {

namespace fs = std::filesystem;

using korvan::BinDir;
using korvan::ChildProcess;
using Environment = std::vector<std::pair<std::string, std::string>>;

// The program's full path from PATH, or nothing.
std::optional<std::string> FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    const fs::path candidate = fs::path(dir) / name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return std::nullopt;
}

// Runs a program to its end; its output lines.
std::vector<std::string> Output(std::vector<std::string> args, const Environment& environment) {
  ChildProcess process(std::move(args), environment);
  std::vector<std::string> lines;
  while (std::optional<std::string> line = process.ReadLine()) lines.push_back(*line);
  return lines;
}

struct Corner {
  int x = 0;
  int y = 0;
  bool operator==(const Corner&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Corner& c) {
  return out << "(" << c.x << ", " << c.y << ")";
}

class WindowPlaceE2eTest : public ::testing::Test {
 protected:
  // Where the inside of the window lies on the screen, and whether the window manager has framed
  // it yet (the inside then lies below the title bar within its frame).
  struct Seen {
    Corner inside;
    bool framed = false;
  };
  std::optional<Seen> Look(const std::string& window) {
    std::optional<int> x, y, relative_y;
    for (const std::string& line : Output({programs_["xwininfo"], "-id", window}, env_)) {
      const auto value = [&line](const char* key) -> std::optional<int> {
        const std::size_t at = line.find(key);
        if (at == std::string::npos) return std::nullopt;
        return std::atoi(line.c_str() + at + std::string(key).size());
      };
      if (auto v = value("Absolute upper-left X:")) x = v;
      if (auto v = value("Absolute upper-left Y:")) y = v;
      if (auto v = value("Relative upper-left Y:")) relative_y = v;
    }
    if (!x || !y || !relative_y) return std::nullopt;
    return Seen{{*x, *y}, *relative_y > 0};
  }

  // Starts the station, waits until its window is framed and stays put, closes it as a user
  // does (Alt+F4, the window manager's close) and waits until the program has ended. Where the
  // window's inside was.
  std::optional<Corner> StartAndClose(const fs::path& config) {
    Environment env = env_;
    env.emplace_back("KORVAN_CONFIG_DIR", config.string());
    env.emplace_back("QT_QPA_PLATFORM", "xcb");
    ChildProcess station({BinDir() + "/korvan-station", "--demo"}, env);
    const std::vector<std::string> found = Output(
        {programs_["xdotool"], "search", "--sync", "--onlyvisible", "--name", "Programming of"},
        env_);
    if (found.empty()) return std::nullopt;
    const std::string window = found.front();
    // The window manager frames the window after it is mapped; it is in place once two looks
    // agree on a framed window.
    std::optional<Seen> last;
    std::optional<Corner> placed;
    for (int look = 0; look < 200 && !placed; ++look) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      const std::optional<Seen> now = Look(window);
      if (now && now->framed && last && last->framed && now->inside == last->inside) {
        placed = now->inside;
      }
      last = now;
    }
    Output({programs_["xdotool"], "windowactivate", "--sync", window, "key", "alt+F4"}, env_);
    while (station.ReadLine()) {
    }  // the station writes nothing; its output ends when it has closed
    return placed;
  }

  std::map<std::string, std::string> programs_;
  Environment env_;
};

TEST_F(WindowPlaceE2eTest, TheWindowOpensWhereItWasClosedFiveTimesOver) {
  if (!fs::exists(BinDir() + "/korvan-station")) GTEST_SKIP() << "built without the window";
  std::string missing;
  for (const char* name : {"Xvfb", "openbox", "xdotool", "xwininfo"}) {
    if (const std::optional<std::string> path = FindProgram(name)) {
      programs_[name] = *path;
    } else {
      missing += std::string(missing.empty() ? "" : ", ") + name;
    }
  }
  if (!missing.empty()) {
    GTEST_SKIP() << "needs a virtual X server with a window manager; not installed: " << missing
                 << " (scripts/install-deps.sh installs them)";
  }

  // A virtual screen on a free display number, which Xvfb writes to its output once it is up.
  ChildProcess server(
      {programs_["Xvfb"], "-displayfd", "1", "-screen", "0", "1600x1200x24", "-nolisten", "tcp"});
  const std::optional<std::string> display = server.ReadLine();
  ASSERT_TRUE(display.has_value() && !display->empty()) << "Xvfb did not start";
  env_ = {{"DISPLAY", ":" + *display}};
  // openbox runs its start-up command once it manages the screen.
  ChildProcess manager({programs_["openbox"], "--startup", "echo managing"}, env_);
  ASSERT_TRUE(manager.WaitForLine("managing")) << "openbox did not start";

  const fs::path dir =
      fs::path(::testing::TempDir()) / ("korvan_window_place_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "config");
  std::vector<Corner> corners;
  for (int start = 1; start <= 5; ++start) {
    const std::optional<Corner> corner = StartAndClose(dir / "config");
    ASSERT_TRUE(corner.has_value()) << "start " << start << ": no framed window";
    corners.push_back(*corner);
  }
  // The first start centres the window; every later one finds it where the one before left it.
  for (std::size_t k = 1; k < corners.size(); ++k) {
    EXPECT_EQ(corners[k], corners[0]) << "start " << k + 1;
  }
  fs::remove_all(dir);
}

}  // namespace
