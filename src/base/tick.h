#pragma once

namespace korvan {

// The station's one clock, in milliseconds: the window's timer, the command line's loop, the
// session's time-outs, a replay's pace and the unit emulator all count in ticks of this length.
inline constexpr int kTickMs = 55;

}  // namespace korvan
