#include "ecudefs/data_defs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ecudefs/ecu_profile.h"

namespace rizazovoz {
namespace {

using I = EcuConstantIndex;

const std::vector<std::string> kListed = {"1103", "1112", "1202", "1253", "1453", "1601",
                                          "1641", "1701", "1702", "17E2", "1843", "1881",
                                          "1901", "1902", "1903", "1943", "F602", "F802"};

// The last slot the poller reads: blocks of eight from slot 0 up to the last block start.
int LastSlotRead(const std::string& id) {
  int span = DataDefs::endAddress(id) - DataDefs::baseAddress(id);
  return 8 * (span / 8) + 7;
}

TEST(DataDefsRows, EveryRowKeepsItsAddressesAndSlotsInRange) {
  std::vector<std::string> rows = kListed;
  rows.push_back("0000");  // the default row
  for (const std::string& id : rows) {
    SCOPED_TRACE(id);
    int base = DataDefs::baseAddress(id);
    int end = DataDefs::endAddress(id);
    EXPECT_GE(base, 0);
    EXPECT_GE(end, base);
    EXPECT_LE(end - base, 47);
    EXPECT_LE(base + 47, 255);
    EXPECT_LE(LastSlotRead(id), 49);
    for (int slot = 0; slot < kSlotCount; ++slot) {
      int type = DataDefs::SlotType(id, slot);
      EXPECT_GE(type, 0) << "slot " << slot;
      EXPECT_LE(type, 55) << "slot " << slot;
    }
    // The decoders divide by these.
    EXPECT_NE(DataDefs::o2Divisor(id), 0.0f);
    EXPECT_NE(DataDefs::batteryDivisor(id), 0.0f);
    EXPECT_GE(DataDefs::mpgAverageCount(id), 1);
    // Constants read as whole numbers are stored whole.
    for (I index :
         {I::kBaseAddress, I::kEndAddress, I::kAirflowKindSelector, I::kUnused10, I::kIatOffset,
          I::kMpgAverageCount, I::kIdleAirKindSelector, I::kEgrKindSelector, I::kActuatorFlags}) {
      float value = DataDefs::EcuConstant(id, index);
      EXPECT_EQ(value, static_cast<float>(static_cast<int>(value)))
          << "constant " << static_cast<int>(index);
    }
  }
}

TEST(DataDefsRows, SlotRangeReadPerEcu) {
  for (const char* id : {"1112", "1701", "1901", "1902", "F602", "F802"}) {
    EXPECT_EQ(LastSlotRead(id), 47) << id;
  }
  EXPECT_EQ(DataDefs::baseAddress("1253"), 0);
  EXPECT_EQ(LastSlotRead("1253"), 23);
  EXPECT_EQ(LastSlotRead("1103"), 39);
  // Only the F602 and F802 rows start above address 0, and their slot 0 carries nothing.
  for (const std::string& id : kListed) {
    bool shifted = id == "F602" || id == "F802";
    EXPECT_EQ(DataDefs::baseAddress(id), shifted ? 20 : 0) << id;
    if (shifted) {
      EXPECT_EQ(DataDefs::SlotType(id, 0), 55) << id;
    }
  }
}

struct SlotCase {
  const char* id;
  int slot;
  int type;
};

TEST(DataDefsRows, SlotTypesFromTheLayoutTables) {
  const SlotCase cases[] = {
      {"1103", 0, 0},   {"1103", 16, 12}, {"1103", 14, 20}, {"1103", 17, 20}, {"1103", 21, 55},
      {"1103", 24, 33}, {"1103", 25, 55}, {"1103", 49, 55}, {"1112", 4, 43},  {"1112", 11, 44},
      {"1112", 25, 48}, {"1112", 30, 35}, {"1112", 31, 55}, {"1202", 29, 8},  {"1202", 30, 55},
      {"1253", 23, 33}, {"1253", 24, 55}, {"1453", 17, 39}, {"1601", 28, 55}, {"1601", 33, 33},
      {"1641", 26, 33}, {"1701", 30, 38}, {"1701", 41, 35}, {"1701", 42, 55}, {"1702", 30, 49},
      {"1702", 35, 34}, {"17E2", 23, 55}, {"17E2", 26, 33}, {"1843", 24, 38}, {"1881", 19, 50},
      {"1881", 29, 33}, {"1901", 7, 5},   {"1901", 35, 5},  {"1901", 40, 33}, {"1902", 29, 8},
      {"1902", 39, 34}, {"1903", 24, 50}, {"1943", 25, 55}, {"1943", 27, 33}, {"F602", 1, 29},
      {"F602", 44, 40}, {"F602", 45, 55}, {"F802", 7, 4},   {"F802", 44, 40}, {"0000", 2, 3},
      {"0000", 3, 43},  {"0000", 47, 47}, {"0000", 48, 55},
  };
  for (const SlotCase& c : cases) {
    EXPECT_EQ(DataDefs::SlotType(c.id, c.slot), c.type) << c.id << " slot " << c.slot;
  }
}

struct ConstantCase {
  const char* id;
  I index;
  float value;
};

TEST(DataDefsRows, ConstantsAreTheStoredSinglePrecisionValues) {
  const ConstantCase cases[] = {
      {"1103", I::kEndAddress, 32.0f},       {"1103", I::kRpmScale, 0.977f},
      {"1103", I::kSpeedScale, 1.9f},        {"1103", I::kTrimScale, 0.0173f},
      {"1103", I::kIgnOffset, -11.7f},       {"1112", I::kRpmScale, 3.9f},
      {"1112", I::kAirflowScale, 4.95f},     {"1112", I::kIgnScale, -0.35f},
      {"1202", I::kAirflowScale, 0.0101f},   {"1202", I::kBatteryDivisor, 13.64f},
      {"1202", I::kIgnScale, -0.352f},       {"1253", I::kRpmOffset, -400.0f},
      {"1253", I::kUnused10, 212.0f},        {"1453", I::kAirflowScale, 6.4844f},
      {"1453", I::kAirflowOffset, -193.33f}, {"1601", I::kAirflowScale, 0.0069f},
      {"1641", I::kBatteryDivisor, 12.5f},   {"1701", I::kUnused10, 193.0f},
      {"1701", I::kVeOffset, 0.55f},         {"1702", I::kUnused8, -0.1f},
      {"1702", I::kEgrScale, 0.391f},        {"17E2", I::kIdleScale, 7.8125f},
      {"17E2", I::kIdleOffset, 500.0f},      {"17E2", I::kCtsScale, 0.937f},
      {"1843", I::kTrimScale, 0.00195f},     {"1881", I::kInjScale, 0.3125f},
      {"1881", I::kIacScale, 0.5f},          {"1901", I::kSpeedScale, 1.883f},
      {"1902", I::kIacScale, 256.0f},        {"1943", I::kTpsScale, 1.11f},
      {"1943", I::kIgnOffset, -12.0f},       {"F602", I::kBaseAddress, 20.0f},
      {"F602", I::kEndAddress, 66.0f},       {"F802", I::kIacScale, 0.3907f},
      {"F802", I::kTpsScale, 0.256f},        {"F802", I::kIgnOffset, -64.0f},
      {"0000", I::kCtsScale, 0.82f},         {"0000", I::kCtsOffset, 68.66f},
      {"0000", I::kAirflowScale, 5.0f},      {"0000", I::kO2Divisor, 102.0f},
  };
  for (const ConstantCase& c : cases) {
    EXPECT_EQ(DataDefs::EcuConstant(c.id, c.index), c.value)
        << c.id << " constant " << static_cast<int>(c.index);
    EXPECT_EQ(DataDefs::EcuConstant(c.id, static_cast<int>(c.index)), c.value);
  }
}

TEST(DataDefsLookup, ClassesAndTheDefaultRow) {
  for (const std::string& id : kListed) EXPECT_EQ(DataDefs::ClassOf(id), EcuClass::kFull) << id;
  for (const char* id : {"1B34", "1B41", "1B84"}) {
    EXPECT_EQ(DataDefs::ClassOf(id), EcuClass::kObd2) << id;
  }
  for (const char* id : {"17e2", "f602", "1b41", "", "110", "11033", " 1103", "0000"}) {
    EXPECT_EQ(DataDefs::ClassOf(id), EcuClass::kNotListed) << '"' << id << '"';
  }
  // Lower case, OBD2 and unlisted identities all read the default row.
  for (const char* id : {"17e2", "1B41", "", "11033"}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(DataDefs::SlotType(id, 0), 0);
    EXPECT_EQ(DataDefs::SlotType(id, 2), 3);
    EXPECT_EQ(DataDefs::endAddress(id), 25);
    EXPECT_EQ(DataDefs::actuatorFlags(id), 15);
    EXPECT_EQ(DataDefs::ctsOffset(id), 68.66f);
  }
  EXPECT_EQ(DataDefs::rpmScale("17E2"), 3.92f);
  EXPECT_EQ(DataDefs::rpmScale("17e2"), 1.0f);
}

TEST(DataDefsLookup, WholeReadersTruncateTheStoredReal) {
  EXPECT_EQ(DataDefs::iatOffset("0000"), 97);
  EXPECT_EQ(DataDefs::ctsOffset("0000"), 68.66f);
  EXPECT_EQ(DataDefs::iatOffset("1112"), 74);
  EXPECT_EQ(DataDefs::mpgAverageCount("1103"), 4);
  EXPECT_EQ(DataDefs::baseAddress("F802"), 20);
  EXPECT_EQ(DataDefs::endAddress("1902"), 40);
}

TEST(DataDefsLookup, KindTexts) {
  EXPECT_EQ(DataDefs::airflowKind("1103"), "VAF");
  EXPECT_EQ(DataDefs::airflowKind("1202"), "MAF");
  EXPECT_EQ(DataDefs::airflowKind("1253"), "MAP");
  EXPECT_EQ(DataDefs::idleAirKind("1881"), "POS");
  EXPECT_EQ(DataDefs::idleAirKind("1112"), "FLOW");
  EXPECT_EQ(DataDefs::idleAirKind("1103"), "DC");
  EXPECT_EQ(DataDefs::egrKind("1702"), "POS");
  EXPECT_EQ(DataDefs::egrKind("1103"), "FLOW");
  EXPECT_EQ(DataDefs::airflowKind("zzzz"), "MAP");
  EXPECT_EQ(DataDefs::idleAirKind("zzzz"), "DC");
  EXPECT_EQ(DataDefs::egrKind("zzzz"), "FLOW");
  // Any selector other than the named ones gives the last kind.
  EXPECT_EQ(DataDefs::AirflowKindFor(-1), "MAF");
  EXPECT_EQ(DataDefs::IdleAirKindFor(7), "POS");
  EXPECT_EQ(DataDefs::EgrKindFor(1), "POS");
}

TEST(DataDefsLookup, ActuatorFlags) {
  EXPECT_EQ(DataDefs::actuatorFlags("1881"),
            kActuatorRpmControl | kActuatorFixAdvance | kActuatorEgrSolControl);
  EXPECT_EQ(DataDefs::actuatorFlags("1601"), kActuatorRpmControl | kActuatorFixAdvance |
                                                 kActuatorIacCalibration | kActuatorEgrStepControl);
  EXPECT_EQ(DataDefs::actuatorFlags("1843"),
            kActuatorRpmControl | kActuatorFixAdvance | kActuatorEgrStepControl);
  EXPECT_EQ(DataDefs::actuatorFlags("1103"), 15);
  EXPECT_EQ(DataDefs::actuatorFlags("1B84"), 15);
}

TEST(DataDefsLookup, IndexesOutsideARowAreRefused) {
#ifdef NDEBUG
  EXPECT_EQ(DataDefs::SlotType("1103", 50), 55);
  EXPECT_EQ(DataDefs::SlotType("1103", -1), 55);
  EXPECT_EQ(DataDefs::EcuConstant("1103", 37), 0.0f);
  EXPECT_EQ(DataDefs::EcuConstant("1103", -1), 0.0f);
#else
  EXPECT_DEATH(DataDefs::SlotType("1103", 50), "");
  EXPECT_DEATH(DataDefs::EcuConstant("1103", 37), "");
#endif
}

TEST(EcuProfileTest, ProfileCarriesTheRowOfItsIdentity) {
  EcuProfile p = MakeEcuProfile("1453");
  for (int slot = 0; slot < kSlotCount; ++slot) {
    EXPECT_EQ(p.slotTypes[static_cast<std::size_t>(slot)], DataDefs::SlotType("1453", slot));
  }
  EXPECT_EQ(p.baseAddress, 0);
  EXPECT_EQ(p.endAddress, 25);
  EXPECT_EQ(p.airflowKind, "MAP");
  EXPECT_EQ(p.idleAirKind, "DC");
  EXPECT_EQ(p.egrKind, "FLOW");
  EXPECT_EQ(p.rpmScale, 0.195f);
  EXPECT_EQ(p.airflowScale, 6.4844f);
  EXPECT_EQ(p.airflowOffset, -193.33f);
  EXPECT_EQ(p.iacAdjScale, 1.6f);
  EXPECT_EQ(p.iacAdjOffset, 0.67f);
  EXPECT_EQ(p.iatOffset, 40);
  EXPECT_EQ(p.mpgAverageCount, 4);
  EXPECT_EQ(p.unusedConstant10, 232);

  EcuProfile f = MakeEcuProfile("F802");
  EXPECT_EQ(f.baseAddress, 20);
  EXPECT_EQ(f.endAddress, 66);
  EXPECT_EQ(f.slotTypes[44], 40);
  EXPECT_EQ(f.tpsScale, 0.256f);
  EXPECT_EQ(f.purgeScale, 0.256f);
  EXPECT_EQ(f.egrScale, 1.0f);
  EXPECT_EQ(f.airflowKind, "MAF");

  EcuProfile none;
  EXPECT_EQ(none.slotTypes[7], 0);
  EXPECT_EQ(none.o2Divisor, 0.0f);
  EXPECT_TRUE(none.airflowKind.empty());
}

}  // namespace
}  // namespace rizazovoz
