#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/message_key.h"
#include "link/link_frame.h"
#include "link/port_map.h"
#include "link/serial_port.h"

namespace korvan {

// A port that would not open, as the message box tells it: key is the station's usual text
// ("Com opening error!"); then the device tried (with its port number when it is a numbered
// port's), reason when the system knows why (missing, permission, busy) and, for a busy line,
// the program its lock file names.
struct PortOpenReport {
  MessageKey key = MessageKey::kMsgComOpenError;
  std::optional<MessageKey> reason;
  std::string device;
  int port_number = 0;  // 1..20, or 0 for a device given by its path
  std::optional<LineHolder> holder;
};

// What the link asks of whoever hosts it: a message box for a port that cannot be opened.
class LinkHost {
 public:
  virtual ~LinkHost() = default;
  virtual void ShowLinkMessage(const PortOpenReport& report) = 0;
};

// The monotonic time the line's requests are spaced by.
using LineClock = std::function<std::chrono::steady_clock::time_point()>;

// The station's end of the serial line: which port, opening and closing it, draining received
// bytes once per tick and sending frames. It keeps no protocol state: that is the session's.
class Link {
 public:
  // Everything drained in one poll lands here; only its first frame is looked at.
  static constexpr std::size_t kReceiveBufferSize = 15000;
  // One exchange on the line: a request and the unit's reply, 152 bytes each at 57600 baud and
  // ten bits a byte (52.8 ms). A request sent sooner after the one before meets the unit still
  // answering, and the unit drops it.
  static constexpr std::chrono::microseconds kExchangeTime{2LL * kFrameSize * 10 * 1'000'000 /
                                                           57600};

  Link(SerialPort& port, LinkHost& host) : port_(port), host_(host) {}

  void OpenLink();
  void CloseLink();
  // When at least one frame's worth of bytes waits, drains up to 15000 bytes and returns the
  // first 152 of them; anything after the first frame is dropped (the unit only speaks when asked,
  // so the next request re-aligns the stream).
  std::optional<FrameView> PollLink();
  void SendFrame(const LinkFrame& frame);
  // Sends a monitor request, never less than one exchange time after the last one by the clock:
  // when only a few milliseconds are missing (a tick woken a little early or late) it waits for
  // them, otherwise nothing is sent and the answer is false (the caller asks again at its next
  // tick).
  bool SendMonitorRequest();
  // The clock the monitor requests are spaced by. Without one (tests whose ticks take no time)
  // every request goes when asked; the window and the command line give the real one.
  void set_clock(LineClock clock) { clock_ = std::move(clock); }
  // A port picked from the menu (item 0..19): re-open there and report a failure even when the
  // last automatic re-open was quiet.
  void MenuCom1Click(int item);

  std::uint8_t port_index() const { return port_index_; }
  void set_port_index(std::uint8_t index) { port_index_ = index; }
  bool quiet_open() const { return quiet_open_; }
  void set_quiet_open(bool quiet) { quiet_open_ = quiet; }
  PortMap& port_map() { return port_map_; }
  const PortMap& port_map() const { return port_map_; }
  // A device given on the command line wins over the port number until a port is picked; it stays
  // known, so that the user can return to it.
  void SetDeviceOverride(std::string device) {
    device_override_ = std::move(device);
    override_in_use_ = !device_override_.empty();
  }
  const std::string& device_override() const { return device_override_; }
  bool override_in_use() const { return override_in_use_; }
  // Back to the command line's device from a picked port: re-open there, reporting a failure.
  void UseDeviceOverride();
  // A device picked by its path (a stable name under /dev/serial/by-id): used instead of the
  // numbered port until a port or the command line's device is picked; re-opens, reporting a
  // failure. An empty path drops the pick without re-opening.
  void UsePickedDevice(std::string device);
  // Set at start from the settings, before the first open; no re-open, nothing reported.
  void set_picked_device(std::string device) { picked_device_ = std::move(device); }
  const std::string& picked_device() const { return picked_device_; }
  bool picked_in_use() const { return !override_in_use_ && !picked_device_.empty(); }
  const std::string& CurrentDevice() const;
  bool IsOpen() const { return port_.IsOpen(); }

 private:
  SerialPort& port_;
  LinkHost& host_;
  PortMap port_map_;
  std::string device_override_;
  bool override_in_use_ = false;
  std::string picked_device_;
  std::uint8_t port_index_ = 0;
  bool quiet_open_ = false;
  LineClock clock_;
  std::optional<std::chrono::steady_clock::time_point> last_monitor_request_;
  std::array<std::uint8_t, kReceiveBufferSize> receive_{};
};

}  // namespace korvan
