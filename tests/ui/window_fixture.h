#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QSpinBox>
#include <filesystem>
#include <memory>

#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"
#include "ui/main_window.h"

namespace korvan::ui {

// The real window, offscreen, against an emulated unit in memory; the test drives the ticks.
class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("korvan_window_" + std::to_string(getpid()) + "_" + std::to_string(counter_++));
    std::filesystem::create_directories(dir_);
    StationPaths paths;
    paths.settings_file = (dir_ / "settings").string();
    paths.image_dump = (dir_ / "dump").string();
    paths.test_marker = (dir_ / "marker").string();
    paths.program_dir = dir_.string();
    paths.device_root = device_root_;
    paths.journal = journal_;
    window_ =
        std::make_unique<MainWindow>(port_, paths, std::vector<std::string>{}, device_override_);
    window_->StopTimer();
    window_->show();
    // The offscreen screen is small; the tests click where the designed layout puts things.
    if (full_size_) window_->resize(window_->DesignedSize());
    QApplication::processEvents();  // the size reaches the layout
    // Shortcuts and focus changes reach only the active window.
    QApplication::setActiveWindow(window_.get());
    window_->activateWindow();
  }
  void TearDown() override {
    window_.reset();
    std::filesystem::remove_all(dir_);
  }

  Station& station() { return window_->station(); }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      port_.AdvanceTick();
      window_->Tick();
    }
  }
  template <typename T = QWidget>
  T* Widget(const char* name) {
    return window_->findChild<T*>(QString::fromLatin1(name));
  }
  void ShowPage(int page) {
    station().PageControl1Change(page);
    window_->binder().Apply();
  }

  // What a derived fixture may set before SetUp: the run's device (--port, the demo's emulator),
  // the machine the Com menu looks at (none: plain port numbers), and whether the window is
  // opened as big as its design.
  std::string device_override_;
  std::string device_root_;
  bool full_size_ = true;
  // The journal of unsaved edits; empty: none is kept.
  std::string journal_;

  UnitEmulator unit_;
  MemoryUnitPort port_{unit_};
  std::unique_ptr<MainWindow> window_;
  std::filesystem::path dir_;
  static inline int counter_ = 0;
};

}  // namespace korvan::ui
