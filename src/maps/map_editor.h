#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/control_set.h"
#include "image/map_storage.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "image/word_map_state.h"
#include "maps/grid_layout.h"
#include "maps/map_operations.h"
#include "maps/map_selection.h"
#include "maps/map_texts.h"
#include "model/base_tables.h"
#include "monitor/live_values.h"

namespace korvan {

// The "All" flags of the pages, one per page index (kept with the image dump between runs).
using AllFlags = std::array<std::uint8_t, kPageCount>;

// The nine map pages on their one shared grid: scatter (image -> controls), gather (controls ->
// image), layout (what is visible, enabled, captioned), the editing tools and the injection
// channel modes. It owns the grid's controls (created once in the station's ControlSet), the
// percent and base-time arrays of the word maps, the "All" flags, the time view and the cell
// selection of each map page.
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
  // `live_cell` is the cell at the engine's operating point, if any. Minus and Plus step the
  // page's selection when it has one (its cells the page lets the user edit), else every cell
  // with "All" or the live cell without.
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

  // --- Many cells at once (map_editor_cells.cc) ---------------------------------------------
  // The selection of a map page, one per page, kept through refreshes, page changes, edits and
  // undo. A page that is not a map page has none: the call gets an empty one that nothing keeps.
  MapSelection& selection(int page);
  const MapSelection& selection(int page) const;
  // The cells of a page a value can be typed into now: those its layout offers and enables (row
  // 9 alone on a speed-only page, column 0 on a throttle-only servo page, none while Inj-2A..4A
  // follow Inj-1A or a servo is off). Every operation acts on the selection's editable cells.
  CellMask EditableCells(int page) const;
  // The cells a page shows at all, editable or not.
  CellMask ShownCells(int page) const;
  // How a page's cells show: the range and step of a value in shown units (the time view's range
  // is that of the whole word; each cell holds at most its base time x 10) and the digits after
  // the point.
  struct CellScale {
    double min = 0;
    double max = 0;
    double step = 1;
    int decimals = 0;
  };
  CellScale ShownScale(int page) const;
  // What each cell of a page shows now: degrees (Advance), percent (Inj-B; the injection maps,
  // limited to 1000 as their fields are), milliseconds in the time view, servo percent or mV.
  ShownGrid ShownValues(int page);
  // The positions of a page's rows (throttle %, or the IAP map's pressures) and columns (rpm).
  GridAxes Axes(int page) const;
  // Stores `wanted` into the cells of `cells` that are editable, each as if the value had been
  // typed into it: limited to the cell's range and stored as the nearest value the cell holds
  // (whole degrees and percent, servo steps, in the time view the nearest microsecond); Inj-1A's
  // coupled channels follow by the change in percent of each cell, all-equal channels are copied.
  // Returns whether the image may have changed: the caller runs the rest of the edit cycle.
  bool StoreShownValues(int page, const CellMask& cells, const ShownGrid& wanted);
  // An operation on the page's selection; false when no selected cell is editable.
  bool ApplyToSelection(int page, const MapOperation& operation);
  // Ctrl+C: the selected cells the page shows, as a spreadsheet copies a block (their bounds, a
  // cell not selected left empty); "" while nothing is selected.
  std::string SelectionText(int page);
  // Ctrl+V: a spreadsheet's block written from the selection's top-left cell (the anchor while
  // nothing is selected). Nothing is stored unless every number of the block lands on an
  // editable cell; an empty cell of the block leaves its map cell alone. After a paste the
  // pasted block is the selection.
  struct PasteResult {
    enum class Status {
      kPasted,
      kNotEditable,  // the page takes no typed value now (nothing to say: its fields are grey)
      kEmpty,        // no number in the text
      kNotANumber,   // `row`, `column` (of the block, from 1) hold `text`
      kDoesNotFit,   // `row`, `column` (of the map, from 1) are where the block would start
    };
    Status status = Status::kPasted;
    int rows = 0;  // the block's size
    int columns = 0;
    int row = 0;
    int column = 0;
    std::string text;
  };
  PasteResult PasteText(int page, std::string_view text);

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
  std::array<MapSelection, kMapCount> selections_{};
  MapSelection no_selection_;
};

}  // namespace korvan
