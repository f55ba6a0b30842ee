#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "diff/diff_report.h"
#include "diff/field_captions.h"
#include "diff/image_diff.h"
#include "image/map_storage.h"
#include "model/default_set.h"
#include "station_fixture.h"

namespace korvan {
namespace {

class StationDiffTest : public ::testing::Test, public StationFixture {
 protected:
  // The unit holds the working set with three cells changed: Advance cells 3 and 140 (bytes 503
  // and 640, blocks 4 and 5) and Inj-1A cell 20 (word 345, bytes 690..691, block 5).
  ParameterImage UnitWithChangedCells(const ParameterImage& working) {
    ParameterImage unit_set = working;
    for (int cell : {3, 140}) {
      SetStoredCell(unit_set, MapId::kAdvance, cell,
                    StoredCell(working, MapId::kAdvance, cell) + 1);
    }
    SetStoredCell(unit_set, MapId::kInj1A, 20, StoredCell(working, MapId::kInj1A, 20) + 40);
    unit.LoadImage(unit_set);
    return unit_set;
  }

  std::vector<std::uint8_t> BlockWrites() {
    std::vector<std::uint8_t> codes;
    for (std::uint8_t code : port.SentCodes()) {
      if (code < 0x20) codes.push_back(code);
    }
    return codes;
  }
};

// After "Verify error!" one click reads the unit beside the working set and opens the view on it;
// the working set, its dirty blocks and its undo history stay as they were.
TEST_F(StationDiffTest, ShowDifferencesReadsTheUnitBesideTheWorkingSet) {
  Station& s = Start();
  const ParameterImage working = s.image();
  const ParameterImage unit_set = UnitWithChangedCells(working);
  s.MenuVerifyClick();
  RunUntilIdle();
  ASSERT_EQ(s.session().display().status_key, MessageKey::kMsgVerifyError);
  EXPECT_EQ(s.diff().unit_side_image(), nullptr);
  const bool could_undo = s.undo().CanUndo();
  const DirtyBlockSet dirty_before = s.dirty();

  s.MenuShowDifferencesClick();
  RunUntilIdle();
  EXPECT_EQ(desktop.differences_shown, (std::vector<bool>{true}));
  ASSERT_NE(s.diff().unit_side_image(), nullptr);
  EXPECT_EQ(*s.diff().unit_side_image(), unit_set);
  EXPECT_EQ(s.image(), working);
  EXPECT_EQ(s.undo().CanUndo(), could_undo);
  for (int b = 0; b < kBlockCount; ++b) EXPECT_EQ(s.dirty().IsSet(b), dirty_before.IsSet(b)) << b;
  EXPECT_EQ(DiffImages(s.image(), *s.diff().unit_side_image()).size(), 3u);
}

TEST_F(StationDiffTest, TakingSelectedRowsIsOneChangeOfOnlyThoseBytes) {
  Station& s = Start();
  const ParameterImage working = s.image();
  const ParameterImage unit_set = UnitWithChangedCells(working);
  s.dirty().ClearAll();
  const std::vector<DiffEntry> entries = DiffImages(working, unit_set);
  ASSERT_EQ(entries.size(), 3u);
  // Advance cell 3 and the Inj-1A cell; Advance cell 140 stays as it is.
  const std::vector<DiffEntry> chosen{entries[0], entries[2]};
  s.TakeDifferences(unit_set, chosen);

  for (int k = 0; k < kImageSize; ++k) {
    const bool taken = k == 503 || k == 690 || k == 691;
    EXPECT_EQ(s.image().Byte(k), taken ? unit_set.Byte(k) : working.Byte(k)) << "byte " << k;
  }
  for (int b = 0; b < kBlockCount; ++b) EXPECT_EQ(s.dirty().IsSet(b), b == 4 || b == 5) << b;
  // One undo step takes it all back, and there is no second one left from it.
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.image(), working);
  s.SpeedButtonZnovuClick();
  EXPECT_EQ(DiffImages(s.image(), unit_set).size(), 1u);
}

TEST_F(StationDiffTest, TakingRowsProgramsAtOnceOnlyWithProgrammingAfterChange) {
  Station& s = Start();
  const ParameterImage working = s.image();
  const ParameterImage unit_set = UnitWithChangedCells(working);
  const std::vector<DiffEntry> entries = DiffImages(working, unit_set);
  ASSERT_EQ(entries.size(), 3u);
  port.ClearSent();
  s.TakeDifferences(unit_set, std::vector<DiffEntry>{entries[0]});
  RunUntilIdle();
  EXPECT_TRUE(BlockWrites().empty());
  EXPECT_TRUE(s.dirty().IsSet(4));

  s.controls().SetChecked(H("CheckBoxProgHned"), true);
  s.CheckBoxProgHnedClick();
  RunUntilIdle();
  port.ClearSent();
  // Advance cell 140 lies in block 5; block 4, still to be written from the first take, goes
  // with it, and nothing else.
  s.TakeDifferences(unit_set, std::vector<DiffEntry>{entries[1]});
  RunUntilIdle();
  EXPECT_EQ(BlockWrites(), (std::vector<std::uint8_t>{0x04, 0x05}));
  EXPECT_FALSE(s.dirty().Any());
}

TEST_F(StationDiffTest, FieldLabelsFollowTheLanguageWhereTheWindowHasThem) {
  Station& s = Start();
  const Field* check_box = FindField("CheckBoxAktFall");
  const Field* spin = FindField("UpDownIgnLimiter");
  ASSERT_NE(check_box, nullptr);
  ASSERT_NE(spin, nullptr);
  const std::string english = s.diff().FieldLabel(*check_box, 0);
  EXPECT_FALSE(english.empty());
  EXPECT_EQ(english.find('&'), std::string::npos);
  s.MenuGermanClick();
  EXPECT_NE(s.diff().FieldLabel(*check_box, 0), english);
  // A number field's caption is the label beside it, never the value in it.
  EXPECT_EQ(s.diff().FieldLabel(*spin, 0), "Zündbegrenzer [rpm]");
  s.MenuEnglishClick();
  EXPECT_EQ(s.diff().FieldLabel(*spin, 0), "Ignition Limiter [rpm]");

  // Fields without a label of their own: the run's group box with what names the element, the
  // map grid's header words.
  struct Case {
    const char* field;
    int element;
    const char* english;
  };
  const Case cases[] = {
      {"EditPolohaA", 2, "Position of Injection A [\u00b0], row 3"},
      {"AdvanceBase", 0, "Base advance [\u00b0]"},
      {"IntakeServoHysteresis", 0, "Hysteresis [mV]"},
      {"EditKorVodaJet", 1, "Temperature Corrections of injection [%], Coolant, 20 \u00b0C"},
      {"Memo1", 0, "Memo sheet"},
  };
  for (const Case& c : cases) {
    const Field* field = FindField(c.field);
    ASSERT_NE(field, nullptr) << c.field;
    EXPECT_EQ(s.diff().FieldLabel(*field, c.element), c.english);
  }
  s.MenuGermanClick();
  EXPECT_EQ(s.diff().FieldLabel(*FindField("AdvanceBase"), 0), "Grundvorzündung [\u00b0]");
}

TEST_F(StationDiffTest, FieldNamesAreFixedTextsNeverLiveValues) {
  Station& s = Start();
  const Field* field = FindField("EditKorVodaJet");
  ASSERT_NE(field, nullptr);
  const std::string before = s.diff().FieldLabel(*field, 0);
  Tick(30);  // live data fills the labels beside the correction tables
  EXPECT_EQ(s.diff().FieldLabel(*field, 0), before);
  EXPECT_EQ(before.find('='), std::string::npos) << before;
}

// Taking only "Motorbike Type" of another bike's set makes a set of that bike: its engine
// configuration and the other bike constants come with the code, the map pages count its
// cylinders, and the settings the user did not take stay.
TEST_F(StationDiffTest, TakingTheBikeCodeTakesWhatFollowsFromIt) {
  Station& s = Start();
  s.image().SetByte(28, 123);  // a start limiter of 12300 rpm
  const ParameterImage working = s.image();
  // One cylinder where bike 11 has four, and a choke on the pilot-light output.
  const ParameterImage other = DefaultParameterSet(38);
  ASSERT_NE(working.Byte(2), other.Byte(2));
  ASSERT_NE(working.Byte(256), other.Byte(256));
  const std::vector<DiffEntry> entries = DiffImages(working, other);
  ASSERT_EQ(entries.front().field->name, "ComboBoxBike");
  EXPECT_EQ(DiffEntryPlace(entries.front(), Language::kEnglish, {}),
            "ComboBoxBike (with engine configuration and bike constants)");

  s.TakeDifferences(other, std::vector<DiffEntry>{entries.front()});
  EXPECT_EQ(s.image().Byte(0), 38);
  for (const ByteRun& run : BikeConstantBytes()) {
    for (int k = run.first; k < run.first + run.length; ++k) {
      EXPECT_EQ(s.image().Byte(k), other.Byte(k)) << "bike constant " << k;
    }
  }
  EXPECT_EQ(s.image().Byte(28), 123);
  for (int cell = 0; cell < kMapCells; ++cell) {
    ASSERT_EQ(s.image().Word(CellOffset(MapId::kInj1A, cell)),
              working.Word(CellOffset(MapId::kInj1A, cell)))
        << "the injection times stay as they were, cell " << cell;
  }
  s.PageControl1Change(kPageAdvance);
  EXPECT_FALSE(C("MapHeaderE1").visible) << "one cylinder: one correction field";
  s.PageControl1Change(kPageRace);
  EXPECT_EQ(C("LabelPilotLight").text, "Choke [rpm]");
  // What is left to take lists no bike constant of its own.
  for (const DiffEntry& e : DiffImages(s.image(), other)) {
    EXPECT_NE(e.kind, DiffKind::kRaw) << "byte " << e.first_byte;
  }
}

}  // namespace
}  // namespace korvan
