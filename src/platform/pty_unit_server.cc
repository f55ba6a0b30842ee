#include "platform/pty_unit_server.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/tick.h"
#include "platform/posix_serial_port.h"

namespace korvan {
namespace {

// 57600 baud at ten bits a character.
constexpr auto kByteTime = std::chrono::microseconds(1'000'000 / 5760);
constexpr std::size_t kChunk = 16;
// A request whose rest does not follow within this time was broken off; the unit forgets it.
constexpr auto kRequestGap = std::chrono::milliseconds(30);
constexpr auto kTick = std::chrono::milliseconds(kTickMs);

}  // namespace

PtyUnitServer::~PtyUnitServer() {
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

bool PtyUnitServer::Start(std::string* error) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    if (error) *error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  const char* name = ptsname(master_);
  if (name == nullptr) {
    if (error) *error = "cannot name the pseudo-terminal";
    return false;
  }
  path_ = name;
  slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0 || !ConfigureStationLine(slave_)) {
    if (error) *error = "cannot configure " + path_;
    return false;
  }
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  return true;
}

void PtyUnitServer::ReadRequests(Clock::time_point now) {
  std::uint8_t buffer[512];
  for (;;) {
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    if (!request_.empty() && now - last_request_byte_ > kRequestGap) request_.clear();
    request_.insert(request_.end(), buffer, buffer + n);
    last_request_byte_ = now;
  }
  while (request_.size() >= static_cast<std::size_t>(kFrameSize)) {
    LinkFrame frame{};
    std::copy_n(request_.begin(), kFrameSize, frame.begin());
    request_.erase(request_.begin(), request_.begin() + kFrameSize);
    UnitReply reply;
    int late_ticks = 0;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      reply = unit_.Answer(frame);
      late_ticks = unit_.fault().late_ticks;
    }
    if (reply.size == 0) continue;
    outgoing_.push_back(
        Outgoing{now + late_ticks * kTick,
                 std::vector<std::uint8_t>(reply.bytes.begin(),
                                           reply.bytes.begin() + static_cast<long>(reply.size))});
  }
}

void PtyUnitServer::WriteReplies(Clock::time_point now) {
  while (!outgoing_.empty() && outgoing_.front().due <= now && line_free_ <= now) {
    Outgoing& front = outgoing_.front();
    const std::size_t n = std::min(kChunk, front.bytes.size() - sent_of_front_);
    const ssize_t written = ::write(master_, front.bytes.data() + sent_of_front_, n);
    if (written <= 0) {
      // Nobody reads the line: the reply is lost, as it would be on a cable with no station.
      outgoing_.pop_front();
      sent_of_front_ = 0;
      continue;
    }
    sent_of_front_ += static_cast<std::size_t>(written);
    line_free_ = std::max(line_free_, now) + static_cast<long>(written) * kByteTime;
    if (sent_of_front_ == front.bytes.size()) {
      outgoing_.pop_front();
      sent_of_front_ = 0;
    }
  }
}

PtyUnitServer::Clock::time_point PtyUnitServer::NextEvent(Clock::time_point now) const {
  Clock::time_point next = now + std::chrono::milliseconds(20);
  if (!outgoing_.empty()) next = std::min(next, std::max(outgoing_.front().due, line_free_));
  return next;
}

void PtyUnitServer::Serve(const std::atomic<bool>& stop) {
  Clock::time_point last = Clock::now();
  while (!stop.load()) {
    const Clock::time_point now = Clock::now();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - last);
    if (elapsed.count() > 0) {
      std::lock_guard<std::mutex> lock(mutex_);
      unit_.Advance(static_cast<int>(elapsed.count()));
      last += elapsed;
    }
    ReadRequests(now);
    WriteReplies(now);
    const auto wait =
        std::chrono::duration_cast<std::chrono::microseconds>(NextEvent(now) - Clock::now());
    pollfd fd{master_, POLLIN, 0};
    const int timeout_ms = static_cast<int>(std::max<long>(0, (wait.count() + 999) / 1000));
    ::poll(&fd, 1, timeout_ms);
  }
}

}  // namespace korvan
