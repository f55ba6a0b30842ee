#include "platform/line_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace korvan {
namespace {

bool IsFolder(const char* path) {
  struct stat st {};
  return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

enum class Found { kNone, kFile, kUnreadable };

Found ReadLockFile(const std::string& path, std::string* content) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? Found::kNone : Found::kUnreadable;
  char buffer[64];
  const ssize_t n = ::read(fd, buffer, sizeof buffer);
  ::close(fd);
  if (n < 0) return Found::kUnreadable;
  content->assign(buffer, static_cast<std::size_t>(n));
  return Found::kFile;
}

// Writes our number into a file of its own first and links it to the lock's name, so that
// another program never reads a lock file half written.
enum class Created { kCreated, kExists, kNotWritable };

Created CreateLockFile(const std::string& path, const std::string& folder) {
  const std::string temporary = folder + "/LTMP.korvan." + std::to_string(getpid());
  const int fd =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return Created::kNotWritable;
  fchmod(fd, 0644);  // readable by every program that checks it, whatever the umask
  const std::string content = LockFileContent(getpid());
  const bool written =
      ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
  ::close(fd);
  Created result = Created::kNotWritable;
  if (written) {
    if (::link(temporary.c_str(), path.c_str()) == 0) {
      result = Created::kCreated;
    } else if (errno == EEXIST) {
      result = Created::kExists;
    }
  }
  ::unlink(temporary.c_str());
  return result;
}

}  // namespace

std::string LineLockFolder() {
  if (const char* folder = std::getenv("KORVAN_LOCK_DIR"); folder != nullptr && *folder != 0) {
    return folder;
  }
  return IsFolder("/run/lock") ? "/run/lock" : "/var/lock";
}

std::string LineLockName(const std::string& device) {
  // Every name of the device takes the same lock: follow links to the device itself.
  std::string real = device;
  if (char* resolved = realpath(device.c_str(), nullptr)) {
    real = resolved;
    std::free(resolved);
  }
  return "LCK.." + real.substr(real.rfind('/') + 1);
}

std::optional<pid_t> LockFileProcess(std::string_view content) {
  const bool text = content.find_first_not_of(" \t\n0123456789") == std::string_view::npos;
  if (content.size() == sizeof(int) && !text) {
    int binary = 0;
    std::memcpy(&binary, content.data(), sizeof binary);
    if (binary > 0) return static_cast<pid_t>(binary);
  }
  std::size_t i = 0;
  while (i < content.size() && (content[i] == ' ' || content[i] == '\t')) ++i;
  long long pid = 0;
  std::size_t digits = 0;
  while (i < content.size() && content[i] >= '0' && content[i] <= '9' && digits < 12) {
    pid = pid * 10 + (content[i] - '0');
    ++i;
    ++digits;
  }
  if (digits == 0 || pid <= 0 || pid > 0x7fffffff) return std::nullopt;
  return static_cast<pid_t>(pid);
}

std::string LockFileContent(pid_t pid) {
  char line[16];
  std::snprintf(line, sizeof line, "%10d\n", static_cast<int>(pid));
  return line;
}

bool ProcessAlive(pid_t pid) {
  if (pid <= 0) return false;
  return ::kill(pid, 0) == 0 || errno == EPERM;  // EPERM: there, but another user's
}

std::string ProcessProgram(pid_t pid) {
  std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

LineLockFile::Outcome LineLockFile::Take(const std::string& device, const std::string& folder) {
  Release();
  holder_ = 0;
  const std::string path = folder + "/" + LineLockName(device);
  // A few rounds: another program may take or drop the lock between our looking and writing.
  for (int round = 0; round < 4; ++round) {
    std::string content;
    switch (ReadLockFile(path, &content)) {
      case Found::kUnreadable:
        return Outcome::kHeld;  // somebody's lock we cannot look into: keep off
      case Found::kFile: {
        const std::optional<pid_t> pid = LockFileProcess(content);
        if (pid && ProcessAlive(*pid)) {
          holder_ = *pid;
          return Outcome::kHeld;
        }
        // Stale: its program is gone. Take it over when we may; else nobody live has the line.
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) return Outcome::kNoFile;
        break;
      }
      case Found::kNone:
        break;
    }
    switch (CreateLockFile(path, folder)) {
      case Created::kCreated:
        path_ = path;
        return Outcome::kTaken;
      case Created::kNotWritable:
        return Outcome::kNoFile;
      case Created::kExists:
        break;  // another program was quicker: look at its file
    }
  }
  return Outcome::kHeld;
}

void LineLockFile::Release() {
  if (path_.empty()) return;
  std::string content;
  if (ReadLockFile(path_, &content) == Found::kFile && LockFileProcess(content) == getpid()) {
    ::unlink(path_.c_str());
  }
  path_.clear();
}

}  // namespace korvan
