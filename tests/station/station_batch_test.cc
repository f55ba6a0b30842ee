// The "Servis" menu of the window: Save All New and Compare All New leave the set being edited
// alone and say what they could not do.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "cli/command_line.h"
#include "file_text.h"
#include "files/service_batch.h"
#include "image/page_index.h"
#include "station/station.h"
#include "station_fixture.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

class StationBatchTest : public ::testing::Test, public StationFixture {
 protected:
  fs::path NewDir() const { return dir / "new_ign"; }
  fs::path OldDir() const { return dir / "new_ign_old"; }

  Station& StartWithBatchFolders(std::vector<std::string> args = {}) {
    StationPaths p = Paths();
    p.batch_new_dir = NewDir().string();
    p.batch_old_dir = OldDir().string();
    station = std::make_unique<Station>(port, desktop, p);
    station->FormCreate(args);
    return *station;
  }
};

TEST_F(StationBatchTest, SaveAllNewLeavesTheSetThePageAndTheChangeFlagsAsTheyWere) {
  Station& s = StartWithBatchFolders();
  // An edit on the Inj-1A page: a changed block and an undo step.
  s.PageControl1Change(kPageInj1A);
  const std::uint8_t unedited = s.image().Byte(50);
  s.image().SetByte(50, unedited + 5);
  s.CommitEdit();
  ASSERT_TRUE(s.undo().CanUndo());
  const ParameterImage image = s.image();
  const DirtyBlockSet dirty = s.dirty();
  const ControlSet controls = s.controls();

  s.MenuSaveAllNewClick();

  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(FolderContents(NewDir()).size(), 50u);
  EXPECT_TRUE(s.image() == image);
  EXPECT_EQ(s.active_page(), kPageInj1A);
  for (int b = 0; b < kBlockCount; ++b) EXPECT_EQ(s.dirty().IsSet(b), dirty.IsSet(b)) << b;
  EXPECT_FALSE(s.undo().CanRedo());
  // What the window shows is unchanged, control for control.
  for (ControlHandle h = 0; h < controls.size(); ++h) {
    EXPECT_EQ(s.controls().Get(h).text, controls.Get(h).text) << controls.Get(h).name;
    EXPECT_EQ(s.controls().Get(h).value, controls.Get(h).value) << controls.Get(h).name;
    EXPECT_EQ(s.controls().Get(h).visible, controls.Get(h).visible) << controls.Get(h).name;
  }
  // No undo step was taken: one undo goes back to before the edit.
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.image().Byte(50), unedited);
  EXPECT_FALSE(s.undo().CanUndo());
}

TEST_F(StationBatchTest, RunTwiceGivesIdenticalFilesAndMatchesTheCommandLine) {
  Station& s = StartWithBatchFolders();
  s.MenuSaveAllNewClick();
  const std::map<std::string, std::string> first = FolderContents(NewDir());
  s.MenuSaveAllNewClick();
  EXPECT_TRUE(FolderContents(NewDir()) == first);

  // A station just started holds the start set, which the command line builds over too.
  const fs::path from_command = dir / "from_command";
  std::FILE* sink = std::tmpfile();
  struct NoWait : TickClock {
    void WaitForNextTick() override {}
  } clock;
  ASSERT_EQ(RunCommandLine({"batch", "save-all", from_command.string()}, port, clock, sink, sink),
            kExitOk);
  std::fclose(sink);
  EXPECT_TRUE(FolderContents(from_command) == first);
}

TEST_F(StationBatchTest, PageOnlyNewLeftBehindDoesNotNarrowTheBatch) {
  Station& s = StartWithBatchFolders();
  s.MenuSaveAllNewClick();
  const std::map<std::string, std::string> whole = FolderContents(NewDir());
  // "New for actual page" on the sensors page of the same bike changes nothing in the set, but
  // leaves the one-page flag set; the batch still writes every bike's whole default set.
  s.PageControl1Change(kPageSensors);
  const ParameterImage image = s.image();
  s.MenuNewActPageClick();
  ASSERT_TRUE(s.image() == image);
  fs::remove_all(NewDir());
  s.MenuSaveAllNewClick();
  EXPECT_TRUE(FolderContents(NewDir()) == whole);
}

TEST_F(StationBatchTest, FilesThatCannotBeWrittenAreSaidOncePerBikeInTheUsersLanguage) {
  Station& s = StartWithBatchFolders({"DEUTSCH"});
  // One bike's file taken by a folder: one message, the other 49 written.
  fs::create_directories(BatchFileOfBikeCode(NewDir(), 3) / "keep");
  s.MenuSaveAllNewClick();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], MessageText(MessageKey::kMsgFileOpenError, Language::kGerman));
  EXPECT_EQ(FolderContents(NewDir()).size(), 50u);  // 49 files and the folder

  // No folder can be made: said once, with the folder, not once per bike.
  desktop.messages.clear();
  fs::remove_all(NewDir());
  std::ofstream(NewDir()) << "a file";
  s.MenuSaveAllNewClick();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0],
            std::string(MessageText(MessageKey::kMsgFileOpenError, Language::kGerman)) + " \"" +
                NewDir().string() + "\"");
  EXPECT_EQ(ReadWhole(NewDir()), "a file");
}

TEST_F(StationBatchTest, CompareAllNewNamesItsReportOrWhyThereIsNone) {
  Station& s = StartWithBatchFolders();
  // No new folder: the report cannot be written, and the message says which report.
  s.MenuCompareAllClick();
  ASSERT_EQ(desktop.messages.size(), 1u);
  const std::string report = (NewDir() / "compare_all_new.txt").generic_string();
  EXPECT_EQ(desktop.messages[0], "Cannot write the comparison report \"" + report + "\"");

  s.MenuSaveAllNewClick();
  fs::copy(NewDir(), OldDir());
  desktop.messages.clear();
  s.MenuCompareAllClick();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], "Results in file \"" + report + "\"");
  EXPECT_EQ(SplitLines(ReadWhole(report)).size(), 50u);  // header lines only
}

TEST_F(StationBatchTest, TheWindowsFoldersLieUnderTheCurrentDirectory) {
  const fs::path before = fs::current_path();
  fs::current_path(dir);
  Start();
  station->MenuSaveAllNewClick();
  station->MenuCompareAllClick();
  fs::current_path(before);
  EXPECT_EQ(FolderContents(dir / "new_ign").size(), 51u);  // 50 bikes and the report
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], "Results in file \"./new_ign/compare_all_new.txt\"");
}

}  // namespace
}  // namespace korvan
