#pragma once

#include <cstdint>

namespace korvan {

// The station's own program version: a unit must report the same number, the parameter file and
// the settings file carry it in their names, and the About box shows it.
inline constexpr std::uint8_t kStationVersion = 68;

}  // namespace korvan
