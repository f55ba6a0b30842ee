#include "image/consistency.h"

#include <algorithm>
#include <array>

#include "image/map_storage.h"

namespace korvan {
namespace {

void AtLeast(ParameterImage& image, int k, unsigned minimum) {
  if (image.Byte(k) < minimum) image.SetByte(k, minimum);
}
void AtMost(ParameterImage& image, int k, unsigned maximum) {
  if (image.Byte(k) > maximum) image.SetByte(k, maximum);
}
void NotBelowByte(ParameterImage& image, int k, int reference) {
  AtLeast(image, k, image.Byte(reference));
}

constexpr int Axis(MapId map) { return MapInfo(map).axis_offset; }

// Engine-speed axes that must start at 300 rpm (point i at least i + 3): the advance, 1A, B, 2A
// and IAP maps and the speed rows of both injection position tables.
constexpr std::array<int, 7> kMapSpeedAxes{
    Axis(MapId::kAdvance), Axis(MapId::kInj1A),   Axis(MapId::kInjB),   Axis(MapId::kInj2A),
    Axis(MapId::kInjIap),  kPositionASpeedOffset, kPositionBSpeedOffset};
// Servo axes may start at 0 rpm (point i at least i).
constexpr std::array<int, 2> kServoAxes{Axis(MapId::kIntakeServo), Axis(MapId::kExhaustServo)};
// Every axis that must rise strictly, the 3A and 4A axes included.
constexpr std::array<int, 11> kOrderedAxes{
    Axis(MapId::kAdvance), Axis(MapId::kInj1A),       Axis(MapId::kInjB),
    Axis(MapId::kInj2A),   Axis(MapId::kInj3A),       Axis(MapId::kInj4A),
    Axis(MapId::kInjIap),  Axis(MapId::kIntakeServo), Axis(MapId::kExhaustServo),
    kPositionASpeedOffset, kPositionBSpeedOffset};
constexpr std::array<MapId, 5> kWordMaps{MapId::kInj1A, MapId::kInj2A, MapId::kInj3A, MapId::kInj4A,
                                         MapId::kInjIap};

void ClampAxes(ParameterImage& image) {
  for (int i = 0; i < kMapColumns; ++i) {
    const unsigned u = static_cast<unsigned>(i);
    for (int axis : kMapSpeedAxes) AtLeast(image, axis + i, u + 3);
    for (int axis : kServoAxes) AtLeast(image, axis + i, u);
    for (int axis : kMapSpeedAxes) AtMost(image, axis + i, u + 236);
    for (int axis : kServoAxes) AtMost(image, axis + i, u + 236);
    // A first-row servo value above 249 is the unit's "unset" marker; it falls back to 1.
    for (MapId servo : {MapId::kIntakeServo, MapId::kExhaustServo}) {
      const int k = CellOffset(servo, i);
      if (image.Byte(k) > 249) image.SetByte(k, 1);
    }
    AtMost(image, kPositionAAngleOffset + i, 144);  // 720 degrees
    AtMost(image, kPositionBAngleOffset + i, 144);
  }
}

void OrderIapRowAxis(ParameterImage& image) {
  for (int i = 1; i < kMapRows; ++i) {
    const unsigned previous = image.Word(kIapRowAxisWord + i - 1);
    if (image.Word(kIapRowAxisWord + i) <= previous) {
      // Saturates instead of wrapping a 65535 point to 0.
      image.SetWord(kIapRowAxisWord + i, std::min(previous + 1, 0xFFFFu));
    }
  }
}

void OrderAxes(ParameterImage& image) {
  for (int axis : kOrderedAxes) {
    for (int i = 1; i < kMapColumns; ++i) {
      const unsigned previous = image.Byte(axis + i - 1);
      // Byte arithmetic: SetByte keeps the low eight bits.
      if (image.Byte(axis + i) <= previous) image.SetByte(axis + i, previous + 1);
    }
  }
}

void CapMapCells(ParameterImage& image, bool one_channel) {
  const int advance = MapInfo(MapId::kAdvance).cell_base;
  const int inj_b = MapInfo(MapId::kInjB).cell_base;
  const unsigned lobe_limit = image.Byte(kBaseAdvanceOffset) + image.Byte(kWidthOfLobeOffset);
  for (int n = 0; n < kMapCells; ++n) {
    AtMost(image, advance + n, 60);
    for (MapId map : kWordMaps) {
      const int w = CellOffset(map, n);
      if (image.Word(w) > 60000) image.SetWord(w, 60000);
    }
    AtMost(image, inj_b + n, 100);
    if (one_channel) AtMost(image, advance + n, lobe_limit);
  }
}

void OrderStartingCorrection(ParameterImage& image) {
  for (int i = 0; i < 4; ++i) {
    const unsigned u = static_cast<unsigned>(i);
    AtLeast(image, 67 + i, u);
    AtMost(image, 67 + i, u + 247);
    AtMost(image, 71 + i, 250);
  }
  for (int i = 1; i < 4; ++i) {
    const unsigned previous = image.Byte(66 + i);
    if (image.Byte(67 + i) <= previous) image.SetByte(67 + i, previous + 1);
  }
}

void OrderN2o(ParameterImage& image) {
  AtMost(image, 99, 100);
  AtMost(image, 100, 100);
  NotBelowByte(image, 100, 99);
  AtLeast(image, 101, 1);
  AtMost(image, 101, 200);
  AtMost(image, 102, 200);
  AtMost(image, 103, 25);
  AtMost(image, 104, 25);
  NotBelowByte(image, 104, 103);
  AtMost(image, 106, 200);
  AtLeast(image, 105, 1);
  AtMost(image, 105, 200);
  NotBelowByte(image, 159, 158);
}

// The temperature sensor characteristics fall with temperature: each point below the previous.
void OrderFallingWords(ParameterImage& image, int first_word) {
  for (int i = 1; i < 9; ++i) {
    const unsigned previous = image.Word(first_word + i - 1);
    if (image.Word(first_word + i) >= previous) {
      // Saturates at 0 instead of wrapping a point after 0 to 65535.
      image.SetWord(first_word + i, previous > 0 ? previous - 1 : 0);
    }
  }
}

}  // namespace

ConsistencyResult ApplyConsistencyRules(ParameterImage& image, StationSettings& settings) {
  ConsistencyResult result;

  ClampAxes(image);
  OrderIapRowAxis(image);
  OrderAxes(image);

  const std::uint8_t bike = image.Byte(kBikeCodeOffset);
  result.one_channel = bike == 32 || bike == 33;
  CapMapCells(image, result.one_channel);

  AtMost(image, 33, 250);  // throttle sensor voltages
  AtMost(image, 34, 250);
  AtMost(image, 92, 50);  // start injection

  OrderStartingCorrection(image);

  for (int g = 0; g < 6; ++g) NotBelowByte(image, 114 + g, 108 + g);  // pilot light columns

  OrderN2o(image);

  if (settings.language_index > 3) settings.language_index = 0;
  if (settings.port_index >= 20) settings.port_index = 0;

  AtMost(image, kBaseAdvanceOffset, 40);
  AtMost(image, 48, 100);       // TPS min
  NotBelowByte(image, 49, 48);  // TPS max
  NotBelowByte(image, 51, 50);  // RPM max

  const bool aps_same = image.Word(4) == image.Word(6);
  const bool iaps_same = image.Word(8) == image.Word(10);
  result.aps_napeti1_red = aps_same;
  result.aps_napeti2_red = aps_same;
  result.iaps_napeti1_red = iaps_same;
  result.iaps_napeti2_red = iaps_same;

  OrderFallingWords(image, 97);   // coolant
  OrderFallingWords(image, 106);  // intake air

  AtMost(image, 78, image.Byte(77));      // step motor excitation within its period
  AtMost(image, 2604, image.Byte(2605));  // idle step pulse within its period

  const std::uint8_t config = image.Byte(kEngineConfigOffset);
  if (config == 7 || config == 22) image.SetByte(267, image.Byte(kWidthOfLobeOffset));

  return result;
}

}  // namespace korvan
