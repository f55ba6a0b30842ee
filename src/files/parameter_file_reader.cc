#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "files/parameter_file.h"
#include "files/parameter_file_values.h"
#include "model/bike_data.h"

namespace korvan {
namespace {

using file_layout::Item;
using file_layout::ItemKind;
using file_layout::Section;

constexpr std::uint8_t kCoupled = 1;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// White-space separated words of the file, as views into it: nothing is copied, so a word of
// any length costs no buffer.
class Tokens {
 public:
  explicit Tokens(std::string_view input) : input_(input) {}

  std::optional<std::string_view> Peek() const {
    std::size_t begin = position_;
    while (begin < input_.size() && IsSpace(input_[begin])) ++begin;
    if (begin == input_.size()) return std::nullopt;
    std::size_t end = begin;
    while (end < input_.size() && !IsSpace(input_[end])) ++end;
    return input_.substr(begin, end - begin);
  }
  std::optional<std::string_view> Next() {
    std::optional<std::string_view> token = Peek();
    if (token) Consume(*token);
    return token;
  }
  // Moves past a token that Peek returned.
  void Consume(std::string_view token) {
    position_ = static_cast<std::size_t>(token.data() - input_.data()) + token.size();
  }

  std::string_view input() const { return input_; }
  std::size_t position() const { return position_; }
  void set_position(std::size_t position) { position_ = position; }

 private:
  std::string_view input_;
  std::size_t position_ = 0;
};

// An unsigned decimal number with an optional sign; a minus wraps it modulo 2^32, and so do too
// many digits. Anything else (including a word too long to be a token) is not a number.
std::optional<std::uint32_t> ParseNumber(std::string_view token) {
  if (token.empty() || token.size() > kMaxParameterFileToken) return std::nullopt;
  bool negative = false;
  if (token.front() == '-' || token.front() == '+') {
    negative = token.front() == '-';
    token.remove_prefix(1);
  }
  if (token.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : token) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
  }
  return negative ? 0u - value : value;
}

bool FindKeyLine(Tokens& tokens, ParameterFileReadResult& result) {
  while (std::optional<std::string_view> token = tokens.Next()) {
    if (*token != kParameterFileKey) continue;
    const std::optional<std::string_view> next = tokens.Peek();
    if (!next) break;
    const std::optional<std::uint32_t> version = ParseNumber(*next);
    if (!version) continue;  // that word may itself be the key word
    tokens.Consume(*next);
    result.version = *version;
    if (*version == kParameterFileVersion) return true;
  }
  return false;
}

// Applies the sections of one file to a working copy of the image.
class SectionReader {
 public:
  SectionReader(Tokens& tokens, ParameterImage& image, const ParameterFileReadOptions& options,
                ParameterFileReadResult& result)
      : tokens_(tokens), image_(image), options_(options), result_(result) {}

  void Handle(std::string_view token) {
    const std::optional<ParameterSection> id =
        token.size() <= kMaxParameterFileToken ? FindSection(token) : std::nullopt;
    if (!id) {
      if (token.size() > kMaxParameterFileToken) {
        ++result_.overlong_tokens;
      } else {
        ++result_.ignored_words;
      }
      return;
    }
    const Section& section = SectionLayout(*id);
    if (!Applies(section)) {
      result_.skipped.push_back(*id);
      return;
    }
    switch (*id) {
      case ParameterSection::kBike:
        ReadBike();
        return;
      case ParameterSection::kMemo:
        ReadMemo();
        result_.applied.push_back(*id);
        return;
      default:
        if (!ReadValues(section)) result_.incomplete.push_back(*id);
        result_.applied.push_back(*id);
        return;
    }
  }

 private:
  bool Applies(const Section& section) const {
    if (section.skipped_while_coupled && image_.Byte(kJetCouplingModeOffset) == kCoupled) {
      return false;
    }
    if (!options_.page_only) return true;
    return section.page != file_layout::kWholeFileOnly && section.page == options_.page_on_display;
  }

  // Takes the next word only when it is a number; any other word stays for the section loop, so
  // a section cut short never swallows the key of the next one.
  std::optional<std::uint32_t> NextNumber() {
    const std::optional<std::string_view> token = tokens_.Peek();
    if (!token) return std::nullopt;
    const std::optional<std::uint32_t> value = ParseNumber(*token);
    if (value) tokens_.Consume(*token);
    return value;
  }

  // The writer ends every line of values with a line end; a file whose last byte is a digit of a
  // section's values was cut there, and that value may have lost digits.
  bool AtCutEnd() const {
    const std::string_view in = tokens_.input();
    return tokens_.position() == in.size() && !in.empty() && !IsSpace(in.back());
  }

  // Values missing from a short section keep what the image held before.
  bool ReadValues(const Section& section) {
    for (const Item& item : section.items) {
      if (item.kind != ItemKind::kValues) continue;
      for (int i = 0; i < item.count; ++i) {
        const std::optional<std::uint32_t> value = NextNumber();
        if (!value) return false;
        StoreReadValue(image_, item, i, *value);
      }
    }
    return !AtCutEnd();
  }

  // The bike code selects the default set that every later section overwrites. Byte 0 keeps the
  // low eight bits of the value; a code of 50 or more (a file of another program version) takes
  // the default set's rules for bikes this station has no data of.
  void ReadBike() {
    const std::optional<std::uint32_t> value = NextNumber();
    if (!value) {
      result_.incomplete.push_back(ParameterSection::kBike);
      return;
    }
    const std::uint32_t code = *value & 0xFFu;
    image_.SetByte(0, code);
    if (options_.apply_defaults) options_.apply_defaults(image_);
    result_.bike_code = static_cast<int>(code);
    if (AtCutEnd()) result_.incomplete.push_back(ParameterSection::kBike);
    result_.applied.push_back(ParameterSection::kBike);
  }

  // The memo is raw text after the key line, not words. Only the blanks and the one line break
  // the writer puts after the key are skipped, so a memo that begins with blanks, an empty line
  // or digits comes back as it was saved. CR CR LF, which older writers made of a CR LF in the
  // memo, is taken as CR LF so that line ends do not grow with every save. Text beyond 149
  // characters belongs to the memo too and is dropped rather than read as sections.
  void ReadMemo() {
    const std::string_view in = tokens_.input();
    std::size_t p = tokens_.position();
    while (p < in.size() && (in[p] == ' ' || in[p] == '\t')) ++p;
    if (p + 1 < in.size() && in[p] == '\r' && in[p + 1] == '\n') {
      p += 2;
    } else if (p < in.size() && (in[p] == '\n' || in[p] == '\r')) {
      ++p;
    }
    int length = 0;
    while (p < in.size() && in[p] != '\0' && length < kMemoMaxLength) {
      if (in[p] == '\r' && p + 2 < in.size() && in[p + 1] == '\r' && in[p + 2] == '\n') {
        ++p;
        continue;
      }
      image_.SetByte(kMemoOffset + length, static_cast<unsigned char>(in[p]));
      ++length;
      ++p;
    }
    if (p < in.size() && in[p] != '\0') {
      result_.memo_truncated = true;
      while (p < in.size() && in[p] != '\0') ++p;
    }
    if (p < in.size()) ++p;  // the zero byte that ended the memo
    for (int k = kMemoOffset + length; k < kImageSize; ++k) image_.SetByte(k, 0);
    tokens_.set_position(p);
  }

  Tokens& tokens_;
  ParameterImage& image_;
  const ParameterFileReadOptions& options_;
  ParameterFileReadResult& result_;
};

void AppendSectionList(std::string& out, std::string_view title,
                       const std::vector<ParameterSection>& sections) {
  if (sections.empty()) return;
  out += title;
  for (ParameterSection section : sections) {
    out += ' ';
    out += SectionKeyword(section);
  }
  out += '\n';
}

}  // namespace

ParameterFileReadResult ReadParameterFile(std::string_view bytes, ParameterImage& image,
                                          const ParameterFileReadOptions& options) {
  ParameterFileReadResult result;
  if (bytes.size() > kMaxParameterFileBytes) {
    result.status = ParameterFileStatus::kTooLarge;
    result.message = MessageKey::kMsgFileOpenError;
    return result;
  }
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  Tokens tokens(bytes);
  if (!FindKeyLine(tokens, result)) {
    result.status = ParameterFileStatus::kVersionMismatch;
    result.message = MessageKey::kMsgFileVersionMismatch;
    return result;
  }
  ParameterImage work = image;
  SectionReader reader(tokens, work, options, result);
  while (std::optional<std::string_view> token = tokens.Next()) reader.Handle(*token);
  image = work;
  result.status = ParameterFileStatus::kApplied;
  result.message = MessageKey::kNone;
  return result;
}

ParameterFileReadResult OpenParameterFile(const std::filesystem::path& path, ParameterImage& image,
                                          const ParameterFileReadOptions& options) {
  FileReadResult file = ReadFileBounded(path, kMaxParameterFileBytes);
  if (!file.ok()) {
    ParameterFileReadResult result;
    result.status = file.failure == FileReadFailure::kTooLarge ? ParameterFileStatus::kTooLarge
                                                               : ParameterFileStatus::kOpenFailed;
    result.message = MessageKey::kMsgFileOpenError;
    result.error_number = file.error_number;
    result.reason = ReadFailureReason(file);
    return result;
  }
  return ReadParameterFile(file.content, image, options);
}

std::string DescribeReadResult(const ParameterFileReadResult& result) {
  std::string out;
  switch (result.status) {
    case ParameterFileStatus::kApplied:
      out += "applied";
      break;
    case ParameterFileStatus::kOpenFailed:
      out += result.reason != MessageKey::kNone ? "not a regular file: not read"
                                                : "cannot open or read the file";
      break;
    case ParameterFileStatus::kTooLarge:
      out += "file too large";
      break;
    case ParameterFileStatus::kVersionMismatch:
      out += "no key line with version " + std::to_string(kParameterFileVersion);
      break;
  }
  if (result.version) out += "; version " + std::to_string(*result.version);
  if (result.bike_code) out += "; bike " + std::to_string(*result.bike_code);
  if (result.bike_code && *result.bike_code >= kBikeCodeCount) {
    out += " (no bike of this station)";
  }
  out += '\n';
  AppendSectionList(out, "sections:", result.applied);
  AppendSectionList(out, "skipped:", result.skipped);
  AppendSectionList(out, "incomplete:", result.incomplete);
  if (result.ignored_words != 0) {
    out += "ignored words: " + std::to_string(result.ignored_words) + '\n';
  }
  if (result.overlong_tokens != 0) {
    out += "overlong words: " + std::to_string(result.overlong_tokens) + '\n';
  }
  if (result.memo_truncated) out += "memo cut to 149 characters\n";
  return out;
}

}  // namespace korvan
