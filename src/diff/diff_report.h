#pragma once

// The difference view's texts: where an entry lies, its two values in the page's units, the
// summary line of a page and the whole list as the command line prints it.

#include <functional>
#include <span>
#include <string>

#include "diff/image_diff.h"
#include "texts/messages.h"

namespace korvan {

// The caption the window gives a field element ("Ign. limiter"); empty when it has none, and
// the field's own name is used.
using FieldLabelLookup = std::function<std::string(const Field& field, int element)>;

// The page's caption, or the group of bytes without a field for page -1.
std::string DiffPageName(int page, Language language);
// What an entry is on its page: a field's caption as the label names it (with what names its
// element in a run: "..., Coolant, -10 °C"), "row 5 (40 %), column 3 (4000 rpm)" for a map cell
// (both sides' axis values where they differ: "(4000 rpm / 4500 rpm)"), the axis point, or
// "offset 0x0B2A".
std::string DiffEntryPlace(const DiffEntry& entry, Language language,
                           const FieldLabelLookup& label = {});
// A value as its page shows it, with its unit ("12 °", "40 %", "4000 rpm", "2500 mV" from the
// caption's unit, the bike list's name for the bike code, "0x1F" for a raw byte, a quoted memo).
std::string DiffValueText(const DiffEntry& entry, bool side_b, const FieldLabelLookup& label = {});
// "Inj-1A: 12 cells differ, largest +8 %"; on a page of fields the largest change names its
// field: "Bike: 3 values differ, largest -2000 rpm (Ignition Limiter [rpm])".
std::string DiffSummaryLine(const DiffPageSummary& summary, std::span<const DiffEntry> entries,
                            Language language, const FieldLabelLookup& label = {});
// The summaries, then one line per entry: page, place, value A, value B (tab separated).
std::string FormatDiffReport(std::span<const DiffEntry> entries, Language language,
                             const FieldLabelLookup& label = {});

}  // namespace korvan
