#include "datalog/recording.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "datalog/frame_recorder.h"
#include "datalog/recording_csv.h"
#include "monitor/monitor_frame_builder.h"

namespace korvan {
namespace {

class RecordingFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("korvan_recording_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Three frames 0, 55 and 110 ms apart, each with its own engine speed.
  std::string WriteThreeFrames() {
    const std::string path = (dir_ / "logs" / "ride.kvlog").string();
    FrameRecorder recorder;
    std::int64_t now = 1000;
    recorder.set_clock([&now] { return now; });
    EXPECT_TRUE(recorder.Start(path, {4, 110, 1234567}));
    for (int i = 0; i < 3; ++i) {
      recorder.Record(MonitorFrameBuilder().Word(48, 1000u + i).Frame());
      now += 55;
    }
    recorder.Stop();
    return path;
  }

  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::filesystem::path dir_;
};

TEST_F(RecordingFileTest, WhatIsRecordedReadsBackWithItsArrivalTimes) {
  const RecordingReadResult read = ReadRecording(WriteThreeFrames());
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.recording.header, (RecordingHeader{4, 110, 1234567}));
  ASSERT_EQ(read.recording.frames.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(read.recording.frames[i].time_ms, 55 * i);
    EXPECT_EQ(read.recording.frames[i].bytes, MonitorFrameBuilder().Word(48, 1000u + i).Frame());
  }
  EXPECT_FALSE(read.recording.torn_tail);
  EXPECT_EQ(read.recording.damaged_records, 0u);
}

// A recording is flushed frame by frame: what a crash leaves on the disk is every frame before
// it, whatever the process does afterwards.
TEST_F(RecordingFileTest, EachFrameIsOnTheDiskBeforeTheNextArrives) {
  const std::string path = (dir_ / "live.kvlog").string();
  FrameRecorder recorder;
  ASSERT_TRUE(recorder.Start(path, {}));
  for (std::size_t i = 1; i <= 3; ++i) {
    recorder.Record(MonitorFrameBuilder().Frame());
    EXPECT_EQ(ParseRecording(Bytes(path)).recording.frames.size(), i);
  }
}

TEST_F(RecordingFileTest, AFileCutAnywhereOpensWithEveryCompleteFrame) {
  const std::string whole = Bytes(WriteThreeFrames());
  struct Case {
    std::size_t cut;
    std::size_t frames;
    bool torn;
  };
  const Case cases[] = {
      {kRecordingHeaderSize, 0, false},
      {kRecordingHeaderSize + 1, 0, true},
      {kRecordingHeaderSize + kRecordSize, 1, false},
      {kRecordingHeaderSize + 2 * kRecordSize - 1, 1, true},
      {kRecordingHeaderSize + 2 * kRecordSize + 4, 2, true},  // time written, frame not
      {whole.size(), 3, false},
  };
  for (const Case& c : cases) {
    const RecordingReadResult read = ParseRecording(std::string_view(whole).substr(0, c.cut));
    ASSERT_TRUE(read.ok()) << c.cut;
    EXPECT_EQ(read.recording.frames.size(), c.frames) << c.cut;
    EXPECT_EQ(read.recording.torn_tail, c.torn) << c.cut;
  }
}

TEST_F(RecordingFileTest, ADamagedRecordIsSkippedAndTheRestRead) {
  std::string bytes = Bytes(WriteThreeFrames());
  bytes[kRecordingHeaderSize + kRecordSize + 4 + 48] ^= 0x01;  // frame 2's engine speed
  const RecordingReadResult read = ParseRecording(bytes);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.recording.damaged_records, 1u);
  ASSERT_EQ(read.recording.frames.size(), 2u);
  EXPECT_EQ(read.recording.frames[1].time_ms, 110u);
}

TEST_F(RecordingFileTest, FilesThatAreNoRecordingSayWhy) {
  const std::string ours = Bytes(WriteThreeFrames());
  std::string newer = ours;
  newer[8] = 2;
  // The mark, then garbage where the version and frame size stand: damage, not a later station.
  std::string garbage = ours;
  for (std::size_t k = kRecordingMagic.size(); k < garbage.size(); ++k) {
    garbage[k] = static_cast<char>(0xA5 ^ (k * 7));
  }
  std::string shorter_frames = ours;
  shorter_frames[10] = 20;
  shorter_frames[11] = 0;
  std::string older = ours;
  older[8] = 0;
  struct Case {
    std::string bytes;
    MessageKey error;
  };
  const Case cases[] = {
      {"", MessageKey::kMsgLogNotARecording},
      {"KORVLOG", MessageKey::kMsgLogNotARecording},
      {std::string(100, 'x'), MessageKey::kMsgLogNotARecording},
      {newer, MessageKey::kMsgLogNewerFormat},
      {garbage, MessageKey::kMsgLogDamagedHeader},
      {shorter_frames, MessageKey::kMsgLogDamagedHeader},
      {older, MessageKey::kMsgLogDamagedHeader},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRecording(c.bytes).error, c.error) << c.bytes.size();
  EXPECT_EQ(ReadRecording((dir_ / "missing.kvlog").string()).error, MessageKey::kMsgFileOpenError);
}

TEST_F(RecordingFileTest, ARecordingNeverReplacesAnother) {
  const std::string path = WriteThreeFrames();
  FrameRecorder recorder;
  EXPECT_FALSE(recorder.Start(path, {}));
  EXPECT_EQ(recorder.error(), MessageKey::kMsgLogWriteFailed);
  EXPECT_FALSE(recorder.active());
  EXPECT_EQ(ReadRecording(path).recording.frames.size(), 3u);
}

TEST(RecordingFileName, ComesFromTheLocalDateAndTime) {
  const std::string name = RecordingFileName(0);
  ASSERT_EQ(name.size(), std::string("1970-01-01_00-00-00.kvlog").size());
  EXPECT_TRUE(name.ends_with(".kvlog"));
  EXPECT_EQ(name[4], '-');
  EXPECT_EQ(name[10], '_');
}

TEST(RecordingCsv, ColumnsAndUnitsOfACraftedFrame) {
  Recording r;
  r.header.cylinders = 4;
  RecordedFrame f;
  f.time_ms = 1234;
  f.bytes = MonitorFrameBuilder()
                .Word(48, 5000)   // rpm
                .Word(138, 123)   // throttle 12.3 %
                .Word(136, 95)    // iap kPa
                .Word(52, 1013)   // ap 101.3 kPa
                .Word(58, 850)    // lambda mV
                .Byte(23, 185)    // coolant 85 C
                .Byte(24, 0)      // air sensor error
                .Word(64, 13450)  // battery 13.450 V
                .Byte(25, 3)      // gear
                .Word(116, 120)   // km/h
                .Byte(10, 30)
                .Byte(11, 31)
                .Byte(12, 32)
                .Byte(13, 33)
                .Byte(14, 20)
                .Byte(15, 20)
                .Byte(16, 20)
                .Byte(17, 20)  // bank A 2000 us
                .Byte(18, 10)
                .Byte(19, 10)
                .Byte(20, 10)
                .Byte(21, 10)   // bank B 1000 us
                .Byte(26, 40)   // throttle share
                .Byte(3, 0x02)  // N2O active
                .Byte(4, 0x04)  // AP sensor error
                .Frame();
  r.frames = {f, f};
  const std::string csv = RecordingToCsv(r);
  const std::size_t header_end = csv.find('\n');
  EXPECT_EQ(csv.substr(0, header_end + 1), kRecordingCsvHeader);
  EXPECT_TRUE(csv.starts_with(
      "time_s,rpm,tps_pct,iap_kpa,ap_kpa,lambda_mv,coolant_c,air_c,battery_v,gear,speed_kmh,"
      "advance1_deg,advance2_deg,advance3_deg,advance4_deg,inj_a_us,inj_b_us,duty_pct,"));
  // The second row: the duty uses the engine speed of the frame before, as the display does.
  const std::size_t second = csv.find('\n', header_end + 1) + 1;
  EXPECT_EQ(csv.substr(second),
            "1.234,5000,12.3,95,,850,85,,13.450,3,120,30,31,32,33,2000,1000,8,40,"
            "0,0,1,0,1,0,1,0,0,0,0,0,0,0,0,2,4,31\n");
}

// The CSV's advance is the one the window shows: the mean over the engine's cylinders, taken
// from the recording's header; a header of an older recording without them takes the set's.
TEST(RecordingCsv, TheAdvanceColumnIsTheMeanOverTheCylinders) {
  struct Case {
    int header_cylinders;
    int set_cylinders;
    int mean;
  };
  const Case cases[] = {
      {4, 0, 35}, {2, 0, 25}, {3, 0, 30}, {1, 0, 20}, {4, 2, 35},  // the header wins over the set
      {0, 3, 30},  // no cylinders in the header: the set's
      {0, 0, 20},  // known nowhere: cylinder 1's
  };
  for (const Case& c : cases) {
    Recording r;
    r.header.cylinders = static_cast<std::uint8_t>(c.header_cylinders);
    RecordedFrame f;
    f.bytes = MonitorFrameBuilder().Byte(10, 20).Byte(11, 30).Byte(12, 40).Byte(13, 50).Frame();
    r.frames = {f};
    const std::string csv = RecordingToCsv(r, MonitorInputs{c.set_cylinders, 0});
    const std::string row = csv.substr(csv.find('\n') + 1);
    EXPECT_TRUE(row.ends_with("," + std::to_string(c.mean) + "\n"))
        << c.header_cylinders << " " << c.set_cylinders << ": " << row;
  }
}

// One number of a /proc/self file of this process ("rchar: 123", "VmHWM:  456 kB").
std::optional<long long> ProcValue(const char* file, const std::string& key) {
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string name;
    long long value = 0;
    if (words >> name >> value && name == key) return value;
  }
  return std::nullopt;
}

// A recording larger than the station opens is refused from its size: nothing of it is read.
TEST_F(RecordingFileTest, ATooLargeRecordingIsRefusedBeforeAnyOfItIsRead) {
  const std::string path = (dir_ / "huge.kvlog").string();
  std::filesystem::create_directories(dir_);
  std::ofstream(path, std::ios::binary) << EncodeRecordingHeader({4, 110, 0});
  std::filesystem::resize_file(path, kMaxRecordingBytes + kRecordSize);  // sparse: no disk used
  const std::optional<long long> before = ProcValue("/proc/self/io", "rchar:");
  if (!before) GTEST_SKIP() << "no read accounting in /proc/self/io";
  const RecordingReadResult read = ReadRecording(path);
  EXPECT_EQ(read.error, MessageKey::kMsgLogTooLarge);
  EXPECT_TRUE(read.recording.frames.empty());
  EXPECT_LT(*ProcValue("/proc/self/io", "rchar:") - *before, 64 * 1024);
}

// A large recording that opens is held as its frames, without a second copy of the file.
TEST_F(RecordingFileTest, ALargeRecordingOpensHoldingLittleMoreThanItsFrames) {
  const std::string path = (dir_ / "long.kvlog").string();
  std::filesystem::create_directories(dir_);
  constexpr std::size_t kRecords = 256 * 1024;  // 40 MB, about four hours at the normal pace
  {
    std::ofstream out(path, std::ios::binary);
    out << EncodeRecordingHeader({4, 110, 0});
    std::string block;
    for (std::size_t i = 0; i < 1024; ++i) {
      block += EncodeRecord({static_cast<std::uint32_t>(i),
                             MonitorFrameBuilder().Word(48, static_cast<unsigned>(i)).Frame()});
    }
    for (std::size_t i = 0; i < kRecords / 1024; ++i) out << block;
  }
  const double file_kb = static_cast<double>(std::filesystem::file_size(path)) / 1024.0;
  // Peak resident memory counts from here.
  std::ofstream reset_peak("/proc/self/clear_refs");
  reset_peak << "5" << std::flush;
  if (!reset_peak) GTEST_SKIP() << "no peak reset";
  const std::optional<long long> start = ProcValue("/proc/self/status", "VmRSS:");
  if (!start) GTEST_SKIP() << "no memory accounting in /proc/self/status";
  const RecordingReadResult read = ReadRecording(path);
  const long long peak_kb = *ProcValue("/proc/self/status", "VmHWM:") - *start;
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.recording.frames.size(), kRecords);
  EXPECT_FALSE(read.recording.torn_tail);
  EXPECT_LT(static_cast<double>(peak_kb), 1.5 * file_kb) << peak_kb << " kB for " << file_kb;
}

}  // namespace
}  // namespace korvan
