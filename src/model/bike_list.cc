#include "model/bike_list.h"

#include <array>

#include "model/bike_rows.h"

namespace korvan {
namespace {

// Bike codes in list order (each row's name is in the bike rows).
constexpr std::array<int, kBikeListSeparator> kListOrder{
    0,  43, 39, 1,  30, 24, 33, 2,  3,  28, 46, 4,  21, 22, 44, 31, 5,
    6,  7,  19, 48, 8,  36, 9,  10, 32, 38, 11, 20, 41, 12, 23, 49, 13,
    14, 26, 15, 29, 40, 37, 16, 25, 45, 35, 42, 17, 27, 47, 18, 34};

// The list holds every known bike code once, so list index and bike code convert both ways.
constexpr bool EveryBikeListedOnce() {
  std::array<int, kBikeCodeCount> seen{};
  for (int code : kListOrder) {
    if (code < 0 || code >= kBikeCodeCount || seen[static_cast<std::size_t>(code)]++ > 0) {
      return false;
    }
  }
  return kListOrder.size() == static_cast<std::size_t>(kBikeCodeCount);
}
static_assert(EveryBikeListedOnce());

constexpr std::string_view kSeparatorText = "-------------";

}  // namespace

std::vector<std::string> BikeListEntries() {
  std::vector<std::string> entries;
  entries.reserve(kBikeListSize);
  for (int code : kListOrder) entries.emplace_back(BikeRowOf(code).name);
  entries.emplace_back(kSeparatorText);
  return entries;
}

std::optional<int> BikeCodeOfListIndex(int index) {
  if (index < 0 || index >= kBikeListSeparator) return std::nullopt;
  return kListOrder[static_cast<std::size_t>(index)];
}

int ListIndexOfBikeCode(int code) {
  for (std::size_t i = 0; i < kListOrder.size(); ++i) {
    if (kListOrder[i] == code) return static_cast<int>(i);
  }
  return kBikeListSeparator;
}

}  // namespace korvan
