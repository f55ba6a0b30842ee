// The "Servis" menu's items reach the station's batch.
#include <QAction>
#include <filesystem>

#include "window_fixture.h"

namespace korvan::ui {
namespace {

namespace fs = std::filesystem;

class ServiceMenuTest : public WindowFixture {};

TEST_F(ServiceMenuTest, SaveAllNewWritesEveryBikeUnderTheCurrentDirectory) {
  auto* item = Widget<QAction>("MenuSaveAllNew");
  ASSERT_NE(item, nullptr);
  const fs::path before = fs::current_path();
  fs::current_path(dir_);
  item->trigger();
  fs::current_path(before);
  int files = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(dir_ / "new_ign")) {
    files += e.path().extension() == ".ign" ? 1 : 0;
  }
  EXPECT_EQ(files, 50);
}

}  // namespace
}  // namespace korvan::ui
