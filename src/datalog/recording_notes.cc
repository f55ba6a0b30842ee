#include "datalog/recording_notes.h"

#include "texts/messages.h"

namespace korvan {

std::string RecordingNotes(const Recording& recording, int language) {
  const auto lang = static_cast<Language>(language);
  std::string notes;
  if (recording.torn_tail) {
    notes += MessageText(MessageKey::kMsgLogTornRecord, lang);
    notes += '\n';
  }
  if (recording.damaged_records != 0) {
    notes += MessageText(MessageKey::kMsgLogDamagedRecords, lang);
    notes += std::to_string(recording.damaged_records) + '\n';
  }
  return notes;
}

}  // namespace korvan
