// The built programs against each other: korvan-unit on a pseudo-terminal, korvan through the
// real serial code.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "child_process.h"
#include "file_text.h"

namespace {

using korvan::BinDir;
using korvan::ChildProcess;
using korvan::ReadWhole;
using korvan::WriteWhole;

// A running korvan-unit on the device it names first; stopped when the object goes.
class Unit {
 public:
  explicit Unit(const std::vector<std::string>& options) : process_(Arguments(options)) {
    path_ = process_.ReadLine().value_or("");
  }
  void Stop() { process_.Stop(); }
  const std::string& path() const { return path_; }

 private:
  static std::vector<std::string> Arguments(const std::vector<std::string>& options) {
    std::vector<std::string> args{BinDir() + "/korvan-unit"};
    args.insert(args.end(), options.begin(), options.end());
    return args;
  }

  ChildProcess process_;
  std::string path_;
};

struct RunResult {
  int exit_code;
  std::string output;
};

RunResult Korvan(const std::string& args, const std::string& environment = "") {
  const std::string command = environment + " " + BinDir() + "/korvan " + args + " 2>&1";
  RunResult run{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string TempPath(const char* name) {
  return ::testing::TempDir() + "/korvan_e2e_" + std::to_string(getpid()) + "_" + name;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Replaces the values of one section line ("JET1_MISC    " up to its line end) in a saved file.
std::string WithSectionLine(std::string file, const std::string& key_field,
                            const std::string& values) {
  const std::size_t start = file.find("\r\n" + key_field);
  if (start == std::string::npos) return file;
  const std::size_t values_start = start + 2 + key_field.size();
  const std::size_t end = file.find("\r\n", values_start);
  return file.replace(values_start, end - values_start, values);
}

TEST(CommandLineEndToEnd, ReadVerifiesAndSavesWhatTheUnitHolds) {
  Unit unit({});
  ASSERT_FALSE(unit.path().empty());
  const std::string set = TempPath("read.ign");
  const RunResult run = Korvan("read --port " + unit.path() + " -o " + set);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  const std::size_t read = run.output.find("Read:");
  const std::size_t chained = run.output.find("Verify::");
  const std::size_t ok = run.output.find("Verify: OK");
  ASSERT_NE(read, std::string::npos) << run.output;
  EXPECT_LT(read, chained);
  EXPECT_LT(chained, ok);
  EXPECT_TRUE(Contains(run.output, "Unit: KVN07  14. 3.2007  09:05"));
  EXPECT_TRUE(Contains(run.output, "20/20"));

  EXPECT_EQ(ReadWhole(set).rfind("VELMORAX_KEY    68 \r\n", 0), 0u) << "not a parameter file";

  const RunResult verify = Korvan("verify --port " + unit.path() + " " + set);
  EXPECT_EQ(verify.exit_code, 0) << verify.output;
  EXPECT_TRUE(Contains(verify.output, "Verify: OK"));
  std::remove(set.c_str());
}

// The image dump stays available for a whole-image copy, both ways.
TEST(CommandLineEndToEnd, DumpOptionReadsAndVerifiesTheImageDump) {
  Unit unit({});
  const std::string dump = TempPath("read.dump");
  const RunResult run = Korvan("read --dump --port " + unit.path() + " -o " + dump);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(std::atoi(ReadWhole(dump).c_str()), 11) << "not an image dump of bike 11";
  const RunResult verify = Korvan("verify --dump --port " + unit.path() + " " + dump);
  EXPECT_EQ(verify.exit_code, 0) << verify.output;
  EXPECT_TRUE(Contains(verify.output, "Verify: OK"));
  // Without --dump the same file is no parameter file and never reaches the unit.
  const RunResult as_set = Korvan("verify --port " + unit.path() + " " + dump);
  EXPECT_EQ(as_set.exit_code, 3) << as_set.output;
  EXPECT_TRUE(Contains(as_set.output, "Unmatched version of *.ign file!")) << as_set.output;
  EXPECT_FALSE(Contains(as_set.output, "Verify")) << as_set.output;
  std::remove(dump.c_str());
}

// A changed parameter file goes into the unit and comes back out of it unchanged.
TEST(CommandLineEndToEnd, ProgramWritesAParameterFileThatReadsBackTheSame) {
  Unit unit({});
  const std::string set = TempPath("program.ign");
  const std::string back = TempPath("back.ign");
  ASSERT_EQ(Korvan("read --port " + unit.path() + " -o " + set).exit_code, 0);
  // TPS 10..60 % and 2500..9000 rpm for the 1A channel instead of the defaults.
  const std::string changed =
      WithSectionLine(ReadWhole(set), "JET1_MISC    ", "    1    10    60  2500  9000 ");
  ASSERT_NE(changed, ReadWhole(set));
  WriteWhole(set, changed);

  const RunResult run = Korvan("program --port " + unit.path() + " " + set);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(Contains(run.output, "Program device:"));
  EXPECT_TRUE(Contains(run.output, "Verify::"));
  EXPECT_TRUE(Contains(run.output, "Saving:"));
  EXPECT_TRUE(Contains(run.output, "Program device: OK"));

  ASSERT_EQ(Korvan("read --port " + unit.path() + " -o " + back).exit_code, 0);
  EXPECT_TRUE(ReadWhole(back) == changed) << "the unit does not hold the programmed file";
  std::remove(set.c_str());
  std::remove(back.c_str());
}

// What the real line and real time add to the session's fault handling: time-outs and late
// replies on the steady clock, noise and damaged frames through the tty, the unit's refusals.
// The emulator builds its faulty replies the same way in memory and on the pseudo-terminal, so
// faults the session judges on a whole reply alone (a bad check byte, a wrong reply code) and
// programming a unit that forbids reading are left to the link tests, which run them in memory
// (FaultSwitchesGiveTheirOutcome, UnitThatForbidsReadingRefusesReadsButTakesPrograms).
TEST(CommandLineEndToEnd, EachFaultOfTheUnitGivesItsOutcome) {
  struct Case {
    std::vector<std::string> fault;
    const char* command;
    int exit_code;
    const char* text;
  };
  const Case cases[] = {
      {{"--silent"}, "read", 1, "Read error!"},
      {{"--version", "69"},
       "read",
       1,
       "Unmatched version of PC and Ignition programs!  PC-68, IGN-69"},
      {{"--no-reading"}, "read", 1, "No reading!"},
      {{"--stray", "7"}, "read", 0, "Verify: OK"},
      {{"--late", "2"}, "read", 0, "Verify: OK"},
      {{"--corrupt-every", "4"}, "read", 0, "Verify: OK"},
      {{"--mismatch-block", "7"}, "program", 1, "Program error!"},
  };
  // A set to program: what a healthy unit holds.
  const std::string dump = TempPath("fault.ign");
  {
    Unit healthy({});
    ASSERT_EQ(Korvan("read --port " + healthy.path() + " -o " + dump).exit_code, 0);
  }
  for (const Case& c : cases) {
    Unit unit(c.fault);
    const std::string args = std::string(c.command) + " --port " + unit.path() +
                             (std::string(c.command) == "program" ? " " + dump : "");
    const RunResult run = Korvan(args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.fault[0] << "\n" << run.output;
    EXPECT_TRUE(Contains(run.output, c.text)) << c.fault[0] << "\n" << run.output;
  }
  std::remove(dump.c_str());
}

TEST(CommandLineEndToEnd, MonitorPrintsLiveValuesAndNoticesASilentUnit) {
  Unit unit({});
  const RunResult run = Korvan("monitor --frames 2 --port " + unit.path());
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(Contains(run.output, "rpm ")) << run.output;
  EXPECT_TRUE(Contains(run.output, "ver 68"));

  Unit silent({"--silent"});
  const RunResult quiet = Korvan("monitor --ticks 10 --port " + silent.path());
  EXPECT_TRUE(Contains(quiet.output, "No connection with PC")) << quiet.output;
}

TEST(CommandLineEndToEnd, MissingDeviceAndBadFilesAreReportedPlainly) {
  const RunResult missing = Korvan("read --port /dev/korvan-no-such-device");
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_TRUE(Contains(missing.output, "Com opening error!")) << missing.output;

  const std::string broken = TempPath("broken.dump");
  FILE* f = std::fopen(broken.c_str(), "w");
  std::fputs("1 2 3 four\n", f);
  std::fclose(f);
  const RunResult bad = Korvan("program --dump --port /dev/null " + broken);
  EXPECT_EQ(bad.exit_code, 3);
  EXPECT_TRUE(Contains(bad.output, "Open file error!")) << bad.output;
  std::remove(broken.c_str());

  const RunResult usage = Korvan("fly");
  EXPECT_EQ(usage.exit_code, 2);
  EXPECT_TRUE(Contains(usage.output, "usage: korvan"));
}

// A port that will not open is named by the device behind it, not only by its number.
TEST(CommandLineEndToEnd, OpenFailureNamesTheDevice) {
  const std::string config = TempPath("config");
  mkdir(config.c_str(), 0700);
  struct Case {
    const char* port;
    const char* shown;
  };
  const Case cases[] = {
      {"5", "Com 5 \u2014 /dev/ttyUSB4: no such device"},
      {"\"Com 12\"", "Com 12 \u2014 /dev/ttyACM1: no such device"},
      {"/dev/korvan-no-such-device", "\n/dev/korvan-no-such-device: no such device"},
  };
  for (const Case& c : cases) {
    const RunResult run =
        Korvan("read --port " + std::string(c.port), "KORVAN_CONFIG_DIR=" + config);
    EXPECT_EQ(run.exit_code, 1) << c.port;
    EXPECT_TRUE(Contains(run.output, c.shown)) << run.output;
  }
  rmdir(config.c_str());
}

// Programming beside a running monitor: the second korvan finds the line taken, names the
// monitor's process, and leaves the unit as it was.
TEST(CommandLineEndToEnd, ASecondKorvanKeepsOffTheLineTheFirstHolds) {
  Unit unit({});
  const std::string before = TempPath("line_before.ign");
  const std::string set = TempPath("line_set.ign");
  const std::string after = TempPath("line_after.ign");
  ASSERT_EQ(Korvan("read --port " + unit.path() + " -o " + before).exit_code, 0);
  WriteWhole(set,
             WithSectionLine(ReadWhole(before), "JET1_MISC    ", "    1    10    60  2500  9000 "));
  {
    ChildProcess monitor(
        {BinDir() + "/korvan", "monitor", "--frames", "100000", "--port", unit.path()});
    ASSERT_TRUE(monitor.ReadLine().has_value()) << "the monitor shows live values";
    for (const char* command : {"program", "verify", "read"}) {
      const RunResult run = Korvan(std::string(command) + " --port " + unit.path() + " " +
                                   (std::string(command) == "read" ? "-o " + after : set));
      EXPECT_EQ(run.exit_code, 1) << command << "\n" << run.output;
      EXPECT_TRUE(Contains(run.output, "port busy: another program is using it")) << run.output;
      EXPECT_TRUE(
          Contains(run.output, "held by process " + std::to_string(monitor.pid()) + " (korvan)"))
          << run.output;
      EXPECT_FALSE(Contains(run.output, "Program device:")) << run.output;
    }
  }
  ASSERT_EQ(Korvan("read --port " + unit.path() + " -o " + after).exit_code, 0)
      << "the line is free again once the monitor has ended";
  EXPECT_TRUE(ReadWhole(after) == ReadWhole(before)) << "the unit was changed";
  for (const std::string& f : {before, set, after}) std::remove(f.c_str());
}

TEST(CommandLineEndToEnd, DefaultsSavesASetThatCheckFindsConsistent) {
  const std::string set = TempPath("defaults11.ign");
  const RunResult saved = Korvan("defaults --bike 11 -o " + set);
  ASSERT_EQ(saved.exit_code, 0) << saved.output;
  const RunResult check = Korvan("check " + set);
  EXPECT_EQ(check.exit_code, 0) << check.output;
  EXPECT_TRUE(Contains(check.output, "Key: VELMORAX_KEY 68")) << check.output;
  EXPECT_TRUE(Contains(check.output, "Sections applied: BIKE APS_IAPS")) << check.output;
  EXPECT_TRUE(Contains(check.output, " MEMO\n")) << check.output;
  EXPECT_TRUE(Contains(check.output, "Sections skipped: RPM_JET_2A JET_2A")) << check.output;
  EXPECT_TRUE(Contains(check.output, "Bike: 11\n")) << check.output;
  EXPECT_TRUE(Contains(check.output, "Consistency rules: no changes")) << check.output;

  // Another bike's set carries that bike through the file.
  ASSERT_EQ(Korvan("defaults --bike 32 -o " + set).exit_code, 0);
  const RunResult other = Korvan("check " + set);
  EXPECT_TRUE(Contains(other.output, "Bike: 32\n")) << other.output;
  EXPECT_TRUE(Contains(other.output, "Consistency rules: no changes")) << other.output;
  std::remove(set.c_str());
}

TEST(CommandLineEndToEnd, DefaultsRefusesBadBikesAndReportsWriteFailures) {
  const std::string set = TempPath("never.ign");
  for (const char* bike : {"--bike 50", "--bike -1", "--bike eleven", ""}) {
    const RunResult run = Korvan(std::string("defaults ") + bike + " -o " + set);
    EXPECT_EQ(run.exit_code, 2) << bike << "\n" << run.output;
    EXPECT_TRUE(Contains(run.output, "usage: korvan")) << bike;
  }
  EXPECT_TRUE(ReadWhole(set).empty()) << "a refused command wrote a file";
  EXPECT_EQ(Korvan("defaults --bike 11").exit_code, 2);

  const RunResult unwritable = Korvan("defaults --bike 11 -o /korvan-no-such-dir/set.ign");
  EXPECT_EQ(unwritable.exit_code, 3) << unwritable.output;
  EXPECT_TRUE(Contains(unwritable.output, "Open file error!")) << unwritable.output;
}

// A file the station would refuse is refused with the station's text by every command, and never
// reaches the unit (the port given is no unit at all).
TEST(CommandLineEndToEnd, UnreadableFilesGiveTheStationsTextAndNeverReachTheUnit) {
  const std::string wrong_version = TempPath("v67.ign");
  const std::string set = TempPath("v68.ign");
  ASSERT_EQ(Korvan("defaults --bike 11 -o " + set).exit_code, 0);
  std::string text = ReadWhole(set);
  text.replace(text.find(" 68 "), 4, " 67 ");
  WriteWhole(wrong_version, text);
  const std::string missing = TempPath("missing.ign");

  struct Case {
    std::string file;
    const char* text;
  };
  const Case cases[] = {
      {wrong_version, "Unmatched version of *.ign file!"},
      {missing, "Open file error!"},
  };
  for (const Case& c : cases) {
    for (const char* command :
         {"check ", "verify --port /dev/null ", "program --port /dev/null "}) {
      const RunResult run = Korvan(command + c.file);
      EXPECT_EQ(run.exit_code, 3) << command << c.file << "\n" << run.output;
      EXPECT_TRUE(Contains(run.output, c.text)) << command << c.file << "\n" << run.output;
      EXPECT_FALSE(Contains(run.output, "Port:")) << command << "opened the port";
    }
  }
  std::remove(wrong_version.c_str());
  std::remove(set.c_str());
}

TEST(CommandLineEndToEnd, CheckNamesEachValueTheConsistencyRulesChange) {
  const std::string set = TempPath("repaired.ign");
  ASSERT_EQ(Korvan("defaults --bike 11 -o " + set).exit_code, 0);
  std::string text = ReadWhole(set);
  // TPS max 20 % below TPS min 50 %; the first advance cell 75 degrees (limit 60).
  text = WithSectionLine(text, "JET1_MISC    ", "    1    50    20  2000  3000 ");
  text.replace(text.find("ADVANCE         16 "), 19, "ADVANCE         75 ");
  WriteWhole(set, text);

  const RunResult check = Korvan("check " + set);
  EXPECT_EQ(check.exit_code, 0) << check.output;
  EXPECT_TRUE(Contains(check.output, "Consistency rules changed 2 values:")) << check.output;
  EXPECT_TRUE(Contains(check.output, "  JetTpsMax (byte 49): 20 -> 50\n")) << check.output;
  EXPECT_TRUE(Contains(check.output, "  Advance map row 0 column 0 (byte 500): 75 -> 60\n"))
      << check.output;
  // Verify and program use the repaired set, and say so.
  const RunResult verify = Korvan("verify --port /korvan-no-such-device " + set);
  EXPECT_TRUE(Contains(verify.output, "the consistency rules changed 2 values")) << verify.output;
  std::remove(set.c_str());
}

}  // namespace
