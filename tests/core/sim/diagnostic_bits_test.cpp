// The fault and status bytes of the simulated ECU, read back as a fault viewer and a status
// flag viewer read them: through the fault and status texts of the ECU's identity.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <set>
#include <string>

#include "ecudefs/data_defs.h"
#include "ecudefs/ecu_rows.h"
#include "ecudefs/fault_defs.h"
#include "ecudefs/status_defs.h"
#include "protocol/ecu_frame.h"
#include "sim/fault_bits.h"
#include "sim/simulated_ecu.h"
#include "text/csv_string.h"

namespace rizazovoz {
namespace {

using ::testing::IsEmpty;
using Bytes = std::array<std::uint8_t, 5>;

struct FaultBitsCase {
  const char* identity;
  std::array<std::uint8_t, 3> current;  // fault bytes 0, 1 and 4
  std::array<std::uint8_t, 2> stored;   // fault bytes 2 and 3
};

// Only bits that name a fault, in fault bytes the ECU's slots carry.
TEST(FaultBitsFor, BitsWithAFaultTextInBytesTheEcuCarries) {
  const FaultBitsCase cases[] = {
      {"1103", {0xFF, 0xFF, 0x00}, {0xFF, 0x07}},  // no byte 4; stored byte 3 keeps three
      {"1702", {0xFF, 0x7F, 0xFF}, {0xFF, 0x7F}},  // transmission faults in byte 4
      {"1641", {0xFD, 0x1F, 0x00}, {0xFD, 0x1F}},
      {"1903", {0xFF, 0xFB, 0x00}, {0xFF, 0x3B}},  // byte 3 differs from byte 1
      {"F602", {0x00, 0x00, 0x00}, {0x00, 0x00}},
      {"ABCD", {0xFF, 0xFF, 0x00}, {0x00, 0x07}},  // the default layout carries no stored byte 0
  };
  for (const FaultBitsCase& c : cases) {
    const FaultBits bits = FaultBitsFor(c.identity);
    EXPECT_EQ(bits.current, c.current) << c.identity;
    EXPECT_EQ(bits.stored, c.stored) << c.identity;
  }
}

// The bytes of the slots with these type codes; 0 for a code the ECU does not carry.
Bytes ReadSlots(const SimulatedEcu& ecu, const std::array<int, 5>& codes) {
  const EcuProfile& profile = ecu.memory().profile();
  Bytes bytes{};
  for (std::size_t i = 0; i < codes.size(); ++i) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      if (profile.slotTypes[static_cast<std::size_t>(slot)] == codes[i]) {
        bytes[i] = ecu.memory().Read(static_cast<std::uint8_t>(profile.baseAddress + slot));
      }
    }
  }
  return bytes;
}

// A status bit's text, taken apart as the status flag viewer takes it apart.
struct Flag {
  bool shown = false;  // its name is not "Unimplemented"
  std::string name, off, on;
};

std::array<Flag, kStatusBitCount> FlagsOf(const StatusDefs& defs, const std::string& identity) {
  const CSVString unimplemented(std::string(kUnimplementedStatusName).c_str());
  std::array<Flag, kStatusBitCount> flags;
  for (int bit = 0; bit < kStatusBitCount; ++bit) {
    CSVString text(defs.StatusText(identity, bit).c_str());
    CSVString name("");
    CSVString off("");
    CSVString on("");
    text.split(name, text);
    text.split(off, text);
    text.split(on, text);
    flags[static_cast<std::size_t>(bit)] = {name.differs(unimplemented), name.text(), off.text(),
                                            on.text()};
  }
  return flags;
}

// What the engine is doing, as the flag of this name should show it; null for a flag the
// engine does not move.
const char* ExpectedState(const std::string& name, const EngineState& s) {
  const auto word = [](bool on, const char* yes, const char* no) { return on ? yes : no; };
  if (name == "Idle Position") return word(s.idleSwitch, "IDLE", "OPEN");
  if (name == "Rich/Lean Monitor" || name == "Rich/Lean Monitor B1") {
    return word(s.rich, "RICH", "LEAN");
  }
  if (name == "Rich/lean Monitor B2") return word(s.richBank2, "RICH", "LEAN");
  if (name == "Fuel Pump") return word(s.fuelPump, "ON", "OFF");
  if (name == "EGR Valve") return word(s.egrValve, "ON", "OFF");
  if (name == "Evap. Can. Purge") return word(s.canisterPurge, "ON", "OFF");
  if (name == "Radiator Fan") return word(s.radiatorFan, "ON", "OFF");
  if (name == "O2S Activated") return word(s.closedLoop, "ON", "OFF");
  if (name == "Starter" || name == "AC Pressure Switch") return "OFF";  // the engine runs
  if (name == "D Range Shift Switch") return "PN";
  return nullptr;
}

// The flags the engine turns both ways in twelve minutes from a cold start.
const std::set<std::string> kMovingFlags = {
    "Idle Position", "Rich/Lean Monitor", "Rich/Lean Monitor B1", "Rich/lean Monitor B2",
    "EGR Valve",     "Evap. Can. Purge",  "O2S Activated"};

// Every described ECU, run for twelve minutes from a cold start and read five times a
// second: its faults come and go, are remembered, and each reads as a fault of that ECU; its
// status flags show the engine's state, and each flag that the engine moves is seen both ways.
TEST(DiagnosticBitsOverTime, FaultsAndStatusFlagsShowAndReadBackThroughTheTables) {
  const FaultDefs faultDefs;
  const StatusDefs statusDefs;
  for (std::string_view listed : kListedIdentities) {
    const std::string identity(listed);
    SCOPED_TRACE(identity);
    SimulatedEcuConfig config;
    config.identity = identity;
    config.engine.seed = 3;
    const Clock::time_point start{std::chrono::hours(1)};
    SimulatedEcu ecu(config, start);
    const FaultBits bits = FaultBitsFor(identity);
    const bool raisesFaults = bits.current != std::array<std::uint8_t, 3>{};
    const bool storesFaults = bits.stored != std::array<std::uint8_t, 2>{};
    const std::array<Flag, kStatusBitCount> flags = FlagsOf(statusDefs, identity);
    std::array<bool, kFaultBitCount> namesAFault{};
    for (int bit = 0; bit < kFaultBitCount; ++bit) {
      namesAFault[static_cast<std::size_t>(bit)] =
          faultDefs.FaultText(identity, bit) != kUnallocatedFaultText;
    }

    bool sawCurrent = false;
    bool sawCurrentGo = false;
    bool sawStored = false;
    std::set<const std::string*> seen;   // the flags' on- and off-texts shown
    int wrongFaultReads = 0;             // fault bytes other than the engine's
    std::set<int> unallocatedFaultBits;  // set, though they name no fault
    std::set<int> hiddenStatusBits;      // set, though the viewer does not show them
    std::set<std::string> wrongFlags;    // showing other than what the engine does
    std::array<std::uint8_t, 256> buffer{};
    for (auto t = start; t < start + std::chrono::minutes(12);
         t += std::chrono::milliseconds(200)) {
      ecu.AdvanceTo(t);
      while (ecu.Take(buffer.data(), buffer.size()) > 0) {
      }
      // A read makes the ECU write its memory from the engine as it is now.
      const EcuFrame read = BuildReadRequest(0, 0).frame;
      ecu.Receive(read.bytes(), t);
      const EngineState& s = ecu.engine().state();

      const Bytes faults = ReadSlots(ecu, {0, 1, 2, 3, 43});
      const Bytes engineFaults = {s.currentFaults[0], s.currentFaults[1], s.storedFaults[0],
                                  s.storedFaults[1], s.currentFaults[2]};
      if (faults != engineFaults) ++wrongFaultReads;
      for (int bit = 0; bit < kFaultBitCount; ++bit) {
        if ((faults[static_cast<std::size_t>(FaultByteOf(bit))] & FaultMaskOf(bit)) != 0) {
          if (!namesAFault[static_cast<std::size_t>(bit)]) unallocatedFaultBits.insert(bit);
        }
      }
      const bool current = faults[0] != 0 || faults[1] != 0 || faults[4] != 0;
      sawCurrentGo = sawCurrentGo || (sawCurrent && !current);
      sawCurrent = sawCurrent || current;
      sawStored = sawStored || faults[2] != 0 || faults[3] != 0;

      const Bytes status = ReadSlots(ecu, {32, 33, 34, 35, -1});
      for (int bit = 0; bit < kStatusBitCount; ++bit) {
        const Flag& flag = flags[static_cast<std::size_t>(bit)];
        const bool set =
            (status[static_cast<std::size_t>(StatusByteOf(bit))] & StatusMaskOf(bit)) != 0;
        if (!flag.shown) {
          if (set) hiddenStatusBits.insert(bit);
          continue;
        }
        const std::string& state = set ? flag.on : flag.off;
        const char* expected = ExpectedState(flag.name, s);
        if (expected != nullptr && state != expected) wrongFlags.insert(flag.name + "=" + state);
        seen.insert(&state);
      }
    }
    EXPECT_EQ(wrongFaultReads, 0);
    EXPECT_THAT(unallocatedFaultBits, IsEmpty());
    EXPECT_THAT(hiddenStatusBits, IsEmpty());
    EXPECT_THAT(wrongFlags, IsEmpty());
    EXPECT_EQ(sawCurrent, raisesFaults);
    EXPECT_EQ(sawCurrentGo, raisesFaults);
    EXPECT_EQ(sawStored, storesFaults);
    EXPECT_TRUE(storesFaults || !raisesFaults);  // only "F602" and "F802" have no fault bytes
    for (const Flag& flag : flags) {
      if (flag.shown && kMovingFlags.count(flag.name) > 0) {
        EXPECT_TRUE(seen.count(&flag.on)) << flag.name << " never " << flag.on;
        EXPECT_TRUE(seen.count(&flag.off)) << flag.name << " never " << flag.off;
      }
    }
  }
}

}  // namespace
}  // namespace rizazovoz
