// Compile-time checks of the field dictionary and the map table: every field lies inside the
// image, ranges are ordered and fit the stored width, names and file slots are unique, and the
// fields, maps, axes, bike constants and unused bytes together cover each image byte once.

#include <array>

#include "image/field_table.h"
#include "image/map_storage.h"

namespace korvan {
namespace {

constexpr int ElementSize(const Field& f) { return f.width == FieldWidth::kWord ? 2 : 1; }

constexpr bool FieldsInsideImage() {
  for (const Field& f : kFieldTable) {
    if (f.offset < 0 || f.count < 1 || f.offset + f.count * ElementSize(f) > kImageSize) {
      return false;
    }
    if (f.width == FieldWidth::kWord && f.offset % 2 != 0) return false;
  }
  return true;
}

// Stored value of a shown value before the width mask, for the fixed conversions.
constexpr int Unmasked(const Field& f, int shown) {
  switch (f.conversion) {
    case Conversion::kScaled:
      return shown / f.scale;
    case Conversion::kOffset:
      return shown + f.bias;
    case Conversion::kTpsHigh:
      return shown / 10 + 6 - 256;  // equals (shown - 2500) / 10 within the range
    case Conversion::kIdleServo:
      return shown / 50;  // the largest table maximum, 12000 at step 50
    case Conversion::kPlain:
      break;
  }
  return shown;
}

// The range is ordered and both ends store without losing bits.
constexpr bool RangesFitTheirWidth() {
  for (const Field& f : kFieldTable) {
    if (f.min > f.max || f.step < 1) return false;
    if (f.kind == FieldKind::kText) continue;
    const int limit = f.width == FieldWidth::kWord ? 0xFFFF : 0xFF;
    const int lo = Unmasked(f, f.min);
    const int hi = Unmasked(f, f.max);
    if (lo < 0 || hi > limit) return false;
  }
  return true;
}

constexpr bool NamesUnique() {
  for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
    for (std::size_t j = i + 1; j < kFieldTable.size(); ++j) {
      if (kFieldTable[i].name == kFieldTable[j].name) return false;
    }
  }
  return true;
}

constexpr bool AddRun(std::array<int, kImageSize>& cover, int first, int length) {
  if (first < 0 || first + length > kImageSize) return false;
  for (int k = first; k < first + length; ++k) ++cover[static_cast<std::size_t>(k)];
  return true;
}

constexpr bool EveryByteOwnedOnce() {
  std::array<int, kImageSize> cover{};
  bool ok = true;
  for (const Field& f : kFieldTable) ok = ok && AddRun(cover, f.offset, f.count * ElementSize(f));
  for (const MapStorage& m : kMapTable) {
    const int cell_bytes = m.word_cells ? 2 : 1;
    ok = ok && AddRun(cover, m.word_cells ? 2 * m.cell_base : m.cell_base, kMapCells * cell_bytes);
    ok = ok && AddRun(cover, m.axis_offset, kMapColumns);
  }
  for (const ByteRun& r : kBikeConstantRuns) ok = ok && AddRun(cover, r.first, r.length);
  for (const ByteRun& r : kBytesWithoutFieldRuns) ok = ok && AddRun(cover, r.first, r.length);
  ok = ok && AddRun(cover, kMemoTerminator, 1);
  for (int c : cover) ok = ok && c == 1;
  return ok;
}

constexpr bool MapsInPageOrder() {
  for (std::size_t i = 0; i < kMapTable.size(); ++i) {
    if (static_cast<std::size_t>(kMapTable[i].id) != i) return false;
    if (i > 0 && kMapTable[i].page <= kMapTable[i - 1].page) return false;
  }
  return true;
}

static_assert(FieldsInsideImage(), "a field lies outside the image or a word is odd");
static_assert(RangesFitTheirWidth(), "a field range is unordered or does not fit its width");
static_assert(NamesUnique(), "two fields share a name");
static_assert(EveryByteOwnedOnce(), "an image byte is owned twice or not at all");
static_assert(MapsInPageOrder(), "the map table is not in PageIndex order");

}  // namespace
}  // namespace korvan
