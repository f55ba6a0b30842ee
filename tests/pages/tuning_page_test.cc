// The tuning page: the five parameters as stored, the check box that stores nothing, and the
// menu item that shows the page and is remembered.
#include "pages_fixture.h"

namespace korvan {
namespace {

using TuningPageTest = PagesTest;

TEST_F(TuningPageTest, FieldsStoreTheirValues) {
  using Case = TypedField;
  const Case cases[] = {
      {"EditLadeniLambda", "805", 186, 80, 800},   {"EditLadeniLambda", "1000", 186, 100, 1000},
      {"EditLadeniHyster", "15", 187, 1, 10},      {"EditLadeniRpm", "1999", 188, 199, 1990},
      {"EditLadeniTps", "7", 189, 7, 7},           {"EditLadeniCas", "1300", 190, 13, 1300},
      {"EditLadeniCas", "20000", 190, 200, 20000},
  };
  StartOn(kPageTuning);
  ExpectTypedFields(cases);
}

TEST_F(TuningPageTest, TheCheckBoxStoresNothing) {
  Station& s = StartOn(kPageTuning);
  const ParameterImage before = s.image();
  Click("CheckBoxLadeniPovoleno", true);
  Click("CheckBoxLadeniPovoleno", false);
  EXPECT_TRUE(s.image() == before);
  EXPECT_FALSE(s.undo().CanUndo());
}

TEST_F(TuningPageTest, TheMenuShowsThePageAndTheChoiceIsKept) {
  Station& s = StartOn(kPageBike);
  EXPECT_FALSE(C("TabSheet_Ladeni").visible) << "hidden until asked for";
  s.MenuLadeniClick();
  EXPECT_TRUE(C("TabSheet_Ladeni").visible);
  EXPECT_TRUE(C("MenuLadeni").checked);
  EXPECT_EQ(s.active_page(), kPageTuning);
  s.FormClose();

  Station& again = Start();
  EXPECT_TRUE(C("TabSheet_Ladeni").visible);
  EXPECT_EQ(again.active_page(), kPageTuning);
  again.MenuLadeniClick();
  EXPECT_FALSE(C("TabSheet_Ladeni").visible);
  EXPECT_FALSE(C("MenuLadeni").checked);
  EXPECT_EQ(again.active_page(), kPageBike);
  // A run that closed on the tuning page and then hid it starts on the bike page.
  again.PageControl1Change(kPageTuning);
  again.FormClose();
  EXPECT_EQ(Start().active_page(), kPageBike);
  EXPECT_FALSE(C("TabSheet_Ladeni").visible);
}

}  // namespace
}  // namespace korvan
