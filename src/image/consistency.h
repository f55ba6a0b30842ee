#pragma once

// The consistency pass: a fixed list of clamps and orderings that keeps the image usable by the
// unit and by the pages. It runs at the end of every edit cycle and before anything leaves the
// station. It allocates nothing.

#include <cstdint>

#include "image/parameter_image.h"

namespace korvan {

// Station settings that live outside the image but are kept valid by the same pass.
struct StationSettings {
  std::uint8_t language_index;  // 0 English, 1 German, 2 French, 3 Czech
  std::uint8_t port_index;      // 0..19 for "Com 1".."Com 20"
};

struct ConsistencyResult {
  // Red background for the sensor voltage edits: both calibration points at the same voltage.
  bool aps_napeti1_red = false;   // EditApsNapeti1 (w4 == w6)
  bool aps_napeti2_red = false;   // EditApsNapeti2 (w4 == w6)
  bool iaps_napeti1_red = false;  // EditIapsNapeti1 (w8 == w10)
  bool iaps_napeti2_red = false;  // EditIapsNapeti2 (w8 == w10)
  // Bike codes 32 and 33 drive a single channel; the advance map is then limited by the base
  // advance plus the width of lobe.
  bool one_channel = false;
};

ConsistencyResult ApplyConsistencyRules(ParameterImage& image, StationSettings& settings);

}  // namespace korvan
