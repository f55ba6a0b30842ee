// The N2O page: the levels, times and corrections as stored and as the consistency rules leave
// them, and the enable box that shows the stage here and its state on the monitor page.
#include "pages_fixture.h"

namespace korvan {
namespace {

class N2oPageTest : public PagesTest {
 protected:
  Station& StartEnabled() {
    Station& s = StartOn(kPageN2o);
    Click("CheckBoxGas", true);
    return s;
  }
};

TEST_F(N2oPageTest, FieldsStoreWhatTheUnitAccepts) {
  using Case = TypedField;
  // In order: each row starts from what the rows above left.
  const Case cases[] = {
      {"EditGas1", "30", 99, 30, 30},
      {"EditGas2", "10", 100, 30, 30},  // level 2 never below level 1
      {"EditGas2", "100", 100, 100, 100},
      {"EditGasT", "0", 101, 1, 100},  // a build-up time needs at least one step
      {"EditGasT", "1250", 101, 12, 1200},
      {"EditGasD", "25500", 102, 200, 20000},
      {"EditGasJetKor1", "300", 158, 200, 300},
      {"EditGasJetKor2", "250", 159, 200, 300},  // correction 2 never below correction 1
      {"EditGasJetKor1", "100", 158, 0, 100},
      {"EditGasJetKor2", "350", 159, 250, 350},
      {"EditRetard1", "12", 103, 12, 12},
      {"EditRetard2", "5", 104, 12, 12},
      {"EditRetard2", "25", 104, 25, 25},
      {"EditRetardD", "25500", 106, 200, 20000},
      {"EditRetardT", "0", 105, 1, 100},
      {"EditRetardT", "750", 105, 7, 700},
  };
  StartEnabled();
  ExpectTypedFields(cases);
}

TEST_F(N2oPageTest, TheEnableBoxShowsTheStageHereAndOnTheMonitor) {
  Station& s = StartEnabled();
  Type("EditGas1", "40");
  ASSERT_EQ(s.image().Byte(98), 1);
  for (const char* name : {"GroupBoxGas", "EditGas1", "LabelGasJetKor2", "GroupBoxRetard",
                           "EditRetardT", "LabelRetard1"}) {
    EXPECT_TRUE(C(name).visible) << name;
  }
  EXPECT_TRUE(C("LabelN2oEnable").visible);

  Click("CheckBoxGas", false);
  EXPECT_EQ(s.image().Byte(98), 0);
  for (const char* name : {"GroupBoxGas", "EditGas1", "LabelGasJetKor2", "GroupBoxRetard",
                           "EditRetardT", "LabelRetard1"}) {
    EXPECT_FALSE(C(name).visible) << name;
  }
  EXPECT_TRUE(C("CheckBoxGas").visible && C("CheckBoxGas").enabled);
  EXPECT_EQ(s.image().Byte(99), 40) << "the levels stay";
  EXPECT_FALSE(C("LabelN2oEnable").visible);
  // The monitor page keeps it hidden when shown.
  s.PageControl1Change(kPageMonitor);
  EXPECT_FALSE(C("LabelN2oEnable").visible);
  s.PageControl1Change(kPageN2o);
  Click("CheckBoxGas", true);
  s.PageControl1Change(kPageMonitor);
  EXPECT_TRUE(C("LabelN2oEnable").visible);
}

}  // namespace
}  // namespace korvan
