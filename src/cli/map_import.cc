#include "cli/map_import.h"

#include <algorithm>
#include <string>

#include "image/word_map_state.h"
#include "maps/grid_layout.h"
#include "model/base_tables.h"
#include "texts/page_captions.h"

namespace korvan::cli {
namespace {

// A shifted engine-speed point of a coupled channel stays inside 300..25000 rpm, and a coupled
// channel's percentage inside the field's 0..1000, as on the page.
constexpr int kAxisByteMin = kAxisRpmMin / kAxisRpmScale;
constexpr int kAxisByteMax = kAxisRpmMax / kAxisRpmScale;
constexpr int kCoupledPercentMax = 1000;

bool IsFollower(MapId map) {
  return std::find(kFollowerMaps.begin(), kFollowerMaps.end(), map) != kFollowerMaps.end();
}

std::string Range(long min, long max) { return std::to_string(min) + ".." + std::to_string(max); }

// Why a changed cell value cannot be stored, or nothing when it can.
std::optional<std::string> CellValueFault(const ParameterImage& image, MapId map, long value,
                                          bool stored) {
  if (stored) {
    const long max = MapInfo(map).word_cells ? 0xFFFF : 0xFF;
    if (value < 0 || value > max) return std::to_string(value) + " is outside " + Range(0, max);
    return std::nullopt;
  }
  const ShownRange range =
      MapInfo(map).word_cells ? ShownRange{0, MapInfo(map).shown_max, 1} : MapCellRange(image, map);
  if (value < range.min || value > range.max) {
    return std::to_string(value) + " is outside the page's range " + Range(range.min, range.max);
  }
  if (value % range.step != 0) {
    return std::to_string(value) + " is not a multiple of " + std::to_string(range.step);
  }
  return std::nullopt;
}

// Checks every value that differs from the set's; the first fault found is the answer.
std::optional<MapCsvError> CheckImport(const ParameterImage& image, MapId map, const MapCsv& csv,
                                       const MapCsv& now, const MapImportOptions& options) {
  const bool locked = IsFollower(map) && ChannelsFollow1A(image);
  const std::string inj1 = MapPageName(MapId::kInj1A);
  const std::string follows =
      MapPageName(map) + " follows " + inj1 + " in this set (channel mode " +
      (image.Byte(kJetCouplingModeOffset) == kModeCoupled ? "Coupled" : "1=2=3=4") + "): change " +
      inj1 + " instead";
  for (int col = 0; col < kMapColumns; ++col) {
    const auto c = static_cast<std::size_t>(col);
    const long rpm = csv.rpm[c];
    if (rpm == now.rpm[c]) continue;
    const CsvPlace place = RpmPlace(csv, col);
    if (locked) return MapCsvError{place, follows};
    if (!options.take_axes) {
      return MapCsvError{place, "engine speed " + std::to_string(rpm) + " rpm differs from the " +
                                    "set's " + std::to_string(now.rpm[c]) +
                                    " rpm (--axes takes the CSV's engine speeds)"};
    }
    if (rpm < 0 || rpm > kAxisRpmMax || rpm % kAxisRpmScale != 0) {
      return MapCsvError{place, "engine speed " + std::to_string(rpm) +
                                    " rpm is not a multiple of 100 in " + Range(0, kAxisRpmMax)};
    }
  }
  for (int row = 0; row < kMapRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    const long value = csv.rows[r];
    if (value == now.rows[r]) continue;
    const CsvPlace place = RowAxisPlace(csv, row);
    if (map != MapId::kInjIap) {
      return MapCsvError{place, "throttle row " + std::to_string(value) + " % differs from the " +
                                    "page's " + std::to_string(now.rows[r]) +
                                    " % (the throttle rows are fixed)"};
    }
    if (!options.take_axes) {
      return MapCsvError{place, "pressure " + std::to_string(value) + " kPa differs from the " +
                                    "set's " + std::to_string(now.rows[r]) +
                                    " kPa (--axes takes the CSV's pressures)"};
    }
    if (value < 0 || value > kIapRowAxisMax) {
      return MapCsvError{place, "pressure " + std::to_string(value) + " kPa is outside " +
                                    Range(0, kIapRowAxisMax)};
    }
  }
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    if (csv.cells[i] == now.cells[i]) continue;
    if (locked) return MapCsvError{CellPlace(csv, cell), follows};
    if (auto fault = CellValueFault(image, map, csv.cells[i], options.stored)) {
      return MapCsvError{CellPlace(csv, cell), *fault};
    }
  }
  return std::nullopt;
}

// The engine-speed axis and the IAP map's pressure rows. Inj-1A's points move the coupled
// channels' points by as much, and become theirs in the all-equal mode, as on the page.
int TakeAxes(ParameterImage& image, MapId map, const MapCsv& csv) {
  const unsigned mode = image.Byte(kJetCouplingModeOffset);
  int changed = 0;
  for (int col = 0; col < kMapColumns; ++col) {
    const int fresh = static_cast<int>(csv.rpm[static_cast<std::size_t>(col)] / kAxisRpmScale);
    const int old = image.Byte(AxisOffset(map, col));
    if (fresh == old) continue;
    ++changed;
    if (map == MapId::kInj1A) {
      for (MapId follower : kFollowerMaps) {
        const int at = AxisOffset(follower, col);
        if (mode == kModeCoupled) {
          const int shifted = std::clamp(image.Byte(at) + fresh - old, kAxisByteMin, kAxisByteMax);
          image.SetByte(at, static_cast<unsigned>(shifted));
        } else if (mode == kModeAllEqual) {
          image.SetByte(at, static_cast<unsigned>(fresh));
        }
      }
    }
    image.SetByte(AxisOffset(map, col), static_cast<unsigned>(fresh));
  }
  if (map != MapId::kInjIap) return changed;
  for (int row = 0; row < kMapRows; ++row) {
    const auto value = static_cast<unsigned>(csv.rows[static_cast<std::size_t>(row)]);
    if (image.Word(kIapRowAxisWord + row) == value) continue;
    ++changed;
    image.SetWord(kIapRowAxisWord + row, value);
  }
  return changed;
}

int TakeByteCells(ParameterImage& image, MapId map, const MapCsv& csv, const MapCsv& now,
                  bool stored) {
  int changed = 0;
  for (int cell = 0; cell < kMapCells; ++cell) {
    const long value = csv.cells[static_cast<std::size_t>(cell)];
    if (value == now.cells[static_cast<std::size_t>(cell)]) continue;
    ++changed;
    if (stored) {
      SetStoredCell(image, map, cell, static_cast<unsigned>(value));
    } else {
      SetShownByteCell(image, map, cell, static_cast<int>(value));
    }
  }
  return changed;
}

void CopyInj1AOverChannels(ParameterImage& image) {
  for (MapId follower : kFollowerMaps) {
    for (int col = 0; col < kMapColumns; ++col) {
      image.SetByte(AxisOffset(follower, col), image.Byte(AxisOffset(MapId::kInj1A, col)));
    }
    for (int cell = 0; cell < kMapCells; ++cell) {
      image.SetWord(CellOffset(follower, cell), image.Word(CellOffset(MapId::kInj1A, cell)));
    }
  }
}

// A word map's cells. The percentages are the ones derived before the axes moved: a cell the
// CSV leaves as it is keeps its percentage, and takes the time of it on a base time that moved.
// Stored words are taken as they are.
int TakeWordCells(ParameterImage& image, MapId map, const MapCsv& csv, const MapCsv& now,
                  bool stored, WordMapState& state,
                  const std::array<CellArray, kWordMapCount>& base_before, bool axes_changed) {
  const WordMap own = *WordMapOfMap(map);
  const unsigned mode = image.Byte(kJetCouplingModeOffset);
  const bool coupled = map == MapId::kInj1A && mode == kModeCoupled;
  int changed = 0;
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    const long value = csv.cells[i];
    if (value == now.cells[i]) continue;
    ++changed;
    const int old = state.Percent(own)[i];
    int fresh = static_cast<int>(value);
    if (stored) {
      image.SetWord(CellOffset(map, cell), static_cast<unsigned>(value));
      fresh = PercentFromWord(static_cast<unsigned>(value), state.BaseTime(own)[i]);
    }
    state.Percent(own)[i] = static_cast<std::uint16_t>(fresh);
    if (!coupled || fresh == old) continue;
    for (WordMap follower : kFollowerWordMaps) {
      std::uint16_t& p = state.Percent(follower)[i];
      p = static_cast<std::uint16_t>(std::clamp(p + fresh - old, 0, kCoupledPercentMax));
    }
  }
  if (!stored) {
    StoreChangedWordsFromPercent(image, state, own, base_before[static_cast<std::size_t>(own)]);
  }
  if (coupled) {
    for (WordMap follower : kFollowerWordMaps) {
      StoreChangedWordsFromPercent(image, state, follower,
                                   base_before[static_cast<std::size_t>(follower)]);
    }
  }
  if (map == MapId::kInj1A && mode == kModeAllEqual && (changed != 0 || axes_changed)) {
    CopyInj1AOverChannels(image);
  }
  return changed;
}

}  // namespace

std::string MapPageName(MapId map) {
  std::string name = PageCaption(MapInfo(map).page, Language::kEnglish);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

std::optional<MapCsvError> ImportMapCsv(ParameterImage& image, MapId map, const MapCsv& csv,
                                        const MapImportOptions& options, MapImportCount* count) {
  const MapCsv now = MapCsvOf(image, map, options.stored);
  if (auto error = CheckImport(image, map, csv, now, options)) return error;
  MapImportCount taken;
  WordMapState state;
  ComputeBaseTimes(image, state);
  const std::array<CellArray, kWordMapCount> base_before = state.base_time;
  for (int m = 0; m < kWordMapCount; ++m) PercentFromWords(image, state, static_cast<WordMap>(m));
  if (options.take_axes) taken.axis_points = TakeAxes(image, map, csv);
  if (MapInfo(map).word_cells) {
    ComputeBaseTimes(image, state);
    taken.cells = TakeWordCells(image, map, csv, now, options.stored, state, base_before,
                                taken.axis_points != 0);
  } else {
    taken.cells = TakeByteCells(image, map, csv, now, options.stored);
  }
  if (count != nullptr) *count = taken;
  return std::nullopt;
}

}  // namespace korvan::cli
