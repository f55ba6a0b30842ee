#pragma once

// Two parameter images compared field by field. Every image byte belongs to at most one unit of
// the comparison: an element of a dictionary field, a map cell, an engine-speed axis point, a row
// of the IAP map's pressure axis, or the memo as a whole. A differing byte is reported through
// its unit, once, however many of the unit's bytes differ; a byte no unit owns is reported on its
// own as a raw byte, so nothing that differs is hidden.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/field_dictionary.h"
#include "image/map_storage.h"
#include "image/parameter_image.h"

namespace korvan {

enum class DiffKind : std::uint8_t {
  kField,    // an element of a dictionary field
  kMemo,     // the memo text
  kMapCell,  // a cell of one of the nine maps
  kMapAxis,  // an engine-speed axis point of a map
  kIapAxis,  // a pressure row of the IAP map
  kRaw,      // a byte that no field, map or axis owns
};

// The unit a shown value is in; kNone for counts, flags, indices and plain numbers.
enum class DiffUnit : std::uint8_t {
  kNone,
  kDegree,
  kMicroseconds,
  kPercent,
  kMillivolt,
  kRpm,
  kKilopascal
};

// One differing unit. `shown_a` / `shown_b` are the values as the page shows them (the raw byte
// for kRaw); the memo carries its texts instead.
struct DiffEntry {
  DiffKind kind = DiffKind::kRaw;
  int page = -1;                 // PageIndex; -1 for raw bytes
  const Field* field = nullptr;  // kField, kMemo
  MapId map = MapId::kAdvance;   // kMapCell, kMapAxis, kIapAxis
  int element = 0;               // field element, cell index, axis column or IAP row
  int first_byte = 0;            // image bytes [first_byte, first_byte + length)
  int length = 1;
  int shown_a = 0;
  int shown_b = 0;
  DiffUnit unit = DiffUnit::kNone;
  std::string text_a;  // kMemo
  std::string text_b;
  // kMapCell: the cell's axis values on either side (the throttle row in %, the IAP map's row in
  // kPa, the column in rpm), which differ when the sides' axes do.
  int row_value_a = 0;
  int row_value_b = 0;
  int rpm_a = 0;
  int rpm_b = 0;
  // An injection map's cell shows a percentage of its base time; these are the stored times
  // [µs], which tell two sides apart whose percentages round alike.
  int stored_a = 0;
  int stored_b = 0;
  // The bike code's entry when the bike codes differ: the bike constants (engine configuration,
  // cylinders, ...) follow from the code and go with it; the list shows no rows of their own.
  bool with_bike_constants = false;

  int row() const { return CellRow(element); }        // kMapCell
  int column() const { return CellColumn(element); }  // kMapCell
};

// The differences between a and b, grouped by page in page order (raw bytes last), in image
// byte order within a page. Empty when the images are equal.
std::vector<DiffEntry> DiffImages(const ParameterImage& a, const ParameterImage& b);

// Per page: how many units differ and the largest change (b - a, in the page's unit) by size.
struct DiffPageSummary {
  int page = -1;  // -1 gathers the raw bytes
  int count = 0;
  int cells = 0;  // of count, map cells
  int largest_change = 0;
  DiffUnit unit = DiffUnit::kNone;  // of the largest change
  int largest_entry = -1;           // the entry of the largest change, an index into the entries
};
// In page order, the raw bytes last.
std::vector<DiffPageSummary> SummarizeDiff(std::span<const DiffEntry> entries);

// Whether taking `entry` takes image byte k: its own bytes, and with the bike code the bike
// constants that follow from it.
bool DiffEntryTakes(const DiffEntry& entry, int k);

// Copies the bytes of the entries from `source` into `target` (the bike code together with its
// bike constants); nothing else changes.
void TakeDiffEntries(std::span<const DiffEntry> entries, const ParameterImage& source,
                     ParameterImage& target);

}  // namespace korvan
