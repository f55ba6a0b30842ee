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
  kMsgMemoTooLong,         // the memo held more than its 149 characters and was cut
  kMsgNeedIntakeServo,     // the idle page's conflicts with the intake servo
  kMsgNeedNoIntakeServo,
  kMsgDesiredRpm,  // the idle page's target table captions
  kMsgServoStartPosition,
  kMsgServoTpsMinSteps,
  kMsgPrintDate,         // the stamp on a printout; the date and time follow
  kMsgPrintedToPdf,      // no printer: where the page's PDF file was written; the path follows
  kMsgPrintFailed,       // the printer or the PDF file refused the page; the reason follows
  kMsgBatchResults,      // Compare All New is done; the report's path follows in quotes
  kMsgBatchReportError,  // the report of Compare All New could not be written; its path follows
  // The datalog: recording, replay, plot, fast live data.
  kMsgLogNotARecording,  // the file is no recording of this station
  kMsgLogNewerFormat,    // a recording of a later station version
  kMsgLogTooLarge,
  kMsgLogWriteFailed,     // the recording could not be created or written; the path follows
  kMsgLogTornRecord,      // the last record was cut off and is skipped
  kMsgLogDamagedRecords,  // records failing their check byte were skipped; the count follows
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
  // The difference view: two sets compared field by field.
  kMsgDiffTitle,
  kMsgDiffUnit,        // the unit's set, read beside the working set
  kMsgDiffFile,        // a parameter file
  kMsgDiffWorkingSet,  // the set the window edits
  kMsgDiffReadUnit,    // button: read the unit for the comparison
  kMsgDiffTakeSelected,
  kMsgDiffAllPages,      // the page filter's first item
  kMsgDiffRawBytes,      // the group of bytes no field owns
  kMsgDiffCellsDiffer,   // summary: the count precedes it
  kMsgDiffValuesDiffer,  // summary: the count precedes it
  kMsgDiffLargest,       // summary: the largest change follows
  kMsgDiffRow,
  kMsgDiffColumn,
  kMsgDiffOffset,  // a raw byte: its offset follows
  kMsgDiffEqual,   // the two sets hold the same bytes
  kMsgDiffPage,    // column headings
  kMsgDiffField,
  kMsgDiffPlace,
  kMsgDiffUnitNotRead,   // the unit was not read yet (or its read failed)
  kMsgDiffCellDiffers,   // summary of a single cell
  kMsgDiffValueDiffers,  // summary of a single value
  // The restore offer at start; {count}, {first} and {last} are replaced by the number of changes
  // and the times of the first and the last one.
  kMsgJournalRestore,
  kMsgJournalWriteFailed,  // the journal of unsaved edits cannot be written; editing goes on
  // Why a port could not be opened, shown after kMsgComOpenError.
  kMsgComMissing,
  kMsgComPermissionDenied,
  kMsgComBusy,
  // The restore offer when the journal holds a single edit; {first} is its time.
  kMsgJournalRestoreOne,
  // The journal of unsaved changes, continued: a damaged journal, the changes set aside.
  kMsgJournalDamaged,       // a line under the restore offer: records were lost to damage
  kMsgJournalAside,         // the restore offer's last line: where declined changes go
  kMsgJournalAsideNone,     // File > set-aside changes, with none kept
  kMsgJournalAsideRow,      // one set in the list; {first}, {last}, {count}
  kMsgJournalAsideRestore,  // the list's buttons
  kMsgJournalAsideDelete,
  kMsgJournalAsideClose,
  kMsgJournalAsideDeleteAsk,  // {last}: the set's last change
  // The help document could not be shown; the document's path follows each.
  kMsgHelpViewerFailed,
  kMsgHelpDocumentMissing,
  // Files that must not reach the unit unnoticed, and files that are not files.
  kMsgFileDamaged,        // the set comes from an incomplete or damaged file; sections follow
  kMsgAskProgramDamaged,  // Program of such a set asks first; {sections} names them
  kMsgNotAFileFolder,     // what was picked instead of a file, shown after kMsgFileOpenError
  kMsgNotAFilePipe,
  kMsgNotAFileDevice,
  kMsgNotAFileOther,
  kMsgFolderReadOnly,  // a save failed because the folder takes no new file
  // A busy line's holder as its lock file names it; {process} is its number and program.
  kMsgComHeldBy,
  // A command's output names its input file (the same path, or a hard or symbolic link to it).
  kMsgOutputIsInput,
  // Beside the bike code in the difference list: taking it takes the bike's engine configuration
  // and constants with it.
  kMsgDiffWithBikeConstants,
  // A command that talks to the unit was asked for while a recording is replayed; {command} is
  // the command's name as its menu item shows it.
  kMsgLogStopReplayFor,
  kMsgLogFileExists,  // a recording is never written over an existing file; the path follows
  // The button beside a saved file's message that opens the folder it is in.
  kMsgOpenFolder,
  kMsgLogPlotTitle,   // the plot window's title; {file} is the recording's file name
  kMsgDiffGear,       // a value of a gear's row in the difference list; the gear follows
  kMsgDiffClose,      // the difference view's Close button
  kMsgDiffFileNamed,  // the file side once a file is chosen; the file's name follows
  // Why Take is greyed out: neither side, or both, is the working set.
  kMsgDiffTakeNeedsWorkingSet,
  // A recording that begins as this station's but whose header is no header of any station's:
  // damaged, not newer.
  kMsgLogDamagedHeader,
  // The CSV export is written; {frames} is how many frames, {path} the CSV file.
  kMsgLogExported,
  // The map in 3D: its window's title, its notes and its axes.
  kMsgMap3DTitle,
  kMsgMap3DNoOpenGl,  // the system offers no OpenGL
  kMsgMap3DNoMap,     // the page shown has no map
  kMsgMap3DTooFew,    // the page shows fewer than two rows or columns of its map
  kMsgMap3DSpeedAxis,
  kMsgMap3DThrottleAxis,
  kMsgMap3DPressureAxis,
  // A paste of spreadsheet cells into a map page was refused; nothing was changed. {rows} and
  // {columns} are the block's size; {row} and {column} name a cell of the block (from 1) and
  // {text} what it holds.
  kMsgMapPasteDoesNotFit,
  kMsgMapPasteNotANumber,
  kMsgMapPasteEmpty,
  // An operation of the Cells menu with no cell of the map selected.
  kMsgMapSelectFirst,
  // What the Cells menu's operations ask for.
  kMsgMapAskValue,
  kMsgMapAskAdd,
  kMsgMapAskScale,
  kMsgMapAskSmooth,
};

}  // namespace korvan
