#pragma once

namespace korvan {

// The pages of the main window, by their index in the page control. Every part of the station
// that belongs to a page names it by one of these.
inline constexpr int kPageBike = 0;
inline constexpr int kPageAdvance = 1;
inline constexpr int kPageInj1A = 2;
inline constexpr int kPageInj2A = 3;
inline constexpr int kPageInj3A = 4;
inline constexpr int kPageInj4A = 5;
inline constexpr int kPageInjB = 6;
inline constexpr int kPageInjIap = 7;
inline constexpr int kPagePosition = 8;
inline constexpr int kPageCorrections = 9;
inline constexpr int kPageSensors = 10;
inline constexpr int kPageIntakeServo = 11;
inline constexpr int kPageExhaustServo = 12;
inline constexpr int kPageIdle = 13;
inline constexpr int kPageN2o = 14;
inline constexpr int kPageRace = 15;
inline constexpr int kPageGear = 16;
inline constexpr int kPageTuning = 17;
inline constexpr int kPageMonitor = 18;
inline constexpr int kPageCount = 19;

}  // namespace korvan
