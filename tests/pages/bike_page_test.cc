// The bike page scripted through the station: the bike list and the bike change, the scaled
// fields, the memo, and what a refresh leaves alone.
#include <fstream>
#include <set>
#include <sstream>

#include "files/image_dump.h"
#include "files/parameter_file.h"
#include "image/map_storage.h"
#include "model/bike_list.h"
#include "model/default_set.h"
#include "pages_fixture.h"

namespace korvan {
namespace {

constexpr char kAskDefaults[] = "Do you want default setting?";
constexpr char kWrongBike[] =
    "This version of program Korvan_Max_Power.exe is not for required bike!";
constexpr int kYamahaR1From07 = 47;  // list index and bike code alike

using BikePageTest = PagesTest;

TEST(BikeListTest, ListIndexAndBikeCodeConvertBothWays) {
  const std::vector<std::string> entries = BikeListEntries();
  ASSERT_EQ(entries.size(), 51u);
  EXPECT_EQ(entries[0], "Aprilia RSV MILLE                98-");
  EXPECT_EQ(entries[47], "Yamaha YZF-R1                 07-");
  EXPECT_EQ(entries[50], "-------------");
  std::set<int> codes;
  for (int index = 0; index < kBikeListSeparator; ++index) {
    const std::optional<int> code = BikeCodeOfListIndex(index);
    ASSERT_TRUE(code);
    codes.insert(*code);
    EXPECT_EQ(ListIndexOfBikeCode(*code), index);
  }
  EXPECT_EQ(codes.size(), 50u);
  EXPECT_EQ(*codes.begin(), 0);
  EXPECT_EQ(*codes.rbegin(), 49);
  EXPECT_EQ(BikeCodeOfListIndex(1), 43);
  EXPECT_EQ(BikeCodeOfListIndex(3), 1);
  EXPECT_FALSE(BikeCodeOfListIndex(kBikeListSeparator));
  for (const int code : {50, 60, 255}) EXPECT_EQ(ListIndexOfBikeCode(code), kBikeListSeparator);
}

TEST_F(BikePageTest, ChoosingABikeWithDefaultsLoadsItsSetAndShowsItsGroups) {
  Station& s = StartOn(kPageBike);
  EXPECT_EQ(Value("ComboBoxBike"), ListIndexOfBikeCode(11));
  EXPECT_FALSE(C("GroupBoxIntakePort").visible);

  ChooseBike(kYamahaR1From07, Desktop::Answer::kYes);
  EXPECT_EQ(desktop.questions, std::vector<std::string>{kAskDefaults});
  EXPECT_EQ(s.image().Byte(0), 47);
  EXPECT_EQ(s.image(), DefaultParameterSet(47));
  EXPECT_EQ(Value("ComboBoxBike"), kYamahaR1From07);
  for (const char* name : {"GroupBoxIntakePort", "LabelIntakePortRpm", "EditIntakePortRpm"}) {
    EXPECT_TRUE(C(name).visible) << name;
  }

  ChooseBike(ListIndexOfBikeCode(27), Desktop::Answer::kYes);
  EXPECT_EQ(s.image().Byte(0), 27);
  EXPECT_FALSE(C("GroupBoxIntakePort").visible);
  EXPECT_FALSE(C("EditIntakePortRpm").visible);
}

TEST_F(BikePageTest, AnswerNoKeepsTheSetButMovesItOntoTheNewBike) {
  Station& s = StartOn(kPageBike);
  Type("EditStartLimiter", "12300");
  const ParameterImage before = s.image();
  const ParameterImage bike47 = DefaultParameterSet(47);

  ChooseBike(kYamahaR1From07, Desktop::Answer::kNo);
  EXPECT_EQ(desktop.questions, std::vector<std::string>{kAskDefaults});
  EXPECT_EQ(s.image().Byte(0), 47);
  EXPECT_EQ(s.image().Byte(28), 123) << "the user's limiter stays";
  for (int k = 2; k <= 5; ++k)
    EXPECT_EQ(s.image().Byte(k), bike47.Byte(k)) << "bike constant " << k;
  EXPECT_TRUE(C("GroupBoxIntakePort").visible);

  // The injection maps keep their percentages; the times follow the new bike's base tables.
  bool any_time_moved = false;
  for (int cell = 0; cell < kMapCells; ++cell) {
    any_time_moved |= s.image().Word(CellOffset(MapId::kInj1A, cell)) !=
                      before.Word(CellOffset(MapId::kInj1A, cell));
  }
  EXPECT_TRUE(any_time_moved);
  s.PageControl1Change(kPageInj1A);
  for (int cell = 0; cell < kMapCells; ++cell) {
    ASSERT_EQ(Value("MapCell" + std::to_string(cell)), 100) << "cell " << cell;
  }

  // The whole change is one step back.
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.image(), before);
}

// Cancel (which Escape and closing the box also answer) takes the choice back: the list, the image,
// the undo history and the blocks to program are as they were; the maps keep their times.
TEST_F(BikePageTest, AnswerCancelKeepsTheBikeAndTheSet) {
  Station& s = StartOn(kPageBike);
  Type("EditStartLimiter", "12300");
  const ParameterImage before = s.image();
  s.dirty().ClearAll();
  const bool could_redo = s.undo().CanRedo();

  ChooseBike(kYamahaR1From07, Desktop::Answer::kCancel);
  EXPECT_EQ(desktop.questions, std::vector<std::string>{kAskDefaults});
  EXPECT_EQ(s.image(), before);
  EXPECT_EQ(Value("ComboBoxBike"), ListIndexOfBikeCode(11));
  EXPECT_FALSE(C("GroupBoxIntakePort").visible);
  for (int b = 0; b < kBlockCount; ++b) EXPECT_FALSE(s.dirty().IsSet(b)) << "block " << b;
  EXPECT_EQ(s.undo().CanRedo(), could_redo);
  // The one step back is still the limiter typed before.
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.image().Byte(28), DefaultParameterSet(11).Byte(28));
  EXPECT_EQ(s.image().Byte(0), 11);
  // An edit after the cancel stores no bike change either.
  s.SpeedButtonZnovuClick();
  Type("EditChlazeni", "99");
  EXPECT_EQ(s.image().Byte(0), 11);
}

TEST_F(BikePageTest, TheSeparatorKeepsTheBikeAndAsksNothing) {
  Station& s = StartOn(kPageBike);
  const ParameterImage before = s.image();
  ChooseBike(kBikeListSeparator, Desktop::Answer::kYes);
  EXPECT_TRUE(desktop.questions.empty());
  EXPECT_EQ(s.image(), before);
  EXPECT_EQ(Value("ComboBoxBike"), ListIndexOfBikeCode(11));
}

TEST_F(BikePageTest, AnUnknownBikeCodeShowsTheSeparatorAndSaysSoAtEveryRefresh) {
  Station& s = StartOn(kPageBike);
  s.image().SetByte(0, 60);
  s.RefreshPage();
  EXPECT_EQ(Value("ComboBoxBike"), kBikeListSeparator);
  EXPECT_EQ(desktop.messages, std::vector<std::string>{kWrongBike});
  s.RefreshPage();
  EXPECT_EQ(desktop.messages.size(), 2u);
  // An edit on the page keeps the code: the list did not change. Its cycle refreshes the page
  // twice, and says so once.
  Type("EditChlazeni", "99");
  EXPECT_EQ(s.image().Byte(0), 60);
  EXPECT_EQ(s.image().Byte(35), 99);
  EXPECT_EQ(desktop.messages.size(), 3u);
  // The Czech text, and the French setting shows the English one.
  desktop.messages.clear();
  s.MenuCzechClick();
  EXPECT_EQ(desktop.messages.back(),
            "Tato verze programu Korvan_Max_Power.exe není pro požadovanou motorku!");
  s.MenuFrenchClick();
  EXPECT_EQ(desktop.messages.back(), kWrongBike);
}

// One command, one message: the refresh for the unit's identity during a run repeats nothing.
TEST_F(BikePageTest, AnUnknownBikeCodeIsSaidOncePerCommand) {
  struct Case {
    const char* command;
    void (Station::*click)();
  };
  const Case cases[] = {
      {"Program", &Station::MenuProgramClick},
      {"Verify", &Station::MenuVerifyClick},
      {"Read", &Station::MenuReadClick},
  };
  for (const Case& c : cases) {
    ParameterImage other = DefaultParameterSet(11);
    other.SetByte(0, 60);
    unit.LoadImage(other);
    Station& s = StartOn(kPageBike);
    s.image().SetByte(0, 60);
    (s.*c.click)();
    RunUntilIdle();
    EXPECT_EQ(desktop.messages, std::vector<std::string>{kWrongBike}) << c.command;
  }
}

TEST_F(BikePageTest, StartOnAnUnknownBikeCodeSaysSoOnce) {
  ParameterImage other = DefaultParameterSet(11);
  other.SetByte(0, 60);
  std::ofstream(Paths().image_dump, std::ios::binary) << FormatImageDump(other, ToolModes{});
  Station& s = Start();  // a first start shows the bike page
  ASSERT_EQ(s.active_page(), kPageBike);
  EXPECT_EQ(desktop.messages, std::vector<std::string>{kWrongBike});
}

TEST_F(BikePageTest, SpinnersStoreTheirScaledValues) {
  using Case = TypedField;
  const Case cases[] = {
      {"EditStartLimiter", "12300", 28, 123, 12300},
      {"EditIgnLimiter", "12399", 29, 123, 12300},  // integer division
      {"EditJetLimiter", "25000", 30, 250, 25000},
      {"EditRetardLimiterRpm", "100", 31, 9, 900},  // below the range: the spinner's minimum
      {"EditRetardLimiterAdv", "250", 32, 250, 250},
      {"EditChlazeni", "151", 35, 150, 150},
      {"EditRpmPulsu", "6", 36, 6, 6},
      {"EditRpmKorekce", "-60", 37, 40, -60},
      {"EditRpmKorekce", "+60", 37, 160, 60},
      {"EditIntakePortRpm", "1500", 38, 15, 1500},
  };
  Station& s = StartOn(kPageBike);
  ExpectTypedFields(cases);
  s.image().SetByte(37, 160);
  s.RefreshPage();
  EXPECT_EQ(Value("UpDownRpmKorekce"), 60);
  // The rpm fields show thousands with the locale's separator.
  EXPECT_TRUE(C("EditStartLimiter").thousands);
}

TEST_F(BikePageTest, CheckBoxesStoreOneOrZero) {
  const std::pair<const char*, int> boxes[] = {
      {"CheckBoxFallEnable", 22}, {"CheckBoxBlokEnable", 23},      {"CheckBoxAktFall", 24},
      {"CheckBoxAktClutch", 25},  {"CheckBoxAktStartLimiter", 26}, {"CheckBoxAktRpm", 27},
  };
  Station& s = StartOn(kPageBike);
  for (const auto& [name, byte] : boxes) {
    Click(name, true);
    EXPECT_EQ(s.image().Byte(byte), 1) << name;
    Click(name, false);
    EXPECT_EQ(s.image().Byte(byte), 0) << name;
  }
  // Any non-zero byte reads as set, and an edit elsewhere leaves it as it is.
  s.image().SetByte(25, 7);
  s.RefreshPage();
  EXPECT_TRUE(C("CheckBoxAktClutch").checked);
  Type("EditChlazeni", "90");
  EXPECT_EQ(s.image().Byte(25), 7);
}

TEST_F(BikePageTest, AnEditStoresWhatTheUserChangedAndWhatTheFieldsShow) {
  Station& s = StartOn(kPageBike);
  s.image().SetByte(32, 0);  // below the retard field's range: shown as 1
  s.RefreshPage();
  EXPECT_EQ(Value("EditRetardLimiterAdv"), 1);
  EXPECT_EQ(s.image().Byte(32), 0) << "a refresh stores nothing";
  Type("EditStartLimiter", "10000");
  EXPECT_EQ(s.image().Byte(28), 100);
  EXPECT_EQ(s.image().Byte(32), 1) << "the edit stores what the field shows";
  Type("EditRetardLimiterAdv", "3");
  EXPECT_EQ(s.image().Byte(32), 3);
}

TEST_F(BikePageTest, ARefreshLeavesFieldsThatShowTheirValueAlone) {
  Station& s = StartOn(kPageBike);
  s.controls().ClearChanged();
  s.RefreshPage();
  s.RefreshPage();
  EXPECT_FALSE(PageRedrawn(kPageBike));
  // An edit redraws the field it changed, and no other field of the page.
  Type("EditJetLimiter", "14000");
  const ControlSet& c = s.controls();
  for (const ControlHandle h : c.changed()) {
    const Control& control = c.Get(h);
    if (control.page == kPageBike) {
      EXPECT_EQ(control.name, "EditJetLimiter");
    }
  }
}

TEST_F(BikePageTest, TheMemoIsStoredAsWindows1250AndZeroFilled) {
  Station& s = StartOn(kPageBike);
  for (int k = 2700; k <= 2849; ++k) s.image().SetByte(k, 'x');
  s.RefreshPage();
  TypeMemo("0123456789");
  Type("EditChlazeni", "90");  // the memo goes with the next commit of the page
  EXPECT_EQ(ReadMemo(s.image()), "0123456789");
  for (int k = 2710; k <= 2849; ++k) ASSERT_EQ(s.image().Byte(k), 0) << "byte " << k;

  // Czech letters and a line break: one code page byte each, the break as CR LF.
  TypeMemo("Kůň\nřadí");
  s.FormKeyPressEnter();
  EXPECT_EQ(ReadMemo(s.image()),
            "K\xF9\xF2\r\n\xF8"
            "ad\xED");
  s.PageControl1Change(kPageAdvance);
  s.PageControl1Change(kPageBike);
  EXPECT_EQ(C("Memo1").text, "Kůň\nřadí");
}

TEST_F(BikePageTest, TheMemoControlCarriesWhatTheSetCanHold) {
  StartOn(kPageBike);
  EXPECT_EQ(C("Memo1").max_length, 149);
  EXPECT_EQ(C("Memo1").code_page, TextCodePage::kWindows1250);
}

// A character the code page lacks: the set keeps its memo, the field shows that memo again, and
// the user is told once, not at every later commit.
TEST_F(BikePageTest, AMemoWithACharacterTheCodePageLacksLeavesSetAndFieldAsTheyWere) {
  Station& s = StartOn(kPageBike);
  TypeMemo("old");
  s.FormKeyPressEnter();
  const ParameterImage before = s.image();

  TypeMemo("Ca\u00F1a \U0001F3CD");
  s.FormKeyPressEnter();
  s.FormKeyPressEnter();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], "The memo was not stored: it cannot hold this character: \u00F1");
  EXPECT_EQ(s.image(), before);
  EXPECT_EQ(C("Memo1").text, "old");
}

// Text longer than the memo (the field takes no more as it is typed, an edit script or a set's
// change may still bring it): the set keeps the first 149 bytes, never half of a line break, and
// the field shows exactly what the set holds.
TEST_F(BikePageTest, AMemoLongerThanTheSetHoldsKeepsItsBeginning) {
  std::string breaks;
  for (int i = 0; i < 80; ++i) breaks += "a\n";
  // The CR of the 50th break would be byte 149.
  const std::string kept_breaks = breaks.substr(0, 99);
  std::string stored_breaks;
  for (const char c : kept_breaks) stored_breaks += c == '\n' ? "\r\n" : std::string(1, c);
  struct Case {
    const char* what;
    std::string typed;
    bool key_by_key;  // each character committed as it comes, the field showing the set's memo
    std::string stored;
    std::string shown;
  };
  const Case cases[] = {
      {"160 letters at once", std::string(160, 'a'), false, std::string(149, 'a'),
       std::string(149, 'a')},
      {"160 letters one by one", std::string(160, 'b'), true, std::string(149, 'b'),
       std::string(149, 'b')},
      {"80 lines", breaks, false, stored_breaks, kept_breaks},
      {"149 letters", std::string(149, 'c'), false, std::string(149, 'c'), std::string(149, 'c')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Station& s = StartOn(kPageBike);
    if (c.key_by_key) {
      for (const char key : c.typed) {
        TypeMemo(C("Memo1").text + key);
        s.FormKeyPressEnter();
      }
    } else {
      TypeMemo(c.typed);
      s.FormKeyPressEnter();
    }
    EXPECT_EQ(ReadMemo(s.image()), c.stored);
    EXPECT_EQ(s.image().Byte(2849), 0);
    EXPECT_EQ(C("Memo1").text, c.shown);
    const bool cut = c.typed.size() > 149;
    EXPECT_EQ(desktop.messages.empty(), !cut);
    for (const std::string& message : desktop.messages) {
      EXPECT_EQ(message,
                "The memo holds at most 149 characters (a line break counts two): only the first "
                "ones were stored.");
    }
  }
}

TEST_F(BikePageTest, AMemoReachesTheImageOnlyWithACommitOfThePage) {
  Station& s = StartOn(kPageBike);
  TypeMemo("lost");
  s.PageControl1Change(kPageAdvance);
  s.PageControl1Change(kPageBike);
  EXPECT_EQ(C("Memo1").text, "");

  TypeMemo("kept \u0161");
  const std::string path = (dir / "memo.ign").string();
  desktop.save_path = path;
  s.MenuSaveClick();
  EXPECT_EQ(ReadMemo(s.image()), "kept \x9A");
  ParameterImage reread;
  ASSERT_TRUE(OpenParameterFile(path, reread, {}).ok());
  EXPECT_EQ(ReadMemo(reread), "kept \x9A");
}

TEST_F(BikePageTest, TheUnitsIdentityAndTheOutsideCheckBoxesFollowARefresh) {
  Station& s = StartOn(kPageBike);
  EXPECT_EQ(C("LabelVerze1").hint, "Version|Version of program in ignition");
  s.MenuReadClick();
  RunUntilIdle();
  ASSERT_FALSE(s.identity_texts().type_text.empty());
  EXPECT_EQ(C("LabelVerze1").text, s.identity_texts().type_text);
  EXPECT_EQ(C("LabelVerze2").text, s.identity_texts().date_text);
  EXPECT_EQ(C("LabelVerze3").text, s.identity_texts().time_text);

  s.image().SetByte(1, 1);
  s.controls().SetChecked(H("CheckBoxProgHned"), true);
  s.RefreshPage();
  EXPECT_TRUE(C("CheckBoxZakazCteni").checked);
  EXPECT_EQ(C("CheckBoxZakazCteni").color, 0xFF0000u);
  EXPECT_EQ(C("CheckBoxProgHned").color, 0xFF0000u);
}

}  // namespace
}  // namespace korvan
