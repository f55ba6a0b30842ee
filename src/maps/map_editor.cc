#include "maps/map_editor.h"

#include <string>

#include "maps/header_fields.h"

namespace korvan {

namespace {

namespace geo = grid_geometry;

std::string Numbered(std::string_view name, int number) {
  std::string s(name);
  s += std::to_string(number);
  return s;
}

// Tab sheet names of the nine map pages, in kMapTable order.
constexpr std::array<std::string_view, kMapCount> kTabNames{
    "TabSheet_Advance", "TabSheet_Inj1A",       "TabSheet_Inj2A",
    "TabSheet_Inj3A",   "TabSheet_Inj4A",       "TabSheet_InjB",
    "TabSheet_InjIap",  "TabSheet_IntakeServo", "TabSheet_ExhaustServo"};

constexpr int kToolsX = 990;

}  // namespace

bool MapEditor::IsMapPage(int page) { return MapOfPage(page).has_value(); }

void MapEditor::CreateControls() {
  if (created_) return;
  created_ = true;
  ControlSet& c = controls_;

  for (std::size_t m = 0; m < kMapTable.size(); ++m) {
    h_.tabs[m] = c.Add(std::string(kTabNames[m]), ControlKind::kTab, kMapTable[m].page);
    c.SetText(h_.tabs[m], kMapTable[m].name);
    c.SetValue(h_.tabs[m], kMapTable[m].page);
  }

  // Everything else sits on the grid panel, which the window shows on whichever map page is active.
  h_.line = c.Add("BevelMapLine", ControlKind::kLine, kMapGridPanel);
  c.SetGeometry(h_.line, 0, geo::kLineY, geo::ColumnX(kMapColumns), 2);

  h_.rpm_caption = c.Add("LabelMapRpm", ControlKind::kLabel, kMapGridPanel);
  // Right of the engine-speed row: the top-left corner is the row caption's.
  c.SetGeometry(h_.rpm_caption, geo::ColumnX(kMapColumns) + 4, geo::kRpmY + 3, 40, 13);
  for (int col = 0; col < kMapColumns; ++col) {
    const ControlHandle h = c.Add(Numbered("MapRpm", col), ControlKind::kSpin, kMapGridPanel);
    c.AddAlias(Numbered("UpDownMapRpm", col), h);
    c.SetRange(h, kAxisRpmMin, kAxisRpmMax, kAxisRpmScale);
    // Wider than a cell: five digits must fit.
    c.SetGeometry(h, geo::ColumnX(col), geo::kRpmY, geo::kRpmFieldWidth, geo::kCellHeight);
    h_.rpm[static_cast<std::size_t>(col)] = h;
  }

  for (int cell = 0; cell < kMapCells; ++cell) {
    const int x = geo::ColumnX(CellColumn(cell));
    const int y = geo::RowY(CellRow(cell));
    const ControlHandle h = c.Add(Numbered("MapCell", cell), ControlKind::kSpin, kMapGridPanel);
    c.AddAlias(Numbered("UpDownMapCell", cell), h);
    c.SetRange(h, 0, 1000, 1);
    c.SetGeometry(h, x, y, geo::kCellWidth + geo::kUpDownWidth, geo::kCellHeight);
    h_.cells[static_cast<std::size_t>(cell)] = h;
    const ControlHandle label =
        c.Add(Numbered("MapValueLabel", cell), ControlKind::kLabel, kMapGridPanel);
    c.SetGeometry(label, x + geo::kValueLabelOffset, y + geo::kValueLabelOffset, geo::kCellWidth,
                  geo::kValueLabelHeight);
    c.SetVisible(label, false);
    h_.value_labels[static_cast<std::size_t>(cell)] = label;
  }

  h_.row_caption = c.Add("LabelMapRows", ControlKind::kLabel, kMapGridPanel);
  c.SetGeometry(h_.row_caption, 0, geo::kRpmY + 3, 56, 13);
  for (int row = 0; row < kMapRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    h_.row_labels[r] = c.Add(Numbered("MapRowLabel", row), ControlKind::kLabel, kMapGridPanel);
    c.SetGeometry(h_.row_labels[r], geo::RowLabelX(row), geo::kRowLabelY0 + geo::kRowPitch * row,
                  40, 13);
    h_.row_axis[r] = c.Add(Numbered("MapRowAxis", row), ControlKind::kSpin, kMapGridPanel);
    c.AddAlias(Numbered("UpDownMapRowAxis", row), h_.row_axis[r]);
    c.SetRange(h_.row_axis[r], 0, kIapRowAxisMax, 1);
    c.SetGeometry(h_.row_axis[r], 0, geo::RowY(row), 52, geo::kCellHeight);
    c.SetVisible(h_.row_axis[r], false);
  }

  for (int col = 0; col < kMapColumns; ++col) {
    const ControlHandle h =
        c.Add(Numbered("CSpinButton", col), ControlKind::kSpinButton, kMapGridPanel);
    c.SetGeometry(h, geo::kColumnSpinX0 + geo::kColumnPitch * col, geo::kColumnSpinY,
                  geo::kColumnSpinWidth, geo::kColumnSpinHeight);
    c.SetStepTarget(h, StepTarget::kMapColumn, col);
    h_.column_spins[static_cast<std::size_t>(col)] = h;
  }
  h_.tools_spin = c.Add("CSpinButtonTools", ControlKind::kSpinButton, kMapGridPanel);
  c.SetStepTarget(h_.tools_spin, StepTarget::kMapTools);
  c.SetGeometry(h_.tools_spin, kToolsX, geo::kColumnSpinY, geo::kColumnSpinWidth,
                geo::kColumnSpinHeight);
  h_.all = c.Add("CheckBoxAll_Uni", ControlKind::kCheckBox, kMapGridPanel);
  c.SetGeometry(h_.all, kToolsX - 8, geo::kColumnSpinY - 24, 50, 17);
  h_.tps = c.Add("CheckBoxTps_Uni", ControlKind::kCheckBox, kMapGridPanel);
  c.SetGeometry(h_.tps, kToolsX - 8, geo::RowY(0), 50, 17);
  h_.time_view = c.Add("CheckBoxZobrMs_Uni", ControlKind::kCheckBox, kMapGridPanel);
  c.SetGeometry(h_.time_view, kToolsX - 8, geo::RowY(1), 50, 17);
  c.SetChecked(h_.time_view, time_view_);
  h_.servo_enable = c.Add("CheckBoxServoEnable", ControlKind::kCheckBox, kMapGridPanel);
  c.SetGeometry(h_.servo_enable, 56, geo::kColumnSpinY + 30, 120, 17);
  h_.percent = c.Add("CheckBoxProcenta", ControlKind::kCheckBox, kMapGridPanel);
  c.SetGeometry(h_.percent, 182, geo::kColumnSpinY + 30, 84, 17);
  h_.step_motor = c.Add("CheckBoxStepMotor", ControlKind::kCheckBox, kMapGridPanel);
  c.SetGeometry(h_.step_motor, 270, geo::kColumnSpinY + 30, 128, 17);
  h_.servo_mode = c.Add("RadioGroupServoMode", ControlKind::kRadioGroup, kMapGridPanel);
  c.SetGeometry(h_.servo_mode, 400, geo::kColumnSpinY + 18, 240, 44);
  h_.banner = c.Add("LabelCoupling", ControlKind::kLabel, kMapGridPanel);
  c.SetGeometry(h_.banner, 680, geo::kColumnSpinY + 30, 120, 17);

  for (int e = 0; e < kHeaderFieldCount; ++e) {
    const ControlHandle h = c.Add(Numbered("MapHeaderE", e), ControlKind::kSpin, kMapGridPanel);
    c.AddAlias(Numbered("MapHeaderD", e), h);
    c.SetVisible(h, false);
    h_.header_fields[static_cast<std::size_t>(e)] = h;
  }
  for (int l = 0; l < kHeaderLabelCount; ++l) {
    const ControlHandle h =
        c.Add(Numbered("MapHeaderLabel", l), ControlKind::kLabel, kMapGridPanel);
    c.SetVisible(h, false);
    h_.header_labels[static_cast<std::size_t>(l)] = h;
  }
  for (ControlHandle h : {h_.servo_enable, h_.percent, h_.step_motor, h_.servo_mode, h_.banner,
                          h_.tps, h_.time_view}) {
    c.SetVisible(h, false);
  }
  ApplyCaptions();
  for (ControlHandle label : h_.value_labels) c.SetText(label, texts_.value_label_initial);
}

void MapEditor::ApplyCaptions() {
  if (!created_) return;
  ControlSet& c = controls_;
  c.SetText(h_.rpm_caption, texts_.rpm_caption);
  for (int row = 0; row < kMapRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    c.SetText(h_.row_labels[r], texts_.throttle_rows[r]);
  }
  c.SetText(h_.row_caption,
            grid_page_ == MapInfo(MapId::kInjIap).page ? texts_.iap_caption : texts_.tps_caption);
  c.SetText(h_.all, texts_.all);
  c.SetText(h_.tps, texts_.tps_check);
  c.SetText(h_.time_view, texts_.time_view);
  c.SetText(h_.servo_enable, texts_.servo_enable);
  c.SetText(h_.percent, texts_.percent);
  c.SetText(h_.step_motor, texts_.step_motor);
  c.SetItems(h_.servo_mode, {std::string(texts_.servo_modes[0]), std::string(texts_.servo_modes[1]),
                             std::string(texts_.servo_modes[2])});
}

void MapEditor::SetTexts(const MapTexts& texts) {
  texts_ = texts;
  if (!created_) return;
  ApplyCaptions();
}

bool MapEditor::time_view() const {
  return created_ ? controls_.Checked(h_.time_view) : time_view_;
}

void MapEditor::set_time_view(bool on) {
  time_view_ = on;
  if (created_) controls_.SetChecked(h_.time_view, on);
}

MapEditor::SpinParts MapEditor::CellParts(int cell) const {
  if (cell < 0 || cell >= kMapCells) return {};
  return cell_parts_[static_cast<std::size_t>(cell)];
}

MapEditor::SpinParts MapEditor::RpmParts(int column) const {
  if (column < 0 || column >= kMapColumns) return {};
  return rpm_parts_[static_cast<std::size_t>(column)];
}

}  // namespace korvan
