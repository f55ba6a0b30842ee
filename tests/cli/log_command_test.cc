#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "command_run.h"
#include "datalog/recording.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "files/service_batch.h"
#include "image/field_dictionary.h"
#include "model/default_set.h"

namespace korvan {
namespace {

// Time passes for the unit with every tick of the command line.
class PortClock : public TickClock {
 public:
  explicit PortClock(MemoryUnitPort& port) : port_(port) {}
  void WaitForNextTick() override { port_.AdvanceTick(); }

 private:
  MemoryUnitPort& port_;
};

class LogCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("korvan_log_command_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  int Run(const std::vector<std::string>& args) {
    CommandRun run = RunCommand(args, port_, clock_);
    out_ = std::move(run.out);
    err_ = std::move(run.err);
    return run.code;
  }

  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::filesystem::path dir_;
  UnitEmulator unit_;
  MemoryUnitPort port_{unit_};
  PortClock clock_{port_};
  std::string out_, err_;
};

TEST_F(LogCommandTest, MonitorRecordsEveryPrintedFrameAndExportMakesOneRowOfEach) {
  const std::string log = (dir_ / "ride.kvlog").string();
  ASSERT_EQ(Run({"monitor", "--port", "/dev/emulated", "--frames", "5", "--log", log}), kExitOk)
      << err_;
  const RecordingReadResult read = ReadRecording(log);
  ASSERT_TRUE(read.ok());
  ASSERT_EQ(read.recording.frames.size(), 5u);
  // At the documented pace a frame arrives every sixth tick of 55 ms; times are the real
  // arrival times, which a test cannot pin: only their order.
  for (std::size_t i = 1; i < 5; ++i) {
    EXPECT_GE(read.recording.frames[i].time_ms, read.recording.frames[i - 1].time_ms);
  }

  ASSERT_EQ(Run({"log", "export", log}), kExitOk) << err_;
  const std::string csv = Read(dir_ / "ride.csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 6);
  EXPECT_TRUE(csv.starts_with("time_s,rpm,"));
  EXPECT_NE(out_.find("Exported 5 frames"), std::string::npos);

  ASSERT_EQ(Run({"log", "export", log, (dir_ / "named.csv").string()}), kExitOk) << err_;
  EXPECT_EQ(Read(dir_ / "named.csv"), csv);
}

TEST_F(LogCommandTest, FastLiveDataAsksEveryTick) {
  ASSERT_EQ(Run({"monitor", "--port", "/dev/emulated", "--ticks", "12", "--fast"}), kExitOk);
  const std::vector<std::uint8_t> codes = port_.SentCodes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), kMonitorRequest), 12);
}

TEST_F(LogCommandTest, ExportOfACutRecordingSaysSoAndKeepsTheCompleteFrames) {
  const std::string log = (dir_ / "cut.kvlog").string();
  ASSERT_EQ(Run({"monitor", "--port", "/dev/emulated", "--frames", "3", "--log", log}), kExitOk);
  std::filesystem::resize_file(log, kRecordingHeaderSize + 2 * kRecordSize + 77);
  ASSERT_EQ(Run({"log", "export", log}), kExitOk);
  EXPECT_NE(err_.find("incomplete"), std::string::npos) << err_;
  EXPECT_NE(out_.find("Exported 2 frames"), std::string::npos) << out_;
}

TEST_F(LogCommandTest, BadUseAndBadFilesGiveAMessageAndAnExitCode) {
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* says;
  };
  std::ofstream(dir_ / "text.kvlog") << "not a recording";
  const Case cases[] = {
      {{"log"}, kExitUsage, "export FILE"},
      {{"log", "import", "x"}, kExitUsage, "export FILE"},
      {{"log", "export", (dir_ / "missing.kvlog").string()}, kExitFile, "Open file error"},
      {{"log", "export", (dir_ / "text.kvlog").string()}, kExitFile, "not a recording"},
      {{"monitor", "--log"}, kExitUsage, "--log needs a value"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args), c.code) << c.args.back();
    EXPECT_NE(err_.find(c.says), std::string::npos) << err_;
  }
}

// A recording never replaces a file: the tuner is told that the file exists, the unit is not even
// monitored, and the file (or what a link leads to) keeps what it held.
TEST_F(LogCommandTest, MonitorRefusesToRecordOverAnExistingFile) {
  const std::filesystem::path kept = dir_ / "kept.kvlog";
  std::ofstream(kept) << "old";
  std::ofstream(dir_ / "empty.kvlog");
  std::filesystem::create_symlink(kept, dir_ / "link.kvlog");
  std::filesystem::create_symlink(dir_ / "gone.kvlog", dir_ / "dangling.kvlog");
  struct Case {
    const char* log;
    std::filesystem::path holder;  // the file whose contents must stay
    const char* held;
  };
  const Case cases[] = {
      {"kept.kvlog", kept, "old"},
      {"empty.kvlog", dir_ / "empty.kvlog", ""},
      {"link.kvlog", kept, "old"},
      {"dangling.kvlog", dir_ / "gone.kvlog", ""},
  };
  for (const Case& c : cases) {
    const std::string log = (dir_ / c.log).string();
    EXPECT_EQ(Run({"monitor", "--port", "/dev/emulated", "--frames", "1", "--log", log}), kExitFile)
        << c.log;
    EXPECT_NE(err_.find("The file already exists; nothing was recorded and the file is "
                        "unchanged: " +
                        log),
              std::string::npos)
        << c.log << ": " << err_;
    EXPECT_EQ(out_, "") << c.log;
    EXPECT_EQ(Read(c.holder), c.held) << c.log;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "gone.kvlog"));
}

// An output that is one of the command's inputs would destroy it: refused before anything is read
// or written, with status 2, every file as it was.
TEST_F(LogCommandTest, AnOutputThatIsAnInputIsRefusedAndNothingIsWritten) {
  const std::string log = (dir_ / "ride.kvlog").string();
  ASSERT_EQ(Run({"monitor", "--port", "/dev/emulated", "--frames", "3", "--log", log}), kExitOk)
      << err_;
  const std::string recording = Read(log);
  // A recording under a CSV name: its default output is its own name.
  const std::filesystem::path as_csv = dir_ / "ride.csv";
  std::filesystem::copy_file(log, as_csv);
  std::filesystem::create_hard_link(log, dir_ / "hard.kvlog");
  std::filesystem::create_symlink(log, dir_ / "soft.csv");
  // A "device" that is a plain file, so that the port can be named by a path that exists.
  const std::string device = (dir_ / "ttyKORVAN").string();
  std::ofstream(device) << "device";
  const std::string set = (dir_ / "set.ign").string();
  ASSERT_EQ(Run({"defaults", "--bike", "11", "-o", set}), kExitOk) << err_;
  const std::string set_text = Read(set);

  struct Case {
    const char* what;
    std::vector<std::string> args;
    std::filesystem::path kept;
  };
  const Case cases[] = {
      {"default name", {"log", "export", as_csv.string()}, as_csv},
      {"same path", {"log", "export", log, log}, log},
      {"hard link", {"log", "export", log, (dir_ / "hard.kvlog").string()}, log},
      {"symbolic link", {"log", "export", log, (dir_ / "soft.csv").string()}, log},
      {"read into the port", {"read", "--port", device, "-o", device}, device},
      {"record into the port", {"monitor", "--port", device, "--log", device}, device},
      {"record into the set", {"monitor", "--port", device, "--log", set, set}, set},
  };
  const auto files = [this] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> before = files();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string kept = Read(c.kept);
    EXPECT_EQ(Run(c.args), kExitUsage);
    EXPECT_NE(err_.find("The output is the input itself"), std::string::npos) << err_;
    EXPECT_EQ(out_.find("Exported"), std::string::npos) << out_;
    EXPECT_EQ(Read(c.kept), kept);
    EXPECT_EQ(files(), before);
  }
  EXPECT_EQ(Read(as_csv), recording);
  EXPECT_EQ(Read(log), recording);
  EXPECT_EQ(Read(set), set_text);
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "soft.csv"));
}

// The batch report is written through a link: a report name that leads to a compared file is
// refused.
TEST_F(LogCommandTest, ABatchReportThatLeadsToAComparedFileIsRefused) {
  const std::filesystem::path new_dir = dir_ / "new";
  const std::filesystem::path old_dir = dir_ / "old";
  std::filesystem::create_directories(new_dir);
  std::filesystem::create_directories(old_dir);
  const std::filesystem::path compared = BatchFileOfListIndex(old_dir, 0);
  std::ofstream(compared) << "VELMORAX_KEY   68\r\n";
  const std::string kept = Read(compared);
  const std::filesystem::path report = new_dir / std::string(kCompareReportName);
  std::filesystem::create_symlink(compared, report);
  EXPECT_EQ(Run({"batch", "compare", new_dir.string(), old_dir.string()}), kExitUsage);
  EXPECT_NE(err_.find("The output is the input itself"), std::string::npos) << err_;
  EXPECT_EQ(Read(compared), kept);
  EXPECT_TRUE(std::filesystem::is_symlink(report));
}

// The decoder's inputs come from the unit's set, read before the frames: a recording holds its
// cylinders and ignition limiter whichever command made it.
TEST_F(LogCommandTest, MonitorRecordsTheDecoderInputsOfTheUnitsSet) {
  int bike = 0;
  while (DefaultParameterSet(bike).Byte(kCylinderCountOffset) != 4) ++bike;
  const ParameterImage set = DefaultParameterSet(bike);
  ASSERT_NE(set.Byte(29), 0);
  unit_.LoadImage(set);
  const std::string log = (dir_ / "inputs.kvlog").string();
  ASSERT_EQ(Run({"monitor", "--port", "/dev/emulated", "--frames", "2", "--log", log}), kExitOk)
      << err_;
  const RecordingReadResult read = ReadRecording(log);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.recording.header.cylinders, 4);
  EXPECT_EQ(read.recording.header.ignition_limiter, set.Byte(29));
  EXPECT_EQ(read.recording.frames.size(), 2u);
}

}  // namespace
}  // namespace korvan
