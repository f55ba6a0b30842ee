#include "base/control_set.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstdio>

namespace korvan {
namespace {

// Room for any text a control shows, so that changing it later does not allocate.
constexpr std::size_t kTextCapacity = 48;

void FormatInt(std::string& out, int value) {
  char buffer[16];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.assign(buffer, end);
}

}  // namespace

ControlHandle ControlSet::Add(std::string name, ControlKind kind, int page) {
  const auto handle = static_cast<ControlHandle>(controls_.size());
  Control c;
  c.name = name;
  c.kind = kind;
  c.page = page;
  c.text.reserve(kTextCapacity);
  if (kind == ControlKind::kSpin) {
    // Until its page gives it a range, a field holds whatever it is set to.
    c.text = "0";
    c.min = -1'000'000;
    c.max = 1'000'000;
  }
  controls_.push_back(std::move(c));
  const auto pos =
      std::lower_bound(names_.begin(), names_.end(), name,
                       [](const auto& entry, const std::string& n) { return entry.first < n; });
  names_.insert(pos, {std::move(name), handle});
  changed_.push_back(true);
  changed_list_.reserve(controls_.size());
  changed_list_.push_back(handle);
  return handle;
}

void ControlSet::AddAlias(std::string alias, ControlHandle handle) {
  const auto pos =
      std::lower_bound(names_.begin(), names_.end(), alias,
                       [](const auto& entry, const std::string& n) { return entry.first < n; });
  names_.insert(pos, {std::move(alias), handle});
}

std::optional<ControlHandle> ControlSet::Find(std::string_view name) const {
  const auto pos =
      std::lower_bound(names_.begin(), names_.end(), name,
                       [](const auto& entry, std::string_view n) { return entry.first < n; });
  if (pos == names_.end() || pos->first != name) return std::nullopt;
  return pos->second;
}

ControlHandle ControlSet::Handle(std::string_view name) const {
  const std::optional<ControlHandle> h = Find(name);
  if (!h) {
    std::fprintf(stderr, "no control named %.*s\n", static_cast<int>(name.size()), name.data());
    assert(false && "unknown control name");
    return 0;
  }
  return *h;
}

void ControlSet::Touch(ControlHandle h) {
  const auto i = static_cast<std::size_t>(h);
  if (changed_[i]) return;
  changed_[i] = true;
  changed_list_.push_back(h);
}

void ControlSet::SetValue(ControlHandle h, int value) {
  Control& c = At(h);
  if (c.kind == ControlKind::kSpin && c.max >= c.min) value = std::clamp(value, c.min, c.max);
  if (c.value == value) return;
  c.value = value;
  if (c.kind == ControlKind::kSpin) FormatInt(c.text, value);
  Touch(h);
}

void ControlSet::SetRange(ControlHandle h, int min, int max, int step) {
  Control& c = At(h);
  if (c.min == min && c.max == max && c.step == step) return;
  c.min = min;
  c.max = max;
  c.step = step;
  Touch(h);
  // The field limits what it holds to its new range, as an up-down does.
  if (c.kind == ControlKind::kSpin && max >= min) SetValue(h, c.value);
}

void ControlSet::SetText(ControlHandle h, std::string_view text) {
  Control& c = At(h);
  if (c.text == text) return;
  c.text.assign(text);
  Touch(h);
}

void ControlSet::SetHint(ControlHandle h, std::string_view hint) {
  Control& c = At(h);
  if (c.hint == hint) return;
  c.hint.assign(hint);
  Touch(h);
}

void ControlSet::SetItems(ControlHandle h, std::vector<std::string> items) {
  Control& c = At(h);
  if (c.items == items) return;
  c.items = std::move(items);
  Touch(h);
}

void ControlSet::SetChecked(ControlHandle h, bool checked) {
  Control& c = At(h);
  if (c.checked == checked) return;
  c.checked = checked;
  Touch(h);
}

void ControlSet::SetVisible(ControlHandle h, bool visible) {
  Control& c = At(h);
  if (c.visible == visible) return;
  c.visible = visible;
  Touch(h);
}

void ControlSet::SetEnabled(ControlHandle h, bool enabled) {
  Control& c = At(h);
  if (c.enabled == enabled) return;
  c.enabled = enabled;
  Touch(h);
}

void ControlSet::SetBold(ControlHandle h, bool bold) {
  Control& c = At(h);
  if (c.bold == bold) return;
  c.bold = bold;
  Touch(h);
}

void ControlSet::SetUpDownVisible(ControlHandle h, bool visible) {
  Control& c = At(h);
  if (c.up_down_visible == visible) return;
  c.up_down_visible = visible;
  Touch(h);
}

void ControlSet::SetThousands(ControlHandle h, bool thousands) {
  Control& c = At(h);
  if (c.thousands == thousands) return;
  c.thousands = thousands;
  Touch(h);
}

void ControlSet::SetColor(ControlHandle h, std::uint32_t color) {
  Control& c = At(h);
  if (c.color == color) return;
  c.color = color;
  Touch(h);
}

void ControlSet::SetFontColor(ControlHandle h, std::uint32_t color) {
  Control& c = At(h);
  if (c.font_color == color) return;
  c.font_color = color;
  Touch(h);
}

void ControlSet::SetGeometry(ControlHandle h, int x, int y, int width, int height) {
  Control& c = At(h);
  if (c.x == x && c.y == y && c.width == width && c.height == height) return;
  c.x = x;
  c.y = y;
  c.width = width;
  c.height = height;
  Touch(h);
}

// The window reads these once, when it builds its widgets: nothing to redraw.
void ControlSet::SetSeparator(ControlHandle h, MenuSeparator separator) {
  At(h).separator = separator;
}

void ControlSet::SetStepTarget(ControlHandle h, StepTarget target, int index) {
  Control& c = At(h);
  c.step_target = target;
  c.step_index = index;
}

void ControlSet::SetTextLimits(ControlHandle h, int max_length, TextCodePage code_page) {
  Control& c = At(h);
  c.max_length = max_length;
  c.code_page = code_page;
}

void ControlSet::UserEnterText(ControlHandle h, std::string_view text) {
  Control& c = At(h);
  std::string_view t = text;
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  long long parsed = 0;
  const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), parsed);
  if (!t.empty() && ec == std::errc() && ptr == t.data() + t.size()) {
    const long long limited = c.max >= c.min ? std::clamp<long long>(parsed, c.min, c.max) : parsed;
    SetValue(h, static_cast<int>(limited));
  }
  // Whatever was typed, the field shows its value again.
  std::string shown;
  FormatInt(shown, c.value);
  SetText(h, shown);
}

void ControlSet::ClearChanged() {
  for (ControlHandle h : changed_list_) changed_[static_cast<std::size_t>(h)] = false;
  changed_list_.clear();
}

void ControlSet::MarkAllChanged() {
  for (ControlHandle h = 0; h < size(); ++h) Touch(h);
}

}  // namespace korvan
