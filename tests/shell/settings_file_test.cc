#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "link/port_map.h"
#include "shell/ini_document.h"
#include "shell/port_settings.h"

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
  ASSERT_TRUE(SaveSettings(PathOf("Korvan_2007_v68ini"), flipped).ok());
  EXPECT_EQ(LoadSettings(PathOf("Korvan_2007_v68ini"), saved), flipped);
}

TEST_F(SettingsFileTest, WritesTheStationsKeyNames) {
  const std::string text = SettingsToText("", NonDefaultValues());
  for (const char* line :
       {"[BASIC]\n", "Left=-12\n", "Top=34\n", "Height=901\n", "Width=1056\n", "ComPort=7\n",
        "Language=3\n", "File=/home/tuner/sets/race 2007.txt\n", "IniDir=/home/tuner/sets\n",
        "PageControl1->ActivePageIndex=12\n", "CheckBoxZobrMs_Uni->Checked=1\n",
        "CheckBoxExtMonitor->Checked=0\n", "CheckBoxAll_PolohaA->Checked=1\n",
        "CheckBoxAll_PolohaB->Checked=1\n"}) {
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
  EXPECT_EQ(text.rfind("; station settings\n[PORTS]\n", 0), 0u);
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

TEST_F(SettingsFileTest, UnreadableOldFileIsLeftAlone) {
  // A directory in the file's place cannot be read; replacing it would lose what it holds.
  fs::create_directories(dir_ / "Korvan_2007_v68ini" / "inside");
  const SettingsSaveResult result = SaveSettings(PathOf("Korvan_2007_v68ini"), {});
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
  EXPECT_EQ(doc.Format(), "[A]\nK=3\nn=4\n\n[B]\nm=2\n\n[C]\np=5\n");
  EXPECT_EQ(doc.Get("b", "M"), "2");
  EXPECT_EQ(doc.Get("B", "k"), std::nullopt);
  EXPECT_EQ(doc.Get("D", "k"), std::nullopt);
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
