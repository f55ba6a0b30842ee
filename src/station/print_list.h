#pragma once

#include <string>
#include <vector>

namespace korvan {

// The names of the controls a printout leaves out besides the position fields and the other
// pages' tabs (printout.cc): the window's frame, the map grid's and the settings pages'
// editing aids, the live panel's bars. Every one names a control of the station.
std::vector<std::string> PrintAdornmentNames();

}  // namespace korvan
