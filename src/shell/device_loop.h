#pragma once

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
      : image_(image), host_(host), link_(port, host), session_(image, identity, dirty, link_, host) {}

  void Tick();

  Link& link() { return link_; }
  TransferSession& session() { return session_; }
  const TransferSession& session() const { return session_; }
  const LiveValues& live() const { return live_; }
  // The number of cylinders the monitor averages over, as the map pages last laid it out.
  void set_cylinders(int cylinders) { cylinders_ = cylinders; }

 private:
  ParameterImage& image_;
  DeviceHost& host_;
  Link link_;
  TransferSession session_;
  LiveValues live_;
  int cylinders_ = 0;
};

}  // namespace korvan
