// Layout of the active map page: what of the grid, the header and the servo controls is shown,
// the time view, the coupling banner, and the channel-mode menu checks and tabs.

#include <cstdio>

#include "image/field_dictionary.h"
#include "maps/header_fields.h"
#include "maps/map_editor.h"

namespace korvan {

namespace {

namespace geo = grid_geometry;

constexpr int kHeaderFieldWidth = 56;  // field and up-down

bool IsFollowerPage(int page) {
  return page == MapInfo(MapId::kInj2A).page || page == MapInfo(MapId::kInj3A).page ||
         page == MapInfo(MapId::kInj4A).page;
}

bool OneChannelConfig(unsigned config) { return config == 7 || config == 22; }
bool TwoChannelConfig(unsigned config) { return config == 0 || config == 2 || config == 5; }

}  // namespace

void MapEditor::Layout(int page) {
  const std::optional<MapId> map = MapOfPage(page);
  if (!map || !created_) return;
  // The grid shows the values of the page it was scattered onto; another page is filled first
  // (the scatter lays it out).
  if (page != grid_page_) {
    Scatter(page);
    return;
  }
  ControlSet& c = controls_;
  const bool time = time_view();
  one_channel_ = OneChannelConfig(image_.Byte(kEngineConfigOffset));
  cylinders_ = image_.Byte(kCylinderCountOffset);
  layout_ = ChooseGridLayout(page, image_, time);
  const LayoutParts& parts = PartsOf(layout_);

  LayoutCells(page, parts);
  c.SetVisible(h_.line, layout_ != GridLayout::kHidden);
  c.SetVisible(h_.tools_spin, parts.tools);
  c.SetVisible(h_.all, parts.tools);
  c.SetVisible(h_.tps, *map == MapId::kAdvance);

  const bool follows = ChannelsFollow1A(image_);
  const bool offers_time_view =
      *map == MapId::kInj1A || *map == MapId::kInjIap || (IsFollowerPage(page) && !follows);
  c.SetVisible(h_.time_view, offers_time_view);
  if (time && MapInfo(*map).word_cells) WriteTimeLabels(*map);

  const bool bank_a = *map == MapId::kInj1A || IsFollowerPage(page);
  const bool all_equal = image_.Byte(kJetCouplingModeOffset) == kModeAllEqual;
  c.SetText(h_.banner, all_equal ? texts_.banner_all_equal : texts_.banner_coupled);
  c.SetColor(h_.banner, all_equal ? kColorAqua : kColorYellow);
  c.SetVisible(h_.banner, bank_a && follows);

  LayoutHeader(page);
  LayoutServoControls(page);
  UpdateModeControls();
}

void MapEditor::LayoutCells(int page, const LayoutParts& parts) {
  ControlSet& c = controls_;
  const bool speed_row = layout_ == GridLayout::kSpeedRow;
  for (int cell = 0; cell < kMapCells; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    const bool offered = CellOffered(parts.cells, cell);
    const SpinParts spin{offered && parts.cell_fields, offered && parts.cell_up_downs};
    cell_parts_[i] = spin;
    c.SetVisible(h_.cells[i], spin.field || spin.up_down);
    c.SetUpDownVisible(h_.cells[i], spin.up_down);
    c.SetEnabled(h_.cells[i], parts.cell_enabled);
    c.SetVisible(h_.value_labels[i], parts.value_labels);
    if (CellRow(cell) == kMapRows - 1) {
      // The one row of a speed-only map is drawn where row 0 is.
      const int x = geo::ColumnX(CellColumn(cell));
      const int y = geo::RowY(speed_row ? 0 : kMapRows - 1);
      c.SetGeometry(h_.cells[i], x, y, geo::kCellWidth + geo::kUpDownWidth, geo::kCellHeight);
      c.SetGeometry(h_.value_labels[i], x + geo::kValueLabelOffset, y + geo::kValueLabelOffset,
                    geo::kCellWidth, geo::kValueLabelHeight);
    }
  }
  for (int col = 0; col < kMapColumns; ++col) {
    const auto i = static_cast<std::size_t>(col);
    rpm_parts_[i] = {parts.rpm_fields, parts.rpm_fields && parts.rpm_up_downs};
    c.SetVisible(h_.rpm[i], parts.rpm_fields);
    c.SetUpDownVisible(h_.rpm[i], rpm_parts_[i].up_down);
    c.SetVisible(h_.column_spins[i], parts.column_spins);
  }
  c.SetVisible(h_.rpm_caption, parts.rpm_fields);

  const bool iap = page == MapInfo(MapId::kInjIap).page;
  c.SetText(h_.row_caption, iap ? texts_.iap_caption : texts_.tps_caption);
  c.SetVisible(h_.row_caption, parts.row_labels);
  for (int row = 0; row < kMapRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    c.SetVisible(h_.row_labels[r], parts.row_labels && !iap);
    c.SetVisible(h_.row_axis[r], parts.row_labels && iap);
  }
}

void MapEditor::WriteTimeLabels(MapId map) {
  char text[32];
  for (int cell = 0; cell < kMapCells; ++cell) {
    const unsigned word = StoredCell(image_, map, cell);
    std::snprintf(text, sizeof text, "%5.3f ", word * 0.001);
    controls_.SetText(h_.value_labels[static_cast<std::size_t>(cell)], text);
  }
}

void MapEditor::LayoutHeader(int page) {
  ControlSet& c = controls_;
  std::array<bool, kHeaderFieldCount> shown{};
  const bool servo_shown = layout_ != GridLayout::kHidden;
  for (const HeaderFieldEntry& entry : kHeaderFields) {
    if (entry.page != page) continue;
    bool on = false;
    switch (entry.shown) {
      case HeaderShown::kAlways:
        on = true;
        break;
      case HeaderShown::kCylinders2:
        on = cylinders_ > 1;
        break;
      case HeaderShown::kCylinders3:
        on = cylinders_ > 2;
        break;
      case HeaderShown::kCylinders4:
        on = cylinders_ > 3;
        break;
      case HeaderShown::kOneChannel:
        on = one_channel_;
        break;
      case HeaderShown::kServoShown:
        on = servo_shown;
        break;
      case HeaderShown::kStepMotorShown:
        on = servo_shown && image_.Byte(kStepMotorOffset) != 0;
        break;
    }
    const auto e = static_cast<std::size_t>(entry.field);
    shown[e] = on;
    c.SetGeometry(h_.header_fields[e], entry.x, geo::kHeaderY, kHeaderFieldWidth, geo::kCellHeight);
  }
  for (std::size_t e = 0; e < shown.size(); ++e) c.SetVisible(h_.header_fields[e], shown[e]);

  std::array<bool, kHeaderLabelCount> labelled{};
  for (const HeaderLabelEntry& entry : kHeaderLabels) {
    if (entry.page != page) continue;
    const auto l = static_cast<std::size_t>(entry.label);
    labelled[l] = shown[static_cast<std::size_t>(entry.anchor_field)];
    c.SetText(h_.header_labels[l], texts_.*entry.text);
    c.SetGeometry(h_.header_labels[l], entry.x, geo::kHeaderY + 4, entry.width, 13);
  }
  for (std::size_t l = 0; l < labelled.size(); ++l) {
    c.SetVisible(h_.header_labels[l], labelled[l]);
  }
}

void MapEditor::LayoutServoControls(int page) {
  ControlSet& c = controls_;
  const bool intake = page == MapInfo(MapId::kIntakeServo).page;
  const bool servo = intake || page == MapInfo(MapId::kExhaustServo).page;
  const bool grid_shown = layout_ != GridLayout::kHidden;
  c.SetVisible(h_.servo_enable, servo);
  c.SetVisible(h_.percent, servo && grid_shown);
  c.SetVisible(h_.servo_mode, servo && grid_shown);
  c.SetVisible(h_.step_motor, intake && grid_shown);
  c.SetEnabled(h_.step_motor, image_.Byte(kBikeCodeOffset) != kStepMotorForbiddenBike);
}

void MapEditor::UpdateModeControls() {
  const unsigned mode = image_.Byte(kJetCouplingModeOffset);
  const std::array<std::pair<std::string_view, bool>, 3> checks{{
      {"Menu_Jet123Normal", mode != kModeCoupled && mode != kModeAllEqual},
      {"Menu_Jet123Coupled", mode == kModeCoupled},
      {"Menu_Jet123Stejny", mode == kModeAllEqual},
  }};
  for (const auto& [name, checked] : checks) {
    if (const std::optional<ControlHandle> h = controls_.Find(name)) {
      controls_.SetChecked(*h, checked);
    }
  }
  if (!created_) return;
  const unsigned config = image_.Byte(kEngineConfigOffset);
  const bool all_equal = mode == kModeAllEqual;
  const bool show_2a = !all_equal && !one_channel_;
  const bool show_3a_4a = show_2a && !TwoChannelConfig(config);
  controls_.SetVisible(h_.tabs[static_cast<std::size_t>(MapId::kInj2A)], show_2a);
  controls_.SetVisible(h_.tabs[static_cast<std::size_t>(MapId::kInj3A)], show_3a_4a);
  controls_.SetVisible(h_.tabs[static_cast<std::size_t>(MapId::kInj4A)], show_3a_4a);
}

}  // namespace korvan
