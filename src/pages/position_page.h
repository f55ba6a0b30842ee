#pragma once

// The injection position page: for banks A and B the crank angle of the injection over 15
// engine speeds on the bank's own axis, and whether the angle marks the beginning, the centre or
// the end of the pulse. The live cursor marks each bank's column nearest to the engine speed;
// the spin buttons and the Minus / Plus tools move the angle of that column (or, with "All", of
// every column) by one step of 5 degrees.

#include <array>

#include "base/control_set.h"
#include "image/page_index.h"
#include "image/parameter_image.h"
#include "monitor/live_values.h"
#include "pages/page_fields.h"

namespace korvan {

inline constexpr int kPositionPoints = 15;

enum class Bank { kA, kB };

// The column of `bank`'s engine-speed axis nearest to the live engine speed (a speed half-way
// between two points takes the upper one); a stopped engine takes column 0.
int PositionColumn(Bank bank, const LiveValues& live, const ParameterImage& image);

// One step of the bank's angles: of all 15 when `all`, else of `column` alone. Minus stops at 0,
// Plus at 720 degrees. Returns whether a byte changed.
bool StepPositions(Bank bank, int direction, bool all, int column, ParameterImage& image);

class PositionPage {
 public:
  explicit PositionPage(ControlSet& controls)
      : controls_(controls), fields_(controls, kPagePosition) {}

  void CreateControls();
  void Gather(ParameterImage& image) const { fields_.Gather(image); }
  void Refresh(const ParameterImage& image) { fields_.Refresh(image); }
  void PaintLiveCursor(const LiveValues& live, const ParameterImage& image);
  // Either radio group was clicked: both indices into the image.
  void ReferencesClicked(ParameterImage& image) const;
  // The bank's spin button or a tool: its "All" box decides which angles move.
  bool Step(Bank bank, int direction, const LiveValues& live, ParameterImage& image) const;

  ControlHandle all_box(Bank bank) const { return all_[Index(bank)]; }

  const PageFields& fields() const { return fields_; }

 private:
  static std::size_t Index(Bank bank) { return bank == Bank::kA ? 0 : 1; }

  ControlSet& controls_;
  PageFields fields_;
  std::array<ControlHandle, 2> references_{};
  std::array<ControlHandle, 2> all_{};
  std::array<std::array<ControlHandle, kPositionPoints>, 2> speeds_{};
  std::array<std::array<ControlHandle, kPositionPoints>, 2> angles_{};
};

}  // namespace korvan
