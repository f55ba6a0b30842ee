#include "link/link.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace korvan {
namespace {

// The longest a monitor request waits for the line to finish the exchange before it.
constexpr std::chrono::milliseconds kMaxMonitorWait{10};

}  // namespace

const std::string& Link::CurrentDevice() const {
  if (override_in_use_) return device_override_;
  if (!picked_device_.empty()) return picked_device_;
  return port_map_.Device(port_index_);
}

void Link::OpenLink() {
  if (port_.Open(CurrentDevice()) || quiet_open_) return;
  // "Com opening error!" first; the same box names the device and, when the platform knows,
  // why and who holds it.
  PortOpenReport report;
  report.device = CurrentDevice();
  if (!override_in_use_ && picked_device_.empty()) report.port_number = port_index_ + 1;
  switch (port_.LastOpenFailure()) {
    case OpenFailure::kMissing:
      report.reason = MessageKey::kMsgComMissing;
      break;
    case OpenFailure::kPermission:
      report.reason = MessageKey::kMsgComPermissionDenied;
      break;
    case OpenFailure::kBusy:
      report.reason = MessageKey::kMsgComBusy;
      report.holder = port_.LastHolder();
      break;
    case OpenFailure::kNone:
    case OpenFailure::kOther:
      break;
  }
  host_.ShowLinkMessage(report);
}

void Link::CloseLink() {
  if (!port_.IsOpen()) return;
  port_.PurgeReads();
  port_.Close();
}

std::optional<FrameView> Link::PollLink() {
  const std::size_t waiting = port_.BytesWaiting();
  if (waiting < static_cast<std::size_t>(kFrameSize)) return std::nullopt;
  const std::size_t wanted = std::min(waiting, kReceiveBufferSize);
  const std::size_t got = port_.Read(std::span<std::uint8_t>(receive_.data(), wanted));
  if (got < static_cast<std::size_t>(kFrameSize)) return std::nullopt;
  return FrameView(receive_.data(), kFrameSize);
}

void Link::SendFrame(const LinkFrame& frame) {
  if (port_.IsOpen()) port_.WriteAndDrain(frame);
}

bool Link::SendMonitorRequest() {
  static const LinkFrame kRequest = MakeMonitorRequest();
  if (clock_) {
    std::chrono::steady_clock::time_point now = clock_();
    if (last_monitor_request_ && now - *last_monitor_request_ < kExchangeTime) {
      // The 55 ms tick leaves only 2.2 ms over one exchange, less than a timer's wake-up jitter:
      // waiting out a short remainder keeps fast live data at every tick, while a tick that comes
      // much sooner (catching up after a late one) leaves the request to the next.
      const std::chrono::steady_clock::time_point due = *last_monitor_request_ + kExchangeTime;
      if (due - now > kMaxMonitorWait) return false;
      std::this_thread::sleep_until(due);
      // The wake-up comes a little after `due`; the next request counts from the real send.
      now = std::max(due, clock_());
    }
    last_monitor_request_ = now;
  }
  SendFrame(kRequest);
  return true;
}

void Link::MenuCom1Click(int item) {
  if (item < 0 || item >= kPortCount) return;
  port_index_ = static_cast<std::uint8_t>(item);
  override_in_use_ = false;
  picked_device_.clear();
  CloseLink();
  quiet_open_ = false;
  OpenLink();
}

void Link::UseDeviceOverride() {
  if (device_override_.empty()) return;
  override_in_use_ = true;
  CloseLink();
  quiet_open_ = false;
  OpenLink();
}

void Link::UsePickedDevice(std::string device) {
  picked_device_ = std::move(device);
  if (picked_device_.empty()) return;
  override_in_use_ = false;
  CloseLink();
  quiet_open_ = false;
  OpenLink();
}

}  // namespace korvan
