#include <cinttypes>
#include <cstdio>

#include "files/parameter_file.h"
#include "files/parameter_file_values.h"

namespace korvan {
namespace {

using file_layout::Item;
using file_layout::ItemKind;
using file_layout::ValueFormat;

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kContinuation = "\r\n             ";  // line break and 13 blanks

void AppendNumber(std::string& out, const char* format, std::int64_t value) {
  char text[32];
  const int n = std::snprintf(text, sizeof text, format, value);
  out.append(text, static_cast<std::size_t>(n));
}

void AppendValue(std::string& out, const Item& item, std::int64_t value) {
  const bool set = value != 0;
  switch (item.format) {
    case ValueFormat::kUnsigned:
      AppendNumber(out, "%5" PRId64 " ", value);  // never negative here
      break;
    case ValueFormat::kSigned:
      AppendNumber(out, "%5" PRId64 " ", value);
      break;
    case ValueFormat::kFlag5:
      out += set ? "    1" : "    0";
      break;
    case ValueFormat::kFlag7:
      out += set ? "     1 " : "     0 ";
      break;
    case ValueFormat::kFlag6:
      out += set ? "    1 " : "    0 ";
      break;
  }
}

void AppendItem(std::string& out, const ParameterImage& image, const Item& item) {
  switch (item.kind) {
    case ItemKind::kContinuation:
      out += kContinuation;
      return;
    case ItemKind::kLineBreak:
      out += kLineBreak;
      return;
    case ItemKind::kValues:
      break;
  }
  for (int i = 0; i < item.count; ++i) {
    AppendValue(out, item, WrittenValue(image, item, i));
    if (item.per_line != 0 && (i + 1) % item.per_line == 0) out += kContinuation;
  }
}

// The memo as the unit holds it, up to its first zero byte. Every line end goes out as CR LF: a
// CR LF stays as it is (it is not doubled), a lone LF gains its CR.
void AppendMemo(std::string& out, const ParameterImage& image) {
  char previous = '\0';
  for (int i = 0; i < kMemoMaxLength; ++i) {
    const char c = static_cast<char>(image.Byte(kMemoOffset + i));
    if (c == '\0') break;
    if (c == '\n' && previous != '\r') out += '\r';
    out += c;
    previous = c;
  }
}

}  // namespace

std::string FormatParameterFile(const ParameterImage& image) {
  std::string out;
  out.reserve(16 * 1024);
  out += kParameterFileKey;
  out += "   ";
  AppendNumber(out, "%3" PRId64 " ", kParameterFileVersion);
  out += kLineBreak;
  for (const file_layout::Section& section : ParameterFileSections()) {
    out += kLineBreak;
    out += section.key_field;
    for (const Item& item : section.items) AppendItem(out, image, item);
  }
  AppendMemo(out, image);
  return out;
}

FileWriteResult SaveParameterFile(const std::filesystem::path& path, const ParameterImage& image) {
  return WriteFileSafely(path, FormatParameterFile(image));
}

}  // namespace korvan
