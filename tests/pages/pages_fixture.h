#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "shell/station_fixture.h"

namespace korvan {

// A station on one settings page, driven as a user drives it: type and Enter, click a check box,
// choose from the bike list.
class PagesTest : public ::testing::Test, public StationFixture {
 protected:
  Station& StartOn(int page) {
    Station& s = Start();
    s.PageControl1Change(page);
    desktop.messages.clear();
    desktop.questions.clear();
    return s;
  }
  void Type(std::string_view name, std::string_view text) {
    station->controls().UserEnterText(H(name), text);
    station->FormKeyPressEnter();
  }
  void Click(std::string_view name, bool checked) {
    station->controls().SetChecked(H(name), checked);
    station->CheckBoxMouseUp();
  }
  void ChooseBike(int list_index, Desktop::Answer answer) {
    desktop.answer = answer;
    station->controls().SetValue(H("ComboBoxBike"), list_index);
    station->ComboBoxBikeChange();
  }
  void TypeMemo(std::string_view text) { station->controls().SetText(H("Memo1"), text); }
  int Value(std::string_view name) const { return C(name).value; }
  // Whether any control of `page` is waiting to be redrawn.
  bool PageRedrawn(int page) const {
    const ControlSet& c = station->controls();
    return std::any_of(c.changed().begin(), c.changed().end(),
                       [&](ControlHandle h) { return c.Get(h).page == page; });
  }
};

}  // namespace korvan
