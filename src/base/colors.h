#pragma once

// Every colour the station paints with, 0xRRGGBB, in one place: the pages, the map grid, the live
// display and the station set them on their controls; the window draws them, and draws its own few
// (the data log's) from here too.

#include <cstdint>

namespace korvan {

// The window's standard background: button face for labels, window colour for fields.
inline constexpr std::uint32_t kDefaultColor = 0xFF000000u;
// The button face, drawn opaque (a label that must hide what lies under it).
inline constexpr std::uint32_t kFaceColor = 0xFE000000u;

// Warnings, errors, the connection label, a check box that forbids something.
inline constexpr std::uint32_t kColorRed = 0xFF0000;
// The live cursor: the cell, axis point, row or field the engine is using now.
inline constexpr std::uint32_t kColorLime = 0x00FF00;
// A cell or value the engine uses only in part; a coolant above the hot mark.
inline constexpr std::uint32_t kColorYellow = 0xFFFF00;
inline constexpr std::uint32_t kColorFuchsia = 0xFF00FF;
// The map grid's banner when all channels are equal; the live display's inputs.
inline constexpr std::uint32_t kColorAqua = 0x00FFFF;
inline constexpr std::uint32_t kColorBlue = 0x0000FF;
// The printed sheet.
inline constexpr std::uint32_t kColorWhite = 0xFFFFFF;

// The data log window: the replay's position line over the plot, and the record button's dot
// while it records.
inline constexpr std::uint32_t kColorReplayPosition = 0xC80000;
inline constexpr std::uint32_t kColorRecordingDot = 0xDC0000;

}  // namespace korvan
