#include "files/edit_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

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

std::string_view MagicBytes() {
  static const std::string magic = [] {
    std::string m;
    PutU32(m, kMagic);
    return m;
  }();
  return magic;
}

enum class RecordRead { kOk, kCut, kDamaged };

// One record at the front of bytes. kCut: the bytes end inside a record that looks whole so far.
RecordRead ReadRecord(std::string_view bytes, JournalState* state, std::size_t* used) {
  if (bytes.size() < kHeaderSize) {
    return MagicBytes().substr(0, bytes.size()) == bytes.substr(0, 4) ? RecordRead::kCut
                                                                      : RecordRead::kDamaged;
  }
  Reader r(bytes);
  std::uint32_t magic = 0, size = 0, crc = 0;
  std::string_view payload;
  if (!r.U32(&magic) || magic != kMagic || !r.U32(&size) || size > kMaxPayload) {
    return RecordRead::kDamaged;
  }
  if (!r.Take(size, &payload) || !r.U32(&crc)) return RecordRead::kCut;
  if (crc != Crc32(payload) || !DecodePayload(payload, state)) return RecordRead::kDamaged;
  *used = bytes.size() - r.left();
  return RecordRead::kOk;
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
  std::size_t at = 0;
  // Where the run of bytes that no record could be read from began, and whether it began with a
  // record cut short (the last one of a run that ended while writing it) or with damage.
  std::optional<RecordRead> bad_run;
  while (at < bytes.size()) {
    JournalState state;
    std::size_t used = 0;
    const RecordRead read = ReadRecord(bytes.substr(at), &state, &used);
    if (read == RecordRead::kOk) {
      // Intact records after unreadable bytes: something in between was lost.
      if (bad_run) contents.damaged = true;
      bad_run.reset();
      if (contents.count == 0) contents.first_time = state.time;
      ++contents.count;
      contents.last = std::move(state);
      at += used;
      continue;
    }
    if (!bad_run) bad_run = read;
    // Every record starts with the magic: the next one after the damage may be intact.
    const std::size_t next = bytes.find(MagicBytes(), at + 1);
    if (next == std::string_view::npos) break;
    at = next;
  }
  if (bad_run) {
    contents.torn = true;
    if (*bad_run == RecordRead::kDamaged) contents.damaged = true;
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
    // On a first start nothing has made the settings folder yet; the journal must not wait for
    // the settings file to be written at the first clean exit.
    const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
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

bool EditJournal::SetAside() {
  Close();
  records_ = 0;
  // A hard link takes the first free name without ever replacing a file that has it; rename is
  // only the fallback for a file system without links, after the name was seen free.
  for (int n = 1;; ++n) {
    const std::string aside = AsidePath(n);
    if (::link(path_.c_str(), aside.c_str()) == 0) return ::unlink(path_.c_str()) == 0;
    if (errno == EEXIST) continue;
    struct stat info {};
    if (::lstat(aside.c_str(), &info) == 0) continue;
    return std::rename(path_.c_str(), aside.c_str()) == 0;
  }
}

std::vector<AsideJournal> EditJournal::ListAside() const {
  namespace fs = std::filesystem;
  // Each with its number: of two sets whose last changes fall in the same second, the one set
  // aside later comes first.
  std::vector<std::pair<AsideJournal, int>> found;
  const fs::path journal(path_);
  const fs::path folder = journal.parent_path().empty() ? fs::path(".") : journal.parent_path();
  const std::string prefix = journal.filename().string() + ".declined";
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string path = (journal.parent_path() / name).string();
    const FileReadResult read = ReadFileBounded(path, kMaxJournalBytes);
    if (!read.ok()) continue;
    if (std::optional<JournalContents> contents = DecodeJournal(read.content)) {
      found.push_back({{path, std::move(*contents)}, digits.empty() ? 1 : std::stoi(digits)});
    }
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    const std::int64_t ta = a.first.contents.last.time, tb = b.first.contents.last.time;
    return ta != tb ? ta > tb : a.second > b.second;
  });
  std::vector<AsideJournal> list;
  for (auto& entry : found) list.push_back(std::move(entry.first));
  return list;
}

bool EditJournal::RemoveAside(const std::string& path) {
  for (const AsideJournal& aside : ListAside()) {
    if (aside.path == path) return ::unlink(path.c_str()) == 0;
  }
  return false;
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
