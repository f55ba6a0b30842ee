#pragma once
// A line with nothing on it, for the benches: the station's own share of a tick, without the
// emulator's.

#include <cstdint>
#include <span>
#include <string>

#include "link/serial_port.h"

namespace korvan {

struct QuietPort : SerialPort {
  bool Open(const std::string&) override { return true; }
  bool IsOpen() const override { return true; }
  std::size_t BytesWaiting() override { return 0; }
  std::size_t Read(std::span<std::uint8_t>) override { return 0; }
  bool WriteAndDrain(std::span<const std::uint8_t>) override { return true; }
  void PurgeReads() override {}
  void Close() override {}
};

}  // namespace korvan
