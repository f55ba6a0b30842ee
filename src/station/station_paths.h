#pragma once

#include <string>

#include "files/service_batch.h"

namespace korvan {

// Where the station keeps what outlives a run, and where its help documents are.
struct StationPaths {
  std::string settings_file;  // Korvan_2007_v68ini
  std::string image_dump;     // _Korvan_2007_v68ini
  std::string test_marker;    // test_kalder.txt
  std::string journal;        // the journal of unsaved edits; empty: no journal is kept
  std::string program_dir;    // the help PDFs lie here (in the build tree) ...
  std::string data_dir;       // ... or here (installed: share/korvan beside bin/)
  // Where the device files and sysfs are looked at for the Com menu ("/" on a real machine, a
  // fake tree in tests); empty: the menu shows the plain port numbers and looks at nothing.
  std::string device_root;
  // The service batch's folders, relative to the current directory.
  std::string batch_new_dir{kBatchNewDir};
  std::string batch_old_dir{kBatchOldDir};
  // The station's usual places under the per-user configuration directory.
  static StationPaths Default(std::string program_dir);
};

}  // namespace korvan
