// The journal of unsaved edits as the station keeps it: every committed change, the restore
// offer after a run that did not end cleanly, and the ways the journal is done with.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "station/station.h"
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
  EXPECT_NE(desktop.questions[0].find("holds 1 unsaved change, made at "), std::string::npos)
      << desktop.questions[0];
  EXPECT_EQ(desktop.questions[0].find('{'), std::string::npos) << desktop.questions[0];
}

// Undo, redo and an opened file are journalled as much as typing is: the question counts
// changes, gives its times year first on a 24-hour clock (a "%x" date such as 11/12/26 is a
// different day in each of the station's languages), and says where No puts them.
TEST_F(StationJournalTest, TheOfferCountsChangesWithUnambiguousTimesAndSaysWhereNoPutsThem) {
  struct Case {
    Language language;
    const char* changes;
    const char* aside;
  };
  const Case cases[] = {
      {Language::kEnglish, "holds 4 unsaved changes (edits, undo and redo steps",
       "No keeps the changes aside: File > Set-aside changes brings them back later."},
      {Language::kGerman, "enthält 4 nicht gespeicherte Änderungen",
       "Datei > Zurückgelegte Änderungen holt sie später wieder."},
      {Language::kFrench, "contient 4 modifications non enregistrées",
       "Fichier > Modifications mises de côté les reprend plus tard."},
      {Language::kCzech, "počet: 4,", "Soubor > Odložené změny je později vrátí."},
  };
  const std::regex stamp(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})");
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.language));
    Run();
    Edit(1);
    Edit(2);
    station->SpeedButtonZpetClick();
    station->SpeedButtonZnovuClick();
    Crash();
    Station& s = Run();
    if (c.language == Language::kGerman) s.MenuGermanClick();
    if (c.language == Language::kFrench) s.MenuFrenchClick();
    if (c.language == Language::kCzech) s.MenuCzechClick();
    desktop.questions.clear();
    desktop.answer = Desktop::Answer::kYes;
    s.OfferJournalRestore();
    ASSERT_EQ(desktop.questions.size(), 1u);
    const std::string& q = desktop.questions[0];
    EXPECT_NE(q.find(c.changes), std::string::npos) << q;
    EXPECT_NE(q.find(c.aside), std::string::npos) << q;
    const auto stamps =
        std::distance(std::sregex_iterator(q.begin(), q.end(), stamp), std::sregex_iterator());
    EXPECT_EQ(stamps, 2) << q;
    s.FormClose();
  }
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
  EXPECT_NE(desktop.questions[0].find("holds 5 unsaved changes"), std::string::npos);
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

TEST_F(StationJournalTest, NoSetsTheJournalAsideAndASaveKeepsIt) {
  const ParameterImage last = EditAndCrash(3);
  Station& s = Run();
  desktop.answer = Desktop::Answer::kNo;  // Escape and closing the box answer No as well
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
  // A clean exit and a save end this run's journal; the declined one stays for the user.
  s.FormClose();
  EXPECT_FALSE(fs::exists(JournalPath()));
  EXPECT_TRUE(fs::exists(aside));
  Edit(10);
  desktop.save_path = (dir / "set.ign").string();
  s.MenuSaveClick();
  EXPECT_FALSE(fs::exists(JournalPath()));
  EXPECT_TRUE(fs::exists(aside));
  desktop.aside_choices = {AsideChoice{AsideChoice::Action::kRestore, 0}};
  s.MenuAsideEditsClick();
  EXPECT_EQ(s.image(), last);
}

// A run that ends or saves before the offer was answered (the window was never shown) leaves
// the earlier run's journal aside, not deleted.
TEST_F(StationJournalTest, AnUnansweredOfferIsKeptAsideBySaveAndExit) {
  struct Case {
    const char* what;
    void (*end)(Station&);
  };
  const Case cases[] = {
      {"exit", [](Station& s) { s.FormClose(); }},
      {"save", [](Station& s) { s.MenuSaveClick(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ParameterImage last = EditAndCrash(2);
    Station& s = Run();
    ASSERT_TRUE(s.pending_journal().has_value());
    desktop.save_path = (dir / "set.ign").string();
    c.end(s);
    const std::vector<AsideJournal> aside = s.journal().ListAside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_TRUE(aside[0].contents.last.image == last.bytes());
    ASSERT_TRUE(fs::remove(aside[0].path));
    Crash();
  }
}

// File > set-aside changes: every declined journal with its times, newest first; Restore takes
// one as a single change on top of the working set; Delete removes one only after a Yes.
TEST_F(StationJournalTest, SetAsideChangesAreListedRestoredAndDeletedOnlyOnTheUsersWord) {
  EditAndCrash(2);
  Run();
  desktop.answer = Desktop::Answer::kNo;
  station->OfferJournalRestore();
  Edit(40);
  Edit(41);
  Edit(42);
  const ParameterImage newer = station->image();
  Crash();
  Station& s = Run();
  s.OfferJournalRestore();
  ASSERT_TRUE(fs::exists(JournalPath() + ".declined2"));
  Edit(77);  // the working set of this run
  const ParameterImage working = s.image();

  desktop.aside_choices = {AsideChoice{AsideChoice::Action::kRestore, 0}};
  s.MenuAsideEditsClick();
  ASSERT_EQ(desktop.aside_lists.size(), 1u);
  const AsideList& list = desktop.aside_lists[0];
  EXPECT_EQ(list.title, "Set-aside changes");
  EXPECT_EQ(list.restore, "Restore");
  EXPECT_EQ(list.remove, "Delete");
  ASSERT_EQ(list.rows.size(), 2u);
  const std::regex row(R"(Last change \d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} · first )"
                       R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} · changes: (\d+))");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(list.rows[0], match, row)) << list.rows[0];
  EXPECT_EQ(match[1], "3");  // the newer set first (the same second: the later name first)
  ASSERT_TRUE(std::regex_match(list.rows[1], match, row)) << list.rows[1];
  EXPECT_EQ(match[1], "2");
  EXPECT_EQ(s.image(), newer);
  EXPECT_TRUE(s.dirty().IsSet(BlockOfImageByte(kEditedByte)));
  s.SpeedButtonZpetClick();  // the restore was one change
  EXPECT_EQ(s.image(), working);

  // Delete, answered No, then Yes: only the Yes removes it; the list comes back without it.
  desktop.aside_lists.clear();
  desktop.answer = Desktop::Answer::kNo;
  desktop.aside_choices = {AsideChoice{AsideChoice::Action::kDelete, 1}, std::nullopt};
  s.MenuAsideEditsClick();
  EXPECT_TRUE(fs::exists(JournalPath() + ".declined"));
  desktop.answer = Desktop::Answer::kYes;
  desktop.aside_choices = {AsideChoice{AsideChoice::Action::kDelete, 1},
                           AsideChoice{AsideChoice::Action::kRestore, 0}};
  s.MenuAsideEditsClick();
  EXPECT_FALSE(fs::exists(JournalPath() + ".declined"));
  ASSERT_EQ(desktop.aside_lists.back().rows.size(), 1u);
  EXPECT_NE(desktop.questions.back().find("Delete the set-aside changes whose last change"),
            std::string::npos);
  EXPECT_EQ(s.image(), newer);
  EXPECT_TRUE(fs::exists(JournalPath() + ".declined2"));  // restored, still kept

  desktop.aside_choices = {AsideChoice{AsideChoice::Action::kDelete, 0}};
  s.MenuAsideEditsClick();
  EXPECT_EQ(desktop.messages.back(), "No changes are set aside.");
}

// A damaged record in the middle of the journal costs that record only: the newest intact state
// is offered, and the question says that part of the journal was lost.
TEST_F(StationJournalTest, ADamagedRecordOffersTheNewestIntactStateAndSaysSo) {
  const ParameterImage last = EditAndCrash(3);
  const std::uintmax_t record = fs::file_size(JournalPath()) / 3;
  {
    std::fstream file(JournalPath(), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(record + 200));
    file.put('\x5A');
  }
  Station& s = Run();
  ASSERT_TRUE(s.pending_journal().has_value());
  EXPECT_EQ(s.pending_journal()->count, 2);
  desktop.answer = Desktop::Answer::kYes;
  s.OfferJournalRestore();
  EXPECT_NE(desktop.questions.back().find("Part of the journal was damaged: the newest intact "
                                          "state is offered"),
            std::string::npos)
      << desktop.questions.back();
  EXPECT_EQ(s.image(), last);
}

// On a first start nothing has made the settings folder yet: the journal makes it.
TEST_F(StationJournalTest, AFirstStartWithoutTheSettingsFolderJournalsTheFirstEdit) {
  StationPaths p = Paths();
  p.journal = (dir / "new-user" / "config" / "edits.journal").string();
  station = std::make_unique<Station>(port, desktop, p);
  station->FormCreate({});
  Edit(5);
  EXPECT_FALSE(C("LabelHlaseni").visible) << C("LabelHlaseni").text;
  const ParameterImage last = station->image();
  Crash();
  station = std::make_unique<Station>(port, desktop, p);
  station->FormCreate({});
  ASSERT_TRUE(station->pending_journal().has_value());
  station->AnswerJournalOffer(true);
  EXPECT_EQ(station->image(), last);
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
  EXPECT_EQ(C("LabelHlaseni").text, "Edit journal not writable: save often!");
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
