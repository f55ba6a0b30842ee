#include "monitor/monitor_texts.h"

#include <cstddef>

namespace korvan {
namespace {

struct TextRow {
  MonitorText id;
  LanguageTexts text;  // string literals only: MonitorTextOf hands out their null-terminated data
};

// Every language is written out. The English wording and the version-mismatch message in all four
// languages are the station's established texts (the mismatch message must read as the dialog of
// the identity check does). "Tacho" and "Lambda" are the same word everywhere; the correction
// labels keep the sensors' abbreviations (TW coolant, AT air, AP pressure, U voltage) in every
// language.
constexpr TextRow kTexts[] = {
    {MonitorText::kYes, {"YES", "JA", "OUI", "ANO"}},
    {MonitorText::kNo, {"NO", "NEIN", "NON", "NE"}},
    {MonitorText::kTwinkle, {"Twinkle", "Blinkt", "Clignote", "Bliká"}},
    {MonitorText::kFallSensor, {"Fall sensor", "Sturzsensor", "Capteur de chute", "Pádové čidlo"}},
    {MonitorText::kBlocking, {"Blocking ", "Blockierung ", "Blocage ", "Blokování "}},
    {MonitorText::kStartLimiter,
     {"Start limiter", "Startbegrenzer", "Limiteur de départ", "Startovací omezovač"}},
    {MonitorText::kClutchMaster, {"Clutch master", "Quickshifter", "Shifter", "Rychlořazení"}},
    {MonitorText::kTacho, {"Tacho", "Tacho", "Tacho", "Tacho"}},
    {MonitorText::kLambda, {"Lambda", "Lambda", "Lambda", "Lambda"}},
    {MonitorText::kIgnitionLimiter,
     {"Limiter by ignition", "Begrenzer durch Zündung", "Limiteur par allumage",
      "Omezovač zapalováním"}},
    {MonitorText::kInjectionLimiter,
     {"Limiter by injection", "Begrenzer durch Einspritzung", "Limiteur par injection",
      "Omezovač vstřikem"}},
    {MonitorText::kRetardLimiter,
     {"Limiter by retard", "Begrenzer durch Spätzündung", "Limiteur par retard",
      "Omezovač zpožděním"}},
    {MonitorText::kCooling, {"Cooling", "Kühlung", "Refroidissement", "Chlazení"}},
    {MonitorText::kPickupCkps,
     {"Pick-up (CKPS)", "Geber (CKPS)", "Capteur (CKPS)", "Snímač (CKPS)"}},
    {MonitorText::kPickupCmps,
     {"Pick-up (CMPS)", "Geber (CMPS)", "Capteur (CMPS)", "Snímač (CMPS)"}},
    {MonitorText::kIsRunning, {" is running", " läuft", " fonctionne", " běží"}},
    {MonitorText::kNoSignal, {" no signal", " kein Signal", " pas de signal", " bez signálu"}},
    {MonitorText::kShiftLight, {"Gear Shift Light", "Schaltblitz", "Shift light", "Řadicí světlo"}},
    {MonitorText::kChoke, {"Choke", "Choke", "Starter", "Sytič"}},
    {MonitorText::kProgrammedDataError,
     {"Programmed data error!", "Fehler in programmierten Daten!",
      "Erreur des données programmées!", "Chyba naprogramovaných dat!"}},
    {MonitorText::kDetailedView,
     {"Detailed representation", "Detaillierte Darstellung", "Représentation détaillée",
      "Podrobné zobrazení"}},
    {MonitorText::kInputToGround,
     {"Input to ground", "Eingang auf Masse", "Entrée à la masse", "Vstup na zem"}},
    {MonitorText::kOutputs, {"Outputs", "Ausgänge", "Sorties", "Výstupy"}},
    {MonitorText::kLimiters, {"Limiters", "Begrenzer", "Limiteurs", "Omezovače"}},
    {MonitorText::kCoolant, {"Coolant", "Kühlwasser", "Liquide", "Voda"}},
    {MonitorText::kAdvance, {"Advance", "Vorzündung", "Avance", "Předstih"}},
    {MonitorText::kMaxInjection,
     {"Max injection", "Max. Einspritzung", "Injection max", "Max. vstřik"}},
    {MonitorText::kInjectionTime,
     {"Injection time", "Einspritzzeit", "Temps d'injection", "Doba vstřiku"}},
    {MonitorText::kPosition, {"Position", "Lage", "Position", "Poloha"}},
    {MonitorText::kIntakeServo, {"Intake servo", "Ansaugservo", "Servo d'admission", "Sací servo"}},
    {MonitorText::kExhaustServo,
     {"Exhaust servo ", "Abblaseservo ", "Servo d'échappement ", "Výfukové servo "}},
    {MonitorText::kIdle, {"Idle", "Freilauf", "Ralenti", "Volnoběh"}},
    {MonitorText::kGear, {"Gear", "Gang", "Rapport", "Převod"}},
    {MonitorText::kSpeed, {"Speed", "Geschwindigkeit", "Vitesse", "Rychlost"}},
    {MonitorText::kJetByTps,
     {"Jet according TPS", "Einspritzung nach TPS", "Injection selon TPS", "Vstřik podle TPS"}},
    {MonitorText::kPotentiometer,
     {"Potentiometer", "Potentiometer", "Potentiomètre", "Potenciometr"}},
    {MonitorText::kProgramCount,
     {"Number of Programing = ", "Anzahl der Programmierungen = ", "Nombre de programmations = ",
      "Počet programování = "}},
    {MonitorText::kVersionMismatch,
     {"Unmatched version of PC and Ignition programs!",
      "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
      "Programme du boitier d´alumage non compatible avec programme PC!",
      "Neshodné verze proramu v PC a v zapalování!"}},
    {MonitorText::kCoolantInjectionCorrection,
     {"TW correction = ", "TW-Korrektur = ", "Correction TW = ", "Korekce TW = "}},
    {MonitorText::kAirInjectionCorrection,
     {"AT correction = ", "AT-Korrektur = ", "Correction AT = ", "Korekce AT = "}},
    {MonitorText::kPressureInjectionCorrection,
     {"AP correction = ", "AP-Korrektur = ", "Correction AP = ", "Korekce AP = "}},
    {MonitorText::kStartingCorrection,
     {"Starting corr. = ", "Startkorr. = ", "Corr. démarrage = ", "Korekce startu = "}},
    {MonitorText::kVoltageCorrection,
     {"U correction = ", "U-Korrektur = ", "Correction U = ", "Korekce U = "}},
    {MonitorText::kCoolantAdvanceCorrection,
     {"TW correction = ", "TW-Korrektur = ", "Correction TW = ", "Korekce TW = "}},
    {MonitorText::kPotentiometerAdvanceCorrection,
     {"Potent. correction = ", "Potent.-Korrektur = ", "Correction potent. = ",
      "Korekce potenc. = "}},
    {MonitorText::kPotentiometerInjectionCorrection,
     {"Potent. correction = ", "Potent.-Korrektur = ", "Correction potent. = ",
      "Korekce potenc. = "}},
    {MonitorText::kIdleAdvanceCorrection,
     {"Idle correction = ", "Freilaufkorrektur = ", "Correction ralenti = ",
      "Korekce volnoběhu = "}},
    {MonitorText::kIntakeServoFault,
     {"Intake servo fault", "Ansaugservo gestört", "Servo d'admission en défaut",
      "Porucha sacího serva"}},
    {MonitorText::kExhaustServoFault,
     {"Exhaust servo fault", "Abblaseservo gestört", "Servo d'échappement en défaut",
      "Porucha výfukového serva"}},
};

constexpr bool RowsInEnumOrder() {
  if (std::size(kTexts) != static_cast<std::size_t>(MonitorText::kCount)) return false;
  for (std::size_t i = 0; i < std::size(kTexts); ++i) {
    if (static_cast<std::size_t>(kTexts[i].id) != i || kTexts[i].text[0].empty()) return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "one row per MonitorText, in enum order, each with English");

}  // namespace

const char* MonitorTextOf(MonitorText text, int language) {
  const auto row = static_cast<std::size_t>(text);
  if (row >= std::size(kTexts)) return "";
  return TextIn(kTexts[row].text, language).data();
}

}  // namespace korvan
