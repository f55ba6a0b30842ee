#pragma once

// How the reader tests open a file: whole, or only the page on display; and what they look at.

#include <algorithm>
#include <string>
#include <vector>

#include "files/parameter_file.h"
#include "parameter_file_test_support.h"

namespace korvan {

inline ParameterFileReadOptions WholeFile() {
  ParameterFileReadOptions options;
  options.apply_defaults = testing::FakeDefaults;
  return options;
}

inline ParameterFileReadOptions PageOnly(int page) {
  ParameterFileReadOptions options = WholeFile();
  options.page_only = true;
  options.page_on_display = page;
  return options;
}

inline std::string Memo(const ParameterImage& image) {
  std::string memo;
  for (int k = kMemoOffset; k < kMemoOffset + kMemoMaxLength && image.Byte(k) != 0; ++k) {
    memo += static_cast<char>(image.Byte(k));
  }
  return memo;
}

inline bool Contains(const std::vector<ParameterSection>& sections, ParameterSection section) {
  return std::find(sections.begin(), sections.end(), section) != sections.end();
}

}  // namespace korvan
