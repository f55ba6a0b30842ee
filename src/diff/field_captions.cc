#include "diff/field_captions.h"

#include <optional>

#include "maps/map_texts.h"
#include "monitor/monitor_texts.h"
#include "pages/page_texts.h"
#include "texts/messages.h"
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
    {"RadioGroupSpeedMode", "GroupBoxPulsuProSpeed", ""},
};

// How an element of a run is told apart from its neighbours on its page.
enum class ElementBy : std::uint8_t {
  kNumber,  // " [n]": nothing on the page names it
  kLabel,   // the label in the element's row or column ("-10 °C", "2 [mV]")
  kGear,    // "gear n": a row of the race or gear page
  kRow,     // "row n": a row of the injection position tables
};

// Runs of fields and single fields that a group box (and a label of the group) names, with what
// names their elements. A field's own label, when it has one and the rule names none, follows
// the group: "Pressure sensor - AP, Voltage 1 [mV]".
struct GroupedCaption {
  std::string_view field;
  std::string_view group;
  std::string_view label;  // may be empty; "*" takes the field's own label
  ElementBy element_by;
  std::string_view element_label;  // kLabel: the label's name before its number
  int first = 0;                   // the number of element 0 (labels and gears)
};
constexpr GroupedCaption kGroupedCaptions[] = {
    {"UpDownApsTlak1", "GroupApsSensor", "*", ElementBy::kNumber, "", 0},
    {"UpDownApsNapeti1", "GroupApsSensor", "*", ElementBy::kNumber, "", 0},
    {"UpDownApsTlak2", "GroupApsSensor", "*", ElementBy::kNumber, "", 0},
    {"UpDownApsNapeti2", "GroupApsSensor", "*", ElementBy::kNumber, "", 0},
    {"UpDownIapsTlak1", "GroupIapsSensor", "*", ElementBy::kNumber, "", 0},
    {"UpDownIapsNapeti1", "GroupIapsSensor", "*", ElementBy::kNumber, "", 0},
    {"UpDownIapsTlak2", "GroupIapsSensor", "*", ElementBy::kNumber, "", 0},
    {"UpDownIapsNapeti2", "GroupIapsSensor", "*", ElementBy::kNumber, "", 0},
    {"UpDownTps0", "GroupBoxSetTps", "*", ElementBy::kNumber, "", 0},
    {"UpDownTps100", "GroupBoxSetTps", "*", ElementBy::kNumber, "", 0},
    {"EditKorVodaJet", "GroupBoxKorVodaVzduch", "LabelVoda2", ElementBy::kLabel, "LabelKorTeplota",
     0},
    {"EditKorVzduchJet", "GroupBoxKorVodaVzduch", "LabelVzduch2", ElementBy::kLabel,
     "LabelKorTeplota", 0},
    {"EditKorVodaIgn", "GroupBoxIgnVoda", "LabelVoda3", ElementBy::kLabel, "LabelKorIgnTeplota", 0},
    {"EditCidloVoda", "GroupBoxCidloTVodaVzduch", "LabelCidloVoda", ElementBy::kLabel,
     "LabelCidloTeplota", 0},
    {"EditCidloVzduch", "GroupBoxCidloTVodaVzduch", "LabelCidloVzduch", ElementBy::kLabel,
     "LabelCidloTeplota", 0},
    {"EditRaceRpm1", "GroupBoxClutch", "", ElementBy::kGear, "", 1},
    {"EditRaceRpm2", "GroupBoxClutch", "", ElementBy::kGear, "", 1},
    {"EditClutchTime", "GroupBoxClutch", "LabelClutchTime", ElementBy::kGear, "", 1},
    {"EditClutchPause", "GroupBoxClutch", "LabelClutchPause", ElementBy::kGear, "", 1},
    {"EditGearNapeti", "GroupBoxNapetiProGear", "", ElementBy::kLabel, "LabelGear", 0},
    {"EditGearPomer", "GroupBoxRpmSpeedProGear", "", ElementBy::kGear, "", 1},
    {"EditGearKorIgn", "LabelGearKorIgn", "", ElementBy::kGear, "", 1},
    {"EditGearKorJet", "LabelGearKorJet", "", ElementBy::kGear, "", 1},
    {"EditPolohaRpmA", "GroupBoxPolohaA", "LabelPolohaRpmA", ElementBy::kRow, "", 1},
    {"EditPolohaA", "GroupBoxPolohaA", "LabelPolohaUhelA", ElementBy::kRow, "", 1},
    {"EditPolohaRpmB", "GroupBoxPolohaB", "LabelPolohaRpmB", ElementBy::kRow, "", 1},
    {"EditPolohaB", "GroupBoxPolohaB", "LabelPolohaUhelB", ElementBy::kRow, "", 1},
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

// A caption as shown on its own: no menu accelerator, no colon after it, no spaces the page
// used to line up its labels, and the millivolt written as everywhere else ("100%  [mv]" on the
// sensors page).
std::string Shown(std::string_view caption) {
  std::string shown;
  for (char ch : caption) {
    if (ch == '&' || (ch == ' ' && (shown.empty() || shown.back() == ' '))) continue;
    shown += ch;
  }
  while (!shown.empty() && (shown.back() == ':' || shown.back() == ' ')) shown.pop_back();
  if (const std::size_t at = shown.find("[mv]"); at != std::string::npos) shown[at + 2] = 'V';
  return shown;
}

// "group, label"; a label that is a unit only follows without the comma: "row 5 [°]".
std::string Joined(std::string a, const std::string& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return a + (b.front() == '[' ? " " : ", ") + b;
}

// The race page's pilot-light column follows the bike (a shift light or a choke), so the list
// names both.
std::string PilotLightCaption(Language language, char column) {
  const int l = static_cast<int>(language);
  return std::string(MonitorTextOf(MonitorText::kShiftLight, l)) + " / " +
         MonitorTextOf(MonitorText::kChoke, l) + " " + column + " [rpm]";
}

// "group, label, element": "Temperature Corrections of injection [%], Coolant, -10 °C".
std::string GroupedName(const GroupedCaption& g, const Field& field, int element,
                        Language language) {
  std::string label;
  if (g.label == "*") {
    label = TextOf("Label" + std::string(field.name).substr(std::string_view("UpDown").size()),
                   language);
  } else if (!g.label.empty()) {
    label = TextOf(g.label, language);
  } else if (field.name == "EditRaceRpm1" || field.name == "EditRaceRpm2") {
    label = PilotLightCaption(language, field.name.back());
  }
  std::string name = Joined(Shown(TextOf(g.group, language)), Shown(label));
  const int number = g.first + element;
  switch (g.element_by) {
    case ElementBy::kNumber:
      break;
    case ElementBy::kLabel:
      name = Joined(name,
                    Shown(TextOf(std::string(g.element_label) + std::to_string(number), language)));
      break;
    case ElementBy::kGear:
      name = Joined(name, std::string(MessageText(MessageKey::kMsgDiffGear, language)) + " " +
                              std::to_string(number));
      break;
    case ElementBy::kRow:
      name = Joined(name, std::string(MessageText(MessageKey::kMsgDiffRow, language)) + " " +
                              std::to_string(number));
      break;
  }
  return name;
}

}  // namespace

std::string FieldCaptions::operator()(const Field& field, int element) const {
  for (const GroupedCaption& g : kGroupedCaptions) {
    if (g.field == field.name) return GroupedName(g, field, element, language_);
  }
  std::string caption = Caption(field, element);
  // A run's elements share the caption; where the page names no element, its number does.
  if (!caption.empty() && field.count > 1 && field.kind != FieldKind::kText) {
    const int first = field.first_control_number >= 0 ? field.first_control_number : 1;
    caption += " [" + std::to_string(first + element) + "]";
  }
  return caption;
}

std::string FieldCaptions::Caption(const Field& field, int element) const {
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
  for (const GroupedCaption& g : kGroupedCaptions) {
    need_field(g.field);
    need_text(g.group);
    if (!g.label.empty() && g.label != "*") need_text(g.label);
  }
  return unknown;
}

}  // namespace korvan
