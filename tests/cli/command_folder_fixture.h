#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "command_run.h"
#include "emulator/memory_port.h"
#include "emulator/unit_emulator.h"

namespace korvan {

// The command line run against an emulated unit in memory, on files in a folder of the test's
// own, made afresh and removed after.
class CommandFolderTest : public ::testing::Test {
 protected:
  // The folder is named by `prefix` and the test's name, so tests never share one.
  void MakeFolder(const std::string& prefix) {
    dir_ = std::filesystem::temp_directory_path() /
           (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }

  CommandRun Run(const std::vector<std::string>& args) {
    MemoryUnitPort port{unit};
    NoClock clock;
    return RunCommand(args, port, clock);
  }

  UnitEmulator unit;
  std::filesystem::path dir_;
};

}  // namespace korvan
