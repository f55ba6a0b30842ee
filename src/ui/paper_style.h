#pragma once

namespace korvan::ui {

// Gives the application a style that draws as before on the screen, and draws the controls of a
// printout (recorded into a picture first, see the desktop's printing) in plain solid colours.
// The screen's style draws spin boxes, group boxes and frames through half-transparent pixmaps
// and faint see-through lines; a print system that passes a job on through PostScript turns a
// sheet with any of those into one picture of the whole sheet, its text lost. Sizes and places
// stay those of the screen's style. Installing it a second time does nothing.
void UsePaperStyle();

}  // namespace korvan::ui
