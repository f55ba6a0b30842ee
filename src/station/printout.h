#pragma once

#include <cstdint>
#include <vector>

#include "base/control_set.h"
#include "link/transfer_session.h"
#include "station/desktop.h"
#include "station/live_cursor.h"
#include "station/main_controls.h"
#include "station/status_line.h"
#include "texts/messages.h"

namespace korvan {

// Printing the page on display: the window as it shows the page, on white, with the editing
// adornments taken away and the time of printing on the status line; afterwards every control
// shows again what it showed before. The map cells' colour grades go onto paper only when the
// user prints them.
class Printout {
 public:
  Printout(ControlSet& controls, Desktop& desktop, TransferSession& session, StatusLine& status,
           const MainControls& ui, LiveCursor& cursor, const Language& language)
      : controls_(controls),
        desktop_(desktop),
        session_(session),
        status_(status),
        ui_(ui),
        cursor_(cursor),
        language_(language) {}

  // Prints the page and puts the window back as it was. `plain_cells`: the map cells go onto the
  // sheet as they show without colour grades (the live cursor's cell keeps its colour).
  PrintOutcome Print(int page, bool plain_cells);
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
    std::uint32_t font_color;
  };
  std::vector<ControlHandle> Adornments(int page) const;
  std::vector<Saved> EnterPrintMode(int page, bool plain_cells);
  void LeavePrintMode(const std::vector<Saved>& saved);

  ControlSet& controls_;
  Desktop& desktop_;
  TransferSession& session_;
  StatusLine& status_;
  const MainControls& ui_;
  LiveCursor& cursor_;
  const Language& language_;
};

}  // namespace korvan
