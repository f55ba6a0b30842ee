#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "base/control_set.h"
#include "image/consistency.h"
#include "image/map_storage.h"
#include "maps/map_editor.h"
#include "model/default_set.h"

namespace korvan {

inline constexpr int kAdvance = 1;
inline constexpr int kInj1A = 2;
inline constexpr int kInj2A = 3;
inline constexpr int kInj3A = 4;
inline constexpr int kInj4A = 5;
inline constexpr int kInjB = 6;
inline constexpr int kInjIap = 7;
inline constexpr int kIntakeServo = 11;
inline constexpr int kExhaustServo = 12;

inline std::string Cell(int cell) { return "MapCell" + std::to_string(cell); }
inline std::string Rpm(int column) { return "MapRpm" + std::to_string(column); }

// The station as far as the map pages see it: an image with the default set of bike 11, the
// controls, the bike's base tables and the editor.
class MapEditorTest : public ::testing::Test {
 protected:
  MapEditorTest() : editor_(image_, controls_) {
    image_.SetByte(kBikeCodeOffset, 11);
    ApplyDefaultSet(image_, false, 0, bike_, editor_.word_maps());
    ApplyConsistencyRules(image_, settings_);
    editor_.CreateControls();
  }

  ControlHandle H(std::string_view name) const { return controls_.Handle(name); }
  int Value(std::string_view name) const { return controls_.Value(H(name)); }
  bool Visible(std::string_view name) const { return controls_.Visible(H(name)); }
  bool Enabled(std::string_view name) const { return controls_.Get(H(name)).enabled; }
  bool Checked(std::string_view name) const { return controls_.Checked(H(name)); }

  void Show(int page) {
    page_ = page;
    editor_.Scatter(page);
  }
  // The tail of every edit: consistency rules, then the active page scattered twice.
  void Commit() {
    ApplyConsistencyRules(image_, settings_);
    editor_.Scatter(page_);
    editor_.Scatter(page_);
  }
  // A user edit of one field: its value, then gather and the tail of the cycle.
  void Edit(std::string_view name, int value) {
    controls_.SetValue(H(name), value);
    editor_.Gather(page_);
    Commit();
  }
  void Check(std::string_view name, bool checked) {
    controls_.SetChecked(H(name), checked);
    editor_.Gather(page_);
    editor_.Layout(page_);
    Commit();
  }

  unsigned Word(MapId map, int cell) const { return image_.Word(CellOffset(map, cell)); }
  unsigned Base(WordMap map, int cell) const {
    return editor_.word_maps().BaseTime(map)[static_cast<std::size_t>(cell)];
  }
  unsigned Percent(WordMap map, int cell) const {
    return editor_.word_maps().Percent(map)[static_cast<std::size_t>(cell)];
  }
  // The percentage a cell of a word map shows from its stored time, with the current base times.
  int StoredPercent(WordMap map, int cell) const {
    return PercentFromWord(Word(MapOfWordMap(map), cell), Base(map, cell));
  }
  void SetPercent(WordMap map, int cell, int percent) {
    image_.SetWord(CellOffset(MapOfWordMap(map), cell), WordFromPercent(percent, Base(map, cell)));
  }

  ParameterImage image_;
  ControlSet controls_;
  BikeModelState bike_;
  StationSettings settings_{0, 0};
  MapEditor editor_;
  int page_ = kAdvance;
};

}  // namespace korvan
