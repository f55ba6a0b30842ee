#pragma once

// Shared helpers of the parameter file tests: hand-filled images, a stand-in for the default
// set, and the list of image bytes a file carries (written out from the format, not taken from
// the layout table, so that a mistake in the table shows).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "image/parameter_image.h"

namespace korvan::testing {

// A stand-in for the default set: every byte but the bike code gets a value that depends on the
// bike, so a test can tell which bytes came from "defaults" and of which bike.
inline void FakeDefaults(ParameterImage& image) {
  const unsigned bike = image.Byte(0);
  for (int k = 1; k < kImageSize; ++k)
    image.SetByte(k, (static_cast<unsigned>(k) * 5u + bike) & 0xFFu);
  for (int k = 2700; k < kImageSize; ++k) image.SetByte(k, 0);
}

inline std::array<bool, kImageSize> CarriedBytes() {
  struct Range {
    int first;
    int count;
  };
  constexpr Range kCarried[] = {
      {0, 2},       // bike, no reading
      {6, 16},      // w3..w10 sensors
      {22, 17},     // inputs, limiters, tps, cooling, rpm, intake port
      {40, 39},     // advance misc .. servo step motor
      {80, 59},     // corrections, n2o, display, pilot light, clutch, gear, speed mode
      {140, 14},    // w70..w76 gear voltages
      {154, 6},     // gear auto, n2o injection corrections
      {160, 2},     // w80 speed pulses
      {162, 12},    // w81..w86 gear ratios
      {174, 17},    // gear corrections, tuning
      {194, 18},    // w97..w105 coolant sensor
      {212, 10},    // w106..w110 first five air sensor points
      {284, 20},    // w142..w151 IAP rows
      {305, 195},   // position tables and all engine-speed axes
      {500, 2131},  // maps and idle
      {2700, 150},  // memo and its terminator
  };
  std::array<bool, kImageSize> carried{};
  for (const Range& range : kCarried) {
    for (int k = range.first; k < range.first + range.count; ++k)
      carried[static_cast<std::size_t>(k)] = true;
  }
  return carried;
}

// An image whose bytes follow `seed`, with what the file keeps as flags set to 0 or 1, a bike code
// with data, the channels not coupled and a memo.
inline ParameterImage FilledImage(unsigned seed, std::string_view memo) {
  ParameterImage image;
  for (int k = 0; k < kImageSize; ++k) {
    image.SetByte(
        k, (static_cast<unsigned>(k) * (seed | 1u) + seed * 17u + (static_cast<unsigned>(k) >> 3)) &
               0xFFu);
  }
  image.SetByte(0, seed % 50);
  for (int flag : {1, 58, 59, 62, 63, 66, 98, 107})
    image.SetByte(flag, (static_cast<unsigned>(flag) + seed) & 1u);
  if (image.Byte(47) == 1) image.SetByte(47, 2);
  for (int k = 2700; k < kImageSize; ++k) image.SetByte(k, 0);
  for (std::size_t i = 0; i < memo.size() && i < 149; ++i) {
    image.SetByte(2700 + static_cast<int>(i), static_cast<unsigned char>(memo[i]));
  }
  return image;
}

inline std::string WithKeyLine(std::string_view body) {
  return std::string("VELMORAX_KEY    68 \r\n") + std::string(body);
}

}  // namespace korvan::testing
