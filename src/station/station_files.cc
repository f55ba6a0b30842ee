// The station's files: a new set from the defaults, a parameter file opened or saved, and the
// help document.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/parameter_file.h"
#include "files/safe_file.h"
#include "model/bike_list.h"
#include "station/station.h"

namespace korvan {
namespace {

constexpr char kOpenFilter[] = "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*";
constexpr char kSaveFilter[] = "Ignition Parametrs(*.ign)|*.ign";

}  // namespace

// Asks "Do you want default setting?" and loads the default set on Yes; returns the answer.
Desktop::Answer Station::NewSet(bool page_only) {
  if (controls_.Value(pages_.bike().combo()) >= kBikeListSeparator) return Desktop::Answer::kNo;
  const MessageKey ask = page_only ? MessageKey::kMsgAskDefaultsPage : MessageKey::kMsgAskDefaults;
  const Desktop::Answer answer = desktop_.AskYesNoCancel(Text(ask));
  if (answer != Desktop::Answer::kYes) return answer;
  const bool read_ended = EndReadForUserAction();
  page_only_ = page_only;
  ApplyDefaults(image_, page_only);
  maps_.RefreshPercentArrays();
  HideStatusLineUnless(read_ended);
  source_.Show("");
  CommitEdit();
  return answer;
}

void Station::OpenFile(bool page_only) {
  const std::optional<std::string> path = desktop_.ChooseOpenPath(kOpenFilter, last_path_);
  bool read_ended = false;
  if (path) {
    read_ended = EndReadForUserAction();
    page_only_ = page_only;
    ParameterFileReadOptions options;
    options.page_only = page_only;
    options.page_on_display = active_page_;
    options.apply_defaults = [this](ParameterImage& image) { ApplyDefaults(image, page_only_); };
    const ParameterFileReadResult result = OpenParameterFile(*path, image_, options);
    if (result.ok()) {
      maps_.RefreshPercentArrays();
      // Named before the commit, so that the journal's record carries the file's name and
      // programming after change asks first when the file was damaged.
      source_.Show(*path, result.damaged() ? result.incomplete : std::vector<ParameterSection>{});
      CommitEdit();
      last_path_ = *path;
    } else {
      std::string text(Text(result.message));
      if (result.reason != MessageKey::kNone) text += "\n" + std::string(Text(result.reason));
      desktop_.ShowMessage(text);
    }
  }
  HideStatusLineUnless(read_ended);
  // Said where a transfer result would be, and kept on the file label.
  if (path && !source_.damage().empty() && source_.path() == *path) {
    status_.ShowNotice(MessageKey::kMsgFileDamaged);
  }
}

void Station::MenuSaveClick() {
  const std::optional<std::string> path = desktop_.ChooseSavePath(kSaveFilter, last_path_);
  if (!path) return;
  // The file holds what the user sees, values typed into the page included, and never the blocks
  // of a read under way.
  EndReadForUserAction();
  GatherCheckRefresh();
  const FileWriteResult written = SaveParameterFile(*path, image_);
  if (!written.ok()) {
    // Nothing is lost: the set, its name and the journal stay as they were.
    std::string text(Text(MessageKey::kMsgFileOpenError));
    if (const MessageKey reason = WriteFailureReason(written); reason != MessageKey::kNone) {
      text += "\n" + std::string(Text(reason));
    }
    desktop_.ShowMessage(text);
    return;
  }
  // What the user saved is the set now; the file written holds every section whole.
  source_.Show(*path);
  last_path_ = *path;
  // Changes set aside at a start stay: only the user deletes them.
  journal_.SetSafe();
}

void Station::MenuContensClick() {
  const std::string name(Text(MessageKey::kMsgHelpFile));
  std::string path = paths_.program_dir + "/" + name;
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !paths_.data_dir.empty()) {
    path = paths_.data_dir + "/" + name;
  }
  if (desktop_.OpenDocument(path)) return;
  if (std::filesystem::exists(path, error)) {
    DocumentOpenFailed(path);
    return;
  }
  // Where the user can put the document, or see that the installation lacks it.
  std::string places = paths_.program_dir + "/" + name;
  if (!paths_.data_dir.empty()) places += "\n" + paths_.data_dir + "/" + name;
  desktop_.ShowMessage(std::string(Text(MessageKey::kMsgHelpOpenError)) + name + " !\n\n" +
                       std::string(Text(MessageKey::kMsgHelpDocumentMissing)) + "\n" + places);
}

// The desktop's viewer gave up on a help document after OpenDocument had started it.
void Station::DocumentOpenFailed(std::string_view path) {
  const std::string name = std::filesystem::path(path).filename().string();
  desktop_.ShowMessage(std::string(Text(MessageKey::kMsgHelpOpenError)) + name + " !\n\n" +
                       std::string(Text(MessageKey::kMsgHelpViewerFailed)) + "\n" +
                       std::string(path));
}

}  // namespace korvan
