#include "device/device_texts.h"

#include <cstdio>

#include "base/version.h"

namespace korvan {

std::string StatusLineText(const SessionDisplay& display, Language language) {
  std::string text(MessageText(display.status_key, language));
  if (display.status_suffix == StatusSuffix::kColon) text += ":";
  if (display.status_suffix == StatusSuffix::kOk) text += " OK";
  return text;
}

std::string VersionMismatchText(std::uint8_t unit_version, Language language) {
  char numbers[40];
  std::snprintf(numbers, sizeof numbers, "  PC-%d, IGN-%d", kStationVersion, unit_version);
  return std::string(MessageText(MessageKey::kMsgUnitVersionMismatch, language)) + numbers;
}

std::string PortOpenReportText(const PortOpenReport& report, Language language) {
  std::string text(MessageText(report.key, language));
  // The device line: "Com 5 — /dev/ttyUSB4" as the Com menu names it, or the path alone.
  std::string where = report.device;
  if (report.port_number > 0) {
    where = "Com " + std::to_string(report.port_number) + " \u2014 " + where;
  }
  if (!where.empty() || report.reason) text += "\n" + where;
  if (report.reason) {
    if (!where.empty()) text += ": ";
    text += MessageText(*report.reason, language);
  }
  if (report.holder && report.holder->pid > 0) {
    std::string process = std::to_string(report.holder->pid);
    if (!report.holder->program.empty()) process += " (" + report.holder->program + ")";
    std::string held(MessageText(MessageKey::kMsgComHeldBy, language));
    held.replace(held.find("{process}"), 9, process);
    text += "\n" + held;
  }
  return text;
}

}  // namespace korvan
