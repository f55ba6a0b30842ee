#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvan {

// Text without the white space at either end.
std::string_view Trim(std::string_view s);
// Whether two names are the same letters, ignoring case (as settings files compare them).
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A settings file of the usual "[SECTION]" / "Key=Value" kind, kept line by line so that writing
// it back preserves every section, key, comment and blank line it did not change. Section and key
// names compare without regard to case, as the platform's own settings-file service does.
class IniDocument {
 public:
  IniDocument() = default;
  // Accepts LF, CR LF or CR line ends; lines that are neither a section head nor "key=value"
  // are kept as they are.
  static IniDocument Parse(std::string_view text);

  // The value of the first occurrence of the key in the first section of that name, trimmed.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // Replaces the value of the key, or appends the key to the section (and the section to the
  // end of the document) when missing. Line breaks in the value are written as blanks so that a
  // value can never start a line of its own.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The whole document, one line per entry, each ended by CR LF.
  std::string Format() const;

 private:
  struct Line {
    std::string text;     // as read, without its line end; rebuilt when a value is set
    std::string section;  // for a section head: its name
    std::string key;      // for an entry: its key (trimmed)
    std::string value;    // for an entry: its value (trimmed)
    bool is_section = false;
    bool is_entry = false;
  };

  // Index of the head of the section, or nothing.
  std::optional<std::size_t> FindSection(std::string_view section) const;
  // Index of the entry within the section starting after head (or from the top when the
  // section is nothing: entries before any head), or nothing.
  std::optional<std::size_t> FindEntry(std::optional<std::size_t> head, std::string_view key) const;

  std::vector<Line> lines_;
};

}  // namespace korvan
