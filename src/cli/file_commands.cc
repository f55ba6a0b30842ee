#include "cli/file_commands.h"

#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/set_files.h"
#include "files/parameter_file.h"
#include "files/parameter_set_check.h"
#include "model/bike_data.h"

namespace korvan::cli {
namespace {

std::string SectionList(const std::vector<ParameterSection>& sections) {
  std::string text;
  for (ParameterSection section : sections) {
    if (!text.empty()) text += ' ';
    text += SectionKeyword(section);
  }
  return text;
}

}  // namespace

int RunDefaults(const Options& o, std::FILE* out, std::FILE* err) {
  const std::optional<long> bike = ParseCount(o.bike);
  if (o.bike.empty() || !bike || *bike < kFirstBikeCode || *bike > kLastBikeCode) {
    std::fprintf(err, "korvan: defaults needs --bike N with N from %d to %d\n%s", kFirstBikeCode,
                 kLastBikeCode, kCommandLineUsage);
    return kExitUsage;
  }
  if (o.output.empty() || !o.file.empty()) {
    std::fprintf(err, "korvan: defaults needs -o FILE (and no other file)\n%s", kCommandLineUsage);
    return kExitUsage;
  }
  // The same file the window writes after New for this bike.
  return SaveSetFile(o.output, o.dump, NewParameterSetAsStation(static_cast<int>(*bike)), out, err)
             ? kExitOk
             : kExitFile;
}

int RunCheck(const Options& o, std::FILE* out, std::FILE* err) {
  if (o.file.empty()) {
    std::fprintf(err, "korvan: check needs a file\n%s", kCommandLineUsage);
    return kExitUsage;
  }
  if (o.dump) {
    ParameterImage as_read;
    const std::optional<ParameterImage> image = ReadDumpFile(o.file, err, &as_read);
    if (!image) return kExitFile;
    std::fprintf(out, "File: %s (image dump)\nBike: %u\n%s", o.file.c_str(), as_read.Byte(0),
                 FormatImageChanges(DescribeImageChanges(as_read, *image)).c_str());
    return kExitOk;
  }
  const StationFileRead read = ReadParameterSetAsStation(o.file);
  const ParameterFileReadResult& r = read.result;
  if (!r.ok()) {
    PrintFileError(err, r.message, o.file, ReadFailureDetail(r));
    return kExitFile;
  }
  std::string report = "File: " + o.file + "\n";
  report += "Key: " + std::string(kParameterFileKey) + " " + std::to_string(*r.version) + "\n";
  report += "Sections applied: " + SectionList(r.applied) + "\n";
  if (!r.skipped.empty()) report += "Sections skipped: " + SectionList(r.skipped) + "\n";
  if (!r.incomplete.empty()) report += "Sections incomplete: " + SectionList(r.incomplete) + "\n";
  report += "Bike: " + std::to_string(read.image.Byte(kBikeCodeOffset));
  if (!r.bike_code) {
    report += " (no BIKE section: the rest comes from the start set)";
  } else if (*r.bike_code >= kBikeCodeCount) {
    report +=
        " (not a bike of this station: bike data of the set it replaced are kept where the bike "
        "has none of its own)";
  }
  report += "\n";
  if (r.ignored_words != 0) report += "Ignored words: " + std::to_string(r.ignored_words) + "\n";
  if (r.overlong_tokens != 0) {
    report += "Overlong words: " + std::to_string(r.overlong_tokens) + "\n";
  }
  if (r.memo_truncated) report += "Memo cut to 149 characters\n";
  report += FormatImageChanges(DescribeImageChanges(read.as_read, read.image));
  std::fputs(report.c_str(), out);
  return kExitOk;
}

}  // namespace korvan::cli
