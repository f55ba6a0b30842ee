#pragma once

#include <string>

#include "datalog/recording.h"

namespace korvan {

// The header row of the CSV export: one column per value, its unit in the name.
extern const char kRecordingCsvHeader[];

// One row per frame, decoded as the live display decodes it (with the decoder inputs the
// recording began with; `fallback` stands in for any its header lacks, see DecoderInputsOf); a
// value whose sensor reports an error is left empty. Decimal points, comma separators, LF line
// ends.
std::string RecordingToCsv(const Recording& recording, const MonitorInputs& fallback = {});

}  // namespace korvan
