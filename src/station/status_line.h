#pragma once

#include <cstdint>
#include <string>

#include "base/control_set.h"
#include "link/transfer_session.h"
#include "station/main_controls.h"
#include "station/source_file.h"
#include "texts/messages.h"

namespace korvan {

// The status line and its companions (the transfer gauge, "No connection", the version label).
// Mostly the session speaks there; the station has texts of its own: a notice (saved settings it
// could not read, a damaged file, a journal it cannot write) in red, and the print line (the
// stamp of a printout, where the PDF went). Either lasts its ticks unless the session says
// something newer first.
class StatusLine {
 public:
  StatusLine(ControlSet& controls, TransferSession& session, const MainControls& ui,
             const SourceFile& source, const Language& language)
      : controls_(controls), session_(session), ui_(ui), source_(source), language_(language) {}

  void Show();
  // Hidden in the session too, or the next tick would show its last text again.
  void Hide();
  // One tick of the notice's and the print line's time.
  void Tick();
  // A notice shown from the next Show on.
  void SetNotice(MessageKey key);
  void ShowNotice(MessageKey key);
  bool has_notice() const { return notice_ != MessageKey::kNone; }
  void ShowPrintLine(std::string text, std::uint32_t color);
  void EndPrintLine() { print_line_.ticks = 0; }
  // A replay stands in for the unit: the line says where in the recording it is.
  void ShowReplayPosition(const std::string& text);

 private:
  // Draws the print line while it lasts; false when the status line is the session's again.
  bool DrawPrintLine();

  struct PrintLine {
    std::string text;
    std::uint32_t color = kDefaultColor;
    int ticks = 0;
    std::uint32_t session_serial = 0;
  };
  ControlSet& controls_;
  TransferSession& session_;
  const MainControls& ui_;
  const SourceFile& source_;
  const Language& language_;
  MessageKey notice_ = MessageKey::kNone;
  int notice_ticks_ = 0;
  PrintLine print_line_;
};

}  // namespace korvan
