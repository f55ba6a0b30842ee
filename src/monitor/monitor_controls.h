#pragma once

#include <cstdint>
#include <span>

#include "base/control_set.h"
#include "image/page_index.h"

namespace korvan {

// Pages the live display writes to (PageIndex); the live panel belongs to no page.
inline constexpr int kMonitorPanelPage = -1;

// Every control of the live display, in the order of the table in monitor_controls.cc.
enum class MonitorControl : std::uint8_t {
  // Live panel, below the page control.
  kLabelRpm,
  kCGaugeRpm,
  kLabelTpsMon,
  kCGaugeTps,
  kLabelLambda,
  kCGaugeLambda,
  kLabelVoda,
  kCGaugeVoda,
  kLabelTlak,
  kLabelPodtlak,
  kLabelVzduch,
  kLabelNapeti,
  kLabelMonIgn,
  kLabelMaxInjProcent,
  kCGaugeDuty,
  kLabelMonJetA,
  kLabelMonJetB,
  kLabelMonServoIntake,
  kLabelMonServoExhaust,
  kLabelGear,
  kLabelMonSpeed,
  kLabelSnimacCkps,
  kLabelSnimacCmps,
  kLabelMonFallOut,
  kLabelMonBlock2Out,
  kLabelClazeniMon,
  kLabelVersion,
  kLabelEeDataErr,
  kLabelTest1,  // .. kLabelTest8 follow in order
  kLabelTest8 = kLabelTest1 + 7,
  // Monitor page.
  kGroupBoxMonInput,
  kLabelMonFallIn,
  kLabelMonBlock2In,
  kLabelMonStartLimiterIn,
  kLabelMonClutchIn,
  kLabelMonRpmLambdaIn,
  kGroupBoxMonOutput,
  kLabelMonStartLimiterOut,
  kLabelMonClutchOut,
  kLabelMonRpmLambdaOut,
  kLabelN2oEnable,
  kLabelMonPilotLight,
  kGroupBoxMonLimiter,
  kLabelMonIgnLimiter,
  kLabelMonJetLimiter,
  kLabelMonRetardLimiter,
  kGroupBoxMonIgn,
  kLabelMonIgn1,  // .. kLabelMonIgn4
  kLabelMonIgn4 = kLabelMonIgn1 + 3,
  kGroupBoxMonJet,
  kLabelMonJet1A,  // .. kLabelMonJet4A
  kLabelMonJet4A = kLabelMonJet1A + 3,
  kLabelMonJet1B,  // .. kLabelMonJet4B
  kLabelMonJet4B = kLabelMonJet1B + 3,
  kLabelDleTpsProcent,
  kLabelMonPolohaA,
  kLabelMonPolohaB,
  kLabelMonPotenc,
  kCheckBoxExtMonitor,
  // Live values on other pages.
  kLabelPocetProgramovani,
  kLabelKorVodaJet,
  kLabelKorVzduch,
  kLabelKorTlak,
  kLabelKorSytic,
  kLabelKorNapeti,
  kLabelKorVodaIgn,
  kLabelKorPotencIgn,
  kLabelKorPotencJet,
  kLabelIdleKorAdv,
  kLabelMonGearNapeti,
  kLabelMonPomerRpmSpeed,
  kLabelMonPomerRpmSpeedAuto1,  // .. Auto6
  kLabelMonPomerRpmSpeedAuto6 = kLabelMonPomerRpmSpeedAuto1 + 5,
  kCount,
};

inline constexpr int kMonitorControlCount = static_cast<int>(MonitorControl::kCount);

inline constexpr MonitorControl operator+(MonitorControl c, int n) {
  return static_cast<MonitorControl>(static_cast<int>(c) + n);
}

// Where a control sits. Live panel controls are placed in window pixels (the window is
// 1056 x 901, the panel is the strip from y 720 to 900 below the page control); every other
// control in pixels of its page's client area.
struct MonitorControlEntry {
  MonitorControl id;
  const char* name;
  ControlKind kind;
  int page;
  int x, y, width, height;
};

std::span<const MonitorControlEntry> MonitorControlEntries();

}  // namespace korvan
