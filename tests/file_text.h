#pragma once
// Whole files as text for the tests that compare what the station wrote byte for byte.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace korvan {

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWhole(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace korvan
