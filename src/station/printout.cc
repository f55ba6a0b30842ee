#include "station/printout.h"

#include <string>
#include <string_view>
#include <vector>

#include "image/map_storage.h"
#include "maps/header_fields.h"
#include "station/print_list.h"

namespace korvan {
namespace {

constexpr std::string_view kStampGap = "    ";

// Controls a printout leaves out: a field keeps its value and loses only its arrows; anything
// else goes. Names with a count stand for name0 .. name(count - 1), or from `first` on.
struct Adornment {
  std::string_view name;
  int count = 0;
  int first = 0;
};

constexpr Adornment kAdornments[] = {
    // The window's frame around the page: the status bar, the connection label and the tool bar's
    // buttons (the window has no logo, and no box around the tool bar to hide in one go).
    {"StatusBar1"},
    {"LabelSpojeni"},
    {"SpeedButton6"},
    {"SpeedButton5"},
    {"SpeedButton7"},
    {"SpeedButtonPrint"},
    {"SpeedButtonZpet"},
    {"SpeedButtonZnovu"},
    {"ButtonProgram"},
    {"ButtonVerify"},
    {"ButtonRead"},
    // The map grid's editing aids.
    {"UpDownMapRpm", kMapColumns},
    {"UpDownMapCell", kMapCells},
    {"CSpinButton", kMapColumns},
    {"CSpinButtonTools"},
    {"CheckBoxAll_Uni"},
    {"CheckBoxTps_Uni"},
    {"CheckBoxZobrMs_Uni"},
    {"MapHeaderE", kHeaderFieldCount},
    // The settings pages' arrows, spin buttons and tool boxes (every field of every page loses
    // its arrows as well, taken below).
    {"CSpinButtonPolohaA"},
    {"CSpinButtonPolohaB"},
    {"CheckBoxAll_PolohaA"},
    {"CheckBoxAll_PolohaB"},
    {"CheckBoxExtMonitor"},
    {"EditKorVodaJet", 5},
    {"EditKorVzduchJet", 5},
    {"UpDownStartJet"},
    {"UpDownAkcelPrah"},
    {"UpDownAkcelJet"},
    {"UpDownChlazeni"},
    {"UpDownSyticCas", 4, 1},
    {"UpDownSyticKorekce", 4},
    {"UpDownGas1"},
    {"UpDownGas2"},
    {"UpDownGasD"},
    {"UpDownGasT"},
    {"UpDownRetard1"},
    {"UpDownRetard2"},
    {"UpDownRetardD"},
    {"UpDownRetardT"},
    // The live panel's bars.
    {"CGaugeRpm"},
    {"CGaugeTps"},
    {"CGaugeLambda"},
    {"CGaugeVoda"},
};

// The folder part of a path as the desktop wrote it (either separator).
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

}  // namespace

std::vector<std::string> PrintAdornmentNames() {
  std::vector<std::string> names;
  for (const Adornment& a : kAdornments) {
    if (a.count == 0) {
      names.emplace_back(a.name);
      continue;
    }
    for (int i = a.first; i < a.first + a.count; ++i) {
      names.push_back(std::string(a.name) + std::to_string(i));
    }
  }
  return names;
}

std::vector<ControlHandle> Printout::Adornments(int page) const {
  std::vector<ControlHandle> out;
  for (const std::string& name : PrintAdornmentNames()) {
    if (const std::optional<ControlHandle> h = controls_.Find(name)) out.push_back(*h);
  }
  for (ControlHandle h = 0; h < controls_.size(); ++h) {
    const Control& c = controls_.Get(h);
    // No field on the sheet shows arrows, whichever page or panel it sits on, and no spin button
    // without a field stays on it.
    const bool field = c.kind == ControlKind::kSpin || c.kind == ControlKind::kSpinButton;
    // Only the page being printed keeps its tab.
    const bool other_tab = c.kind == ControlKind::kTab && c.page != page;
    if (field || other_tab) out.push_back(h);
  }
  return out;
}

std::vector<Printout::Saved> Printout::EnterPrintMode(int page, bool plain_cells) {
  std::vector<Saved> saved;
  const auto save = [&](ControlHandle h) {
    const Control& c = controls_.Get(h);
    saved.push_back({h, c.visible, c.up_down_visible, c.enabled, c.color, c.font_color});
  };
  if (plain_cells) {
    // The grades are for the screen unless the user prints them: the sheet shows the cells as
    // they always printed.
    for (const ControlHandle h : cursor_.cells()) save(h);
    for (const ControlHandle h : cursor_.value_labels()) save(h);
    cursor_.Paint(page, /*plain=*/true);
  }
  save(ui_.form);
  save(ui_.gauge);
  controls_.SetColor(ui_.form, kColorWhite);
  controls_.SetVisible(ui_.gauge, false);
  for (const ControlHandle h : Adornments(page)) {
    save(h);
    if (controls_.Get(h).kind == ControlKind::kSpin) {
      controls_.SetUpDownVisible(h, false);
      // A locked field (a coupled bank's map) is greyed on screen; on paper its value is printed
      // as plainly as any other.
      controls_.SetEnabled(h, true);
    } else {
      controls_.SetVisible(h, false);
    }
  }
  // The throttle rows' labels stand on white like the rest of the sheet.
  for (int row = 0; row < kMapRows; ++row) {
    if (const std::optional<ControlHandle> h =
            controls_.Find("MapRowLabel" + std::to_string(row))) {
      save(*h);
      controls_.SetColor(*h, kColorWhite);
    }
  }
  return saved;
}

void Printout::LeavePrintMode(const std::vector<Saved>& saved) {
  // Back to what each control showed before, not simply shown: what the page's own rules hid
  // (a coupled channel's tab, a field this bike has not) stays hidden.
  for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
    controls_.SetVisible(it->handle, it->visible);
    controls_.SetUpDownVisible(it->handle, it->up_down_visible);
    controls_.SetEnabled(it->handle, it->enabled);
    controls_.SetColor(it->handle, it->color);
    controls_.SetFontColor(it->handle, it->font_color);
  }
}

PrintOutcome Printout::Print(int page, bool plain_cells) {
  const std::vector<Saved> saved = EnterPrintMode(page, plain_cells);
  const LocalDateTime now = desktop_.Now();
  status_.ShowPrintLine(std::string(MessageText(MessageKey::kMsgPrintDate, language_)) + now.date +
                            std::string(kStampGap) + now.time,
                        kColorWhite);
  // The tick must not bring the connection label back onto the sheet.
  session_.SetPrinting(true);
  const PrintOutcome outcome = desktop_.PrintActivePage();
  session_.SetPrinting(false);
  LeavePrintMode(saved);
  return outcome;
}

void Printout::Report(const PrintOutcome& outcome) {
  switch (outcome.kind) {
    case PrintOutcome::Kind::kPrinter:
      break;
    case PrintOutcome::Kind::kPdfFile: {
      const std::string text =
          std::string(MessageText(MessageKey::kMsgPrintedToPdf, language_)) + outcome.detail;
      // The status line is too narrow for a whole path and clears itself; the message box keeps
      // it until it is read, and takes the user to the file.
      status_.ShowPrintLine(text, kDefaultColor);
      if (desktop_.AskOpenFolder(text, MessageText(MessageKey::kMsgOpenFolder, language_))) {
        desktop_.OpenDocument(FolderOf(outcome.detail));
      }
      break;
    }
    case PrintOutcome::Kind::kFailed:
      // Nothing was printed: the stamp goes, and a message box says why.
      status_.EndPrintLine();
      status_.Show();
      desktop_.ShowMessage(std::string(MessageText(MessageKey::kMsgPrintFailed, language_)) +
                           outcome.detail);
      break;
  }
}

}  // namespace korvan
