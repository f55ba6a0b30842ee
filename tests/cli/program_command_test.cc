// `korvan program` and the files that must not reach the unit unnoticed: a file cut short or
// damaged, a bike code the station has no data for, and things that are not files at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "command_folder_fixture.h"
#include "command_run.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "file_text.h"
#include "files/image_dump.h"
#include "files/parameter_set_check.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

class ProgramCommandTest : public CommandFolderTest {
 protected:
  void SetUp() override {
    MakeFolder("korvan_program_");
    // A set the unit does not hold yet (bike 3), whole, cut short inside the first row of JET_1A,
    // and with the bike code 99.
    ASSERT_EQ(Run({"defaults", "--bike", "3", "-o", Path("whole.ign")}).code, kExitOk);
    const std::string whole = ReadWhole(Path("whole.ign"));
    const std::size_t row = whole.find("\r\nJET_1A ");
    WriteWhole(Path("cut.ign"), whole.substr(0, whole.find(" \r\n", row + 2) - 1));
    std::string bike99 = whole;
    const std::size_t bike = bike99.find("BIKE            ") + 16;
    bike99.replace(bike, 2, "99");
    WriteWhole(Path("bike99.ign"), bike99);
    ParameterImage image = StartParameterSet();
    image.SetByte(0, 99);
    WriteWhole(Path("bike99.dump"), FormatImageDump(image, ToolModes{}));
  }
};

TEST_F(ProgramCommandTest, ADamagedFileOrAnUnknownBikeNeedsForce) {
  struct Case {
    const char* what;
    std::vector<std::string> args;
    int code;
    std::vector<std::string> said;  // on stderr
    bool programmed;
  };
  const std::string refused = "give --force to program it all the same";
  const std::string damaged = "Incomplete or damaged file: JET_1A";
  const std::string unknown_bike = "is not for required bike!";
  const Case cases[] = {
      {"a whole file", {"program", Path("whole.ign")}, kExitOk, {}, true},
      {"a file cut short", {"program", Path("cut.ign")}, kExitFile, {damaged, refused}, false},
      {"a file cut short, forced",
       {"program", "--force", Path("cut.ign")},
       kExitOk,
       {damaged},
       true},
      {"bike code 99", {"program", Path("bike99.ign")}, kExitFile, {unknown_bike, refused}, false},
      {"bike code 99, forced",
       {"program", Path("bike99.ign"), "--force"},
       kExitOk,
       {unknown_bike},
       true},
      {"an image dump of bike code 99",
       {"program", "--dump", Path("bike99.dump")},
       kExitFile,
       {unknown_bike, refused},
       false},
      {"verify only warns", {"verify", Path("cut.ign")}, kExitRunFailed, {damaged}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ParameterImage before = unit.Image();
    const int writes_before = unit.writes_received();
    const CommandRun run = Run(c.args);
    EXPECT_EQ(run.code, c.code) << run.out << run.err;
    for (const std::string& text : c.said)
      EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
    if (c.said.empty()) {
      EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(unit.writes_received() > writes_before, c.programmed);
    if (!c.programmed) {
      EXPECT_EQ(unit.Image(), before);
    }
  }
}

TEST_F(ProgramCommandTest, ThingsThatAreNoFilesAreRefusedUnreadAndNamed) {
  const fs::path pipe = dir_ / "pipe.ign";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  struct Case {
    std::vector<std::string> args;
    std::string said;
  };
  const Case cases[] = {
      {{"check", pipe.string()}, "named pipe (FIFO), not a file"},
      {{"program", pipe.string()}, "named pipe (FIFO), not a file"},
      {{"check", "/dev/zero"}, "a device, not a file"},
      {{"program", "--dump", "/dev/zero"}, "a device, not a file"},
      {{"diff", Path("whole.ign"), pipe.string()}, "named pipe (FIFO), not a file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    const CommandRun run = Run(c.args);
    EXPECT_EQ(run.code, kExitFile);
    EXPECT_NE(run.err.find("Open file error!"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    EXPECT_EQ(unit.writes_received(), 0);
  }
}

TEST_F(ProgramCommandTest, AFileWithAByteOrderMarkIsChecked) {
  WriteWhole(Path("marked.ign"), "\xEF\xBB\xBF" + ReadWhole(Path("whole.ign")));
  const CommandRun run = Run({"check", Path("marked.ign")});
  EXPECT_EQ(run.code, kExitOk) << run.err;
  EXPECT_NE(run.out.find("Bike: 3"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace korvan
