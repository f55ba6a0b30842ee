#include "files/service_batch.h"

#include <algorithm>
#include <optional>

#include "files/parameter_file.h"
#include "files/parameter_set_check.h"
#include "image/consistency.h"
#include "image/field_dictionary.h"
#include "image/page_index.h"
#include "model/bike_list.h"

namespace korvan {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

// A file of either generation, as lines; nothing when it cannot be read. A parameter file is
// about 12 KB: one far larger is not one of the batch's files.
std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& path) {
  const FileReadResult file = ReadFileBounded(path, kMaxParameterFileBytes);
  if (!file.ok()) return std::nullopt;
  return SplitLines(file.content);
}

}  // namespace

std::filesystem::path BatchFileOfListIndex(const std::filesystem::path& dir, int list_index) {
  const std::vector<std::string> entries = BikeListEntries();
  return dir / (entries.at(static_cast<std::size_t>(list_index)) + ".ign");
}

std::filesystem::path BatchFileOfBikeCode(const std::filesystem::path& dir, int bike_code) {
  return BatchFileOfListIndex(dir, ListIndexOfBikeCode(bike_code));
}

int SaveAllNewResult::failures() const {
  return static_cast<int>(std::count_if(files.begin(), files.end(),
                                        [](const BatchFileWrite& f) { return !f.write.ok(); }));
}

SaveAllNewResult SaveAllNew(const std::filesystem::path& dir, ParameterImage& image,
                            BikeModelState& bike, WordMapState& word_maps) {
  SaveAllNewResult result;
  // An existing folder is no error; one that cannot be made shows in every file's write.
  std::filesystem::create_directories(dir, result.directory_error);
  // The settings the consistency pass keeps valid are the station's, not the batch's business.
  StationSettings settings{0, 0};
  for (int code = kFirstBikeCode; code <= kLastBikeCode; ++code) {
    image.SetByte(kBikeCodeOffset, static_cast<std::uint8_t>(code));
    // The whole set, whatever "New for actual page" or "Open for actual page" left behind: the
    // files are compared generation by generation and must not depend on the page last used.
    ApplyDefaultSet(image, false, kPageBike, bike, word_maps);
    ApplyConsistencyRules(image, settings);
    BatchFileWrite file;
    file.bike_code = code;
    file.path = BatchFileOfBikeCode(dir, code);
    file.write = SaveParameterFile(file.path, image);
    result.files.push_back(std::move(file));
  }
  return result;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    // One line end: CR, LF, or CR LF.
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string CompareLines(std::vector<std::string> old_lines,
                         const std::vector<std::string>& new_lines) {
  std::string out;
  AppendLineEntries(out, std::move(old_lines), new_lines);
  return out;
}

int AppendLineEntries(std::string& out, std::vector<std::string> old_lines,
                      const std::vector<std::string>& new_lines) {
  int entries = 0;
  // Lines only the longer file has are not compared.
  const std::size_t common = std::min(old_lines.size(), new_lines.size());
  for (std::size_t j = 0; j < common; ++j) {
    std::string& old_line = old_lines[j];
    const std::string& new_line = new_lines[j];
    if (old_line == new_line) continue;
    // What stays of the old line is what changed, each character at its own column.
    const std::size_t shorter = std::min(old_line.size(), new_line.size());
    for (std::size_t k = 0; k < shorter; ++k) {
      if (old_line[k] == new_line[k]) old_line[k] = ' ';
    }
    AppendLine(out, std::string(kCompareLineMark) + std::to_string(j + 1));
    AppendLine(out, old_line);
    AppendLine(out, new_line);
    ++entries;
  }
  return entries;
}

std::string FormatCompareReport(const std::filesystem::path& new_dir,
                                const std::filesystem::path& old_dir, CompareAllNewResult* counts) {
  CompareAllNewResult ignored;
  CompareAllNewResult& c = counts != nullptr ? *counts : ignored;
  const std::vector<std::string> entries = BikeListEntries();
  std::string out;
  for (int i = 0; i < kBikeListSeparator; ++i) {
    const std::string& name = entries[static_cast<std::size_t>(i)];
    AppendLine(out, std::string(kCompareHeader) + name);
    const std::optional<std::vector<std::string>> old_lines =
        ReadLines(BatchFileOfListIndex(old_dir, i));
    if (!old_lines) {
      AppendLine(out, kCompareOldMissing);
      ++c.missing_old;
      continue;
    }
    const std::optional<std::vector<std::string>> new_lines =
        ReadLines(BatchFileOfListIndex(new_dir, i));
    if (!new_lines) {
      AppendLine(out, kCompareNewMissing);
      ++c.missing_new;
      continue;
    }
    c.differing_lines += AppendLineEntries(out, *old_lines, *new_lines);
  }
  return out;
}

CompareAllNewResult CompareAllNew(const std::filesystem::path& new_dir,
                                  const std::filesystem::path& old_dir) {
  CompareAllNewResult result;
  result.report = new_dir / std::string(kCompareReportName);
  const std::string report = FormatCompareReport(new_dir, old_dir, &result);
  result.write = WriteFileSafely(result.report, report);
  return result;
}

}  // namespace korvan
