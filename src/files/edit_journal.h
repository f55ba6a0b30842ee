#pragma once

// The journal of unsaved edits: every change the station commits is appended to a file beside
// the settings and flushed to the disk before the edit counts as done, so that after a crash, a
// kill or a power cut the next start can bring the working set back as it was at the last edit.
//
// Each record holds the whole working set (the 2850 image bytes are small enough that a whole
// copy costs less than a diff and never depends on an earlier record being intact):
//   u32 magic "KEJ1" | u32 payload length | payload | u32 CRC-32 of the payload
// A record cut short or with a wrong check sum ends the journal: everything before it counts.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "image/parameter_image.h"

namespace korvan {

// What the window needs to show the working set as it was.
struct JournalState {
  std::int64_t time = 0;  // seconds since the epoch when the edit was made
  int page = 0;
  std::array<bool, kBlockCount> dirty{};
  std::string file_label;
  ParameterImage::Bytes image{};
};

// The complete records of a journal: how many, when the first and the last edit were made, and
// the state after the last one.
struct JournalContents {
  int count = 0;
  std::int64_t first_time = 0;
  bool torn = false;  // bytes after the last complete record were ignored
  JournalState last;
};

// One record as it lies in the file; DecodeJournal reads a sequence of them.
std::string EncodeJournalRecord(const JournalState& state);
// Nothing when not a single complete record is there.
std::optional<JournalContents> DecodeJournal(std::string_view bytes);

class EditJournal {
 public:
  explicit EditJournal(std::string path) : path_(std::move(path)) {}
  EditJournal(const EditJournal&) = delete;
  EditJournal& operator=(const EditJournal&) = delete;
  ~EditJournal();

  // Appends one record and flushes it to the disk. False when the file could not be opened,
  // written or flushed; the caller keeps editing either way.
  bool Append(const JournalState& state);
  // Removes the journal: the working set is safe elsewhere now (a clean exit, the unit).
  void Clear();
  // Removes the journal and one set aside: the set is in a file the user saved.
  void ClearWithAside();
  // The user declined to restore: the journal is renamed to the first free AsidePath and kept
  // until ClearWithAside; a journal declined in an earlier run is not written over.
  void SetAside();
  // Starts the journal afresh with one record (after a restore: the old one may end torn).
  bool Restart(const JournalState& state);

  // The journal a previous run left, if it holds a complete record.
  std::optional<JournalContents> ReadLeftOver() const;

  bool has_records() const { return records_ > 0; }
  const std::string& path() const { return path_; }
  // Where declined journals are kept: n = 1 gives "<journal>.declined", then ".declined2" ...
  std::string AsidePath(int n = 1) const {
    return path_ + ".declined" + (n == 1 ? "" : std::to_string(n));
  }
  static constexpr int kMaxAside = 99;

 private:
  void Close();

  std::string path_;
  int fd_ = -1;
  int records_ = 0;
};

}  // namespace korvan
