// A stored value outside its field's range is shown limited; the next edit on the page stores it
// as shown, so that the window, a saved file and the unit hold the same value. What a field only
// could not show (a hidden field) stays as it is.
#include <optional>

#include "files/parameter_file.h"
#include "image/consistency.h"
#include "image/field_dictionary.h"
#include "model/default_set.h"
#include "pages_fixture.h"

namespace korvan {
namespace {

constexpr int kSettingsPages[] = {kPageBike, kPageCorrections, kPageSensors,  kPageRace,  kPageIdle,
                                  kPageGear, kPageN2o,         kPagePosition, kPageTuning};

class ShownValuesTest : public PagesTest {
 protected:
  // The page with as many of its fields on show as its switches allow: the bike with intake
  // ports, the idle page's step motor with the advance control on, nitrous enabled.
  Station& StartShowingAll(int page) {
    Station& s = StartOn(page);
    s.image().SetByte(0, 47);
    s.image().SetByte(2600, 2);
    s.image().SetByte(2618, 1);
    s.image().SetByte(98, 1);
    s.RefreshPage();
    return s;
  }

  // The fields of the page on display whose image value is not what they show, by name.
  std::vector<std::string> FieldsShowingOtherThanStored(int page) {
    std::vector<std::string> wrong;
    const PageFields* fields = station->pages().FieldsOf(page);
    for (const PageFields::Bound& b : fields->bound()) {
      const Control& c = station->controls().Get(b.handle);
      if (!c.visible || c.kind != ControlKind::kSpin) continue;
      const int stored_shows = ToShown(*b.field, station->image(), b.element);
      if (stored_shows != c.value) {
        wrong.push_back(c.name + " shows " + std::to_string(c.value) + ", image " +
                        std::to_string(stored_shows));
      }
    }
    return wrong;
  }
};

// The first stored value (from 0 up, or from the top down) that the field shows outside its
// range; none when every stored value lies inside.
std::optional<unsigned> StoredOutside(const Field& field, const ParameterImage& image, bool above) {
  const unsigned top = field.width == FieldWidth::kWord ? 0xFFFFu : 0xFFu;
  const ShownRange range = RangeOf(field, image);
  for (unsigned i = 0; i <= top; ++i) {
    const unsigned s = above ? top - i : i;
    const int shown = ShownFromStored(field, s, image);
    if (above ? shown > range.max : shown < range.min) return s;
  }
  return std::nullopt;
}

// Every field of every settings page, with a stored value above and below its range: Enter in
// another field, or typing the value the field shows into it, leaves every field on show holding
// what it shows.
TEST_F(ShownValuesTest, AnEditStoresEveryFieldOnShowAsShown) {
  enum class Edit { kEnterElsewhere, kTypeTheShownValue };
  for (const int page : kSettingsPages) {
    Station& s = StartShowingAll(page);
    const ParameterImage start = s.image();
    std::vector<PageFields::Bound> spins;
    for (const PageFields::Bound& b : s.pages().FieldsOf(page)->bound()) {
      if (s.controls().Get(b.handle).kind == ControlKind::kSpin) spins.push_back(b);
    }
    ASSERT_FALSE(spins.empty()) << "page " << page;
    for (const PageFields::Bound& b : spins) {
      const std::string name = s.controls().Get(b.handle).name;
      for (const bool above : {true, false}) {
        for (const Edit edit : {Edit::kEnterElsewhere, Edit::kTypeTheShownValue}) {
          s.image() = start;
          const std::optional<unsigned> outside = StoredOutside(*b.field, s.image(), above);
          if (!outside) continue;
          SetStoredValue(*b.field, s.image(), *outside, b.element);
          s.RefreshPage();
          const bool shown = C(name).visible;
          const std::string what = name + (above ? " above" : " below") +
                                   (edit == Edit::kEnterElsewhere ? ", Enter" : ", typed");
          if (edit == Edit::kEnterElsewhere) {
            s.FormKeyPressEnter();
          } else {
            Type(name, std::to_string(C(name).value));
          }
          EXPECT_EQ(FieldsShowingOtherThanStored(page), std::vector<std::string>{}) << what;
          if (!shown) {
            // What the consistency rules leave of it, and nothing else.
            ParameterImage ruled = start;
            SetStoredValue(*b.field, ruled, *outside, b.element);
            StationSettings settings{0, 0};
            ApplyConsistencyRules(ruled, settings);
            EXPECT_EQ(StoredValue(*b.field, s.image(), b.element),
                      StoredValue(*b.field, ruled, b.element))
                << what << ": a hidden field keeps its value";
          }
        }
      }
    }
  }
}

// A file whose cooling warning lies above the field's 150 degC: the field shows 150, and once
// anything on the page is edited, the image and the next saved file hold 150 too.
TEST_F(ShownValuesTest, AFilesValueAboveTheRangeIsStoredAsShownAtTheNextEdit) {
  struct Case {
    const char* how;
    const char* field;
    const char* typed;
  };
  const Case cases[] = {
      {"typing the shown 150", "EditChlazeni", "150"},
      {"editing another field", "EditRpmPulsu", "3"},
  };
  for (const Case& c : cases) {
    Station& s = StartOn(kPageBike);
    ParameterImage set = s.image();
    set.SetByte(35, 200);
    const std::string path = (dir / "cooling.ign").string();
    ASSERT_TRUE(SaveParameterFile(path, set).ok());
    desktop.open_path = path;
    s.MenuOpenClick();
    ASSERT_EQ(Value("EditChlazeni"), 150) << c.how;

    Type(c.field, c.typed);
    EXPECT_EQ(s.image().Byte(35), 150) << c.how;
    const std::string saved = (dir / "saved.ign").string();
    desktop.save_path = saved;
    s.MenuSaveClick();
    ParameterImage read_back = s.image();
    read_back.SetByte(35, 0);
    ASSERT_TRUE(OpenParameterFile(saved, read_back, {}).ok());
    EXPECT_EQ(read_back.Byte(35), 150) << c.how;
  }
}

// Percent targets of the intake servo converted into steps of the step motor: 100 % becomes 250
// steps, which the field shows as its 1200. The switch is an edit: the image holds 240 at once,
// and typing the 1200 keeps it.
TEST_F(ShownValuesTest, ATargetConvertedBeyondTheNewUnitsRangeIsStoredAsShown) {
  constexpr int kTarget8 = 2617;
  Station& s = StartOn(kPageIdle);
  s.image().SetByte(2600, 1);
  s.image().SetByte(59, 1);  // the intake servo enabled, its map in percent
  s.image().SetByte(63, 1);
  s.RefreshPage();
  Type("EditIdleServoPoz8", "100");
  ASSERT_EQ(s.image().Byte(kTarget8), 100);

  s.controls().SetValue(H("RadioGroupIdleMode"), 3);
  s.RadioGroupIdleModeClick();
  EXPECT_EQ(Value("EditIdleServoPoz8"), 1200);
  EXPECT_EQ(s.image().Byte(kTarget8), 240);
  Type("EditIdleServoPoz8", "1200");
  EXPECT_EQ(s.image().Byte(kTarget8), 240);
  // Undo takes the switch back in one step, targets and all.
  s.SpeedButtonZpetClick();
  EXPECT_EQ(s.image().Byte(2600), 1);
  EXPECT_EQ(s.image().Byte(kTarget8), 100);
}

// Opening, saving and programming are no edits of a page: a file's value outside a field's range
// travels unchanged until the user edits the page.
TEST_F(ShownValuesTest, OpenAndSaveWithoutAnEditKeepTheFilesValue) {
  Station& s = StartOn(kPageBike);
  ParameterImage set = s.image();
  set.SetByte(35, 200);
  const std::string path = (dir / "cooling.ign").string();
  ASSERT_TRUE(SaveParameterFile(path, set).ok());
  desktop.open_path = path;
  s.MenuOpenClick();
  EXPECT_EQ(s.image().Byte(35), 200);
  desktop.save_path = (dir / "again.ign").string();
  s.MenuSaveClick();
  EXPECT_EQ(s.image().Byte(35), 200);
}

// The default set of every bike lies inside the ranges of the settings pages' fields: on a new
// set, an edit stores what the user typed and nothing else.
TEST(DefaultSetRangesTest, EveryDefaultSetShowsEveryFieldUnlimited) {
  for (int bike = 0; bike < 50; ++bike) {
    const ParameterImage set = DefaultParameterSet(bike);
    for (const Field& field : AllFields()) {
      if (field.kind == FieldKind::kFlag || field.kind == FieldKind::kIndex ||
          field.kind == FieldKind::kText || field.min > field.max) {
        continue;
      }
      bool on_a_settings_page = false;
      for (const int page : kSettingsPages) on_a_settings_page |= field.page == page;
      if (!on_a_settings_page) continue;
      const ShownRange range = RangeOf(field, set);
      for (int e = 0; e < field.count; ++e) {
        const int shown = ToShown(field, set, e);
        EXPECT_TRUE(shown >= range.min && shown <= range.max)
            << "bike " << bike << ", " << field.name << " [" << e << "] shows " << shown;
      }
    }
  }
}

}  // namespace
}  // namespace korvan
