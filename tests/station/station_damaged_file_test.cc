// Sets from files cut short or damaged, things picked that are not files, and saves that cannot
// be made: the window says so and nothing reaches the unit or is lost unnoticed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "file_text.h"
#include "files/parameter_file.h"
#include "ordinary_user.h"
#include "station/station.h"
#include "station_fixture.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

constexpr const char* kGermanNote = "Datei unvollständig oder beschädigt: JET_1A";

class StationDamagedFileTest : public ::testing::Test, public StationFixture {
 public:
  // A whole file as the station saves it, and the same file cut inside the first row of JET_1A
  // (a value that loses its last digit, the rest of the file gone).
  void MakeFiles(Station& s) {
    whole_ = (dir / "whole.ign").string();
    cut_ = (dir / "cut.ign").string();
    desktop.save_path = whole_;
    s.MenuSaveClick();
    const std::string text = ReadWhole(whole_);
    const std::size_t row = text.find("\r\nJET_1A ");
    ASSERT_NE(row, std::string::npos);
    const std::size_t line_end = text.find(" \r\n", row + 2);
    WriteWhole(cut_, text.substr(0, line_end - 1));
  }

  void Open(Station& s, const std::string& path) {
    desktop.open_path = path;
    s.MenuOpenClick();
  }

  std::string whole_;
  std::string cut_;
};

TEST_F(StationDamagedFileTest, ASetFromACutFileIsMarkedAndProgramAsksBeforeWritingIt) {
  Station& s = Start({"DEUTSCH"});
  MakeFiles(s);
  Open(s, cut_);
  EXPECT_EQ(s.file_damage(), std::vector<ParameterSection>{ParameterSection::kJet1A});
  EXPECT_EQ(C("LabelFile2").text, cut_ + "  (" + kGermanNote + ")");
  EXPECT_EQ(C("LabelFile2").font_color, 0xFF0000u);
  EXPECT_TRUE(C("LabelHlaseni").visible);
  EXPECT_EQ(C("LabelHlaseni").text, kGermanNote);

  desktop.answer = Desktop::Answer::kNo;
  s.MenuProgramClick();
  ASSERT_EQ(desktop.questions.size(), 1u);
  EXPECT_NE(desktop.questions[0].find("(JET_1A)"), std::string::npos) << desktop.questions[0];
  EXPECT_NE(desktop.questions[0].find("Trotzdem"), std::string::npos) << desktop.questions[0];
  RunUntilIdle();
  EXPECT_EQ(unit.writes_received(), 0);

  desktop.answer = Desktop::Answer::kYes;
  s.MenuProgramClick();
  RunUntilIdle();
  EXPECT_GT(unit.writes_received(), 0);
  EXPECT_EQ(unit.Image(), s.image());
  // Agreed once for this set: the next Program does not ask again, the label keeps the mark.
  s.MenuProgramClick();
  EXPECT_EQ(desktop.questions.size(), 2u);
  EXPECT_EQ(C("LabelFile2").text, cut_ + "  (" + kGermanNote + ")");
}

TEST_F(StationDamagedFileTest, ACompleteFileOpensAndProgramsAsBefore) {
  Station& s = Start();
  MakeFiles(s);
  Open(s, whole_);
  EXPECT_TRUE(s.file_damage().empty());
  EXPECT_EQ(C("LabelFile2").text, whole_);
  EXPECT_EQ(C("LabelFile2").font_color, kDefaultColor);
  s.MenuProgramClick();
  RunUntilIdle();
  EXPECT_TRUE(desktop.questions.empty());
  EXPECT_GT(unit.writes_received(), 0);
}

TEST_F(StationDamagedFileTest, ProgrammingAfterChangeAsksBeforeWritingADamagedSet) {
  Station& s = Start();
  MakeFiles(s);
  s.controls().SetChecked(H("CheckBoxProgHned"), true);
  s.CheckBoxProgHnedClick();
  desktop.answer = Desktop::Answer::kNo;
  Open(s, cut_);
  ASSERT_EQ(desktop.questions.size(), 1u);
  RunUntilIdle();
  EXPECT_EQ(unit.writes_received(), 0);
  EXPECT_FALSE(s.file_damage().empty());
}

// The set stops coming from the damaged file when the user saves it (the file written holds every
// section whole, and it is the set the user chose to keep), when a read brings the unit's set,
// when New brings the defaults and when another file is opened. A restart keeps the mark, as it
// keeps the set.
TEST_F(StationDamagedFileTest, TheMarkLastsWhileTheSetComesFromTheDamagedFile) {
  struct Case {
    const char* what;
    std::function<void(StationDamagedFileTest&, Station&)> act;
    bool marked_after;
  };
  const Case cases[] = {
      {"saved to a file",
       [](StationDamagedFileTest& t, Station& st) {
         t.desktop.save_path = (t.dir / "kept.ign").string();
         st.MenuSaveClick();
       },
       false},
      {"the unit read",
       [](StationDamagedFileTest& t, Station& st) {
         st.MenuReadClick();
         t.RunUntilIdle();
       },
       false},
      {"New", [](StationDamagedFileTest&, Station& st) { st.MenuNewClick(); }, false},
      {"a complete file opened",
       [](StationDamagedFileTest& t, Station& st) { t.Open(st, t.whole_); }, false},
      {"an edit", [](StationDamagedFileTest&, Station& st) { st.EditOnClick(); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Station& s = Start();
    MakeFiles(s);
    Open(s, cut_);
    ASSERT_FALSE(s.file_damage().empty());
    desktop.answer = Desktop::Answer::kYes;
    c.act(*this, s);
    EXPECT_EQ(!s.file_damage().empty(), c.marked_after);
    desktop.questions.clear();
    desktop.answer = Desktop::Answer::kNo;
    s.MenuProgramClick();
    EXPECT_EQ(desktop.questions.size(), c.marked_after ? 1u : 0u);
    RunUntilIdle();
  }
}

TEST_F(StationDamagedFileTest, TheMarkOutlivesARestartAsTheSetDoes) {
  Station& first = Start();
  MakeFiles(first);
  Open(first, cut_);
  first.FormClose();
  Station& s = Start({"FRENCH"});
  EXPECT_EQ(s.file_damage(), std::vector<ParameterSection>{ParameterSection::kJet1A});
  EXPECT_EQ(C("LabelFile2").text, cut_ + "  (Fichier incomplet ou endommagé : JET_1A)");
  desktop.answer = Desktop::Answer::kNo;
  s.MenuProgramClick();
  EXPECT_EQ(desktop.questions.size(), 1u);
  // A set saved since is no longer marked after the next start either.
  desktop.save_path = (dir / "kept.ign").string();
  s.MenuSaveClick();
  s.FormClose();
  Station& again = Start();
  EXPECT_TRUE(again.file_damage().empty());
  EXPECT_EQ(C("LabelFile2").text, (dir / "kept.ign").string());
}

// A named pipe would hold the window until something writes to it; a device may never end. Neither
// is read: the message says what was picked, and the set stays.
TEST_F(StationDamagedFileTest, PickingSomethingThatIsNoFileSaysWhatItIs) {
  const fs::path pipe = dir / "pipe.ign";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  struct Case {
    std::string path;
    const char* told;
  };
  const Case cases[] = {
      {pipe.string(),
       "Chyba při otevírání souboru!\ntoto je pojmenovaná roura (FIFO), ne soubor: "
       "nečte se"},
      {"/dev/zero", "Chyba při otevírání souboru!\ntoto je zařízení, ne soubor: nečte se"},
      {dir.string(), "Chyba při otevírání souboru!\ntoto je složka, ne soubor"},
  };
  Station& s = Start({"CESKY"});
  const ParameterImage before = s.image();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    desktop.messages.clear();
    Open(s, c.path);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0], c.told);
    EXPECT_EQ(s.image(), before);
    EXPECT_EQ(C("LabelFile2").text, "");
  }
  // The comparison's file choice says the same.
  desktop.messages.clear();
  desktop.open_path = pipe.string();
  EXPECT_FALSE(s.diff().ChooseDiffFile(nullptr).has_value());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], cases[0].told);
}

// The safe save puts its temporary beside the file: a file the user may write in a folder that
// takes no new file cannot be saved. The message says why, and nothing is lost.
TEST_F(StationDamagedFileTest, SavingIntoAReadOnlyFolderSaysSoAndLosesNothing) {
  Station& s = Start({"DEUTSCH"});
  const fs::path folder = dir / "read-only";
  fs::create_directories(folder);
  const fs::path target = folder / "set.ign";
  desktop.save_path = target.string();
  s.MenuSaveClick();
  const std::string saved = ReadWhole(target);
  ASSERT_FALSE(saved.empty());
  ASSERT_EQ(::chmod(target.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  desktop.messages.clear();
  const int outcome = RunAsOrdinaryUser([&] {
    s.MenuSaveClick();
    if (desktop.messages.size() != 1) return 1;
    if (desktop.messages[0] !=
        "Fehler beim öffnen der Datei!\nder Ordner ist schreibgeschützt: anderswo speichern") {
      return 2;
    }
    if (ReadWhole(target) != saved) return 3;
    if (C("LabelFile2").text != target.string() || s.last_path() != target.string()) return 4;
    return 0;
  });
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(outcome, 0)
      << "1: no message, 2: another message, 3: the file changed, 4: the set's name "
         "changed, 100: could not drop to nobody";
}

}  // namespace
}  // namespace korvan
