#pragma once

// Every colour the station paints with, 0xRRGGBB, in one place: the pages, the map grid, the live
// display and the station set them on their controls; the window draws them, and draws its own few
// (the data log's) from here too.

#include <array>
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
inline constexpr std::uint32_t kColorBlack = 0x000000;

// The map cells' colour grades, from the lowest value on a page through the middle to the
// highest: blue, near-white, red. No green and no yellow, which stay the live cursor's.
inline constexpr std::uint32_t kGradeLow = 0x2166AC;
inline constexpr std::uint32_t kGradeMiddle = 0xF7F7F7;
inline constexpr std::uint32_t kGradeHigh = 0xB2182B;

// The data log window: the replay's position line over the plot, and the record button's dot
// while it records.
inline constexpr std::uint32_t kColorReplayPosition = 0xC80000;
inline constexpr std::uint32_t kColorRecordingDot = 0xDC0000;
// The plot's lines, one colour per channel (the channel table holds its index): far enough apart
// that two lines never look alike on white, and none the red of the replay's position line.
inline constexpr std::array<std::uint32_t, 19> kPlotPalette = {
    0x1F77B4, 0xFF7F0E, 0x2CA02C, 0x17BECF, 0x9467BD, 0xE377C2, 0x8C564B,
    0xBCBD22, 0x000000, 0x7F7F7F, 0x393B79, 0x637939, 0x8C6D31, 0x843C39,
    0x7B4173, 0x00A087, 0xF0027F, 0xFB9A99, 0x5254A3};

}  // namespace korvan
