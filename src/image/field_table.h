#pragma once

// The field dictionary: every setting of the image with its place, conversion, range and page.
// Maps and engine-speed axes are in image/map_storage.h; everything else that a page or the tools
// touch is here (where the parameter file carries each value is files/parameter_file_layout.h).
// Checked at compile time in field_table_checks.cc.

#include <array>

#include "image/field_dictionary.h"
#include "image/map_storage.h"
#include "image/page_index.h"

namespace korvan {
namespace field_table_detail {

// Builders that keep each row of the table to one line. Defaults: one byte element, shown as
// stored, step 1, controls not numbered.
constexpr Field Value(std::string_view name, int page, int offset, int min, int max) {
  return Field{.name = name,
               .page = page,
               .offset = offset,
               .count = 1,
               .width = FieldWidth::kByte,
               .kind = FieldKind::kValue,
               .conversion = Conversion::kPlain,
               .scale = 1,
               .bias = 0,
               .min = min,
               .max = max,
               .step = 1,
               .first_control_number = -1};
}
constexpr Field Scaled(std::string_view name, int page, int offset, int scale, int min, int max,
                       int step) {
  Field f = Value(name, page, offset, min, max);
  f.conversion = Conversion::kScaled;
  f.scale = scale;
  f.step = step;
  return f;
}
// Stored = shown + bias: +100 for signed quantities, -100 for the 100..350 % corrections.
constexpr Field Biased(std::string_view name, int page, int offset, int bias, int min, int max) {
  Field f = Value(name, page, offset, min, max);
  f.conversion = Conversion::kOffset;
  f.bias = bias;
  return f;
}
constexpr Field Flag(std::string_view name, int page, int offset) {
  Field f = Value(name, page, offset, 0, 1);
  f.kind = FieldKind::kFlag;
  return f;
}
constexpr Field Index(std::string_view name, int page, int offset, int max) {
  Field f = Value(name, page, offset, 0, max);
  f.kind = FieldKind::kIndex;
  return f;
}
constexpr Field Word(std::string_view name, int page, int word_index, int min, int max) {
  Field f = Value(name, page, 2 * word_index, min, max);
  f.width = FieldWidth::kWord;
  return f;
}
constexpr Field Times(Field f, int count) {
  f.count = count;
  return f;
}
constexpr Field Numbered(Field f, int first_number) {
  f.first_control_number = first_number;
  return f;
}
constexpr Field WithKind(Field f, FieldKind kind) {
  f.kind = kind;
  return f;
}
constexpr Field WithConversion(Field f, Conversion conversion) {
  f.conversion = conversion;
  return f;
}
constexpr Field WithStep(Field f, int step) {
  f.step = step;
  return f;
}

}  // namespace field_table_detail

// clang-format off
inline constexpr auto kFieldTable = [] {
  using namespace field_table_detail;
  return std::array{
    // Bike page.
    WithKind(Value("ComboBoxBike", kPageBike, kBikeCodeOffset, 0, 49), FieldKind::kCode),
    Flag("CheckBoxZakazCteni", kPageBike, 1),
    Flag("CheckBoxFallEnable", kPageBike, 22),
    Flag("CheckBoxBlokEnable", kPageBike, 23),
    Flag("CheckBoxAktFall", kPageBike, 24),
    Flag("CheckBoxAktClutch", kPageBike, 25),
    Flag("CheckBoxAktStartLimiter", kPageBike, 26),
    Flag("CheckBoxAktRpm", kPageBike, 27),
    Scaled("UpDownStartLimiter", kPageBike, 28, 100, 900, 25000, 100),
    Scaled("UpDownIgnLimiter", kPageBike, kIgnitionLimiterOffset, 100, 900, 25000, 100),
    Scaled("UpDownJetLimiter", kPageBike, 30, 100, 900, 25000, 100),
    Scaled("UpDownRetardLimiterRpm", kPageBike, 31, 100, 900, 25000, 100),
    Value("UpDownRetardLimiterAdv", kPageBike, 32, 1, 250),
    Value("UpDownChlazeni", kPageBike, 35, 0, 150),
    Value("UpDownRpmPulsu", kPageBike, 36, 0, 6),
    Biased("UpDownRpmKorekce", kPageBike, 37, 100, -60, 60),
    Scaled("UpDownIntakePortRpm", kPageBike, 38, 100, 900, 25000, 100),
    Times(WithKind(Value("Memo1", kPageBike, kMemoOffset, 0, 255), FieldKind::kText),
          kMemoMaxLength),

    // Advance map page: header fields and the "TPS" check box.
    Flag("CheckBoxTps_Uni", kPageAdvance, kAdvanceByThrottleOffset),
    Times(Biased("AdvanceCylinderCorrection", kPageAdvance, 41, 100, -15, 15), 4),
    Value("AdvanceBase", kPageAdvance, kBaseAdvanceOffset, 0, 100),
    Value("AdvanceWidthOfLobe", kPageAdvance, kWidthOfLobeOffset, 0, 100),

    // Inj-1A page: channel mode and the change-over "IAP -> TP ".
    Index("JetCouplingMode", kPageInj1A, kJetCouplingModeOffset, 2),
    Value("JetTpsMin", kPageInj1A, 48, 0, 100),
    Value("JetTpsMax", kPageInj1A, 49, 0, 100),
    Scaled("JetRpmMin", kPageInj1A, 50, 100, 0, 25000, 100),
    Scaled("JetRpmMax", kPageInj1A, 51, 100, 0, 25000, 100),

    // Inj-IAP page: cylinder corrections (a byte, so at most 255 whatever the field offers) and
    // the ten intake pressures of the rows.
    Times(Value("IapCylinderCorrection", kPageInjIap, 52, 0, 255), 4),
    Times(Word("IapRowAxis", kPageInjIap, kIapRowAxisWord, 0, kIapRowAxisMax), kMapRows),

    // Injection position page.
    Index("RadioGroupPolohaA", kPagePosition, 56, 2),
    Index("RadioGroupPolohaB", kPagePosition, 57, 2),
    Times(Scaled("EditPolohaRpmA", kPagePosition, kPositionASpeedOffset, 100, 300, 25000, 100),
          15),
    Times(Scaled("EditPolohaA", kPagePosition, kPositionAAngleOffset, 5, 0, 720, 5), 15),
    Times(Scaled("EditPolohaRpmB", kPagePosition, kPositionBSpeedOffset, 100, 300, 25000, 100),
          15),
    Times(Scaled("EditPolohaB", kPagePosition, kPositionBAngleOffset, 5, 0, 720, 5), 15),

    // Corrections page.
    Numbered(Times(Value("UpDownSyticCas", kPageCorrections, 67, 0, 250), 4), 1),
    Numbered(Times(Biased("UpDownSyticKorekce", kPageCorrections, 71, -100, 100, 350), 4), 0),
    Times(Value("EditKorVodaJet", kPageCorrections, 80, 10, 250), 5),
    Times(Value("EditKorVzduchJet", kPageCorrections, 85, 10, 250), 5),
    Scaled("UpDownAkcelPrah", kPageCorrections, 90, 10, 10, 2500, 10),
    Scaled("UpDownAkcelJet", kPageCorrections, 91, 50, 0, 7500, 50),
    Value("UpDownStartJet", kPageCorrections, 92, 0, 50),
    Times(Biased("EditKorVodaIgn", kPageCorrections, 93, 100, -20, 20), 5),

    // Sensors page.
    Word("UpDownApsTlak1", kPageSensors, 3, 0, 1000),
    Word("UpDownApsNapeti1", kPageSensors, 4, 0, 25000),
    Word("UpDownApsTlak2", kPageSensors, 5, 0, 1000),
    Word("UpDownApsNapeti2", kPageSensors, 6, 0, 25000),
    Word("UpDownIapsTlak1", kPageSensors, 7, 0, 1000),
    Word("UpDownIapsNapeti1", kPageSensors, 8, 0, 25000),
    Word("UpDownIapsTlak2", kPageSensors, 9, 0, 1000),
    Word("UpDownIapsNapeti2", kPageSensors, 10, 0, 25000),
    Scaled("UpDownTps0", kPageSensors, 33, 10, 0, 2500, 10),
    WithStep(WithConversion(Value("UpDownTps100", kPageSensors, 34, 2500, 5000),
                            Conversion::kTpsHigh), 10),
    Index("RadioGroupPotencMode", kPageSensors, 75, 2),
    Value("UpDownPotencRozsah", kPageSensors, 76, 0, 60),
    Times(Word("EditCidloVoda", kPageSensors, 97, 0, 5000), 9),
    Times(Word("EditCidloVzduch", kPageSensors, 106, 0, 5000), 9),

    // Intake servo map page: header fields and shared servo controls.
    Flag("IntakeServoEnable", kPageIntakeServo, kIntakeServoEnableOffset),
    Flag("IntakeServoPercent", kPageIntakeServo, kIntakeServoPercentOffset),
    Scaled("IntakeServoHysteresis", kPageIntakeServo, 61, 5, 0, 1000, 5),
    Index("IntakeServoMode", kPageIntakeServo, kIntakeServoModeOffset, 2),
    Flag("IntakeServoStepMotor", kPageIntakeServo, kStepMotorOffset),
    Value("IntakeServoPeriod", kPageIntakeServo, 77, 4, 100),
    Scaled("IntakeServoExcitation", kPageIntakeServo, 78, 250, 250, 25000, 250),

    // Exhaust servo map page.
    Flag("ExhaustServoEnable", kPageExhaustServo, kExhaustServoEnableOffset),
    Flag("ExhaustServoPercent", kPageExhaustServo, kExhaustServoPercentOffset),
    Scaled("ExhaustServoHysteresis", kPageExhaustServo, 60, 5, 0, 1000, 5),
    Index("ExhaustServoMode", kPageExhaustServo, kExhaustServoModeOffset, 2),

    // Idle page. Byte 2607 is carried by files but never gathered by the page.
    Index("RadioGroupIdleMode", kPageIdle, kIdleTypeOffset, 3),
    Scaled("UpDownIdleRpmMez", kPageIdle, 2601, 100, 300, 20000, 100),
    Value("UpDownIdleTpsMez", kPageIdle, 2602, 1, 100),
    Flag("CheckBoxIdleSmerReg", kPageIdle, 2603),
    Scaled("UpDownIdleStepPuls", kPageIdle, 2604, 250, 250, 25000, 250),
    Value("UpDownIdleStepPerioda", kPageIdle, 2605, 4, 250),
    Scaled("UpDownIdleHyster", kPageIdle, 2606, 10, 0, 2500, 10),
    Value("UpDownIdleProcentNaRpm", kPageIdle, 2607, 1, 100),
    Value("UpDownIdleProcentNaCas", kPageIdle, 2608, 1, 100),
    Times(WithConversion(Value("EditIdleServoPoz", kPageIdle, kIdleServoTableOffset, 0, 12000),
                         Conversion::kIdleServo), 9),
    Flag("CheckBoxIdleAdvOn", kPageIdle, 2618),
    Value("UpDownIdleAdvNaRpm", kPageIdle, 2619, 1, 100),
    Value("UpDownIdleAdvNaCas", kPageIdle, 2620, 0, 250),
    Value("UpDownIdleMaxAdv", kPageIdle, 2621, 1, 100),
    Times(Scaled("EditIdleAdvPoz", kPageIdle, 2622, 50, 0, 12000, 50), 9),

    // N2O page. Delays come before build-up times on the page.
    Flag("CheckBoxGas", kPageN2o, 98),
    Value("UpDownGas1", kPageN2o, 99, 0, 100),
    Value("UpDownGas2", kPageN2o, 100, 0, 100),
    Scaled("UpDownGasD", kPageN2o, 102, 100, 0, 25500, 100),
    Scaled("UpDownGasT", kPageN2o, 101, 100, 0, 25500, 100),
    Biased("UpDownGasJetKor1", kPageN2o, 158, -100, 100, 350),
    Biased("UpDownGasJetKor2", kPageN2o, 159, -100, 100, 350),
    Value("UpDownRetard1", kPageN2o, 103, 0, 25),
    Value("UpDownRetard2", kPageN2o, 104, 0, 25),
    Scaled("UpDownRetardD", kPageN2o, 106, 100, 0, 25500, 100),
    Scaled("UpDownRetardT", kPageN2o, 105, 100, 0, 25500, 100),

    // Race page.
    Index("RadioGroupClutchMode", kPageRace, 120, 1),
    Scaled("UpDownClutchMinRpm", kPageRace, 133, 100, 1000, 25000, 100),
    Value("UpDownClutchJet", kPageRace, 134, 0, 100),
    Value("UpDownClutchAdv", kPageRace, 135, 0, 60),
    Times(Scaled("EditClutchTime", kPageRace, 121, 10, 0, 2500, 10), 6),
    Times(Scaled("EditClutchPause", kPageRace, 127, 10, 0, 2500, 100), 6),
    Times(Scaled("EditRaceRpm1", kPageRace, 108, 100, 900, 25000, 100), 6),
    Times(Scaled("EditRaceRpm2", kPageRace, 114, 100, 900, 25000, 100), 6),
    Flag("CheckBoxTempDisplay", kPageRace, 107),

    // Gear page.
    Index("RadioGroupGearSystem", kPageGear, 136, 3),
    Value("UpDownPocetGear", kPageGear, 137, 1, 6),
    Times(Word("EditGearNapeti", kPageGear, 70, 0, 5000), 7),
    Times(Word("EditGearPomer", kPageGear, 81, 1, 32000), 6),
    Times(Biased("EditGearKorIgn", kPageGear, 174, 100, -20, 20), 6),
    Times(Value("EditGearKorJet", kPageGear, 180, 0, 255), 6),
    Value("UpDownGearAutoTime", kPageGear, 154, 1, 100),
    Scaled("UpDownGearAutoRpm", kPageGear, 155, 100, 300, 25000, 100),
    Value("UpDownGearAutoTps", kPageGear, 156, 0, 100),
    Value("UpDownGearAutoBand", kPageGear, 157, 1, 100),
    Index("RadioGroupSpeedMode", kPageGear, 138, 1),
    Word("UpDownPulsuProSpeed", kPageGear, 80, 1, 32000),

    // Tuning page.
    Scaled("UpDownLadeniLambda", kPageTuning, 186, 10, 400, 1000, 10),
    Scaled("UpDownLadeniHyster", kPageTuning, 187, 10, 10, 400, 10),
    Scaled("UpDownLadeniRpm", kPageTuning, 188, 10, 50, 2000, 100),
    Value("UpDownLadeniTps", kPageTuning, 189, 0, 20),
    Scaled("UpDownLadeniCas", kPageTuning, 190, 100, 400, 20000, 200),
  };
}();
// clang-format on

// Bytes written only from the bike code; no page or file carries them.
inline constexpr std::array<ByteRun, 4> kBikeConstantRuns{{
    {2, 4},     // engine configuration code (2) and bike constants 3..5
    {191, 3},   // bike constants
    {230, 18},  // w115..w123: nine-word table by coolant temperature
    {252, 25},  // rated limiter speed, 253..255, cylinders 256, channel assignment, 261..276
}};

// Bytes no field reads or writes.
inline constexpr std::array<ByteRun, 7> kBytesWithoutFieldRuns{
    {{39, 1}, {79, 1}, {139, 1}, {248, 4}, {277, 7}, {304, 1}, {2631, 69}}};

}  // namespace korvan
