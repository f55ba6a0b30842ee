#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/messages.h"

namespace korvan {

// Everything the station asks of the desktop around it: message boxes, file choosers, opening a
// document, printing. The window implements it with real dialogs; tests with a scripted fake.
class Desktop {
 public:
  enum class Answer { kYes, kNo, kCancel };

  virtual ~Desktop() = default;
  virtual void ShowMessage(std::string_view text) = 0;
  // A confirmation with Yes, No and Cancel.
  virtual Answer AskYesNoCancel(std::string_view text) = 0;
  // filter: "Text|*.ext|Text|*.*"; initial: the file name the dialog starts with.
  virtual std::optional<std::string> ChooseOpenPath(std::string_view filter,
                                                    std::string_view initial) = 0;
  // Asks before overwriting an existing file.
  virtual std::optional<std::string> ChooseSavePath(std::string_view filter,
                                                    std::string_view initial) = 0;
  // Opens a document with the desktop's viewer; false when that failed.
  virtual bool OpenDocument(std::string_view path) = 0;
  virtual void PrintActivePage() = 0;
  // The window closes (Exit); the station has already run its shut-down.
  virtual void CloseWindow() {}
  // The About box, modal; its caption follows the language.
  virtual void ShowAbout(Language /*language*/) {}
};

}  // namespace korvan
