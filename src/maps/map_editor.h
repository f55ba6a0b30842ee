#pragma once

#include <cstdint>
#include <optional>

#include "base/control_set.h"
#include "image/base_tables.h"
#include "image/parameter_image.h"
#include "image/word_map_state.h"
#include "monitor/live_values.h"

namespace korvan {

inline constexpr int kStationPageCount = 19;
// The "All" flags of the pages, one per page index (kept with the image dump between runs).
using AllFlags = std::array<std::uint8_t, kStationPageCount>;

// The nine map pages on their one shared grid: scatter (image -> controls), gather (controls ->
// image), layout (what is visible, enabled, captioned), the editing tools and the injection
// channel modes. It owns the grid's controls (created once in the station's ControlSet), the
// percent and base-time arrays of the word maps, the "All" flags and the time view.
class MapEditor {
 public:
  MapEditor(ParameterImage& image, ControlSet& controls, const BaseTableSelection& base_tables)
      : image_(image), controls_(controls), base_tables_(base_tables) {}

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
  // The number of cylinders as last laid out from image byte 256 (the monitor averages over it).
  int cylinders() const { return cylinders_; }
  bool one_channel() const { return one_channel_; }
  void set_one_channel(bool one_channel) { one_channel_ = one_channel; }
  const WordMapState& word_maps() const { return word_maps_; }
  WordMapState& word_maps() { return word_maps_; }

 private:
  ParameterImage& image_;
  ControlSet& controls_;
  const BaseTableSelection& base_tables_;
  WordMapState word_maps_;
  AllFlags all_flags_{};
  int cylinders_ = 0;
  bool one_channel_ = false;
};

}  // namespace korvan
