#include "diff/field_captions.h"

#include "texts/window_texts.h"

namespace korvan {
namespace {

// The map pages' header fields and the servo pages' settings, named by the grid's words.
struct MapFieldCaption {
  std::string_view field;
  std::string_view MapTexts::*text;
};
constexpr MapFieldCaption kMapFieldCaptions[] = {
    {"AdvanceBase", &MapTexts::base_advance},
    {"AdvanceWidthOfLobe", &MapTexts::lobe_width},
    {"AdvanceCylinderCorrection", &MapTexts::cylinder_correction},
    {"IapCylinderCorrection", &MapTexts::cylinder_correction},
    {"IapRowAxis", &MapTexts::iap_caption},
    {"JetTpsMin", &MapTexts::tps_min},
    {"JetTpsMax", &MapTexts::tps_max},
    {"JetRpmMin", &MapTexts::rpm_min},
    {"JetRpmMax", &MapTexts::rpm_max},
    {"IntakeServoEnable", &MapTexts::servo_enable},
    {"ExhaustServoEnable", &MapTexts::servo_enable},
    {"IntakeServoPercent", &MapTexts::percent},
    {"ExhaustServoPercent", &MapTexts::percent},
    {"IntakeServoHysteresis", &MapTexts::hysteresis},
    {"ExhaustServoHysteresis", &MapTexts::hysteresis},
    {"IntakeServoStepMotor", &MapTexts::step_motor},
    {"IntakeServoPeriod", &MapTexts::period},
    {"IntakeServoExcitation", &MapTexts::excitation},
};

// Fields whose controls have no caption of their own, named by the controls around them on
// their page: a group box, and where the group holds several tables, the table's label.
struct NearbyCaption {
  std::string_view field;
  std::string_view group;
  std::string_view label;  // may be empty
};
constexpr NearbyCaption kNearbyCaptions[] = {
    {"ComboBoxBike", "GroupBoxBike", ""},
    {"Memo1", "LabelMemo", ""},
    {"UpDownSyticCas", "GroupBoxSytic", "LabelSyticCas"},
    {"UpDownSyticKorekce", "GroupBoxSytic", "LabelSyticKorekce"},
    {"EditKorVodaJet", "GroupBoxKorVodaVzduch", "LabelVoda2"},
    {"EditKorVzduchJet", "GroupBoxKorVodaVzduch", "LabelVzduch2"},
    {"EditKorVodaIgn", "GroupBoxIgnVoda", "LabelVoda3"},
    {"EditGearNapeti", "GroupBoxNapetiProGear", ""},
    {"EditGearPomer", "GroupBoxRpmSpeedProGear", ""},
    {"RadioGroupSpeedMode", "GroupBoxPulsuProSpeed", ""},
};

// A caption as shown on its own: no menu accelerator, no colon after it.
std::string Shown(std::string_view caption) {
  std::string shown;
  for (char ch : caption) {
    if (ch != '&') shown += ch;
  }
  while (!shown.empty() && (shown.back() == ':' || shown.back() == ' ')) shown.pop_back();
  return shown;
}

}  // namespace

std::string FieldCaptions::operator()(const Field& field, int element) const {
  const ControlSet& controls = controls_;
  const MapTexts& map_texts = MapTextsOf(static_cast<int>(language_));
  for (const MapFieldCaption& m : kMapFieldCaptions) {
    if (m.field == field.name) return std::string(map_texts.*m.text);
  }
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
    // The label beside this one field, else the caption of the group box its run sits in.
    for (const std::string& candidate : {"Label" + stem + number, "GroupBox" + stem}) {
      const std::optional<ControlHandle> label = controls.Find(candidate);
      if (!label || controls.Text(*label).empty()) continue;
      caption = controls.Text(*label);
      break;
    }
  }
  for (const NearbyCaption& n : kNearbyCaptions) {
    if (!caption.empty() || n.field != field.name) continue;
    if (const std::optional<ControlHandle> group = controls.Find(n.group)) {
      caption = Shown(controls.Text(*group));
    }
    const std::optional<ControlHandle> label =
        n.label.empty() ? std::nullopt : controls.Find(n.label);
    if (label && !controls.Text(*label).empty()) {
      caption += ", " + Shown(controls.Text(*label));
    }
  }
  return Shown(caption);
}

FieldCaptions::FieldCaptions(Language language) : language_(language) {
  // The bike page takes the window's own "No Reading" box; the gear page the live panel's labels.
  controls_.Add("CheckBoxZakazCteni", ControlKind::kCheckBox);
  maps_.CreateControls();
  monitor_.CreateControls(controls_);
  pages_.CreateControls(
      [](MessageKey key, int lang) { return MessageText(key, static_cast<Language>(lang)); });
  maps_.SetTexts(MapTextsOf(static_cast<int>(language)));
  pages_.ApplyTexts(static_cast<int>(language));
  ApplyWindowTexts(controls_, language);
}

}  // namespace korvan
