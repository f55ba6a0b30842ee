#pragma once
// Whole files as text for the tests that compare what the station wrote byte for byte.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace korvan {

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWhole(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Every entry of a folder by name; a folder in the way of a file shows as "<folder>".
inline std::map<std::string, std::string> FolderContents(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const std::filesystem::directory_entry& e : std::filesystem::directory_iterator(dir)) {
    files[e.path().filename().string()] = e.is_directory() ? "<folder>" : ReadWhole(e.path());
  }
  return files;
}

// Replaces field `column` (from 1) of line `line` (from 1) of a comma table.
inline std::string WithField(std::string text, int line, int column, const std::string& value) {
  std::size_t at = 0;
  for (int l = 1; l < line; ++l) at = text.find('\n', at) + 1;
  for (int c = 1; c < column; ++c) at = text.find(',', at) + 1;
  const std::size_t end = text.find_first_of(",\n", at);
  return text.replace(at, end - at, value);
}

}  // namespace korvan
