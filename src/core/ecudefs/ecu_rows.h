#pragma once
// Which row of the per-ECU tables an identity reads. Every such table (slot layout and
// constants, fault texts, status texts) has one row per listed identity, in the order below,
// and a default row after them. The first listed identity equal to the whole text, letter
// case included, selects its row; anything else (OBD2 identities, lower case, other
// lengths) reads the default row.
#include <array>
#include <cstddef>
#include <string_view>

namespace rizazovoz {

inline constexpr std::size_t kListedEcuCount = 18;
inline constexpr std::size_t kEcuRowCount = kListedEcuCount + 1;
inline constexpr std::size_t kDefaultEcuRow = kListedEcuCount;

// Row order is lookup order.
inline constexpr std::array<std::string_view, kListedEcuCount> kListedIdentities = {
    "1103", "1112", "1202", "1253", "1453", "1601", "1641", "1701", "1702",
    "17E2", "1843", "1881", "1901", "1902", "1903", "1943", "F602", "F802"};

// 0 .. kListedEcuCount - 1 for a listed identity, kDefaultEcuRow otherwise.
constexpr std::size_t EcuRowOf(std::string_view identity) {
  for (std::size_t row = 0; row < kListedIdentities.size(); ++row) {
    if (kListedIdentities[row] == identity) return row;
  }
  return kDefaultEcuRow;
}

}  // namespace rizazovoz
