#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace korvan {

// The lock file serial programs on Linux agree on: "LCK.." and the device's name in the system's
// lock folder, holding the process number of the program that has the line as ten characters and
// a line end. A program that finds it names a live process keeps off the line; one that names a
// process that is gone (or nothing readable) is stale and taken over.
class LineLockFile {
 public:
  enum class Outcome {
    kTaken,   // the file is ours until Release
    kHeld,    // a live process holds the line (holder() says which)
    kNoFile,  // no file could be written (the folder is not ours to write, or a stale file
              // of another user cannot be removed): nobody live holds the line, so the device's
              // own advisory lock decides alone
  };

  LineLockFile() = default;
  ~LineLockFile() { Release(); }
  LineLockFile(const LineLockFile&) = delete;
  LineLockFile& operator=(const LineLockFile&) = delete;

  Outcome Take(const std::string& device, const std::string& folder);
  // Removes the file when it still names this process.
  void Release();
  // The process the last kHeld found, 0 when its file could not be read.
  pid_t holder() const { return holder_; }

 private:
  std::string path_;
  pid_t holder_ = 0;
};

// $KORVAN_LOCK_DIR when set, else /run/lock, else /var/lock.
std::string LineLockFolder();
// "LCK..ttyUSB0" for /dev/ttyUSB0 and for every link to it (a name under /dev/serial/by-id).
std::string LineLockName(const std::string& device);
// The process number a lock file holds: ten characters and a line end, as written here and by
// the programs that follow the same convention; older ones wrote it as four binary bytes.
std::optional<pid_t> LockFileProcess(std::string_view content);
// The contents this process writes: its number right-aligned in ten characters, then "\n".
std::string LockFileContent(pid_t pid);
// True while a process with this number exists (also one of another user).
bool ProcessAlive(pid_t pid);
// The program name the kernel keeps for a process ("minicom"); empty when it cannot be read.
std::string ProcessProgram(pid_t pid);

}  // namespace korvan
