// The status texts and the status bit maps. Text 0 ("Unimplemented,ON,OFF") is the filler
// for bits an ECU does not use. The texts are shown as they are, letter case included
// ("Rich/lean Monitor B2").
#include "ecudefs/status_defs.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "ecudefs/ecu_rows.h"

namespace rizazovoz {
namespace {

constexpr std::size_t kStatusTextCount = 56;

constexpr std::array<std::string_view, kStatusTextCount> kStatusTexts = {
    "Unimplemented,ON,OFF",                     // 0
    "Electric Load,OFF,ON",                     // 1
    "Fuel Cut,OFF,ON",                          // 2
    "Fuel Pressure Control Valve,OFF,ON",       // 3
    "Fuel Pump,OFF,ON",                         // 4
    "Closed Loop,OFF,ON",                       // 5
    "O2S Activated,OFF,ON",                     // 6
    "Rich/Lean Monitor,LEAN,RICH",              // 7
    "Throttle Opener Solenoid,OFF,ON",          // 8
    "Idle Position,OPEN,IDLE",                  // 9
    "EGR Valve,OFF,ON",                         // 10
    "Evap. Can. Purge,OFF,ON",                  // 11
    "PS Switch,OFF,ON",                         // 12
    "PS Solenoid Valve,OFF,ON",                 // 13
    "Unimplemented,OFF,ON",                     // 14
    "ABS Switch,OFF,ON",                        // 15
    "Unimplemented,OFF,ON",                     // 16
    "AC Fan,OFF,ON",                            // 17
    "AC Control,OFF,ON",                        // 18
    "AC Cooling Fan,OFF,ON",                    // 19
    "AC Magnetic Clutch,OFF,ON",                // 20
    "AC Pressure Switch,OFF,ON",                // 21
    "AC On,OFF,ON",                             // 22
    "Heater Fan,OFF,ON",                        // 23
    "Brake Switch,OFF,ON",                      // 24
    "Radiator Fan,OFF,ON",                      // 25
    "Starter,OFF,ON",                           // 26
    "Unimplemented,OFF,ON",                     // 27
    "4WD Low,OFF,ON",                           // 28
    "Mode Select,OFF,ON",                       // 29
    "OD,OFF,ON",                                // 30
    "PNP Switch,OFF,ON",                        // 31
    "Pressure Regulator Solenoid,OFF,ON",       // 32
    "Pressure Regulator Solenoid Mon.,OFF,ON",  // 33
    "Shift Solenoid /#1,OFF,ON",                // 34
    "Shift Solenoid /#1 Mon.,OFF,ON",           // 35
    "Shift Solenoid /#2,OFF,ON",                // 36
    "Shift Solenoid /#2 Mon.,OFF,ON",           // 37
    "TCC Solenoid,OFF,ON",                      // 38
    "TCC Solenoid Mon.,OFF,ON",                 // 39
    "D Range Shift Switch,PN,D",                // 40
    "Unimplemented,OFF,ON",                     // 41
    "Diagnostic Switch Term.,OFF,ON",           // 42
    "Test Switch Term.,OFF,ON",                 // 43
    "PSP Switch,OFF,ON",                        // 44
    "Rich/Lean Monitor B1,LEAN,RICH",           // 45
    "Rich/lean Monitor B2,LEAN,RICH",           // 46
    "O2S B1 Activated,OFF,ON",                  // 47
    "O2S B2 Activated,OFF,ON",                  // 48
    "Unimplemented,OFF,ON",                     // 49
    "Unimplemented,OFF,ON",                     // 50
    "Unimplemented,OFF,ON",                     // 51
    "Unimplemented,OFF,ON",                     // 52
    "Unimplemented,OFF,ON",                     // 53
    "Unimplemented,OFF,ON",                     // 54
    "Unimplemented,OFF,ON",                     // 55
};

// One text index per status bit, in eight-bit groups: status byte 0 first, the bit of value
// 128 first within a byte.
using ByteMap = std::array<std::uint8_t, 8>;
using StatusRow = std::array<ByteMap, kStatusByteCount>;

constexpr ByteMap kUnused = {};

constexpr std::array<StatusRow, kEcuRowCount> kStatusRows = {{
    // "1103"
    {{{0, 0, 0, 0, 0, 11, 10, 7}, {0, 0, 0, 9, 40, 21, 12, 0}, kUnused, kUnused, kUnused}},
    // "1112"
    {{{0, 0, 0, 0, 10, 0, 0, 0},
      {0, 0, 0, 0, 8, 0, 0, 11},
      {0, 0, 0, 0, 0, 0, 7, 0},
      {9, 0, 40, 21, 12, 0, 0, 0},
      kUnused}},
    // "1202"
    {{{0, 0, 0, 0, 0, 4, 10, 7}, {0, 0, 6, 9, 40, 21, 12, 0}, kUnused, kUnused, kUnused}},
    // "1253"
    {{{0, 0, 0, 0, 0, 13, 10, 7}, {40, 1, 6, 9, 0, 21, 12, 0}, kUnused, kUnused, kUnused}},
    // "1453"
    {{{0, 0, 0, 0, 0, 11, 10, 0}, {0, 1, 6, 9, 31, 21, 12, 0}, kUnused, kUnused, kUnused}},
    // "1601"
    {{{0, 0, 0, 4, 0, 10, 46, 45}, {1, 0, 0, 9, 40, 21, 12, 0}, kUnused, kUnused, kUnused}},
    // "1641"
    {{{0, 0, 0, 4, 0, 10, 0, 7}, {1, 0, 6, 9, 31, 22, 12, 0}, kUnused, kUnused, kUnused}},
    // "1701"
    {{{0, 0, 0, 4, 0, 10, 46, 45}, {1, 0, 0, 9, 40, 21, 12, 0}, kUnused, kUnused, kUnused}},
    // "1702"
    {{{0, 0, 0, 0, 0, 4, 10, 0},
      {0, 0, 0, 0, 0, 21, 12, 0},
      {0, 0, 0, 28, 29, 30, 0, 24},
      kUnused,
      {0, 39, 37, 35, 0, 38, 36, 34}}},
    // "17E2"
    {{{0, 0, 25, 18, 11, 4, 10, 7}, {0, 0, 0, 6, 9, 0, 21, 1}, kUnused, kUnused, kUnused}},
    // "1843"
    {{{0, 0, 0, 0, 0, 0, 0, 7}, {0, 1, 6, 9, 40, 21, 12, 0}, kUnused, kUnused, kUnused}},
    // "1881"
    {{{0, 0, 25, 18, 11, 4, 10, 7}, {0, 0, 0, 6, 9, 0, 21, 1}, kUnused, kUnused, kUnused}},
    // "1901"
    {{{0, 0, 0, 4, 0, 10, 46, 45}, {1, 48, 47, 9, 0, 21, 12, 0}, kUnused, kUnused, kUnused}},
    // "1902"
    {{{1, 0, 0, 0, 0, 4, 0, 7},
      {0, 0, 6, 9, 0, 0, 12, 0},
      {0, 0, 19, 18, 0, 15, 0, 23},
      kUnused,
      kUnused}},
    // "1903"
    {{{0, 0, 0, 0, 24, 0, 0, 7}, {0, 1, 6, 9, 0, 21, 12, 0}, kUnused, kUnused, kUnused}},
    // "1943"
    {{{25, 0, 0, 9, 0, 21, 44, 6}, {0, 1, 0, 0, 0, 0, 12, 0}, kUnused, kUnused, kUnused}},
    // "F602"
    {{{0, 2, 54, 11, 55, 10, 4, 0},
      {26, 0, 0, 14, 40, 22, 12, 0},
      {53, 52, 51, 50, 49, 0, 0, 0},
      {0, 39, 37, 35, 0, 38, 36, 34},
      {0, 0, 0, 0, 29, 30, 0, 24}}},
    // "F802"
    {{{0, 2, 54, 11, 55, 10, 4, 0},
      {26, 0, 0, 14, 40, 22, 12, 0},
      {53, 52, 51, 50, 49, 0, 0, 0},
      {0, 39, 37, 35, 0, 38, 36, 34},
      {0, 0, 0, 28, 29, 30, 0, 24}}},
    // default row
    {{{0, 0, 0, 0, 0, 11, 10, 7}, {0, 0, 0, 9, 40, 21, 12, 0}, kUnused, kUnused, kUnused}},
}};

constexpr bool EveryEntryNamesAText() {
  for (const StatusRow& row : kStatusRows) {
    for (const ByteMap& byte : row) {
      for (std::uint8_t index : byte) {
        if (index >= kStatusTextCount) return false;
      }
    }
  }
  return true;
}
static_assert(EveryEntryNamesAText());

}  // namespace

StatusDefs::StatusDefs() = default;

std::string StatusDefs::StatusText(std::string_view identity, int bit) const {
  const auto& byte = kStatusRows[EcuRowOf(identity)][static_cast<std::size_t>(StatusByteOf(bit))];
  return std::string(kStatusTexts[byte[static_cast<std::size_t>(bit % 8)]]);
}

}  // namespace rizazovoz
