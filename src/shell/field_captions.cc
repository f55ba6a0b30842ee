#include "shell/field_captions.h"

#include "maps/map_texts.h"
#include "shell/window_texts.h"

namespace korvan {

std::string FieldCaption(const ControlSet& controls, const Field& field, int element) {
  std::string name(field.name);
  if (field.first_control_number >= 0) name += std::to_string(field.first_control_number + element);
  std::string caption;
  if (const std::optional<ControlHandle> control = controls.Find(name)) {
    const Control& c = controls.Get(*control);
    if (c.kind == ControlKind::kCheckBox || c.kind == ControlKind::kRadioGroup) caption = c.text;
  }
  const std::string base(field.name);
  for (std::string_view prefix : {"UpDown", "Edit"}) {
    if (!caption.empty() || !base.starts_with(prefix)) continue;
    const std::string stem = base.substr(prefix.size());
    const std::string number = name.substr(base.size());
    // The label beside this one field, else the label of the whole run ("Time [s]" over the
    // four fields of a table), else the caption of the group box the run sits in.
    for (const std::string& candidate :
         {"Label" + stem + number, "Label" + stem, "GroupBox" + stem}) {
      const std::optional<ControlHandle> label = controls.Find(candidate);
      if (!label || controls.Text(*label).empty()) continue;
      caption = controls.Text(*label);
      break;
    }
  }
  std::string shown;
  for (char ch : caption) {
    if (ch != '&') shown += ch;
  }
  return shown;
}

FieldCaptions::FieldCaptions(Language language) {
  // The bike page takes the window's own "No Reading" box; the gear page the live panel's labels.
  controls_.Add("CheckBoxZakazCteni", ControlKind::kCheckBox);
  maps_.CreateControls();
  monitor_.CreateControls(controls_);
  pages_.CreateControls([](MessageKey key, int lang) {
    return MessageText(key, static_cast<Language>(lang));
  });
  maps_.SetTexts(MapTextsOf(static_cast<int>(language)));
  pages_.ApplyTexts(static_cast<int>(language));
  ApplyWindowTexts(controls_, language);
}

}  // namespace korvan
