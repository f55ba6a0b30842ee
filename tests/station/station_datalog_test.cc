#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datalog/recording.h"
#include "image/field_dictionary.h"
#include "image/page_index.h"
#include "station/station_fixture.h"

namespace korvan {
namespace {

// What the window shows for one frame: the live values, and the colour, text and visibility of
// every control but the status line and its companions (which say that a replay runs) and the
// menus: the live panel, the monitor page and the live cursor of every page are among them.
struct Shown {
  LiveValues live;
  std::vector<std::string> controls;
};

class StationDatalogTest : public ::testing::Test {
 protected:
  Shown Now() const {
    Shown s{fx_.station->live(), {}};
    const ControlSet& c = fx_.station->controls();
    for (int h = 0; h < c.size(); ++h) {
      const Control& control = c.Get(static_cast<ControlHandle>(h));
      const std::string_view name = control.name;
      if (name.starts_with("Menu") || name == "LabelHlaseni" || name == "CGaugeProgram" ||
          name == "LabelSpojeni" || name == "LabelVersion") {
        continue;
      }
      s.controls.push_back(control.name + " " + std::to_string(control.color) + " " +
                           std::to_string(control.font_color) + " " +
                           std::to_string(control.visible) + " " + control.text);
    }
    return s;
  }

  // Records `ticks` ticks of the emulated unit on the page given; what the station showed for
  // each recorded frame.
  std::vector<Shown> Record(int page, int ticks) {
    Station& st = fx_.Start();
    st.PageControl1Change(page);
    st.MenuLogRecordClick();
    EXPECT_TRUE(st.datalog().recording());
    std::vector<Shown> shown;
    for (int i = 0; i < ticks; ++i) {
      const std::size_t before = st.datalog().recorder().frames();
      fx_.Tick();
      if (st.datalog().recorder().frames() != before) shown.push_back(Now());
    }
    path_ = st.datalog().recorder().path();
    st.MenuLogRecordClick();
    EXPECT_FALSE(st.datalog().recording());
    return shown;
  }

  void OpenReplay() {
    fx_.desktop.open_path = path_;
    fx_.station->MenuLogReplayClick();
    ASSERT_NE(fx_.station->datalog().replay(), nullptr);
  }

  StationFixture fx_;
  std::string path_;
};

TEST_F(StationDatalogTest, ARecordingLiesInTheLogsFolderBesideTheSettings) {
  const std::size_t shown = Record(kPageAdvance, 30).size();
  EXPECT_EQ(std::filesystem::path(path_).parent_path(), fx_.dir / "logs");
  EXPECT_TRUE(path_.ends_with(".kvlog"));
  EXPECT_GE(shown, 4u);  // one frame every sixth tick
  EXPECT_EQ(ReadRecording(path_).recording.frames.size(), shown);
  const std::string folder = fx_.C("MenuLogFolder").text;
  EXPECT_NE(folder.find((fx_.dir / "logs").string()), std::string::npos);
}

// The replay goes through the decoder, the live panel and the cursor of the live link: frame by
// frame it shows what the station showed while recording.
TEST_F(StationDatalogTest, AReplayShowsFrameByFrameWhatTheLiveLinkShowed) {
  for (const int page : {kPageAdvance, kPageInj1A, kPageInjIap, kPageCorrections, kPageMonitor}) {
    SCOPED_TRACE(page);
    fx_.station.reset();
    const std::vector<Shown> recorded = Record(page, 600);
    ASSERT_GT(recorded.size(), 90u);
    // The engine moved: the comparison below is of frames that differ.
    ASSERT_NE(recorded.front().live, recorded.back().live);
    ASSERT_NE(recorded[10].controls, recorded[50].controls);
    OpenReplay();
    Station& st = *fx_.station;
    st.datalog().ReplayPlayPauseClick();  // pause: the first frame is on display
    for (std::size_t i = 0; i < recorded.size(); ++i) {
      const Shown now = Now();
      ASSERT_EQ(now.live, recorded[i].live) << "frame " << i;
      ASSERT_EQ(now.controls.size(), recorded[i].controls.size());
      for (std::size_t k = 0; k < now.controls.size(); ++k) {
        ASSERT_EQ(now.controls[k], recorded[i].controls[k]) << "frame " << i;
      }
      st.datalog().ReplayStepClick();
    }
    EXPECT_EQ(st.datalog().replay()->position(), static_cast<std::ptrdiff_t>(recorded.size()) - 1);
  }
}

TEST_F(StationDatalogTest, PlayingReachesTheEndFasterAtAHigherSpeed) {
  Record(kPageAdvance, 120);
  OpenReplay();
  Station& st = *fx_.station;
  const std::size_t frames = st.datalog().replay()->frame_count();
  st.datalog().ReplaySpeedClick(16);
  fx_.Tick(120 / 16 + 2);
  EXPECT_EQ(st.datalog().replay()->position(), static_cast<std::ptrdiff_t>(frames) - 1);
  EXPECT_FALSE(st.datalog().replay()->playing());
}

// A jump (the slider, a click in the plot, step after a jump back) shows what playing up to the
// frame shows: the injection duty takes the engine speed of the frame recorded before, not of the
// frame shown before the jump.
TEST_F(StationDatalogTest, AJumpToAFrameShowsWhatPlayingUpToItShowed) {
  const std::vector<Shown> recorded = Record(kPageInj1A, 600);
  ASSERT_GT(recorded.size(), 90u);
  OpenReplay();
  Station& st = *fx_.station;
  st.datalog().ReplayPlayPauseClick();
  const std::size_t last = recorded.size() - 1;
  struct Jump {
    const char* how;
    std::size_t frame;
  };
  // Back and forth over the ride, far and near, the ends included.
  const Jump jumps[] = {{"slider", 57},     {"slider", 3},        {"plot", 90},
                        {"slider", 0},      {"plot", 41},         {"slider", last},
                        {"back", last - 1}, {"slider", 12},       {"back", 11},
                        {"plot", 12},       {"slider", last / 2}, {"step", last / 2 + 1}};
  const std::vector<RecordedFrame>& frames = st.datalog().replay()->recording().frames;
  for (Jump jump : jumps) {
    if (std::string_view(jump.how) == "plot") {
      // A click at a frame's time shows the last frame of that millisecond.
      const std::uint32_t t = frames[jump.frame].time_ms;
      while (jump.frame + 1 < frames.size() && frames[jump.frame + 1].time_ms == t) ++jump.frame;
    }
    SCOPED_TRACE(std::string(jump.how) + " to frame " + std::to_string(jump.frame));
    if (std::string_view(jump.how) == "plot") {
      st.datalog().ReplaySeekTime(frames[jump.frame].time_ms);
    } else if (std::string_view(jump.how) == "step") {
      st.datalog().ReplayStepClick();
    } else {
      st.datalog().ReplaySeek(jump.frame);  // the slider, and the step back the slider makes
    }
    ASSERT_EQ(st.datalog().replay()->position(), static_cast<std::ptrdiff_t>(jump.frame));
    const Shown now = Now();
    EXPECT_EQ(now.live, recorded[jump.frame].live);
    EXPECT_EQ(now.live.injection_duty, recorded[jump.frame].live.injection_duty);
    EXPECT_EQ(now.controls, recorded[jump.frame].controls);
  }
}

// Playing stops at the last frame, and the position shown stops with it.
TEST_F(StationDatalogTest, ThePositionShownStopsAtTheEnd) {
  Record(kPageAdvance, 200);
  for (const int speed : {1, 4, 16}) {
    SCOPED_TRACE(speed);
    OpenReplay();
    Station& st = *fx_.station;
    st.datalog().ReplaySpeedClick(speed);
    fx_.Tick(400);
    ASSERT_FALSE(st.datalog().replay()->playing());
    EXPECT_EQ(st.datalog().replay()->time_ms(), st.datalog().replay()->duration_ms());
    const std::string status = fx_.C("LabelHlaseni").text;
    const std::string position = status.substr(status.rfind("  ") + 2);
    const std::string end = position.substr(position.find(" / ") + 3);
    EXPECT_EQ(position.substr(0, position.find(" / ")) + " s", end) << status;
    // Play at the end starts over, from the first frame's time.
    st.datalog().ReplayPlayPauseClick();
    EXPECT_EQ(st.datalog().replay()->time_ms(),
              st.datalog().replay()->recording().frames.front().time_ms);
    st.MenuLogStopReplayClick();
  }
}

// A recording begun before any map page was shown holds the set's cylinders and limiter, and a
// replay decodes with them: the advance shown is the mean over the engine's cylinders.
TEST_F(StationDatalogTest, ARecordingHoldsTheDecoderInputsOfTheSetWhateverPageIsShown) {
  Record(kPageCorrections, 30);
  const ParameterImage& image = fx_.station->image();
  ASSERT_GE(image.Byte(kCylinderCountOffset), 2);
  const RecordingReadResult read = ReadRecording(path_);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.recording.header.cylinders, image.Byte(kCylinderCountOffset));
  EXPECT_EQ(read.recording.header.ignition_limiter, image.Byte(29));
}

TEST_F(StationDatalogTest, WhileReplayingTheUnitIsNotAskedAndTheStatusLineSaysSo) {
  Record(kPageAdvance, 60);
  OpenReplay();
  fx_.port.ClearSent();
  fx_.desktop.answer = Desktop::Answer::kNo;  // the replay goes on
  fx_.station->MenuReadClick();
  fx_.Tick(100);
  EXPECT_TRUE(fx_.port.sent().empty());
  EXPECT_EQ(fx_.station->session().state(), SessionState::kIdle);
  const Control& status = fx_.C("LabelHlaseni");
  EXPECT_TRUE(status.visible);
  EXPECT_TRUE(status.text.starts_with("Replay, the unit is not asked: ")) << status.text;
  EXPECT_FALSE(fx_.C("LabelSpojeni").visible);

  fx_.station->MenuLogStopReplayClick();
  EXPECT_EQ(fx_.station->datalog().replay(), nullptr);
  EXPECT_FALSE(fx_.station->live().has_frame);
  fx_.Tick(6);
  EXPECT_FALSE(fx_.port.sent().empty());
}

// A command that needs the unit, asked for during a replay, is neither dropped nor run behind the
// user's back: the station asks, naming the command. Yes ends the replay and runs the command,
// which then shows on the status line (or the record button); No leaves the replay running and
// the unit alone.
TEST_F(StationDatalogTest, ACommandForTheUnitDuringAReplayAsksWhetherToEndIt) {
  struct Command {
    const char* name;  // as the question names it
    void (Station::*click)();
    SessionState runs;  // the session's state once it started (kIdle: the recording starts)
    const char* status;
  };
  const Command commands[] = {
      {"Read", &Station::MenuReadClick, SessionState::kRead, "Read:"},
      {"Verify", &Station::MenuVerifyClick, SessionState::kVerify, "Verify:"},
      {"Program", &Station::MenuProgramClick, SessionState::kProgram, "Program device:"},
      {"Show differences", &Station::MenuShowDifferencesClick, SessionState::kRead, "Read:"},
      {"Start recording", &Station::MenuLogRecordClick, SessionState::kIdle, nullptr},
  };
  Record(kPageAdvance, 40);
  for (const Command& command : commands) {
    for (const Desktop::Answer answer : {Desktop::Answer::kNo, Desktop::Answer::kYes}) {
      const bool yes = answer == Desktop::Answer::kYes;
      SCOPED_TRACE(std::string(command.name) + (yes ? ", yes" : ", no"));
      fx_.Start();
      OpenReplay();
      Station& st = *fx_.station;
      fx_.desktop.questions.clear();
      fx_.desktop.answer = answer;
      (st.*command.click)();
      ASSERT_EQ(fx_.desktop.questions.size(), 1u);
      EXPECT_EQ(fx_.desktop.questions[0], std::string("A recording is being replayed. Stop the "
                                                      "replay and run \"") +
                                              command.name + "\"?");
      EXPECT_EQ(st.datalog().replay() == nullptr, yes);
      EXPECT_EQ(st.session().state(), yes ? command.runs : SessionState::kIdle);
      EXPECT_EQ(st.datalog().recording(), yes && command.runs == SessionState::kIdle);
      if (yes && command.status != nullptr) {
        EXPECT_EQ(fx_.C("LabelHlaseni").text, command.status);
        EXPECT_TRUE(fx_.C("LabelHlaseni").visible);
      }
      if (!yes) {
        fx_.port.ClearSent();
        fx_.Tick(12);
        EXPECT_TRUE(fx_.port.sent().empty());
        EXPECT_TRUE(fx_.C("LabelHlaseni").text.starts_with("Replay, the unit is not asked: "));
      }
      if (st.datalog().recording()) st.MenuLogRecordClick();
    }
  }
  // Without a replay nothing is asked.
  fx_.Start();
  fx_.desktop.questions.clear();
  fx_.station->MenuVerifyClick();
  EXPECT_TRUE(fx_.desktop.questions.empty());
  EXPECT_EQ(fx_.station->session().state(), SessionState::kVerify);
}

TEST_F(StationDatalogTest, ABadRecordingIsRefusedWithAMessageAndLosesNothing) {
  Station& st = fx_.Start();
  const std::filesystem::path bad = fx_.dir / "bad.kvlog";
  std::ofstream(bad) << "text";
  fx_.desktop.open_path = bad.string();
  st.MenuLogReplayClick();
  EXPECT_EQ(st.datalog().replay(), nullptr);
  ASSERT_EQ(fx_.desktop.messages.size(), 1u);
  EXPECT_NE(fx_.desktop.messages[0].find("not a recording"), std::string::npos);
  fx_.Tick(6);
  EXPECT_FALSE(fx_.port.sent().empty());
}

// The export during a replay takes the recording on show and asks only where the CSV goes;
// without a replay it asks for the recording first. Either way it says how many frames went where.
TEST_F(StationDatalogTest, ExportTakesTheReplayedRecordingAndSaysWhatItWrote) {
  Record(kPageAdvance, 30);
  const std::size_t frames = ReadRecording(path_).recording.frames.size();
  ASSERT_GT(frames, 0u);
  for (const bool replaying : {true, false}) {
    SCOPED_TRACE(replaying ? "during a replay" : "without a replay");
    if (replaying) OpenReplay();
    if (!replaying) fx_.station->MenuLogStopReplayClick();
    const std::string csv = (fx_.dir / (replaying ? "replayed.csv" : "chosen.csv")).string();
    fx_.desktop.open_path = replaying ? std::optional<std::string>() : path_;
    fx_.desktop.save_path = csv;
    fx_.desktop.open_initials.clear();
    fx_.desktop.messages.clear();
    fx_.station->MenuLogExportClick();
    EXPECT_EQ(fx_.desktop.open_initials.size(), replaying ? 0u : 1u);
    EXPECT_TRUE(std::filesystem::exists(csv));
    ASSERT_EQ(fx_.desktop.messages.size(), 1u);
    EXPECT_EQ(fx_.desktop.messages[0], std::to_string(frames) + " frames written to " + csv);
    EXPECT_TRUE(fx_.desktop.warnings.empty());
  }
}

// A recording damaged after the station's mark is called damaged, with a warning, not a
// recording of a newer station.
TEST_F(StationDatalogTest, ADamagedRecordingIsNamedSoWithAWarning) {
  Station& st = fx_.Start();
  const std::filesystem::path bad = fx_.dir / "damaged.kvlog";
  std::ofstream(bad, std::ios::binary) << std::string(kRecordingMagic) << std::string(200, '\xEE');
  for (const bool export_it : {false, true}) {
    SCOPED_TRACE(export_it ? "export" : "replay");
    fx_.desktop.open_path = bad.string();
    fx_.desktop.messages.clear();
    fx_.desktop.warnings.clear();
    if (export_it) {
      st.MenuLogExportClick();
    } else {
      st.MenuLogReplayClick();
    }
    ASSERT_EQ(fx_.desktop.warnings.size(), 1u);
    EXPECT_EQ(fx_.desktop.warnings[0],
              std::string(MessageText(MessageKey::kMsgLogDamagedHeader, Language::kEnglish)) +
                  "\n" + bad.string());
    EXPECT_EQ(fx_.desktop.messages.size(), 1u);
  }
}

TEST_F(StationDatalogTest, NoReplayStartsWhileATransferRuns) {
  Record(kPageAdvance, 30);
  fx_.station->MenuReadClick();
  fx_.desktop.open_path = path_;
  fx_.station->MenuLogReplayClick();
  EXPECT_EQ(fx_.station->datalog().replay(), nullptr);
  ASSERT_FALSE(fx_.desktop.messages.empty());
  EXPECT_EQ(fx_.desktop.messages.back(), "Wait until the unit's transfer has finished.");
}

// Fast live data asks every tick, but a read, verify or program run has the line to itself.
TEST_F(StationDatalogTest, FastLiveDataNeverAsksForAFrameDuringATransferRun) {
  Station& st = fx_.Start();
  EXPECT_FALSE(st.datalog().fast_live_data());
  st.MenuLogFastLiveClick();
  ASSERT_TRUE(st.datalog().fast_live_data());
  fx_.port.ClearSent();
  fx_.Tick(12);
  EXPECT_EQ(fx_.port.SentCodes(), std::vector<std::uint8_t>(12, kMonitorRequest));

  struct Run {
    const char* name;
    void (Station::*start)();
  };
  for (const Run& run :
       {Run{"read", &Station::MenuReadClick}, Run{"verify", &Station::MenuVerifyClick},
        Run{"program", &Station::MenuProgramClick}}) {
    SCOPED_TRACE(run.name);
    (st.*run.start)();
    ASSERT_NE(st.session().state(), SessionState::kIdle);
    int ticks = 0;
    while (st.session().state() != SessionState::kIdle && ticks++ < 2000) {
      fx_.port.ClearSent();
      fx_.Tick();
      if (st.session().state() == SessionState::kIdle) break;  // the run ended in this tick
      for (std::uint8_t code : fx_.port.SentCodes()) EXPECT_NE(code, kMonitorRequest);
    }
    EXPECT_EQ(st.session().state(), SessionState::kIdle);
  }
}

TEST_F(StationDatalogTest, FastLiveDataAndThePlotChannelsAreKeptInTheSettings) {
  {
    Station& st = fx_.Start();
    st.MenuLogFastLiveClick();
    st.datalog().SetPlotChannels({"rpm", "coolant_c"});
    st.FormClose();
  }
  Station& st = fx_.Start();
  EXPECT_TRUE(st.datalog().fast_live_data());
  EXPECT_EQ(st.datalog().plot_channels(), (std::vector<std::string>{"rpm", "coolant_c"}));
  fx_.port.ClearSent();
  fx_.Tick(3);
  EXPECT_EQ(fx_.port.SentCodes().size(), 3u);
}

}  // namespace
}  // namespace korvan
