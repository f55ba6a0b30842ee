// The journal's records: what comes back after a clean write, a torn end and damage, and what a
// journal that cannot be written does.
#include "files/edit_journal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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
  };
  std::string flipped_payload = three;
  flipped_payload[two.size() + 100] ^= 0x01;
  std::string flipped_sum = three;
  flipped_sum.back() ^= 0x40;
  std::string huge_length = three;
  huge_length[two.size() + 6] = '\x7F';
  const Case cases[] = {
      {"cut inside the header", three.substr(0, two.size() + 5)},
      {"cut inside the image", three.substr(0, two.size() + record / 2)},
      {"check sum missing its last byte", three.substr(0, three.size() - 1)},
      {"a bit flipped in the image", flipped_payload},
      {"check sum wrong", flipped_sum},
      {"length far beyond a record", huge_length},
      {"zeros where the record should be", two + std::string(record, '\0')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<JournalContents> contents = DecodeJournal(c.bytes);
    ASSERT_TRUE(contents.has_value());
    EXPECT_EQ(contents->count, 2);
    EXPECT_TRUE(contents->torn);
    ExpectSameState(contents->last, StateNumber(2));
  }
  EXPECT_FALSE(DecodeJournal(three.substr(0, record - 1)).has_value());
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

TEST_F(EditJournalFileTest, AppendsAreReadBackAndClearRemovesBothFiles) {
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
  next_run.ClearWithAside();
  EXPECT_FALSE(fs::exists(Path()));
  EXPECT_FALSE(fs::exists(next_run.AsidePath()));
  EXPECT_FALSE(fs::exists(next_run.AsidePath(2)));
  EXPECT_FALSE(next_run.has_records());
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

TEST_F(EditJournalFileTest, AReadOnlyFolderFailsTheAppendAndNothingElse) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EditJournal journal(Path());
  EXPECT_FALSE(journal.Append(StateNumber(1)));
  EXPECT_FALSE(journal.has_records());
  journal.Clear();
  journal.SetAside();
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
