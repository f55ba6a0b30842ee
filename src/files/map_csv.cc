#include "files/map_csv.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <vector>

#include "image/word_map_state.h"
#include "model/base_tables.h"

namespace korvan {
namespace {

constexpr int kFieldsPerLine = kMapColumns + 1;  // the axis value, then the 15 columns

// One field of a line and the column it stood in.
struct CsvField {
  std::string text;
  int column;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The separator a spreadsheet chose: the one the header line holds most of. A German or French
// spreadsheet writes semicolons, a copy out of a text editor may hold tabs.
char SeparatorOf(std::string_view header) {
  std::size_t commas = 0, semicolons = 0, tabs = 0;
  bool quoted = false;
  for (char c : header) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    commas += c == ',';
    semicolons += c == ';';
    tabs += c == '\t';
  }
  if (semicolons > commas && semicolons >= tabs) return ';';
  if (tabs > commas && tabs > semicolons) return '\t';
  return ',';
}

// Splits a line at the separator; a field in double quotes may hold the separator, and two
// quotes stand for one. Spaces around a field are not part of it.
std::vector<CsvField> SplitFields(std::string_view line, char separator) {
  std::vector<CsvField> fields;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i == line.size() || (!quoted && line[i] == separator)) {
      fields.push_back({std::string(Trimmed(field)), static_cast<int>(fields.size()) + 1});
      field.clear();
      continue;
    }
    const char c = line[i];
    if (c == '"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
      continue;
    }
    field += c;
  }
  return fields;
}

std::optional<MapCsvError> ParseWhole(const CsvField& field, int line, long* value) {
  const std::string& t = field.text;
  const char* begin = t.data();
  if (!t.empty() && t[0] == '+') ++begin;
  const auto [end, ec] = std::from_chars(begin, t.data() + t.size(), *value);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size()) {
    return MapCsvError{{line, field.column},
                       t.empty() ? "empty field, a whole number is needed"
                                 : "\"" + t + "\" is not a whole number"};
  }
  return std::nullopt;
}

// The line's fields as numbers into `values` (field 1 is the corner of the header: not read);
// too few fields, or anything in a field past the 16th, is an error.
std::optional<MapCsvError> ReadLine(const std::vector<CsvField>& fields, int line, bool header,
                                    std::array<long, kFieldsPerLine>* values) {
  const char* what = header ? "engine speeds" : "values";
  if (fields.size() < kFieldsPerLine) {
    return MapCsvError{{line, static_cast<int>(fields.size()) + 1},
                       "the line holds " + std::to_string(fields.size() - 1) + " " + what + ", " +
                           std::to_string(kMapColumns) + " are needed"};
  }
  for (std::size_t f = kFieldsPerLine; f < fields.size(); ++f) {
    if (!fields[f].text.empty()) {
      return MapCsvError{{line, fields[f].column},
                         std::string("more than ") + std::to_string(kMapColumns) + " " + what};
    }
  }
  for (int f = header ? 1 : 0; f < kFieldsPerLine; ++f) {
    const auto i = static_cast<std::size_t>(f);
    if (auto error = ParseWhole(fields[i], line, &(*values)[i])) return error;
  }
  return std::nullopt;
}

}  // namespace

CsvPlace RpmPlace(const MapCsv& csv, int column) { return {csv.header_line, column + 2}; }

CsvPlace RowAxisPlace(const MapCsv& csv, int row) {
  return {csv.row_lines[static_cast<std::size_t>(row)], 1};
}

CsvPlace CellPlace(const MapCsv& csv, int cell) {
  return {csv.row_lines[static_cast<std::size_t>(CellRow(cell))], CellColumn(cell) + 2};
}

MapCsv MapCsvOf(const ParameterImage& image, MapId map, bool stored) {
  MapCsv csv;
  for (int col = 0; col < kMapColumns; ++col) {
    csv.rpm[static_cast<std::size_t>(col)] = AxisRpm(image, map, col);
  }
  for (int row = 0; row < kMapRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    csv.rows[r] = map == MapId::kInjIap ? image.Word(kIapRowAxisWord + row) : kThrottleRows[r];
    csv.row_lines[r] = row + 2;
  }
  const std::optional<WordMap> word_map = WordMapOfMap(map);
  WordMapState state;
  if (word_map && !stored) ComputeBaseTimes(image, state);
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    const unsigned value = StoredCell(image, map, cell);
    if (stored) {
      csv.cells[i] = value;
    } else if (word_map) {
      csv.cells[i] = PercentFromWord(value, state.BaseTime(*word_map)[i]);
    } else {
      csv.cells[i] = ShownByteCell(image, map, cell);
    }
  }
  return csv;
}

std::string FormatMapCsv(const MapCsv& csv, MapId map) {
  std::string text = map == MapId::kInjIap ? "IAP [kPa] / RPM" : "TPS [%] / RPM";
  for (long rpm : csv.rpm) text += "," + std::to_string(rpm);
  text += '\n';
  for (int row = 0; row < kMapRows; ++row) {
    text += std::to_string(csv.rows[static_cast<std::size_t>(row)]);
    for (int col = 0; col < kMapColumns; ++col) {
      text += "," + std::to_string(csv.cells[static_cast<std::size_t>(CellIndex(row, col))]);
    }
    text += '\n';
  }
  return text;
}

std::optional<MapCsvError> ParseMapCsv(std::string_view text, MapCsv* csv) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  char separator = ',';
  int rows_read = 0;
  bool header_read = false;
  int line = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    ++line;
    const std::size_t end = text.find_first_of("\r\n", at);
    const std::string_view content =
        text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    at = end == std::string_view::npos ? text.size() : end + 1;
    if (end != std::string_view::npos && text[end] == '\r' && at < text.size() &&
        text[at] == '\n') {
      ++at;
    }
    if (Trimmed(content).empty()) continue;
    if (!header_read) separator = SeparatorOf(content);
    const std::vector<CsvField> fields = SplitFields(content, separator);
    // A sheet whose used range reaches below the table writes lines of separators alone.
    if (std::all_of(fields.begin(), fields.end(),
                    [](const CsvField& f) { return f.text.empty(); })) {
      continue;
    }
    std::array<long, kFieldsPerLine> values{};
    if (header_read && rows_read == kMapRows) {
      return MapCsvError{{line, 1}, "more than " + std::to_string(kMapRows) + " rows of values"};
    }
    if (auto error = ReadLine(fields, line, !header_read, &values)) return error;
    if (!header_read) {
      header_read = true;
      csv->header_line = line;
      for (int col = 0; col < kMapColumns; ++col) {
        csv->rpm[static_cast<std::size_t>(col)] = values[static_cast<std::size_t>(col) + 1];
      }
      continue;
    }
    const auto r = static_cast<std::size_t>(rows_read);
    csv->row_lines[r] = line;
    csv->rows[r] = values[0];
    for (int col = 0; col < kMapColumns; ++col) {
      csv->cells[static_cast<std::size_t>(CellIndex(rows_read, col))] =
          values[static_cast<std::size_t>(col) + 1];
    }
    ++rows_read;
  }
  if (!header_read) return MapCsvError{{1, 1}, "the file holds no table"};
  if (rows_read < kMapRows) {
    return MapCsvError{{line + 1, 1},
                       "the table ends after " + std::to_string(rows_read) + " rows of values, " +
                           std::to_string(kMapRows) + " are needed"};
  }
  return std::nullopt;
}

}  // namespace korvan
