#include "pages/page_fields.h"

#include <cassert>
#include <cstdio>

namespace korvan {

std::string ElementName(std::string_view name, int element) {
  std::string out(name);
  if (!out.empty() && out.back() >= '0' && out.back() <= '9') out.push_back('_');
  out += std::to_string(element);
  return out;
}

ControlHandle PageFields::Add(std::string name, ControlKind kind, Box box) {
  const ControlHandle h = controls_.Add(std::move(name), kind, page_);
  controls_.SetGeometry(h, box.x, box.y, box.width, box.height);
  return h;
}

ControlHandle PageFields::Bind(std::string name, ControlKind kind, std::string_view field_name,
                               int element, Box box) {
  const Field* field = FindField(field_name);
  if (field == nullptr) {
    std::fprintf(stderr, "no field named %.*s\n", static_cast<int>(field_name.size()),
                 field_name.data());
    assert(false && "unknown field");
    return Add(std::move(name), kind, box);
  }
  const ControlHandle h = Add(std::move(name), kind, box);
  bound_.push_back(Bound{h, field, element, 0});
  return h;
}

ControlHandle PageFields::Spin(std::string edit_name, std::string_view up_down_name,
                               std::string_view field_name, int element, Box box) {
  const ControlHandle h = Bind(std::move(edit_name), ControlKind::kSpin, field_name, element, box);
  if (!up_down_name.empty()) controls_.AddAlias(std::string(up_down_name), h);
  if (const Field* f = FindField(field_name)) controls_.SetRange(h, f->min, f->max, f->step);
  // Until the first refresh the field shows nothing that could be mistaken for a user's entry.
  bound_.back().shown = controls_.Value(h);
  return h;
}

ControlHandle PageFields::Check(std::string name, std::string_view field_name, Box box) {
  return Bind(std::move(name), ControlKind::kCheckBox, field_name, 0, box);
}

ControlHandle PageFields::Radio(std::string name, std::string_view field_name, int items, Box box) {
  const ControlHandle h = Bind(std::move(name), ControlKind::kRadioGroup, field_name, 0, box);
  controls_.SetItems(h, std::vector<std::string>(static_cast<std::size_t>(items)));
  return h;
}

int PageFields::ControlValue(const Bound& b) const {
  return controls_.Get(b.handle).kind == ControlKind::kCheckBox
             ? (controls_.Checked(b.handle) ? 1 : 0)
             : controls_.Value(b.handle);
}

void PageFields::Gather(ParameterImage& image) const {
  for (const Bound& b : bound_) {
    const int value = ControlValue(b);
    if (value != b.shown) FromShown(*b.field, value, image, b.element);
  }
}

bool PageFields::StoreShown(ParameterImage& image) const {
  bool stored = false;
  for (const Bound& b : bound_) {
    if (!controls_.Visible(b.handle)) continue;
    const int value = ControlValue(b);
    if (value == ToShown(*b.field, image, b.element)) continue;
    FromShown(*b.field, value, image, b.element);
    stored = true;
  }
  return stored;
}

void PageFields::GatherOne(ControlHandle handle, ParameterImage& image) const {
  for (const Bound& b : bound_) {
    if (b.handle == handle) FromShown(*b.field, ControlValue(b), image, b.element);
  }
}

void PageFields::Refresh(const ParameterImage& image) {
  for (Bound& b : bound_) {
    const int shown = ToShown(*b.field, image, b.element);
    if (controls_.Get(b.handle).kind == ControlKind::kCheckBox) {
      controls_.SetChecked(b.handle, shown != 0);
    } else {
      controls_.SetValue(b.handle, shown);
    }
    b.shown = ControlValue(b);
  }
}

}  // namespace korvan
