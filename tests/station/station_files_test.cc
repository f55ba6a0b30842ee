// The files the station keeps between runs when they cannot be read, and the default set the
// command line writes against the one the window writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "file_text.h"
#include "settings/settings_file.h"
#include "station/station.h"
#include "station_fixture.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

// Larger than the station reads: the file is there, but cannot be read.
std::string Oversized() { return "[PORTS]\r\nCom5=/dev/ttyACM7\r\n" + std::string(2 << 20, ';'); }

class StationFilesTest : public ::testing::Test, public StationFixture {};

TEST_F(StationFilesTest, UnreadableSavedSettingsAreSaidOnceAndKeptAsideAtClose) {
  for (const bool settings_bad : {true, false}) {
    SCOPED_TRACE(settings_bad ? "settings file" : "image dump");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path bad = settings_bad ? Paths().settings_file : Paths().image_dump;
    WriteWhole(bad, Oversized());

    Station& s = Start({"DEUTSCH"});
    EXPECT_EQ(s.image().Byte(0), 11);  // the start set stays
    EXPECT_TRUE(C("LabelHlaseni").visible);
    EXPECT_EQ(C("LabelHlaseni").text,
              "Gespeicherte Einstellungen nicht lesbar, Standardwerte aktiv!");
    EXPECT_EQ(C("LabelHlaseni").color, 0xFF0000u);
    EXPECT_TRUE(desktop.messages.empty());
    // Shown as long as a transfer result is, then gone for good.
    Tick(TransferSession::kStatusTicks - 1);
    EXPECT_TRUE(C("LabelHlaseni").visible);
    Tick();
    EXPECT_FALSE(C("LabelHlaseni").visible);
    Tick(TransferSession::kStatusTicks);
    EXPECT_FALSE(C("LabelHlaseni").visible);

    s.FormClose();
    EXPECT_TRUE(ReadWhole(bad.string() + ".unreadable") == Oversized());
    StoredFileState state = StoredFileState::kMissing;
    LoadSettings(Paths().settings_file, {}, &state);
    EXPECT_EQ(state, StoredFileState::kRead);
    ParameterImage image;
    ToolModes modes{};
    ASSERT_TRUE(LoadImageDump(Paths().image_dump, image, modes, &state).has_value());
    EXPECT_EQ(image, s.image());
  }
}

TEST_F(StationFilesTest, ATransferStatusTakesTheLineFromTheNotice) {
  WriteWhole(Paths().settings_file, Oversized());
  Station& s = Start();
  EXPECT_EQ(C("LabelHlaseni").text, "Saved settings could not be read, defaults in use!");
  s.MenuVerifyClick();
  RunUntilIdle();
  EXPECT_EQ(C("LabelHlaseni").text, "Verify: OK");
  Tick(TransferSession::kStatusTicks);
  EXPECT_FALSE(C("LabelHlaseni").visible);  // the notice does not come back
}

TEST_F(StationFilesTest, MissingFilesAreAFirstStartAndSayNothing) {
  Station& s = Start();
  EXPECT_FALSE(C("LabelHlaseni").visible);
  s.FormClose();
  EXPECT_FALSE(fs::exists(Paths().settings_file + ".unreadable"));
  EXPECT_FALSE(fs::exists(Paths().image_dump + ".unreadable"));
}

class NoWaitClock : public TickClock {
 public:
  void WaitForNextTick() override {}
};

// `korvan defaults --bike N` and the window's New for bike N write the same file, for every
// bike. The window's bike list sets byte 0 before it asks for New; the test does the same.
TEST_F(StationFilesTest, CommandLineDefaultsEqualWhatTheWindowsNewSaves) {
  NoWaitClock clock;
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  for (int bike = 0; bike <= 49; ++bike) {
    const fs::path from_window = dir / ("window" + std::to_string(bike) + ".ign");
    const fs::path from_command = dir / ("command" + std::to_string(bike) + ".ign");

    Station& s = Start();
    s.image().SetByte(0, static_cast<unsigned>(bike));
    desktop.answer = Desktop::Answer::kYes;
    s.MenuNewClick();
    desktop.save_path = from_window.string();
    s.MenuSaveClick();

    ASSERT_EQ(
        RunCommandLine({"defaults", "--bike", std::to_string(bike), "-o", from_command.string()},
                       port, clock, out, out),
        kExitOk);
    const std::string window_file = ReadWhole(from_window);
    ASSERT_FALSE(window_file.empty()) << "bike " << bike;
    EXPECT_TRUE(ReadWhole(from_command) == window_file) << "bike " << bike;
  }
  std::fclose(out);
}

}  // namespace
}  // namespace korvan
