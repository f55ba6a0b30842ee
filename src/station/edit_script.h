#pragma once

// A small script of edits for driving the station from outside (the end-to-end tests): the
// window runs it at start instead of asking anything. One command a line, '#' starts a comment:
//   restore yes|no        answers the offer of the journal of unsaved edits
//   byte INDEX VALUE      sets an image byte and commits it as an edit
//   undo | redo           the tool bar's undo and redo
//   dump PATH             writes the 2850 image bytes to PATH
//   dirty PATH            writes the dirty flags of blocks 0..19 as a line of 0 and 1

#include <istream>
#include <string>

namespace korvan {

class Station;

// Runs the script; false with the line and what is wrong in *error at the first bad line.
bool RunEditScript(Station& station, std::istream& script, std::string* error);

}  // namespace korvan
