#include "diff/field_captions.h"

#include <optional>

#include "maps/map_texts.h"
#include "pages/page_texts.h"
#include "texts/window_texts.h"

namespace korvan {
namespace {

// The map pages' header fields, the advance map's TPS box and the servo pages' settings, named by
// the grid's words.
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
    {"CheckBoxTps_Uni", &MapTexts::tps_check},
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

// The caption the control named `control` shows in `language`: a page's, else the window's (the
// bike page shows the window's "No Reading" box).
std::optional<std::string_view> ControlText(std::string_view control, Language language) {
  if (const auto text = PageControlText(control, static_cast<int>(language))) return text;
  return WindowControlText(control, language);
}

std::string TextOf(std::string_view control, Language language) {
  return std::string(ControlText(control, language).value_or(""));
}

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
  const MapTexts& map_texts = MapTextsOf(static_cast<int>(language_));
  for (const MapFieldCaption& m : kMapFieldCaptions) {
    if (m.field == field.name) return std::string(map_texts.*m.text);
  }
  std::string name(field.name);
  if (field.first_control_number >= 0) name += std::to_string(field.first_control_number + element);
  std::string caption;
  if (field.kind == FieldKind::kFlag || field.kind == FieldKind::kIndex) {
    caption = TextOf(name, language_);
  }
  const std::string base(field.name);
  for (std::string_view prefix : {"UpDown", "Edit"}) {
    if (!caption.empty() || !base.starts_with(prefix)) continue;
    const std::string stem = base.substr(prefix.size());
    const std::string number = name.substr(base.size());
    // The label beside this one field, else the caption of the group box its run sits in.
    for (const std::string& candidate : {"Label" + stem + number, "GroupBox" + stem}) {
      caption = TextOf(candidate, language_);
      if (!caption.empty()) break;
    }
  }
  for (const NearbyCaption& n : kNearbyCaptions) {
    if (!caption.empty() || n.field != field.name) continue;
    caption = Shown(TextOf(n.group, language_));
    const std::string label = n.label.empty() ? std::string() : TextOf(n.label, language_);
    if (!label.empty()) caption += ", " + Shown(label);
  }
  return Shown(caption);
}

std::vector<std::string_view> UnknownCaptionNames() {
  std::vector<std::string_view> unknown;
  const auto need_field = [&unknown](std::string_view name) {
    if (FindField(name) == nullptr) unknown.push_back(name);
  };
  const auto need_text = [&unknown](std::string_view control) {
    if (!ControlText(control, Language::kEnglish)) unknown.push_back(control);
  };
  for (const MapFieldCaption& m : kMapFieldCaptions) need_field(m.field);
  for (const NearbyCaption& n : kNearbyCaptions) {
    need_field(n.field);
    need_text(n.group);
    if (!n.label.empty()) need_text(n.label);
  }
  return unknown;
}

}  // namespace korvan
