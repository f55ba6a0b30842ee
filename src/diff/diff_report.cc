#include "diff/diff_report.h"

#include <cstdio>

#include "model/bike_list.h"
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
  const std::string caption = label ? label(*entry.field, entry.element) : std::string();
  if (!caption.empty()) return caption;  // the caption names a run's element itself
  std::string name(entry.field->name);
  if (entry.field->count > 1 && entry.kind == DiffKind::kField) {
    const int first =
        entry.field->first_control_number >= 0 ? entry.field->first_control_number : 1;
    name += " [" + std::to_string(first + entry.element) + "]";
  }
  return name;
}

// The unit a field's caption names in its last brackets ("Voltage 1 [mV]"): the unit its value
// is shown in. A count ("[1]"), a scale ("[0.1%]") or a pair ("[%, °]") is none.
std::string CaptionUnit(const std::string& caption) {
  const std::size_t open = caption.rfind('[');
  const std::size_t close = caption.rfind(']');
  if (open == std::string::npos || close == std::string::npos || close < open + 2) return {};
  std::string unit = caption.substr(open + 1, close - open - 1);
  if ((unit[0] >= '0' && unit[0] <= '9') || unit.find(',') != std::string::npos) return {};
  if (unit == "us") unit = "\u00b5s";
  return unit;
}

// Engine speeds whose caption says "RPM" without brackets.
constexpr std::string_view kRpmFields[] = {"EditPolohaRpmA", "EditPolohaRpmB", "UpDownClutchMinRpm",
                                           "UpDownGearAutoRpm"};

std::string FieldUnit(const DiffEntry& entry, const FieldLabelLookup& label) {
  if (entry.kind != DiffKind::kField) return {};
  for (std::string_view name : kRpmFields) {
    if (entry.field->name == name) return "rpm";
  }
  return label ? CaptionUnit(label(*entry.field, entry.element)) : std::string();
}

// The bike as its list names it, with its code ("GSX-R 1000  K5" reads "GSX-R 1000 K5 (3)").
std::string BikeName(int code) {
  const int index = ListIndexOfBikeCode(code);
  if (index == kBikeListSeparator) return std::to_string(code);
  const std::vector<std::string> entries = BikeListEntries();
  std::string name;
  for (char ch : entries[static_cast<std::size_t>(index)]) {
    if (ch == ' ' && (name.empty() || name.back() == ' ')) continue;
    name += ch;
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name + " (" + std::to_string(code) + ")";
}

// "4000 rpm", or "4000 rpm / 4500 rpm" where the two sides' axes differ.
std::string AxisValues(int a, int b, DiffUnit unit) {
  return a == b ? WithUnit(a, unit, false)
                : WithUnit(a, unit, false) + " / " + WithUnit(b, unit, false);
}

}  // namespace

std::string DiffPageName(int page, Language language) {
  return page < 0 ? Text(MessageKey::kMsgDiffRawBytes, language)
                  : Trimmed(PageCaption(page, language));
}

std::string DiffEntryPlace(const DiffEntry& entry, Language language,
                           const FieldLabelLookup& label) {
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
      const DiffUnit row_unit =
          entry.map == MapId::kInjIap ? DiffUnit::kKilopascal : DiffUnit::kPercent;
      return row + " " + std::to_string(entry.row() + 1) + " (" +
             AxisValues(entry.row_value_a, entry.row_value_b, row_unit) + "), " + column + " " +
             std::to_string(entry.column() + 1) + " (" +
             AxisValues(entry.rpm_a, entry.rpm_b, DiffUnit::kRpm) + ")";
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

std::string DiffValueText(const DiffEntry& entry, bool side_b, const FieldLabelLookup& label) {
  const int value = side_b ? entry.shown_b : entry.shown_a;
  switch (entry.kind) {
    case DiffKind::kMemo:
      return "\"" + (side_b ? entry.text_b : entry.text_a) + "\"";
    case DiffKind::kRaw: {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(value));
      return hex;
    }
    case DiffKind::kField: {
      if (entry.field->kind == FieldKind::kCode) return BikeName(value);
      const std::string unit = FieldUnit(entry, label);
      return unit.empty() ? std::to_string(value) : std::to_string(value) + " " + unit;
    }
    case DiffKind::kMapCell: {
      std::string text = WithUnit(value, entry.unit, false);
      // Two times that round to one percentage: the stored times tell them apart.
      if (entry.stored_a != entry.stored_b && entry.shown_a == entry.shown_b) {
        text += " (" +
                WithUnit(side_b ? entry.stored_b : entry.stored_a, DiffUnit::kMicroseconds, false) +
                ")";
      }
      return text;
    }
    default:
      return WithUnit(value, entry.unit, false);
  }
}

std::string DiffSummaryLine(const DiffPageSummary& summary, std::span<const DiffEntry> entries,
                            Language language, const FieldLabelLookup& label) {
  const bool cells = summary.cells > 0 && summary.cells == summary.count;
  const bool one = summary.count == 1;
  const MessageKey counted =
      cells ? (one ? MessageKey::kMsgDiffCellDiffers : MessageKey::kMsgDiffCellsDiffer)
            : (one ? MessageKey::kMsgDiffValueDiffers : MessageKey::kMsgDiffValuesDiffer);
  std::string line = DiffPageName(summary.page, language) + ": " + std::to_string(summary.count) +
                     Text(counted, language);
  if (summary.largest_change == 0) return line;
  line += ", " + Text(MessageKey::kMsgDiffLargest, language);
  const bool known = summary.largest_entry >= 0 &&
                     static_cast<std::size_t>(summary.largest_entry) < entries.size();
  if (!known) return line + WithUnit(summary.largest_change, summary.unit, true);
  const DiffEntry& e = entries[static_cast<std::size_t>(summary.largest_entry)];
  if (e.kind != DiffKind::kField) return line + WithUnit(summary.largest_change, e.unit, true);
  // A page's fields have units of their own: the largest change says which field it is.
  const std::string unit = FieldUnit(e, label);
  line += (summary.largest_change > 0 ? "+" : "") + std::to_string(summary.largest_change);
  if (!unit.empty()) line += " " + unit;
  return line + " (" + FieldName(e, label) + ")";
}

std::string FormatDiffReport(std::span<const DiffEntry> entries, Language language,
                             const FieldLabelLookup& label) {
  if (entries.empty()) return Text(MessageKey::kMsgDiffEqual, language) + "\n";
  std::string report;
  for (const DiffPageSummary& s : SummarizeDiff(entries))
    report += DiffSummaryLine(s, entries, language, label) + "\n";
  report += "\n";
  for (const DiffEntry& e : entries) {
    report += DiffPageName(e.page, language) + "\t" + DiffEntryPlace(e, language, label) + "\t" +
              DiffValueText(e, false, label) + "\t" + DiffValueText(e, true, label) + "\n";
  }
  return report;
}

}  // namespace korvan
