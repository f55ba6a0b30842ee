#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datalog/recording.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "shell/command_line.h"
#include "command_run.h"

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

TEST_F(LogCommandTest, MonitorRefusesToRecordOverAnExistingFile) {
  const std::string log = (dir_ / "kept.kvlog").string();
  std::ofstream(log) << "old";
  EXPECT_EQ(Run({"monitor", "--port", "/dev/emulated", "--frames", "1", "--log", log}), kExitFile);
  EXPECT_EQ(Read(log), "old");
}

}  // namespace
}  // namespace korvan
