#pragma once

// The service batch behind the "Servis" menu and `korvan batch`: the default set of every bike
// written into a folder of its own, one parameter file per bike named by its bike list entry, and
// a line-by-line comparison of those files with an earlier generation of them. Whoever keeps the
// bike model data runs both after changing a table, and reads in the report what moved.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "files/safe_file.h"
#include "image/parameter_image.h"
#include "image/word_map_state.h"
#include "model/default_set.h"

namespace korvan {

// Both folders lie under the current directory.
inline constexpr std::string_view kBatchNewDir = "./new_ign";
inline constexpr std::string_view kBatchOldDir = "./new_ign_old";
inline constexpr std::string_view kCompareReportName = "compare_all_new.txt";

// The report's fixed lines. The header line is followed by the bike's list entry; the two notes
// stand for a file of the old and of the new generation that could not be read.
inline constexpr std::string_view kCompareHeader =
    "------------------------------------------------------   ";
inline constexpr std::string_view kCompareOldMissing =
    "!!!!!!!!!soubor \"old\" se nepodarilo otevrit ";
inline constexpr std::string_view kCompareNewMissing =
    "!!!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!!!";
inline constexpr std::string_view kCompareLineMark = "....line:";

// The file of the bike at list index `list_index` (0..49) in `dir`: its entry text exactly as the
// list shows it, blanks included, then ".ign".
std::filesystem::path BatchFileOfListIndex(const std::filesystem::path& dir, int list_index);
// The same for a bike code (0..49).
std::filesystem::path BatchFileOfBikeCode(const std::filesystem::path& dir, int bike_code);

struct BatchFileWrite {
  int bike_code = 0;
  std::filesystem::path path;
  FileWriteResult write;
};

struct SaveAllNewResult {
  std::error_code directory_error;    // the folder could not be created (every file then fails)
  std::vector<BatchFileWrite> files;  // one per bike code, 0 to 49 in order
  int failures() const;
};

// Writes the default set of every bike code 0..49 into `dir` (created when missing). Each set is
// built in `image` over the one before it, as the station builds a new set over the one it holds:
// the code into byte 0, the whole default set, the consistency pass; then the file is written
// safely (a file that cannot be written is not left half-written, and the other bikes still are).
// `bike` and `word_maps` are the default set's companions of the image. All three are left with
// the last bike's set; a caller that keeps its own restores them.
SaveAllNewResult SaveAllNew(const std::filesystem::path& dir, ParameterImage& image,
                            BikeModelState& bike, WordMapState& word_maps);

// The lines of a text file, ended by CR LF, LF or CR as every reader of the station takes them;
// a last line without a line end counts, an empty last line after the final line end does not.
std::vector<std::string> SplitLines(std::string_view text);

// The report entries of one bike: for every line index below the smaller line count where the
// lines differ, the mark with the 1-based line number, the old line with every character equal
// to the new line's at the same column blanked, and the new line. CR LF after each line.
std::string CompareLines(std::vector<std::string> old_lines,
                         const std::vector<std::string>& new_lines);
// The same, appended to `out`; returns the number of entries.
int AppendLineEntries(std::string& out, std::vector<std::string> old_lines,
                      const std::vector<std::string>& new_lines);

struct CompareAllNewResult {
  std::filesystem::path report;  // new_dir / compare_all_new.txt
  FileWriteResult write;         // the report itself
  int missing_old = 0;           // bikes whose old file could not be read
  int missing_new = 0;           // bikes whose new file could not be read (old one read)
  int differing_lines = 0;       // "....line:" entries over all bikes
  bool ok() const { return write.ok(); }
};

// The whole report text for the files in the two folders, bike list order.
std::string FormatCompareReport(const std::filesystem::path& new_dir,
                                const std::filesystem::path& old_dir,
                                CompareAllNewResult* counts = nullptr);

// Compares every bike's file in `new_dir` with its namesake in `old_dir` and writes the report
// into `new_dir`, replacing an older report only once the new one is complete.
CompareAllNewResult CompareAllNew(const std::filesystem::path& new_dir,
                                  const std::filesystem::path& old_dir);

}  // namespace korvan
