#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/link.h"
#include "session_fixture.h"

namespace korvan {
namespace {

// A port that never opens and says why, as the tty layer does after open(2) fails.
class RefusingPort : public SerialPort {
 public:
  explicit RefusingPort(OpenFailure why, std::optional<LineHolder> holder = std::nullopt)
      : why_(why), holder_(std::move(holder)) {}
  bool Open(const std::string&) override { return false; }
  bool IsOpen() const override { return false; }
  OpenFailure LastOpenFailure() const override { return why_; }
  std::optional<LineHolder> LastHolder() const override { return holder_; }
  std::size_t BytesWaiting() override { return 0; }
  std::size_t Read(std::span<std::uint8_t>) override { return 0; }
  bool WriteAndDrain(std::span<const std::uint8_t>) override { return false; }
  void PurgeReads() override {}
  void Close() override {}

 private:
  OpenFailure why_;
  std::optional<LineHolder> holder_;
};

TEST(OpenFailureTest, DocumentedMessageFirstThenTheReasonWhenKnown) {
  struct Case {
    OpenFailure why;
    std::vector<MessageKey> shown;
  };
  const Case cases[] = {
      {OpenFailure::kPermission,
       {MessageKey::kMsgComOpenError, MessageKey::kMsgComPermissionDenied}},
      {OpenFailure::kBusy, {MessageKey::kMsgComOpenError, MessageKey::kMsgComBusy}},
      {OpenFailure::kMissing, {MessageKey::kMsgComOpenError, MessageKey::kMsgComMissing}},
      {OpenFailure::kOther, {MessageKey::kMsgComOpenError}},
      {OpenFailure::kNone, {MessageKey::kMsgComOpenError}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.why));
    RefusingPort port(c.why);
    RecordingHost host;
    Link link(port, host);
    link.OpenLink();
    EXPECT_EQ(host.link_messages, c.shown);
  }
}

// "--port 5" and the Com menu name a port by its number; the message names the device behind it
// too, and a device given by its path by that path alone.
TEST(OpenFailureTest, TheMessageNamesTheDeviceThatWouldNotOpen) {
  struct Case {
    const char* how;
    int port_index;
    std::string override_device;
    std::string picked_device;
    std::string device;
    int port_number;
  };
  const Case cases[] = {
      {"Com 5", 4, "", "", "/dev/ttyUSB4", 5},
      {"Com 16", 15, "", "", "/dev/ttyS1", 16},
      {"a path on the command line", 4, "/dev/pts/7", "", "/dev/pts/7", 0},
      {"a stable name picked", 0, "", "/dev/serial/by-id/usb-FTDI-if00-port0",
       "/dev/serial/by-id/usb-FTDI-if00-port0", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    RefusingPort port(OpenFailure::kMissing);
    RecordingHost host;
    Link link(port, host);
    link.set_port_index(static_cast<std::uint8_t>(c.port_index));
    link.SetDeviceOverride(c.override_device);
    link.set_picked_device(c.picked_device);
    link.OpenLink();
    ASSERT_EQ(host.port_reports.size(), 1u);
    EXPECT_EQ(host.port_reports[0].device, c.device);
    EXPECT_EQ(host.port_reports[0].port_number, c.port_number);
  }
}

// Only a busy line has a holder worth naming; the port says who when its lock file told it.
TEST(OpenFailureTest, ABusyLineNamesItsHolderWhenKnown) {
  const LineHolder minicom{4711, "minicom"};
  struct Case {
    OpenFailure why;
    std::optional<LineHolder> told;
    std::optional<LineHolder> reported;
  };
  const Case cases[] = {
      {OpenFailure::kBusy, minicom, minicom},
      {OpenFailure::kBusy, std::nullopt, std::nullopt},
      {OpenFailure::kMissing, minicom, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.why));
    RefusingPort port(c.why, c.told);
    RecordingHost host;
    Link link(port, host);
    link.OpenLink();
    ASSERT_EQ(host.port_reports.size(), 1u);
    EXPECT_EQ(host.port_reports[0].holder, c.reported);
  }
}

TEST(OpenFailureTest, QuietOpenShowsNothingWhateverTheReason) {
  RefusingPort port(OpenFailure::kPermission);
  RecordingHost host;
  Link link(port, host);
  link.set_quiet_open(true);
  link.OpenLink();
  EXPECT_TRUE(host.link_messages.empty());
}

}  // namespace
}  // namespace korvan
