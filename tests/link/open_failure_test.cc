#include <gtest/gtest.h>

#include <vector>

#include "link/link.h"
#include "session_fixture.h"

namespace korvan {
namespace {

// A port that never opens and says why, as the tty layer does after open(2) fails.
class RefusingPort : public SerialPort {
 public:
  explicit RefusingPort(OpenFailure why) : why_(why) {}
  bool Open(const std::string&) override { return false; }
  bool IsOpen() const override { return false; }
  OpenFailure LastOpenFailure() const override { return why_; }
  std::size_t BytesWaiting() override { return 0; }
  std::size_t Read(std::span<std::uint8_t>) override { return 0; }
  bool WriteAndDrain(std::span<const std::uint8_t>) override { return false; }
  void PurgeReads() override {}
  void Close() override {}

 private:
  OpenFailure why_;
};

TEST(OpenFailureTest, DocumentedMessageFirstThenTheReasonWhenKnown) {
  struct Case {
    OpenFailure why;
    std::vector<MessageKey> shown;
  };
  const Case cases[] = {
      {OpenFailure::kPermission, {MessageKey::kMsgComOpenError, MessageKey::kMsgComPermissionDenied}},
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
