#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "emulator/unit_emulator.h"
#include "link/serial_port.h"

namespace korvan {

// A serial port wired straight to an emulated unit, for tests: a written frame is answered at
// once (or after the unit's late ticks), and time moves only when the test says a tick passed.
class MemoryUnitPort : public SerialPort {
 public:
  explicit MemoryUnitPort(UnitEmulator& unit) : unit_(unit) {}

  bool Open(const std::string& device) override;
  bool IsOpen() const override { return open_; }
  std::size_t BytesWaiting() override;
  std::size_t Read(std::span<std::uint8_t> out) override;
  bool WriteAndDrain(std::span<const std::uint8_t> bytes) override;
  void PurgeReads() override { received_.clear(); }
  void Close() override { open_ = false; }

  // One 55 ms tick passes: late replies come due and the engine moves on.
  void AdvanceTick();
  // Bytes that arrive on the line as if the unit had sent them.
  void Inject(std::span<const std::uint8_t> bytes);

  // Whether a device can be opened (a plugged-in interface).
  void set_present(bool present) { present_ = present; }
  int open_count() const { return open_count_; }
  const std::string& last_device() const { return last_device_; }
  // Every frame the station wrote, in order.
  const std::vector<LinkFrame>& sent() const { return sent_; }
  void ClearSent() { sent_.clear(); }
  // Command bytes of every frame written, in order (the monitor request included).
  std::vector<std::uint8_t> SentCodes() const;

 private:
  struct Pending {
    long due_tick;
    UnitReply reply;
  };

  UnitEmulator& unit_;
  bool present_ = true;
  bool open_ = false;
  int open_count_ = 0;
  std::string last_device_;
  long tick_ = 0;
  std::deque<Pending> pending_;
  std::deque<std::uint8_t> received_;
  std::vector<std::uint8_t> write_buffer_;
  std::vector<LinkFrame> sent_;
};

}  // namespace korvan
