#include "pages/bike_page.h"

#include "image/field_dictionary.h"
#include "image/page_index.h"
#include "model/bike_list.h"
#include "pages/windows1250.h"

namespace korvan {
namespace {

constexpr int kNoReadingByte = 1;
constexpr int kRowStep = 26;
constexpr int kSpinWidth = 96;
constexpr int kSpinHeight = 22;

// The memo keeps the line breaks of the station's first home: CR LF in the image, a bare line
// feed in the window.
std::string ImageLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (const char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

std::string WindowLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

BikePage::BikePage(ControlSet& controls) : controls_(controls), fields_(controls, kPageBike) {}

void BikePage::CreateControls() {
  PageFields& f = fields_;
  ControlSet& c = controls_;
  const auto label_spin = [&](const char* label, const char* edit, const char* up_down,
                              const char* field, int x, int y) {
    f.Add(label, ControlKind::kLabel, {x, y + 3, 190, 18});
    const ControlHandle h = f.Spin(edit, up_down, field, 0, {x + 192, y, kSpinWidth, kSpinHeight});
    c.SetThousands(h, true);
    return h;
  };

  // Left column: the motorcycle, limiters, cooling, engine-speed signal, intake ports.
  f.Add("GroupBoxBike", ControlKind::kGroupBox, {8, 4, 310, 56});
  combo_ = f.Add("ComboBoxBike", ControlKind::kComboBox, {16, 26, 294, 24});
  c.SetItems(combo_, BikeListEntries());

  f.Add("GroupBoxOmez", ControlKind::kGroupBox, {8, 66, 310, 160});
  int y = 88;
  label_spin("LabelStartLimiter", "EditStartLimiter", "UpDownStartLimiter", "UpDownStartLimiter",
             16, y);
  label_spin("LabelIgnLimiter", "EditIgnLimiter", "UpDownIgnLimiter", "UpDownIgnLimiter", 16,
             y += kRowStep);
  label_spin("LabelJetLimiter", "EditJetLimiter", "UpDownJetLimiter", "UpDownJetLimiter", 16,
             y += kRowStep);
  label_spin("LabelRetardLimiterRpm", "EditRetardLimiterRpm", "UpDownRetardLimiterRpm",
             "UpDownRetardLimiterRpm", 16, y += kRowStep);
  label_spin("LabelRetardLimiterAdv", "EditRetardLimiterAdv", "UpDownRetardLimiterAdv",
             "UpDownRetardLimiterAdv", 16, y += kRowStep);

  f.Add("GroupBoxChlazeni", ControlKind::kGroupBox, {8, 232, 310, 52});
  label_spin("LabelChlazeni", "EditChlazeni", "UpDownChlazeni", "UpDownChlazeni", 16, 254);

  f.Add("GroupBoxRpm", ControlKind::kGroupBox, {8, 290, 310, 78});
  label_spin("LabelRpmPulsu", "EditRpmPulsu", "UpDownRpmPulsu", "UpDownRpmPulsu", 16, 312);
  label_spin("LabelRpmKorekce", "EditRpmKorekce", "UpDownRpmKorekce", "UpDownRpmKorekce", 16,
             312 + kRowStep);

  intake_port_[0] = f.Add("GroupBoxIntakePort", ControlKind::kGroupBox, {8, 374, 310, 52});
  intake_port_[2] = label_spin("LabelIntakePortRpm", "EditIntakePortRpm", "UpDownIntakePortRpm",
                               "UpDownIntakePortRpm", 16, 396);
  intake_port_[1] = c.Handle("LabelIntakePortRpm");

  // Middle column: the switch inputs and enables, then what identifies the unit.
  f.Add("GroupBoxActivation", ControlKind::kGroupBox, {330, 4, 300, 124});
  const char* activation[] = {"CheckBoxAktFall", "CheckBoxAktClutch", "CheckBoxAktStartLimiter",
                              "CheckBoxAktRpm"};
  y = 26;
  for (const char* name : activation) {
    f.Check(name, name, {340, y, 280, 22});
    y += 24;
  }
  f.Check("CheckBoxFallEnable", "CheckBoxFallEnable", {340, 136, 280, 22});
  f.Check("CheckBoxBlokEnable", "CheckBoxBlokEnable", {340, 160, 280, 22});
  for (int i = 0; i < 3; ++i) {
    verze_[static_cast<std::size_t>(i)] = f.Add("LabelVerze" + std::to_string(i + 1),
                                                ControlKind::kLabel, {340, 200 + 24 * i, 280, 20});
  }
  // The programming count is the live display's; it sits under the identity here.
  if (const std::optional<ControlHandle> count = c.Find("LabelPocetProgramovani")) {
    c.SetGeometry(*count, 340, 272, 280, 20);
  }

  // Right column: the memo.
  f.Add("LabelMemo", ControlKind::kLabel, {642, 4, 300, 20});
  memo_ = f.Add("Memo1", ControlKind::kMemo, {642, 26, 396, 200});
  c.SetTextLimits(memo_, kMemoMaxLength, TextCodePage::kWindows1250);

  zakaz_cteni_ = c.Handle("CheckBoxZakazCteni");
}

void BikePage::Gather(ParameterImage& image, PageMessages& messages) {
  const int index = controls_.Value(combo_);
  if (index != combo_shown_) {
    if (const std::optional<int> code = BikeCodeOfListIndex(index)) {
      image.SetByte(kBikeCodeOffset, static_cast<std::uint8_t>(*code));
    }
  }
  GatherMemo(image, messages);
  fields_.Gather(image);
}

void BikePage::GatherMemo(ParameterImage& image, PageMessages& messages) {
  const std::string& text = controls_.Text(memo_);
  if (text == memo_shown_) return;
  Windows1250Result converted = Windows1250FromUtf8(ImageLineBreaks(text));
  if (converted.refused) {
    // The set keeps its memo, and the field shows it again: the window never shows a memo the
    // set does not hold.
    messages.push_back({MessageKey::kMsgMemoCharacter, " " + *converted.refused});
    controls_.SetText(memo_, memo_shown_);
    return;
  }
  std::string& bytes = converted.bytes;
  if (bytes.size() > static_cast<std::size_t>(kMemoMaxLength)) {
    // The field takes no more as it is typed; text that came another way keeps its beginning,
    // without half a line break (a CR alone would come back as a character of its own).
    messages.push_back({MessageKey::kMsgMemoTooLong, {}});
    bytes.resize(static_cast<std::size_t>(kMemoMaxLength));
    if (bytes.back() == '\r') bytes.pop_back();
  }
  WriteMemo(image, bytes);
  RefreshMemo(image);
}

void BikePage::Refresh(const ParameterImage& image, const IdentityTexts& identity,
                       PageMessages& messages) {
  controls_.SetText(verze_[0], identity.type_text);
  controls_.SetText(verze_[1], identity.date_text);
  controls_.SetText(verze_[2], identity.time_text);
  // Their red follows in the station's visibility step, which runs after every refresh.
  controls_.SetChecked(zakaz_cteni_, image.Byte(kNoReadingByte) != 0);

  const int code = image.Byte(kBikeCodeOffset);
  controls_.SetValue(combo_, ListIndexOfBikeCode(code));
  combo_shown_ = controls_.Value(combo_);
  if (code >= kBikeListSeparator) messages.push_back({MessageKey::kMsgWrongProgramBike, {}});

  RefreshMemo(image);
  fields_.Refresh(image);
}

void BikePage::RefreshMemo(const ParameterImage& image) {
  memo_shown_ = WindowLineBreaks(Utf8FromWindows1250(ReadMemo(image)));
  controls_.SetText(memo_, memo_shown_);
}

void BikePage::Visibility(const ParameterImage& image) {
  const bool intake_ports = image.Byte(kBikeCodeOffset) == kIntakePortBike;
  for (const ControlHandle h : intake_port_) controls_.SetVisible(h, intake_ports);
}

}  // namespace korvan
