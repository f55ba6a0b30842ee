#include "cli/set_files.h"

#include <vector>

#include "cli/command_line.h"
#include "cli/command_options.h"
#include "files/image_dump.h"
#include "files/parameter_set_check.h"
#include "files/safe_file.h"
#include "files/same_file.h"
#include "image/consistency.h"
#include "model/bike_data.h"
#include "texts/messages.h"

namespace korvan {

std::optional<ParameterImage> LoadSetForCommand(const std::string& path, bool dump, std::FILE* out,
                                                std::FILE* err) {
  return cli::LoadSetFile(path, dump, out, err);
}

namespace cli {
namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// What must not reach the unit unnoticed: a file cut short or damaged, a bike code the station
// has no data for.
struct SetWarnings {
  std::vector<ParameterSection> damaged;
  bool unknown_bike = false;
  bool any() const { return !damaged.empty() || unknown_bike; }
};

// Prints the warnings; true when the set may go on (nothing to warn about, or not `refuse`).
bool ReportSetWarnings(const std::string& path, const SetWarnings& w, bool refuse, std::FILE* err) {
  if (!w.damaged.empty()) {
    std::string sections;
    for (ParameterSection section : w.damaged) {
      if (!sections.empty()) sections += ", ";
      sections += SectionKeyword(section);
    }
    std::fprintf(err,
                 "%s: %s %s (values missing there and in the sections after a cut come from the "
                 "bike's default set)\n",
                 path.c_str(),
                 std::string(MessageText(MessageKey::kMsgFileDamaged, kLanguage)).c_str(),
                 sections.c_str());
  }
  if (w.unknown_bike) {
    std::fprintf(err, "%s: %s\n", path.c_str(),
                 std::string(MessageText(MessageKey::kMsgWrongProgramBike, kLanguage)).c_str());
  }
  if (!w.any() || !refuse) return true;
  std::fprintf(err, "korvan: %s not programmed; give --force to program it all the same\n",
               path.c_str());
  return false;
}

}  // namespace

void PrintFileError(std::FILE* err, MessageKey key, const std::string& path,
                    const std::string& detail) {
  std::fprintf(err, "%s %s\n", std::string(MessageText(key, kLanguage)).c_str(), path.c_str());
  if (!detail.empty()) std::fprintf(err, "korvan: %s: %s\n", path.c_str(), detail.c_str());
}

bool RefuseOutputOverInput(const std::string& input, const std::string& output, std::FILE* err) {
  if (input.empty() || output.empty() || !OutputIsInput(input, output)) return false;
  std::fprintf(err, "korvan: %s%s\n",
               std::string(MessageText(MessageKey::kMsgOutputIsInput, kLanguage)).c_str(),
               output.c_str());
  return true;
}

std::string ReadFailureDetail(const ParameterFileReadResult& result) {
  if (result.reason != MessageKey::kNone) return std::string(MessageText(result.reason, kLanguage));
  return FirstLine(DescribeReadResult(result));
}

std::optional<ParameterImage> ReadDumpFile(const std::string& path, std::FILE* err,
                                           ParameterImage* as_read) {
  const FileReadResult file = ReadFileBounded(path, 1 << 20);
  ParameterImage image;
  ToolModes modes{};
  if (!file.ok() || ParseImageDump(file.content, image, modes).image_bytes < kImageSize) {
    // A partial set must never reach the unit: refuse it whole.
    const MessageKey reason = ReadFailureReason(file);
    PrintFileError(err, MessageKey::kMsgFileOpenError, path,
                   file.ok()                     ? "not a whole image dump"
                   : reason != MessageKey::kNone ? std::string(MessageText(reason, kLanguage))
                                                 : "cannot open or read the file");
    return std::nullopt;
  }
  if (as_read != nullptr) *as_read = image;
  StationSettings settings{0, 0};
  ApplyConsistencyRules(image, settings);
  return image;
}

std::optional<ParameterImage> LoadSetFile(const std::string& path, bool dump, std::FILE* out,
                                          std::FILE* err, bool refuse,
                                          std::optional<ParameterImage>* whole_as_read) {
  if (dump) {
    std::optional<ParameterImage> image = ReadDumpFile(path, err);
    if (!image) return std::nullopt;
    const SetWarnings warnings{{}, image->Byte(kBikeCodeOffset) >= kBikeCodeCount};
    if (!ReportSetWarnings(path, warnings, refuse, err)) return std::nullopt;
    return image;
  }
  const StationFileRead read = ReadParameterSetAsStation(path);
  if (!read.result.ok()) {
    PrintFileError(err, read.result.message, path, ReadFailureDetail(read.result));
    return std::nullopt;
  }
  SetWarnings warnings;
  if (read.result.damaged()) warnings.damaged = read.result.incomplete;
  warnings.unknown_bike = read.image.Byte(kBikeCodeOffset) >= kBikeCodeCount;
  if (!ReportSetWarnings(path, warnings, refuse, err)) return std::nullopt;
  if (whole_as_read != nullptr && !read.result.damaged()) *whole_as_read = read.as_read;
  // What goes to the unit is the repaired set; say so when it differs from the file.
  const std::size_t changed = DescribeImageChanges(read.as_read, read.image).size();
  if (changed != 0) {
    std::fprintf(out, "%s: the consistency rules changed %zu value%s (korvan check lists them)\n",
                 path.c_str(), changed, changed == 1 ? "" : "s");
  }
  return read.image;
}

bool SaveSetFile(const std::string& path, bool dump, const ParameterImage& image, std::FILE* out,
                 std::FILE* err) {
  const FileWriteResult result = dump ? WriteFileSafely(path, FormatImageDump(image, ToolModes{}))
                                      : SaveParameterFile(path, image);
  if (!result.ok()) {
    const MessageKey reason = WriteFailureReason(result);
    PrintFileError(
        err, MessageKey::kMsgFileOpenError, path,
        reason != MessageKey::kNone
            ? std::string(MessageText(reason, kLanguage))
            : "cannot write (" + std::string(FileWriteStepName(result.failed_step)) + " failed)");
    return false;
  }
  std::fprintf(out, "Saved %s\n", path.c_str());
  return true;
}

}  // namespace cli
}  // namespace korvan
