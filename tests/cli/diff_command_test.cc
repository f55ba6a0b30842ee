#include "cli/diff_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "command_folder_fixture.h"
#include "command_run.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "model/default_set.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

class DiffCommandTest : public CommandFolderTest {
 protected:
  void SetUp() override {
    MakeFolder("korvan_diff_");
    // Two bikes' default sets, written as the station writes them.
    ASSERT_EQ(Run({"defaults", "--bike", "3", "-o", Path("bike3.ign")}).code, kExitOk);
    ASSERT_EQ(Run({"defaults", "--bike", "17", "-o", Path("bike17.ign")}).code, kExitOk);
  }
};

TEST_F(DiffCommandTest, ExitCodesSayEqualDifferentOrWhatWentWrong) {
  const std::string a = Path("bike3.ign");
  const std::string b = Path("bike17.ign");
  struct Case {
    const char* what;
    std::vector<std::string> args;
    int code;
  };
  const Case cases[] = {
      {"same file", {"diff", a, a}, kExitOk},
      {"two bikes", {"diff", a, b}, kExitRunFailed},
      {"missing file", {"diff", a, Path("missing.ign")}, kExitFile},
      {"a file that is no set", {"diff", "--dump", a, b}, kExitFile},
      {"one set only", {"diff", a}, kExitUsage},
      {"three sets", {"diff", a, b, a}, kExitUsage},
      {"port without device", {"diff", a, "--port"}, kExitUsage},
      {"the unit with itself", {"diff", "--port", "/dev/x", "--port", "/dev/x"}, kExitUsage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CommandRun run = Run(c.args);
    EXPECT_EQ(run.code, c.code) << run.out << run.err;
  }
}

TEST_F(DiffCommandTest, ListsSummariesThenOneLinePerField) {
  const CommandRun same = Run({"diff", Path("bike3.ign"), Path("bike3.ign")});
  EXPECT_EQ(same.out, "The two sets are equal.\n");
  const CommandRun run = Run({"diff", Path("bike3.ign"), Path("bike17.ign")});
  EXPECT_NE(run.out.find("Advance: "), std::string::npos) << run.out;
  // Another bike: its constants go with the code, and the line says so.
  EXPECT_NE(run.out.find("\nBike\tMotorbike Type (with engine configuration and bike constants)"
                         "\tHonda CBR 600 RR 03-04 (3)\tYamaha YZF-R1 02-03 (17)\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("offset 0x0002"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Inj. 1\trow "), std::string::npos) << run.out;
  // Fields go by the window's captions: the label beside the field, the group of a run.
  EXPECT_NE(run.out.find("\nBike\tStart limiter [rpm]\t"), std::string::npos) << run.out;
  // A run's element goes by what names it on the page, here its row.
  EXPECT_NE(run.out.find("\nPosition\tPosition of Injection A"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(", row 1\t"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("Position of Injection A [1]"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\nAdvance\tBase advance [\u00b0]\t"), std::string::npos);
  EXPECT_EQ(run.out.find("UpDownStartLimiter"), std::string::npos);
  // The list is the report and nothing else: a file's notes go to err.
  EXPECT_EQ(run.out.find("consistency"), std::string::npos);
}

TEST_F(DiffCommandTest, ComparesTheUnitReadOverThePort) {
  const CommandRun dumped = Run({"defaults", "--bike", "17", "--dump", "-o", Path("bike17.txt")});
  ASSERT_EQ(dumped.code, kExitOk) << dumped.err;
  unit.LoadImage(DefaultParameterSet(17));
  const CommandRun equal = Run({"diff", "--dump", "--port", "/dev/emulated", Path("bike17.txt")});
  EXPECT_EQ(equal.code, kExitOk) << equal.out << equal.err;
  EXPECT_EQ(equal.out, "The two sets are equal.\n");
  // The read's progress is not part of the list.
  EXPECT_NE(equal.err.find("Read:"), std::string::npos);

  unit.LoadImage(DefaultParameterSet(3));
  const CommandRun differ = Run({"diff", Path("bike17.ign"), "--port", "/dev/emulated"});
  EXPECT_EQ(differ.code, kExitRunFailed) << differ.err;
  EXPECT_NE(differ.out.find("\nBike\tMotorbike Type (with engine configuration and bike "
                            "constants)\tYamaha YZF-R1 02-03 (17)\tHonda CBR 600 RR 03-04 (3)\n"),
            std::string::npos)
      << differ.out;

  unit.fault().silent = true;
  const CommandRun silent = Run({"diff", Path("bike17.ign"), "--port", "/dev/emulated"});
  EXPECT_EQ(silent.code, kExitUnitUnread);
  EXPECT_NE(silent.err.find("could not be read"), std::string::npos) << silent.err;
}

}  // namespace
}  // namespace korvan
