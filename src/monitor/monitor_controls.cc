#include "monitor/monitor_controls.h"

#include <cstddef>
#include <iterator>

namespace korvan {
namespace {

using C = MonitorControl;
using K = ControlKind;

// Live panel: four columns of rows below the page control, in window pixels.
constexpr int kPanelTop = 722;
constexpr int kPanelRowStep = 19;
constexpr int kPanelRowHeight = 17;
constexpr int kPanelColumnX[] = {4, 264, 524, 784};
constexpr int kPanelColumnWidth = 252;
constexpr int kPanelLastColumnWidth = 268;

constexpr MonitorControlEntry Panel(C id, const char* name, K kind, int column, int row,
                                    int rows = 1) {
  const int width = column == 3 ? kPanelLastColumnWidth : kPanelColumnWidth;
  return {id,
          name,
          kind,
          kMonitorPanelPage,
          kPanelColumnX[column],
          kPanelTop + row * kPanelRowStep,
          width,
          kPanelRowHeight + (rows - 1) * kPanelRowStep};
}

// The test values sit in two narrow columns under the version label.
constexpr MonitorControlEntry PanelTest(int index) {
  const int half = kPanelLastColumnWidth / 2;
  constexpr const char* kNames[] = {"LabelTest1", "LabelTest2", "LabelTest3", "LabelTest4",
                                    "LabelTest5", "LabelTest6", "LabelTest7", "LabelTest8"};
  return {C::kLabelTest1 + index,
          kNames[index],
          K::kLabel,
          kMonitorPanelPage,
          kPanelColumnX[3] + (index / 4) * half,
          kPanelTop + (3 + index % 4) * kPanelRowStep,
          half - 4,
          kPanelRowHeight};
}

// Pages: rows of 24 pixels inside group boxes, in pixels of the page.
constexpr int kPageRowStep = 24;
constexpr int kPageRowHeight = 20;

constexpr MonitorControlEntry OnPage(C id, const char* name, K kind, int page, int x, int y,
                                     int width, int height = kPageRowHeight) {
  return {id, name, kind, page, x, y, width, height};
}

constexpr MonitorControlEntry MonRow(C id, const char* name, int x, int first_y, int row,
                                     int width = 284) {
  return OnPage(id, name, K::kLabel, kPageMonitor, x, first_y + row * kPageRowStep, width);
}

constexpr int kInputX = 16, kOutputX = 328, kLimiterX = 640, kGroupRowY = 30;
constexpr int kCylinderRowY = 192, kJetBX = 632;

constexpr MonitorControlEntry kSpecs[] = {
    Panel(C::kLabelRpm, "LabelRpm", K::kLabel, 0, 0),
    Panel(C::kCGaugeRpm, "CGaugeRpm", K::kGauge, 0, 1),
    Panel(C::kLabelTpsMon, "LabelTpsMon", K::kLabel, 0, 2),
    Panel(C::kCGaugeTps, "CGaugeTps", K::kGauge, 0, 3),
    Panel(C::kLabelLambda, "LabelLambda", K::kLabel, 0, 4),
    Panel(C::kCGaugeLambda, "CGaugeLambda", K::kGauge, 0, 5),
    Panel(C::kLabelVoda, "LabelVoda", K::kLabel, 0, 6),
    Panel(C::kCGaugeVoda, "CGaugeVoda", K::kGauge, 0, 7),
    Panel(C::kLabelTlak, "LabelTlak", K::kLabel, 1, 0),
    Panel(C::kLabelPodtlak, "LabelPodtlak", K::kLabel, 1, 1),
    Panel(C::kLabelVzduch, "LabelVzduch", K::kLabel, 1, 2),
    Panel(C::kLabelNapeti, "LabelNapeti", K::kLabel, 1, 3),
    Panel(C::kLabelMonIgn, "LabelMon_Ign", K::kLabel, 1, 4),
    Panel(C::kLabelMaxInjProcent, "LabelMaxInjProcent", K::kLabel, 1, 5),
    Panel(C::kCGaugeDuty, "CGaugeDuty", K::kGauge, 1, 6),
    Panel(C::kLabelMonJetA, "LabelMon_Jet_A", K::kLabel, 1, 7),
    Panel(C::kLabelMonJetB, "LabelMon_Jet_B", K::kLabel, 1, 8),
    Panel(C::kLabelMonServoIntake, "LabelMonServoIntake", K::kLabel, 2, 0),
    Panel(C::kLabelMonServoExhaust, "LabelMonServoExhaust", K::kLabel, 2, 1),
    Panel(C::kLabelGear, "LabelGear", K::kLabel, 2, 2),
    Panel(C::kLabelMonSpeed, "LabelMonSpeed", K::kLabel, 2, 3),
    Panel(C::kLabelSnimacCkps, "LabelSnimacCkps", K::kLabel, 2, 4),
    Panel(C::kLabelSnimacCmps, "LabelSnimacCmps", K::kLabel, 2, 5),
    Panel(C::kLabelMonFallOut, "LabelMonFallOut", K::kLabel, 2, 6),
    Panel(C::kLabelMonBlock2Out, "LabelMonBlock2Out", K::kLabel, 2, 7),
    Panel(C::kLabelClazeniMon, "LabelClazeniMon", K::kLabel, 2, 8),
    // The mismatch sentence is long: two rows, wrapped by the window.
    Panel(C::kLabelVersion, "LabelVersion", K::kLabel, 3, 0, 2),
    Panel(C::kLabelEeDataErr, "LabelEeDataErr", K::kLabel, 3, 2),
    PanelTest(0),
    PanelTest(1),
    PanelTest(2),
    PanelTest(3),
    PanelTest(4),
    PanelTest(5),
    PanelTest(6),
    PanelTest(7),

    OnPage(C::kGroupBoxMonInput, "GroupBoxMonInput", K::kGroupBox, kPageMonitor, 8, 8, 300, 150),
    MonRow(C::kLabelMonFallIn, "LabelMonFallIn", kInputX, kGroupRowY, 0),
    MonRow(C::kLabelMonBlock2In, "LabelMonBlock2In", kInputX, kGroupRowY, 1),
    MonRow(C::kLabelMonStartLimiterIn, "LabelMonStartLimiterIn", kInputX, kGroupRowY, 2),
    MonRow(C::kLabelMonClutchIn, "LabelMonClutchIn", kInputX, kGroupRowY, 3),
    MonRow(C::kLabelMonRpmLambdaIn, "LabelMonRpmLambdaIn", kInputX, kGroupRowY, 4),
    OnPage(C::kGroupBoxMonOutput, "GroupBoxMonOutput", K::kGroupBox, kPageMonitor, 320, 8, 300,
           150),
    MonRow(C::kLabelMonStartLimiterOut, "LabelMonStartLimiterOut", kOutputX, kGroupRowY, 0),
    MonRow(C::kLabelMonClutchOut, "LabelMonClutchOut", kOutputX, kGroupRowY, 1),
    MonRow(C::kLabelMonRpmLambdaOut, "LabelMonRpmLambdaOut", kOutputX, kGroupRowY, 2),
    MonRow(C::kLabelN2oEnable, "LabelN2oEnable", kOutputX, kGroupRowY, 3),
    MonRow(C::kLabelMonPilotLight, "LabelMonPilotLight", kOutputX, kGroupRowY, 4),
    OnPage(C::kGroupBoxMonLimiter, "GroupBoxMonLimiter", K::kGroupBox, kPageMonitor, 632, 8, 300,
           102),
    MonRow(C::kLabelMonIgnLimiter, "LabelMonIgnLimiter", kLimiterX, kGroupRowY, 0),
    MonRow(C::kLabelMonJetLimiter, "LabelMonJetLimiter", kLimiterX, kGroupRowY, 1),
    MonRow(C::kLabelMonRetardLimiter, "LabelMonRetardLimiter", kLimiterX, kGroupRowY, 2),
    OnPage(C::kGroupBoxMonIgn, "GroupBoxMonIgn", K::kGroupBox, kPageMonitor, 8, 170, 300, 126),
    MonRow(C::kLabelMonIgn1, "LabelMon_Ign1", kInputX, kCylinderRowY, 0),
    MonRow(C::kLabelMonIgn1 + 1, "LabelMon_Ign2", kInputX, kCylinderRowY, 1),
    MonRow(C::kLabelMonIgn1 + 2, "LabelMon_Ign3", kInputX, kCylinderRowY, 2),
    MonRow(C::kLabelMonIgn1 + 3, "LabelMon_Ign4", kInputX, kCylinderRowY, 3),
    OnPage(C::kGroupBoxMonJet, "GroupBoxMonJet", K::kGroupBox, kPageMonitor, 320, 170, 612, 126),
    MonRow(C::kLabelMonJet1A, "LabelMon_Jet_1A", kOutputX, kCylinderRowY, 0, 290),
    MonRow(C::kLabelMonJet1A + 1, "LabelMon_Jet_2A", kOutputX, kCylinderRowY, 1, 290),
    MonRow(C::kLabelMonJet1A + 2, "LabelMon_Jet_3A", kOutputX, kCylinderRowY, 2, 290),
    MonRow(C::kLabelMonJet1A + 3, "LabelMon_Jet_4A", kOutputX, kCylinderRowY, 3, 290),
    MonRow(C::kLabelMonJet1B, "LabelMon_Jet_1B", kJetBX, kCylinderRowY, 0, 290),
    MonRow(C::kLabelMonJet1B + 1, "LabelMon_Jet_2B", kJetBX, kCylinderRowY, 1, 290),
    MonRow(C::kLabelMonJet1B + 2, "LabelMon_Jet_3B", kJetBX, kCylinderRowY, 2, 290),
    MonRow(C::kLabelMonJet1B + 3, "LabelMon_Jet_4B", kJetBX, kCylinderRowY, 3, 290),
    MonRow(C::kLabelDleTpsProcent, "LabelDleTpsProcent", kInputX, 310, 0),
    MonRow(C::kLabelMonPolohaA, "LabelMon_PolohaA", kInputX, 310, 1),
    MonRow(C::kLabelMonPolohaB, "LabelMon_PolohaB", kInputX, 310, 2),
    MonRow(C::kLabelMonPotenc, "LabelMonPotenc", kInputX, 310, 3),
    OnPage(C::kCheckBoxExtMonitor, "CheckBoxExtMonitor", K::kCheckBox, kPageMonitor, kInputX, 420,
           284),

    // Live values on other pages: a column at the right or bottom edge, out of the way of the
    // page's own fields; the page may move them.
    OnPage(C::kLabelPocetProgramovani, "LabelPocetProgramovani", K::kLabel, kPageBike, 8, 600, 300),
    OnPage(C::kLabelKorVodaJet, "LabelKorVodaJet", K::kLabel, kPageCorrections, 740, 8, 300),
    OnPage(C::kLabelKorVzduch, "LabelKorVzduch", K::kLabel, kPageCorrections, 740, 32, 300),
    OnPage(C::kLabelKorTlak, "LabelKorTlak", K::kLabel, kPageCorrections, 740, 56, 300),
    OnPage(C::kLabelKorSytic, "LabelKorSytic", K::kLabel, kPageCorrections, 740, 80, 300),
    OnPage(C::kLabelKorNapeti, "LabelKorNapeti", K::kLabel, kPageCorrections, 740, 104, 300),
    OnPage(C::kLabelKorVodaIgn, "LabelKorVodaIgn", K::kLabel, kPageCorrections, 740, 128, 300),
    OnPage(C::kLabelKorPotencIgn, "LabelKorPotencIgn", K::kLabel, kPageCorrections, 740, 152, 300),
    OnPage(C::kLabelKorPotencJet, "LabelKorPotencJet", K::kLabel, kPageCorrections, 740, 176, 300),
    OnPage(C::kLabelIdleKorAdv, "LabelIdleKorAdv", K::kLabel, kPageCorrections, 740, 200, 300),
    OnPage(C::kLabelMonGearNapeti, "LabelMonGearNapeti", K::kLabel, kPageGear, 8, 560, 300),
    OnPage(C::kLabelMonPomerRpmSpeed, "LabelMonPomerRpmSpeed", K::kLabel, kPageGear, 8, 584, 300),
    OnPage(C::kLabelMonPomerRpmSpeedAuto1, "LabelMonPomerRpmSpeedAuto1", K::kLabel, kPageGear, 320,
           584, 80),
    OnPage(C::kLabelMonPomerRpmSpeedAuto1 + 1, "LabelMonPomerRpmSpeedAuto2", K::kLabel, kPageGear,
           410, 584, 80),
    OnPage(C::kLabelMonPomerRpmSpeedAuto1 + 2, "LabelMonPomerRpmSpeedAuto3", K::kLabel, kPageGear,
           500, 584, 80),
    OnPage(C::kLabelMonPomerRpmSpeedAuto1 + 3, "LabelMonPomerRpmSpeedAuto4", K::kLabel, kPageGear,
           590, 584, 80),
    OnPage(C::kLabelMonPomerRpmSpeedAuto1 + 4, "LabelMonPomerRpmSpeedAuto5", K::kLabel, kPageGear,
           680, 584, 80),
    OnPage(C::kLabelMonPomerRpmSpeedAuto1 + 5, "LabelMonPomerRpmSpeedAuto6", K::kLabel, kPageGear,
           770, 584, 80),
};

constexpr bool EntriesInEnumOrder() {
  if (std::size(kSpecs) != static_cast<std::size_t>(kMonitorControlCount)) return false;
  for (std::size_t i = 0; i < std::size(kSpecs); ++i) {
    if (static_cast<std::size_t>(kSpecs[i].id) != i) return false;
  }
  return true;
}
static_assert(EntriesInEnumOrder(), "one entry per MonitorControl, in enum order");

constexpr bool PanelInsideStrip() {
  for (const MonitorControlEntry& s : kSpecs) {
    if (s.page != kMonitorPanelPage) continue;
    if (s.y < 720 || s.y + s.height > 900 || s.x < 0 || s.x + s.width > 1056) return false;
  }
  return true;
}
static_assert(PanelInsideStrip(), "the live panel stays in its strip of the 1056 x 901 window");

}  // namespace

std::span<const MonitorControlEntry> MonitorControlEntries() { return kSpecs; }

}  // namespace korvan
