#pragma once

// The field dictionary: every setting of the image with its place, conversion, range, page and
// file position. Maps and engine-speed axes are in image/map_storage.h; everything else that a
// page, the parameter file or the tools touch is here. Checked at compile time in
// field_table_checks.cc.

#include <array>

#include "image/field_dictionary.h"
#include "image/page_index.h"

namespace korvan {
namespace field_table_detail {

// Builders that keep each row of the table to one line. Defaults: one byte element, shown as
// stored, step 1, written to the file as shown, controls not numbered.
constexpr Field Value(std::string_view name, int page, int offset, int min, int max,
                      std::string_view section, int line, int position) {
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
               .file_section = section,
               .file_line = line,
               .file_position = position,
               .file_count = 1,
               .file_raw = false,
               .first_control_number = -1};
}
constexpr Field Scaled(std::string_view name, int page, int offset, int scale, int min, int max,
                       int step, std::string_view section, int line, int position) {
  Field f = Value(name, page, offset, min, max, section, line, position);
  f.conversion = Conversion::kScaled;
  f.scale = scale;
  f.step = step;
  return f;
}
// Stored = shown + bias: +100 for signed quantities, -100 for the 100..350 % corrections.
constexpr Field Biased(std::string_view name, int page, int offset, int bias, int min, int max,
                       std::string_view section, int line, int position) {
  Field f = Value(name, page, offset, min, max, section, line, position);
  f.conversion = Conversion::kOffset;
  f.bias = bias;
  return f;
}
constexpr Field Flag(std::string_view name, int page, int offset, std::string_view section,
                     int line, int position) {
  Field f = Value(name, page, offset, 0, 1, section, line, position);
  f.kind = FieldKind::kFlag;
  return f;
}
constexpr Field Index(std::string_view name, int page, int offset, int max,
                      std::string_view section, int line, int position) {
  Field f = Value(name, page, offset, 0, max, section, line, position);
  f.kind = FieldKind::kIndex;
  return f;
}
constexpr Field Word(std::string_view name, int page, int word_index, int min, int max,
                     std::string_view section, int line, int position) {
  Field f = Value(name, page, 2 * word_index, min, max, section, line, position);
  f.width = FieldWidth::kWord;
  return f;
}
constexpr Field Times(Field f, int count) {
  f.count = count;
  f.file_count = count;
  return f;
}
constexpr Field FileCount(Field f, int file_count) {
  f.file_count = file_count;
  return f;
}
constexpr Field Raw(Field f) {
  f.file_raw = true;
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
    Raw(WithKind(Value("ComboBoxBike", kPageBike, kBikeCodeOffset, 0, 49, "BIKE", 0, 1),
                 FieldKind::kCode)),
    Flag("CheckBoxZakazCteni", kPageBike, 1, "NO_READING", 0, 1),
    Flag("CheckBoxFallEnable", kPageBike, 22, "INPUTS", 0, 1),
    Flag("CheckBoxBlokEnable", kPageBike, 23, "INPUTS", 0, 2),
    Flag("CheckBoxAktFall", kPageBike, 24, "INPUTS", 0, 3),
    Flag("CheckBoxAktClutch", kPageBike, 25, "INPUTS", 0, 4),
    Flag("CheckBoxAktStartLimiter", kPageBike, 26, "INPUTS", 0, 5),
    Flag("CheckBoxAktRpm", kPageBike, 27, "INPUTS", 0, 6),
    Scaled("UpDownStartLimiter", kPageBike, 28, 100, 900, 25000, 100, "LIMITER", 0, 1),
    Scaled("UpDownIgnLimiter", kPageBike, kIgnitionLimiterOffset, 100, 900, 25000, 100, "LIMITER",
           0, 2),
    Scaled("UpDownJetLimiter", kPageBike, 30, 100, 900, 25000, 100, "LIMITER", 0, 3),
    Scaled("UpDownRetardLimiterRpm", kPageBike, 31, 100, 900, 25000, 100, "LIMITER", 0, 4),
    Value("UpDownRetardLimiterAdv", kPageBike, 32, 1, 250, "LIMITER", 0, 5),
    Value("UpDownChlazeni", kPageBike, 35, 0, 150, "COOLING", 0, 1),
    Value("UpDownRpmPulsu", kPageBike, 36, 0, 6, "RPM", 0, 1),
    Biased("UpDownRpmKorekce", kPageBike, 37, 100, -60, 60, "RPM", 0, 2),
    Scaled("UpDownIntakePortRpm", kPageBike, 38, 100, 900, 25000, 100, "INTAKE_PORT", 0, 1),
    Times(WithKind(Value("Memo1", kPageBike, kMemoOffset, 0, 255, "MEMO", 0, 1), FieldKind::kText),
          kMemoMaxLength),

    // Advance map page: header fields and the "TPS" check box.
    Flag("CheckBoxTps_Uni", kPageAdvance, kAdvanceByThrottleOffset, "ADVANCE_MISC", 0, 1),
    Times(Biased("AdvanceCylinderCorrection", kPageAdvance, 41, 100, -15, 15, "ADVANCE_MISC", 0, 2),
          4),
    Value("AdvanceBase", kPageAdvance, kBaseAdvanceOffset, 0, 100, "ADVANCE_MISC", 0, 6),
    Value("AdvanceWidthOfLobe", kPageAdvance, kWidthOfLobeOffset, 0, 100, "ADVANCE_MISC", 0, 7),

    // Inj-1A page: channel mode and the change-over "IAP -> TP ".
    Index("JetCouplingMode", kPageInj1A, kJetCouplingModeOffset, 2, "JET1_MISC", 0, 1),
    Value("JetTpsMin", kPageInj1A, 48, 0, 100, "JET1_MISC", 0, 2),
    Value("JetTpsMax", kPageInj1A, 49, 0, 100, "JET1_MISC", 0, 3),
    Scaled("JetRpmMin", kPageInj1A, 50, 100, 0, 25000, 100, "JET1_MISC", 0, 4),
    Scaled("JetRpmMax", kPageInj1A, 51, 100, 0, 25000, 100, "JET1_MISC", 0, 5),

    // Inj-IAP page: cylinder corrections (a byte, so at most 255 whatever the field offers) and
    // the ten intake pressures of the rows.
    Times(Value("IapCylinderCorrection", kPageInjIap, 52, 0, 255, "IAP_MISC", 0, 1), 4),
    Raw(Times(Word("IapRowAxis", kPageInjIap, 142, 0, 1000, "IAP_IAP", 0, 1), 10)),

    // Injection position page.
    Index("RadioGroupPolohaA", kPagePosition, 56, 2, "POSITION_A", 1, 1),
    Index("RadioGroupPolohaB", kPagePosition, 57, 2, "POSITION_B", 1, 1),
    Times(Scaled("EditPolohaRpmA", kPagePosition, kPositionASpeedOffset, 100, 300, 25000, 100,
                 "POSITION_A", 2, 1), 15),
    Times(Scaled("EditPolohaA", kPagePosition, kPositionAAngleOffset, 5, 0, 720, 5, "POSITION_A",
                 3, 1), 15),
    Times(Scaled("EditPolohaRpmB", kPagePosition, kPositionBSpeedOffset, 100, 300, 25000, 100,
                 "POSITION_B", 2, 1), 15),
    Times(Scaled("EditPolohaB", kPagePosition, kPositionBAngleOffset, 5, 0, 720, 5, "POSITION_B",
                 3, 1), 15),

    // Corrections page.
    Numbered(Times(Value("UpDownSyticCas", kPageCorrections, 67, 0, 250, "CHOKE", 1, 1), 4), 1),
    Numbered(Times(Biased("UpDownSyticKorekce", kPageCorrections, 71, -100, 100, 350, "CHOKE", 2,
                          1), 4), 0),
    Times(Value("EditKorVodaJet", kPageCorrections, 80, 10, 250, "INJ_CORR", 1, 1), 5),
    Times(Value("EditKorVzduchJet", kPageCorrections, 85, 10, 250, "INJ_CORR", 2, 1), 5),
    Scaled("UpDownAkcelPrah", kPageCorrections, 90, 10, 10, 2500, 10, "ACCEL", 0, 1),
    Scaled("UpDownAkcelJet", kPageCorrections, 91, 50, 0, 7500, 50, "ACCEL", 0, 2),
    Value("UpDownStartJet", kPageCorrections, 92, 0, 50, "START_INJ", 0, 1),
    Raw(Times(Biased("EditKorVodaIgn", kPageCorrections, 93, 100, -20, 20, "ADVANCE_CORR", 0, 1),
              5)),

    // Sensors page.
    Word("UpDownApsTlak1", kPageSensors, 3, 0, 1000, "APS_IAPS", 1, 1),
    Word("UpDownApsNapeti1", kPageSensors, 4, 0, 25000, "APS_IAPS", 1, 2),
    Word("UpDownApsTlak2", kPageSensors, 5, 0, 1000, "APS_IAPS", 1, 3),
    Word("UpDownApsNapeti2", kPageSensors, 6, 0, 25000, "APS_IAPS", 1, 4),
    Word("UpDownIapsTlak1", kPageSensors, 7, 0, 1000, "APS_IAPS", 2, 1),
    Word("UpDownIapsNapeti1", kPageSensors, 8, 0, 25000, "APS_IAPS", 2, 2),
    Word("UpDownIapsTlak2", kPageSensors, 9, 0, 1000, "APS_IAPS", 2, 3),
    Word("UpDownIapsNapeti2", kPageSensors, 10, 0, 25000, "APS_IAPS", 2, 4),
    Scaled("UpDownTps0", kPageSensors, 33, 10, 0, 2500, 10, "TPS", 0, 1),
    WithStep(WithConversion(Value("UpDownTps100", kPageSensors, 34, 2500, 5000, "TPS", 0, 2),
                            Conversion::kTpsHigh), 10),
    Index("RadioGroupPotencMode", kPageSensors, 75, 2, "POTENTIOMETER", 0, 1),
    Value("UpDownPotencRozsah", kPageSensors, 76, 0, 60, "POTENTIOMETER", 0, 2),
    Times(Word("EditCidloVoda", kPageSensors, 97, 0, 5000, "WATER_TEMP_SENSOR", 0, 1), 9),
    // Files carry only the first five air points; the rest keep the bike's defaults.
    FileCount(Times(Word("EditCidloVzduch", kPageSensors, 106, 0, 5000, "AIR_TEMP_SENSOR", 0, 1),
                    9), 5),

    // Intake servo map page: header fields and shared servo controls.
    Flag("IntakeServoEnable", kPageIntakeServo, kIntakeServoEnableOffset, "SERVO_IN", 0, 1),
    Flag("IntakeServoPercent", kPageIntakeServo, kIntakeServoPercentOffset, "SERVO_IN", 0, 2),
    Scaled("IntakeServoHysteresis", kPageIntakeServo, 61, 5, 0, 1000, 5, "SERVO_IN", 0, 3),
    Index("IntakeServoMode", kPageIntakeServo, kIntakeServoModeOffset, 2, "SERVO_IN", 0, 4),
    Flag("IntakeServoStepMotor", kPageIntakeServo, kStepMotorOffset, "SERVO_IN", 0, 5),
    Value("IntakeServoPeriod", kPageIntakeServo, 77, 4, 100, "SERVO_IN", 0, 6),
    Scaled("IntakeServoExcitation", kPageIntakeServo, 78, 250, 250, 25000, 250, "SERVO_IN", 0, 7),

    // Exhaust servo map page.
    Flag("ExhaustServoEnable", kPageExhaustServo, kExhaustServoEnableOffset, "SERVO_EX", 0, 1),
    Flag("ExhaustServoPercent", kPageExhaustServo, kExhaustServoPercentOffset, "SERVO_EX", 0, 2),
    Scaled("ExhaustServoHysteresis", kPageExhaustServo, 60, 5, 0, 1000, 5, "SERVO_EX", 0, 3),
    Index("ExhaustServoMode", kPageExhaustServo, kExhaustServoModeOffset, 2, "SERVO_EX", 0, 4),

    // Idle page. Byte 2607 is carried by files but never gathered by the page.
    Index("RadioGroupIdleMode", kPageIdle, kIdleTypeOffset, 3, "IDLE", 1, 1),
    Scaled("UpDownIdleRpmMez", kPageIdle, 2601, 100, 300, 20000, 100, "IDLE", 1, 2),
    Value("UpDownIdleTpsMez", kPageIdle, 2602, 1, 100, "IDLE", 1, 3),
    Flag("CheckBoxIdleSmerReg", kPageIdle, 2603, "IDLE", 1, 4),
    Scaled("UpDownIdleStepPuls", kPageIdle, 2604, 250, 250, 25000, 250, "IDLE", 1, 5),
    Value("UpDownIdleStepPerioda", kPageIdle, 2605, 4, 250, "IDLE", 1, 6),
    Scaled("UpDownIdleHyster", kPageIdle, 2606, 10, 0, 2500, 10, "IDLE", 1, 7),
    Value("UpDownIdleProcentNaRpm", kPageIdle, 2607, 1, 100, "IDLE", 1, 8),
    Value("UpDownIdleProcentNaCas", kPageIdle, 2608, 1, 100, "IDLE", 1, 9),
    Times(WithConversion(Value("EditIdleServoPoz", kPageIdle, kIdleServoTableOffset, 0, 12000,
                               "IDLE", 2, 1), Conversion::kIdleServo), 9),
    Flag("CheckBoxIdleAdvOn", kPageIdle, 2618, "IDLE", 3, 1),
    Value("UpDownIdleAdvNaRpm", kPageIdle, 2619, 1, 100, "IDLE", 3, 2),
    Value("UpDownIdleAdvNaCas", kPageIdle, 2620, 0, 250, "IDLE", 3, 3),
    Value("UpDownIdleMaxAdv", kPageIdle, 2621, 1, 100, "IDLE", 3, 4),
    Times(Scaled("EditIdleAdvPoz", kPageIdle, 2622, 50, 0, 12000, 50, "IDLE", 4, 1), 9),

    // N2O page. Delays come before build-up times on the page and in the file.
    Flag("CheckBoxGas", kPageN2o, 98, "N2O", 1, 1),
    Value("UpDownGas1", kPageN2o, 99, 0, 100, "N2O", 2, 1),
    Value("UpDownGas2", kPageN2o, 100, 0, 100, "N2O", 2, 2),
    Scaled("UpDownGasD", kPageN2o, 102, 100, 0, 25500, 100, "N2O", 2, 3),
    Scaled("UpDownGasT", kPageN2o, 101, 100, 0, 25500, 100, "N2O", 2, 4),
    Biased("UpDownGasJetKor1", kPageN2o, 158, -100, 100, 350, "N2O", 2, 5),
    Biased("UpDownGasJetKor2", kPageN2o, 159, -100, 100, 350, "N2O", 2, 6),
    Value("UpDownRetard1", kPageN2o, 103, 0, 25, "N2O", 3, 1),
    Value("UpDownRetard2", kPageN2o, 104, 0, 25, "N2O", 3, 2),
    Scaled("UpDownRetardD", kPageN2o, 106, 100, 0, 25500, 100, "N2O", 3, 3),
    Scaled("UpDownRetardT", kPageN2o, 105, 100, 0, 25500, 100, "N2O", 3, 4),

    // Race page.
    Index("RadioGroupClutchMode", kPageRace, 120, 1, "CLUTCH", 1, 1),
    Scaled("UpDownClutchMinRpm", kPageRace, 133, 100, 1000, 25000, 100, "CLUTCH", 1, 2),
    Value("UpDownClutchJet", kPageRace, 134, 0, 100, "CLUTCH", 1, 3),
    Value("UpDownClutchAdv", kPageRace, 135, 0, 60, "CLUTCH", 1, 4),
    Times(Scaled("EditClutchTime", kPageRace, 121, 10, 0, 2500, 10, "CLUTCH", 2, 1), 6),
    Times(Scaled("EditClutchPause", kPageRace, 127, 10, 0, 2500, 100, "CLUTCH", 3, 1), 6),
    Times(Scaled("EditRaceRpm1", kPageRace, 108, 100, 900, 25000, 100, "PILOT_LIGHT", 1, 1), 6),
    Times(Scaled("EditRaceRpm2", kPageRace, 114, 100, 900, 25000, 100, "PILOT_LIGHT", 2, 1), 6),
    Flag("CheckBoxTempDisplay", kPageRace, 107, "DISPLAY", 0, 1),

    // Gear page.
    Index("RadioGroupGearSystem", kPageGear, 136, 3, "GEAR", 1, 1),
    Value("UpDownPocetGear", kPageGear, 137, 1, 6, "GEAR", 1, 2),
    Times(Word("EditGearNapeti", kPageGear, 70, 0, 5000, "GEAR", 2, 1), 7),
    Times(Word("EditGearPomer", kPageGear, 81, 1, 32000, "GEAR", 3, 1), 6),
    Times(Biased("EditGearKorIgn", kPageGear, 174, 100, -20, 20, "GEAR_CORR", 1, 1), 6),
    Times(Value("EditGearKorJet", kPageGear, 180, 0, 255, "GEAR_CORR", 2, 1), 6),
    Value("UpDownGearAutoTime", kPageGear, 154, 1, 100, "GEAR_AUTO", 0, 1),
    Scaled("UpDownGearAutoRpm", kPageGear, 155, 100, 300, 25000, 100, "GEAR_AUTO", 0, 2),
    Value("UpDownGearAutoTps", kPageGear, 156, 0, 100, "GEAR_AUTO", 0, 3),
    Value("UpDownGearAutoBand", kPageGear, 157, 1, 100, "GEAR_AUTO", 0, 4),
    Index("RadioGroupSpeedMode", kPageGear, 138, 1, "SPEED_PULSES", 0, 1),
    Word("UpDownPulsuProSpeed", kPageGear, 80, 1, 32000, "SPEED_PULSES", 0, 2),

    // Tuning page.
    Scaled("UpDownLadeniLambda", kPageTuning, 186, 10, 400, 1000, 10, "TUNING", 0, 1),
    Scaled("UpDownLadeniHyster", kPageTuning, 187, 10, 10, 400, 10, "TUNING", 0, 2),
    Scaled("UpDownLadeniRpm", kPageTuning, 188, 10, 50, 2000, 100, "TUNING", 0, 3),
    Value("UpDownLadeniTps", kPageTuning, 189, 0, 20, "TUNING", 0, 4),
    Scaled("UpDownLadeniCas", kPageTuning, 190, 100, 400, 20000, 200, "TUNING", 0, 5),
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
