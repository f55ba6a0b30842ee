#include "link/link.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/identity.h"
#include "session_fixture.h"

namespace korvan {
namespace {

TEST(LinkFrameTest, MonitorRequestOnTheWire) {
  const LinkFrame request = MakeMonitorRequest();
  EXPECT_EQ(request[0], 0x30);
  for (int i = 1; i <= 150; ++i) EXPECT_EQ(request[i], 0) << i;
  EXPECT_EQ(request[151], 0xCF);
}

TEST(LinkFrameTest, CheckByteMakesTheWholeFrameXorToFF) {
  std::array<std::uint8_t, kBlockSize> payload{};
  for (int i = 0; i < kBlockSize; ++i) payload[i] = static_cast<std::uint8_t>(i * 13);
  LinkFrame frame = MakeFrame(0x43, payload);
  EXPECT_TRUE(FrameCheckOk(frame));
  for (int flip : {0, 1, 75, 150, 151}) {
    LinkFrame bad = frame;
    bad[flip] ^= 0x10;
    EXPECT_FALSE(FrameCheckOk(bad)) << flip;
  }
}

TEST(LinkFrameTest, CommandByteEncoding) {
  EXPECT_EQ(ReadCommand(0), 0x40);
  EXPECT_EQ(ReadCommand(19), 0x53);
  EXPECT_EQ(WriteCommand(7), 0x07);
  EXPECT_EQ(ReplyCode(0x43), 0xC3);
  EXPECT_EQ(ReplyCode(kMonitorRequest), kMonitorReply);
  EXPECT_EQ(BlockOfCommand(0x53), 19);
}

class LinkTest : public ::testing::Test, public SessionFixture {};

TEST_F(LinkTest, PollWaitsForAWholeFrameAndDropsWhatFollowsIt) {
  std::vector<std::uint8_t> bytes(304);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
  port.Inject(std::span(bytes).first(151));
  EXPECT_FALSE(link.PollLink().has_value());
  EXPECT_EQ(port.BytesWaiting(), 151u);
  port.Inject(std::span(bytes).subspan(151, 1));
  auto frame = link.PollLink();
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ((*frame)[0], 0);
  EXPECT_EQ((*frame)[151], 151);

  port.Inject(bytes);
  frame = link.PollLink();
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ((*frame)[0], 0);
  EXPECT_EQ(port.BytesWaiting(), 0u);  // the second frame went with the first
}

TEST_F(LinkTest, PollDrainsAtMostTheReceiveBuffer) {
  std::vector<std::uint8_t> flood(Link::kReceiveBufferSize + 500, 0x55);
  port.Inject(flood);
  ASSERT_TRUE(link.PollLink().has_value());
  EXPECT_EQ(port.BytesWaiting(), 500u);
}

TEST_F(LinkTest, PickedPortReportsFailureEvenAfterAQuietReopen) {
  link.set_quiet_open(true);
  port.set_present(false);
  link.MenuCom1Click(4);
  EXPECT_EQ(link.port_index(), 4);
  EXPECT_EQ(port.last_device(), link.port_map().Device(4));
  EXPECT_FALSE(link.quiet_open());
  EXPECT_EQ(host.link_messages, (std::vector<MessageKey>{MessageKey::kMsgComOpenError}));
}

TEST_F(LinkTest, DeviceOverrideWinsUntilAPortIsPicked) {
  link.SetDeviceOverride("/dev/pts/7");
  link.OpenLink();
  EXPECT_EQ(port.last_device(), "/dev/pts/7");
  link.MenuCom1Click(0);
  EXPECT_EQ(port.last_device(), "/dev/ttyUSB0");
}

TEST(PortMapTest, DefaultsCoverUsbAdaptersModemsAndOnboardPorts) {
  PortMap map;
  EXPECT_EQ(map.Device(0), "/dev/ttyUSB0");
  EXPECT_EQ(map.Device(10), "/dev/ttyACM0");
  EXPECT_EQ(map.Device(19), "/dev/ttyS5");
  EXPECT_EQ(map.Device(255), "/dev/ttyUSB0");  // an index out of range falls back to Com 1
  map.SetDevice(4, "/dev/serial/by-id/korvan");
  EXPECT_EQ(map.Device(4), "/dev/serial/by-id/korvan");
}

IdentityBlock MakeIdentity(std::initializer_list<int> first_bytes) {
  IdentityBlock identity;
  int i = 0;
  for (int b : first_bytes)
    identity.bytes[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(b);
  return identity;
}

TEST(IdentityTest, TextsOfTypeDateAndTime) {
  const IdentityBlock identity = MakeIdentity({'J', 'e', 't', 1, 5, 13, 7, 9, 5});
  const IdentityTexts texts = DecodeIdentity(identity);
  EXPECT_EQ(texts.type_text, "Jet01");
  EXPECT_EQ(texts.date_text, " 5. 2.2007");
  EXPECT_EQ(texts.time_text, "09:05");
  EXPECT_EQ(DecodeIdentity(MakeIdentity({'A', 'B', 'C', 42, 28, 12, 26, 23, 59})).date_text,
            "28.12.2026");
}

// A blank identity block (type bytes 0) gives texts the labels can show: no zero characters.
TEST(IdentityTest, ZeroTypeLettersEndTheLetters) {
  struct Case {
    std::initializer_list<int> bytes;
    const char* type_text;
  };
  for (const Case& c : {Case{{0, 0, 0, 0}, "00"}, Case{{0, 0, 0, 7}, "07"},
                        Case{{'K', 0, 0, 12}, "K12"}, Case{{'K', 0, 'V', 12}, "K12"}}) {
    EXPECT_EQ(DecodeIdentity(MakeIdentity(c.bytes)).type_text, c.type_text);
  }
  EXPECT_EQ(DecodeIdentity(IdentityBlock{}).date_text, " 0.00.2000");
}

TEST(IdentityTest, MonthCodes) {
  struct Case {
    int code;
    const char* text;
  };
  for (const Case c : {Case{25, " 1"}, Case{40, " 9"}, Case{38, "10"}, Case{12, "12"},
                       Case{0, "00"}, Case{255, "00"}}) {
    EXPECT_EQ(MonthText(static_cast<std::uint8_t>(c.code)), c.text) << c.code;
  }
}

TEST(IdentityTest, LongNameReplacesTypeTextAndStopsAtThirtyCharacters) {
  IdentityBlock identity = MakeIdentity({'J', 'e', 't', 1});
  const std::string name = "KORVAN RACING UNIT NUMBER 0001";  // 30 characters, no terminator
  ASSERT_EQ(name.size(), 30u);
  for (int i = 0; i < 30; ++i) identity.bytes[16 + i] = static_cast<std::uint8_t>(name[i]);
  identity.bytes[46] = 'X';
  EXPECT_EQ(DecodeIdentity(identity).type_text, name);
  identity.bytes[20] = 0;
  EXPECT_EQ(DecodeIdentity(identity).type_text, "KORV");
}

TEST(IdentityTest, VersionAndReadPermission) {
  struct Case {
    int permission;
    int version;
    bool read_run;
    IdentityVerdict verdict;
  };
  const Case cases[] = {
      {1, 68, true, IdentityVerdict::kAccept},
      {0, 68, true, IdentityVerdict::kReadingForbidden},
      {2, 68, true, IdentityVerdict::kReadingForbidden},
      {0, 68, false, IdentityVerdict::kAccept},
      {1, 69, true, IdentityVerdict::kVersionMismatch},
      {0, 67, false, IdentityVerdict::kVersionMismatch},
  };
  for (const Case& c : cases) {
    IdentityBlock identity;
    identity.bytes[kIdentityReadPermission] = static_cast<std::uint8_t>(c.permission);
    identity.bytes[kIdentityVersion] = static_cast<std::uint8_t>(c.version);
    EXPECT_EQ(CheckIdentity(identity, c.read_run), c.verdict)
        << c.permission << " " << c.version << " " << c.read_run;
  }
}

}  // namespace
}  // namespace korvan
