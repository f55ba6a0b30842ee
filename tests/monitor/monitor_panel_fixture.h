#pragma once

// The live panel as the station shows it: its controls made, the placeholders on, a frame decoded
// as the station decodes it and drawn.

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

#include "base/control_set.h"
#include "monitor/live_values.h"
#include "monitor/monitor_controls.h"
#include "monitor/monitor_frame.h"
#include "monitor/monitor_panel.h"
#include "monitor/monitor_texts.h"
#include "monitor_frame_builder.h"

namespace korvan {

constexpr int kEnglish = 0;
constexpr int kGerman = 1;

class MonitorPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    presenter_.CreateControls(controls_);
    presenter_.ShowPlaceholders(kEnglish);
    inputs_.cylinders = 4;
    inputs_.ignition_limiter = 120;
  }

  // Decodes a frame as the station does and shows it.
  void Show(const MonitorFrameBuilder& builder) {
    const LinkFrame frame = builder.Frame();
    ASSERT_TRUE(DecodeMonitorFrame(std::span<const std::uint8_t>(frame),
                                   MonitorInputs{inputs_.cylinders, inputs_.ignition_limiter},
                                   live_));
    presenter_.Update(live_, inputs_);
  }
  void Show(const LiveValues& live) { presenter_.Update(live, inputs_); }

  const Control& Get(const char* name) const { return controls_.Get(controls_.Handle(name)); }
  const std::string& Text(const char* name) const { return Get(name).text; }
  std::uint32_t Color(const char* name) const { return Get(name).color; }
  bool Visible(const char* name) const { return Get(name).visible; }

  ControlSet controls_;
  MonitorPresenter presenter_;
  PresentationInputs inputs_;
  LiveValues live_;
};

inline LiveValues WithFrame() {
  LiveValues live;
  live.has_frame = true;
  live.unit_version = kMonitorVersion;
  live.coolant_code = 180;
  live.air_code = 120;
  live.supply_mv = 13000;
  live.intake_servo_ok = true;
  live.exhaust_servo_ok = true;
  return live;
}

}  // namespace korvan
