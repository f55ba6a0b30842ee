#pragma once

// The motorcycle list of the bike page: 50 models in the order tuners look for them, then a
// separator. List index and bike code differ; these convert both ways.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvan {

inline constexpr int kBikeListSize = 51;
inline constexpr int kBikeListSeparator = 50;

// The entries as the list shows them (spacing included: the years line up in the list's font).
std::vector<std::string> BikeListEntries();
// The bike code of a list index; nothing for the separator or an index outside the list.
std::optional<int> BikeCodeOfListIndex(int index);
// The list index of a bike code; the separator for a code the list does not hold (50 and more).
int ListIndexOfBikeCode(int code);

}  // namespace korvan
