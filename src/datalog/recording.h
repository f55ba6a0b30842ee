#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/message_key.h"
#include "link/link_frame.h"
#include "monitor/monitor_frame.h"

namespace korvan {

// A recording keeps every monitor frame the station accepted, raw, with the time it arrived, so
// that a replay decodes exactly what the live display decoded.
//
// File layout (all numbers little-endian):
//   header, 24 bytes: "KORVLOG" 0x1A, u16 format version (1), u16 frame length (152),
//                     u8 cylinders, u8 ignition limiter (the decoder's inputs as the parameter
//                     set held them when recording began), u16 reserved (0), u64 wall-clock
//                     start in ms since 1970
//   records, 156 bytes each: u32 ms since the start, the 152 frame bytes as received
// Records are appended and flushed one by one; a file cut anywhere still holds every record
// written before the cut.
inline constexpr std::string_view kRecordingMagic{"KORVLOG\x1A", 8};
inline constexpr std::uint16_t kRecordingVersion = 1;
inline constexpr std::size_t kRecordingHeaderSize = 24;
inline constexpr std::size_t kRecordSize = 4 + kFrameSize;
// Above this a file is refused unread: about 30 hours at the fastest live pace.
inline constexpr std::size_t kMaxRecordingBytes = 300u * 1024u * 1024u;

struct RecordingHeader {
  std::uint8_t cylinders = 0;
  std::uint8_t ignition_limiter = 0;
  std::uint64_t start_unix_ms = 0;
  friend bool operator==(const RecordingHeader&, const RecordingHeader&) = default;
};

// The decoder's inputs a recording's frames are decoded with: those of its header. A recording
// made before the header took them from the parameter set may hold 0 for either; that one is
// taken from `fallback` (the set on display), which is the best that is known then.
MonitorInputs DecoderInputsOf(const RecordingHeader& header, const MonitorInputs& fallback);

struct RecordedFrame {
  std::uint32_t time_ms = 0;  // since the recording began
  LinkFrame bytes{};
  friend bool operator==(const RecordedFrame&, const RecordedFrame&) = default;
};

struct Recording {
  RecordingHeader header;
  std::vector<RecordedFrame> frames;
  // A cut in the middle of the last record (power lost, cable pulled): the part is skipped.
  bool torn_tail = false;
  // Records whose frame fails its check byte: skipped, the next record is read as usual.
  std::size_t damaged_records = 0;
};

struct RecordingReadResult {
  // kNone when the file opened; else why not (the recording is then empty).
  MessageKey error = MessageKey::kNone;
  Recording recording;
  bool ok() const { return error == MessageKey::kNone; }
};

std::string EncodeRecordingHeader(const RecordingHeader& header);
std::string EncodeRecord(const RecordedFrame& frame);

// Reads a whole recording from its bytes, as the file holds them.
RecordingReadResult ParseRecording(std::string_view bytes);
RecordingReadResult ReadRecording(const std::string& path);

// A file name from the local date and time a recording begins: "2026-12-10_17-04-48.kvlog".
std::string RecordingFileName(std::int64_t unix_seconds);
inline constexpr std::string_view kRecordingExtension = ".kvlog";
// The first free path in the folder for a recording beginning then: the name from the date and
// time, with "_2", "_3" ... added when a recording of the same second is there.
std::string NewRecordingPath(const std::string& folder, std::int64_t unix_seconds);
// Now on the wall clock, ms since 1970: the header's start time.
std::uint64_t WallClockMs();

}  // namespace korvan
