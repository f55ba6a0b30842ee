#include "link/transfer_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "session_fixture.h"

namespace korvan {
namespace {

using Strings = std::vector<std::string>;

// Ticks at which frames with the given code were sent.
std::vector<int> SendTicks(const std::vector<std::pair<int, std::uint8_t>>& log,
                           std::uint8_t code) {
  std::vector<int> ticks;
  for (const auto& [tick, c] : log) {
    if (c == code) ticks.push_back(tick);
  }
  return ticks;
}

class TransferSessionTest : public ::testing::Test, public SessionFixture {
 protected:
  // Ticks and logs (tick, code) of every frame the station writes.
  void TickLogged(int n = 1) {
    for (int i = 0; i < n; ++i) {
      const std::size_t before = port.sent().size();
      Tick();
      for (std::size_t k = before; k < port.sent().size(); ++k) {
        log.emplace_back(ticks, port.sent()[k][0]);
      }
    }
  }
  std::vector<std::pair<int, std::uint8_t>> log;
};

TEST_F(TransferSessionTest, ReadAgainstSilentUnitSendsFiveTimesThenFailsInRed) {
  unit.fault().silent = true;
  session.StartRead();
  TickLogged(40);
  EXPECT_EQ(SendTicks(log, 0x40), (std::vector<int>{6, 12, 18, 24, 30}));
  EXPECT_EQ(session.state(), SessionState::kIdle);
  EXPECT_EQ(session.display().status_key, MessageKey::kMsgReadError);
  EXPECT_TRUE(session.display().status_red);
  // The error shows six ticks after the fifth send, not earlier.
  EXPECT_EQ(statuses[34], "Read:");
  EXPECT_EQ(statuses[35], "Read error!");
}

TEST_F(TransferSessionTest, FirstSendWaitsForTheIdleCounterToReachSix) {
  TickLogged(3);  // idle counter now 3
  session.StartRead();
  TickLogged(3);
  EXPECT_EQ(SendTicks(log, 0x40), (std::vector<int>{6}));
}

TEST_F(TransferSessionTest, ReadChainsVerifyAndEndsWithVerifyOk) {
  ParameterImage unit_image = image;
  unit_image.SetByte(500, 99);
  unit_image.SetByte(2849, 7);
  unit.LoadImage(unit_image);
  for (int k = 0; k < kImageSize; ++k) image.SetByte(k, 0);
  session.StartRead();
  RunUntilIdle();

  std::vector<std::uint8_t> expected;
  for (int b = 0; b <= 19; ++b) expected.push_back(static_cast<std::uint8_t>(0x40 + b));
  for (int b = 1; b <= 19; ++b) expected.push_back(static_cast<std::uint8_t>(0x40 + b));
  EXPECT_EQ(port.SentCodes(), expected);
  EXPECT_EQ(StatusSequence(), (Strings{"Read:", "Verify::", "Verify: OK"}));
  EXPECT_EQ(session.display().gauge, 20);
  EXPECT_EQ(image, unit_image);
  EXPECT_EQ(session.identity_texts().type_text, "KVN07");
  // Read frames carry zeros; the chained verify carries the image (block 3 = bytes 300..449).
  const LinkFrame& read3 = port.sent()[3];
  EXPECT_TRUE(std::all_of(read3.begin() + 1, read3.begin() + 151, [](auto b) { return b == 0; }));
  const LinkFrame& verify3 = port.sent()[22];
  ASSERT_EQ(verify3[0], 0x43);
  for (int i = 0; i < 150; ++i) EXPECT_EQ(verify3[1 + i], image.Byte(300 + i));
  EXPECT_TRUE(FrameCheckOk(verify3));
}

TEST_F(TransferSessionTest, ReadAndVerifyTakeOneExchangePerTick) {
  session.StartRead();
  const int used = RunUntilIdle();
  // Six ticks to the first send, then one tick for each of the 39 exchanges.
  EXPECT_EQ(used, 6 + 39);
}

TEST_F(TransferSessionTest, VerifyIgnoresOnlyImageByteOne) {
  struct Case {
    int offset;
    bool passes;
  };
  for (const Case c : {Case{1, true}, Case{0, false}, Case{2, false}, Case{151, false}}) {
    SessionFixture f;
    f.image.SetByte(c.offset, f.image.Byte(c.offset) ^ 0x01u);
    f.session.StartVerify();
    f.RunUntilIdle();
    EXPECT_EQ(f.StatusText(), c.passes ? "Verify: OK" : "Verify error!") << c.offset;
  }
}

TEST_F(TransferSessionTest, MismatchingEchoKeepsTheBlockFlaggedForTheNextRun) {
  unit.fault().mismatch_echo_block = 7;
  session.StartProgram();
  do TickLogged();
  while (session.state() != SessionState::kIdle);
  EXPECT_EQ(SendTicks(log, 0x07).size(), 5u);
  EXPECT_EQ(StatusText(), "Program error!");
  EXPECT_TRUE(session.display().status_red);
  for (int b = 0; b <= 6; ++b) EXPECT_FALSE(dirty.IsSet(b)) << b;
  for (int b = 7; b <= 19; ++b) EXPECT_TRUE(dirty.IsSet(b)) << b;

  // The unit is fine again: the next program run starts with the block that failed.
  unit.fault().mismatch_echo_block = -1;
  port.ClearSent();
  session.StartDirtyProgramming();
  RunUntilIdle();
  EXPECT_EQ(port.SentCodes().front(), 0x07);
  EXPECT_FALSE(dirty.Any());
  EXPECT_EQ(unit.Image(), image);
}

TEST_F(TransferSessionTest, FullProgramWritesIdentityRequestThenAllBlocksThenVerifies) {
  ParameterImage unit_before = unit.Image();
  image.SetByte(1000, image.Byte(1000) + 1u);
  session.StartProgram();
  RunUntilIdle();
  std::vector<std::uint8_t> expected;
  for (int b = 0; b <= 19; ++b) expected.push_back(static_cast<std::uint8_t>(b));
  for (int b = 1; b <= 19; ++b) expected.push_back(static_cast<std::uint8_t>(0x40 + b));
  EXPECT_EQ(port.SentCodes(), expected);
  // Block 0 goes out with a zero payload; block 5 with image bytes 600..749.
  EXPECT_TRUE(std::all_of(port.sent()[0].begin() + 1, port.sent()[0].begin() + 151,
                          [](auto b) { return b == 0; }));
  for (int i = 0; i < 150; ++i) EXPECT_EQ(port.sent()[5][1 + i], image.Byte(600 + i));
  EXPECT_EQ(unit.Image(), image);
  EXPECT_NE(unit.Image(), unit_before);
  // The completed run's own OK text replaces "Verify: OK" in the very tick the verify ends.
  EXPECT_EQ(StatusSequence(), (Strings{"Program device:", "Verify::", "Program device: OK"}));
  EXPECT_FALSE(session.verify_after_program());
  EXPECT_TRUE(session.completed());
}

TEST_F(TransferSessionTest, AfterProgramTheIdleTickShowsSavingThenProgramOk) {
  session.StartProgram();
  RunUntilIdle();
  for (int i = 0; i < 60; ++i) Tick();
  const Strings seq = StatusSequence();
  ASSERT_GE(seq.size(), 4u);
  EXPECT_EQ(seq[2], "Program device: OK");
  EXPECT_EQ(seq[3], "Saving:");
  EXPECT_EQ(seq.back(), "Program device: OK");
  EXPECT_EQ(session.display().gauge, 20);
}

TEST_F(TransferSessionTest, SavingGaugeIsTheShareOfTheCountdownDone) {
  struct Case {
    std::uint16_t count;
    int gauge;
  };
  for (const Case c : {Case{2890, 10}, Case{5780, 0}, Case{1, 19}, Case{9000, 0}}) {
    SessionFixture f;
    f.session.StartDirtyProgramming();  // nothing flagged: stays idle
    f.session.SetSavingCount(c.count);
    f.session.SessionTick();
    EXPECT_EQ(f.session.display().gauge, c.gauge) << c.count;
    EXPECT_EQ(f.session.display().status_key, MessageKey::kMsgSavingProgress);
  }
}

TEST_F(TransferSessionTest, FailedReadLeavesTheImageButKeepsTheIdentity) {
  const ParameterImage before = image;
  ParameterImage unit_image;
  unit_image.SetByte(0, 5);
  unit.LoadImage(unit_image);
  session.StartRead();
  // Let blocks 0..5 arrive, then the unit goes quiet.
  while (session.command() < 0x46) Tick();
  unit.fault().silent = true;
  RunUntilIdle();
  EXPECT_EQ(StatusText(), "Read error!");
  EXPECT_EQ(image, before);
  EXPECT_EQ(identity.bytes[kIdentityVersion], 68);
}

// The image takes the unit's blocks all at once, after the last one: until then it is the set the
// user has, whatever ends the read.
TEST_F(TransferSessionTest, ImageTakesTheUnitsSetOnlyWhenTheLastBlockArrives) {
  const ParameterImage before = image;
  unit.LoadImage(ParameterImage{});
  session.StartRead();
  while (session.command() < 0x45) Tick();
  EXPECT_EQ(image, before);
  session.StartVerify();
  EXPECT_EQ(image, before);
  EXPECT_EQ(session.state(), SessionState::kVerify);

  session.StartRead();
  while (session.command() < 0x45) Tick();
  session.CancelRead();
  EXPECT_EQ(image, before);
  EXPECT_EQ(session.state(), SessionState::kIdle);
  EXPECT_EQ(session.display().status_key, MessageKey::kMsgReadCancelled);
  EXPECT_TRUE(session.display().status_red);
  // A late reply to the abandoned read changes nothing.
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(image, before);

  session.StartRead();
  RunUntilIdle();
  EXPECT_EQ(image, ParameterImage{});
  EXPECT_EQ(host.reads_completed, 1);
}

// A side read fetches the unit's set for a comparison: the image, its dirty blocks and the host's
// read hooks stay as they were, the identity is taken as a read takes it, and no verify follows.
TEST_F(TransferSessionTest, SideReadKeepsTheUnitsSetBesideTheImage) {
  const ParameterImage before = image;
  ParameterImage unit_image = image;
  unit_image.SetByte(500, 99);
  unit_image.SetByte(2849, 7);
  unit.LoadImage(unit_image);
  dirty.Set(4);
  session.StartSideRead();
  EXPECT_TRUE(session.side_read());
  RunUntilIdle();
  EXPECT_EQ(image, before);
  EXPECT_EQ(session.side_image(), unit_image);
  EXPECT_TRUE(dirty.IsSet(4));
  EXPECT_EQ(host.reads_completed, 0);
  EXPECT_EQ(host.side_reads_completed, 1);
  EXPECT_FALSE(session.side_read());
  EXPECT_EQ(session.identity_texts().type_text, "KVN07");
  EXPECT_EQ(StatusSequence(), (Strings{"Read:", "Read: OK"}));
  // Only read requests went out: blocks 0..19, no verify.
  std::vector<std::uint8_t> expected;
  for (int b = 0; b <= 19; ++b) expected.push_back(static_cast<std::uint8_t>(0x40 + b));
  EXPECT_EQ(port.SentCodes(), expected);

  // A side read that fails leaves the side image of the last one that completed.
  unit.LoadImage(ParameterImage{});
  session.StartSideRead();
  while (session.command() < 0x45) Tick();
  unit.fault().silent = true;
  RunUntilIdle();
  EXPECT_EQ(StatusText(), "Read error!");
  EXPECT_FALSE(session.side_read());
  EXPECT_EQ(session.side_image(), unit_image);
  EXPECT_EQ(image, before);
  // A normal read after it replaces the image again.
  unit.fault().silent = false;
  session.StartRead();
  RunUntilIdle();
  EXPECT_EQ(image, ParameterImage{});
}

TEST_F(TransferSessionTest, UnitOfAnotherVersionStopsBothRunsAfterBlockZero) {
  unit.fault().version = 69;
  const ParameterImage before = image;
  session.StartRead();
  RunUntilIdle();
  EXPECT_EQ(port.SentCodes(), (std::vector<std::uint8_t>{0x40}));
  EXPECT_EQ(host.mismatches, (std::vector<std::uint8_t>{69}));
  EXPECT_EQ(session.status_countdown(), 0);
  EXPECT_EQ(image, before);
  for (int i = 0; i < 300; ++i) Tick();
  EXPECT_TRUE(session.display().status_visible);  // not hidden automatically

  port.ClearSent();
  session.StartProgram();
  RunUntilIdle();
  EXPECT_EQ(port.SentCodes(), (std::vector<std::uint8_t>{0x00}));
  EXPECT_EQ(unit.writes_received(), 0);
  EXPECT_EQ(host.mismatches.size(), 2u);
}

TEST_F(TransferSessionTest, UnitThatForbidsReadingRefusesReadsButTakesPrograms) {
  unit.fault().reading_forbidden = true;
  const ParameterImage before = image;
  session.StartRead();
  RunUntilIdle();
  EXPECT_EQ(port.SentCodes(), (std::vector<std::uint8_t>{0x40}));
  EXPECT_EQ(StatusText(), "No reading!");
  EXPECT_TRUE(session.display().status_red);
  EXPECT_EQ(image, before);

  session.StartProgram();
  RunUntilIdle();
  EXPECT_EQ(StatusText(), "Program device: OK");
  EXPECT_EQ(unit.Image(), image);
}

TEST_F(TransferSessionTest, ProgrammingAfterChangeWritesOnlyTheChangedBlock) {
  dirty.Set(4);
  session.StartDirtyProgramming();
  RunUntilIdle();
  EXPECT_EQ(port.SentCodes(), (std::vector<std::uint8_t>{0x04}));
  EXPECT_EQ(StatusText(), "Program device: OK");
  EXPECT_EQ(session.display().gauge, 20);
}

TEST_F(TransferSessionTest, DirtyProgrammingWithNothingFlaggedChangesNothing) {
  session.StartDirtyProgramming();
  EXPECT_EQ(session.state(), SessionState::kIdle);
  EXPECT_FALSE(session.display().status_visible);
}

TEST_F(TransferSessionTest, LateReplyStillCountsAndDuplicatesAreIgnored) {
  unit.fault().late_ticks = 2;
  session.StartRead();
  RunUntilIdle();
  EXPECT_EQ(StatusText(), "Verify: OK");

  // A stale reply for block 3 arriving while block 5 is asked for changes nothing.
  SessionFixture f;
  f.session.StartVerify();
  while (f.session.command() < 0x45) f.Tick();
  const std::uint8_t command = f.session.command();
  const LinkFrame stale = MakeFrame(0xC3, f.image.Block(3));
  f.port.PurgeReads();  // the answer to the current read is lost on the way
  f.port.Inject(stale);
  f.Tick();
  EXPECT_EQ(f.session.command(), command);
  f.RunUntilIdle();
  EXPECT_EQ(f.StatusText(), "Verify: OK");
}

TEST_F(TransferSessionTest, MonitorFrameDuringARunDoesNotAdvanceIt) {
  session.StartVerify();
  while (session.command() < 0x43) Tick();
  const std::uint8_t command = session.command();
  const int retry = session.retry_counter();
  const std::size_t sent = port.sent().size();
  std::array<std::uint8_t, kBlockSize> zeros{};
  // The pending reply to 0x43 is already queued; drop it and put a monitor frame in its place.
  port.PurgeReads();
  port.Inject(MakeFrame(kMonitorReply, zeros));
  Tick();
  EXPECT_EQ(monitor_frames, 1);
  EXPECT_EQ(session.command(), command);
  EXPECT_EQ(session.retry_counter(), retry);
  EXPECT_EQ(port.sent().size(), sent);
}

TEST_F(TransferSessionTest, FaultSwitchesGiveTheirOutcome) {
  struct Case {
    const char* name;
    void (*set)(UnitFault&);
    const char* read_result;
  };
  const Case cases[] = {
      {"bad check byte", [](UnitFault& f) { f.bad_check_byte = true; }, "Read error!"},
      {"wrong reply code", [](UnitFault& f) { f.wrong_reply_code = true; }, "Read error!"},
      {"stray bytes", [](UnitFault& f) { f.stray_bytes = 5; }, "Verify: OK"},
      {"every third frame corrupt", [](UnitFault& f) { f.corrupt_every = 3; }, "Verify: OK"},
      {"late by 3 ticks", [](UnitFault& f) { f.late_ticks = 3; }, "Verify: OK"},
  };
  for (const Case& c : cases) {
    SessionFixture f;
    c.set(f.unit.fault());
    f.session.StartRead();
    f.RunUntilIdle();
    EXPECT_EQ(f.StatusText(), c.read_result) << c.name;
  }
}

TEST_F(TransferSessionTest, WatchdogShowsNoConnectionAtSeventhTickAndReopensQuietly) {
  unit.fault().silent = true;
  port.set_present(false);
  const int opens = port.open_count();
  for (int i = 0; i < 6; ++i) Tick();
  EXPECT_FALSE(session.display().no_connection_visible);
  EXPECT_TRUE(session.display().version_visible);
  Tick();
  EXPECT_TRUE(session.display().no_connection_visible);
  EXPECT_FALSE(session.display().version_visible);
  // The first re-open comes on the 90th tick that shows the text, and says nothing.
  for (int i = 0; i < 88; ++i) Tick();
  EXPECT_EQ(port.open_count(), opens);
  Tick();
  EXPECT_EQ(port.open_count(), opens + 1);
  EXPECT_TRUE(link.quiet_open());
  EXPECT_TRUE(host.link_messages.empty());

  // The unit comes back: the next quiet re-open finds it and its frames clear the text.
  port.set_present(true);
  unit.fault().silent = false;
  for (int i = 0; i < 90; ++i) Tick();
  for (int i = 0; i < 12; ++i) Tick();
  EXPECT_FALSE(session.display().no_connection_visible);
  EXPECT_GT(monitor_frames, 0);
}

TEST_F(TransferSessionTest, PrintingKeepsTheNoConnectionTextHidden) {
  unit.fault().silent = true;
  session.SetPrinting(true);
  for (int i = 0; i < 30; ++i) Tick();
  EXPECT_FALSE(session.display().no_connection_visible);
  EXPECT_TRUE(session.display().version_visible);
}

// With fast live data a monitor request goes every tick, but never sooner than one exchange
// (52.8 ms) after the one before: a tick that comes early (a timer that fires ahead of time, or
// the tick after a late one) would meet the unit still answering. A few milliseconds missing are
// waited out; a request that would have to wait longer goes at the next tick. The times are those
// a clock gives at each tick, in microseconds.
TEST_F(TransferSessionTest, MonitorRequestsAreNeverCloserThanOneExchange) {
  ASSERT_EQ(Link::kExchangeTime, std::chrono::microseconds(52'777));
  struct Case {
    const char* name;
    std::vector<int> tick_us;
    std::vector<bool> sent;
  };
  const Case cases[] = {
      {"ticks on time", {0, 55'000, 110'000, 165'000}, {true, true, true, true}},
      {"a late tick, then one on its deadline",
       {0, 75'000, 110'000, 165'000},
       {true, true, false, true}},
      {"a timer firing 5 % early: waits the half millisecond",
       {0, 52'250, 104'500, 156'750},
       {true, true, true, true}},
      {"a tick 11 ms early: left to the next",
       {0, 41'000, 96'000, 151'000},
       {true, false, true, true}},
      {"exactly one exchange apart", {0, 52'777, 105'554}, {true, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UnitEmulator unit_here;
    MemoryUnitPort port_here{unit_here};
    RecordingHost host_here;
    ParameterImage image_here;
    IdentityBlock identity_here;
    DirtyBlockSet dirty_here;
    DeviceLoop loop_here{image_here, identity_here, dirty_here, port_here, host_here};
    std::chrono::steady_clock::time_point now{};
    loop_here.link().set_clock([&now] { return now; });
    loop_here.link().OpenLink();
    loop_here.session().set_monitor_ticks(1);
    for (std::size_t k = 0; k < c.tick_us.size(); ++k) {
      now = std::chrono::steady_clock::time_point(std::chrono::microseconds(c.tick_us[k]));
      port_here.ClearSent();
      port_here.AdvanceTick();
      loop_here.Tick();
      EXPECT_EQ(port_here.SentCodes() == std::vector<std::uint8_t>{kMonitorRequest}, c.sent[k])
          << "tick " << k;
    }
  }
  // Without a clock (ticks that take no time) every tick asks, as before.
  session.set_monitor_ticks(1);
  port.ClearSent();
  for (int k = 0; k < 3; ++k) Tick();
  EXPECT_EQ(port.SentCodes(), std::vector<std::uint8_t>(3, kMonitorRequest));
}

TEST_F(TransferSessionTest, StatusLineAndGaugeHideAfterTwoHundredTicks) {
  session.StartVerify();
  RunUntilIdle();
  ASSERT_EQ(StatusText(), "Verify: OK");
  // Shown for 200 ticks counting the one it appeared in.
  for (int i = 0; i < 198; ++i) Tick();
  EXPECT_TRUE(session.display().status_visible);
  Tick();
  EXPECT_FALSE(session.display().status_visible);
  EXPECT_FALSE(session.display().gauge_visible);
}

}  // namespace
}  // namespace korvan
