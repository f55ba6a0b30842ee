#include "station/status_line.h"

#include <utility>

#include "device/device_texts.h"

namespace korvan {

void StatusLine::Show() {
  const SessionDisplay& d = session_.display();
  if (d.status_visible || notice_ticks_ == 0) notice_ = MessageKey::kNone;
  if (DrawPrintLine()) {
    // The stamp of the last printout stays until its ticks run out.
  } else if (notice_ != MessageKey::kNone) {
    std::string text(MessageText(notice_, language_));
    if (notice_ == MessageKey::kMsgFileDamaged) text += " " + source_.DamagedSectionList();
    controls_.SetText(ui_.label_hlaseni, text);
    controls_.SetColor(ui_.label_hlaseni, kColorRed);
    controls_.SetVisible(ui_.label_hlaseni, true);
  } else {
    controls_.SetText(ui_.label_hlaseni, StatusLineText(d, language_));
    controls_.SetColor(ui_.label_hlaseni, d.status_red ? kColorRed : kDefaultColor);
    controls_.SetVisible(ui_.label_hlaseni, d.status_visible);
  }
  controls_.SetValue(ui_.gauge, d.gauge);
  controls_.SetVisible(ui_.gauge, d.gauge_visible);
  controls_.SetVisible(ui_.label_spojeni, d.no_connection_visible);
  controls_.SetVisible(ui_.label_version, d.version_visible);
}

void StatusLine::Hide() {
  session_.HideStatus();
  print_line_.ticks = 0;
  notice_ = MessageKey::kNone;
  controls_.SetVisible(ui_.label_hlaseni, false);
  controls_.SetVisible(ui_.gauge, false);
}

void StatusLine::Tick() {
  if (notice_ticks_ > 0) --notice_ticks_;
  if (print_line_.ticks > 0) --print_line_.ticks;
}

void StatusLine::SetNotice(MessageKey key) {
  notice_ = key;
  notice_ticks_ = TransferSession::kStatusTicks;
}

void StatusLine::ShowNotice(MessageKey key) {
  SetNotice(key);
  Show();
}

void StatusLine::ShowPrintLine(std::string text, std::uint32_t color) {
  notice_ = MessageKey::kNone;
  print_line_ = {std::move(text), color, TransferSession::kStatusTicks, session_.status_serial()};
  DrawPrintLine();
}

bool StatusLine::DrawPrintLine() {
  if (print_line_.ticks > 0 && print_line_.session_serial != session_.status_serial()) {
    print_line_.ticks = 0;  // the session has said something newer
  }
  if (print_line_.ticks == 0) return false;
  controls_.SetText(ui_.label_hlaseni, print_line_.text);
  controls_.SetColor(ui_.label_hlaseni, print_line_.color);
  controls_.SetVisible(ui_.label_hlaseni, true);
  return true;
}

void StatusLine::ShowReplayPosition(const std::string& text) {
  controls_.SetText(ui_.label_hlaseni, text);
  controls_.SetColor(ui_.label_hlaseni, kDefaultColor);
  controls_.SetVisible(ui_.label_hlaseni, true);
  controls_.SetVisible(ui_.gauge, false);
  // Not asking the unit is no lost connection.
  controls_.SetVisible(ui_.label_spojeni, false);
  controls_.SetVisible(ui_.label_version, true);
}

}  // namespace korvan
