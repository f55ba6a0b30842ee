#pragma once

// The journal of unsaved edits: every change the station commits is appended to a file beside
// the settings and flushed to the disk before the edit counts as done, so that after a crash, a
// kill or a power cut the next start can bring the working set back as it was at the last edit.
//
// Each record holds the whole working set (the 2850 image bytes are small enough that a whole
// copy costs less than a diff and never depends on an earlier record being intact):
//   u32 magic "KEJ1" | u32 payload length | payload | u32 CRC-32 of the payload
// A damaged record costs only itself: the reader looks for the next magic after it and goes on,
// so the newest intact record is what comes back. A record cut short at the end is the one being
// written when the run ended; its edit had not returned yet, so nothing the user saw is lost.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The intact records of a journal: how many, when the first and the last change were made, and
// the state after the last one.
struct JournalContents {
  int count = 0;
  std::int64_t first_time = 0;
  bool torn = false;  // bytes after the last intact record were ignored
  // Records were lost to damage (not just one cut short at the end): the state offered may be
  // older than the last change the user made.
  bool damaged = false;
  JournalState last;
};

// One record as it lies in the file; DecodeJournal reads a sequence of them.
std::string EncodeJournalRecord(const JournalState& state);
// Nothing when not a single intact record is there.
std::optional<JournalContents> DecodeJournal(std::string_view bytes);

// A journal the user declined to restore, kept until the user deletes it.
struct AsideJournal {
  std::string path;
  JournalContents contents;
};

class EditJournal {
 public:
  explicit EditJournal(std::string path) : path_(std::move(path)) {}
  EditJournal(const EditJournal&) = delete;
  EditJournal& operator=(const EditJournal&) = delete;
  ~EditJournal();

  // Appends one record and flushes it to the disk. False when the file could not be opened,
  // written or flushed; the caller keeps editing either way.
  bool Append(const JournalState& state);
  // Removes this run's journal: the working set is safe elsewhere now (a file, a clean exit, the
  // unit). Journals set aside are left alone.
  void Clear();
  // The user declined to restore: the journal is renamed to the first free AsidePath and kept
  // until the user deletes it; a journal set aside earlier is never written over. False when it
  // could not be moved (it then stays where it is and is offered again at the next start).
  bool SetAside();
  // The journals set aside that hold an intact record, the newest last change first.
  std::vector<AsideJournal> ListAside() const;
  // Deletes one journal set aside, on the user's word; only a path ListAside gave is taken.
  bool RemoveAside(const std::string& path);
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

 private:
  void Close();

  std::string path_;
  int fd_ = -1;
  int records_ = 0;
};

}  // namespace korvan
