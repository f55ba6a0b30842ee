#pragma once

// The header line above the grid: six fields (E0..E5) and five labels whose meaning depends on the
// page. Each field is a field of the dictionary, so conversion and range come from there.

#include <array>
#include <cstdint>
#include <string_view>

#include "maps/map_texts.h"

namespace korvan {

inline constexpr int kHeaderFieldCount = 6;
inline constexpr int kHeaderLabelCount = 5;

// When a header field is shown.
enum class HeaderShown : std::uint8_t {
  kAlways,
  kCylinders2,      // image byte 256 greater than 1
  kCylinders3,      // ... greater than 2
  kCylinders4,      // ... greater than 3
  kOneChannel,      // engine configuration (image byte 2) 7 or 22
  kServoShown,      // the servo grid is not Hidden
  kStepMotorShown,  // as kServoShown, and "Step motor" on (image byte 66)
};

struct HeaderFieldEntry {
  int page;
  int field;                         // E0..E5
  std::string_view dictionary_name;  // the field of the dictionary it carries
  int element;
  HeaderShown shown;
  int x;
};

struct HeaderLabelEntry {
  int page;
  int label;  // 0..4
  std::string_view MapTexts::*text;
  int anchor_field;  // shown while this field is shown
  int x;
  int width;
};

// clang-format off
inline constexpr std::array<HeaderFieldEntry, 18> kHeaderFields{{
    {1, 0, "AdvanceCylinderCorrection", 0, HeaderShown::kAlways, 56},
    {1, 1, "AdvanceCylinderCorrection", 1, HeaderShown::kCylinders2, 118},
    {1, 2, "AdvanceCylinderCorrection", 2, HeaderShown::kCylinders3, 180},
    {1, 3, "AdvanceCylinderCorrection", 3, HeaderShown::kCylinders4, 242},
    {1, 4, "AdvanceBase", 0, HeaderShown::kAlways, 500},
    {1, 5, "AdvanceWidthOfLobe", 0, HeaderShown::kOneChannel, 690},
    {2, 0, "JetTpsMin", 0, HeaderShown::kAlways, 70},
    {2, 1, "JetTpsMax", 0, HeaderShown::kAlways, 190},
    {2, 2, "JetRpmMin", 0, HeaderShown::kAlways, 310},
    {2, 3, "JetRpmMax", 0, HeaderShown::kAlways, 430},
    {7, 0, "IapCylinderCorrection", 0, HeaderShown::kAlways, 56},
    {7, 1, "IapCylinderCorrection", 1, HeaderShown::kAlways, 118},
    {7, 2, "IapCylinderCorrection", 2, HeaderShown::kAlways, 180},
    {7, 3, "IapCylinderCorrection", 3, HeaderShown::kAlways, 242},
    {11, 0, "IntakeServoHysteresis", 0, HeaderShown::kServoShown, 56},
    {11, 2, "IntakeServoPeriod", 0, HeaderShown::kStepMotorShown, 230},
    {11, 3, "IntakeServoExcitation", 0, HeaderShown::kStepMotorShown, 400},
    {12, 0, "ExhaustServoHysteresis", 0, HeaderShown::kServoShown, 56},
}};

inline constexpr std::array<HeaderLabelEntry, 13> kHeaderLabels{{
    {1, 0, &MapTexts::cylinder_correction, 0, 304, 180},
    {1, 1, &MapTexts::base_advance, 4, 560, 128},
    {1, 2, &MapTexts::lobe_width, 5, 750, 120},
    {2, 0, &MapTexts::iap_to_tps, 0, 0, 66},  // the heading, left of the four fields
    {2, 1, &MapTexts::tps_min, 0, 130, 56},
    {2, 2, &MapTexts::tps_max, 1, 250, 56},
    {2, 3, &MapTexts::rpm_min, 2, 370, 56},
    {2, 4, &MapTexts::rpm_max, 3, 490, 56},
    {7, 0, &MapTexts::cylinder_correction, 0, 304, 180},
    {11, 0, &MapTexts::hysteresis, 0, 116, 100},
    {11, 1, &MapTexts::period, 2, 290, 100},
    {11, 2, &MapTexts::excitation, 3, 460, 100},
    {12, 0, &MapTexts::hysteresis, 0, 116, 100},
}};
// clang-format on

}  // namespace korvan
