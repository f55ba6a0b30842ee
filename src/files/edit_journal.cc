#include "files/edit_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/safe_file.h"

namespace korvan {
namespace {

constexpr std::uint32_t kMagic = 0x314A454B;  // "KEJ1" read little-endian
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kTrailerSize = 4;
// A record is a few KB; anything claiming far more is damage, not a record.
constexpr std::uint32_t kMaxPayload = 64 * 1024;
constexpr std::size_t kMaxJournalBytes = 64 * 1024 * 1024;

std::uint32_t Crc32(std::string_view bytes) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (char ch : bytes) crc = table[(crc ^ static_cast<std::uint8_t>(ch)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutU64(std::string& out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Reads little-endian numbers off the front of a byte string; fails once the bytes run out.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool Take(std::size_t n, std::string_view* out) {
    if (bytes_.size() < n) return false;
    *out = bytes_.substr(0, n);
    bytes_.remove_prefix(n);
    return true;
  }
  bool U64(std::uint64_t* v) {
    std::string_view b;
    if (!Take(8, &b)) return false;
    *v = 0;
    for (int i = 7; i >= 0; --i) *v = (*v << 8) | static_cast<std::uint8_t>(b[i]);
    return true;
  }
  bool U32(std::uint32_t* v) {
    std::uint64_t wide = 0;
    std::string_view b;
    if (!Take(4, &b)) return false;
    for (int i = 3; i >= 0; --i) wide = (wide << 8) | static_cast<std::uint8_t>(b[i]);
    *v = static_cast<std::uint32_t>(wide);
    return true;
  }
  std::size_t left() const { return bytes_.size(); }

 private:
  std::string_view bytes_;
};

// payload: u64 time | u32 page | 20 dirty flags | u32 label length | label | 2850 image bytes
std::string EncodePayload(const JournalState& s) {
  std::string p;
  p.reserve(8 + 4 + kBlockCount + 4 + s.file_label.size() + kImageSize);
  PutU64(p, static_cast<std::uint64_t>(s.time));
  PutU32(p, static_cast<std::uint32_t>(s.page));
  for (bool d : s.dirty) p.push_back(d ? 1 : 0);
  PutU32(p, static_cast<std::uint32_t>(s.file_label.size()));
  p += s.file_label;
  p.append(reinterpret_cast<const char*>(s.image.data()), s.image.size());
  return p;
}

bool DecodePayload(std::string_view payload, JournalState* s) {
  Reader r(payload);
  std::uint64_t time = 0;
  std::uint32_t page = 0, label_size = 0;
  std::string_view dirty, label, image;
  if (!r.U64(&time) || !r.U32(&page) || !r.Take(kBlockCount, &dirty) || !r.U32(&label_size) ||
      !r.Take(label_size, &label) || !r.Take(kImageSize, &image) || r.left() != 0) {
    return false;
  }
  s->time = static_cast<std::int64_t>(time);
  s->page = static_cast<int>(page);
  for (int b = 0; b < kBlockCount; ++b) s->dirty[static_cast<std::size_t>(b)] = dirty[b] != 0;
  s->file_label.assign(label);
  std::memcpy(s->image.data(), image.data(), kImageSize);
  return true;
}

}  // namespace

std::string EncodeJournalRecord(const JournalState& state) {
  const std::string payload = EncodePayload(state);
  std::string record;
  record.reserve(kHeaderSize + payload.size() + kTrailerSize);
  PutU32(record, kMagic);
  PutU32(record, static_cast<std::uint32_t>(payload.size()));
  record += payload;
  PutU32(record, Crc32(payload));
  return record;
}

std::optional<JournalContents> DecodeJournal(std::string_view bytes) {
  JournalContents contents;
  Reader r(bytes);
  while (r.left() > 0) {
    std::uint32_t magic = 0, size = 0, crc = 0;
    std::string_view payload;
    JournalState state;
    if (!r.U32(&magic) || magic != kMagic || !r.U32(&size) || size > kMaxPayload ||
        !r.Take(size, &payload) || !r.U32(&crc) || crc != Crc32(payload) ||
        !DecodePayload(payload, &state)) {
      contents.torn = true;
      break;
    }
    if (contents.count == 0) contents.first_time = state.time;
    ++contents.count;
    contents.last = std::move(state);
  }
  if (contents.count == 0) return std::nullopt;
  return contents;
}

EditJournal::~EditJournal() { Close(); }

void EditJournal::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool EditJournal::Append(const JournalState& state) {
  if (fd_ < 0) {
    // The first record of a run starts the file: whatever lay there (a leftover without one
    // complete record) would hide every record after it from the reader.
    const int truncate = records_ == 0 ? O_TRUNC : 0;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | truncate, 0600);
    if (fd_ < 0) return false;
  }
  const std::string record = EncodeJournalRecord(state);
  // A failed write cuts the file back here, so that the records after it stay readable.
  const off_t end = ::lseek(fd_, 0, SEEK_END);
  std::size_t done = 0;
  while (done < record.size()) {
    const ssize_t n = ::write(fd_, record.data() + done, record.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (end >= 0 && ::ftruncate(fd_, end) != 0) {
        // The reader stops at the torn record; nothing more can be done here.
      }
      Close();
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fdatasync(fd_) != 0) {
    Close();
    return false;
  }
  ++records_;
  return true;
}

void EditJournal::Clear() {
  Close();
  ::unlink(path_.c_str());
  records_ = 0;
}

void EditJournal::ClearWithAside() {
  Clear();
  for (int n = 1; n <= kMaxAside; ++n) ::unlink(AsidePath(n).c_str());
}

void EditJournal::SetAside() {
  Close();
  // The first free name; when all are taken, the last one is replaced.
  int n = 1;
  struct stat info {};
  while (n < kMaxAside && ::lstat(AsidePath(n).c_str(), &info) == 0) ++n;
  std::rename(path_.c_str(), AsidePath(n).c_str());
  records_ = 0;
}

bool EditJournal::Restart(const JournalState& state) {
  Close();
  ::unlink(path_.c_str());
  records_ = 0;
  return Append(state);
}

std::optional<JournalContents> EditJournal::ReadLeftOver() const {
  const FileReadResult read = ReadFileBounded(path_, kMaxJournalBytes);
  if (!read.ok()) return std::nullopt;
  return DecodeJournal(read.content);
}

}  // namespace korvan
