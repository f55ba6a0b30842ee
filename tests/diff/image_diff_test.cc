#include "diff/image_diff.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/page_index.h"
#include "model/default_set.h"

namespace korvan {
namespace {

// Every differing byte lies in exactly one entry, every entry holds at least one differing byte,
// and no unit (field element, cell, axis point) is listed twice.
void ExpectExactCover(const ParameterImage& a, const ParameterImage& b,
                      const std::vector<DiffEntry>& entries) {
  std::vector<int> covered(kImageSize, 0);
  for (const DiffEntry& e : entries) {
    bool any_differs = false;
    for (int k = 0; k < kImageSize; ++k) {
      if (!DiffEntryTakes(e, k)) continue;
      ++covered[static_cast<std::size_t>(k)];
      any_differs = any_differs || a.Byte(k) != b.Byte(k);
    }
    EXPECT_TRUE(any_differs) << "entry at byte " << e.first_byte << " differs nowhere";
  }
  for (int k = 0; k < kImageSize; ++k) {
    const int want = a.Byte(k) != b.Byte(k) ? 1 : 0;
    if (want == 1) {
      EXPECT_EQ(covered[static_cast<std::size_t>(k)], 1) << "byte " << k;
    } else {
      EXPECT_LE(covered[static_cast<std::size_t>(k)], 1) << "byte " << k;
    }
  }
}

TEST(ImageDiffTest, EqualImagesHaveNoEntries) {
  const ParameterImage set = DefaultParameterSet(3);
  EXPECT_TRUE(DiffImages(set, set).empty());
  EXPECT_TRUE(SummarizeDiff({}).empty());
}

TEST(ImageDiffTest, DefaultSetsOfDifferentBikesAreCoveredExactlyOnce) {
  for (const auto& [bike_a, bike_b] : std::vector<std::pair<int, int>>{{0, 1}, {3, 17}, {5, 49}}) {
    SCOPED_TRACE(testing::Message() << "bikes " << bike_a << " and " << bike_b);
    const ParameterImage a = DefaultParameterSet(bike_a);
    const ParameterImage b = DefaultParameterSet(bike_b);
    const std::vector<DiffEntry> entries = DiffImages(a, b);
    ASSERT_FALSE(entries.empty());
    ExpectExactCover(a, b, entries);
    // The bike code itself is a field of the bike page.
    EXPECT_EQ(entries.front().kind, DiffKind::kField);
    EXPECT_EQ(entries.front().field->name, "ComboBoxBike");
  }
}

TEST(ImageDiffTest, EveryByteChangedIsCoveredExactlyOnce) {
  // Every byte differs: the entries tile the whole image, fields, maps, axes and raw bytes.
  const ParameterImage a = DefaultParameterSet(3);
  ParameterImage b = a;
  for (int k = 0; k < kImageSize; ++k) b.SetByte(k, a.Byte(k) ^ 0x01u);
  const std::vector<DiffEntry> entries = DiffImages(a, b);
  ExpectExactCover(a, b, entries);
  bool seen[6] = {};
  for (const DiffEntry& e : entries) seen[static_cast<int>(e.kind)] = true;
  for (bool s : seen) EXPECT_TRUE(s);
}

TEST(ImageDiffTest, EntriesDescribeTheUnitAndItsShownValues) {
  const ParameterImage a = DefaultParameterSet(3);
  struct Case {
    const char* what;
    void (*change)(ParameterImage&);
    DiffKind kind;
    int page;
    int element;
    DiffUnit unit;
  };
  const Case cases[] = {
      {"word cell, both bytes",
       [](ParameterImage& i) {
         SetStoredCell(i, MapId::kInj1A, CellIndex(2, 4),
                       StoredCell(i, MapId::kInj1A, CellIndex(2, 4)) + 0x101);
       },
       DiffKind::kMapCell, kPageInj1A, CellIndex(2, 4), DiffUnit::kPercent},
      {"advance cell",
       [](ParameterImage& i) {
         SetStoredCell(i, MapId::kAdvance, 7, StoredCell(i, MapId::kAdvance, 7) + 3);
       },
       DiffKind::kMapCell, kPageAdvance, 7, DiffUnit::kDegree},
      {"axis point",
       [](ParameterImage& i) {
         i.SetByte(AxisOffset(MapId::kInjB, 5), i.Byte(AxisOffset(MapId::kInjB, 5)) + 1);
       },
       DiffKind::kMapAxis, kPageInjB, 5, DiffUnit::kRpm},
      {"IAP row",
       [](ParameterImage& i) { i.SetWord(kIapRowAxisWord + 9, i.Word(kIapRowAxisWord + 9) + 7); },
       DiffKind::kIapAxis, kPageInjIap, 9, DiffUnit::kKilopascal},
      {"memo", [](ParameterImage& i) { WriteMemo(i, "another memo"); }, DiffKind::kMemo, kPageBike,
       0, DiffUnit::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ParameterImage b = a;
    c.change(b);
    const std::vector<DiffEntry> entries = DiffImages(a, b);
    ASSERT_EQ(entries.size(), 1u);
    const DiffEntry& e = entries[0];
    EXPECT_EQ(e.kind, c.kind);
    EXPECT_EQ(e.page, c.page);
    EXPECT_EQ(e.element, c.element);
    EXPECT_EQ(e.unit, c.unit);
    if (e.kind == DiffKind::kMemo) {
      EXPECT_EQ(e.text_b, "another memo");
    } else {
      EXPECT_NE(e.shown_a, e.shown_b);
    }
  }
}

TEST(ImageDiffTest, AxisAndScaledFieldShowRpm) {
  const ParameterImage a = DefaultParameterSet(3);
  ParameterImage b = a;
  SetAxisRpm(b, MapId::kAdvance, 0, AxisRpm(a, MapId::kAdvance, 0) + 300);
  const Field* limiter = FindField("UpDownIgnLimiter");
  ASSERT_NE(limiter, nullptr);
  FromShown(*limiter, ToShown(*limiter, a) - 200, b);
  const std::vector<DiffEntry> entries = DiffImages(a, b);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].field, limiter);
  EXPECT_EQ(entries[0].shown_b - entries[0].shown_a, -200);
  EXPECT_EQ(entries[1].shown_b - entries[1].shown_a, 300);
}

TEST(ImageDiffTest, SummaryCountsPerPageAndKeepsTheLargestCellChange) {
  const ParameterImage a = DefaultParameterSet(3);
  ParameterImage b = a;
  // The injection maps show percent of their base times, as their page does: halving a cell's
  // time changes its percentage more than a few microseconds added to another.
  SetStoredCell(b, MapId::kInj1A, 0, StoredCell(a, MapId::kInj1A, 0) + 40);
  SetStoredCell(b, MapId::kInj1A, 1, StoredCell(a, MapId::kInj1A, 1) / 2);
  // An axis point of the same page changes by more rpm than any cell changes: the page's figure
  // stays that of its cells.
  SetAxisRpm(b, MapId::kInj1A, 3, AxisRpm(a, MapId::kInj1A, 3) + 1000);
  b.SetByte(kMemoTerminator, 7);  // no field owns the memo's terminator
  const std::vector<DiffEntry> entries = DiffImages(a, b);
  const std::vector<DiffPageSummary> pages = SummarizeDiff(entries);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].page, kPageInj1A);
  EXPECT_EQ(pages[0].count, 3);
  EXPECT_EQ(pages[0].cells, 2);
  ASSERT_GE(pages[0].largest_entry, 0);
  const DiffEntry& largest = entries[static_cast<std::size_t>(pages[0].largest_entry)];
  EXPECT_EQ(largest.element, 1);
  EXPECT_EQ(pages[0].largest_change, largest.shown_b - largest.shown_a);
  EXPECT_LT(pages[0].largest_change, 0);
  EXPECT_EQ(pages[0].unit, DiffUnit::kPercent);
  EXPECT_EQ(pages[1].page, -1);
  EXPECT_EQ(pages[1].count, 1);
}

TEST(ImageDiffTest, TakingEntriesCopiesOnlyTheirBytes) {
  const ParameterImage a = DefaultParameterSet(0);
  const ParameterImage b = DefaultParameterSet(17);
  const std::vector<DiffEntry> entries = DiffImages(a, b);
  ASSERT_GE(entries.size(), 3u);
  const std::vector<DiffEntry> chosen{entries[1], entries[entries.size() / 2], entries.back()};
  ParameterImage target = a;
  TakeDiffEntries(chosen, b, target);
  const std::vector<DiffEntry> left = DiffImages(target, b);
  EXPECT_EQ(left.size(), entries.size() - chosen.size());
  for (int k = 0; k < kImageSize; ++k) {
    bool in_chosen = false;
    for (const DiffEntry& e : chosen) in_chosen |= DiffEntryTakes(e, k);
    EXPECT_EQ(target.Byte(k), in_chosen ? b.Byte(k) : a.Byte(k)) << "byte " << k;
  }
}

// The bike code of another bike takes its bike constants with it: the list holds no rows of
// their own then, and a taken code leaves no set with one bike's code and another's engine
// configuration. With the same bike code, differing constants are raw bytes as any other.
TEST(ImageDiffTest, TheBikeCodeTakesItsBikeConstantsWithIt) {
  struct Case {
    int bike_a;
    int bike_b;
  };
  const Case cases[] = {{11, 47}, {0, 7}, {26, 32}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "bikes " << c.bike_a << " and " << c.bike_b);
    const ParameterImage a = DefaultParameterSet(c.bike_a);
    const ParameterImage b = DefaultParameterSet(c.bike_b);
    ASSERT_NE(a.Byte(2), b.Byte(2));
    const std::vector<DiffEntry> entries = DiffImages(a, b);
    ASSERT_EQ(entries.front().field->name, "ComboBoxBike");
    EXPECT_TRUE(entries.front().with_bike_constants);
    for (const DiffEntry& e : entries) {
      EXPECT_FALSE(e.kind == DiffKind::kRaw && (e.first_byte == 2 || e.first_byte == 256))
          << "raw row of byte " << e.first_byte;
    }
    ParameterImage target = a;
    TakeDiffEntries(std::vector<DiffEntry>{entries.front()}, b, target);
    for (const ByteRun& run : BikeConstantBytes()) {
      for (int k = run.first; k < run.first + run.length; ++k) {
        EXPECT_EQ(target.Byte(k), b.Byte(k)) << "bike constant " << k;
      }
    }
    EXPECT_EQ(target.Byte(0), c.bike_b);
    EXPECT_EQ(target.Byte(28), a.Byte(28)) << "a field of the bike page stays";
  }
  // The same bike with another engine configuration byte: a raw row, taken alone.
  const ParameterImage a = DefaultParameterSet(11);
  ParameterImage b = a;
  b.SetByte(2, 9);
  const std::vector<DiffEntry> entries = DiffImages(a, b);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries.front().kind, DiffKind::kRaw);
  EXPECT_FALSE(entries.front().with_bike_constants);
}

}  // namespace
}  // namespace korvan
