#pragma once

#include <cstdint>

namespace korvan {

// Keys of the message table. The core reports by key; the shell turns a key into the text of the
// current language, so no layer below the shell ever holds a user-visible sentence.
enum class MessageKey : std::uint8_t {
  kNone,
  kMsgHelpFile,
  kMsgProgramError,
  kMsgVerifyError,
  kMsgReadError,
  kMsgProgramProgress,
  kMsgUnitVersionMismatch,
  kMsgVerifyProgress,
  kMsgReadProgress,
  kMsgSavingProgress,
  kMsgComOpenError,
  kMsgFileOpenError,
  kMsgAskDefaults,
  kMsgAskDefaultsPage,
  kMsgFileVersionMismatch,
  kMsgNoReading,
  kMsgNoConnection,        // the caption of LabelSpojeni
  kMsgHelpOpenError,       // the text before the help file's name; " !" follows it
  kMsgSettingsUnreadable,  // the settings file or image dump is there but could not be read
  kMsgReadCancelled,       // a user action ended a read before its last block
  kMsgWrongProgramBike,    // the image's bike code is none this station knows
  kMsgMemoCharacter,       // the memo cannot keep a character; the character follows
  kMsgMemoTooLong,         // the memo holds more than its 149 characters
  kMsgNeedIntakeServo,     // the idle page's conflicts with the intake servo
  kMsgNeedNoIntakeServo,
  kMsgDesiredRpm,  // the idle page's target table captions
  kMsgServoStartPosition,
  kMsgServoTpsMinSteps,
  kMsgPrintDate,     // the stamp on a printout; the date and time follow
  kMsgPrintedToPdf,  // no printer: where the page's PDF file was written; the path follows
  kMsgPrintFailed,   // the printer or the PDF file refused the page; the reason follows
  kMsgBatchResults,       // Compare All New is done; the report's path follows in quotes
  kMsgBatchReportError,   // the report of Compare All New could not be written; its path follows
  // The datalog: recording, replay, plot, fast live data.
  kMsgLogNotARecording,  // the file is no recording of this station
  kMsgLogNewerFormat,    // a recording of a later station version
  kMsgLogTooLarge,
  kMsgLogWriteFailed,    // the recording could not be created or written; the path follows
  kMsgLogTornRecord,     // the last record was cut off and is skipped
  kMsgLogDamagedRecords, // records failing their check byte were skipped; the count follows
  kMsgLogMenu,
  kMsgLogStartRecording,
  kMsgLogStopRecording,
  kMsgLogFolder,  // the logs folder's caption in the menu; the folder follows
  kMsgLogReplay,
  kMsgLogStopReplay,
  kMsgLogExportCsv,
  kMsgLogPlot,
  kMsgLogFastLiveData,
  kMsgLogReplaying,  // the status line while replaying; the file name follows
  kMsgLogBusy,       // a replay cannot start while a transfer runs
  kMsgLogPlay,
  kMsgLogPause,
  kMsgLogStep,
  kMsgLogEmpty,  // a recording without a single complete frame
  // Why a port could not be opened, shown after kMsgComOpenError.
  kMsgComMissing,
  kMsgComPermissionDenied,
  kMsgComBusy,
};

}  // namespace korvan
