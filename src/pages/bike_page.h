#pragma once

// The bike page: the motorcycle, the switch inputs, limiters, cooling, engine-speed signal, the
// intake ports of one bike, the memo, and what identifies the unit (type, date and time of its
// program). The bike change sequence itself belongs to the station, which owns what it touches.

#include <array>
#include <string>

#include "base/control_set.h"
#include "image/parameter_image.h"
#include "link/identity.h"
#include "pages/page_fields.h"
#include "pages/page_report.h"

namespace korvan {

inline constexpr int kIntakePortBike = 47;  // the one bike with intake port servos

class BikePage {
 public:
  explicit BikePage(ControlSet& controls);

  // Creates the page's controls; the two check boxes outside the pages must exist already.
  void CreateControls();
  void Gather(ParameterImage& image, PageMessages& messages);
  void Refresh(const ParameterImage& image, const IdentityTexts& identity, PageMessages& messages);
  void Visibility(const ParameterImage& image);

  ControlHandle combo() const { return combo_; }

  const PageFields& fields() const { return fields_; }

 private:
  void GatherMemo(ParameterImage& image, PageMessages& messages);
  void RefreshMemo(const ParameterImage& image);

  ControlSet& controls_;
  PageFields fields_;
  ControlHandle combo_ = 0;
  ControlHandle memo_ = 0;
  std::array<ControlHandle, 3> intake_port_{};  // group box, label, field
  std::array<ControlHandle, 3> verze_{};
  ControlHandle zakaz_cteni_ = 0;
  int combo_shown_ = -1;
  std::string memo_shown_;  // the set's memo as the field last showed it (UTF-8)
};

}  // namespace korvan
