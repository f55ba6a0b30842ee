#include "diff/diff_report.h"

#include <cstdio>

#include "texts/page_captions.h"

namespace korvan {
namespace {

std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string_view UnitText(DiffUnit unit) {
  switch (unit) {
    case DiffUnit::kDegree:
      return "\u00b0";
    case DiffUnit::kMicroseconds:
      return "\u00b5s";
    case DiffUnit::kPercent:
      return "%";
    case DiffUnit::kMillivolt:
      return "mV";
    case DiffUnit::kRpm:
      return "rpm";
    case DiffUnit::kKilopascal:
      return "kPa";
    case DiffUnit::kNone:
      break;
  }
  return {};
}

std::string WithUnit(int value, DiffUnit unit, bool sign) {
  std::string text = (sign && value > 0 ? "+" : "") + std::to_string(value);
  const std::string_view u = UnitText(unit);
  if (!u.empty()) text += " " + std::string(u);
  return text;
}

std::string Text(MessageKey key, Language language) {
  return std::string(MessageText(key, language));
}

std::string FieldName(const DiffEntry& entry, const FieldLabelLookup& label) {
  std::string name = label ? label(*entry.field, entry.element) : std::string();
  if (name.empty()) name = std::string(entry.field->name);
  // A run of fields shares one caption; its element tells them apart.
  if (entry.field->count > 1 && entry.kind == DiffKind::kField) {
    const int first =
        entry.field->first_control_number >= 0 ? entry.field->first_control_number : 1;
    name += " [" + std::to_string(first + entry.element) + "]";
  }
  return name;
}

}  // namespace

std::string DiffPageName(int page, Language language) {
  return page < 0 ? Text(MessageKey::kMsgDiffRawBytes, language)
                  : Trimmed(PageCaption(page, language));
}

std::string DiffEntryPlace(const DiffEntry& entry, Language language,
                           const ParameterImage& axes_from, const FieldLabelLookup& label) {
  const std::string row = Text(MessageKey::kMsgDiffRow, language);
  const std::string column = Text(MessageKey::kMsgDiffColumn, language);
  switch (entry.kind) {
    case DiffKind::kField:
      return entry.with_bike_constants ? FieldName(entry, label) + " " +
                                             Text(MessageKey::kMsgDiffWithBikeConstants, language)
                                       : FieldName(entry, label);
    case DiffKind::kMemo:
      return FieldName(entry, label);
    case DiffKind::kMapCell: {
      const int r = entry.row();
      const std::string row_value =
          entry.map == MapId::kInjIap
              ? WithUnit(axes_from.Word(kIapRowAxisWord + r), DiffUnit::kKilopascal, false)
              : WithUnit(kThrottleRows[static_cast<std::size_t>(r)], DiffUnit::kPercent, false);
      return row + " " + std::to_string(r + 1) + " (" + row_value + "), " + column + " " +
             std::to_string(entry.column() + 1) + " (" +
             WithUnit(AxisRpm(axes_from, entry.map, entry.column()), DiffUnit::kRpm, false) + ")";
    }
    case DiffKind::kMapAxis:
      return column + " " + std::to_string(entry.element + 1) + " (rpm)";
    case DiffKind::kIapAxis:
      return row + " " + std::to_string(entry.element + 1) + " (kPa)";
    case DiffKind::kRaw: {
      char offset[16];
      std::snprintf(offset, sizeof offset, "0x%04X", static_cast<unsigned>(entry.first_byte));
      return Text(MessageKey::kMsgDiffOffset, language) + offset;
    }
  }
  return {};
}

std::string DiffValueText(const DiffEntry& entry, bool side_b) {
  const int value = side_b ? entry.shown_b : entry.shown_a;
  switch (entry.kind) {
    case DiffKind::kMemo:
      return "\"" + (side_b ? entry.text_b : entry.text_a) + "\"";
    case DiffKind::kRaw: {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(value));
      return hex;
    }
    default:
      return WithUnit(value, entry.unit, false);
  }
}

std::string DiffSummaryLine(const DiffPageSummary& summary, Language language) {
  const bool cells = summary.cells > 0 && summary.cells == summary.count;
  const bool one = summary.count == 1;
  const MessageKey counted =
      cells ? (one ? MessageKey::kMsgDiffCellDiffers : MessageKey::kMsgDiffCellsDiffer)
            : (one ? MessageKey::kMsgDiffValueDiffers : MessageKey::kMsgDiffValuesDiffer);
  std::string line = DiffPageName(summary.page, language) + ": " + std::to_string(summary.count) +
                     Text(counted, language);
  if (summary.largest_change != 0) {
    line += ", " + Text(MessageKey::kMsgDiffLargest, language) +
            WithUnit(summary.largest_change, summary.unit, true);
  }
  return line;
}

std::string FormatDiffReport(std::span<const DiffEntry> entries, const ParameterImage& a,
                             Language language, const FieldLabelLookup& label) {
  if (entries.empty()) return Text(MessageKey::kMsgDiffEqual, language) + "\n";
  std::string report;
  for (const DiffPageSummary& s : SummarizeDiff(entries))
    report += DiffSummaryLine(s, language) + "\n";
  report += "\n";
  for (const DiffEntry& e : entries) {
    report += DiffPageName(e.page, language) + "\t" + DiffEntryPlace(e, language, a, label) + "\t" +
              DiffValueText(e, false) + "\t" + DiffValueText(e, true) + "\n";
  }
  return report;
}

}  // namespace korvan
