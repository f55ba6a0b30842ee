#include "maps/map_texts.h"

#include <array>

namespace korvan {
namespace {

// The grid's words that change with the language, one row each. What stays the same in every
// language is only in MapTexts: the throttle rows, "RPM", "TPS", "IAP [kPa]", "Ms", the servo
// modes, the coupling banners, and the header's "IAP -> TP ", "TPS min" ... "RPM max", which
// tuners read as the names of the unit's settings. The tabs' words are the station's.
struct MapTextRow {
  std::string_view MapTexts::*text;
  LanguageTexts texts;
};
constexpr MapTextRow kRows[] = {
    {&MapTexts::all, {"All", "Alle", "Tout", "Vše"}},
    {&MapTexts::servo_enable, {"Servo Enable", "Servo ein", "Servo actif", "Servo povoleno"}},
    {&MapTexts::percent, {"Procent", "Prozent", "Pourcent", "Procenta"}},
    {&MapTexts::step_motor, {"Step motor", "Schrittmotor", "Moteur pas à pas", "Krokový motor"}},
    {&MapTexts::base_advance,
     {"Base advance [\u00b0]", "Grundvorzündung [\u00b0]", "Avance de base [\u00b0]",
      "Základní předstih [\u00b0]"}},
    {&MapTexts::lobe_width,
     {"Width of Lobe [\u00b0]", "Zahnbreite [\u00b0]", "Largeur de dent [\u00b0]",
      "Šířka zubu [\u00b0]"}},
    {&MapTexts::cylinder_correction,
     {"Correction for cylinder 1,2,3,4", "Korrektur für Zylinder 1,2,3,4",
      "Correction cylindre 1,2,3,4", "Korekce pro válec 1,2,3,4"}},
    {&MapTexts::hysteresis,
     {"Hysteresis [mV]", "Hysterese [mV]", "Hystérésis [mV]", "Hystereze [mV]"}},
    {&MapTexts::period, {"Period [ms]", "Periode [ms]", "Période [ms]", "Perioda [ms]"}},
    {&MapTexts::excitation, {"Excitation [us]", "Erregung [us]", "Excitation [us]", "Buzení [us]"}},
};

// The English column is the grid's starting set, word for word.
constexpr bool EnglishIsTheStartingSet() {
  for (const MapTextRow& row : kRows) {
    if (kEnglishMapTexts.*row.text != row.texts[0]) return false;
  }
  return true;
}
static_assert(EnglishIsTheStartingSet(), "a map text's English differs from the grid's own");

constexpr MapTexts SetOf(Language language) {
  MapTexts set;
  for (const MapTextRow& row : kRows) set.*row.text = TextIn(row.texts, language);
  return set;
}
constexpr MapTexts kGerman = SetOf(Language::kGerman);
constexpr MapTexts kFrench = SetOf(Language::kFrench);
constexpr MapTexts kCzech = SetOf(Language::kCzech);

constexpr std::array<const MapTexts*, kLanguageCount> kSets = {&kEnglishMapTexts, &kGerman,
                                                               &kFrench, &kCzech};

}  // namespace

const MapTexts& MapTextsOf(int language) {
  return *kSets[static_cast<std::size_t>(LanguageOf(language))];
}

}  // namespace korvan
