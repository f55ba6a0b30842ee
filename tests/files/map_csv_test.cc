#include "files/map_csv.h"

#include <gtest/gtest.h>

#include <string>

#include "file_text.h"
#include "files/parameter_set_check.h"
#include "image/word_map_state.h"
#include "model/base_tables.h"

namespace korvan {
namespace {

// A whole table as a spreadsheet would hold it: engine speeds 1000..15000, the throttle rows,
// cell (r, c) holding 100 r + c.
std::string Table(char separator = ',', const char* line_end = "\n") {
  std::string text = "TPS";
  for (int col = 0; col < kMapColumns; ++col) {
    text += separator + std::to_string(1000 * (col + 1));
  }
  text += line_end;
  for (int row = 0; row < kMapRows; ++row) {
    text += std::to_string(kThrottleRows[static_cast<std::size_t>(row)]);
    for (int col = 0; col < kMapColumns; ++col) {
      text += separator + std::to_string(100 * row + col);
    }
    text += line_end;
  }
  return text;
}

TEST(MapCsvTest, ReadsWhatSpreadsheetsWrite) {
  MapCsv plain;
  ASSERT_FALSE(ParseMapCsv(Table(), &plain));
  EXPECT_EQ(plain.rpm[14], 15000);
  EXPECT_EQ(plain.rows[9], 100);
  EXPECT_EQ(plain.cells[CellIndex(9, 14)], 914);
  EXPECT_EQ(plain.row_lines[0], 2);

  std::string quoted = Table();
  quoted.replace(0, 3, "\"TPS, \"\"%\"\"\"");  // a corner with a comma and quotes in it
  quoted = WithField(quoted, 3, 2, " \"100\" ");
  const std::string texts[] = {
      Table(';'),                          // German, French and Czech spreadsheets
      Table('\t'),                         // copied out of a sheet
      Table(',', "\r\n"),                  // written on Windows
      Table(',', "\r"),                    // an old Mac
      "\xEF\xBB\xBF" + Table(),            // with a byte-order mark
      "\n \n" + Table() + "\n\n",          // blank lines around it
      Table() + ",,,,\n , ,\n",            // a sheet's used range below the table
      WithField(Table(), 2, 16, "14,,,"),  // empty fields past the table
      quoted,
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 40));
    MapCsv csv;
    const auto error = ParseMapCsv(text, &csv);
    ASSERT_FALSE(error) << error->reason;
    EXPECT_EQ(csv.rpm, plain.rpm);
    EXPECT_EQ(csv.rows, plain.rows);
    EXPECT_EQ(csv.cells, plain.cells);
  }
  MapCsv shifted;
  ASSERT_FALSE(ParseMapCsv("\n \n" + Table(), &shifted));
  EXPECT_EQ(shifted.header_line, 3);
  EXPECT_EQ(CellPlace(shifted, CellIndex(2, 4)).line, 6);
  EXPECT_EQ(CellPlace(shifted, CellIndex(2, 4)).column, 6);
}

TEST(MapCsvTest, NamesTheLineAndColumnOfWhatDoesNotFit) {
  std::string eleven_rows = Table() + "100,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15\n";
  std::string short_table = Table();
  short_table.resize(short_table.rfind('\n', short_table.size() - 2) + 1);  // nine rows
  struct Case {
    std::string text;
    int line;
    int column;
    const char* reason;
  };
  const Case cases[] = {
      {WithField(Table(), 4, 7, "abc"), 4, 7, "\"abc\" is not a whole number"},
      {WithField(Table(), 4, 7, "1.5"), 4, 7, "\"1.5\" is not a whole number"},
      {WithField(Table(), 5, 3, ""), 5, 3, "empty field"},
      {WithField(Table(), 1, 9, "x"), 1, 9, "not a whole number"},
      {"TPS,1000,2000\n", 1, 4, "holds 2 engine speeds, 15 are needed"},
      {WithField(Table(), 7, 16, "14,99"), 7, 17, "more than 15 values"},
      {WithField(Table(), 3, 15, "13\n"), 3, 16, "holds 14 values, 15 are needed"},
      {eleven_rows, 12, 1, "more than 10 rows"},
      {short_table, 11, 1, "ends after 9 rows of values"},
      {"\n\n", 1, 1, "no table"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    MapCsv csv;
    const auto error = ParseMapCsv(c.text, &csv);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->place.line, c.line);
    EXPECT_EQ(error->place.column, c.column);
    EXPECT_NE(error->reason.find(c.reason), std::string::npos) << error->reason;
  }
}

TEST(MapCsvTest, ShowsCellsAsTheirPagesDoAndStoredValuesAsTheImageHolds) {
  ParameterImage image = NewParameterSetAsStation(7);
  image.SetByte(kExhaustServoPercentOffset, 0);  // the exhaust servo in mV
  image.SetByte(kIntakeServoPercentOffset, 1);   // the intake servo in percent
  SetStoredCell(image, MapId::kExhaustServo, 17, 101);
  SetStoredCell(image, MapId::kIntakeServo, 17, 45);
  SetStoredCell(image, MapId::kAdvance, 17, 33);
  SetStoredCell(image, MapId::kInj1A, 17, 4321);
  WordMapState state;
  ComputeBaseTimes(image, state);
  const unsigned base = state.BaseTime(WordMap::kInj1A)[17];

  struct Case {
    MapId map;
    long shown;
    long stored;
  };
  const Case cases[] = {
      {MapId::kExhaustServo, 2020, 101},
      {MapId::kIntakeServo, 45, 45},
      {MapId::kAdvance, 33, 33},
      {MapId::kInj1A, PercentFromWord(4321, base), 4321},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(MapInfo(c.map).name));
    EXPECT_EQ(MapCsvOf(image, c.map, false).cells[17], c.shown);
    EXPECT_EQ(MapCsvOf(image, c.map, true).cells[17], c.stored);
  }
  const MapCsv iap = MapCsvOf(image, MapId::kInjIap, false);
  EXPECT_EQ(iap.rows[3], image.Word(kIapRowAxisWord + 3));
  EXPECT_EQ(iap.rpm[2], AxisRpm(image, MapId::kInjIap, 2));

  // The text reads back as it was written.
  for (MapId map : {MapId::kAdvance, MapId::kInjIap}) {
    const MapCsv written = MapCsvOf(image, map, false);
    const std::string text = FormatMapCsv(written, map);
    EXPECT_EQ(text.substr(0, text.find(',')),
              map == MapId::kInjIap ? "IAP [kPa] / RPM" : "TPS [%] / RPM");
    MapCsv read;
    ASSERT_FALSE(ParseMapCsv(text, &read));
    EXPECT_EQ(read.rpm, written.rpm);
    EXPECT_EQ(read.rows, written.rows);
    EXPECT_EQ(read.cells, written.cells);
  }
}

}  // namespace
}  // namespace korvan
