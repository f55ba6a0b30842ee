#include "files/parameter_set_check.h"

#include <string_view>

#include "image/consistency.h"
#include "image/field_dictionary.h"
#include "image/map_storage.h"
#include "image/word_map_state.h"
#include "model/default_set.h"

namespace korvan {

ParameterImage StartParameterSet() { return DefaultParameterSet(kStartBikeCode); }

ParameterImage NewParameterSetAsStation(int bike_code) {
  return DefaultParameterSet(bike_code, StartParameterSet());
}

StationFileRead ReadParameterSetAsStation(const std::filesystem::path& path) {
  StationFileRead read;
  read.as_read = StartParameterSet();
  // The station keeps the bike model state and the word-map state across the whole open; the
  // file's BIKE section refills both through the default set of the file's bike.
  BikeModelState bike;
  WordMapState word_maps;
  ParameterFileReadOptions options;
  options.apply_defaults = [&](ParameterImage& image) {
    ApplyDefaultSet(image, false, 0, bike, word_maps);
  };
  read.result = OpenParameterFile(path, read.as_read, options);
  read.image = read.as_read;
  StationSettings settings{0, 0};
  ApplyConsistencyRules(read.image, settings);
  return read;
}

namespace {

std::string ByteName(int k) { return "byte " + std::to_string(k); }

// A map cell or axis point that owns byte k, with its shown value in both images.
std::optional<ImageChange> MapChangeAt(int k, const ParameterImage& before,
                                       const ParameterImage& after) {
  for (const MapStorage& m : kMapTable) {
    const int cells_first = m.word_cells ? 2 * m.cell_base : m.cell_base;
    const int cell_size = m.word_cells ? 2 : 1;
    if (k >= cells_first && k < cells_first + kMapCells * cell_size) {
      const int cell = (k - cells_first) / cell_size;
      const int first = CellImageByte(m.id, cell);
      ImageChange change{first,
                         std::string(m.name) + " map row " + std::to_string(CellRow(cell)) +
                             " column " + std::to_string(CellColumn(cell)) + " (" +
                             ByteName(first) + (m.word_cells ? ", us" : "") + ")",
                         0, 0};
      if (m.word_cells) {
        // Injection times: the microseconds stored; percentages depend on the base tables.
        change.shown_before = static_cast<int>(StoredCell(before, m.id, cell));
        change.shown_after = static_cast<int>(StoredCell(after, m.id, cell));
      } else {
        change.shown_before = ShownByteCell(before, m.id, cell);
        change.shown_after = ShownByteCell(after, m.id, cell);
      }
      return change;
    }
    if (k >= m.axis_offset && k < m.axis_offset + kMapColumns) {
      const int column = k - m.axis_offset;
      return ImageChange{k,
                         std::string(m.name) + " axis point " + std::to_string(column) + " (" +
                             ByteName(k) + ", rpm)",
                         AxisRpm(before, m.id, column), AxisRpm(after, m.id, column)};
    }
  }
  return std::nullopt;
}

std::string ControlName(const Field& field, int element) {
  std::string name(field.name);
  if (field.count > 1) {
    if (field.first_control_number >= 0) {
      name += std::to_string(field.first_control_number + element);
    } else {
      // Appended piece by piece: GCC 12 warns falsely about "[" + std::string at -O2.
      name += '[';
      name += std::to_string(element);
      name += ']';
    }
  }
  return name;
}

ImageChange ChangeAt(int k, const ParameterImage& before, const ParameterImage& after) {
  if (std::optional<ImageChange> map_change = MapChangeAt(k, before, after)) return *map_change;
  if (const std::optional<FieldElement> at = FieldAtImageByte(k)) {
    const Field& f = *at->field;
    const int first = ElementOffset(f, at->element);
    const std::string place =
        f.width == FieldWidth::kWord ? "word " + std::to_string(first / 2) : ByteName(first);
    return ImageChange{first, ControlName(f, at->element) + " (" + place + ")",
                       ToShown(f, before, at->element), ToShown(f, after, at->element)};
  }
  return ImageChange{k, ByteName(k), before.Byte(k), after.Byte(k)};
}

}  // namespace

std::vector<ImageChange> DescribeImageChanges(const ParameterImage& before,
                                              const ParameterImage& after) {
  std::vector<ImageChange> changes;
  for (int k = 0; k < kImageSize; ++k) {
    if (before.Byte(k) == after.Byte(k)) continue;
    ImageChange change = ChangeAt(k, before, after);
    // Both bytes of a word name the same value.
    if (!changes.empty() && changes.back().first_byte == change.first_byte) continue;
    changes.push_back(std::move(change));
  }
  return changes;
}

std::string FormatImageChanges(const std::vector<ImageChange>& changes) {
  if (changes.empty()) return "Consistency rules: no changes\n";
  std::string out = "Consistency rules changed " + std::to_string(changes.size()) +
                    (changes.size() == 1 ? " value:\n" : " values:\n");
  for (const ImageChange& c : changes) {
    out += "  " + c.where + ": " + std::to_string(c.shown_before) + " -> " +
           std::to_string(c.shown_after) + "\n";
  }
  return out;
}

}  // namespace korvan
