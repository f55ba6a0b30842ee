#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/control_set.h"
#include "device/device_loop.h"
#include "image/consistency.h"
#include "image/parameter_image.h"
#include "maps/map_editor.h"
#include "maps/undo_history.h"
#include "model/default_set.h"
#include "monitor/monitor_panel.h"
#include "pages/settings_pages.h"
#include "station/desktop.h"
#include "station/main_controls.h"
#include "station/source_file.h"
#include "station/station_paths.h"
#include "station/status_line.h"
#include "texts/messages.h"

namespace korvan {

// What the station holds and its parts share: the parameter image, the identity, the dirty
// blocks, every control of the main window, the device loop with the live values, the map editor,
// the settings pages, the live panel, the undo history, the language and the page on display,
// with the status line and the file label. Station (station.h) acts on it; the accessors are for
// the window's views and the tests.
class StationState {
 public:
  StationState(SerialPort& port, Desktop& desktop, StationPaths paths, DeviceHost& host);

  ParameterImage& image() { return image_; }
  const ParameterImage& image() const { return image_; }
  const IdentityBlock& identity() const { return identity_; }
  DirtyBlockSet& dirty() { return dirty_; }
  ControlSet& controls() { return controls_; }
  const ControlSet& controls() const { return controls_; }
  DeviceLoop& device() { return device_; }
  TransferSession& session() { return device_.session(); }
  const LiveValues& live() const { return device_.live(); }
  const IdentityTexts& identity_texts() const { return device_.session().identity_texts(); }
  MapEditor& maps() { return maps_; }
  SettingsPages& pages() { return pages_; }
  const UndoHistory& undo() const { return undo_; }
  int active_page() const { return active_page_; }
  Language language() const { return language_; }
  bool test_mode() const { return test_mode_; }
  const std::string& file_label() const { return controls_.Text(ui_.label_file2); }
  // The sections an incomplete or damaged file left short, when the set comes from one.
  const std::vector<ParameterSection>& file_damage() const { return source_.damage(); }
  const std::string& last_path() const { return last_path_; }
  const StationPaths& paths() const { return paths_; }
  using WindowGeometry = korvan::WindowGeometry;
  WindowGeometry& window_geometry() { return window_; }

 protected:
  // The consistency rules over the image and the two station settings they keep valid.
  ConsistencyResult ApplyRules();
  // A user action that changes the image ends a read under way first: the image stays the set
  // the user was editing, and the status line says the read did not complete.
  bool EndReadForUserAction();
  // A file or a new set hides the status line, unless it has to say that a read was ended.
  void HideStatusLineUnless(bool read_ended);
  // The page's fields on show into the image as they show; true when any byte was stored.
  bool StoreShownValues();
  // "Programming after change" and "No Reading" are red while checked.
  void PaintOptionBoxes();
  void UpdateUndoControls();
  PresentationInputs MonitorInputsNow() const;
  void ShowPageMessages(const PageMessages& messages);
  std::string_view Text(MessageKey key) const { return MessageText(key, language_); }
  void ApplyDefaults(ParameterImage& image, bool page_only);
  // Every caption in the current language.
  void LoadTexts();
  // What the station keeps between runs: the settings file and the image dump
  // (station_settings.cc).
  void LoadSettings();
  void SaveSettings();
  // The tuning page's tab and its menu item's check.
  void ShowTuningPage(bool shown);

  Desktop& desktop_;
  StationPaths paths_;
  ParameterImage image_;
  IdentityBlock identity_;
  DirtyBlockSet dirty_;
  ControlSet controls_;
  DeviceLoop device_;
  BikeModelState bike_;
  MapEditor maps_;
  MonitorPresenter monitor_;
  SettingsPages pages_;
  UndoHistory undo_;
  Language language_ = Language::kEnglish;
  int active_page_ = kPageBike;
  bool test_mode_ = false;
  bool page_only_ = false;
  // A setting the station keeps for the monitor page ("Detailed representation").
  bool ext_monitor_ = false;
  // The map cells coloured by their values, and the colours on the printout too (kept in the
  // settings file).
  bool cell_grades_ = false;
  bool print_grades_ = false;
  std::string last_path_;
  WindowGeometry window_;
  MainControls ui_;
  SourceFile source_{controls_, desktop_, ui_, language_};
  StatusLine status_{controls_, device_.session(), ui_, source_, language_};
};

}  // namespace korvan
