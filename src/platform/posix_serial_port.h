#pragma once

#include <termios.h>

#include <string>

#include "link/serial_port.h"

namespace korvan {

// A tty as the station's serial port: a USB adapter, an on-board port or a pseudo-terminal.
// Opened exclusively, 57600 baud 8N1, raw, no flow control, non-blocking reads.
class PosixSerialPort : public SerialPort {
 public:
  PosixSerialPort() = default;
  ~PosixSerialPort() override { Close(); }
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  bool Open(const std::string& device) override;
  bool IsOpen() const override { return fd_ >= 0; }
  OpenFailure LastOpenFailure() const override { return failure_; }
  std::size_t BytesWaiting() override;
  std::size_t Read(std::span<std::uint8_t> out) override;
  bool WriteAndDrain(std::span<const std::uint8_t> bytes) override;
  void PurgeReads() override;
  void Close() override;

 private:
  int fd_ = -1;
  OpenFailure failure_ = OpenFailure::kNone;
  bool restore_ = false;
  termios saved_{};  // the line settings found at open, written back at close
};

// Sorts an open(2) error into what the station tells the tuner.
OpenFailure OpenFailureFromErrno(int error);

// Puts an open tty into the station's line settings; false when it is not a tty.
bool ConfigureStationLine(int fd);

}  // namespace korvan
