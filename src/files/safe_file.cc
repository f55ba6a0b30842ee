#include "files/safe_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#define KORVAN_POSIX_FILES 1
#endif

namespace korvan {
namespace {

FileWriteResult Failed(FileWriteStep step, int error_number) {
  return FileWriteResult{step, error_number};
}

// Writes through a link to the file it names, as writing in place would, instead of replacing
// the link itself with a plain file.
std::filesystem::path ResolvedTarget(const std::filesystem::path& target) {
  std::error_code error;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) {
    std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
    if (!error) return resolved;
  }
  return target;
}

#ifdef KORVAN_POSIX_FILES

// The process id in a temporary's name "<target>.tmp<pid>_<n>", or 0 when the name is not one.
pid_t TemporaryOwner(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
  const char* first = name.data() + prefix.size();
  const char* last = name.data() + name.size();
  long pid = 0;
  auto [after_pid, pid_error] = std::from_chars(first, last, pid);
  if (pid_error != std::errc() || after_pid == first || after_pid == last || *after_pid != '_') {
    return 0;
  }
  long counter = 0;
  auto [end, counter_error] = std::from_chars(after_pid + 1, last, counter);
  if (counter_error != std::errc() || end != last || end == after_pid + 1 || pid <= 0) return 0;
  return static_cast<pid_t>(pid);
}

// Seconds since the epoch at which process `pid` started, from the kernel's process table; 0
// when it cannot be told (no /proc, a process that just ended).
double ProcessStartTime(pid_t pid) {
  std::ifstream stat_file("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat_file, line)) return 0;
  // The command name in parentheses may hold blanks; the fields after it are numbers.
  const std::size_t close = line.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(line.substr(close + 1));
  std::string field;
  // After the name: state is field 3, starttime field 22 (clock ticks after boot).
  for (int number = 3; number < 22; ++number) fields >> field;
  unsigned long long start_ticks = 0;
  if (!(fields >> start_ticks)) return 0;
  std::ifstream system_stat("/proc/stat");
  std::string key;
  long long boot_time = 0;
  while (system_stat >> key) {
    if (key == "btime") {
      system_stat >> boot_time;
      break;
    }
    system_stat.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  }
  const long ticks_per_second = ::sysconf(_SC_CLK_TCK);
  if (boot_time <= 0 || ticks_per_second <= 0) return 0;
  return static_cast<double>(boot_time) +
         static_cast<double>(start_ticks) / static_cast<double>(ticks_per_second);
}

// The station's programs (korvan, korvan-station, korvan-unit) all carry this name prefix; the
// kernel keeps the first 15 characters of a program's name.
constexpr std::string_view kWriterNamePrefix = "korvan";

// The program name of a running process; empty when it cannot be told.
std::string ProcessName(pid_t pid) {
  std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

// A process number is used again after the writer is gone, and after a reboot the same low
// numbers are handed out in the same order, so a number that runs proves little. The writer of
// a temporary is gone when no process has its number; when the process with that number started
// after the temporary was last written (the number was given out again since); or when that
// process is no program of ours. Only where the process table cannot be read does a running
// number keep the temporary.
bool WriterIsGone(pid_t owner, const struct stat& temporary) {
  if (::kill(owner, 0) != 0 && errno == ESRCH) return true;
  const std::string name = ProcessName(owner);
  if (!name.empty() && name.rfind(kWriterNamePrefix, 0) != 0) return true;
  const double started = ProcessStartTime(owner);
  const double written = static_cast<double>(temporary.st_mtim.tv_sec) +
                         static_cast<double>(temporary.st_mtim.tv_nsec) * 1e-9;
  // The boot time the kernel reports is whole seconds and follows clock corrections: only a
  // start clearly after the last write counts.
  constexpr double kClockSlackSeconds = 2.0;
  return started > 0 && started > written + kClockSlackSeconds;
}

// A writer that died mid-write (power cut, killed) leaves its temporary file behind. Each save
// removes those of its target whose writer is gone (WriterIsGone); a temporary that a running
// writer of ours may be writing now is left alone.
void RemoveStaleTemporaries(const std::filesystem::path& target) {
  std::filesystem::path directory = target.parent_path();
  if (directory.empty()) directory = ".";
  const std::string prefix = target.filename().string() + ".tmp";
  std::error_code error;
  std::filesystem::directory_iterator it(directory, error);
  if (error) return;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) return;
    const pid_t owner = TemporaryOwner(it->path().filename().string(), prefix);
    if (owner == 0 || owner == ::getpid()) continue;
    struct stat info {};
    if (::lstat(it->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (!WriterIsGone(owner, info)) continue;
    std::error_code ignored;
    std::filesystem::remove(it->path(), ignored);
  }
}

// Opens a new file beside the target that nobody else uses: the pid and a counter make the name,
// O_EXCL makes sure.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary += ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void SyncDirectory(const std::filesystem::path& target) {
  std::filesystem::path directory = target.parent_path();
  if (directory.empty()) directory = ".";
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // the rename has happened; a directory we cannot sync is no failure
  ::fsync(fd);
  ::close(fd);
}

FileWriteResult WriteAndReplace(const std::filesystem::path& target, std::string_view content) {
  RemoveStaleTemporaries(target);
  std::filesystem::path temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) return Failed(FileWriteStep::kCreateTemporary, errno);

  auto abandon = [&](FileWriteStep step, int error_number) {
    ::close(fd);
    ::unlink(temporary.c_str());
    return Failed(step, error_number);
  };
  // An existing file keeps its permissions.
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);

  std::size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return abandon(FileWriteStep::kWrite, errno);
    }
    written += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return abandon(FileWriteStep::kSync, errno);
  if (::close(fd) != 0) {
    const int error_number = errno;
    ::unlink(temporary.c_str());
    return Failed(FileWriteStep::kClose, error_number);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error_number = errno;
    ::unlink(temporary.c_str());
    return Failed(FileWriteStep::kRename, error_number);
  }
  SyncDirectory(target);
  return {};
}

#else  // no POSIX: the standard library's flush and rename, without a sync to the disk

FileWriteResult WriteAndReplace(const std::filesystem::path& target, std::string_view content) {
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return Failed(FileWriteStep::kCreateTemporary, errno);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return Failed(FileWriteStep::kWrite, errno);
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return Failed(FileWriteStep::kRename, error.value());
  }
  return {};
}

#endif

}  // namespace

FileWriteResult WriteFileSafely(const std::filesystem::path& target, std::string_view content) {
  return WriteAndReplace(ResolvedTarget(target), content);
}

std::string_view FileWriteStepName(FileWriteStep step) {
  switch (step) {
    case FileWriteStep::kNone:
      return "";
    case FileWriteStep::kCreateTemporary:
      return "create temporary file";
    case FileWriteStep::kWrite:
      return "write";
    case FileWriteStep::kSync:
      return "sync to disk";
    case FileWriteStep::kClose:
      return "close";
    case FileWriteStep::kRename:
      return "replace target";
  }
  return "";
}

namespace {

#ifdef KORVAN_POSIX_FILES

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kFolder;
  if (S_ISFIFO(mode)) return FileKind::kNamedPipe;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::kDevice;
  return FileKind::kOther;
}

// Looks before it opens (a named pipe's open would wait for a writer), opens without waiting,
// and looks again at what was opened, in case the name was swapped in between.
FileReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t max_bytes) {
  FileReadResult result;
  auto fail = [&result](FileReadFailure failure, int error_number) {
    result.failure = failure;
    result.error_number = error_number;
    return result;
  };
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return fail(FileReadFailure::kOpen, errno);
  result.kind = KindOf(info.st_mode);
  if (result.kind != FileKind::kRegular) return fail(FileReadFailure::kNotRegular, 0);
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return fail(FileReadFailure::kOpen, errno);
  if (::fstat(fd, &info) != 0 || KindOf(info.st_mode) != FileKind::kRegular) {
    ::close(fd);
    result.kind = KindOf(info.st_mode);
    return fail(FileReadFailure::kNotRegular, 0);
  }
  // Read at most one byte more than allowed: enough to tell a file that is too long, whatever
  // the file system says about its size.
  std::string content;
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error_number = errno;
      ::close(fd);
      return fail(FileReadFailure::kRead, error_number);
    }
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
    if (content.size() > max_bytes) {
      ::close(fd);
      return fail(FileReadFailure::kTooLarge, 0);
    }
  }
  ::close(fd);
  result.content = std::move(content);
  return result;
}

#else

FileReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t max_bytes) {
  FileReadResult result;
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    result.failure = FileReadFailure::kNotRegular;
    result.kind =
        std::filesystem::is_directory(status) ? FileKind::kFolder
        : std::filesystem::is_fifo(status)    ? FileKind::kNamedPipe
        : std::filesystem::is_character_file(status) || std::filesystem::is_block_file(status)
            ? FileKind::kDevice
            : FileKind::kOther;
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.failure = FileReadFailure::kOpen;
    result.error_number = errno;
    return result;
  }
  std::string content;
  char buffer[8192];
  while (in) {
    in.read(buffer, sizeof buffer);
    const std::streamsize n = in.gcount();
    if (n <= 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
    if (content.size() > max_bytes) {
      result.failure = FileReadFailure::kTooLarge;
      return result;
    }
  }
  if (in.bad()) {
    result.failure = FileReadFailure::kRead;
    result.error_number = errno;
    return result;
  }
  result.content = std::move(content);
  return result;
}

#endif

}  // namespace

FileReadResult ReadFileBounded(const std::filesystem::path& path, std::size_t max_bytes) {
  return ReadRegularFile(path, max_bytes);
}

MessageKey WriteFailureReason(const FileWriteResult& result) {
  if (result.failed_step != FileWriteStep::kCreateTemporary) return MessageKey::kNone;
  switch (result.error_number) {
    case EACCES:
    case EPERM:
    case EROFS:
      return MessageKey::kMsgFolderReadOnly;
    default:
      return MessageKey::kNone;
  }
}

MessageKey ReadFailureReason(const FileReadResult& result) {
  if (result.failure != FileReadFailure::kNotRegular) return MessageKey::kNone;
  switch (result.kind) {
    case FileKind::kFolder:
      return MessageKey::kMsgNotAFileFolder;
    case FileKind::kNamedPipe:
      return MessageKey::kMsgNotAFilePipe;
    case FileKind::kDevice:
      return MessageKey::kMsgNotAFileDevice;
    case FileKind::kRegular:
    case FileKind::kOther:
      break;
  }
  return MessageKey::kMsgNotAFileOther;
}

}  // namespace korvan
