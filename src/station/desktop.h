#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "texts/messages.h"

namespace korvan {

// The date and time now, each as the user's system writes it (short date, time with seconds).
struct LocalDateTime {
  std::string date;
  std::string time;
};

// Where a printed page went.
struct PrintOutcome {
  enum class Kind { kPrinter, kPdfFile, kFailed };
  Kind kind = Kind::kPrinter;
  std::string detail;  // kPdfFile: the file's path; kFailed: why, for the user
};

// The list of changes set aside, as the user chooses among them: its rows and, in the user's
// language, its title and buttons.
struct AsideList {
  std::string title;
  std::string restore, remove, close;
  std::vector<std::string> rows;
};
struct AsideChoice {
  enum class Action { kRestore, kDelete };
  Action action = Action::kRestore;
  int row = 0;
};

// Everything the station asks of the desktop around it: message boxes, file choosers, opening a
// document, printing. The window implements it with real dialogs; tests with a scripted fake.
class Desktop {
 public:
  enum class Answer { kYes, kNo, kCancel };

  virtual ~Desktop() = default;
  virtual void ShowMessage(std::string_view text) = 0;
  // A message about something wrong that the user should look at (a damaged file): shown with
  // a warning's icon where the desktop has one.
  virtual void ShowWarning(std::string_view text) { ShowMessage(text); }
  // A confirmation with Yes, No and Cancel.
  virtual Answer AskYesNoCancel(std::string_view text) = 0;
  // A question with Yes and No only; a desktop without such a box asks with Cancel as well.
  virtual Answer AskYesNo(std::string_view text) { return AskYesNoCancel(text); }
  // filter: "Text|*.ext|Text|*.*"; initial: the file name the dialog starts with.
  virtual std::optional<std::string> ChooseOpenPath(std::string_view filter,
                                                    std::string_view initial) = 0;
  // Asks before overwriting an existing file.
  virtual std::optional<std::string> ChooseSavePath(std::string_view filter,
                                                    std::string_view initial) = 0;
  // Opens a document with the desktop's viewer; false when that failed.
  virtual bool OpenDocument(std::string_view path) = 0;
  // A message about a file, with an extra button (open_folder is its caption) that opens the
  // file's folder; true when the user chose that button. A desktop without such a box shows the
  // message alone.
  virtual bool AskOpenFolder(std::string_view text, std::string_view open_folder) {
    (void)open_folder;
    ShowMessage(text);
    return false;
  }
  // Prints the window as its controls show it now, scaled to fit the page: on the default
  // printer, or into a PDF file when the system has no printer.
  virtual PrintOutcome PrintActivePage() = 0;
  virtual LocalDateTime Now() {
    const std::time_t now = std::time(nullptr);
    // One thread runs the station: localtime's shared buffer is safe here.
    const std::tm* local = std::localtime(&now);
    char date[64] = "", time[64] = "";
    if (local != nullptr) {
      std::strftime(date, sizeof date, "%x", local);
      std::strftime(time, sizeof time, "%X", local);
    }
    return {date, time};
  }
  // The list of changes set aside; nothing when the user closed it.
  virtual std::optional<AsideChoice> ChooseAside(const AsideList& /*list*/) { return std::nullopt; }
  // The window closes (Exit); the station has already run its shut-down.
  virtual void CloseWindow() {}
  // The About box, modal; its caption follows the language.
  virtual void ShowAbout(Language /*language*/) {}
  // The difference view, modeless; with_unit: it opens on the unit's set against the working set
  // (the unit was just read beside it), otherwise on what it showed last.
  virtual void ShowDifferences(bool /*with_unit*/) {}
  // Opens (or raises) the map in 3D.
  virtual void ShowMapSurface() {}
  // The system clipboard's text, and text put there (the map cells as spreadsheets copy them).
  virtual std::string ClipboardText() { return {}; }
  virtual void SetClipboardText(std::string_view /*text*/) {}
  // Asks for a number with `label`, offering `value`, within [min, max] with `decimals` places;
  // nothing when the user cancels.
  virtual std::optional<double> AskNumber(std::string_view /*title*/, std::string_view /*label*/,
                                          double /*value*/, double /*min*/, double /*max*/,
                                          int /*decimals*/) {
    return std::nullopt;
  }
};

}  // namespace korvan
