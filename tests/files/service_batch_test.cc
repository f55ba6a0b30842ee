// The service batch: every bike's default set into its own file, and the comparison of two
// generations of those files; also through `korvan batch`.
#include "files/service_batch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "command_run.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "file_text.h"
#include "files/parameter_file.h"
#include "files/parameter_set_check.h"
#include "model/bike_list.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

// Every file of a folder with its bytes.
class BatchTest : public ::testing::Test {
 protected:
  BatchTest() {
    dir_ = fs::path(::testing::TempDir()) /
           ("korvan_batch_" + std::to_string(getpid()) + "_" + std::to_string(counter_++));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~BatchTest() override { fs::remove_all(dir_); }

  fs::path NewDir() const { return dir_ / "new_ign"; }
  fs::path OldDir() const { return dir_ / "new_ign_old"; }

  // Both generations hold the same file for every bike.
  void SameFilesInBoth(const std::string& text = "VELMORAX_KEY    68 \r\nRPM   12    40 ") {
    fs::create_directories(NewDir());
    fs::create_directories(OldDir());
    for (const std::string& name : Names()) {
      WriteWhole(NewDir() / (name + ".ign"), text);
      WriteWhole(OldDir() / (name + ".ign"), text);
    }
  }

  static std::vector<std::string> Names() {
    std::vector<std::string> names = BikeListEntries();
    names.resize(kBikeListSeparator);
    return names;
  }

  // What the report holds for a bike whose two files are the same.
  static std::string Header(const std::string& name) {
    return std::string(kCompareHeader) + name + "\r\n";
  }

  fs::path dir_;

 private:
  static inline int counter_ = 0;
};

// --- Comparing lines ---------------------------------------------------------------------------

TEST(BatchLinesTest, SplitsAtLineEndsAsTheFilesAreWritten) {
  const struct {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a\r\nb", {"a", "b"}},          // the memo ends the file without a line end
      {"a\r\nb\r\n", {"a", "b"}},      // no empty line after the last line end
      {"a\r\n\r\nb", {"a", "", "b"}},  // an empty line inside counts
      {"a\nb\n", {"a", "b"}},          // LF alone ends a line too
      {"a\rb\r\n", {"a", "b"}},        // a lone CR ends a line as well
      {"a\n\rb", {"a", "", "b"}},      // LF then CR: two line ends
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitLines(c.text), c.lines);
  }
}

TEST(BatchLinesTest, ReportsDifferingLinesWithTheOldLinesSameCharactersBlanked) {
  const struct {
    const char* what;
    std::vector<std::string> old_lines, new_lines;
    std::string report;
  } cases[] = {
      {"identical", {"KEY", "RPM   12    40 "}, {"KEY", "RPM   12    40 "}, ""},
      // Only the 4 of 40 is left, at its column.
      {"the RPM example",
       {"KEY", "RPM   12    40 "},
       {"KEY", "RPM   12    60 "},
       "....line:2\r\n            4  \r\nRPM   12    60 \r\n"},
      {"a line only the new file has", {"KEY"}, {"KEY", "EXTRA 1 "}, ""},
      {"a line only the old file has", {"KEY", "EXTRA 1 "}, {"KEY"}, ""},
      // Beyond the shorter line nothing is blanked.
      {"lines of different lengths",
       {"AB", "TPS  10 2000"},
       {"AB", "TPS  11"},
       "....line:2\r\n      0 2000\r\nTPS  11\r\n"},
      {"new line longer", {"X1"}, {"X1 tail"}, "....line:1\r\n  \r\nX1 tail\r\n"},
      {"two entries, numbered from 1",
       {"a", "b", "c"},
       {"x", "b", "z"},
       "....line:1\r\na\r\nx\r\n....line:3\r\nc\r\nz\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CompareLines(c.old_lines, c.new_lines), c.report);
  }
}

// --- Compare All New ---------------------------------------------------------------------------

TEST_F(BatchTest, IdenticalFilesGiveOnlyTheHeaderLines) {
  SameFilesInBoth();
  const CompareAllNewResult result = CompareAllNew(NewDir(), OldDir());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.report, NewDir() / "compare_all_new.txt");
  std::string expected;
  for (const std::string& name : Names()) expected += Header(name);
  EXPECT_EQ(ReadWhole(result.report), expected);
  EXPECT_EQ(result.differing_lines, 0);
  EXPECT_EQ(result.missing_old, 0);
  EXPECT_EQ(result.missing_new, 0);
}

TEST_F(BatchTest, ReportNamesDifferencesAndMissingFilesPerBikeInListOrder) {
  SameFilesInBoth();
  const std::vector<std::string> names = Names();
  // Bike 0: a changed RPM line. Bike 1: an extra line at the end of the new file. Bike 2: no
  // old file. Bike 3: no new file. Bike 4: neither file (the old one is missed first).
  WriteWhole(NewDir() / (names[0] + ".ign"), "VELMORAX_KEY    68 \r\nRPM   12    60 ");
  WriteWhole(NewDir() / (names[1] + ".ign"), "VELMORAX_KEY    68 \r\nRPM   12    40 \r\nX");
  fs::remove(OldDir() / (names[2] + ".ign"));
  fs::remove(NewDir() / (names[3] + ".ign"));
  fs::remove(OldDir() / (names[4] + ".ign"));
  fs::remove(NewDir() / (names[4] + ".ign"));

  const CompareAllNewResult result = CompareAllNew(NewDir(), OldDir());
  ASSERT_TRUE(result.ok());
  std::string expected = Header(names[0]) + "....line:2\r\n            4  \r\nRPM   12    60 \r\n" +
                         Header(names[1]) + Header(names[2]) +
                         "!!!!!!!!!soubor \"old\" se nepodarilo otevrit \r\n" + Header(names[3]) +
                         "!!!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!!!\r\n" +
                         Header(names[4]) + "!!!!!!!!!soubor \"old\" se nepodarilo otevrit \r\n";
  for (std::size_t i = 5; i < names.size(); ++i) expected += Header(names[i]);
  EXPECT_EQ(ReadWhole(result.report), expected);
  EXPECT_EQ(result.differing_lines, 1);
  EXPECT_EQ(result.missing_old, 2);
  EXPECT_EQ(result.missing_new, 1);
}

TEST_F(BatchTest, ReportThatCannotBeWrittenLeavesTheOldReportAndSaysSo) {
  SameFilesInBoth();
  WriteWhole(NewDir() / "compare_all_new.txt", "earlier report");
  // A new folder that does not exist: the report is not created, and not the folder either.
  const CompareAllNewResult missing = CompareAllNew(dir_ / "no_such_folder", OldDir());
  EXPECT_FALSE(missing.ok());
  EXPECT_FALSE(fs::exists(dir_ / "no_such_folder"));
  // A report path taken by a folder: the rename fails, the folder stays.
  fs::remove(NewDir() / "compare_all_new.txt");
  fs::create_directories(NewDir() / "compare_all_new.txt" / "inside");
  const CompareAllNewResult blocked = CompareAllNew(NewDir(), OldDir());
  EXPECT_FALSE(blocked.ok());
  EXPECT_TRUE(fs::is_directory(NewDir() / "compare_all_new.txt" / "inside"));
}

// --- Save All New ------------------------------------------------------------------------------

TEST_F(BatchTest, WritesEveryBikesDefaultSetUnderItsListEntry) {
  ParameterImage image = StartParameterSet();
  BikeModelState bike;
  WordMapState word_maps;
  const SaveAllNewResult result = SaveAllNew(NewDir(), image, bike, word_maps);
  EXPECT_FALSE(result.directory_error);
  ASSERT_EQ(result.files.size(), 50u);
  EXPECT_EQ(result.failures(), 0);
  const std::map<std::string, std::string> files = FolderContents(NewDir());
  ASSERT_EQ(files.size(), 50u);
  // Each bike's set is New of that bike over the set before it, from the start set on.
  ParameterImage chain = StartParameterSet();
  for (int code = 0; code < 50; ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(result.files[static_cast<std::size_t>(code)].bike_code, code);
    // The name is the list entry exactly, blanks included.
    const std::string name = BikeListEntries()[static_cast<std::size_t>(ListIndexOfBikeCode(code))];
    ASSERT_EQ(files.count(name + ".ign"), 1u);
    const std::string& text = files.at(name + ".ign");
    ParameterImage read = StartParameterSet();
    const ParameterFileReadResult r = ReadParameterFile(text, read, {});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bike_code, code);
    chain = DefaultParameterSet(code, chain);
    EXPECT_TRUE(FormatParameterFile(chain) == text);
  }
  // A name with trailing blanks keeps them.
  EXPECT_EQ(files.count("Kawasaki  ZX6RR               03 .ign"), 1u);
}

TEST_F(BatchTest, RunningTwiceFromTheSameSetGivesIdenticalFiles) {
  const auto run = [&](const fs::path& dir) {
    ParameterImage image = StartParameterSet();
    BikeModelState bike;
    WordMapState word_maps;
    EXPECT_EQ(SaveAllNew(dir, image, bike, word_maps).failures(), 0);
    return FolderContents(dir);
  };
  const std::map<std::string, std::string> first = run(NewDir());
  // The second run replaces the files in place.
  EXPECT_EQ(run(NewDir()), first);
  // ...and the comparison of the two generations finds nothing.
  fs::rename(NewDir(), OldDir());
  run(NewDir());
  const CompareAllNewResult result = CompareAllNew(NewDir(), OldDir());
  EXPECT_EQ(result.differing_lines + result.missing_old + result.missing_new, 0);
}

TEST_F(BatchTest, AFileThatCannotBeWrittenFailsAloneAndLeavesNothingHalfWritten) {
  // The file of bike 11 is taken by a folder: that bike fails, every other one is written.
  const fs::path blocked = BatchFileOfBikeCode(NewDir(), 11);
  fs::create_directories(blocked / "keep");
  ParameterImage image = StartParameterSet();
  BikeModelState bike;
  WordMapState word_maps;
  const SaveAllNewResult result = SaveAllNew(NewDir(), image, bike, word_maps);
  EXPECT_EQ(result.failures(), 1);
  EXPECT_FALSE(result.files[11].write.ok());
  EXPECT_TRUE(fs::is_directory(blocked / "keep"));
  // 49 files and the folder, no temporary left behind.
  EXPECT_EQ(FolderContents(NewDir()).size(), 50u);
  for (const fs::directory_entry& e : fs::directory_iterator(NewDir())) {
    EXPECT_EQ(e.path().extension(), ".ign") << e.path();
  }
}

TEST_F(BatchTest, AFolderThatCannotBeMadeFailsEveryBike) {
  WriteWhole(NewDir(), "a file where the folder should be");
  ParameterImage image = StartParameterSet();
  BikeModelState bike;
  WordMapState word_maps;
  const SaveAllNewResult result = SaveAllNew(NewDir(), image, bike, word_maps);
  EXPECT_TRUE(result.directory_error);
  EXPECT_EQ(result.failures(), 50);
  EXPECT_EQ(ReadWhole(NewDir()), "a file where the folder should be");
}

// --- korvan batch ------------------------------------------------------------------------------

CommandRun RunKorvan(const std::vector<std::string>& args) {
  UnitEmulator unit;
  MemoryUnitPort port{unit};
  NoClock clock;
  return RunCommand(args, port, clock);
}

// Runs with the current directory set to a folder, as the window's batch does.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const fs::path& dir) : before_(fs::current_path()) {
    fs::current_path(dir);
  }
  ~CurrentDirectory() { fs::current_path(before_); }

 private:
  fs::path before_;
};

TEST_F(BatchTest, CommandLineSavesAndComparesInTheGivenFolders) {
  const CommandRun save = RunKorvan({"batch", "save-all", NewDir().string()});
  EXPECT_EQ(save.code, kExitOk) << save.err;
  EXPECT_NE(save.out.find("Saved 50 of 50 bikes"), std::string::npos) << save.out;
  EXPECT_EQ(FolderContents(NewDir()).size(), 50u);

  // Compared with a copy of itself: exit 0, and the report holds the header lines only.
  fs::copy(NewDir(), OldDir());
  const CommandRun same = RunKorvan({"batch", "compare", NewDir().string(), OldDir().string()});
  EXPECT_EQ(same.code, kExitOk) << same.err;
  EXPECT_NE(same.out.find("Results in file \"" +
                          (NewDir() / "compare_all_new.txt").generic_string() + "\""),
            std::string::npos)
      << same.out;
  EXPECT_EQ(SplitLines(ReadWhole(NewDir() / "compare_all_new.txt")).size(), 50u);

  // One changed line: exit 1, like verify when the unit differs.
  const fs::path changed = BatchFileOfBikeCode(OldDir(), 11);
  std::string text = ReadWhole(changed);
  text.replace(text.find("BIKE            11"), 18, "BIKE            12");
  WriteWhole(changed, text);
  const CommandRun differ = RunKorvan({"batch", "compare", NewDir().string(), OldDir().string()});
  EXPECT_EQ(differ.code, kExitRunFailed);
  EXPECT_NE(differ.out.find("1 differing line,"), std::string::npos) << differ.out;
}

TEST_F(BatchTest, CommandLineUsesTheStationsFoldersUnderTheCurrentDirectory) {
  const CurrentDirectory here(dir_);
  EXPECT_EQ(RunKorvan({"batch", "save-all"}).code, kExitOk);
  EXPECT_EQ(FolderContents("new_ign").size(), 50u);
  // No earlier generation: every old file is missing.
  const CommandRun compare = RunKorvan({"batch", "compare"});
  EXPECT_EQ(compare.code, kExitRunFailed);
  EXPECT_NE(compare.out.find("50 old files"), std::string::npos) << compare.out;
  EXPECT_NE(compare.out.find("\"./new_ign/compare_all_new.txt\""), std::string::npos)
      << compare.out;
}

TEST_F(BatchTest, CommandLineRefusesWrongUseAndReportsFilesItCannotWrite) {
  const struct {
    std::vector<std::string> args;
    int code;
  } cases[] = {
      {{"batch"}, kExitUsage},
      {{"batch", "convert"}, kExitUsage},
      {{"batch", "save-all", "a", "b"}, kExitUsage},
      {{"batch", "save-all", "--force"}, kExitUsage},
      {{"batch", "compare", "only_one"}, kExitUsage},
      {{"batch", "compare", "a", "b", "c"}, kExitUsage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.size() > 1 ? c.args[1] : "batch");
    const CommandRun run = RunKorvan(c.args);
    EXPECT_EQ(run.code, c.code);
    EXPECT_NE(run.err.find("usage:"), std::string::npos) << run.err;
  }
  // Every bike that cannot be written is named; the exit code is the one of a file problem.
  WriteWhole(dir_ / "blocked", "");
  const CommandRun save = RunKorvan({"batch", "save-all", (dir_ / "blocked").string()});
  EXPECT_EQ(save.code, kExitFile);
  EXPECT_NE(save.err.find("Open file error! \"" +
                          BatchFileOfBikeCode(dir_ / "blocked", 0).generic_string()),
            std::string::npos)
      << save.err;
  // A report that cannot be written.
  const CommandRun compare =
      RunKorvan({"batch", "compare", (dir_ / "missing").string(), (dir_ / "old").string()});
  EXPECT_EQ(compare.code, kExitFile);
  EXPECT_NE(compare.err.find("Cannot write the comparison report"), std::string::npos)
      << compare.err;
  // The help names both commands.
  const CommandRun help = RunKorvan({"--help"});
  EXPECT_NE(help.out.find("batch save-all [DIR]"), std::string::npos);
  EXPECT_NE(help.out.find("batch compare [NEW_DIR OLD_DIR]"), std::string::npos);
}

}  // namespace
}  // namespace korvan
