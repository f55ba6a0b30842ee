#include "maps/cell_block_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace korvan {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Spaces a spreadsheet may write around a number: plain, no-break (U+00A0) and narrow no-break
// (U+202F), the last two in UTF-8.
constexpr std::array<std::string_view, 3> kSpaces{" ", "\xC2\xA0", "\xE2\x80\xAF"};

std::string_view Trimmed(std::string_view text) {
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    for (std::string_view space : kSpaces) {
      if (text.starts_with(space)) {
        text.remove_prefix(space.size());
        trimmed = true;
      }
      if (text.ends_with(space)) {
        text.remove_suffix(space.size());
        trimmed = true;
      }
    }
  }
  return text;
}

// The lines of the text without their line ends; "\r\n", "\n" and a lone "\r" all end a line.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::vector<std::string_view> Cells(std::string_view line) {
  std::vector<std::string_view> cells;
  std::size_t start = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string_view::npos;
       tab = line.find('\t', start)) {
    cells.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  cells.push_back(line.substr(start));
  return cells;
}

// What a refused cell holds, short enough for a message: at most kShownTextMax bytes, cut
// before a character (not inside one of UTF-8's multi-byte sequences), then an ellipsis.
constexpr std::size_t kShownTextMax = 40;
std::string Shortened(std::string_view text) {
  if (text.size() <= kShownTextMax) return std::string(text);
  std::size_t cut = kShownTextMax;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u) --cut;
  return std::string(text.substr(0, cut)) + "\u2026";
}

}  // namespace

std::string FormatCellBlock(const ShownGrid& values, const CellMask& cells, const CellBox& box,
                            int decimals) {
  std::string text;
  char number[32];
  for (int row = box.top; row <= box.bottom; ++row) {
    for (int col = box.left; col <= box.right; ++col) {
      if (col > box.left) text += '\t';
      const auto i = static_cast<std::size_t>(CellIndex(row, col));
      if (!cells.test(i)) continue;
      // A whole number never shows as "-0".
      const double value = decimals == 0 ? std::round(values[i]) + 0.0 : values[i];
      std::snprintf(number, sizeof number, "%.*f", decimals, value);
      text += number;
    }
    text += '\n';
  }
  return text;
}

bool CellBlock::HasNumber() const {
  return std::any_of(cells.begin(), cells.end(),
                     [](const std::optional<double>& cell) { return cell.has_value(); });
}

std::optional<double> ParseCellNumber(std::string_view text) {
  text = Trimmed(text);
  // The grammar is checked here; from_chars alone would also take "inf", "nan" and hex.
  std::string plain;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  int digits = 0;
  bool separator = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++digits;
      plain += c;
    } else if ((c == '.' || c == ',') && !separator) {
      separator = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    const std::size_t exponent_start = i;
    while (i < text.size() && IsDigit(text[i])) plain += text[i++];
    if (i == exponent_start) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

ParsedCellBlock ParseCellBlock(std::string_view text) {
  ParsedCellBlock parsed;
  std::vector<std::vector<std::string_view>> rows;
  for (std::string_view line : Lines(text)) rows.push_back(Cells(line));
  CellBlock& block = parsed.block;
  block.rows = static_cast<int>(rows.size());
  for (const auto& row : rows)
    block.columns = std::max(block.columns, static_cast<int>(row.size()));
  block.cells.assign(static_cast<std::size_t>(block.rows * block.columns), std::nullopt);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      const std::string_view cell = rows[r][c];
      if (Trimmed(cell).empty()) continue;
      const std::optional<double> value = ParseCellNumber(cell);
      if (!value) {
        parsed.error = CellBlockError{static_cast<int>(r) + 1, static_cast<int>(c) + 1,
                                      Shortened(Trimmed(cell))};
        parsed.block = {};
        return parsed;
      }
      block.cells[r * static_cast<std::size_t>(block.columns) + c] = value;
    }
  }
  return parsed;
}

}  // namespace korvan
