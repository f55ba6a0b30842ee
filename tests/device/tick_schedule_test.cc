#include "device/tick_schedule.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace korvan {
namespace {

using Clock = TickSchedule::Clock;
using std::chrono::microseconds;

Clock::time_point At(microseconds t) { return Clock::time_point(t); }

// A timer that runs each tick some time off its deadline (the offsets repeat): where the ticks
// run over a minute. The schedule is asked for the next deadline after every tick, as the window
// does.
std::vector<Clock::time_point> RunTicks(const std::vector<microseconds>& offsets, int ticks) {
  TickSchedule schedule;
  std::vector<Clock::time_point> ran;
  Clock::time_point due = schedule.Next(At(microseconds(0)));
  for (int k = 0; k < ticks; ++k) {
    const Clock::time_point now = due + offsets[static_cast<std::size_t>(k) % offsets.size()];
    ran.push_back(now);
    due = schedule.Next(now);
  }
  return ran;
}

// The tick keeps its 55 ms on average whatever the timer does around each deadline: one that
// fires up to 5 % early, one woken late, both mixed. A restarted 55 ms interval would take the
// early firing as the pace (52.25 ms) and add every late wake-up to all the ticks after it.
TEST(TickScheduleTest, TicksKeepFiftyFiveMillisecondsOverAMinute) {
  struct Case {
    const char* name;
    std::vector<microseconds> offsets;
  };
  const Case cases[] = {
      {"on time", {microseconds(0)}},
      {"up to 5 % early", {microseconds(-2'750), microseconds(-1'000), microseconds(0)}},
      {"woken late", {microseconds(1'000), microseconds(7'000), microseconds(30'000)}},
      {"early and late", {microseconds(-2'750), microseconds(12'000), microseconds(-500)}},
  };
  constexpr int kMinute = 60'000 / 55;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Clock::time_point> ran = RunTicks(c.offsets, kMinute + 1);
    const double mean_ms =
        std::chrono::duration<double, std::milli>(ran.back() - ran.front()).count() / kMinute;
    EXPECT_NEAR(mean_ms, 55.0, 0.05);
  }
}

TEST(TickScheduleTest, ALateTickShortensTheWaitAndAHoldUpStartsAfresh) {
  struct Case {
    const char* name;
    microseconds runs_at;  // the second tick, due at 110 ms
    microseconds next;     // when the schedule wants the third
  };
  const Case cases[] = {
      {"on its deadline", microseconds(110'000), microseconds(165'000)},
      {"20 ms late: the next one comes 35 ms after", microseconds(130'000), microseconds(165'000)},
      {"early: the next one keeps its deadline", microseconds(107'250), microseconds(165'000)},
      {"four ticks behind: still caught up", microseconds(385'000), microseconds(165'000)},
      {"held up longer: counted afresh from then", microseconds(500'000), microseconds(555'000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TickSchedule schedule;
    ASSERT_EQ(schedule.Next(At(microseconds(0))), At(microseconds(55'000)));
    ASSERT_EQ(schedule.Next(At(microseconds(55'000))), At(microseconds(110'000)));
    EXPECT_EQ(schedule.Next(At(c.runs_at)), At(c.next));
  }
}

}  // namespace
}  // namespace korvan
