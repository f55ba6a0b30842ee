#include "pages/page_texts.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvan {
namespace {

enum class Slot { kText, kHint, kItems };

struct PageText {
  std::string_view control;
  Slot slot;
  LanguageTexts text;
};

// A text that reads the same in every language: units and numbers, and the captions the station
// has always shown untranslated (tuners know those pages by them).
constexpr PageText Same(std::string_view control, Slot slot, std::string_view text) {
  return {control, slot, {text, text, text, text}};
}

// Radio group items are one text, item after item, split at '\n'. Hints are "short|long". The
// German, French and Czech texts use the tuner's words of the monitor and the messages: the
// same word for the same thing on every page.
constexpr PageText kPageTexts[] = {
    // Bike page.
    {"GroupBoxBike",
     Slot::kText,
     {"Motorbike Type", "Motorradtyp", "Type de moto", "Typ motocyklu"}},
    {"GroupBoxOmez", Slot::kText, {"Limiters", "Begrenzer", "Limiteurs", "Omezovače"}},
    {"LabelStartLimiter",
     Slot::kText,
     {"Start limiter [rpm]", "Startbegrenzer [rpm]", "Limiteur de départ [rpm]",
      "Startovací omezovač [rpm]"}},
    {"LabelIgnLimiter",
     Slot::kText,
     {"Ignition Limiter [rpm]", "Zündbegrenzer [rpm]", "Limiteur allumage [rpm]",
      "Omezovač zapalováním [rpm]"}},
    {"LabelJetLimiter",
     Slot::kText,
     {"Injection Limiter [rpm]", "Einspritzbegrenzer [rpm]", "Limiteur injection [rpm]",
      "Omezovač vstřikem [rpm]"}},
    {"LabelRetardLimiterRpm",
     Slot::kText,
     {"Retard Limiter [rpm]", "Spätzündbegrenzer [rpm]", "Limiteur retard [rpm]",
      "Omezovač zpožděním [rpm]"}},
    {"LabelRetardLimiterAdv",
     Slot::kText,
     {"Retard [°/100rpm]", "Spätzündung [°/100rpm]", "Retard [°/100rpm]", "Zpoždění [°/100rpm]"}},
    {"GroupBoxChlazeni", Slot::kText, {"Cooling", "Kühlung", "Refroidissement", "Chlazení"}},
    Same("LabelChlazeni", Slot::kText, "[°C]"),
    {"GroupBoxRpm", Slot::kText, {"RPM", "Drehzahl", "Régime", "Otáčky"}},
    {"LabelRpmPulsu",
     Slot::kText,
     {"Pulses per revolution", "Impulse pro Umdrehung", "Impulsions par tour", "Pulzů na otáčku"}},
    {"LabelRpmKorekce", Slot::kText, {"Correction", "Korrektur", "Correction", "Korekce"}},
    {"GroupBoxIntakePort",
     Slot::kText,
     {"Intake ports", "Ansaugkanäle", "Conduits d'admission", "Sací kanály"}},
    {"LabelIntakePortRpm", Slot::kText, {"Rpm", "Drehzahl", "Régime", "Otáčky"}},
    {"GroupBoxActivation",
     Slot::kText,
     {"Activation by Switch on", "Aktiv beim Schließen", "Activation à la fermeture",
      "Aktivace sepnutím"}},
    {"GroupBoxActivation",
     Slot::kHint,
     {"Activation by closing |Checked items means activation by closing to ground",
      "Aktiv beim Schließen |Markierte Eingänge sind aktiv, wenn sie auf Masse geschlossen sind",
      "Activation à la fermeture |Les entrées cochées sont actives fermées à la masse",
      "Aktivace sepnutím |Zaškrtnuté vstupy jsou aktivní při sepnutí na zem"}},
    {"CheckBoxAktFall",
     Slot::kText,
     {"Fall sensor", "Sturzsensor", "Capteur de chute", "Pádové čidlo"}},
    {"CheckBoxAktClutch",
     Slot::kText,
     {"Clutch master", "Quickshifter", "Shifter", "Rychlořazení"}},
    {"CheckBoxAktStartLimiter",
     Slot::kText,
     {"Start limiter", "Startbegrenzer", "Limiteur de départ", "Startovací omezovač"}},
    Same("CheckBoxAktRpm", Slot::kText, "Tacho/Lambda"),
    {"CheckBoxFallEnable",
     Slot::kText,
     {"Fall sensor enable", "Sturzsensor aktiv", "Capteur de chute actif", "Povolit pádové čidlo"}},
    {"CheckBoxBlokEnable",
     Slot::kText,
     {"Blocking enable", "Blockierung aktiv", "Blocage actif", "Povolit blokování"}},
    {"LabelMemo", Slot::kText, {"Memo sheet:", "Notizblatt:", "Mémo:", "Poznámka:"}},
    {"LabelVerze1",
     Slot::kHint,
     {"Version|Version of program in ignition", "Version|Programmversion in der Zündung",
      "Version|Version du programme de l'allumage", "Verze|Verze programu v zapalování"}},
    {"LabelVerze2",
     Slot::kHint,
     {"Date|Date of program in ignition", "Datum|Datum des Programms in der Zündung",
      "Date|Date du programme de l'allumage", "Datum|Datum programu v zapalování"}},
    {"LabelVerze3",
     Slot::kHint,
     {"Time|Time of program in ignition", "Zeit|Uhrzeit des Programms in der Zündung",
      "Heure|Heure du programme de l'allumage", "Čas|Čas programu v zapalování"}},

    // Corrections page.
    {"GroupBoxKorVodaVzduch",
     Slot::kText,
     {"Temperature Corrections of injection [%]", "Temperaturkorrektur der Einspritzung [%]",
      "Corrections d'injection par température [%]", "Teplotní korekce vstřiku [%]"}},
    {"LabelVoda2", Slot::kText, {"Coolant", "Kühlwasser", "Liquide", "Voda"}},
    {"LabelVzduch2", Slot::kText, {"Inlet Air", "Ansaugluft", "Air admission", "Nasávaný vzduch"}},
    {"GroupBoxIgnVoda",
     Slot::kText,
     {"Temperature Corrections of advance [°]", "Temperaturkorrektur der Vorzündung [°]",
      "Corrections d'avance par température [°]", "Teplotní korekce předstihu [°]"}},
    {"LabelVoda3", Slot::kText, {"Coolant", "Kühlwasser", "Liquide", "Voda"}},
    Same("LabelKorTeplota0", Slot::kText, "-10 °C"),
    Same("LabelKorTeplota1", Slot::kText, "20 °C"),
    Same("LabelKorTeplota2", Slot::kText, "50 °C"),
    Same("LabelKorTeplota3", Slot::kText, "80 °C"),
    Same("LabelKorTeplota4", Slot::kText, "110 °C"),
    Same("LabelKorIgnTeplota0", Slot::kText, "-10 °C"),
    Same("LabelKorIgnTeplota1", Slot::kText, "20 °C"),
    Same("LabelKorIgnTeplota2", Slot::kText, "50 °C"),
    Same("LabelKorIgnTeplota3", Slot::kText, "80 °C"),
    Same("LabelKorIgnTeplota4", Slot::kText, "110 °C"),
    {"GroupBoxSytic",
     Slot::kText,
     {"Starting Corrections [%]", "Startkorrektur [%]", "Corrections au démarrage [%]",
      "Korekce po startu [%]"}},
    {"LabelSyticCas", Slot::kText, {"Time [s]", "Zeit [s]", "Temps [s]", "Čas [s]"}},
    {"LabelSyticKorekce",
     Slot::kText,
     {"Corrections for -10°C [%]", "Korrektur bei -10°C [%]", "Correction à -10°C [%]",
      "Korekce pro -10°C [%]"}},
    Same("LabelSyticCas0", Slot::kText, "0"),
    Same("LabelSyticKorekce4", Slot::kText, "100"),
    {"GroupBoxAkcel",
     Slot::kText,
     {"Acceleration Injection", "Beschleunigungseinspritzung", "Injection d'accélération",
      "Akcelerační vstřik"}},
    {"LabelAkcelPrah",
     Slot::kText,
     {"Threshold [%/s]", "Schwelle [%/s]", "Seuil [%/s]", "Práh [%/s]"}},
    {"LabelAkcelJet", Slot::kText, {"Size [us]", "Menge [us]", "Quantité [us]", "Dávka [us]"}},
    {"GroupBoxStartJet",
     Slot::kText,
     {"Start Injection", "Starteinspritzung", "Injection de démarrage", "Startovací vstřik"}},
    Same("LabelStartJet", Slot::kText, "[ms]"),

    // Sensors page. The pressure labels are a localised word and the fixed unit text; the
    // temperature, throttle and potentiometer groups keep their captions in every language.
    {"GroupApsSensor",
     Slot::kText,
     {"Pressure sensor - AP", "Drucksensor - AP", "Capteur de pression - AP", "Čidlo tlaku - AP"}},
    {"GroupIapsSensor",
     Slot::kText,
     {"Intake pressure sensor - IAP", "Saugrohrdrucksensor - IAP",
      "Capteur pression admission - IAP", "Čidlo tlaku v sání - IAP"}},
    {"LabelApsTlak1",
     Slot::kText,
     {"Pressure 1 [kPa]", "Druck 1 [kPa]", "Pression 1 [kPa]", "Tlak 1 [kPa]"}},
    {"LabelApsNapeti1",
     Slot::kText,
     {"Voltage 1 [mV]", "Spannung 1 [mV]", "Tension 1 [mV]", "Napětí 1 [mV]"}},
    {"LabelApsTlak2",
     Slot::kText,
     {"Pressure 2 [kPa]", "Druck 2 [kPa]", "Pression 2 [kPa]", "Tlak 2 [kPa]"}},
    {"LabelApsNapeti2",
     Slot::kText,
     {"Voltage 2 [mV]", "Spannung 2 [mV]", "Tension 2 [mV]", "Napětí 2 [mV]"}},
    {"LabelIapsTlak1",
     Slot::kText,
     {"Pressure 1 [kPa]", "Druck 1 [kPa]", "Pression 1 [kPa]", "Tlak 1 [kPa]"}},
    {"LabelIapsNapeti1",
     Slot::kText,
     {"Voltage 1 [mV]", "Spannung 1 [mV]", "Tension 1 [mV]", "Napětí 1 [mV]"}},
    {"LabelIapsTlak2",
     Slot::kText,
     {"Pressure 2 [kPa]", "Druck 2 [kPa]", "Pression 2 [kPa]", "Tlak 2 [kPa]"}},
    {"LabelIapsNapeti2",
     Slot::kText,
     {"Voltage 2 [mV]", "Spannung 2 [mV]", "Tension 2 [mV]", "Napětí 2 [mV]"}},
    Same("GroupBoxCidloTVodaVzduch", Slot::kText, "Characteristic of temperature sensors [mV]"),
    Same("LabelCidloVoda", Slot::kText, "Water"),
    Same("LabelCidloVzduch", Slot::kText, "Air"),
    Same("LabelCidloTeplota0", Slot::kText, "-10 °C"),
    Same("LabelCidloTeplota1", Slot::kText, "  5 °C"),
    Same("LabelCidloTeplota2", Slot::kText, " 20 °C"),
    Same("LabelCidloTeplota3", Slot::kText, " 35 °C"),
    Same("LabelCidloTeplota4", Slot::kText, " 50 °C"),
    Same("LabelCidloTeplota5", Slot::kText, " 65 °C"),
    Same("LabelCidloTeplota6", Slot::kText, " 80 °C"),
    Same("LabelCidloTeplota7", Slot::kText, " 95 °C"),
    Same("LabelCidloTeplota8", Slot::kText, "110 °C"),
    Same("GroupBoxSetTps", Slot::kText, "TPS"),
    Same("LabelTps0", Slot::kText, "0%  [mV]"),
    Same("LabelTps100", Slot::kText, "100%  [mv]"),
    Same("ButtonTps0", Slot::kText, "<- TPS 0 %"),
    Same("ButtonTps100", Slot::kText, "<- TPS 100 %"),
    Same("GroupBoxPotenc", Slot::kText, "Potentiometer"),
    Same("RadioGroupPotencMode", Slot::kText, "Control of"),
    Same("RadioGroupPotencMode", Slot::kItems, "No\nInjection\nAdvance"),
    Same("LabelPotencRozsah", Slot::kText, "Range -,+ [%, °]"),

    // Race page. The pilot-light column caption follows the bike (shift light or choke) and comes
    // from the messages; the clutch-master times and the display are translated, the other
    // captions stay as the page has always shown them.
    Same("GroupBoxClutch", Slot::kText, "Setting per gear"),
    Same("LabelRaceGear1", Slot::kText, "1"),
    Same("LabelRaceGear2", Slot::kText, "2"),
    Same("LabelRaceGear3", Slot::kText, "3"),
    Same("LabelRaceGear4", Slot::kText, "4"),
    Same("LabelRaceGear5", Slot::kText, "5"),
    Same("LabelRaceGear6", Slot::kText, "6"),
    {"LabelClutchTime",
     Slot::kText,
     {"Clutch master time [ms]", "Quickshifter-Zeit [ms]", "Temps du shifter [ms]",
      "Čas rychlořazení [ms]"}},
    {"LabelClutchPause",
     Slot::kText,
     {"Clutch master pause [ms]", "Quickshifter-Pause [ms]", "Pause du shifter [ms]",
      "Pauza rychlořazení [ms]"}},
    Same("RadioGroupClutchMode", Slot::kText, "Clutch mode"),
    Same("RadioGroupClutchMode", Slot::kItems, "No ignition\nRetard"),
    Same("LabelClutchMinRpm", Slot::kText, "Min Clutch RPM"),
    Same("LabelClutchJet", Slot::kText, "Clutch Jet [%]"),
    Same("LabelClutchAdv", Slot::kText, "Clutch advance [°]"),
    {"GroupBoxDisplay",
     Slot::kText,
     {"Display on Bike", "Anzeige am Motorrad", "Affichage sur la moto", "Displej na motocyklu"}},
    {"CheckBoxTempDisplay",
     Slot::kText,
     {"Temperature instead of speed", "Temperatur statt Geschwindigkeit",
      "Température au lieu de la vitesse", "Teplota místo rychlosti"}},

    // Idle page. The target table's caption follows the actuator and comes from the messages.
    {"RadioGroupIdleMode",
     Slot::kText,
     {"Idle control", "Leerlaufregelung", "Régulation du ralenti", "Regulace volnoběhu"}},
    {"RadioGroupIdleMode",
     Slot::kItems,
     {"No\nIntake servo\nStep motor without potentiometer\nStep motor set TPS min",
      "Keine\nAnsaugservo\nSchrittmotor ohne Potentiometer\nSchrittmotor stellt TPS min",
      "Aucune\nServo d'admission\nMoteur pas à pas sans potentiomètre\n"
      "Moteur pas à pas règle TPS min",
      "Ne\nSací servo\nKrokový motor bez potenciometru\nKrokový motor nastavuje TPS min"}},
    {"LabelIdleRpmMez",
     Slot::kText,
     {"Control Range [rpm]", "Regelbereich [rpm]", "Plage de régulation [rpm]",
      "Rozsah regulace [rpm]"}},
    {"LabelIdleTpsMez",
     Slot::kText,
     {"Regul range TPSx10 [%]", "Regelbereich TPSx10 [%]", "Plage régul. TPSx10 [%]",
      "Rozsah regulace TPSx10 [%]"}},
    {"CheckBoxIdleSmerReg",
     Slot::kText,
     {"Inverze direction of regulation", "Regelrichtung umkehren", "Inverser le sens de régulation",
      "Obrácený směr regulace"}},
    {"LabelIdleStepPuls",
     Slot::kText,
     {"Idle step pulse [us]", "Schrittimpuls [us]", "Impulsion de pas [us]", "Délka kroku [us]"}},
    {"LabelIdleStepPerioda",
     Slot::kText,
     {"Step motor period [ms]", "Schrittmotor-Periode [ms]", "Période pas à pas [ms]",
      "Perioda krok. motoru [ms]"}},
    {"LabelIdleHyster",
     Slot::kText,
     {"Hysteresis [rpm]", "Hysterese [rpm]", "Hystérésis [rpm]", "Hystereze [rpm]"}},
    {"LabelIdleProcentNaRpm",
     Slot::kText,
     {"Control of DC servo[%/1000rpm]", "Regelung DC-Servo[%/1000rpm]",
      "Régulation servo DC[%/1000rpm]", "Regulace DC serva[%/1000rpm]"}},
    {"GroupBoxIdleAdv",
     Slot::kText,
     {"Advance control of Idle", "Leerlaufregelung über Vorzündung",
      "Régulation du ralenti par l'avance", "Regulace volnoběhu předstihem"}},
    {"CheckBoxIdleAdvOn", Slot::kText, {"On", "Ein", "Actif", "Zapnuto"}},
    {"LabelIdleAdvNaRpm",
     Slot::kText,
     {"Advance control[°/1000rpm]", "Vorzündregelung[°/1000rpm]", "Régulation avance[°/1000rpm]",
      "Regulace předstihu[°/1000rpm]"}},
    {"LabelIdleAdvNaCas",
     Slot::kText,
     {"Regulace advance [°/10s]", "Vorzündungsänderung [°/10s]", "Variation d'avance [°/10s]",
      "Změna předstihu [°/10s]"}},
    {"LabelIdleMaxAdv",
     Slot::kText,
     {"Maximal advance [°]", "Maximale Vorzündung [°]", "Avance maximale [°]",
      "Maximální předstih [°]"}},
    {"GroupBoxIdleAdvPoz",
     Slot::kText,
     {"Idle Adv RPM desired", "Leerlauf-Solldrehzahl", "Régime de ralenti désiré",
      "Požadované otáčky volnoběhu"}},

    // N2O page. The injection corrections keep their designed captions in every language.
    {"CheckBoxGas", Slot::kText, {"N2O Enabled", "N2O aktiv", "N2O actif", "N2O povoleno"}},
    Same("GroupBoxGas", Slot::kText, "N2O"),
    Same("LabelGas1", Slot::kText, "N2O 1 [%]"),
    Same("LabelGas2", Slot::kText, "N2O 2 [%]"),
    {"LabelGasD", Slot::kText, {"Delay [ms]", "Verzögerung [ms]", "Délai [ms]", "Prodleva [ms]"}},
    {"LabelGasT",
     Slot::kText,
     {"Build up Time [ms]", "Aufbauzeit [ms]", "Temps de montée [ms]", "Doba náběhu [ms]"}},
    Same("LabelGasJetKor1", Slot::kText, "Korekce Jet 1 [%]"),
    Same("LabelGasJetKor2", Slot::kText, "Korekce Jet 2 [%]"),
    {"GroupBoxRetard", Slot::kText, {"Retard", "Spätzündung", "Retard", "Zpoždění zážehu"}},
    {"LabelRetard1",
     Slot::kText,
     {"Retard 1 [°]", "Spätzündung 1 [°]", "Retard 1 [°]", "Zpoždění 1 [°]"}},
    {"LabelRetard2",
     Slot::kText,
     {"Retard 2 [°]", "Spätzündung 2 [°]", "Retard 2 [°]", "Zpoždění 2 [°]"}},
    {"LabelRetardD",
     Slot::kText,
     {"Delay [ms]", "Verzögerung [ms]", "Délai [ms]", "Prodleva [ms]"}},
    {"LabelRetardT",
     Slot::kText,
     {"Build up Time [ms]", "Aufbauzeit [ms]", "Temps de montée [ms]", "Doba náběhu [ms]"}},

    // Injection position page.
    {"GroupBoxPolohaA",
     Slot::kText,
     {"Position of Injection A", "Lage der Einspritzung A", "Position de l'injection A",
      "Poloha vstřiku A"}},
    {"GroupBoxPolohaB",
     Slot::kText,
     {"Position of Injection B", "Lage der Einspritzung B", "Position de l'injection B",
      "Poloha vstřiku B"}},
    {"RadioGroupPolohaA",
     Slot::kText,
     {"Position of:", "Lage bezogen auf:", "Position du:", "Poloha:"}},
    {"RadioGroupPolohaB",
     Slot::kText,
     {"Position of:", "Lage bezogen auf:", "Position du:", "Poloha:"}},
    {"RadioGroupPolohaA",
     Slot::kItems,
     {"Beginning\nCentre\nEnd", "Beginn\nMitte\nEnde", "Début\nMilieu\nFin",
      "Začátek\nStřed\nKonec"}},
    {"RadioGroupPolohaB",
     Slot::kItems,
     {"Beginning\nCentre\nEnd", "Beginn\nMitte\nEnde", "Début\nMilieu\nFin",
      "Začátek\nStřed\nKonec"}},
    {"CheckBoxAll_PolohaA", Slot::kText, {"All", "Alle", "Tout", "Vše"}},
    {"CheckBoxAll_PolohaB", Slot::kText, {"All", "Alle", "Tout", "Vše"}},
    {"LabelPolohaRpmA", Slot::kText, {"RPM", "U/min", "Régime", "Otáčky"}},
    {"LabelPolohaRpmB", Slot::kText, {"RPM", "U/min", "Régime", "Otáčky"}},
    Same("LabelPolohaUhelA", Slot::kText, "[°]"),
    Same("LabelPolohaUhelB", Slot::kText, "[°]"),

    // Tuning page: the designed texts in every language.
    Same("LabelLadeni", Slot::kText, "Caution - For experienced user only!"),
    Same("LabelLadeniLambda", Slot::kText, "Lambda"),
    Same("LabelLadeniHyster", Slot::kText, "Hyster"),
    Same("LabelLadeniRpm", Slot::kText, "Rpm"),
    Same("LabelLadeniTps", Slot::kText, "Tps"),
    Same("LabelLadeniCas", Slot::kText, "Cas"),
    Same("CheckBoxLadeniPovoleno", Slot::kText, "CheckBoxLadeniPovoleno"),

    // Gear page. How the gear is determined is translated; the other captions stay as the page
    // has always shown them.
    {"RadioGroupGearSystem",
     Slot::kText,
     {"Determining of gear", "Gangerkennung", "Détection du rapport", "Určení převodu"}},
    {"RadioGroupGearSystem",
     Slot::kItems,
     {"Voltage\nRation Rpm Speed\nAutomat (Ratio Rpm Speed)\nNo",
      "Spannung\nVerhältnis Drehzahl/Geschw.\nAutomatik (Verhältnis)\nKeine",
      "Tension\nRapport régime/vitesse\nAutomatique (rapport)\nAucune",
      "Napětí\nPoměr otáčky/rychlost\nAutomat (poměr)\nNe"}},
    Same("LabelPocetGear", Slot::kText, "Number of gear"),
    Same("GroupBoxPulsuProSpeed", Slot::kText, "Setting of speed speedometer"),
    Same("RadioGroupSpeedMode", Slot::kItems,
         "Pulse over 1s for 100 km/hod\nDistance for pulse [mm]"),
    Same("GroupBoxNapetiProGear", Slot::kText, "Setting voltage of Gears"),
    Same("GroupBoxRpmSpeedProGear", Slot::kText, "Ratio Rpm / Speed"),
    Same("LabelPomerRpmSpeed0", Slot::kText, "Rpm/Speed x 10"),
    Same("GroupBoxGearKor", Slot::kText, "Correction per gear"),
    Same("LabelGearKorIgn", Slot::kText, "Advance [°]"),
    Same("LabelGearKorJet", Slot::kText, "Injection [%]"),
    Same("GroupBoxMonAutoGear", Slot::kText, "Automat from ratio rpm speed "),
    Same("LabelGearAutoTime", Slot::kText, "Min Time [s]"),
    Same("LabelGearAutoRpm", Slot::kText, "Min Rpm"),
    Same("LabelGearAutoTps", Slot::kText, "Min TPS [%]"),
    Same("LabelGearAutoBand", Slot::kText, "Band [0.1%]"),
    Same("LabelGear0", Slot::kText, "0 [mV]"),
    Same("ButtonGear0", Slot::kText, "<- Gear 0"),
    Same("LabelGear1", Slot::kText, "1 [mV]"),
    Same("ButtonGear1", Slot::kText, "<- Gear 1"),
    Same("LabelGear2", Slot::kText, "2 [mV]"),
    Same("ButtonGear2", Slot::kText, "<- Gear 2"),
    Same("LabelGear3", Slot::kText, "3 [mV]"),
    Same("ButtonGear3", Slot::kText, "<- Gear 3"),
    Same("LabelGear4", Slot::kText, "4 [mV]"),
    Same("ButtonGear4", Slot::kText, "<- Gear 4"),
    Same("LabelGear5", Slot::kText, "5 [mV]"),
    Same("ButtonGear5", Slot::kText, "<- Gear 5"),
    Same("LabelGear6", Slot::kText, "6 [mv]"),
    Same("ButtonGear6", Slot::kText, "<- Gear 6"),
    Same("LabelPomerRpmSpeed1", Slot::kText, "1"),
    Same("LabelGearKor1", Slot::kText, "1"),
    Same("LabelMonGearAuto1", Slot::kText, "1"),
    Same("LabelPomerRpmSpeed2", Slot::kText, "2"),
    Same("LabelGearKor2", Slot::kText, "2"),
    Same("LabelMonGearAuto2", Slot::kText, "2"),
    Same("LabelPomerRpmSpeed3", Slot::kText, "3"),
    Same("LabelGearKor3", Slot::kText, "3"),
    Same("LabelMonGearAuto3", Slot::kText, "3"),
    Same("LabelPomerRpmSpeed4", Slot::kText, "4"),
    Same("LabelGearKor4", Slot::kText, "4"),
    Same("LabelMonGearAuto4", Slot::kText, "4"),
    Same("LabelPomerRpmSpeed5", Slot::kText, "5"),
    Same("LabelGearKor5", Slot::kText, "5"),
    Same("LabelMonGearAuto5", Slot::kText, "5"),
    Same("LabelPomerRpmSpeed6", Slot::kText, "6"),
    Same("LabelGearKor6", Slot::kText, "6"),
    Same("LabelMonGearAuto6", Slot::kText, "6"),
    Same("LabelIdleServoTeplota0", Slot::kText, "-10 °C"),
    Same("LabelIdleServoTeplota1", Slot::kText, "  5 °C"),
    Same("LabelIdleServoTeplota2", Slot::kText, " 20 °C"),
    Same("LabelIdleServoTeplota3", Slot::kText, " 35 °C"),
    Same("LabelIdleServoTeplota4", Slot::kText, " 50 °C"),
    Same("LabelIdleServoTeplota5", Slot::kText, " 65 °C"),
    Same("LabelIdleServoTeplota6", Slot::kText, " 80 °C"),
    Same("LabelIdleServoTeplota7", Slot::kText, " 95 °C"),
    Same("LabelIdleServoTeplota8", Slot::kText, "110 °C"),
    Same("LabelIdleAdvTeplota0", Slot::kText, "-10 °C"),
    Same("LabelIdleAdvTeplota1", Slot::kText, "  5 °C"),
    Same("LabelIdleAdvTeplota2", Slot::kText, " 20 °C"),
    Same("LabelIdleAdvTeplota3", Slot::kText, " 35 °C"),
    Same("LabelIdleAdvTeplota4", Slot::kText, " 50 °C"),
    Same("LabelIdleAdvTeplota5", Slot::kText, " 65 °C"),
    Same("LabelIdleAdvTeplota6", Slot::kText, " 80 °C"),
    Same("LabelIdleAdvTeplota7", Slot::kText, " 95 °C"),
    Same("LabelIdleAdvTeplota8", Slot::kText, "110 °C"),
};

constexpr std::size_t Count(std::string_view text, char c) {
  std::size_t n = 0;
  for (const char x : text) n += x == c ? 1 : 0;
  return n;
}

// Every language has its own text; a radio group has as many items in every language, and a
// hint keeps its short and long part.
constexpr bool EveryLanguageWritten() {
  for (const PageText& row : kPageTexts) {
    for (const std::string_view text : row.text) {
      if (text.empty()) return false;
      if (row.slot == Slot::kItems && Count(text, '\n') != Count(row.text[0], '\n')) return false;
      if (row.slot == Slot::kHint && Count(text, '|') != 1) return false;
    }
  }
  return true;
}
static_assert(EveryLanguageWritten(), "a page text lacks a language, an item or its hint form");

std::vector<std::string> SplitItems(std::string_view text) {
  std::vector<std::string> items;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    items.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return items;
    start = end + 1;
  }
}

}  // namespace

std::optional<std::string_view> PageControlText(std::string_view control, int language) {
  for (const PageText& row : kPageTexts) {
    if (row.slot == Slot::kText && row.control == control) return TextIn(row.text, language);
  }
  return std::nullopt;
}

void ApplyPageTexts(ControlSet& controls, int language) {
  for (const PageText& row : kPageTexts) {
    const std::optional<ControlHandle> h = controls.Find(row.control);
    if (!h) continue;
    const std::string_view text = TextIn(row.text, language);
    switch (row.slot) {
      case Slot::kText:
        controls.SetText(*h, text);
        break;
      case Slot::kHint:
        controls.SetHint(*h, text);
        break;
      case Slot::kItems:
        controls.SetItems(*h, SplitItems(text));
        break;
    }
  }
}

}  // namespace korvan
