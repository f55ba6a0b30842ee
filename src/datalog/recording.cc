#include "datalog/recording.h"

#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/safe_file.h"

namespace korvan {
namespace {

void PutLe(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

std::uint64_t GetLe(std::string_view in, std::size_t at, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<std::uint8_t>(in[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

}  // namespace

MonitorInputs DecoderInputsOf(const RecordingHeader& header, const MonitorInputs& fallback) {
  return MonitorInputs{
      header.cylinders != 0 ? header.cylinders : fallback.cylinders,
      header.ignition_limiter != 0 ? header.ignition_limiter : fallback.ignition_limiter};
}

std::string EncodeRecordingHeader(const RecordingHeader& header) {
  std::string out(kRecordingMagic);
  PutLe(out, kRecordingVersion, 2);
  PutLe(out, kFrameSize, 2);
  PutLe(out, header.cylinders, 1);
  PutLe(out, header.ignition_limiter, 1);
  PutLe(out, 0, 2);
  PutLe(out, header.start_unix_ms, 8);
  return out;
}

std::string EncodeRecord(const RecordedFrame& frame) {
  std::string out;
  out.reserve(kRecordSize);
  PutLe(out, frame.time_ms, 4);
  out.append(reinterpret_cast<const char*>(frame.bytes.data()), frame.bytes.size());
  return out;
}

namespace {

// How far a later station's header can lie from ours and still be read as one.
constexpr std::uint64_t kLaterVersions = 16;
constexpr std::uint64_t kLargestLaterFrame = 1024;

// The header's checks and values; kNone when the bytes begin a recording this station reads.
MessageKey ParseHeader(std::string_view bytes, RecordingHeader& header) {
  if (bytes.size() < kRecordingHeaderSize ||
      bytes.substr(0, kRecordingMagic.size()) != kRecordingMagic) {
    return MessageKey::kMsgLogNotARecording;
  }
  // A later format may add to the header or the records; this station reads only its own. A
  // later station counts the version up by one and keeps a frame at least as large as ours:
  // anything else after the mark is damage, not a newer format.
  const std::uint64_t version = GetLe(bytes, 8, 2);
  const std::uint64_t frame_size = GetLe(bytes, 10, 2);
  if (version == kRecordingVersion && frame_size == kFrameSize) {
    // ours
  } else if (version > kRecordingVersion && version <= kRecordingVersion + kLaterVersions &&
             frame_size >= kFrameSize && frame_size <= kLargestLaterFrame) {
    return MessageKey::kMsgLogNewerFormat;
  } else {
    return MessageKey::kMsgLogDamagedHeader;
  }
  header.cylinders = static_cast<std::uint8_t>(GetLe(bytes, 12, 1));
  header.ignition_limiter = static_cast<std::uint8_t>(GetLe(bytes, 13, 1));
  header.start_unix_ms = GetLe(bytes, 16, 8);
  return MessageKey::kNone;
}

// Takes the whole records at the start of `bytes` into the recording; returns how many bytes
// they took (what is left is the beginning of a record still to come, or a cut one).
std::size_t TakeRecords(std::string_view bytes, Recording& r) {
  std::size_t at = 0;
  for (; at + kRecordSize <= bytes.size(); at += kRecordSize) {
    RecordedFrame f;
    f.time_ms = static_cast<std::uint32_t>(GetLe(bytes, at, 4));
    std::memcpy(f.bytes.data(), bytes.data() + at + 4, kFrameSize);
    if (!FrameCheckOk(f.bytes)) {
      ++r.damaged_records;
      continue;
    }
    r.frames.push_back(f);
  }
  return at;
}

}  // namespace

RecordingReadResult ParseRecording(std::string_view bytes) {
  RecordingReadResult result;
  Recording& r = result.recording;
  result.error = ParseHeader(bytes, r.header);
  if (!result.ok()) return result;
  const std::string_view body = bytes.substr(kRecordingHeaderSize);
  r.frames.reserve(body.size() / kRecordSize);
  r.torn_tail = TakeRecords(body, r) != body.size();
  return result;
}

RecordingReadResult ReadRecording(const std::string& path) {
  RecordingReadResult result;
  const auto failed = [&result](MessageKey key) {
    result.error = key;
    result.recording = Recording{};
    return std::move(result);
  };
  // A file the file system says is too large is refused before a byte of it is read.
  std::error_code error;
  std::uintmax_t size = 0;
  // A named pipe, a device or a folder is never read: a pipe would block until something
  // writes to it, a device may never end.
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    FileReadResult picked;
    picked.failure = FileReadFailure::kNotRegular;
    picked.kind =
        std::filesystem::is_directory(status) ? FileKind::kFolder
        : std::filesystem::is_fifo(status)    ? FileKind::kNamedPipe
        : std::filesystem::is_character_file(status) || std::filesystem::is_block_file(status)
            ? FileKind::kDevice
            : FileKind::kOther;
    return failed(ReadFailureReason(picked));
  }
  if (std::filesystem::is_regular_file(status)) {
    size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxRecordingBytes) return failed(MessageKey::kMsgLogTooLarge);
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return failed(MessageKey::kMsgFileOpenError);

  std::string header(kRecordingHeaderSize, '\0');
  in.read(header.data(), static_cast<std::streamsize>(header.size()));
  header.resize(static_cast<std::size_t>(in.gcount()));
  Recording& r = result.recording;
  if (const MessageKey key = ParseHeader(header, r.header); key != MessageKey::kNone) {
    return failed(key);
  }
  // The records are taken a block at a time: the frames are the only copy of the file held.
  if (size > kRecordingHeaderSize) r.frames.reserve((size - kRecordingHeaderSize) / kRecordSize);
  constexpr std::size_t kBlockRecords = 256;
  std::string block(kBlockRecords * kRecordSize, '\0');
  std::size_t held = 0;  // bytes of a record begun in the block before
  std::size_t total = kRecordingHeaderSize;
  while (in) {
    in.read(block.data() + held, static_cast<std::streamsize>(block.size() - held));
    const auto n = static_cast<std::size_t>(in.gcount());
    if (n == 0) break;
    // A pipe or a device has no size to check beforehand; it is refused once it passes the
    // bound.
    total += n;
    if (total > kMaxRecordingBytes) return failed(MessageKey::kMsgLogTooLarge);
    const std::size_t filled = held + n;
    const std::size_t taken = TakeRecords(std::string_view(block.data(), filled), r);
    held = filled - taken;
    std::memmove(block.data(), block.data() + taken, held);
  }
  if (in.bad()) return failed(MessageKey::kMsgFileOpenError);
  r.torn_tail = held != 0;
  return result;
}

std::string NewRecordingPath(const std::string& folder, std::int64_t unix_seconds) {
  const std::string name = RecordingFileName(unix_seconds);
  const std::string stem = name.substr(0, name.size() - kRecordingExtension.size());
  std::filesystem::path path = std::filesystem::path(folder) / name;
  for (int n = 2; std::filesystem::exists(path); ++n) {
    path = std::filesystem::path(folder) /
           (stem + "_" + std::to_string(n) + std::string(kRecordingExtension));
  }
  return path.string();
}

std::uint64_t WallClockMs() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::system_clock::now().time_since_epoch())
                                        .count());
}

std::string RecordingFileName(std::int64_t unix_seconds) {
  const std::time_t t = static_cast<std::time_t>(unix_seconds);
  std::tm local{};
  localtime_r(&t, &local);
  char name[40];
  std::strftime(name, sizeof name, "%Y-%m-%d_%H-%M-%S", &local);
  return std::string(name) + std::string(kRecordingExtension);
}

}  // namespace korvan
