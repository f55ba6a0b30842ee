// The journal's records: what comes back after a clean write, a torn end and damage, and what a
// journal that cannot be written does.
#include "files/edit_journal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace korvan {
namespace {

namespace fs = std::filesystem;

JournalState StateNumber(int n) {
  JournalState s;
  s.time = 1'700'000'000 + n;
  s.page = n % 19;
  s.dirty[static_cast<std::size_t>(1 + n % 19)] = true;
  s.file_label = n % 2 ? "/home/tuner/bikes/set " + std::to_string(n) + ".ign" : "";
  for (std::size_t i = 0; i < s.image.size(); ++i) {
    s.image[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(n));
  }
  return s;
}

void ExpectSameState(const JournalState& a, const JournalState& b) {
  EXPECT_EQ(a.time, b.time);
  EXPECT_EQ(a.page, b.page);
  EXPECT_EQ(a.dirty, b.dirty);
  EXPECT_EQ(a.file_label, b.file_label);
  EXPECT_TRUE(a.image == b.image);
}

std::string Journal(int records) {
  std::string bytes;
  for (int n = 1; n <= records; ++n) bytes += EncodeJournalRecord(StateNumber(n));
  return bytes;
}

TEST(EditJournalCodecTest, CompleteRecordsComeBackWithTheirCountAndTimes) {
  const std::optional<JournalContents> c = DecodeJournal(Journal(3));
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->count, 3);
  EXPECT_FALSE(c->torn);
  EXPECT_EQ(c->first_time, StateNumber(1).time);
  ExpectSameState(c->last, StateNumber(3));
  EXPECT_FALSE(DecodeJournal("").has_value());
}

// Whatever happens to the last record, the ones before it count.
TEST(EditJournalCodecTest, ADamagedLastRecordRestoresUpToTheOneBefore) {
  const std::string two = Journal(2);
  const std::string three = Journal(3);
  const std::size_t record = three.size() - two.size();
  struct Case {
    const char* what;
    std::string bytes;
    bool damaged;  // more than the record being written when the run ended was lost
  };
  std::string flipped_payload = three;
  flipped_payload[two.size() + 100] ^= 0x01;
  std::string flipped_sum = three;
  flipped_sum.back() ^= 0x40;
  std::string huge_length = three;
  huge_length[two.size() + 6] = '\x7F';
  const Case cases[] = {
      {"cut inside the header", three.substr(0, two.size() + 5), false},
      {"cut inside the image", three.substr(0, two.size() + record / 2), false},
      {"check sum missing its last byte", three.substr(0, three.size() - 1), false},
      {"a bit flipped in the image", flipped_payload, true},
      {"check sum wrong", flipped_sum, true},
      {"length far beyond a record", huge_length, true},
      {"zeros where the record should be", two + std::string(record, '\0'), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<JournalContents> contents = DecodeJournal(c.bytes);
    ASSERT_TRUE(contents.has_value());
    EXPECT_EQ(contents->count, 2);
    EXPECT_TRUE(contents->torn);
    EXPECT_EQ(contents->damaged, c.damaged);
    ExpectSameState(contents->last, StateNumber(2));
  }
  EXPECT_FALSE(DecodeJournal(three.substr(0, record - 1)).has_value());
}

// Damage before the last record costs the damaged record only: every intact record after it
// still counts, the newest state comes back, and the damage is said.
TEST(EditJournalCodecTest, DamageInTheMiddleKeepsTheIntactRecordsAfterIt) {
  const std::string one = Journal(1);
  const std::string four = Journal(4);
  const std::size_t record = one.size();  // records without a file name differ in size
  const std::size_t second = record;
  const std::size_t second_size = Journal(2).size() - record;
  struct Case {
    const char* what;
    std::string bytes;
    int intact;
  };
  std::string flipped = four;
  flipped[second + 300] ^= 0x08;
  std::string wrong_sum = four;
  wrong_sum[second + second_size - 1] ^= 0x01;
  std::string wrong_length = four;
  wrong_length[second + 4] ^= 0x10;  // the record seems longer than it is
  std::string wrong_magic = four;
  wrong_magic[second] = 'X';
  std::string zeros = four;
  std::fill_n(zeros.begin() + static_cast<std::ptrdiff_t>(second), second_size, '\0');
  const Case cases[] = {
      {"a bit flipped in the second record", flipped, 3},
      {"the second record's check sum wrong", wrong_sum, 3},
      {"the second record's length wrong", wrong_length, 3},
      {"the second record's magic wrong", wrong_magic, 3},
      {"the second record zeroed", zeros, 3},
      {"garbage between two records", one + "garbage from a bad sector" + four.substr(record), 4},
      {"the first record gone", four.substr(10), 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<JournalContents> contents = DecodeJournal(c.bytes);
    ASSERT_TRUE(contents.has_value());
    EXPECT_EQ(contents->count, c.intact);
    EXPECT_TRUE(contents->damaged);
    EXPECT_FALSE(contents->torn);
    ExpectSameState(contents->last, StateNumber(4));
  }
  const std::optional<JournalContents> whole = DecodeJournal(four);
  ASSERT_TRUE(whole.has_value());
  EXPECT_FALSE(whole->damaged);
}

class EditJournalFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("korvan_journal_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string Path() const { return (dir_ / "edits.journal").string(); }
  fs::path dir_;
};

TEST_F(EditJournalFileTest, AppendsAreReadBackAndOnlyTheUserRemovesWhatWasSetAside) {
  EditJournal journal(Path());
  EXPECT_FALSE(journal.ReadLeftOver().has_value());
  for (int n = 1; n <= 4; ++n) ASSERT_TRUE(journal.Append(StateNumber(n)));
  EXPECT_TRUE(journal.has_records());
  EditJournal next_run(Path());
  const std::optional<JournalContents> c = next_run.ReadLeftOver();
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->count, 4);
  ExpectSameState(c->last, StateNumber(4));

  next_run.SetAside();
  EXPECT_FALSE(fs::exists(Path()));
  EXPECT_TRUE(fs::exists(next_run.AsidePath()));
  ASSERT_TRUE(next_run.Append(StateNumber(5)));
  next_run.Clear();
  EXPECT_FALSE(fs::exists(Path()));
  EXPECT_TRUE(fs::exists(next_run.AsidePath()));
  // Declined again in a later run: the earlier declined journal is kept beside it.
  ASSERT_TRUE(next_run.Append(StateNumber(6)));
  next_run.SetAside();
  ASSERT_TRUE(fs::exists(next_run.AsidePath(2)));
  EXPECT_EQ(EditJournal(next_run.AsidePath()).ReadLeftOver()->count, 4);
  EXPECT_EQ(EditJournal(next_run.AsidePath(2)).ReadLeftOver()->count, 1);
  ASSERT_TRUE(next_run.Append(StateNumber(7)));
  next_run.Clear();
  EXPECT_FALSE(fs::exists(Path()));
  EXPECT_FALSE(next_run.has_records());
  // Newest last change first.
  const std::vector<AsideJournal> aside = next_run.ListAside();
  ASSERT_EQ(aside.size(), 2u);
  EXPECT_EQ(aside[0].path, next_run.AsidePath(2));
  EXPECT_EQ(aside[0].contents.count, 1);
  EXPECT_EQ(aside[1].path, next_run.AsidePath());
  EXPECT_EQ(aside[1].contents.count, 4);
  EXPECT_FALSE(next_run.RemoveAside(Path()));  // only what was set aside
  EXPECT_TRUE(next_run.RemoveAside(next_run.AsidePath()));
  EXPECT_FALSE(fs::exists(next_run.AsidePath()));
  EXPECT_TRUE(fs::exists(next_run.AsidePath(2)));
  ASSERT_EQ(next_run.ListAside().size(), 1u);
}

// However many journals were declined before, setting one more aside never replaces one.
TEST_F(EditJournalFileTest, SettingAsideNeverReplacesAnEarlierJournal) {
  EditJournal journal(Path());
  for (int n = 1; n <= 99; ++n) {
    std::ofstream(journal.AsidePath(n), std::ios::binary) << EncodeJournalRecord(StateNumber(n));
  }
  ASSERT_TRUE(journal.Append(StateNumber(100)));
  ASSERT_TRUE(journal.SetAside());
  EXPECT_FALSE(fs::exists(Path()));
  ASSERT_TRUE(EditJournal(journal.AsidePath(99)).ReadLeftOver().has_value());
  EXPECT_EQ(EditJournal(journal.AsidePath(99)).ReadLeftOver()->last.time, StateNumber(99).time);
  ASSERT_TRUE(EditJournal(journal.AsidePath(100)).ReadLeftOver().has_value());
  EXPECT_EQ(EditJournal(journal.AsidePath(100)).ReadLeftOver()->last.time, StateNumber(100).time);
  EXPECT_EQ(journal.ListAside().size(), 100u);
}

// The first edit of a first start comes before anything made the settings folder.
TEST_F(EditJournalFileTest, TheFirstAppendMakesTheMissingFolder) {
  const std::string path = (dir_ / "config" / "korvan-station" / "edits.journal").string();
  EditJournal journal(path);
  ASSERT_TRUE(journal.Append(StateNumber(1)));
  ASSERT_TRUE(journal.ReadLeftOver().has_value());
  EXPECT_EQ(journal.ReadLeftOver()->count, 1);
}

TEST_F(EditJournalFileTest, RestartKeepsOnlyTheGivenStateAfterATornEnd) {
  {
    EditJournal journal(Path());
    ASSERT_TRUE(journal.Append(StateNumber(1)));
  }
  std::ofstream(Path(), std::ios::binary | std::ios::app) << "KEJ1\x10";
  EditJournal journal(Path());
  ASSERT_TRUE(journal.Restart(StateNumber(7)));
  ASSERT_TRUE(journal.Append(StateNumber(8)));
  const std::optional<JournalContents> c = journal.ReadLeftOver();
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->count, 2);
  EXPECT_FALSE(c->torn);
  EXPECT_EQ(c->first_time, StateNumber(7).time);
}

TEST_F(EditJournalFileTest, ALeftoverWithoutACompleteRecordDoesNotHideTheNewOnes) {
  std::ofstream(Path(), std::ios::binary) << "KEJ1 half a record from a power cut";
  EditJournal journal(Path());
  EXPECT_FALSE(journal.ReadLeftOver().has_value());
  ASSERT_TRUE(journal.Append(StateNumber(1)));
  ASSERT_TRUE(journal.Append(StateNumber(2)));
  const std::optional<JournalContents> c = EditJournal(Path()).ReadLeftOver();
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->count, 2);
  EXPECT_FALSE(c->torn);
}

TEST_F(EditJournalFileTest, AFolderThatCannotBeWrittenFailsTheAppendAndNothingElse) {
  // A file stands where the journal's folder should be: nobody, root included, creates a file
  // in it (permission bits would not stop root).
  const fs::path blocker = dir_ / "settings";
  std::ofstream(blocker, std::ios::binary) << "not a folder";
  EditJournal journal((blocker / "edits.journal").string());
  EXPECT_FALSE(journal.Append(StateNumber(1)));
  EXPECT_FALSE(journal.has_records());
  journal.Clear();
  journal.SetAside();
  std::ifstream in(blocker, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a folder");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(EditJournalFileTest, AJournalThatIsAFolderCannotBeWritten) {
  // Works for root too: nobody opens a folder for writing.
  fs::create_directories(Path());
  EditJournal journal(Path());
  EXPECT_FALSE(journal.Append(StateNumber(1)));
  EXPECT_FALSE(journal.ReadLeftOver().has_value());
}

}  // namespace
}  // namespace korvan
