#include "station/station.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "files/image_dump.h"
#include "files/parameter_file.h"
#include "model/default_set.h"
#include "station_fixture.h"
#include "texts/page_captions.h"

namespace korvan {
namespace {

class StationTest : public ::testing::Test, public StationFixture {};

TEST_F(StationTest, FirstStartWithoutFiles) {
  Station& s = Start();
  EXPECT_EQ(s.active_page(), kPageBike);
  EXPECT_EQ(s.language(), Language::kEnglish);
  EXPECT_EQ(s.image().Byte(0), 11);
  EXPECT_EQ(s.device().link().port_index(), 0);  // Com 1
  EXPECT_TRUE(C("MenuCom1").checked);
  EXPECT_FALSE(C("MenuCom2").checked);
  EXPECT_TRUE(C("MenuEnglish").checked);
  EXPECT_FALSE(C("LabelHlaseni").visible);
  EXPECT_FALSE(C("CGaugeProgram").visible);
  EXPECT_FALSE(C("MenuServis").visible);
  EXPECT_FALSE(C("LabelTest1").visible);
  EXPECT_FALSE(C("TabSheet_Ladeni").visible);
  // Nothing to undo or redo yet.
  EXPECT_FALSE(C("SpeedButtonZpet").enabled);
  EXPECT_FALSE(C("MenuZnovu").enabled);
}

TEST_F(StationTest, LanguageWordOnTheCommandLineWinsOverTheSettings) {
  { std::ofstream(Paths().settings_file) << "[BASIC]\nLanguage=0\n"; }
  struct Case {
    const char* word;
    Language language;
  };
  for (const Case c : {Case{"DEUTSCH", Language::kGerman}, Case{"deutsch", Language::kEnglish},
                       Case{"CESKY", Language::kCzech}, Case{"FRENCH", Language::kFrench}}) {
    Station& s = Start({c.word});
    EXPECT_EQ(s.language(), c.language) << c.word;
  }
}

TEST_F(StationTest, TestModeMarkerShowsServiceMenuAndTestLabels) {
  std::ofstream(Paths().test_marker) << "some words\nPROBE_ALLOW here\n";
  Start();
  EXPECT_TRUE(C("MenuServis").visible);
  EXPECT_TRUE(C("LabelTest8").visible);
}

TEST_F(StationTest, ShutDownKeepsPortLanguagePageAndImageForTheNextStart) {
  {
    Station& s = Start();
    s.MenuCom1Click(4);
    s.MenuGermanClick();
    s.PageControl1Change(kPageSensors);
    s.image().SetByte(1000, 77);
    s.FormClose();
  }
  Station& s = Start();
  EXPECT_EQ(s.device().link().port_index(), 4);
  EXPECT_TRUE(C("MenuCom5").checked);
  EXPECT_EQ(s.language(), Language::kGerman);
  EXPECT_EQ(s.active_page(), kPageSensors);
  EXPECT_EQ(s.image().Byte(1000), 77);
  EXPECT_EQ(C("LabelSpojeni").text, "Keine Verbindung zum PC");
}

TEST_F(StationTest, ComPortZeroInTheSettingsMeansTheFirstPort) {
  std::ofstream(Paths().settings_file) << "[BASIC]\nComPort=0\nLanguage=9\n";
  Station& s = Start();
  EXPECT_EQ(s.device().link().port_index(), 0);
  EXPECT_EQ(s.language(), Language::kEnglish);
}

TEST_F(StationTest, ReadThroughTheMenuEndsWithVerifyOkInTheStatusLine) {
  Station& s = Start();
  s.MenuReadClick();
  EXPECT_TRUE(C("LabelHlaseni").visible);
  EXPECT_EQ(C("LabelHlaseni").text, "Read:");
  RunUntilIdle();
  EXPECT_EQ(C("LabelHlaseni").text, "Verify: OK");
  EXPECT_EQ(C("CGaugeProgram").value, 20);
  EXPECT_EQ(s.image(), unit.Image());
  EXPECT_EQ(s.file_label(), "");
}

TEST_F(StationTest, ProgrammingAfterChangeWritesOnlyTheChangedBlock) {
  Station& s = Start();
  s.controls().SetChecked(H("CheckBoxProgHned"), true);
  s.CheckBoxProgHnedClick();
  EXPECT_EQ(C("CheckBoxProgHned").color, 0xFF0000u);
  port.ClearSent();
  s.image().SetByte(3 * 150 + 10, s.image().Byte(3 * 150 + 10) ^ 1u);  // a byte of block 4
  s.RecordChange();
  RunUntilIdle();
  std::vector<std::uint8_t> writes;
  for (std::uint8_t code : port.SentCodes()) {
    if (code != kMonitorRequest) writes.push_back(code);
  }
  EXPECT_EQ(writes, (std::vector<std::uint8_t>{0x04}));
  EXPECT_EQ(C("LabelHlaseni").text, "Program device: OK");
  EXPECT_EQ(unit.Image(), s.image());
}

TEST_F(StationTest, UndoAndRedoMoveThroughRecordedChanges) {
  Station& s = Start();
  const ParameterImage start = s.image();
  s.image().SetByte(2000, 1);
  s.RecordChange();
  s.image().SetByte(2001, 2);
  s.RecordChange();
  EXPECT_TRUE(C("MenuZpet").enabled);
  s.SpeedButtonZpetClick();
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.image(), start);
  EXPECT_FALSE(C("SpeedButtonZpet").enabled);
  EXPECT_TRUE(C("SpeedButtonZnovu").enabled);
  s.SpeedButtonZnovuClick();
  EXPECT_EQ(s.image().Byte(2000), 1);
  EXPECT_EQ(s.image().Byte(2001), start.Byte(2001));
  // A new change drops what could be redone.
  s.image().SetByte(2002, 3);
  s.RecordChange();
  EXPECT_FALSE(C("MenuZnovu").enabled);
}

TEST_F(StationTest, UndoAndRedoShowThePageTheirSnapshotWasTakenOn) {
  Station& s = Start();
  s.PageControl1Change(kPageSensors);
  s.image().SetByte(7, 9);
  s.RecordChange();
  s.PageControl1Change(kPageGear);
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.active_page(), kPageBike);  // the step before the change was taken on the bike page
  s.SpeedButtonZnovuClick();
  EXPECT_EQ(s.active_page(), kPageSensors);
}

TEST_F(StationTest, SaveAndOpenAParameterFile) {
  Station& s = Start();
  const std::string path = (dir / "set.ign").string();
  desktop.save_path = path;
  s.MenuSaveClick();
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(s.file_label(), path);
  EXPECT_EQ(s.last_path(), path);
  const ParameterImage saved = s.image();

  s.image().SetByte(29, s.image().Byte(29) - 5u);
  s.RecordChange();
  desktop.open_path = path;
  s.MenuOpenClick();
  EXPECT_TRUE(desktop.messages.empty()) << desktop.messages.front();
  EXPECT_EQ(s.image().Byte(29), saved.Byte(29));
  EXPECT_EQ(desktop.open_initials.back(), path);
  EXPECT_TRUE(C("MenuZpet").enabled);
}

TEST_F(StationTest, FileOfAnotherVersionChangesNothing) {
  Station& s = Start();
  const std::string path = (dir / "old.ign").string();
  std::ofstream(path) << "VELMORAX_KEY    67 \r\nBIKE             5 \r\n";
  s.image().SetByte(2700, 'x');
  const ParameterImage before = s.image();
  desktop.open_path = path;
  s.MenuOpenClick();
  EXPECT_EQ(desktop.messages, (std::vector<std::string>{"Unmatched version of *.ign file!"}));
  EXPECT_EQ(s.image(), before);
  EXPECT_EQ(s.file_label(), "");
  desktop.open_path = (dir / "missing.ign").string();
  s.MenuOpenClick();
  EXPECT_EQ(desktop.messages.back(), "Open file error!");
}

TEST_F(StationTest, SaveToAnUnwritablePlaceSaysSoAndKeepsTheLabel) {
  Station& s = Start();
  desktop.save_path = (dir / "no-such-dir" / "x.ign").string();
  s.MenuSaveClick();
  EXPECT_EQ(desktop.messages, (std::vector<std::string>{"Open file error!"}));
  EXPECT_EQ(s.file_label(), "");
}

TEST_F(StationTest, NewAsksAndOnlyYesResetsTheSet) {
  Station& s = Start();
  s.image().SetByte(29, 60);
  s.RecordChange();
  for (Desktop::Answer answer : {Desktop::Answer::kNo, Desktop::Answer::kCancel}) {
    desktop.answer = answer;
    s.MenuNewClick();
    EXPECT_EQ(s.image().Byte(29), 60);
  }
  desktop.answer = Desktop::Answer::kYes;
  s.MenuNewClick();
  EXPECT_NE(s.image().Byte(29), 60);
  EXPECT_EQ(desktop.questions.back(), "Do you want default setting?");
  s.MenuNewActPageClick();
  EXPECT_EQ(desktop.questions.back(), "Do you want default setting for this page?");
}

// What the status line said after a read belongs to the set the unit holds: a new set, a file or
// even a cancelled file dialog takes it and the gauge away for good, so "Verify: OK" never stands
// beside a set the unit does not hold. Answering No to New changes nothing, the line included.
TEST_F(StationTest, NewAndOpenTakeTheStatusLineAndTheGaugeAway) {
  const std::string bike8 = (dir / "bike8.ign").string();
  ASSERT_TRUE(SaveParameterFile(bike8, DefaultParameterSet(8)).ok());
  const std::string old_version = (dir / "old.ign").string();
  std::ofstream(old_version) << "VELMORAX_KEY    67 \r\nBIKE             5 \r\n";
  struct Case {
    const char* name;
    void (Station::*click)();
    Desktop::Answer answer;           // to "Do you want default setting?"
    std::optional<std::string> file;  // what the open dialog gives
    bool hidden;
  };
  const Case cases[] = {
      {"new", &Station::MenuNewClick, Desktop::Answer::kYes, {}, true},
      {"new for the page", &Station::MenuNewActPageClick, Desktop::Answer::kYes, {}, true},
      {"open", &Station::MenuOpenClick, Desktop::Answer::kYes, bike8, true},
      {"open for the page", &Station::MenuOpenActPageClick, Desktop::Answer::kYes, bike8, true},
      {"cancelled open", &Station::MenuOpenClick, Desktop::Answer::kYes, std::nullopt, true},
      {"open of another version", &Station::MenuOpenClick, Desktop::Answer::kYes, old_version,
       true},
      {"new answered no", &Station::MenuNewClick, Desktop::Answer::kNo, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Station& s = Start();
    s.MenuReadClick();
    RunUntilIdle();
    ASSERT_EQ(C("LabelHlaseni").text, "Verify: OK");
    ASSERT_TRUE(C("LabelHlaseni").visible);
    desktop.answer = c.answer;
    desktop.open_path = c.file;
    (s.*c.click)();
    for (int tick = 0; tick < 3; ++tick) {
      EXPECT_EQ(C("LabelHlaseni").visible, !c.hidden) << "tick " << tick;
      EXPECT_EQ(C("CGaugeProgram").visible, !c.hidden) << "tick " << tick;
      Tick();
    }
  }
}

TEST_F(StationTest, HelpThatCannotBeOpenedIsReportedInTheLanguage) {
  struct Case {
    const char* word;
    const char* document;
    const char* message;
  };
  const Case cases[] = {
      {"ENGLISH", "korvan_2007_en.pdf", "Error by opening file korvan_2007_en.pdf !"},
      {"DEUTSCH", "korvan_2007_de.pdf",
       "Fehler beim \xC3\xB6"
       "ffnen der Datei korvan_2007_de.pdf !"},
      {"FRENCH", "korvan_2007_fr.pdf",
       "Erreur \xC3\xA0 l\xC2\xB4ouvertur du Fichier korvan_2007_fr.pdf !"},
      {"CESKY", "korvan_2007_cz.pdf",
       "Chyba p\xC5\x99i otev\xC3\xADr\xC3\xA1n\xC3\xAD souboru korvan_2007_cz.pdf !"},
  };
  // The message goes on with where the document was looked for, or, when it is there and the
  // viewer failed, where it lies.
  for (const Case& c : cases) {
    const std::string document = (dir / c.document).string();
    Station& s = Start({c.word});
    desktop.document_opens = false;
    s.MenuContensClick();
    EXPECT_EQ(desktop.documents.back(), document) << c.word;
    EXPECT_EQ(desktop.messages.back().substr(0, std::string(c.message).size() + 2),
              std::string(c.message) + "\n\n")
        << c.word;
    EXPECT_TRUE(desktop.messages.back().ends_with("\n" + document)) << desktop.messages.back();
    std::ofstream(document) << "%PDF-1.4\n";
    s.MenuContensClick();
    EXPECT_TRUE(desktop.messages.back().starts_with(std::string(c.message) + "\n\n")) << c.word;
    EXPECT_TRUE(desktop.messages.back().ends_with(":\n" + document)) << desktop.messages.back();
    std::filesystem::remove(document);
  }
  EXPECT_EQ(desktop.messages.back(),
            "Chyba p\xC5\x99i otev\xC3\xADr\xC3\xA1n\xC3\xAD souboru korvan_2007_cz.pdf !\n\n"
            "Žádný program ho nedokázal zobrazit. Dokument je zde:\n" +
                (dir / "korvan_2007_cz.pdf").string());
}

// The desktop's opener may report its failure only after the window went on (a viewer that
// cannot show the file makes xdg-open end with a failing status): the same message then.
TEST_F(StationTest, AViewerFailingLaterIsReportedWithWhereTheDocumentIs) {
  Station& s = Start();
  const std::string document = (dir / "korvan_2007_en.pdf").string();
  std::ofstream(document) << "%PDF-1.4\n";
  s.MenuContensClick();
  const std::size_t shown = desktop.messages.size();
  s.DocumentOpenFailed(document);
  ASSERT_EQ(desktop.messages.size(), shown + 1);
  EXPECT_EQ(desktop.messages.back(),
            "Error by opening file korvan_2007_en.pdf !\n\nNo program could show it. The document "
            "is here:\n" +
                document);
}

TEST_F(StationTest, HelpIsTakenBesideTheProgramBeforeTheDataDirectory) {
  const std::filesystem::path data = dir / "share";
  std::filesystem::create_directories(data);
  StationPaths paths = Paths();
  paths.data_dir = data.string();
  Station installed(port, desktop, paths);
  installed.FormCreate({});
  const std::size_t messages = desktop.messages.size();
  // Only in the data directory (an installed station): taken from there.
  std::ofstream(data / "korvan_2007_en.pdf") << "%PDF-1.4";
  installed.MenuContensClick();
  EXPECT_EQ(desktop.documents.back(), (data / "korvan_2007_en.pdf").string());
  // Beside the program too (the build tree): that one wins.
  std::ofstream(dir / "korvan_2007_en.pdf") << "%PDF-1.4";
  installed.MenuContensClick();
  EXPECT_EQ(desktop.documents.back(), (dir / "korvan_2007_en.pdf").string());
  EXPECT_EQ(desktop.messages.size(), messages);
}

TEST_F(StationTest, AboutOpensInTheCurrentLanguage) {
  Station& s = Start({"DEUTSCH"});
  s.MenuAboutClick();
  s.MenuCzechClick();
  s.MenuAboutClick();
  EXPECT_EQ(desktop.abouts, (std::vector<Language>{Language::kGerman, Language::kCzech}));
}

TEST_F(StationTest, NoConnectionLabelReplacesTheVersionLabel) {
  unit.fault().silent = true;
  Station& s = Start();
  (void)s;
  Tick(6);
  EXPECT_FALSE(C("LabelSpojeni").visible);
  EXPECT_TRUE(C("LabelVersion").visible);
  Tick();
  EXPECT_TRUE(C("LabelSpojeni").visible);
  EXPECT_FALSE(C("LabelVersion").visible);
  EXPECT_EQ(C("LabelSpojeni").text, "No connection with PC");
}

TEST_F(StationTest, NoReadingCheckBoxWritesImageByteOne) {
  Station& s = Start();
  s.controls().SetChecked(H("CheckBoxZakazCteni"), true);
  s.CheckBoxZakazCteniClick();
  EXPECT_EQ(s.image().Byte(1), 1);
  EXPECT_EQ(C("CheckBoxZakazCteni").color, 0xFF0000u);
  s.controls().SetChecked(H("CheckBoxZakazCteni"), false);
  s.CheckBoxZakazCteniClick();
  EXPECT_EQ(s.image().Byte(1), 0);
}

}  // namespace
}  // namespace korvan

namespace korvan {
namespace {

TEST(PageCaptionTest, TabsCarryTheCaptionsOfTheLanguage) {
  EXPECT_EQ(PageCaption(kPageInj1A, Language::kEnglish), "Inj. 1");
  EXPECT_EQ(PageCaption(kPageInjIap, Language::kGerman), "Einsp. IAP");
  EXPECT_EQ(PageCaption(kPageCorrections, Language::kFrench), "Corrections");  // as English
  EXPECT_EQ(PageCaption(kPageExhaustServo, Language::kCzech), "Výfukové servo ");
  EXPECT_EQ(PageCaption(19, Language::kEnglish), "");
}

}  // namespace
}  // namespace korvan
