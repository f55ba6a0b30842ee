#include "pages/page_texts.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace korvan {
namespace {

enum class Slot { kText, kHint, kItems };

struct PageText {
  std::string_view control;
  Slot slot;
  std::array<std::string_view, 4> text;  // English, German, French, Czech; empty: as English
};

// Radio group items are one text, item after item, split at '\n'. The English texts are the
// station's established ones; the other languages follow as they are translated.
constexpr PageText kPageTexts[] = {
    // Bike page.
    {"GroupBoxBike", Slot::kText, {"Motorbike Type"}},
    {"GroupBoxOmez", Slot::kText, {"Limiters"}},
    {"LabelStartLimiter", Slot::kText, {"Start limiter [rpm]"}},
    {"LabelIgnLimiter", Slot::kText, {"Ignition Limiter [rpm]"}},
    {"LabelJetLimiter", Slot::kText, {"Injection Limiter [rpm]"}},
    {"LabelRetardLimiterRpm", Slot::kText, {"Retard Limiter [rpm]"}},
    {"LabelRetardLimiterAdv", Slot::kText, {"Retard [\u00b0/100rpm]"}},
    {"GroupBoxChlazeni", Slot::kText, {"Cooling"}},
    {"LabelChlazeni", Slot::kText, {"[\u00b0C]"}},
    {"GroupBoxRpm", Slot::kText, {"RPM"}},
    {"LabelRpmPulsu", Slot::kText, {"Pulses per revolution"}},
    {"LabelRpmKorekce", Slot::kText, {"Correction"}},
    {"GroupBoxIntakePort", Slot::kText, {"Intake ports"}},
    {"LabelIntakePortRpm", Slot::kText, {"Rpm"}},
    {"GroupBoxActivation", Slot::kText, {"Activation by Switch on"}},
    {"GroupBoxActivation",
     Slot::kHint,
     {"Activation by closing |Checked items means activation by closing to ground"}},
    {"CheckBoxAktFall", Slot::kText, {"Fall sensor"}},
    {"CheckBoxAktClutch", Slot::kText, {"Clutch master"}},
    {"CheckBoxAktStartLimiter", Slot::kText, {"Start limiter"}},
    {"CheckBoxAktRpm", Slot::kText, {"Tacho/Lambda"}},
    {"CheckBoxFallEnable", Slot::kText, {"Fall sensor enable"}},
    {"CheckBoxBlokEnable", Slot::kText, {"Blocking enable"}},
    {"LabelMemo", Slot::kText, {"Memo sheet:"}},
    {"LabelVerze1", Slot::kHint, {"Version|Version of program in ignition"}},
    {"LabelVerze2", Slot::kHint, {"Date|Date of program in ignition"}},
    {"LabelVerze3", Slot::kHint, {"Time|Time of program in ignition"}},

    // Corrections page.
    {"GroupBoxKorVodaVzduch", Slot::kText, {"Temperature Corrections of injection [%]"}},
    {"LabelVoda2", Slot::kText, {"Coolant"}},
    {"LabelVzduch2", Slot::kText, {"Inlet Air"}},
    {"GroupBoxIgnVoda", Slot::kText, {"Temperature Corrections of advance [\u00b0]"}},
    {"LabelVoda3", Slot::kText, {"Coolant"}},
    {"LabelKorTeplota0", Slot::kText, {"-10 \u00b0C"}},
    {"LabelKorTeplota1", Slot::kText, {"20 \u00b0C"}},
    {"LabelKorTeplota2", Slot::kText, {"50 \u00b0C"}},
    {"LabelKorTeplota3", Slot::kText, {"80 \u00b0C"}},
    {"LabelKorTeplota4", Slot::kText, {"110 \u00b0C"}},
    {"LabelKorIgnTeplota0", Slot::kText, {"-10 \u00b0C"}},
    {"LabelKorIgnTeplota1", Slot::kText, {"20 \u00b0C"}},
    {"LabelKorIgnTeplota2", Slot::kText, {"50 \u00b0C"}},
    {"LabelKorIgnTeplota3", Slot::kText, {"80 \u00b0C"}},
    {"LabelKorIgnTeplota4", Slot::kText, {"110 \u00b0C"}},
    {"GroupBoxSytic", Slot::kText, {"Starting Corrections [%]"}},
    {"LabelSyticCas", Slot::kText, {"Time [s]"}},
    {"LabelSyticKorekce", Slot::kText, {"Corrections for -10\u00b0C [%]"}},
    {"LabelSyticCas0", Slot::kText, {"0"}},
    {"LabelSyticKorekce4", Slot::kText, {"100"}},
    {"GroupBoxAkcel", Slot::kText, {"Acceleration Injection"}},
    {"LabelAkcelPrah", Slot::kText, {"Threshold [%/s]"}},
    {"LabelAkcelJet", Slot::kText, {"Size [us]"}},
    {"GroupBoxStartJet", Slot::kText, {"Start Injection"}},
    {"LabelStartJet", Slot::kText, {"[ms]"}},

    // Sensors page.
    {"GroupApsSensor", Slot::kText, {"Pressure sensor - AP"}},
    {"GroupIapsSensor", Slot::kText, {"Intake pressure sensor - IAP"}},
    {"LabelApsTlak1", Slot::kText, {"Pressure 1 [kPa]"}},
    {"LabelApsNapeti1", Slot::kText, {"Voltage 1 [mV]"}},
    {"LabelApsTlak2", Slot::kText, {"Pressure 2 [kPa]"}},
    {"LabelApsNapeti2", Slot::kText, {"Voltage 2 [mV]"}},
    {"LabelIapsTlak1", Slot::kText, {"Pressure 1 [kPa]"}},
    {"LabelIapsNapeti1", Slot::kText, {"Voltage 1 [mV]"}},
    {"LabelIapsTlak2", Slot::kText, {"Pressure 2 [kPa]"}},
    {"LabelIapsNapeti2", Slot::kText, {"Voltage 2 [mV]"}},
    {"GroupBoxCidloTVodaVzduch", Slot::kText, {"Characteristic of temperature sensors [mV]"}},
    {"LabelCidloVoda", Slot::kText, {"Water"}},
    {"LabelCidloVzduch", Slot::kText, {"Air"}},
    {"LabelCidloTeplota0", Slot::kText, {"-10 \u00b0C"}},
    {"LabelCidloTeplota1", Slot::kText, {"  5 \u00b0C"}},
    {"LabelCidloTeplota2", Slot::kText, {" 20 \u00b0C"}},
    {"LabelCidloTeplota3", Slot::kText, {" 35 \u00b0C"}},
    {"LabelCidloTeplota4", Slot::kText, {" 50 \u00b0C"}},
    {"LabelCidloTeplota5", Slot::kText, {" 65 \u00b0C"}},
    {"LabelCidloTeplota6", Slot::kText, {" 80 \u00b0C"}},
    {"LabelCidloTeplota7", Slot::kText, {" 95 \u00b0C"}},
    {"LabelCidloTeplota8", Slot::kText, {"110 \u00b0C"}},
    {"GroupBoxSetTps", Slot::kText, {"TPS"}},
    {"LabelTps0", Slot::kText, {"0%  [mV]"}},
    {"LabelTps100", Slot::kText, {"100%  [mv]"}},
    {"ButtonTps0", Slot::kText, {"<- TPS 0 %"}},
    {"ButtonTps100", Slot::kText, {"<- TPS 100 %"}},
    {"GroupBoxPotenc", Slot::kText, {"Potentiometer"}},
    {"RadioGroupPotencMode", Slot::kText, {"Control of"}},
    {"RadioGroupPotencMode", Slot::kItems, {"No\nInjection\nAdvance"}},
    {"LabelPotencRozsah", Slot::kText, {"Range -,+ [%, \u00b0]"}},

    // Race page. The pilot-light column caption follows the bike (shift light or choke).
    {"GroupBoxClutch", Slot::kText, {"Setting per gear"}},
    {"LabelRaceGear1", Slot::kText, {"1"}},
    {"LabelRaceGear2", Slot::kText, {"2"}},
    {"LabelRaceGear3", Slot::kText, {"3"}},
    {"LabelRaceGear4", Slot::kText, {"4"}},
    {"LabelRaceGear5", Slot::kText, {"5"}},
    {"LabelRaceGear6", Slot::kText, {"6"}},
    {"LabelClutchTime", Slot::kText, {"Clutch master time [ms]"}},
    {"LabelClutchPause", Slot::kText, {"Clutch master pause [ms]"}},
    {"RadioGroupClutchMode", Slot::kText, {"Clutch mode"}},
    {"RadioGroupClutchMode", Slot::kItems, {"No ignition\nRetard"}},
    {"LabelClutchMinRpm", Slot::kText, {"Min Clutch RPM"}},
    {"LabelClutchJet", Slot::kText, {"Clutch Jet [%]"}},
    {"LabelClutchAdv", Slot::kText, {"Clutch advance [\u00b0]"}},
    {"GroupBoxDisplay", Slot::kText, {"Display on Bike"}},
    {"CheckBoxTempDisplay", Slot::kText, {"Temperature instead of speed"}},

    // Idle page. The target table's caption follows the actuator and comes from the messages.
    {"RadioGroupIdleMode", Slot::kText, {"Idle control"}},
    {"RadioGroupIdleMode",
     Slot::kItems,
     {"No\nIntake servo\nStep motor without potentiometer\nStep motor set TPS min"}},
    {"LabelIdleRpmMez", Slot::kText, {"Control Range [rpm]"}},
    {"LabelIdleTpsMez", Slot::kText, {"Regul range TPSx10 [%]"}},
    {"CheckBoxIdleSmerReg", Slot::kText, {"Inverze direction of regulation"}},
    {"LabelIdleStepPuls", Slot::kText, {"Idle step pulse [us]"}},
    {"LabelIdleStepPerioda", Slot::kText, {"Step motor period [ms]"}},
    {"LabelIdleHyster", Slot::kText, {"Hysteresis [rpm]"}},
    {"LabelIdleProcentNaRpm", Slot::kText, {"Control of DC servo[%/1000rpm]"}},
    {"GroupBoxIdleAdv", Slot::kText, {"Advance control of Idle"}},
    {"CheckBoxIdleAdvOn", Slot::kText, {"On"}},
    {"LabelIdleAdvNaRpm", Slot::kText, {"Advance control[\u00b0/1000rpm]"}},
    {"LabelIdleAdvNaCas", Slot::kText, {"Regulace advance [\u00b0/10s]"}},
    {"LabelIdleMaxAdv", Slot::kText, {"Maximal advance [\u00b0]"}},
    {"GroupBoxIdleAdvPoz", Slot::kText, {"Idle Adv RPM desired"}},

    // N2O page. The injection corrections keep their designed captions in every language.
    {"CheckBoxGas", Slot::kText, {"N2O Enabled"}},
    {"GroupBoxGas", Slot::kText, {"N2O"}},
    {"LabelGas1", Slot::kText, {"N2O 1 [%]"}},
    {"LabelGas2", Slot::kText, {"N2O 2 [%]"}},
    {"LabelGasD", Slot::kText, {"Delay [ms]"}},
    {"LabelGasT", Slot::kText, {"Build up Time [ms]"}},
    {"LabelGasJetKor1", Slot::kText, {"Korekce Jet 1 [%]"}},
    {"LabelGasJetKor2", Slot::kText, {"Korekce Jet 2 [%]"}},
    {"GroupBoxRetard", Slot::kText, {"Retard"}},
    {"LabelRetard1", Slot::kText, {"Retard 1 [\u00b0]"}},
    {"LabelRetard2", Slot::kText, {"Retard 2 [\u00b0]"}},
    {"LabelRetardD", Slot::kText, {"Delay [ms]"}},
    {"LabelRetardT", Slot::kText, {"Build up Time [ms]"}},

    // Injection position page.
    {"GroupBoxPolohaA", Slot::kText, {"Position of Injection A"}},
    {"GroupBoxPolohaB", Slot::kText, {"Position of Injection B"}},
    {"RadioGroupPolohaA", Slot::kText, {"Position of:"}},
    {"RadioGroupPolohaB", Slot::kText, {"Position of:"}},
    {"RadioGroupPolohaA", Slot::kItems, {"Beginning\nCentre\nEnd"}},
    {"RadioGroupPolohaB", Slot::kItems, {"Beginning\nCentre\nEnd"}},
    {"CheckBoxAll_PolohaA", Slot::kText, {"All"}},
    {"CheckBoxAll_PolohaB", Slot::kText, {"All"}},
    {"LabelPolohaRpmA", Slot::kText, {"RPM"}},
    {"LabelPolohaRpmB", Slot::kText, {"RPM"}},
    {"LabelPolohaUhelA", Slot::kText, {"[\u00b0]"}},
    {"LabelPolohaUhelB", Slot::kText, {"[\u00b0]"}},

    // Tuning page: the designed texts in every language.
    {"LabelLadeni", Slot::kText, {"Caution - For experienced user only!"}},
    {"LabelLadeniLambda", Slot::kText, {"Lambda"}},
    {"LabelLadeniHyster", Slot::kText, {"Hyster"}},
    {"LabelLadeniRpm", Slot::kText, {"Rpm"}},
    {"LabelLadeniTps", Slot::kText, {"Tps"}},
    {"LabelLadeniCas", Slot::kText, {"Cas"}},
    {"CheckBoxLadeniPovoleno", Slot::kText, {"CheckBoxLadeniPovoleno"}},

    // Gear page.
    {"RadioGroupGearSystem", Slot::kText, {"Determining of gear"}},
    {"RadioGroupGearSystem",
     Slot::kItems,
     {"Voltage\nRation Rpm Speed\nAutomat (Ratio Rpm Speed)\nNo"}},
    {"LabelPocetGear", Slot::kText, {"Number of gear"}},
    {"GroupBoxPulsuProSpeed", Slot::kText, {"Setting of speed speedometer"}},
    {"RadioGroupSpeedMode",
     Slot::kItems,
     {"Pulse over 1s for 100 km/hod\nDistance for pulse [mm]"}},
    {"GroupBoxNapetiProGear", Slot::kText, {"Setting voltage of Gears"}},
    {"GroupBoxRpmSpeedProGear", Slot::kText, {"Ratio Rpm / Speed"}},
    {"LabelPomerRpmSpeed0", Slot::kText, {"Rpm/Speed x 10"}},
    {"GroupBoxGearKor", Slot::kText, {"Correction per gear"}},
    {"LabelGearKorIgn", Slot::kText, {"Advance [\u00b0]"}},
    {"LabelGearKorJet", Slot::kText, {"Injection [%]"}},
    {"GroupBoxMonAutoGear", Slot::kText, {"Automat from ratio rpm speed "}},
    {"LabelGearAutoTime", Slot::kText, {"Min Time [s]"}},
    {"LabelGearAutoRpm", Slot::kText, {"Min Rpm"}},
    {"LabelGearAutoTps", Slot::kText, {"Min TPS [%]"}},
    {"LabelGearAutoBand", Slot::kText, {"Band [0.1%]"}},
    {"LabelGear0", Slot::kText, {"0 [mV]"}},
    {"ButtonGear0", Slot::kText, {"<- Gear 0"}},
    {"LabelGear1", Slot::kText, {"1 [mV]"}},
    {"ButtonGear1", Slot::kText, {"<- Gear 1"}},
    {"LabelGear2", Slot::kText, {"2 [mV]"}},
    {"ButtonGear2", Slot::kText, {"<- Gear 2"}},
    {"LabelGear3", Slot::kText, {"3 [mV]"}},
    {"ButtonGear3", Slot::kText, {"<- Gear 3"}},
    {"LabelGear4", Slot::kText, {"4 [mV]"}},
    {"ButtonGear4", Slot::kText, {"<- Gear 4"}},
    {"LabelGear5", Slot::kText, {"5 [mV]"}},
    {"ButtonGear5", Slot::kText, {"<- Gear 5"}},
    {"LabelGear6", Slot::kText, {"6 [mv]"}},
    {"ButtonGear6", Slot::kText, {"<- Gear 6"}},
    {"LabelPomerRpmSpeed1", Slot::kText, {"1"}},
    {"LabelGearKor1", Slot::kText, {"1"}},
    {"LabelMonGearAuto1", Slot::kText, {"1"}},
    {"LabelPomerRpmSpeed2", Slot::kText, {"2"}},
    {"LabelGearKor2", Slot::kText, {"2"}},
    {"LabelMonGearAuto2", Slot::kText, {"2"}},
    {"LabelPomerRpmSpeed3", Slot::kText, {"3"}},
    {"LabelGearKor3", Slot::kText, {"3"}},
    {"LabelMonGearAuto3", Slot::kText, {"3"}},
    {"LabelPomerRpmSpeed4", Slot::kText, {"4"}},
    {"LabelGearKor4", Slot::kText, {"4"}},
    {"LabelMonGearAuto4", Slot::kText, {"4"}},
    {"LabelPomerRpmSpeed5", Slot::kText, {"5"}},
    {"LabelGearKor5", Slot::kText, {"5"}},
    {"LabelMonGearAuto5", Slot::kText, {"5"}},
    {"LabelPomerRpmSpeed6", Slot::kText, {"6"}},
    {"LabelGearKor6", Slot::kText, {"6"}},
    {"LabelMonGearAuto6", Slot::kText, {"6"}},
    {"LabelIdleServoTeplota0", Slot::kText, {"-10 \u00b0C"}},
    {"LabelIdleServoTeplota1", Slot::kText, {"  5 \u00b0C"}},
    {"LabelIdleServoTeplota2", Slot::kText, {" 20 \u00b0C"}},
    {"LabelIdleServoTeplota3", Slot::kText, {" 35 \u00b0C"}},
    {"LabelIdleServoTeplota4", Slot::kText, {" 50 \u00b0C"}},
    {"LabelIdleServoTeplota5", Slot::kText, {" 65 \u00b0C"}},
    {"LabelIdleServoTeplota6", Slot::kText, {" 80 \u00b0C"}},
    {"LabelIdleServoTeplota7", Slot::kText, {" 95 \u00b0C"}},
    {"LabelIdleServoTeplota8", Slot::kText, {"110 \u00b0C"}},
    {"LabelIdleAdvTeplota0", Slot::kText, {"-10 \u00b0C"}},
    {"LabelIdleAdvTeplota1", Slot::kText, {"  5 \u00b0C"}},
    {"LabelIdleAdvTeplota2", Slot::kText, {" 20 \u00b0C"}},
    {"LabelIdleAdvTeplota3", Slot::kText, {" 35 \u00b0C"}},
    {"LabelIdleAdvTeplota4", Slot::kText, {" 50 \u00b0C"}},
    {"LabelIdleAdvTeplota5", Slot::kText, {" 65 \u00b0C"}},
    {"LabelIdleAdvTeplota6", Slot::kText, {" 80 \u00b0C"}},
    {"LabelIdleAdvTeplota7", Slot::kText, {" 95 \u00b0C"}},
    {"LabelIdleAdvTeplota8", Slot::kText, {"110 \u00b0C"}},
};

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

void ApplyPageTexts(ControlSet& controls, int language) {
  const std::size_t index = language >= 0 && language < 4 ? static_cast<std::size_t>(language) : 0;
  for (const PageText& row : kPageTexts) {
    const std::optional<ControlHandle> h = controls.Find(row.control);
    if (!h) continue;
    const std::string_view text = row.text[index].empty() ? row.text[0] : row.text[index];
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
