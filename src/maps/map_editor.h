#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/control_set.h"
#include "image/map_storage.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "image/word_map_state.h"
#include "maps/grid_layout.h"
#include "maps/map_texts.h"
#include "model/base_tables.h"
#include "monitor/live_values.h"

namespace korvan {

// The "All" flags of the pages, one per page index (kept with the image dump between runs).
using AllFlags = std::array<std::uint8_t, kPageCount>;

// The nine map pages on their one shared grid: scatter (image -> controls), gather (controls ->
// image), layout (what is visible, enabled, captioned), the editing tools and the injection
// channel modes. It owns the grid's controls (created once in the station's ControlSet), the
// percent and base-time arrays of the word maps, the "All" flags and the time view.
class MapEditor {
 public:
  MapEditor(ParameterImage& image, ControlSet& controls) : image_(image), controls_(controls) {}

  // Creates the nine map tabs (captions "Advance", "Inj-1A", ..., "Exhaust Servo", page indices
  // 1..7, 11, 12) and every control of the shared grid and its header.
  void CreateControls();

  static bool IsMapPage(int page);

  // Dispatcher entries for the active page (no effect on a page that is not a map page).
  void Scatter(int page);
  void Gather(int page);
  void Layout(int page);

  // Tools. Each returns whether the image may have changed, so that the caller runs the rest of
  // the cycle (consistency rules, two scatters, change recorder); false means "stop at once".
  // `live_cell` is the cell at the engine's operating point, if any.
  struct LiveCell {
    int row;
    int column;
  };
  bool ToolStep(int page, int direction, std::optional<LiveCell> live_cell);  // -1 Minus, +1 Plus
  bool ColumnStep(int page, int column, int direction);
  // The servo pages' "Procent" check box (already toggled in the controls).
  void PercentSwitch(int page);
  // "Servo enable" and the servo mode radio group (already changed in the controls): store into
  // the image and lay the page out again.
  void ServoEnableChanged(int page);
  void ServoModeChanged(int page);

  // Channel modes: 0 "Normal", 1 "Coupled", 2 "1=2=3=4". May change the active page (all equal
  // on Inj-2A..4A makes Inj-1A active); the caller then scatters it and records the change.
  void SetCouplingMode(int mode, int& active_page);
  // Menu check marks of the modes and the tab visibility of Inj-2A..4A (after every layout).
  void UpdateModeControls();

  // Derives the percent arrays of every word map from the image (after a file, defaults, undo or
  // a read changed the image behind the pages' back).
  void RefreshPercentArrays();

  AllFlags& all_flags() { return all_flags_; }
  bool time_view() const;
  void set_time_view(bool on);
  // The number of cylinders as last laid out from image byte 256 (which columns show).
  int cylinders() const { return cylinders_; }
  bool one_channel() const { return one_channel_; }
  void set_one_channel(bool one_channel) { one_channel_ = one_channel; }
  const WordMapState& word_maps() const { return word_maps_; }
  WordMapState& word_maps() { return word_maps_; }

  // The grid's texts in the station's language (views of static strings); writes the captions at
  // once and the header labels at the next layout.
  void SetTexts(const MapTexts& texts);
  // The page the grid was last scattered onto (0 before the first scatter) and its layout.
  int grid_page() const { return grid_page_; }
  GridLayout layout() const { return layout_; }
  // A cell field or engine-speed field and its up-down are one control; in some layouts only one
  // of the two parts is shown (the control is visible when either is). These tell the parts.
  struct SpinParts {
    bool field = false;
    bool up_down = false;
  };
  SpinParts CellParts(int cell) const;
  SpinParts RpmParts(int column) const;

 private:
  struct Handles {
    std::array<ControlHandle, kMapCount> tabs{};
    ControlHandle line = 0;
    ControlHandle rpm_caption = 0;
    std::array<ControlHandle, kMapColumns> rpm{};
    std::array<ControlHandle, kMapCells> cells{};
    std::array<ControlHandle, kMapCells> value_labels{};
    ControlHandle row_caption = 0;
    std::array<ControlHandle, kMapRows> row_labels{};
    std::array<ControlHandle, kMapRows> row_axis{};
    std::array<ControlHandle, kMapColumns> column_spins{};
    ControlHandle tools_spin = 0;
    ControlHandle all = 0;
    ControlHandle tps = 0;
    ControlHandle time_view = 0;
    ControlHandle servo_enable = 0;
    ControlHandle percent = 0;
    ControlHandle step_motor = 0;
    ControlHandle servo_mode = 0;
    ControlHandle banner = 0;
    std::array<ControlHandle, 6> header_fields{};
    std::array<ControlHandle, 5> header_labels{};
  };

  void ApplyCaptions();
  void CopyInj1AOverChannels();
  void ComputeBaseTimesNow();
  void DerivePercent(WordMap map);
  void ScatterCells(MapId map);
  void ScatterHeader(int page);
  void ScatterServoControls(int page);
  void GatherAxis(MapId map);
  using BaseTimes = std::array<CellArray, kWordMapCount>;
  void GatherCells(MapId map, const BaseTimes& base_before);
  void GatherInj1ACells(const BaseTimes& base_before);
  void GatherHeader(int page);
  void GatherServoControls(int page);
  void ConvertServoUnits(int page, bool into_percent);
  void LayoutCells(int page, const LayoutParts& parts);
  void LayoutHeader(int page);
  void LayoutServoControls(int page);
  void WriteTimeLabels(MapId map);
  bool StepCells(int page, const std::array<bool, kMapCells>& targets, int direction);

  ParameterImage& image_;
  ControlSet& controls_;
  WordMapState word_maps_;
  AllFlags all_flags_{};
  int cylinders_ = 0;
  bool one_channel_ = false;
  bool created_ = false;
  bool time_view_ = false;  // until the "Ms" check box exists
  Handles h_;
  MapTexts texts_{};
  int grid_page_ = 0;
  GridLayout layout_ = GridLayout::kHidden;
  std::array<SpinParts, kMapCells> cell_parts_{};
  std::array<SpinParts, kMapColumns> rpm_parts_{};
};

}  // namespace korvan
