#pragma once

// Every text the shared map grid shows, in one place, one set per language (map_texts.cc). The
// station hands the editor the set of its language whenever it loads one; the English set is the
// one the grid starts with.

#include <array>
#include <string_view>

#include "texts/language.h"

namespace korvan {

struct MapTexts {
  // The tabs' captions in each language are the station's (texts/page_captions).
  std::array<std::string_view, 10> throttle_rows{"0%",  "2%",  "5%",  "10%", "20%",
                                                 "30%", "40%", "60%", "80%", "100%"};
  std::string_view rpm_caption = "RPM";
  std::string_view tps_caption = "TPS";
  std::string_view iap_caption = "IAP [kPa]";
  std::string_view all = "All";
  std::string_view tps_check = "TPS";
  std::string_view time_view = "Ms";
  std::string_view servo_enable = "Servo Enable";
  std::string_view percent = "Procent";
  std::string_view step_motor = "Step motor";
  std::array<std::string_view, 3> servo_modes{"R + T", "RPM", "TPS"};
  std::string_view banner_coupled = "  1 -> 2, 3, 4  ";
  std::string_view banner_all_equal = "  1 = 2 = 3 = 4  ";
  std::string_view value_label_initial = "11.92";
  // Header labels.
  std::string_view base_advance = "Base advance [\u00b0]";
  std::string_view lobe_width = "Width of Lobe [\u00b0]";
  std::string_view cylinder_correction = "Correction for cylinder 1,2,3,4";
  std::string_view iap_to_tps = "IAP -> TP ";
  std::string_view tps_min = "TPS min";
  std::string_view tps_max = "TPS max";
  std::string_view rpm_min = "RPM min";
  std::string_view rpm_max = "RPM max";
  std::string_view hysteresis = "Hysteresis [mV]";
  std::string_view period = "Period [ms]";
  std::string_view excitation = "Excitation [us]";
};

// The texts are views of static strings: a language's set lives for the whole run.
inline constexpr MapTexts kEnglishMapTexts{};

// The set of a language index (0 English, 1 German, 2 French, 3 Czech; any other index: English).
const MapTexts& MapTextsOf(int language);

}  // namespace korvan
