#pragma once
// The built programs run as children of an end-to-end test.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvan {

// The programs lie in app/ of the build tree, beside the tests/ folder of the test binary
// (KORVAN_BIN_DIR points elsewhere).
inline std::string BinDir() {
  if (const char* dir = std::getenv("KORVAN_BIN_DIR")) return dir;
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, n > 0 ? static_cast<std::size_t>(n) : 0);
  path = path.substr(0, path.rfind('/'));
  return path.substr(0, path.rfind('/')) + "/app";
}

// A program running as a child with its standard output on a pipe to the test. It is stopped
// with stop_signal when the object goes (SIGTERM lets it shut down; SIGKILL runs none of its
// shut-down code, as a crash or a power cut).
class ChildProcess {
 public:
  ChildProcess(std::vector<std::string> args,
               std::vector<std::pair<std::string, std::string>> environment = {},
               int stop_signal = SIGTERM)
      : stop_signal_(stop_signal) {
    int out[2];
    if (args.empty() || pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    out_ = out[0];
  }
  ~ChildProcess() { Stop(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line of the child's output without its line end; nothing once the output ended.
  std::optional<std::string> ReadLine() {
    if (out_ < 0) return std::nullopt;
    std::string line;
    char c;
    while (read(out_, &c, 1) == 1) {
      if (c == '\n') return line;
      line += c;
    }
    return line.empty() ? std::nullopt : std::optional<std::string>(line);
  }
  // Reads lines until one equals `wanted`: true, or the output ends first: false.
  bool WaitForLine(const std::string& wanted) {
    while (const std::optional<std::string> line = ReadLine()) {
      if (*line == wanted) return true;
    }
    return false;
  }

  pid_t pid() const { return pid_; }

  void Stop() {
    if (out_ >= 0) close(out_);
    out_ = -1;
    if (pid_ <= 0) return;
    kill(pid_, stop_signal_);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int stop_signal_;
};

}  // namespace korvan
