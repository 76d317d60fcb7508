#include "sim/ecu_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ecudefs/data_defs.h"
#include "livedata/slot_decoder.h"

namespace rizazovoz {
namespace {

std::vector<std::string> ClassOneIdentities() {
  std::vector<std::string> found;
  for (int id = 0; id <= 0xFFFF; ++id) {
    char text[5];
    std::snprintf(text, sizeof text, "%04X", id);
    if (DataDefs::ClassOf(text) == EcuClass::kFull) found.emplace_back(text);
  }
  return found;
}

bool Has(const EcuProfile& profile, int code) {
  return std::find(profile.slotTypes.begin(), profile.slotTypes.end(), code) !=
         profile.slotTypes.end();
}

// What a program connected to this ECU decodes from its memory, slot by slot.
LiveValues DecodeAll(const EcuMemory& memory) {
  LiveValues values;
  DisplaySettings native;
  native.tempUnits = "C";
  native.speedUnits = "KPH";
  DashboardReadouts silent;
  SlotDecoder decoder(values, memory.profile(), native, silent);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const auto address = static_cast<std::uint8_t>(memory.profile().baseAddress + slot);
    decoder.decode(memory.profile().slotTypes[static_cast<std::size_t>(slot)],
                   memory.Read(address));
  }
  return values;
}

// Every class-1 ECU, at a cold start, warm at idle and in a throttle blip: each value a
// dashboard shows decodes to the engine's value within one step of its slot (plus one for
// the values that are truncated to whole numbers).
TEST(EcuMemoryTest, DecodedValuesMatchTheEngineOnEveryDescribedEcu) {
  const std::vector<std::string> identities = ClassOneIdentities();
  ASSERT_EQ(identities.size(), 18u);
  std::vector<EngineState> states;
  EngineModel model({.seed = 11});
  states.push_back(model.state());
  model.Advance(std::chrono::minutes(25));
  while (model.state().throttlePercent > 0.5) model.Advance(std::chrono::milliseconds(10));
  states.push_back(model.state());
  while (model.state().throttlePercent < 20) model.Advance(std::chrono::milliseconds(10));
  states.push_back(model.state());

  for (const std::string& identity : identities) {
    EcuMemory memory(identity);
    const EcuProfile& p = memory.profile();
    for (const EngineState& s : states) {
      SCOPED_TRACE(identity + " at " + std::to_string(s.seconds) + " s");
      memory.Encode(s);
      const LiveValues v = DecodeAll(memory);
      if (Has(p, 5)) {
        EXPECT_NEAR(v.engineSpeed, s.engineSpeedRpm, std::fabs(p.rpmScale) + 1);
      }
      if (Has(p, 6)) {
        EXPECT_NEAR(v.roadSpeed, s.roadSpeedKmh, std::fabs(p.speedScale) + 1);
      }
      if (Has(p, 7)) {
        EXPECT_NEAR(v.coolantTemp, s.coolantC, std::fabs(p.ctsScale));
      }
      if (Has(p, 8)) {
        EXPECT_NEAR(v.airTemp, s.intakeAirC, std::fabs(p.iatScale));
      }
      if (Has(p, 13)) {
        EXPECT_NEAR(v.tpsPercent, s.throttlePercent, std::fabs(p.tpsScale) + 1);
      }
      if (Has(p, 15)) {
        EXPECT_NEAR(v.o2Volts[0], s.o2Volts[0], 1 / p.o2Divisor);
      }
      if (Has(p, 24)) {
        EXPECT_NEAR(v.ignAdvance, s.ignitionAdvanceDeg, std::fabs(p.ignScale) + 1);
      }
      if (Has(p, 25)) {
        EXPECT_NEAR(v.stft[0], s.shortTrim[0], std::fabs(p.trimScale));
      }
      if (Has(p, 26)) {
        EXPECT_NEAR(v.ltft[0], s.longTrim[0], std::fabs(p.trimScale));
      }
      if (Has(p, 30)) {
        EXPECT_NEAR(v.batteryVolts, s.batteryVolts, 1 / p.batteryDivisor);
      }
      if (Has(p, 36)) {
        EXPECT_NEAR(v.targetIdle, s.targetIdleRpm, std::fabs(p.idleScale) + 1);
      }
      if (Has(p, 0)) {
        EXPECT_EQ(v.faultFlags[0], s.currentFaults[0]);
      }
      if (Has(p, 2)) {
        EXPECT_EQ(v.faultFlags[2], s.storedFaults[0]);
      }
      if (Has(p, 48)) {
        EXPECT_NEAR(v.timeFromStart, std::min(s.seconds, 510.0), 2);
      }
    }
  }
}

TEST(EcuMemoryTest, SlotsSitFromTheBaseAddressOnAndTheRestStaysZero) {
  EcuMemory memory("F602");  // base address 20; slot 7 carries the engine speed's high byte
  EngineState state;
  state.engineSpeedRpm = 3000;  // count 12000 at 0.25 rpm per count
  memory.Encode(state);
  EXPECT_EQ(memory.Read(20 + 7), 12000 >> 8);
  EXPECT_EQ(memory.Read(20 + 8), 12000 & 0xFF);
  for (int address = 0; address < 20; ++address) EXPECT_EQ(memory.Read(address), 0) << address;
}

TEST(EcuMemoryTest, StatusBytesCarryTheOutputsWhereTheEcuReportsThem) {
  EcuMemory memory("17E2");  // status byte 0: fan 0x20, purge 0x08, pump 0x04, EGR 0x02, rich 0x01
  EngineState state;
  state.radiatorFan = true;
  state.egrValve = true;
  state.rich = true;
  EXPECT_EQ(memory.SlotValue(32, state), 0x20 | 0x02 | 0x01);
  state = {};
  state.fuelPump = true;
  state.canisterPurge = true;
  state.idleSwitch = true;  // bit 12: status byte 1, 0x08
  EXPECT_EQ(memory.SlotValue(32, state), 0x08 | 0x04);
  EXPECT_EQ(memory.SlotValue(33, state), 0x08);
}

TEST(EcuMemoryTest, UnlistedAndObd2IdentitiesAreLaidOutByTheDefaultRow) {
  const EcuProfile defaults = MakeEcuProfile("");
  for (const char* identity : {"ABCD", "1B34"}) {
    EcuMemory memory(identity);
    EXPECT_EQ(memory.profile().slotTypes, defaults.slotTypes) << identity;
    EXPECT_EQ(memory.profile().endAddress, defaults.endAddress) << identity;
  }
}

}  // namespace
}  // namespace rizazovoz
