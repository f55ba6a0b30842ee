#include "diff/diff_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "diff/field_captions.h"
#include "image/page_index.h"
#include "image/word_map_state.h"
#include "model/base_tables.h"
#include "model/default_set.h"

namespace korvan {
namespace {

void SetField(ParameterImage& image, const char* name, int element, int shown) {
  const Field* field = FindField(name);
  ASSERT_NE(field, nullptr) << name;
  FromShown(*field, shown, image, element);
}

// Sets a word map's cell to a whole percentage of the set's own base time.
void SetPercent(ParameterImage& image, MapId map, int cell, int percent) {
  WordMapState state;
  ComputeBaseTimes(image, state);
  const WordMap word_map = *WordMapOfMap(map);
  SetStoredCell(image, map, cell,
                WordFromPercent(percent, state.BaseTime(word_map)[static_cast<std::size_t>(cell)]));
}

struct Case {
  const char* what;
  Language language;
  void (*change)(ParameterImage& a, ParameterImage& b);
  const char* line;  // the entry as the report lists it: page, place, value A, value B
};

// Each entry names its page, its field as the page captions it (what tells a run's element
// apart included), a cell's axis values on both sides, and both values as the page shows them.
TEST(DiffReportTest, EntriesNameFieldsAndValuesAsTheirPagesShowThem) {
  const Case cases[] = {
      {"the AP sensor's voltage names its sensor", Language::kEnglish,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "UpDownApsNapeti1", 0, 1000);
         SetField(b, "UpDownApsNapeti1", 0, 1200);
       },
       "Sensors\tPressure sensor - AP, Voltage 1 [mV]\t1000 mV\t1200 mV"},
      {"and the IAP sensor's its own", Language::kEnglish,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "UpDownIapsNapeti1", 0, 1000);
         SetField(b, "UpDownIapsNapeti1", 0, 900);
       },
       "Sensors\tIntake pressure sensor - IAP, Voltage 1 [mV]\t1000 mV\t900 mV"},
      {"a race field names its gear", Language::kEnglish,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "EditRaceRpm1", 2, 8000);
         SetField(b, "EditRaceRpm1", 2, 9000);
       },
       "Race\tSetting per gear, Gear Shift Light / Choke 1 [rpm], gear 3\t8000 rpm\t9000 rpm"},
      {"a correction names its temperature", Language::kEnglish,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "EditKorVodaJet", 0, 100);
         SetField(b, "EditKorVodaJet", 0, 120);
       },
       "Corrections\tTemperature Corrections of injection [%], Coolant, -10 °C\t100 %\t120 %"},
      {"an advance correction too", Language::kEnglish,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "EditKorVodaIgn", 4, 0);
         SetField(b, "EditKorVodaIgn", 4, -3);
       },
       "Corrections\tTemperature Corrections of advance [°], Coolant, 110 °C\t0 °\t-3 °"},
      {"a position names its table and row", Language::kEnglish,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "EditPolohaRpmA", 4, 5000);
         SetField(b, "EditPolohaRpmA", 4, 5500);
       },
       "Position\tPosition of Injection A, RPM, row 5\t5000 rpm\t5500 rpm"},
      {"the throttle's full voltage", Language::kEnglish,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "UpDownTps100", 0, 4500);
         SetField(b, "UpDownTps100", 0, 4600);
       },
       "Sensors\tTPS, 100% [mV]\t4500 mV\t4600 mV"},
      {"an injection cell in percent, as its page shows it", Language::kEnglish,
       [](ParameterImage& a, ParameterImage& b) {
         SetPercent(a, MapId::kInj1A, CellIndex(0, 0), 40);
         SetPercent(b, MapId::kInj1A, CellIndex(0, 0), 55);
       },
       nullptr},
      {"Czech: a correction", Language::kCzech,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "EditKorVzduchJet", 1, 100);
         SetField(b, "EditKorVzduchJet", 1, 90);
       },
       "Korekce\tTeplotní korekce vstřiku [%], Nasávaný vzduch, 20 °C\t100 %\t90 %"},
      {"German: the AP sensor", Language::kGerman,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "UpDownApsTlak2", 0, 100);
         SetField(b, "UpDownApsTlak2", 0, 101);
       },
       "Senzoren\tDrucksensor - AP, Druck 2 [kPa]\t100 kPa\t101 kPa"},
      {"Czech: a gear", Language::kCzech,
       [](ParameterImage& a, ParameterImage& b) {
         SetField(a, "EditClutchTime", 0, 50);
         SetField(b, "EditClutchTime", 0, 60);
       },
       "Race\tSetting per gear, Čas rychlořazení [ms], rychlost 1\t50 ms\t60 ms"},
  };
  const ParameterImage base = DefaultParameterSet(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ParameterImage a = base;
    ParameterImage b = base;
    c.change(a, b);
    const FieldCaptions captions(c.language);
    const FieldLabelLookup label = [&captions](const Field& f, int e) { return captions(f, e); };
    const std::vector<DiffEntry> entries = DiffImages(a, b);
    ASSERT_EQ(entries.size(), 1u);
    const DiffEntry& e = entries[0];
    const std::string line = DiffPageName(e.page, c.language) + "\t" +
                             DiffEntryPlace(e, c.language, label) + "\t" +
                             DiffValueText(e, false, label) + "\t" + DiffValueText(e, true, label);
    if (c.line != nullptr) {
      EXPECT_EQ(line, c.line);
    } else {
      EXPECT_EQ(line, "Inj. 1\trow 1 (0 %), column 1 (" +
                          std::to_string(AxisRpm(a, MapId::kInj1A, 0)) + " rpm)\t40 %\t55 %");
    }
  }
}

TEST(DiffReportTest, TheBikeIsNamedAsTheBikeListNamesIt) {
  const ParameterImage a = DefaultParameterSet(3);
  const ParameterImage b = DefaultParameterSet(17);
  const std::vector<DiffEntry> entries = DiffImages(a, b);
  ASSERT_EQ(entries.front().field->name, "ComboBoxBike");
  EXPECT_EQ(DiffValueText(entries.front(), false), "Honda CBR 600 RR 03-04 (3)");
  EXPECT_EQ(DiffValueText(entries.front(), true), "Yamaha YZF-R1 02-03 (17)");
}

// A cell whose engine-speed points differ between the sides names both; the row, the same on
// both, once.
TEST(DiffReportTest, ACellNamesBothSidesAxesWhereTheyDiffer) {
  const ParameterImage a = DefaultParameterSet(3);
  ParameterImage b = a;
  const int cell = CellIndex(2, 3);
  SetStoredCell(b, MapId::kAdvance, cell, StoredCell(a, MapId::kAdvance, cell) + 2);
  SetAxisRpm(b, MapId::kAdvance, 3, AxisRpm(a, MapId::kAdvance, 3) + 500);
  const std::vector<DiffEntry> entries = DiffImages(a, b);
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [](const DiffEntry& e) { return e.kind == DiffKind::kMapCell; });
  ASSERT_NE(found, entries.end());
  const int rpm = AxisRpm(a, MapId::kAdvance, 3);
  EXPECT_EQ(DiffEntryPlace(*found, Language::kEnglish),
            "row 3 (" + std::to_string(kThrottleRows[2]) + " %), column 4 (" + std::to_string(rpm) +
                " rpm / " + std::to_string(rpm + 500) + " rpm)");
}

// A page of fields in several units names the field of its largest change with that field's unit.
TEST(DiffReportTest, ASummaryGivesTheLargestChangeWithItsUnitAndField) {
  const ParameterImage a = DefaultParameterSet(3);
  ParameterImage b = a;
  const Field* limiter = FindField("UpDownIgnLimiter");
  ASSERT_NE(limiter, nullptr);
  FromShown(*limiter, ToShown(*limiter, a) - 2000, b);
  SetField(b, "UpDownChlazeni", 0, ToShown(*FindField("UpDownChlazeni"), a) + 5);
  const std::vector<DiffEntry> entries = DiffImages(a, b);
  const FieldCaptions captions(Language::kEnglish);
  const FieldLabelLookup label = [&captions](const Field& f, int e) { return captions(f, e); };
  const std::vector<DiffPageSummary> pages = SummarizeDiff(entries);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(DiffSummaryLine(pages[0], entries, Language::kEnglish, label),
            "Bike: 2 values differ, largest -2000 rpm (Ignition Limiter [rpm])");
}

}  // namespace
}  // namespace korvan
