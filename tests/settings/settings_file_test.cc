#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "link/port_map.h"
#include "settings/ini_document.h"
#include "settings/port_settings.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::path(::testing::TempDir()) / "korvan_settings" / info->name();
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  void WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  std::string ReadText(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path dir_;
};

StationSettingsValues NonDefaultValues() {
  StationSettingsValues v;
  v.left = -12;
  v.top = 34;
  v.height = 901;
  v.width = 1056;
  v.com_port = 7;
  v.language = 3;
  v.file = "/home/tuner/sets/race 2007.txt";
  v.ini_dir = "/home/tuner/sets";
  v.active_page = 12;
  v.zobr_ms_uni = true;
  v.ext_monitor = false;
  v.all_poloha_a = true;
  v.all_poloha_b = true;
  v.cell_grades = true;
  return v;
}

TEST_F(SettingsFileTest, EveryKeySurvivesSaveAndLoad) {
  const StationSettingsValues saved = NonDefaultValues();
  ASSERT_TRUE(SaveSettings(PathOf("Korvan_2007_v68ini"), saved).ok());
  EXPECT_EQ(LoadSettings(PathOf("Korvan_2007_v68ini"), StationSettingsValues{}), saved);

  // Check boxes flip the other way too.
  StationSettingsValues flipped = saved;
  flipped.zobr_ms_uni = false;
  flipped.ext_monitor = true;
  flipped.cell_grades = false;
  flipped.print_grades = true;
  ASSERT_TRUE(SaveSettings(PathOf("Korvan_2007_v68ini"), flipped).ok());
  EXPECT_EQ(LoadSettings(PathOf("Korvan_2007_v68ini"), saved), flipped);
}

TEST_F(SettingsFileTest, WritesTheStationsKeyNames) {
  const std::string text = SettingsToText("", NonDefaultValues());
  for (const char* line :
       {"[BASIC]\r\n", "Left=-12\r\n", "Top=34\r\n", "Height=901\r\n", "Width=1056\r\n",
        "ComPort=7\r\n", "Language=3\r\n", "File=/home/tuner/sets/race 2007.txt\r\n",
        "IniDir=/home/tuner/sets\r\n", "PageControl1->ActivePageIndex=12\r\n",
        "CheckBoxZobrMs_Uni->Checked=1\r\n", "CheckBoxExtMonitor->Checked=0\r\n",
        "CheckBoxAll_PolohaA->Checked=1\r\n", "CheckBoxAll_PolohaB->Checked=1\r\n",
        "MenuCellGrades->Checked=1\r\n", "MenuPrintGrades->Checked=0\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
}

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults) {
  const StationSettingsValues defaults = NonDefaultValues();
  EXPECT_EQ(LoadSettings(PathOf("none"), defaults), defaults);
}

TEST_F(SettingsFileTest, MissingOrUnreadableKeysKeepTheirDefaults) {
  const StationSettingsValues defaults = NonDefaultValues();
  const StationSettingsValues read = SettingsFromText(
      "[BASIC]\r\nLanguage=1\r\nWidth=wide\r\nHeight=\r\ncomport = 3 \r\n"
      "CheckBoxExtMonitor->Checked=5\r\nLeft=99999999999\r\n[OTHER]\r\nTop=1\r\n",
      defaults);
  StationSettingsValues expected = defaults;
  expected.language = 1;
  expected.com_port = 3;        // keys compare without regard to case, values are trimmed
  expected.ext_monitor = true;  // any non-zero number is checked
  EXPECT_EQ(read, expected);    // Width, Height and Left do not parse; Top is in another section
}

TEST_F(SettingsFileTest, ComPortZeroIsKeptAsReadAndGivesIndex255) {
  const StationSettingsValues read = SettingsFromText("[BASIC]\nComPort=0\n", {});
  EXPECT_EQ(read.com_port, 0);
  EXPECT_EQ(PortIndexFromComPort(read.com_port), 255);
  EXPECT_EQ(PortIndexFromComPort(1), 0);
  EXPECT_EQ(PortIndexFromComPort(20), 19);
}

TEST_F(SettingsFileTest, SavingKeepsSectionsAndKeysItDoesNotOwn) {
  WriteText("Korvan_2007_v68ini",
            "; station settings\n[PORTS]\nCom1=/dev/ttyUSB0\nCom5=/dev/pts/7\n\n"
            "[BASIC]\nLeft=5\nFuture=keep me\n\n[LATER]\nx=y\n");
  ASSERT_TRUE(SaveSettings(PathOf("Korvan_2007_v68ini"), NonDefaultValues()).ok());

  const std::string text = ReadText("Korvan_2007_v68ini");
  const IniDocument doc = IniDocument::Parse(text);
  EXPECT_EQ(doc.Get("BASIC", "Future"), "keep me");
  EXPECT_EQ(doc.Get("LATER", "x"), "y");
  EXPECT_EQ(doc.Get("BASIC", "Left"), "-12");
  EXPECT_EQ(text.rfind("; station settings\r\n[PORTS]\r\n", 0), 0u);
  EXPECT_EQ(text.find("Left=5"), std::string::npos);

  PortMap ports;
  ApplyPortSection(text, ports);
  EXPECT_EQ(ports.Device(4), "/dev/pts/7");
  EXPECT_EQ(LoadSettings(PathOf("Korvan_2007_v68ini"), {}), NonDefaultValues());
}

TEST_F(SettingsFileTest, SavingCreatesTheDirectory) {
  const std::string path = (dir_ / "new" / "deeper" / "Korvan_2007_v68ini").string();
  ASSERT_TRUE(SaveSettings(path, NonDefaultValues()).ok());
  EXPECT_EQ(LoadSettings(path, {}), NonDefaultValues());
}

// Far larger than any settings file or dump, and larger than the readers take.
std::string Oversized() { return "[PORTS]\r\nCom5=/dev/ttyACM7\r\n" + std::string(2 << 20, ';'); }

TEST_F(SettingsFileTest, LoadingSaysWhetherTheFileWasReadMissingOrUnreadable) {
  WriteText("read", "[BASIC]\r\nLanguage=2\r\n");
  WriteText("too large", Oversized());
  fs::create_directories(dir_ / "a directory");
  struct Case {
    const char* name;
    StoredFileState state;
  };
  for (const Case c :
       {Case{"read", StoredFileState::kRead}, Case{"none", StoredFileState::kMissing},
        Case{"too large", StoredFileState::kUnreadable},
        Case{"a directory", StoredFileState::kUnreadable}}) {
    StoredFileState settings = StoredFileState::kRead;
    StoredFileState dump = StoredFileState::kRead;
    const StationSettingsValues values =
        LoadSettings(PathOf(c.name), NonDefaultValues(), &settings);
    ParameterImage image;
    ToolModes modes{};
    LoadImageDump(PathOf(c.name), image, modes, &dump);
    EXPECT_EQ(settings, c.state) << c.name;
    EXPECT_EQ(dump, c.state) << c.name;
    EXPECT_EQ(values.language, c.state == StoredFileState::kRead ? 2 : 3) << c.name;
  }
}

// An old file that cannot be read is never written over: it goes aside whole, and the new file
// takes its place. Nothing of either is lost.
TEST_F(SettingsFileTest, UnreadableOldFilesAreKeptAsideBeforeTheNewOnesAreWritten) {
  const std::string settings = PathOf("Korvan_2007_v68ini");
  const std::string dump = PathOf("_Korvan_2007_v68ini");
  WriteText("Korvan_2007_v68ini", Oversized());
  WriteText("_Korvan_2007_v68ini", Oversized());
  WriteText("_Korvan_2007_v68ini.unreadable", "kept from before");

  const StoredFileSaveResult saved = SaveSettings(settings, NonDefaultValues());
  ASSERT_TRUE(saved.ok());
  EXPECT_EQ(saved.kept_aside, settings + ".unreadable");
  EXPECT_TRUE(ReadText("Korvan_2007_v68ini.unreadable") == Oversized());
  EXPECT_EQ(LoadSettings(settings, {}), NonDefaultValues());

  ParameterImage image;
  image.SetByte(0, 11);
  const StoredFileSaveResult dumped = SaveImageDump(dump, image, ToolModes{});
  ASSERT_TRUE(dumped.ok());
  EXPECT_EQ(dumped.kept_aside, dump + ".unreadable2");  // the first free name
  EXPECT_EQ(ReadText("_Korvan_2007_v68ini.unreadable"), "kept from before");
  EXPECT_TRUE(ReadText("_Korvan_2007_v68ini.unreadable2") == Oversized());
  ParameterImage back;
  ToolModes modes{};
  ASSERT_TRUE(LoadImageDump(dump, back, modes).has_value());
  EXPECT_EQ(back, image);

  // A readable file is written in place, with nothing set aside.
  EXPECT_EQ(SaveSettings(settings, {}).kept_aside, "");
  EXPECT_EQ(SaveImageDump(dump, image, ToolModes{}).kept_aside, "");
}

TEST_F(SettingsFileTest, UnreadableOldFileThatCannotBeMovedIsLeftAlone) {
  // A directory in the file's place holding a directory of the name it would move to.
  fs::create_directories(dir_ / "Korvan_2007_v68ini" / "inside");
  for (int n = 1; n <= 99; ++n) {
    fs::create_directories(
        dir_ / ("Korvan_2007_v68ini.unreadable" + (n == 1 ? std::string() : std::to_string(n))));
  }
  const StoredFileSaveResult result = SaveSettings(PathOf("Korvan_2007_v68ini"), {});
  EXPECT_FALSE(result.ok());
  EXPECT_TRUE(result.old_file_unreadable);
  EXPECT_TRUE(fs::is_directory(dir_ / "Korvan_2007_v68ini" / "inside"));
}

TEST_F(SettingsFileTest, TextWithLineBreaksCannotAddKeys) {
  StationSettingsValues values;
  values.file = "a\nLanguage=3";
  const StationSettingsValues read = SettingsFromText(SettingsToText("", values), {});
  EXPECT_EQ(read.language, 0);
  EXPECT_EQ(read.file, "a Language=3");
}

TEST(IniDocumentTest, SetReplacesOrAppendsInPlace) {
  IniDocument doc = IniDocument::Parse("[A]\nk=1\n\n[B]\nm=2\n");
  doc.Set("a", "K", "3");
  doc.Set("A", "n", "4");
  doc.Set("C", "p", "5");
  EXPECT_EQ(doc.Format(), "[A]\r\nK=3\r\nn=4\r\n\r\n[B]\r\nm=2\r\n\r\n[C]\r\np=5\r\n");
  EXPECT_EQ(doc.Get("b", "M"), "2");
  EXPECT_EQ(doc.Get("B", "k"), std::nullopt);
  EXPECT_EQ(doc.Get("D", "k"), std::nullopt);
}

TEST(IniDocumentTest, ReadsAnyLineEndsAndWritesCrLf) {
  for (const char* text : {"[A]\nk=1\n\n[B]\nm=2\n", "[A]\r\nk=1\r\n\r\n[B]\r\nm=2\r\n",
                           "[A]\rk=1\r\r[B]\rm=2\r", "[A]\nk=1\r\r\n[B]\rm=2"}) {
    const IniDocument doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.Get("A", "k"), "1") << text;
    EXPECT_EQ(doc.Get("B", "m"), "2") << text;
    EXPECT_EQ(doc.Format(), "[A]\r\nk=1\r\n\r\n[B]\r\nm=2\r\n") << text;
  }
}

TEST_F(SettingsFileTest, ImageDumpRoundTrip) {
  ParameterImage image;
  ToolModes modes{};
  for (int k = 0; k < kImageSize; ++k) image.SetByte(k, static_cast<unsigned>(k * 7));
  modes[2] = 1;
  modes[18] = 1;
  const std::string path = (dir_ / "sub" / "_Korvan_2007_v68ini").string();
  ASSERT_TRUE(SaveImageDump(path, image, modes).ok());

  ParameterImage loaded;
  ToolModes loaded_modes{};
  const std::optional<DumpReadResult> read = LoadImageDump(path, loaded, loaded_modes);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->image_bytes, kImageSize);
  EXPECT_EQ(read->tool_modes, kPageCount);
  EXPECT_EQ(loaded, image);
  EXPECT_EQ(loaded_modes, modes);
}

TEST_F(SettingsFileTest, MissingImageDumpChangesNothing) {
  ParameterImage image;
  image.SetByte(0, 11);
  ToolModes modes{};
  modes[1] = 1;
  EXPECT_FALSE(LoadImageDump(PathOf("none"), image, modes).has_value());
  EXPECT_EQ(image.Byte(0), 11);
  EXPECT_EQ(modes[1], 1);
}

TEST_F(SettingsFileTest, ShortOrGarbledDumpFillsOnlyTheLeadingBytes) {
  struct Case {
    const char* text;
    int image_bytes;
    unsigned byte0, byte1, byte2;
  };
  for (const Case c :
       {Case{"", 0, 9, 9, 9}, Case{"  11 300", 2, 11, 44, 9}, Case{"11 x 12 13", 1, 11, 9, 9},
        Case{"11 12abc 13", 1, 11, 9, 9}, Case{"\r\n 1\t2\r\n 3 ", 3, 1, 2, 3}}) {
    WriteText("dump", c.text);
    ParameterImage image;
    for (int k = 0; k < kImageSize; ++k) image.SetByte(k, 9);
    ToolModes modes{};
    modes.fill(1);
    const std::optional<DumpReadResult> read = LoadImageDump(PathOf("dump"), image, modes);
    ASSERT_TRUE(read.has_value()) << c.text;
    EXPECT_EQ(read->image_bytes, c.image_bytes) << c.text;
    EXPECT_EQ(read->tool_modes, 0) << c.text;
    EXPECT_EQ(image.Byte(0), c.byte0) << c.text;
    EXPECT_EQ(image.Byte(1), c.byte1) << c.text;
    EXPECT_EQ(image.Byte(2), c.byte2) << c.text;
    EXPECT_EQ(image.Byte(kImageSize - 1), 9) << c.text;
    EXPECT_EQ(modes[0], 1) << c.text;
  }
}

TEST_F(SettingsFileTest, TestModeMarker) {
  struct Case {
    const char* text;
    bool on;
  };
  for (const Case c :
       {Case{"PROBE_ALLOW", true}, Case{"x\r\n\tPROBE_ALLOW \n", true},
        Case{"one two PROBE_ALLOW", true}, Case{"", false}, Case{"probe_allow", false},
        Case{"PROBE_ALLOWED", false}, Case{"xPROBE_ALLOW", false}, Case{"PROBE_ALLOW;", false}}) {
    WriteText("test_kalder.txt", c.text);
    EXPECT_EQ(ReadTestModeMarker(PathOf("test_kalder.txt")), c.on) << c.text;
  }
  EXPECT_FALSE(ReadTestModeMarker(PathOf("missing.txt")));
}

TEST(LanguageFromArgumentTest, OnlyTheExactWords) {
  EXPECT_EQ(LanguageFromArgument("ENGLISH"), 0);
  EXPECT_EQ(LanguageFromArgument("DEUTSCH"), 1);
  EXPECT_EQ(LanguageFromArgument("FRENCH"), 2);
  EXPECT_EQ(LanguageFromArgument("CESKY"), 3);
  for (const char* word : {"deutsch", "Deutsch", "GERMAN", " ENGLISH", "CESKY ", "", "CZECH"}) {
    EXPECT_EQ(LanguageFromArgument(word), std::nullopt) << '"' << word << '"';
  }
}

TEST(SettingsPathsTest, BesideTheSettingsFile) {
  const fs::path settings(SettingsFilePath());
  EXPECT_EQ(fs::path(ImageDumpPath()), settings.parent_path() / "_Korvan_2007_v68ini");
  EXPECT_EQ(fs::path(TestModeMarkerPath()), settings.parent_path() / "test_kalder.txt");
}

}  // namespace
}  // namespace korvan
