// The "Servis" menu (test mode): the default set of every bike into its own file, and those files
// compared with the generation before them. Neither changes the set on display.
#include <string>

#include "files/service_batch.h"
#include "station/station.h"

namespace korvan {

void Station::MenuSaveAllNewClick() {
  // Every set is built on a working copy of the image and of the default set's companions, so
  // the set on display, the page, the changed blocks and the undo history stay exactly as they
  // were: the batch is no edit.
  ParameterImage work = image_;
  BikeModelState bike = bike_;
  WordMapState word_maps = maps_.word_maps();
  const SaveAllNewResult result = SaveAllNew(paths_.batch_new_dir, work, bike, word_maps);
  // A folder that cannot be made fails every file for one reason: said once, naming the folder,
  // rather than in fifty boxes.
  if (result.directory_error) {
    desktop_.ShowMessage(std::string(Text(MessageKey::kMsgFileOpenError)) + " \"" +
                         paths_.batch_new_dir + "\"");
    return;
  }
  // One message per file not written, as each bike is tried; the others are still written.
  for (const BatchFileWrite& file : result.files) {
    if (!file.write.ok()) desktop_.ShowMessage(Text(MessageKey::kMsgFileOpenError));
  }
}

void Station::MenuCompareAllClick() {
  const CompareAllNewResult result = CompareAllNew(paths_.batch_new_dir, paths_.batch_old_dir);
  const std::string quoted_path = "\"" + result.report.generic_string() + "\"";
  const MessageKey key =
      result.ok() ? MessageKey::kMsgBatchResults : MessageKey::kMsgBatchReportError;
  desktop_.ShowMessage(std::string(Text(key)) + quoted_path);
}

}  // namespace korvan
