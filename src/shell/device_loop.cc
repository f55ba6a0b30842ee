#include "shell/device_loop.h"

namespace korvan {

namespace {
constexpr int kIgnitionLimiterByte = 29;
}  // namespace

void DeviceLoop::Tick() {
  if (const std::optional<FrameView> frame = link_.PollLink()) {
    if ((*frame)[0] == kMonitorReply) {
      const MonitorInputs inputs{cylinders_, image_.Byte(kIgnitionLimiterByte)};
      if (DecodeMonitorFrame(*frame, inputs, live_)) {
        session_.ResetConnectionCounter();
        session_.SetSavingCount(live_.saving_countdown);
        host_.MonitorFrameDecoded();
      }
    } else {
      session_.HandleReply(*frame);
    }
  }
  session_.SessionTick();
}

}  // namespace korvan
