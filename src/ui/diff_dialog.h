#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <functional>
#include <string>
#include <vector>

#include "diff/image_diff.h"
#include "station/station.h"

namespace korvan::ui {

// The difference view: two of the working set, the unit's set (read beside it) and a parameter
// file, listed field by field with a summary per page. Rows chosen in the list are taken into the
// working set as one change, from whichever side is not the working set.
class DiffDialog : public QDialog {
 public:
  enum Side { kWorkingSet = 0, kUnit = 1, kFile = 2 };

  // after_change: redraws the window once the working set changed.
  DiffDialog(Station& station, std::function<void()> after_change, QWidget* parent);

  // Opens (or raises) the view; with_unit: on the unit's set against the working set.
  void Open(bool with_unit);
  // Compares again: the working set or the unit's set may have changed; texts follow the
  // station's language.
  void Refresh();
  // Refreshes only when a side's set or the language changed since the last comparison (the
  // window calls it every tick while the view is open).
  void RefreshIfChanged();
  // Chooses the sides (a file side needs a file chosen before).
  void SetSides(Side a, Side b);
  // Sets a file as side B, as choosing "File..." does, without the chooser.
  void SetFile(const ParameterImage& image, const std::string& name);
  void TakeSelected();

  QTableWidget* table() { return table_; }
  QPushButton* take_button() { return take_; }
  QLabel* take_why() { return take_why_; }
  QPushButton* close_button() { return close_; }
  QComboBox* side_b_box() { return side_b_; }
  const std::vector<DiffEntry>& entries() const { return entries_; }

 private:
  const ParameterImage* SideImage(int side) const;
  void Retranslate();
  void SideChosen(QComboBox* box, int* side);
  void FillTable();
  // Take is enabled for a selection while exactly one side is the working set.
  void UpdateTake();

  Station& station_;
  std::function<void()> after_change_;
  QComboBox* side_a_ = nullptr;
  QComboBox* side_b_ = nullptr;
  QPushButton* read_unit_ = nullptr;
  QComboBox* page_filter_ = nullptr;
  QLabel* summary_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPushButton* take_ = nullptr;
  QLabel* take_why_ = nullptr;
  QPushButton* close_ = nullptr;
  int a_ = kWorkingSet;
  int b_ = kUnit;
  bool has_file_ = false;
  ParameterImage file_image_;
  std::string file_name_;
  std::vector<DiffEntry> entries_;
  bool updating_ = false;
  // What the list shows was compared from these.
  ParameterImage compared_a_;
  ParameterImage compared_b_;
  bool had_a_ = false;
  bool had_b_ = false;
  Language compared_language_ = Language::kEnglish;
};

}  // namespace korvan::ui
