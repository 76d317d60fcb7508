#include "sim/status_bits.h"

#include <array>
#include <utility>

namespace rizazovoz {
namespace {

using Row = std::pair<std::string_view, StatusBits>;

// fuel pump, radiator fan, canister purge, EGR valve, rich/lean, idle position.
constexpr std::array<Row, 18> kRows = {{
    {"1103", {-1, -1, 5, 6, 7, 11}},
    {"1112", {-1, -1, 15, 4, 22, 24}},
    {"1202", {5, -1, -1, 6, 7, 11}},
    {"1253", {-1, -1, -1, 6, 7, 11}},
    {"1453", {-1, -1, 5, 6, -1, 11}},
    {"1601", {3, -1, -1, 5, 7, 11}},
    {"1641", {3, -1, -1, 5, 7, 11}},
    {"1701", {3, -1, -1, 5, 7, 11}},
    {"1702", {5, -1, -1, 6, -1, -1}},
    {"17E2", {5, 2, 4, 6, 7, 12}},
    {"1843", {-1, -1, -1, -1, 7, 11}},
    {"1881", {5, 2, 4, 6, 7, 12}},
    {"1901", {3, -1, -1, 5, 7, 11}},
    {"1902", {5, -1, -1, -1, 7, 11}},
    {"1903", {-1, -1, -1, -1, 7, 11}},
    {"1943", {-1, 0, -1, -1, -1, 3}},
    {"F602", {6, -1, 3, 5, -1, -1}},
    {"F802", {6, -1, 3, 5, -1, -1}},
}};
constexpr StatusBits kDefaultRow = {-1, -1, 5, 6, 7, 11};

}  // namespace

StatusBits StatusBitsFor(std::string_view identity) {
  for (const Row& row : kRows) {
    if (row.first == identity) return row.second;
  }
  return kDefaultRow;
}

}  // namespace rizazovoz
