#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "emulator/unit_emulator.h"

namespace korvan {

// Serves an emulated unit on a pseudo-terminal, so the station's real serial code can talk to it
// as to a unit on a USB adapter. Replies go out at the pace of a 57600-baud line (ten bits a
// byte), late ones after their delay.
class PtyUnitServer {
 public:
  explicit PtyUnitServer(UnitEmulator& unit) : unit_(unit) {}
  ~PtyUnitServer();
  PtyUnitServer(const PtyUnitServer&) = delete;
  PtyUnitServer& operator=(const PtyUnitServer&) = delete;

  // Creates the pseudo-terminal; false with a reason when the system refuses one.
  bool Start(std::string* error);
  // The device path the station opens (/dev/pts/N).
  const std::string& path() const { return path_; }
  // Answers requests until stop becomes true.
  void Serve(const std::atomic<bool>& stop);
  // Runs fn on the unit between two service steps (for changing faults while serving).
  template <typename Fn>
  void WithUnit(Fn fn) {
    std::lock_guard<std::mutex> lock(mutex_);
    fn(unit_);
  }

 private:
  using Clock = std::chrono::steady_clock;
  struct Outgoing {
    Clock::time_point due;
    std::vector<std::uint8_t> bytes;
  };

  void ReadRequests(Clock::time_point now);
  void WriteReplies(Clock::time_point now);
  Clock::time_point NextEvent(Clock::time_point now) const;

  UnitEmulator& unit_;
  std::mutex mutex_;
  int master_ = -1;
  int slave_ = -1;  // held open so the line stays up while the station re-opens it
  std::string path_;
  std::vector<std::uint8_t> request_;
  Clock::time_point last_request_byte_{};
  std::deque<Outgoing> outgoing_;
  std::size_t sent_of_front_ = 0;
  Clock::time_point line_free_{};
};

}  // namespace korvan
