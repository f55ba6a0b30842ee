#pragma once

// How the shared 10 x 15 grid is laid out on each map page: which parts are shown, where they sit
// (pixels within the grid panel) and which layout a page takes from its flags.

#include <array>
#include <cstdint>

#include "image/field_dictionary.h"
#include "image/page_index.h"
#include "image/parameter_image.h"

namespace korvan {

enum class GridLayout : std::uint8_t {
  kHidden,          // servo disabled: nothing of the grid
  kFull,            // every cell editable
  kLocked,          // cells shown but disabled (Inj-2A..4A following Inj-1A)
  kLabelsWithSpin,  // time view: value labels over the cells, up-downs still usable
  kLabelsOnly,      // time view of a locked page
  kSpeedRow,        // one row (row 9) drawn at the height of row 0
  kThrottleColumn,  // one column (column 0)
};

// Which cells a layout offers at all.
enum class CellSubset : std::uint8_t { kNone, kAll, kRow9, kColumn0 };

struct LayoutParts {
  CellSubset cells;
  bool cell_fields;    // the edit part of the offered cells
  bool cell_enabled;   // the edit part accepts input
  bool cell_up_downs;  // the up-down part of the offered cells
  bool value_labels;
  bool rpm_fields;
  bool rpm_up_downs;
  bool column_spins;
  bool row_labels;  // row labels (or the IAP row-axis fields) and their caption
  bool tools;       // the tools spin button and "All"
};

inline constexpr std::array<LayoutParts, 7> kLayoutParts{{
    // cells              field  enabl  updn   labels rpm    rpmud  cspin  rows   tools
    {CellSubset::kNone, false, false, false, false, false, false, false, false, false},  // Hidden
    {CellSubset::kAll, true, true, true, false, true, true, true, true, true},           // Full
    {CellSubset::kAll, true, false, false, false, true, false, false, true, false},      // Locked
    {CellSubset::kAll, false, true, true, true, true, true, true, true, true},  // LabelsWithSpin
    {CellSubset::kAll, false, false, false, true, true, false, false, true, false},    // LabelsOnly
    {CellSubset::kRow9, true, true, true, false, true, true, false, false, true},      // SpeedRow
    {CellSubset::kColumn0, true, true, true, false, false, false, false, true, true},  // Throttle
}};

constexpr const LayoutParts& PartsOf(GridLayout layout) {
  return kLayoutParts[static_cast<std::size_t>(layout)];
}

bool CellOffered(CellSubset subset, int cell);

// Channel mode byte 47: Inj-2A..4A follow Inj-1A when it is 1 (coupled) or 2 (all equal).
inline constexpr int kModeSeparate = 0;
inline constexpr int kModeCoupled = 1;
inline constexpr int kModeAllEqual = 2;
inline bool ChannelsFollow1A(const ParameterImage& image) {
  const unsigned mode = image.Byte(kJetCouplingModeOffset);
  return mode == kModeCoupled || mode == kModeAllEqual;
}

// The servo bytes of a servo page (intake 11, exhaust 12).
struct ServoBytes {
  int enable;
  int percent;
  int mode;
};
inline constexpr ServoBytes kIntakeServoBytes{kIntakeServoEnableOffset, kIntakeServoPercentOffset,
                                              kIntakeServoModeOffset};
inline constexpr ServoBytes kExhaustServoBytes{kExhaustServoEnableOffset,
                                               kExhaustServoPercentOffset, kExhaustServoModeOffset};
// The servo bytes of the page the grid shows, or nothing on a page that is not a servo page.
constexpr const ServoBytes* ServoBytesOf(int page) {
  if (page == kPageIntakeServo) return &kIntakeServoBytes;
  if (page == kPageExhaustServo) return &kExhaustServoBytes;
  return nullptr;
}
inline constexpr int kStepMotorForbiddenBike = 47;

// A servo mode byte other than 0..2 (only from a file or the unit) is taken as 0.
int ServoModeOf(const ParameterImage& image, const ServoBytes& servo);

GridLayout ChooseGridLayout(int page, const ParameterImage& image, bool time_view);

// Geometry within the grid panel. The grid keeps its own spacing; it starts kGridTop below the
// panel's top so that the header line and the line under it fit above it.
namespace grid_geometry {
inline constexpr int kGridTop = 40;
inline constexpr int kColumnX0 = 56;
inline constexpr int kColumnPitch = 62;
inline constexpr int kCellWidth = 40;  // the field; its up-down (16 x 21) to the right
inline constexpr int kCellHeight = 21;
inline constexpr int kUpDownWidth = 16;
inline constexpr int kRpmFieldWidth = 60;  // with its up-down
inline constexpr int kRowY0 = kGridTop + 53;
inline constexpr int kRowPitch = 30;
inline constexpr int kRpmY = kGridTop + 21;
inline constexpr int kValueLabelOffset = 5;
inline constexpr int kValueLabelHeight = 13;
inline constexpr int kRowLabelY0 = kGridTop + 56;
inline constexpr int kColumnSpinX0 = 71;
inline constexpr int kColumnSpinY = kGridTop + 350;
inline constexpr int kColumnSpinWidth = 17;
inline constexpr int kColumnSpinHeight = 23;
inline constexpr int kHeaderY = 8;  // the header line
inline constexpr int kLineY = 34;   // the horizontal line between header and grid

constexpr int ColumnX(int column) { return kColumnX0 + kColumnPitch * column; }
constexpr int RowY(int row) { return kRowY0 + kRowPitch * row; }
// Rows 0..2 have short texts, rows 3..8 two digits, row 9 "100%".
constexpr int RowLabelX(int row) { return row <= 2 ? 16 : (row <= 8 ? 10 : 4); }
}  // namespace grid_geometry

}  // namespace korvan
