#include "files/safe_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
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

// A writer that died mid-write (power cut, killed) leaves its temporary file behind. Each save
// removes those of its target whose writer no longer runs; a temporary of a running process,
// which may be writing it now, is left alone.
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
    if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored)) std::filesystem::remove(it->path(), ignored);
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

FileReadResult ReadFileBounded(const std::filesystem::path& path, std::size_t max_bytes) {
  FileReadResult result;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.failure = FileReadFailure::kOpen;
    result.error_number = errno;
    return result;
  }
  // Read at most one byte more than allowed: enough to tell a file that is too long, whatever
  // the file system says about its size (pipes and devices have none).
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

}  // namespace korvan
