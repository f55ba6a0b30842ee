#include "settings/ini_document.h"

#include <cctype>

namespace korvan {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

namespace {

// The station writes its text files with CR LF line ends.
constexpr std::string_view kLineEnd = "\r\n";

std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return out;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  while (!text.empty()) {
    // A line ends at LF, CR LF or a lone CR: files come from every kind of editor.
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view raw = text.substr(0, end);
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (next < text.size() && text[end] == '\r' && text[next] == '\n') ++next;
    text.remove_prefix(next);

    Line line;
    line.text = std::string(raw);
    const std::string_view trimmed = Trim(raw);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const std::size_t close = trimmed.find(']');
      if (close != std::string_view::npos) {
        line.is_section = true;
        line.section = std::string(Trim(trimmed.substr(1, close - 1)));
      }
    } else if (!trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '#') {
      const std::size_t eq = trimmed.find('=');
      if (eq != std::string_view::npos && eq > 0) {
        line.is_entry = true;
        line.key = std::string(Trim(trimmed.substr(0, eq)));
        line.value = std::string(Trim(trimmed.substr(eq + 1)));
      }
    }
    doc.lines_.push_back(std::move(line));
  }
  return doc;
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].is_section && EqualsIgnoringCase(lines_[i].section, section)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindEntry(std::optional<std::size_t> head,
                                                  std::string_view key) const {
  for (std::size_t i = head ? *head + 1 : 0; i < lines_.size(); ++i) {
    if (lines_[i].is_section) break;
    if (lines_[i].is_entry && EqualsIgnoringCase(lines_[i].key, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const std::optional<std::size_t> head = FindSection(section);
  if (!head) return std::nullopt;
  const std::optional<std::size_t> entry = FindEntry(head, key);
  if (!entry) return std::nullopt;
  return lines_[*entry].value;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  Line entry;
  entry.is_entry = true;
  entry.key = OneLine(Trim(key));
  entry.value = OneLine(Trim(value));
  entry.text = entry.key + "=" + entry.value;

  std::optional<std::size_t> head = FindSection(section);
  if (!head) {
    // Keep a blank line between the last section and the new one, as a person would write it.
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(Line{});
    Line section_line;
    section_line.is_section = true;
    section_line.section = OneLine(section);
    section_line.text = "[" + section_line.section + "]";
    lines_.push_back(std::move(section_line));
    lines_.push_back(std::move(entry));
    return;
  }
  if (const std::optional<std::size_t> found = FindEntry(head, key)) {
    lines_[*found] = std::move(entry);
    return;
  }
  // Append after the section's last entry, so that trailing blank lines stay between sections.
  std::size_t insert_at = *head + 1;
  for (std::size_t i = *head + 1; i < lines_.size() && !lines_[i].is_section; ++i) {
    if (!Trim(lines_[i].text).empty()) insert_at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(entry));
}

std::string IniDocument::Format() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += kLineEnd;
  }
  return out;
}

}  // namespace korvan
