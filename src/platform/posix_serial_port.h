#pragma once

#include <termios.h>

#include <string>

#include "link/serial_port.h"
#include "platform/line_lock.h"

namespace korvan {

// A tty as the station's serial port: a USB adapter, an on-board port or a pseudo-terminal.
// Opened exclusively, 57600 baud 8N1, raw, no flow control, non-blocking reads.
//
// Exclusive by every convention other programs on Linux follow, because TIOCEXCL alone keeps out
// neither root nor a program already holding the line: the lock file in the lock folder
// (LineLockFile), an advisory lock on the device (flock), then TIOCEXCL. All are taken before the
// line is touched and held while it is open; a lock file whose process is gone is taken over.
// When the lock folder cannot be written (an ordinary user, a folder only root may write) the
// station still checks the lock files there and then goes by the flock alone.
class PosixSerialPort : public SerialPort {
 public:
  PosixSerialPort() = default;
  ~PosixSerialPort() override { Close(); }
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  bool Open(const std::string& device) override;
  bool IsOpen() const override { return fd_ >= 0; }
  OpenFailure LastOpenFailure() const override { return failure_; }
  std::optional<LineHolder> LastHolder() const override { return holder_; }
  std::size_t BytesWaiting() override;
  std::size_t Read(std::span<std::uint8_t> out) override;
  bool WriteAndDrain(std::span<const std::uint8_t> bytes) override;
  void PurgeReads() override;
  void Close() override;

 private:
  int fd_ = -1;
  OpenFailure failure_ = OpenFailure::kNone;
  std::optional<LineHolder> holder_;
  LineLockFile lock_file_;
  bool restore_ = false;
  termios saved_{};  // the line settings found at open, written back at close
};

// Sorts an open(2) error into what the station tells the tuner.
OpenFailure OpenFailureFromErrno(int error);

// Puts an open tty into the station's line settings; false when it is not a tty.
bool ConfigureStationLine(int fd);

}  // namespace korvan
