#include "maps/map_texts.h"

#include <array>

namespace korvan {
namespace {

// What stays the same in every language: the throttle rows, "RPM", "TPS", "IAP [kPa]", "Ms",
// the servo modes, the coupling banners, and the header's "IAP -> TP ", "TPS min" ... "RPM max",
// which tuners read as the names of the unit's settings. The tabs' words are the station's.
constexpr MapTexts GermanTexts() {
  MapTexts t;
  t.all = "Alle";
  t.servo_enable = "Servo ein";
  t.percent = "Prozent";
  t.step_motor = "Schrittmotor";
  t.base_advance = "Grundvorzündung [\u00b0]";
  t.lobe_width = "Zahnbreite [\u00b0]";
  t.cylinder_correction = "Korrektur für Zylinder 1,2,3,4";
  t.hysteresis = "Hysterese [mV]";
  t.period = "Periode [ms]";
  t.excitation = "Erregung [us]";
  return t;
}
constexpr MapTexts kGerman = GermanTexts();

constexpr MapTexts FrenchTexts() {
  MapTexts t;
  t.all = "Tout";
  t.servo_enable = "Servo actif";
  t.percent = "Pourcent";
  t.step_motor = "Moteur pas à pas";
  t.base_advance = "Avance de base [\u00b0]";
  t.lobe_width = "Largeur de dent [\u00b0]";
  t.cylinder_correction = "Correction cylindre 1,2,3,4";
  t.hysteresis = "Hystérésis [mV]";
  t.period = "Période [ms]";
  t.excitation = "Excitation [us]";
  return t;
}
constexpr MapTexts kFrench = FrenchTexts();

constexpr MapTexts CzechTexts() {
  MapTexts t;
  t.all = "Vše";
  t.servo_enable = "Servo povoleno";
  t.percent = "Procenta";
  t.step_motor = "Krokový motor";
  t.base_advance = "Základní předstih [\u00b0]";
  t.lobe_width = "Šířka zubu [\u00b0]";
  t.cylinder_correction = "Korekce pro válec 1,2,3,4";
  t.hysteresis = "Hystereze [mV]";
  t.period = "Perioda [ms]";
  t.excitation = "Buzení [us]";
  return t;
}
constexpr MapTexts kCzech = CzechTexts();

constexpr std::array<const MapTexts*, 4> kSets = {&kEnglishMapTexts, &kGerman, &kFrench, &kCzech};

}  // namespace

const MapTexts& MapTextsOf(int language) {
  if (language < 0 || language >= static_cast<int>(kSets.size())) return kEnglishMapTexts;
  return *kSets[static_cast<std::size_t>(language)];
}

}  // namespace korvan
