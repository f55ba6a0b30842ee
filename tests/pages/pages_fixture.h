#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>

#include "station/station_fixture.h"

namespace korvan {

// A value typed into a field and Enter: the image byte it goes to, what is stored there and what
// the field shows afterwards.
struct TypedField {
  const char* field;
  const char* typed;
  int byte;
  int stored;
  int shown;
};

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
  // Types each case in order (a case may build on the ones before it).
  void ExpectTypedFields(std::span<const TypedField> cases) {
    for (const TypedField& c : cases) {
      Type(c.field, c.typed);
      EXPECT_EQ(station->image().Byte(c.byte), c.stored) << c.field << " " << c.typed;
      EXPECT_EQ(Value(c.field), c.shown) << c.field << " " << c.typed;
    }
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
