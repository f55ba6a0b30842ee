#pragma once

#include <optional>
#include <string>

#include "files/map_csv.h"
#include "image/map_storage.h"
#include "image/parameter_image.h"

namespace korvan::cli {

struct MapImportOptions {
  bool stored = false;     // the cells are stored values, not shown ones
  bool take_axes = false;  // the engine speeds (and the IAP map's pressures) come from the CSV
};

// What an import changed in the map it was given.
struct MapImportCount {
  int cells = 0;
  int axis_points = 0;
};

// A map's page as the window's tab names it in English ("Inj. 1"), for the command line's words.
std::string MapPageName(MapId map);

// Takes a map read from CSV into the set as typing it into the page would: a cell's shown value
// is stored as the page stores it (a word map's percent on the cell's base time, a servo map's mV
// divided by 20), a cell whose value is the one the page shows now keeps its stored value, and
// a change of Inj-1A moves Inj-2A..4A with it while the channels are coupled (they take it
// whole in the all-equal mode). Every value is checked first: an engine speed or pressure that
// differs from the set's without `take_axes`, a throttle row other than the page's, a cell
// outside the page's range, or any change of Inj-2A..4A while they follow Inj-1A is refused with
// its place, and the set is then left as it was. The consistency rules are the caller's.
std::optional<MapCsvError> ImportMapCsv(ParameterImage& image, MapId map, const MapCsv& csv,
                                        const MapImportOptions& options,
                                        MapImportCount* count = nullptr);

}  // namespace korvan::cli
