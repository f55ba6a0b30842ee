#include "datalog/recording.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <ctime>

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

RecordingReadResult ParseRecording(std::string_view bytes) {
  RecordingReadResult result;
  if (bytes.size() < kRecordingHeaderSize || bytes.substr(0, kRecordingMagic.size()) != kRecordingMagic) {
    result.error = MessageKey::kMsgLogNotARecording;
    return result;
  }
  // A later format may add to the header or the records; this station reads only its own.
  if (GetLe(bytes, 8, 2) != kRecordingVersion || GetLe(bytes, 10, 2) != kFrameSize) {
    result.error = MessageKey::kMsgLogNewerFormat;
    return result;
  }
  Recording& r = result.recording;
  r.header.cylinders = static_cast<std::uint8_t>(GetLe(bytes, 12, 1));
  r.header.ignition_limiter = static_cast<std::uint8_t>(GetLe(bytes, 13, 1));
  r.header.start_unix_ms = GetLe(bytes, 16, 8);
  const std::size_t body = bytes.size() - kRecordingHeaderSize;
  r.frames.reserve(body / kRecordSize);
  std::size_t at = kRecordingHeaderSize;
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
  r.torn_tail = at != bytes.size();
  return result;
}

RecordingReadResult ReadRecording(const std::string& path) {
  const FileReadResult file = ReadFileBounded(path, kMaxRecordingBytes);
  if (!file.ok()) {
    RecordingReadResult result;
    result.error = file.failure == FileReadFailure::kTooLarge     ? MessageKey::kMsgLogTooLarge
                   : file.failure == FileReadFailure::kNotRegular ? ReadFailureReason(file)
                                                                  : MessageKey::kMsgFileOpenError;
    return result;
  }
  return ParseRecording(file.content);
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
