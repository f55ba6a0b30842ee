// Printing: what the controls show while the desktop prints, the stamp, and the window as it was
// afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "station/print_list.h"
#include "station_fixture.h"

namespace korvan {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// What print mode may change on a control.
struct Look {
  bool visible;
  bool up_down_visible;
  bool enabled;
  std::uint32_t color;
  std::string text;
  bool operator==(const Look&) const = default;
};

std::vector<Look> LookOf(const ControlSet& controls) {
  std::vector<Look> out;
  for (ControlHandle h = 0; h < controls.size(); ++h) {
    const Control& c = controls.Get(h);
    out.push_back({c.visible, c.up_down_visible, c.enabled, c.color, c.text});
  }
  return out;
}

class StationPrintTest : public ::testing::Test, public StationFixture {
 protected:
  // Prints and keeps what the controls showed at the moment of printing.
  std::vector<Look> PrintAndCapture(Station& s) {
    std::vector<Look> during;
    desktop.on_print = [&] { during = LookOf(s.controls()); };
    s.SpeedButtonPrintClick();
    desktop.on_print = nullptr;
    return during;
  }
  const Look& At(const std::vector<Look>& looks, std::string_view name) const {
    return looks[static_cast<std::size_t>(H(name))];
  }
};

TEST_F(StationPrintTest, TheSheetShowsThePageWithoutItsEditingAids) {
  Station& s = Start();
  s.PageControl1Change(kPageInj1A);
  Tick(3);
  const std::vector<Look> during = PrintAndCapture(s);
  ASSERT_EQ(desktop.prints, 1);

  const Look& stamp = At(during, "LabelHlaseni");
  EXPECT_EQ(stamp.text, "Date and time of printing:  18.04.2007    11:45:42");
  EXPECT_TRUE(stamp.visible);
  EXPECT_EQ(stamp.color, kWhite);
  EXPECT_EQ(At(during, "FormHlav").color, kWhite);

  for (const char* gone :
       {"LabelSpojeni",     "CGaugeProgram",      "StatusBar1",       "SpeedButton6",
        "SpeedButtonPrint", "SpeedButtonZnovu",   "ButtonProgram",    "ButtonRead",
        "CSpinButton0",     "CSpinButton14",      "CSpinButtonTools", "CheckBoxAll_Uni",
        "CheckBoxTps_Uni",  "CheckBoxZobrMs_Uni", "CGaugeRpm",        "CGaugeTps",
        "CGaugeLambda",     "CGaugeVoda",         "TabSheet_Bike",    "TabSheet_Inj2A",
        "TabSheet_Monitor"}) {
    EXPECT_FALSE(At(during, gone).visible) << gone;
  }
  // The fields keep their values on the sheet; only their arrows go.
  for (const char* field : {"MapCell0", "MapCell149", "MapRpm0", "MapRpm14"}) {
    EXPECT_TRUE(At(during, field).visible) << field;
    EXPECT_FALSE(At(during, field).up_down_visible) << field;
  }
  EXPECT_TRUE(At(during, "TabSheet_Inj1A").visible);
  // What is not an editing aid stays as the page shows it.
  for (const char* kept :
       {"CheckBoxProcenta", "CheckBoxProgHned", "LabelFile2", "MapValueLabel0"}) {
    EXPECT_EQ(At(during, kept).visible, s.controls().Visible(H(kept))) << kept;
  }
  for (int row = 0; row < 10; ++row) {
    EXPECT_EQ(At(during, "MapRowLabel" + std::to_string(row)).color, kWhite) << row;
  }
}

TEST_F(StationPrintTest, EveryControlIsAsBeforeAfterwardsExceptTheStamp) {
  // One page of each kind: a map page, a settings page with run-time tables, the live panel.
  for (const int page : {kPageInj1A, kPageInjIap, kPagePosition, kPageCorrections, kPageMonitor}) {
    Station& s = Start();
    s.PageControl1Change(page);
    Tick(3);
    s.controls().ClearChanged();
    const std::vector<Look> before = LookOf(s.controls());
    s.SpeedButtonPrintClick();
    const std::vector<Look> after = LookOf(s.controls());
    for (ControlHandle h = 0; h < s.controls().size(); ++h) {
      const std::string& name = s.controls().Get(h).name;
      if (name == "LabelHlaseni") continue;
      EXPECT_EQ(after[static_cast<std::size_t>(h)], before[static_cast<std::size_t>(h)])
          << name << " on page " << page;
    }
    EXPECT_TRUE(s.controls().Visible(H("LabelHlaseni")));
  }
}

TEST_F(StationPrintTest, SettingsPagesLoseTheirListedArrowsAndTools) {
  struct Case {
    int page;
    const char* name;
    bool field;  // a field keeps showing and loses its arrows; anything else is hidden
  };
  const Case cases[] = {
      {kPagePosition, "EditPolohaRpmA0", true},
      {kPagePosition, "EditPolohaB14", true},
      {kPagePosition, "CSpinButtonPolohaA", false},
      {kPagePosition, "CSpinButtonPolohaB", false},
      {kPagePosition, "CheckBoxAll_PolohaA", false},
      {kPagePosition, "CheckBoxAll_PolohaB", false},
      {kPageCorrections, "UpDownStartJet", true},
      {kPageCorrections, "UpDownAkcelPrah", true},
      {kPageCorrections, "UpDownAkcelJet", true},
      {kPageCorrections, "UpDownSyticCas1", true},
      {kPageCorrections, "UpDownSyticCas4", true},
      {kPageCorrections, "UpDownSyticKorekce0", true},
      {kPageCorrections, "UpDownSyticKorekce3", true},
      {kPageBike, "UpDownChlazeni", true},
      {kPageN2o, "UpDownGas1", true},
      {kPageN2o, "UpDownGasT", true},
      {kPageN2o, "UpDownRetard2", true},
      {kPageN2o, "UpDownRetardD", true},
      {kPageMonitor, "CheckBoxExtMonitor", false},
  };
  for (const Case& c : cases) {
    Station& s = Start();
    s.PageControl1Change(c.page);
    const bool shown = s.controls().Visible(H(c.name));
    const std::vector<Look> during = PrintAndCapture(s);
    const Look& look = At(during, c.name);
    if (c.field) {
      // A field the page's rules hide (N2O switched off) stays hidden; one on show stays.
      EXPECT_EQ(look.visible, shown) << c.name;
      EXPECT_FALSE(look.up_down_visible) << c.name;
      EXPECT_TRUE(s.controls().Get(H(c.name)).up_down_visible) << c.name << " afterwards";
    } else {
      EXPECT_FALSE(look.visible) << c.name;
      EXPECT_TRUE(s.controls().Visible(H(c.name))) << c.name << " afterwards";
    }
  }
}

// Every field of every page goes onto paper as a plain value: no arrows, whatever the page's
// layout shows on screen, and no greyed text, and no spin button without a field.
TEST_F(StationPrintTest, NoFieldOnAnyPageShowsArrowsOrIsGreyedOnTheSheet) {
  for (int page = 0; page < kPageCount; ++page) {
    Station& s = Start();
    s.PageControl1Change(page);
    Tick(3);
    const std::vector<Look> during = PrintAndCapture(s);
    for (ControlHandle h = 0; h < s.controls().size(); ++h) {
      const Control& c = s.controls().Get(h);
      const Look& look = during[static_cast<std::size_t>(h)];
      if (c.kind == ControlKind::kSpin) {
        EXPECT_FALSE(look.up_down_visible) << c.name << " on page " << page;
        EXPECT_TRUE(look.enabled) << c.name << " on page " << page;
      } else if (c.kind == ControlKind::kSpinButton) {
        EXPECT_FALSE(look.visible) << c.name << " on page " << page;
      }
    }
  }
}

TEST_F(StationPrintTest, ALockedMapIsPrintedPlainAndIsLockedAgainAfterwards) {
  Station& s = Start();
  s.Menu_Jet123CoupledClick();
  s.PageControl1Change(kPageInj2A);
  ASSERT_FALSE(s.controls().Get(H("MapCell0")).enabled) << "a coupled 2A follows 1A, locked";
  const std::vector<Look> during = PrintAndCapture(s);
  for (const char* cell : {"MapCell0", "MapCell77", "MapCell149"}) {
    EXPECT_TRUE(At(during, cell).enabled) << cell;
    EXPECT_FALSE(s.controls().Get(H(cell)).enabled) << cell << " afterwards";
  }
}

TEST_F(StationPrintTest, CoupledInj2APrintsWithItsOwnTabAndTheTabsFollowTheModeAfterwards) {
  Station& s = Start();
  s.Menu_Jet123CoupledClick();
  s.PageControl1Change(kPageInj2A);
  const char* const kChannelTabs[] = {"TabSheet_Inj1A", "TabSheet_Inj2A", "TabSheet_Inj3A",
                                      "TabSheet_Inj4A"};
  std::vector<bool> before;
  for (const char* tab : kChannelTabs) before.push_back(s.controls().Visible(H(tab)));
  ASSERT_TRUE(before[2] && before[3]) << "a four-channel engine shows 3A and 4A when coupled";

  const std::vector<Look> during = PrintAndCapture(s);
  for (ControlHandle h = 0; h < s.controls().size(); ++h) {
    const Control& c = s.controls().Get(h);
    if (c.kind != ControlKind::kTab) continue;
    EXPECT_EQ(during[static_cast<std::size_t>(h)].visible, c.name == "TabSheet_Inj2A") << c.name;
  }
  // The grid is printed locked, as the coupled page shows it.
  EXPECT_EQ(At(during, "MapCell0").visible, s.controls().Visible(H("MapCell0")));

  for (std::size_t i = 0; i < std::size(kChannelTabs); ++i) {
    EXPECT_EQ(s.controls().Visible(H(kChannelTabs[i])), before[i]) << kChannelTabs[i];
  }
  // The tabs still follow the channel mode: with all channels equal, 2A..4A go.
  s.Menu_Jet123StejnyClick();
  EXPECT_TRUE(s.controls().Visible(H("TabSheet_Inj1A")));
  for (const char* tab : {"TabSheet_Inj2A", "TabSheet_Inj3A", "TabSheet_Inj4A"}) {
    EXPECT_FALSE(s.controls().Visible(H(tab))) << tab;
  }
}

TEST_F(StationPrintTest, TheStampIsInTheLanguageOnDisplay) {
  struct Case {
    void (Station::*choose)();
    const char* stamp;
  };
  const Case cases[] = {
      {&Station::MenuGermanClick, "Zeitpunkt des Ausdruckes   18.04.2007    11:45:42"},
      {&Station::MenuFrenchClick, "Date et heur de l´imprimé:   18.04.2007    11:45:42"},
      {&Station::MenuCzechClick, "Datum a čas tisku:  18.04.2007    11:45:42"},
  };
  for (const Case& c : cases) {
    Station& s = Start();
    (s.*c.choose)();
    const std::vector<Look> during = PrintAndCapture(s);
    EXPECT_EQ(At(during, "LabelHlaseni").text, c.stamp);
  }
}

TEST_F(StationPrintTest, TheStampStaysTwoHundredTicksUnlessTheSessionSpeaksFirst) {
  desktop.now = {"4/18/07", "11:45:42 AM"};
  Station& s = Start();
  Tick(3);
  s.SpeedButtonPrintClick();
  const std::string stamp = "Date and time of printing:  4/18/07    11:45:42 AM";
  Tick(199);
  EXPECT_EQ(C("LabelHlaseni").text, stamp);
  EXPECT_TRUE(C("LabelHlaseni").visible);
  EXPECT_EQ(C("LabelHlaseni").color, kWhite);
  Tick();
  EXPECT_FALSE(C("LabelHlaseni").visible);

  s.SpeedButtonPrintClick();
  Tick(5);
  s.MenuReadClick();
  EXPECT_EQ(C("LabelHlaseni").text, "Read:");
  EXPECT_NE(C("LabelHlaseni").color, kWhite);
}

TEST_F(StationPrintTest, WithoutAPrinterAMessageSaysWhereThePdfWentAndOffersItsFolder) {
  struct Case {
    void (Station::*choose)();
    bool open;  // the user chooses the folder button
    const char* message;
    const char* button;
  };
  const Case cases[] = {
      {&Station::MenuEnglishClick, false,
       "No printer: the page was saved as /home/tuner/Documents/korvan-1.pdf", "Open folder"},
      {&Station::MenuGermanClick, true,
       "Kein Drucker: die Seite wurde gespeichert als /home/tuner/Documents/korvan-1.pdf",
       "Ordner öffnen"},
      {&Station::MenuFrenchClick, true,
       "Pas d'imprimante : la page a été enregistrée sous /home/tuner/Documents/korvan-1.pdf",
       "Ouvrir le dossier"},
      {&Station::MenuCzechClick, false,
       "Žádná tiskárna: stránka byla uložena jako /home/tuner/Documents/korvan-1.pdf",
       "Otevřít složku"},
  };
  for (const Case& c : cases) {
    Station& s = Start();
    (s.*c.choose)();
    desktop.folder_messages.clear();
    desktop.documents.clear();
    desktop.opens_folder = c.open;
    desktop.print_outcome = {PrintOutcome::Kind::kPdfFile, "/home/tuner/Documents/korvan-1.pdf"};
    s.SpeedButtonPrintClick();
    ASSERT_EQ(desktop.folder_messages.size(), 1u) << c.button;
    EXPECT_EQ(desktop.folder_messages[0].first, c.message);
    EXPECT_EQ(desktop.folder_messages[0].second, c.button);
    EXPECT_TRUE(desktop.messages.empty()) << c.button;
    if (c.open) {
      EXPECT_EQ(desktop.documents, std::vector<std::string>{"/home/tuner/Documents"});
    } else {
      EXPECT_TRUE(desktop.documents.empty()) << c.button;
    }
    // The status line says it as well, for as long as it shows it.
    EXPECT_EQ(C("LabelHlaseni").text, c.message);
    EXPECT_TRUE(C("LabelHlaseni").visible);
  }
}

TEST_F(StationPrintTest, AFailedPrintSaysSoAndLeavesTheSetAlone) {
  Station& s = Start();
  s.MenuCzechClick();
  s.PageControl1Change(kPageInj1A);
  const ParameterImage image = s.image();
  const bool undo = s.undo().CanUndo();
  desktop.print_outcome = {PrintOutcome::Kind::kFailed, "/nowhere/korvan-1.pdf"};
  s.SpeedButtonPrintClick();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0], "Stránku nelze vytisknout: /nowhere/korvan-1.pdf");
  EXPECT_FALSE(C("LabelHlaseni").visible) << "no stamp for a page that was not printed";
  EXPECT_TRUE(s.image() == image);
  EXPECT_EQ(s.undo().CanUndo(), undo);
  EXPECT_EQ(s.active_page(), kPageInj1A);
}

// A name on the print list that matches no control would leave that control on the sheet.
TEST_F(StationPrintTest, EveryNameOnThePrintListIsAControl) {
  const ControlSet& controls = Start().controls();
  for (const std::string& name : PrintAdornmentNames()) {
    EXPECT_TRUE(controls.Find(name).has_value()) << name;
  }
}

}  // namespace
}  // namespace korvan
