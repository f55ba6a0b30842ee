#pragma once

#include <string>
#include <vector>

#include "base/control_set.h"
#include "files/parameter_file_layout.h"
#include "station/desktop.h"
#include "station/main_controls.h"
#include "texts/messages.h"

namespace korvan {

// The file the set on display comes from, named on the file label, and, when the file was
// incomplete or damaged, its short sections: the label names them in red, and the unit is
// programmed with such a set only once the user agreed.
class SourceFile {
 public:
  SourceFile(ControlSet& controls, Desktop& desktop, const MainControls& ui,
             const Language& language)
      : controls_(controls), desktop_(desktop), ui_(ui), language_(language) {}

  // An empty path: the set comes from no file.
  void Show(const std::string& path, std::vector<ParameterSection> damage = {});
  // The label in the current language.
  void Paint();
  // The short sections by their keywords, "Maps, Idle".
  std::string DamagedSectionList() const;
  // Before the unit is programmed with a set from a damaged file: asks until the user agrees.
  bool ConfirmProgramDamaged();
  const std::string& path() const { return path_; }
  const std::vector<ParameterSection>& damage() const { return damage_; }

 private:
  ControlSet& controls_;
  Desktop& desktop_;
  const MainControls& ui_;
  const Language& language_;
  std::string path_;
  std::vector<ParameterSection> damage_;
  bool damage_accepted_ = false;  // the user agreed to program this set as it is
};

}  // namespace korvan
