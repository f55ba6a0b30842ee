#pragma once

#include "datalog/frame_recorder.h"
#include "image/parameter_image.h"
#include "link/link.h"
#include "link/serial_port.h"
#include "link/transfer_session.h"
#include "monitor/live_values.h"
#include "monitor/monitor_frame.h"

namespace korvan {

// What the device loop asks of the program around it (the window, the command line, a test).
class DeviceHost : public LinkHost, public SessionHost {
 public:
  // A monitor frame was accepted and the live values hold it.
  virtual void MonitorFrameDecoded() {}
};

// The link, the transfer session and the live values, driven by one 55 ms tick: drain the line,
// hand a monitor frame to the decoder and anything else to the session, then run the session's
// step. The window and the command line drive this same object.
class DeviceLoop {
 public:
  DeviceLoop(ParameterImage& image, IdentityBlock& identity, DirtyBlockSet& dirty, SerialPort& port,
             DeviceHost& host)
      : image_(image),
        host_(host),
        link_(port, host),
        session_(image, identity, dirty, link_, host) {}

  void Tick();
  // Decodes a monitor frame into the live values and tells the host, as for a frame from the
  // unit, with the decoder's inputs taken from the image. False for a rejected frame.
  bool DecodeFrame(FrameView frame);
  // The same with inputs given: a replay decodes with those its recording began with.
  bool DecodeFrame(FrameView frame, const MonitorInputs& inputs);
  // Every monitor frame accepted from the unit is also written here while it records.
  void set_recorder(FrameRecorder* recorder) { recorder_ = recorder; }

  Link& link() { return link_; }
  const Link& link() const { return link_; }
  TransferSession& session() { return session_; }
  const TransferSession& session() const { return session_; }
  const LiveValues& live() const { return live_; }
  // Back to "no frame yet" (a replay starts and ends from there).
  void ClearLive() { live_ = LiveValues{}; }

 private:
  ParameterImage& image_;
  DeviceHost& host_;
  Link link_;
  TransferSession session_;
  LiveValues live_;
  FrameRecorder* recorder_ = nullptr;
};

}  // namespace korvan
