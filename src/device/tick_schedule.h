#pragma once

#include <chrono>

#include "base/tick.h"

namespace korvan {

// When the 55 ms tick is due, on a monotonic clock. The n-th tick is due at start + n x 55 ms:
// a tick that runs late shortens the wait for the next one, so the ticks keep 55 ms on average
// however the timer rounds or early or late the system wakes the program. A program held up
// for longer than a few ticks (a modal box, a suspended machine) starts counting afresh from
// then instead of running the missed ticks back to back.
class TickSchedule {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kTick{kTickMs};
  static constexpr int kMaxBehindTicks = 4;

  // A tick runs now: when the next one is due.
  Clock::time_point Next(Clock::time_point now);

 private:
  Clock::time_point next_{};
  bool started_ = false;
};

}  // namespace korvan
