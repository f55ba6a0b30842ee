#include "link/link.h"

#include <algorithm>

namespace korvan {

const std::string& Link::CurrentDevice() const {
  if (override_in_use_) return device_override_;
  if (!picked_device_.empty()) return picked_device_;
  return port_map_.Device(port_index_);
}

void Link::OpenLink() {
  if (port_.Open(CurrentDevice()) || quiet_open_) return;
  // "Com opening error!" first; when the platform knows why, the same box says so.
  std::optional<MessageKey> reason;
  switch (port_.LastOpenFailure()) {
    case OpenFailure::kMissing:
      reason = MessageKey::kMsgComMissing;
      break;
    case OpenFailure::kPermission:
      reason = MessageKey::kMsgComPermissionDenied;
      break;
    case OpenFailure::kBusy:
      reason = MessageKey::kMsgComBusy;
      break;
    case OpenFailure::kNone:
    case OpenFailure::kOther:
      break;
  }
  host_.ShowLinkMessage(MessageKey::kMsgComOpenError, reason);
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
    const std::chrono::steady_clock::time_point now = clock_();
    if (last_monitor_request_ && now - *last_monitor_request_ < kExchangeTime) return false;
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
