// The fault texts and the fault bit maps. Several codes (31, 32, 41, 43, 51, 52, 71) have
// more than one text: ECUs that share a code mean different faults by it, and each row picks
// its own. The stored-fault bytes 2 and 3 mostly repeat bytes 0 and 1, but not in every row.
#include "ecudefs/fault_defs.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "ecudefs/ecu_rows.h"

namespace rizazovoz {
namespace {

constexpr std::size_t kFaultTextCount = 56;
constexpr std::uint8_t kUnallocated = 55;  // the text of every unused bit

constexpr std::array<std::string_view, kFaultTextCount> kFaultTexts = {
    "13\t  Lambda Sensor Bank 1 - ECU will drive mixture rich or lean. If O2 reading doesn't "
    "change or is slow to change a fault is flagged",                                  // 0
    "14\t  Water Temperature Sensor signal High - Open circuit sensor or bad ground",  // 1
    "15\t  Water Temperature Sensor signal Low - Short circuit in sensor or wiring shorted to "
    "ground",  // 2
    "21\t  Throttle Position Sensor signal High - TPS faulty or open circuit signal or ground "
    "connection",  // 3
    "22\t  Throttle Position Sensor signal Low - TPS faulty. Short circuit signal or open "
    "circuit power connection",                                                   // 4
    "23\t  Air Temperature Sensor signal High - ATS open circuit or bad ground",  // 5
    "24\t  Vehicle Speed Sensor - VSS faulty. Possibly broken Speedo cable",      // 6
    "25\t  Air Temperature Sensor signal Low - ATS short circuit. Possibly signal wire short "
    "circuit or open circuit power connection",  // 7
    "26\t  Lambda Sensor Bank 2 - ECU will drive mixture rich or lean. If O2 reading doesn't "
    "change or is slow to change a fault is flagged",                  // 8
    "27\t  Compensation Resistance Signal - Open circuit or shorted",  // 9
    "28\t  Glow Plug Relay Signal - Open circuit or shorted",          // 10
    "31\t  Manifold Pressure Sensor signal High - MPS faulty. Possibly open circuit ground "
    "connection",                             // 11
    "31\t  Boost Sensor Signal Low (Turbo)",  // 12
    "32\t  Manifold Pressure Sensor signal Low - MPS faulty. Possibly open circuit power "
    "connection",  // 13
    "32\t  Boost Sensor Signal High - Boost sensor faulty. Possibly open circuit ground "
    "connection",                                                                            // 14
    "33\t  Mass Airflow Sensor High",                                                        // 15
    "34\t  Mass Airflow Sensor Low",                                                         // 16
    "35\t  NE Sensor - Engine Speed Sensor faulty or wiring fault",                          // 17
    "37\t  ABS Malfunction",                                                                 // 18
    "41\t  Ignition Fail Safe signal not present - faulty noise suppresor or wiring fault",  // 19
    "41\t  Timer Control Valve Signal",                                                      // 20
    "42\t  Crank Angle Sensor - CAS signal not present during cranking. Possibly faulty CAS or "
    "bad connection",                                                                  // 21
    "43\t  Knock Sensor circuit malfunction - Faulty Knock Sensor or bad connection",  // 22
    "43\t  Starter Signal - Starter signal on during engine running or starter signal off "
    "during engine cranking",  // 23
    "44\t  Idle Switch Open - Faulty Idle switch. Possibly badly adjusted TPS or open circuit "
    "signal or ground connection",  // 24
    "45\t  Idle Switch Closed - Faulty Idle Switch. Possibly badly adjusted TPS or signal "
    "shorted to ground",      // 25
    "47\t  Camshaft Sensor",  // 26
    "51\t  Exhaust Gas Recirc Valve - EGR modulator faulty. Possibly exhaust passageway "
    "clogged or bad VSV or vacuum leak or catalytic converter fault",  // 27
    "51\t  EGR temperature sensor short circuit (Calif.)",             // 28
    "51\t  EGR temperature sensor open circuit (Calif.)",              // 29
    "52\t  Leaking Injector - Bad injector. Possibly dirty injector or bad seal or excessive "
    "fuel pressure",                                                                  // 30
    "52\t  Spill Valve Signal - Stuck spill valve. possibly open or shorted wiring",  // 31
    "53\t  Grounding error. Possibly wrong ECU or missing ground wire",               // 32
    "61\t  Shift Solenoid Valve A (#1)",                                              // 33
    "62\t  Shift Solenoid Valve A (#1)",                                              // 34
    "63\t  Shift Solenoid Valve B (#2)",                                              // 35
    "64\t  Shift Solenoid Valve B (#2)",                                              // 36
    "65\t  TCC Solenoid Valve Electrical",                                            // 37
    "66\t  TCC Solenoid Valve Electrical",                                            // 38
    "71\t  Test Switch Terminal Grounded - Wire link still in diagnostic plug or signal "
    "shorted to ground",                                                                     // 39
    "71\t  Memory Error - ECU internal write error or checksum error",                       // 40
    "72\t  Transmission Range Switch circuit malfunction",                                   // 41
    "73\t  Fuel Temperature Sensor - Possibly Fuel temp. sensor or open or shorted wiring",  // 42
    "75\t  Output Speed sensor Circuit Malfunction",                                         // 43
    "76\t  Input/turbine Speed sensor Malfunction",                                          // 44
    "81\t  Immobiliser/ECU Immobiliser codes not matched (ECU side)",                        // 45
    "82\t  ECU Internal fault (immobiliser)",                                                // 46
    "83\t  Immobiliser to ECU Serial Data Link",                                             // 47
    "84\t  No Immobiliser codes registered in ECU",                                          // 48
    "46    ISC",                                                                             // 49
    "76\tAuto?????????",                                                                     // 50
    "\tSpare",                                                                               // 51
    "\tSpare",                                                                               // 52
    "\tSpare",                                                                               // 53
    "\tSpare",                                                                               // 54
    kUnallocatedFaultText,                                                                   // 55
};
static_assert(kFaultTexts[kUnallocated] == kUnallocatedFaultText);

// One text index per fault bit, in eight-bit groups: fault byte 0 first, bit 0 (value 1)
// first within a byte.
using ByteMap = std::array<std::uint8_t, 8>;
using FaultRow = std::array<ByteMap, kFaultByteCount>;

constexpr ByteMap kUnused = {55, 55, 55, 55, 55, 55, 55, 55};

constexpr std::array<FaultRow, kEcuRowCount> kFaultRows = {{
    // "1103"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {15, 19, 21, 21, 24, 25, 27, 32},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {15, 19, 21, 55, 55, 55, 55, 55},
      kUnused}},
    // "1112"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 24, 25, 27, 32},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 24, 25, 27, 32},
      {27, 28, 29, 55, 55, 55, 55, 55}}},
    // "1202"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {15, 16, 19, 21, 24, 25, 27, 32},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {15, 16, 19, 21, 24, 25, 27, 32},
      kUnused}},
    // "1253"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 27, 55, 55, 55},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 27, 55, 55, 55},
      kUnused}},
    // "1453"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 49, 27, 30, 55},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 49, 27, 30, 55},
      kUnused}},
    // "1601"
    {{{0, 8, 1, 2, 3, 4, 5, 7},
      {6, 15, 16, 19, 21, 27, 30, 55},
      {0, 8, 1, 2, 3, 4, 5, 7},
      {6, 15, 16, 19, 21, 27, 30, 55},
      kUnused}},
    // "1641"
    {{{0, 55, 1, 2, 3, 4, 5, 7},
      {6, 15, 16, 19, 21, 55, 55, 55},
      {0, 55, 1, 2, 3, 4, 5, 7},
      {6, 15, 16, 19, 21, 55, 55, 55},
      kUnused}},
    // "1701"
    {{{0, 8, 1, 2, 3, 4, 5, 7},
      {6, 15, 16, 19, 21, 27, 30, 55},
      {0, 8, 1, 2, 3, 4, 5, 7},
      {6, 15, 16, 19, 21, 27, 30, 55},
      kUnused}},
    // "1702"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {15, 16, 19, 26, 24, 25, 27, 55},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {15, 16, 19, 26, 24, 25, 27, 55},
      {33, 34, 35, 36, 37, 38, 41, 43}}},
    // "17E2"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 21, 33, 34, 35, 36, 41},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 21, 33, 34, 35, 36, 41},
      kUnused}},
    // "1843"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 49, 27, 30, 26},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 49, 27, 30, 26},
      kUnused}},
    // "1881"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 55, 21, 22, 22, 55, 55},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 55, 21, 22, 22, 55, 55},
      kUnused}},
    // "1901"
    {{{0, 8, 1, 2, 3, 4, 5, 7},
      {6, 15, 16, 49, 21, 27, 30, 50},
      {0, 8, 1, 2, 3, 4, 5, 7},
      {6, 15, 16, 49, 21, 27, 30, 50},
      {33, 34, 35, 36, 37, 38, 41, 43}}},
    // "1902"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {15, 16, 55, 21, 55, 55, 27, 50},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {15, 16, 55, 21, 55, 55, 27, 50},
      {33, 34, 35, 36, 37, 38, 41, 43}}},
    // "1903"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 55, 21, 49, 27, 30, 26},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 55, 21, 22, 22, 55, 55},
      kUnused}},
    // "1943"
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 49, 27, 30, 26},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {11, 13, 19, 21, 49, 27, 30, 26},
      kUnused}},
    // "F602"
    {{kUnused, kUnused, kUnused, kUnused, kUnused}},
    // "F802"
    {{kUnused, kUnused, kUnused, kUnused, kUnused}},
    // default row
    {{{0, 1, 2, 3, 4, 5, 6, 7},
      {15, 19, 21, 21, 24, 25, 27, 32},
      {0, 1, 2, 3, 4, 5, 6, 7},
      {15, 19, 21, 55, 55, 55, 55, 55},
      kUnused}},
}};

constexpr bool EveryEntryNamesAText() {
  for (const FaultRow& row : kFaultRows) {
    for (const ByteMap& byte : row) {
      for (std::uint8_t index : byte) {
        if (index >= kFaultTextCount) return false;
      }
    }
  }
  return true;
}
static_assert(EveryEntryNamesAText());

}  // namespace

FaultDefs::FaultDefs() = default;

std::string FaultDefs::FaultText(std::string_view identity, int bit) const {
  const auto& byte = kFaultRows[EcuRowOf(identity)][static_cast<std::size_t>(FaultByteOf(bit))];
  return std::string(kFaultTexts[byte[static_cast<std::size_t>(bit % 8)]]);
}

}  // namespace rizazovoz
