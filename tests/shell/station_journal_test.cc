// The journal of unsaved edits as the station keeps it: every committed change, the restore
// offer after a run that did not end cleanly, and the ways the journal is done with.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "shell/station.h"
#include "station_fixture.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

constexpr int kEditedByte = 600;  // a map byte no consistency rule touches

class StationJournalTest : public ::testing::Test, public StationFixture {
 protected:
  std::string JournalPath() const { return (dir / "edits.journal").string(); }

  Station& Run() {
    StationPaths p = Paths();
    p.journal = JournalPath();
    station = std::make_unique<Station>(port, desktop, p);
    station->FormCreate({});
    return *station;
  }
  // A kill: the station goes without FormClose.
  void Crash() { station.reset(); }

  void Edit(int value) {
    station->image().SetByte(kEditedByte, static_cast<unsigned>(value));
    station->RecordChange();
  }
  // The edits of a first run that then crashes; returns the working set at the last edit.
  ParameterImage EditAndCrash(int edits) {
    Run();
    for (int i = 1; i <= edits; ++i) Edit(i);
    const ParameterImage last = station->image();
    Crash();
    return last;
  }
};

TEST_F(StationJournalTest, EveryCommittedChangeUndoAndRedoIsJournalled) {
  Station& s = Run();
  EXPECT_FALSE(fs::exists(JournalPath()));  // nothing to lose yet
  Edit(1);
  Edit(2);
  s.RecordChange();  // nothing changed: no step, no record
  s.SpeedButtonZpetClick();
  s.SpeedButtonZnovuClick();
  EditJournal reader(JournalPath());
  const std::optional<JournalContents> c = reader.ReadLeftOver();
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->count, 4);
  EXPECT_TRUE(c->last.image == s.image().bytes());
}

TEST_F(StationJournalTest, ASingleEditIsOfferedInTheSingular) {
  EditAndCrash(1);
  Station& s = Run();
  desktop.answer = Desktop::Answer::kNo;
  s.OfferJournalRestore();
  ASSERT_EQ(desktop.questions.size(), 1u);
  EXPECT_NE(desktop.questions[0].find("Restore the unsaved edit made at "), std::string::npos)
      << desktop.questions[0];
  EXPECT_EQ(desktop.questions[0].find('{'), std::string::npos) << desktop.questions[0];
}

TEST_F(StationJournalTest, YesRestoresTheLastEditMarkedChanged) {
  const ParameterImage last = EditAndCrash(5);
  Station& s = Run();
  ASSERT_TRUE(s.pending_journal().has_value());
  EXPECT_EQ(s.pending_journal()->count, 5);
  EXPECT_NE(s.image(), last);
  desktop.answer = Desktop::Answer::kYes;
  s.OfferJournalRestore();
  ASSERT_EQ(desktop.questions.size(), 1u);
  EXPECT_NE(desktop.questions[0].find("Restore the 5 unsaved edits"), std::string::npos);
  EXPECT_EQ(s.image(), last);
  EXPECT_TRUE(s.dirty().IsSet(BlockOfImageByte(kEditedByte)));
  EXPECT_FALSE(s.undo().CanUndo());
  // A second crash after the restore brings back the same set again.
  Crash();
  Station& again = Run();
  ASSERT_TRUE(again.pending_journal().has_value());
  again.AnswerJournalOffer(true);
  EXPECT_EQ(again.image(), last);
}

TEST_F(StationJournalTest, AnOpenedFileIsRestoredWithItsName) {
  const std::string file = (dir / "track.ign").string();
  Run();
  Edit(5);
  desktop.save_path = file;
  station->MenuSaveClick();
  desktop.answer = Desktop::Answer::kYes;
  station->MenuNewClick();  // the defaults, unnamed
  desktop.open_path = file;
  station->MenuOpenClick();  // the opening is the last committed change
  Crash();
  Station& s = Run();
  s.AnswerJournalOffer(true);
  EXPECT_EQ(s.file_label(), file);
  EXPECT_EQ(s.image().Byte(kEditedByte), 5);
}

TEST_F(StationJournalTest, ATornJournalRestoresTheLastCompleteEdit) {
  Run();
  Edit(1);
  Edit(2);
  const ParameterImage second = station->image();
  Edit(3);
  Crash();
  // The power went while the third record was being written.
  fs::resize_file(JournalPath(), fs::file_size(JournalPath()) - 1000);
  Station& s = Run();
  ASSERT_TRUE(s.pending_journal().has_value());
  EXPECT_EQ(s.pending_journal()->count, 2);
  s.AnswerJournalOffer(true);
  EXPECT_EQ(s.image(), second);
  // The torn end is gone: edits after the restore are read back after the next crash.
  Edit(7);
  const ParameterImage seventh = station->image();
  Crash();
  Run().AnswerJournalOffer(true);
  EXPECT_EQ(station->image(), seventh);
}

TEST_F(StationJournalTest, NoSetsTheJournalAsideUntilTheNextSave) {
  const ParameterImage last = EditAndCrash(3);
  Station& s = Run();
  desktop.answer = Desktop::Answer::kNo;
  s.OfferJournalRestore();
  EXPECT_NE(s.image(), last);
  EXPECT_FALSE(fs::exists(JournalPath()));
  const std::string aside = JournalPath() + ".declined";
  ASSERT_TRUE(fs::exists(aside));
  ASSERT_TRUE(EditJournal(aside).ReadLeftOver().has_value());
  EXPECT_EQ(EditJournal(aside).ReadLeftOver()->count, 3);
  Edit(9);  // a new journal for this run; the declined one stays
  EXPECT_TRUE(fs::exists(JournalPath()));
  EXPECT_TRUE(fs::exists(aside));
  // A clean exit ends this run's journal; the declined one waits for a save.
  s.FormClose();
  EXPECT_FALSE(fs::exists(JournalPath()));
  EXPECT_TRUE(fs::exists(aside));
  Edit(10);
  desktop.save_path = (dir / "set.ign").string();
  s.MenuSaveClick();
  EXPECT_FALSE(fs::exists(JournalPath()));
  EXPECT_FALSE(fs::exists(aside));
}

TEST_F(StationJournalTest, CleanExitAndAProgramRunThatEndsOkClearIt) {
  Run();
  Edit(1);
  station->FormClose();
  EXPECT_FALSE(fs::exists(JournalPath()));
  Crash();

  Station& s = Run();
  EXPECT_FALSE(s.pending_journal().has_value());
  Edit(2);
  ASSERT_TRUE(fs::exists(JournalPath()));
  s.MenuProgramClick();
  RunUntilIdle();
  Tick();
  EXPECT_FALSE(s.dirty().Any());
  EXPECT_FALSE(fs::exists(JournalPath()));
}

TEST_F(StationJournalTest, AProgramRunThatFailsKeepsIt) {
  port.set_present(false);  // no interface plugged in
  Station& s = Run();
  Edit(2);
  s.MenuProgramClick();
  RunUntilIdle();
  Tick();
  EXPECT_TRUE(fs::exists(JournalPath()));
}

TEST_F(StationJournalTest, AnUnwritableJournalIsSaidOnceAndEditingGoesOn) {
  fs::create_directories(JournalPath());  // a folder where the file should be
  Station& s = Run();
  Edit(1);
  EXPECT_EQ(C("LabelHlaseni").text,
            "Unsaved edits cannot be secured against a crash (journal not writable). Save often.");
  EXPECT_TRUE(C("LabelHlaseni").visible);
  Tick(TransferSession::kStatusTicks);
  EXPECT_FALSE(C("LabelHlaseni").visible);
  Edit(2);
  EXPECT_FALSE(C("LabelHlaseni").visible);
  EXPECT_EQ(s.image().Byte(kEditedByte), 2);
  EXPECT_TRUE(s.undo().CanUndo());
}

}  // namespace
}  // namespace korvan
