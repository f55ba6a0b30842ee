#pragma once

// What the settings pages share: controls bound to fields of the dictionary (a spinner with its
// scale and offset, a check box, a radio group), placed on their page, gathered into the image
// and refreshed from it in one loop. Each bound control remembers what the last refresh showed,
// so a gather stores what the user changed. A value from a unit or a file outside its field's
// range is shown limited; after the edit's refresh, StoreShown stores every field on show as it
// shows, so that after any edit of a page the window, the image (and with it a saved file and
// the unit) agree. A hidden field shows nothing and keeps its value.

#include <string>
#include <string_view>
#include <vector>

#include "base/control_set.h"
#include "image/field_dictionary.h"
#include "image/parameter_image.h"

namespace korvan {

// Where a control sits on its page.
struct Box {
  int x;
  int y;
  int width;
  int height;
};

// The name of element i of a run of equal controls: "EditKorVodaJet3"; a name that ends in a
// digit takes an underscore first ("EditRaceRpm1_3").
std::string ElementName(std::string_view name, int element);

class PageFields {
 public:
  PageFields(ControlSet& controls, int page) : controls_(controls), page_(page) {}

  // A field with its up-down, bound to element `element` of the dictionary field `field_name`.
  // The control is named `edit_name`; `up_down_name`, when given, names the same control.
  ControlHandle Spin(std::string edit_name, std::string_view up_down_name,
                     std::string_view field_name, int element, Box box);
  ControlHandle Check(std::string name, std::string_view field_name, Box box);
  ControlHandle Radio(std::string name, std::string_view field_name, int items, Box box);
  // Controls that are no field: captions, group boxes, buttons.
  ControlHandle Add(std::string name, ControlKind kind, Box box);

  // Controls -> image, for the controls the user changed since the last refresh.
  void Gather(ParameterImage& image) const;
  // Every visible field whose value the image does not hold (it showed a stored value limited to
  // its range) -> image, as shown. Returns whether any byte was stored.
  bool StoreShown(ParameterImage& image) const;
  // One bound control into the image whatever the last refresh showed (a radio group's click).
  void GatherOne(ControlHandle handle, ParameterImage& image) const;
  // Image -> controls. A control that already shows its value is not touched; a spinner limits
  // the value to its range as an up-down does.
  void Refresh(const ParameterImage& image);

  ControlSet& controls() { return controls_; }
  int page() const { return page_; }

  struct Bound {
    ControlHandle handle;
    const Field* field;
    int element;
    int shown;  // what the last refresh showed
  };
  const std::vector<Bound>& bound() const { return bound_; }

 private:
  ControlHandle Bind(std::string name, ControlKind kind, std::string_view field_name, int element,
                     Box box);
  int ControlValue(const Bound& b) const;

  ControlSet& controls_;
  int page_;
  std::vector<Bound> bound_;
};

}  // namespace korvan
