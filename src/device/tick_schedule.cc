#include "device/tick_schedule.h"

namespace korvan {

TickSchedule::Clock::time_point TickSchedule::Next(Clock::time_point now) {
  if (started_) next_ += kTick;
  if (!started_ || now - next_ > kMaxBehindTicks * kTick) next_ = now + kTick;
  started_ = true;
  return next_;
}

}  // namespace korvan
