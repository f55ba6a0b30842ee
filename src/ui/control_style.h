#pragma once

#include <QString>
#include <cstdint>

#include "base/control_set.h"

namespace korvan::ui {

// The style sheet that draws a control's colours: background and text for labels, check boxes and
// fields, the bar for gauges (whose text colour is the bar's colour). Empty when the control has
// the window's standard look. A widget's own style sheet stays with it wherever it is moved and
// whatever style its ancestors carry, which a palette does not.
QString ColorSheet(ControlKind kind, std::uint32_t color, std::uint32_t font_color);

}  // namespace korvan::ui
