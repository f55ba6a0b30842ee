#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "image/page_index.h"
#include "image/parameter_image.h"

namespace korvan {

// The "All" flags of the pages, one per page index, kept with the image between runs.
using ToolModes = std::array<std::uint8_t, kPageCount>;

// The image dump: the 2850 image bytes as "%5u " numbers, ten a line with an empty line after
// every hundred, then the 19 tool-mode bytes on the last line. Lines end in CR LF.
std::string FormatImageDump(const ParameterImage& image, const ToolModes& tool_modes);

struct DumpReadResult {
  int image_bytes = 0;  // how many image bytes the text supplied (2850 for a whole dump)
  int tool_modes = 0;   // how many tool-mode bytes followed
};

// Reads whitespace-separated decimal numbers into the image, then the tool modes, so LF, CR LF
// and CR line ends all read alike; each number keeps its low eight bits. Reading stops at the end
// of the text or at the first word that is not a number; bytes not supplied keep their values.
DumpReadResult ParseImageDump(std::string_view text, ParameterImage& image, ToolModes& tool_modes);

}  // namespace korvan
