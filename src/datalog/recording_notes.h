#pragma once

#include <string>

#include "datalog/recording.h"

namespace korvan {

// Notes on a recording that opened but lost something (a cut last record, damaged records), in
// the language given, one per line; empty when it is whole.
std::string RecordingNotes(const Recording& recording, int language);

}  // namespace korvan
