#pragma once

// The parameter file: one complete parameter set as text (usually "*.ign"). A key line with the
// format version, then one section per group of fields, values in the units the pages show, and
// the memo last. The section layout is in files/parameter_file_layout.h.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/message_key.h"
#include "files/parameter_file_layout.h"
#include "files/safe_file.h"
#include "image/field_dictionary.h"
#include "image/parameter_image.h"

namespace korvan {

inline constexpr std::uint32_t kParameterFileVersion = 68;
inline constexpr std::string_view kParameterFileKey = "VELMORAX_KEY";
// A full file is about 12 KB; anything far beyond that is not a parameter file.
inline constexpr std::size_t kMaxParameterFileBytes = 1u << 20;
// Longer words are neither keys nor numbers.
inline constexpr std::size_t kMaxParameterFileToken = 279;

// --- Writing ---------------------------------------------------------------------------------

// The whole file as bytes: CR LF line ends, no line break after the memo.
std::string FormatParameterFile(const ParameterImage& image);

// Writes FormatParameterFile(image) to `path` without ever leaving a half-written file there.
// On failure the caller shows kMsgFileOpenError; the old file is untouched.
FileWriteResult SaveParameterFile(const std::filesystem::path& path, const ParameterImage& image);

// --- Reading ---------------------------------------------------------------------------------

struct ParameterFileReadOptions {
  // "Open for actual page": only the sections of page_on_display are applied.
  bool page_only = false;
  int page_on_display = 0;
  // Called on the image being filled right after BIKE has stored the file's bike code in byte 0;
  // expected to apply the whole default set of that bike. May be empty (then only byte 0 is set).
  std::function<void(ParameterImage&)> apply_defaults;
};

enum class ParameterFileStatus : std::uint8_t {
  kApplied,          // key line found; the image now holds the file's sections
  kOpenFailed,       // the file could not be opened or read
  kTooLarge,         // longer than kMaxParameterFileBytes; not read
  kVersionMismatch,  // no key line with version 68
};

struct ParameterFileReadResult {
  ParameterFileStatus status = ParameterFileStatus::kVersionMismatch;
  // The message the caller shows: kNone when applied, kMsgFileOpenError or kMsgFileVersionMismatch.
  MessageKey message = MessageKey::kMsgFileVersionMismatch;
  // The number after the last key word met before reading stopped (68 when applied).
  std::optional<std::uint32_t> version;
  std::vector<ParameterSection> applied;  // in file order; repeats included
  std::vector<ParameterSection> skipped;  // key met, but not for this page or channels coupled
  // A non-number or the end came before all values, or the file ends right after the last one
  // without the line end the writer puts there (a value cut short: 1360 read as 136).
  std::vector<ParameterSection> incomplete;
  std::optional<int> bike_code;  // the bike whose defaults BIKE applied (last one)
  int ignored_words = 0;         // unknown words and surplus numbers
  int overlong_tokens = 0;       // words longer than kMaxParameterFileToken
  bool memo_truncated = false;   // memo text beyond 149 characters was dropped
  int error_number = 0;          // errno when the file could not be read
  // With kOpenFailed: what was picked instead of a file (kMsgNotAFilePipe, ...), else kNone.
  MessageKey reason = MessageKey::kNone;

  bool ok() const { return status == ParameterFileStatus::kApplied; }
  // A file cut short or damaged: some sections it applied lack values, which keep what the set
  // held before (after BIKE, the bike's defaults), and so does every section after a cut.
  bool damaged() const { return ok() && !incomplete.empty(); }
};

// Reads a file's bytes into `image`. A UTF-8 byte-order mark at the start, as some editors save
// one, is not part of the first word. The image changes only when the key line is found; the
// sections are applied to a copy that replaces the image at the end.
ParameterFileReadResult ReadParameterFile(std::string_view bytes, ParameterImage& image,
                                          const ParameterFileReadOptions& options);

// Opens `path` (binary) and reads it as above; a file that cannot be read leaves the image as is.
ParameterFileReadResult OpenParameterFile(const std::filesystem::path& path, ParameterImage& image,
                                          const ParameterFileReadOptions& options);

// One-paragraph plain summary for the command line: status, version, bike, sections.
std::string DescribeReadResult(const ParameterFileReadResult& result);

}  // namespace korvan
