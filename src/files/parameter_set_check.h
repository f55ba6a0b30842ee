#pragma once

// Whole parameter sets outside the window: the default set of a bike, a parameter file read the
// way the station opens it, and what the consistency rules change in a set, named field by field.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/parameter_file.h"
#include "image/parameter_image.h"
#include "model/default_set.h"

namespace korvan {

inline constexpr int kFirstBikeCode = 0;
inline constexpr int kLastBikeCode = 49;
// The bike whose default set the station holds when it starts.
inline constexpr int kStartBikeCode = 11;

// The start set: what the station holds after start-up without saved settings, the default set
// of bike 11 after the consistency rules.
ParameterImage StartParameterSet();

// What "New" gives in the window right after start once the bike is chosen: the start set with
// the bike code, the whole default set of that bike over it, then the consistency rules. Bytes
// the default set leaves alone keep the start set's values, as they do in the window.
ParameterImage NewParameterSetAsStation(int bike_code);

struct StationFileRead {
  ParameterFileReadResult result;
  ParameterImage as_read;  // the image as the file left it, before the consistency rules
  ParameterImage image;    // after the consistency rules; what the station would hold
};

// Opens a parameter file as the station does right after start: the image holds the default set
// of bike 11; the file's BIKE section applies the whole default set of the file's bike; then the
// consistency rules run. When the file is not read, both images keep the start set.
StationFileRead ReadParameterSetAsStation(const std::filesystem::path& path);

// One value the consistency rules (or anything else) changed, with the values the pages show.
struct ImageChange {
  int first_byte;     // image byte where the value starts
  std::string where;  // "JetTpsMax (byte 49)", "Advance map row 2 column 3 (byte 532)", ...
  int shown_before;
  int shown_after;
};

// Every value that differs between the two images, in image order; a word counts once.
std::vector<ImageChange> DescribeImageChanges(const ParameterImage& before,
                                              const ParameterImage& after);

// "  where: before -> after" lines, or one line saying nothing changed.
std::string FormatImageChanges(const std::vector<ImageChange>& changes);

}  // namespace korvan
