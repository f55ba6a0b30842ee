#pragma once

// Conversions between what the image stores and what a parameter file shows, one element of a
// layout item at a time. Shared by the writer and the reader so that each conversion has exactly
// one inverse.

#include <cstdint>

#include "files/parameter_file_layout.h"
#include "image/parameter_image.h"

namespace korvan {

// The value element `index` of `item` shows in a file.
std::int64_t WrittenValue(const ParameterImage& image, const file_layout::Item& item, int index);

// Stores a value taken from a file into element `index` of `item`. Only the low 16 bits of the
// value count; bytes keep the low eight bits of the converted value. Conversions that depend on
// other fields (servo maps, idle table) look at `image` as it stands now.
void StoreReadValue(ParameterImage& image, const file_layout::Item& item, int index,
                    std::uint32_t value);

}  // namespace korvan
