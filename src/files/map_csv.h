#pragma once

// One map of a set as CSV text, for tuners who keep maps in spreadsheets and scripts: the
// engine-speed axis [rpm] is the header row, the throttle rows [%] (the IAP map's pressure rows
// [kPa]) are the first column, and the ten rows follow in the page's order, row 0 first. A cell
// holds the value the map page shows (degrees, percent of the base time, servo percent or mV), or
// with `stored` the raw byte or word the image holds. The reader takes what spreadsheets write:
// commas, semicolons or tabs, quoted fields, a byte-order mark, any line ends, blank lines and
// lines of empty fields; it says where a table goes wrong by line and column.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "image/map_storage.h"
#include "image/parameter_image.h"

namespace korvan {

struct MapCsv {
  std::array<long, kMapColumns> rpm{};
  std::array<long, kMapRows> rows{};  // throttle [%], or pressure [kPa] for the IAP map
  std::array<long, kMapCells> cells{};
  // Where the table stood in the text it was read from (lines from 1), so that a value found
  // wrong later is named where the user wrote it.
  int header_line = 1;
  std::array<int, kMapRows> row_lines{};
};

// A place in the CSV text: line and field, both counted from 1.
struct CsvPlace {
  int line = 0;
  int column = 0;
};
CsvPlace RpmPlace(const MapCsv& csv, int column);
CsvPlace RowAxisPlace(const MapCsv& csv, int row);
CsvPlace CellPlace(const MapCsv& csv, int cell);

struct MapCsvError {
  CsvPlace place;
  std::string reason;
};

// The map as its page shows it (`stored`: as the image holds it), with its axes. A word map's
// cells are percent of each cell's base time as computed, not limited to the field's 1000, so
// that such a cell reads back as it is.
MapCsv MapCsvOf(const ParameterImage& image, MapId map, bool stored);

// The CSV text: comma separated, LF line ends, the corner cell naming the two axes.
std::string FormatMapCsv(const MapCsv& csv, MapId map);

// Reads a table of the layout above: a header of a corner cell and 15 engine speeds, then ten
// rows of an axis value and 15 cells, all whole numbers. Fields past the 16th must be empty.
// Nothing but the numbers is checked here; the error names the first place that does not fit.
std::optional<MapCsvError> ParseMapCsv(std::string_view text, MapCsv* csv);

}  // namespace korvan
