#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace korvan {

// Moves bytes to and from one serial device. The station opens it exclusively at 57600 baud,
// 8 data bits, no parity, one stop bit, raw, without flow control. Implementations: the real tty
// (platform/) and an in-memory port wired to the unit emulator.
// Why the last Open failed, as far as the platform can tell.
enum class OpenFailure { kNone, kMissing, kPermission, kBusy, kOther };

// The program that holds a busy line, as its lock file names it.
struct LineHolder {
  int pid = 0;
  std::string program;  // the kernel's name for it ("minicom"); empty when unknown
  bool operator==(const LineHolder&) const = default;
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Opens the device; false when it is missing, busy or not a tty. Replaces any open device.
  virtual bool Open(const std::string& device) = 0;
  virtual bool IsOpen() const = 0;
  // Why the last Open returned false; kNone when it succeeded or the port cannot tell.
  virtual OpenFailure LastOpenFailure() const { return OpenFailure::kNone; }
  // Who holds the line when the last Open found it busy and the holder could be told.
  virtual std::optional<LineHolder> LastHolder() const { return std::nullopt; }
  // Bytes waiting in the input queue (0 when closed). Clears line error state.
  virtual std::size_t BytesWaiting() = 0;
  // Reads up to out.size() waiting bytes without blocking; returns how many were read.
  virtual std::size_t Read(std::span<std::uint8_t> out) = 0;
  // Writes all bytes and returns once they have left the driver.
  virtual bool WriteAndDrain(std::span<const std::uint8_t> bytes) = 0;
  // Drops bytes that are waiting to be read.
  virtual void PurgeReads() = 0;
  virtual void Close() = 0;
};

}  // namespace korvan
