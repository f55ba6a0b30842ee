#include "cli/map_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_folder_fixture.h"
#include "file_text.h"
#include "files/parameter_file.h"
#include "files/parameter_set_check.h"
#include "image/consistency.h"
#include "image/word_map_state.h"
#include "maps/grid_layout.h"
#include "model/base_tables.h"

namespace korvan {
namespace {

const std::vector<std::string> kMapNames{"advance", "inj-1a",       "inj-2a",
                                         "inj-3a",  "inj-4a",       "inj-b",
                                         "inj-iap", "intake-servo", "exhaust-servo"};

std::string FieldOf(const std::string& text, int line, int column) {
  std::size_t at = 0;
  for (int l = 1; l < line; ++l) at = text.find('\n', at) + 1;
  for (int c = 1; c < column; ++c) at = text.find(',', at) + 1;
  return text.substr(at, text.find_first_of(",\n", at) - at);
}

ParameterImage Consistent(ParameterImage image) {
  StationSettings settings{0, 0};
  ApplyConsistencyRules(image, settings);
  return image;
}

// A set worked on by hand: channels apart, times that lie between whole percentages, servo
// positions and pressures of its own.
ParameterImage WorkedSet(int bike, unsigned channel_mode) {
  ParameterImage image = NewParameterSetAsStation(bike);
  image.SetByte(kJetCouplingModeOffset, channel_mode);
  for (const MapStorage& m : kMapTable) {
    for (int cell = 0; cell < kMapCells; cell += 7) {
      const unsigned stored = StoredCell(image, m.id, cell);
      SetStoredCell(image, m.id, cell, m.word_cells ? stored + 3 + cell % 5 : (stored + cell) % 60);
    }
  }
  image.SetWord(kIapRowAxisWord + 4, image.Word(kIapRowAxisWord + 4) + 3);
  return Consistent(image);
}

class MapCommandTest : public CommandFolderTest {
 protected:
  void SetUp() override { MakeFolder("korvan_map_"); }

  std::string WriteSet(const char* name, const ParameterImage& image) {
    EXPECT_TRUE(SaveParameterFile(Path(name), image).ok());
    return Path(name);
  }

  // The map exported (shown values) from the file, as text.
  std::string Export(const std::string& file, const std::string& map) {
    const CommandRun run = Run({"map", "export", file, map});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    return run.out;
  }

  ParameterImage Load(const std::string& file) { return ReadParameterSetAsStation(file).image; }
};

TEST_F(MapCommandTest, ExportThenImportGivesTheSameFileForEveryMapOfSeveralBikes) {
  struct Set {
    const char* name;
    ParameterImage image;
  };
  std::vector<Set> sets;
  // Servos in mV and in percent, one channel (32), the bike without a step motor (47).
  for (int bike : {3, 7, 19, 26, 32, 47}) {
    sets.push_back({"default set", NewParameterSetAsStation(bike)});
  }
  sets.push_back({"channels apart", WorkedSet(19, kModeSeparate)});
  sets.push_back({"channels all equal", WorkedSet(7, kModeAllEqual)});
  sets.push_back({"channels coupled", WorkedSet(26, kModeCoupled)});
  for (const Set& set : sets) {
    const std::string file = WriteSet("set.ign", set.image);
    const std::string original = ReadWhole(file);
    for (const std::string& map : kMapNames) {
      for (bool stored : {false, true}) {
        SCOPED_TRACE(std::string(set.name) + ", bike " + std::to_string(set.image.Byte(0)) + ", " +
                     map + (stored ? " --stored" : ""));
        std::vector<std::string> export_args{"map", "export", file, map, "-o", Path("map.csv")};
        std::vector<std::string> import_args{"map",           "import", file,           map,
                                             Path("map.csv"), "-o",     Path("out.ign")};
        if (stored) {
          export_args.push_back("--stored");
          import_args.push_back("--stored");
        }
        ASSERT_EQ(Run(export_args).code, kExitOk);
        const CommandRun imported = Run(import_args);
        ASSERT_EQ(imported.code, kExitOk) << imported.err;
        EXPECT_EQ(ReadWhole(Path("out.ign")), original);
        EXPECT_NE(imported.out.find(": 0 cells and 0 axis points changed\n"), std::string::npos)
            << imported.out;
      }
    }
  }
  // Without -o the set is written back to FILE itself, safely and the same.
  const std::string file = WriteSet("own.ign", NewParameterSetAsStation(19));
  const std::string original = ReadWhole(file);
  WriteWhole(Path("map.csv"), Export(file, "inj-iap"));
  const CommandRun run = Run({"map", "import", file, "inj-iap", Path("map.csv")});
  EXPECT_EQ(run.code, kExitOk) << run.err;
  EXPECT_NE(run.out.find(file + ": nothing changed, the file is left as it was\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(ReadWhole(file), original);
}

TEST_F(MapCommandTest, ShownValuesAreStoredAsThePageStoresThemStoredOnesAsGiven) {
  ParameterImage image = NewParameterSetAsStation(7);
  image.SetByte(kExhaustServoPercentOffset, 0);  // mV
  const std::string file = WriteSet("set.ign", Consistent(image));
  image = Load(file);
  WordMapState state;
  ComputeBaseTimes(image, state);
  const unsigned base = state.BaseTime(WordMap::kInjIap)[CellIndex(1, 2)];

  // Row 1 is line 3, column 2 is field 4.
  WriteWhole(Path("iap.csv"), WithField(Export(file, "inj-iap"), 3, 4, "137"));
  WriteWhole(Path("servo.csv"), WithField(Export(file, "exhaust-servo"), 3, 4, "2040"));
  const std::string stored = Run({"map", "export", file, "inj-iap", "--stored"}).out;
  EXPECT_EQ(FieldOf(stored, 3, 4), std::to_string(image.Word(CellOffset(MapId::kInjIap, 1, 2))));
  WriteWhole(Path("stored.csv"), WithField(stored, 3, 4, "4321"));

  ASSERT_EQ(Run({"map", "import", file, "inj-iap", Path("iap.csv"), "-o", Path("a.ign")}).code,
            kExitOk);
  EXPECT_EQ(Load(Path("a.ign")).Word(CellOffset(MapId::kInjIap, 1, 2)), WordFromPercent(137, base));
  ASSERT_EQ(
      Run({"map", "import", file, "exhaust-servo", Path("servo.csv"), "-o", Path("b.ign")}).code,
      kExitOk);
  EXPECT_EQ(StoredCell(Load(Path("b.ign")), MapId::kExhaustServo, CellIndex(1, 2)), 102u);
  const CommandRun run =
      Run({"map", "import", file, "inj-iap", Path("stored.csv"), "--stored", "-o", Path("c.ign")});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(run.out.find("Inj. IAP: 1 cell and 0 axis points changed\n"), 0u) << run.out;
  EXPECT_EQ(Load(Path("c.ign")).Word(CellOffset(MapId::kInjIap, 1, 2)), 4321u);
  // Nothing else moved.
  ParameterImage expected = image;
  expected.SetWord(CellOffset(MapId::kInjIap, 1, 2), 4321);
  EXPECT_TRUE(DescribeImageChanges(expected, Load(Path("c.ign"))).empty());
}

TEST_F(MapCommandTest, AxesMustMatchUnlessTakenWithAxes) {
  const std::string file = WriteSet("set.ign", NewParameterSetAsStation(19));
  const ParameterImage image = Load(file);
  // The sixth engine speed one step higher, and the IAP map's fourth pressure.
  const int rpm = AxisRpm(image, MapId::kInjIap, 5) + 100;
  const int kpa = static_cast<int>(image.Word(kIapRowAxisWord + 3)) + 1;
  std::string csv = WithField(Export(file, "inj-iap"), 1, 7, std::to_string(rpm));
  WriteWhole(Path("rpm.csv"), csv);
  WriteWhole(Path("kpa.csv"), WithField(Export(file, "inj-iap"), 5, 1, std::to_string(kpa)));
  const auto before = FolderContents(dir_);
  for (const char* name : {"rpm.csv", "kpa.csv"}) {
    const CommandRun run = Run({"map", "import", file, "inj-iap", Path(name)});
    EXPECT_EQ(run.code, kExitFile);
    EXPECT_NE(run.err.find(std::string(name) == "rpm.csv" ? "line 1, column 7: engine speed"
                                                          : "line 5, column 1: pressure"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("--axes"), std::string::npos) << run.err;
  }
  EXPECT_EQ(FolderContents(dir_), before);

  ASSERT_EQ(Run({"map", "import", file, "inj-iap", Path("rpm.csv"), "--axes"}).code, kExitOk);
  EXPECT_EQ(AxisRpm(Load(file), MapId::kInjIap, 5), rpm);
  ASSERT_EQ(Run({"map", "import", file, "inj-iap", Path("kpa.csv"), "--axes"}).code, kExitOk);
  EXPECT_EQ(Load(file).Word(kIapRowAxisWord + 3), static_cast<unsigned>(kpa));

  // An engine speed below the one before it: the consistency rules put the axis in order again,
  // and say what they changed.
  WriteWhole(Path("low.csv"), WithField(Export(file, "advance"), 1, 4, "300"));
  const CommandRun run = Run({"map", "import", file, "advance", Path("low.csv"), "--axes"});
  EXPECT_EQ(run.code, kExitOk) << run.err;
  EXPECT_NE(run.out.find("Consistency rules changed"), std::string::npos) << run.out;
  const ParameterImage ordered = Load(file);
  EXPECT_GT(AxisRpm(ordered, MapId::kAdvance, 2), AxisRpm(ordered, MapId::kAdvance, 1));
}

TEST_F(MapCommandTest, ABadCsvIsRefusedWithItsLineAndColumnAndNothingIsWritten) {
  ParameterImage image = NewParameterSetAsStation(7);
  image.SetByte(kExhaustServoPercentOffset, 0);  // mV
  const std::string file = WriteSet("set.ign", Consistent(image));
  struct Case {
    const char* map;
    std::string csv;
    std::vector<std::string> options;
    const char* where;
    const char* why;
  };
  const std::string advance = Export(file, "advance");
  const std::string servo = Export(file, "exhaust-servo");
  const std::string inj2a = Export(file, "inj-2a");
  const std::string iap = Export(file, "inj-iap");
  const Case cases[] = {
      {"advance", WithField(advance, 4, 6, "x1"), {}, "line 4, column 6", "not a whole number"},
      {"advance", WithField(advance, 4, 6, "61"), {}, "line 4, column 6", "range 0..60"},
      {"advance", WithField(advance, 11, 16, "-1"), {}, "line 11, column 16", "range 0..60"},
      {"advance", WithField(advance, 2, 2, "256"), {"--stored"}, "line 2, column 2", "0..255"},
      {"exhaust-servo", WithField(servo, 6, 3, "2010"), {}, "line 6, column 3", "multiple of 20"},
      {"exhaust-servo", WithField(servo, 6, 3, "5020"), {}, "line 6, column 3", "0..5000"},
      {"inj-iap", WithField(iap, 2, 2, "1001"), {}, "line 2, column 2", "range 0..1000"},
      {"inj-iap", WithField(iap, 3, 2, "70000"), {"--stored"}, "line 3, column 2", "0..65535"},
      {"inj-iap", WithField(iap, 1, 3, "1050"), {"--axes"}, "line 1, column 3", "multiple of 100"},
      {"inj-iap", WithField(iap, 4, 1, "1001"), {"--axes"}, "line 4, column 1", "0..1000"},
      // The throttle rows are the page's own, with --axes too.
      {"advance", WithField(advance, 4, 1, "6"), {"--axes"}, "line 4, column 1", "throttle row"},
      // The default sets couple Inj-2A..4A to Inj-1A: the page takes no edit of them.
      {"inj-2a", WithField(inj2a, 5, 5, "1"), {}, "line 5, column 5", "Inj. 2 follows Inj. 1"},
      {"advance",
       advance.substr(0, advance.rfind('\n', advance.size() - 2) + 1),
       {},
       "line 11, column 1",
       "ends after 9 rows"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.map) + " " + c.where);
    WriteWhole(Path("in.csv"), c.csv);
    const auto before = FolderContents(dir_);
    for (const std::string& target : {file, Path("new.ign")}) {
      std::vector<std::string> args{"map", "import", file, c.map, Path("in.csv"), "-o", target};
      args.insert(args.end(), c.options.begin(), c.options.end());
      const CommandRun run = Run(args);
      EXPECT_EQ(run.code, kExitFile);
      EXPECT_NE(run.err.find(Path("in.csv") + ": " + c.where + ": "), std::string::npos) << run.err;
      EXPECT_NE(run.err.find(c.why), std::string::npos) << run.err;
      EXPECT_NE(run.err.find("korvan: " + target + " not written\n"), std::string::npos);
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(FolderContents(dir_), before);
    }
  }
}

TEST_F(MapCommandTest, ExitCodesAndUsageErrors) {
  const std::string file = WriteSet("set.ign", NewParameterSetAsStation(3));
  WriteWhole(Path("map.csv"), Export(file, "advance"));
  const std::string csv = Path("map.csv");
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* says;
  };
  const Case cases[] = {
      {{"map"}, kExitUsage, "map needs: export FILE MAP or import FILE MAP IN.csv"},
      {{"map", "show", file, "advance"}, kExitUsage, "map needs"},
      {{"map", "export", file}, kExitUsage, "map export needs FILE MAP"},
      {{"map", "export", file, "advance", "inj-b"}, kExitUsage, "map export needs FILE MAP"},
      {{"map", "import", file, "advance"}, kExitUsage, "map import needs FILE MAP IN.csv"},
      {{"map", "export", file, "ignition"}, kExitUsage, "unknown map ignition (one of advance,"},
      {{"map", "export", file, "advance", "--fast"}, kExitUsage, "unknown option --fast"},
      {{"map", "export", file, "advance", "--axes"}, kExitUsage, "--axes is for map import"},
      {{"map", "export", file, "advance", "-o"}, kExitUsage, "-o needs a value"},
      // An output over the input it is made from.
      {{"map", "export", file, "advance", "-o", file}, kExitUsage, "The output is the input"},
      {{"map", "import", file, "advance", csv, "-o", csv}, kExitUsage, "The output is the input"},
      {{"map", "export", Path("missing.ign"), "advance"}, kExitFile, "Open file error!"},
      {{"map", "import", file, "advance", Path("missing.csv")}, kExitFile, "Open file error!"},
      {{"map", "import", file, "advance", dir_.string()}, kExitFile, "Open file error!"},
      {{"map", "export", file, "Inj-B"}, kExitOk, ""},
      {{"map", "export", file, "advance", "-o", Path("out.csv")}, kExitOk, ""},
      {{"map", "import", file, "advance", csv}, kExitOk, ""},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    SCOPED_TRACE(line);
    const std::string before = ReadWhole(file);
    const CommandRun run = Run(c.args);
    EXPECT_EQ(run.code, c.code) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    if (c.code == kExitUsage && !std::string(c.says).starts_with("The output")) {
      EXPECT_NE(run.err.find("usage: korvan"), std::string::npos);
    }
    EXPECT_EQ(ReadWhole(file), before);
  }
  // The export to a file says so; to the standard output it is the CSV alone.
  EXPECT_EQ(ReadWhole(Path("out.csv")), Export(file, "advance"));
  EXPECT_EQ(Run({"map", "export", file, "advance", "-o", Path("out.csv")}).out,
            "Exported Advance to " + Path("out.csv") + "\n");
}

}  // namespace
}  // namespace korvan
