#include "maps/grid_layout.h"

#include "image/map_storage.h"

namespace korvan {

bool CellOffered(CellSubset subset, int cell) {
  switch (subset) {
    case CellSubset::kAll:
      return true;
    case CellSubset::kRow9:
      return CellRow(cell) == kMapRows - 1;
    case CellSubset::kColumn0:
      return CellColumn(cell) == 0;
    case CellSubset::kNone:
      break;
  }
  return false;
}

int ServoModeOf(const ParameterImage& image, const ServoBytes& servo) {
  const unsigned mode = image.Byte(servo.mode);
  return mode <= 2 ? static_cast<int>(mode) : 0;
}

GridLayout ChooseGridLayout(int page, const ParameterImage& image, bool time_view) {
  const std::optional<MapId> map = MapOfPage(page);
  if (!map) return GridLayout::kHidden;
  switch (*map) {
    case MapId::kAdvance:
      return image.Byte(kAdvanceByThrottleOffset) != 0 ? GridLayout::kFull : GridLayout::kSpeedRow;
    case MapId::kInj1A:
    case MapId::kInjIap:
      return time_view ? GridLayout::kLabelsWithSpin : GridLayout::kFull;
    case MapId::kInj2A:
    case MapId::kInj3A:
    case MapId::kInj4A:
      if (ChannelsFollow1A(image)) return time_view ? GridLayout::kLabelsOnly : GridLayout::kLocked;
      return time_view ? GridLayout::kLabelsWithSpin : GridLayout::kFull;
    case MapId::kInjB:
      return GridLayout::kFull;
    case MapId::kIntakeServo:
    case MapId::kExhaustServo: {
      const ServoBytes& servo =
          *map == MapId::kIntakeServo ? kIntakeServoBytes : kExhaustServoBytes;
      if (image.Byte(servo.enable) == 0) return GridLayout::kHidden;
      switch (ServoModeOf(image, servo)) {
        case 1:
          return GridLayout::kSpeedRow;
        case 2:
          return GridLayout::kThrottleColumn;
        default:
          return GridLayout::kFull;
      }
    }
  }
  return GridLayout::kHidden;
}

}  // namespace korvan
