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
// What an entry is on its page: a field's label (with its element number for a run of fields),
// "row 5 (40 %), column 3 (4000 rpm)" for a map cell, the axis point, or "offset 0x0B2A".
std::string DiffEntryPlace(const DiffEntry& entry, Language language,
                           const ParameterImage& axes_from, const FieldLabelLookup& label = {});
// A value with its unit ("12 °", "1250 µs", "4000 rpm", "0x1F" for a raw byte, a quoted memo).
std::string DiffValueText(const DiffEntry& entry, bool side_b);
// "Inj-1A: 12 cells differ, largest +8 %".
std::string DiffSummaryLine(const DiffPageSummary& summary, Language language);
// The summaries, then one line per entry: page, place, value A, value B (tab separated).
std::string FormatDiffReport(std::span<const DiffEntry> entries, const ParameterImage& a,
                             Language language, const FieldLabelLookup& label = {});

}  // namespace korvan
