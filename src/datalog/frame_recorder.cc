#include "datalog/frame_recorder.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace korvan {

FrameRecorder::FrameRecorder()
    : clock_([] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
      }) {}

bool FrameRecorder::Start(const std::string& path, const RecordingHeader& header) {
  Stop();
  error_ = MessageKey::kNone;
  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  // "x": a recording never replaces another one.
  file_ = std::fopen(path.c_str(), "wbx");
  if (file_ == nullptr) {
    error_ = MessageKey::kMsgLogWriteFailed;
    return false;
  }
  const std::string head = EncodeRecordingHeader(header);
  if (std::fwrite(head.data(), 1, head.size(), file_) != head.size() || std::fflush(file_) != 0) {
    std::fclose(file_);
    file_ = nullptr;
    error_ = MessageKey::kMsgLogWriteFailed;
    return false;
  }
  path_ = path;
  frames_ = 0;
  start_ms_ = clock_();
  return true;
}

void FrameRecorder::Record(FrameView frame) {
  if (file_ == nullptr) return;
  RecordedFrame record;
  const std::int64_t elapsed = clock_() - start_ms_;
  record.time_ms = static_cast<std::uint32_t>(elapsed < 0 ? 0 : elapsed);
  std::copy(frame.begin(), frame.end(), record.bytes.begin());
  const std::string bytes = EncodeRecord(record);
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() ||
      std::fflush(file_) != 0) {
    Stop();
    error_ = MessageKey::kMsgLogWriteFailed;
    return;
  }
  ++frames_;
}

void FrameRecorder::Stop() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace korvan
