#pragma once

#include <cstdint>
#include <vector>

#include "base/control_set.h"
#include "link/transfer_session.h"
#include "station/desktop.h"
#include "station/main_controls.h"
#include "station/status_line.h"
#include "texts/messages.h"

namespace korvan {

// Printing the page on display: the window as it shows the page, on white, with the editing
// adornments taken away and the time of printing on the status line; afterwards every control
// shows again what it showed before.
class Printout {
 public:
  Printout(ControlSet& controls, Desktop& desktop, TransferSession& session, StatusLine& status,
           const MainControls& ui, const Language& language)
      : controls_(controls),
        desktop_(desktop),
        session_(session),
        status_(status),
        ui_(ui),
        language_(language) {}

  // Prints the page and puts the window back as it was.
  PrintOutcome Print(int page);
  // Says where the printout went, or why there is none.
  void Report(const PrintOutcome& outcome);

 private:
  // What print mode changed on one control, to be put back after.
  struct Saved {
    ControlHandle handle;
    bool visible;
    bool up_down_visible;
    bool enabled;
    std::uint32_t color;
  };
  std::vector<ControlHandle> Adornments(int page) const;
  std::vector<Saved> EnterPrintMode(int page);
  void LeavePrintMode(const std::vector<Saved>& saved);

  ControlSet& controls_;
  Desktop& desktop_;
  TransferSession& session_;
  StatusLine& status_;
  const MainControls& ui_;
  const Language& language_;
};

}  // namespace korvan
