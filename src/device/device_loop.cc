#include "device/device_loop.h"

namespace korvan {

void DeviceLoop::Tick() {
  if (const std::optional<FrameView> frame = link_.PollLink()) {
    if ((*frame)[0] == kMonitorReply) {
      if (DecodeFrame(*frame)) {
        session_.ResetConnectionCounter();
        session_.SetSavingCount(live_.saving_countdown);
        if (recorder_ != nullptr) recorder_->Record(*frame);
      }
    } else {
      session_.HandleReply(*frame);
    }
  }
  session_.SessionTick();
}

bool DeviceLoop::DecodeFrame(FrameView frame) {
  return DecodeFrame(frame, MonitorInputsOf(image_));
}

bool DeviceLoop::DecodeFrame(FrameView frame, const MonitorInputs& inputs) {
  if (!DecodeMonitorFrame(frame, inputs, live_)) return false;
  host_.MonitorFrameDecoded();
  return true;
}

}  // namespace korvan
