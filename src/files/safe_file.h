#pragma once

// Whole-file reads with a size bound, and writes that never destroy the old file first: the new
// content goes to a temporary file beside the target, is flushed to the disk, and only then
// renamed over the target. A failure at any step leaves the old file as it was.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/message_key.h"

namespace korvan {

enum class FileWriteStep : std::uint8_t {
  kNone,             // success
  kCreateTemporary,  // the temporary file beside the target could not be created
  kWrite,            // writing the content failed (disk full, I/O error)
  kSync,             // flushing the content to the disk failed
  kClose,
  kRename,  // the temporary file could not replace the target
};

struct FileWriteResult {
  FileWriteStep failed_step = FileWriteStep::kNone;
  int error_number = 0;  // errno of the failing call, 0 when unknown
  bool ok() const { return failed_step == FileWriteStep::kNone; }
};

FileWriteResult WriteFileSafely(const std::filesystem::path& target, std::string_view content);

// "create temporary", "write", ... for command-line reports; "" for kNone.
std::string_view FileWriteStepName(FileWriteStep step);

// Why a write failed, in words the user can act on, shown after "Open file error!"; kNone when
// there is nothing more to say. The safe write creates its temporary beside the target, so a
// folder that takes no new file fails even for a file the user may write (kMsgFolderReadOnly).
MessageKey WriteFailureReason(const FileWriteResult& result);

enum class FileReadFailure : std::uint8_t { kNone, kOpen, kRead, kTooLarge, kNotRegular };

// What a path names when it is not a regular file. Such a thing is never read: a named pipe
// blocks until something writes to it, a device may never end (/dev/zero) or act when read.
enum class FileKind : std::uint8_t { kRegular, kFolder, kNamedPipe, kDevice, kOther };

struct FileReadResult {
  FileReadFailure failure = FileReadFailure::kNone;
  FileKind kind = FileKind::kRegular;  // with kNotRegular: what was picked instead
  int error_number = 0;
  std::string content;  // empty unless ok()
  bool ok() const { return failure == FileReadFailure::kNone; }
};

// What was picked instead of a file (kMsgNotAFilePipe, ...); kNone for any other failure.
MessageKey ReadFailureReason(const FileReadResult& result);

// Reads the whole file in binary mode; a file longer than max_bytes is refused unread, and so is
// anything but a regular file (kNotRegular). Nothing here ever waits for a writer.
FileReadResult ReadFileBounded(const std::filesystem::path& path, std::size_t max_bytes);

}  // namespace korvan
