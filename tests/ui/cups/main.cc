#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The print system's client reads its server once, on first use: the test's own daemon listens
  // on this socket, set before anything asks for a printer.
  const std::filesystem::path dir =
      std::filesystem::path(::testing::TempDir()) / ("korvan_cups_" + std::to_string(getpid()));
  setenv("CUPS_SERVER", (dir / "cups.sock").c_str(), 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::filesystem::remove_all(dir);
  return result;
}
