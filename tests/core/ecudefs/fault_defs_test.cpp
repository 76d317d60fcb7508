#include "ecudefs/fault_defs.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

namespace rizazovoz {
namespace {

const std::string kUnallocated(kUnallocatedFaultText);

struct FaultCase {
  const char* identity;
  int bit;
  std::string text;
};

TEST(FaultDefs, BitsReadTheTextTheirRowNames) {
  const FaultCase cases[] = {
      {"1103", 0,
       "13\t  Lambda Sensor Bank 1 - ECU will drive mixture rich or lean. If O2 reading doesn't "
       "change or is slow to change a fault is flagged"},
      {"1601", 1,
       "26\t  Lambda Sensor Bank 2 - ECU will drive mixture rich or lean. If O2 reading doesn't "
       "change or is slow to change a fault is flagged"},
      {"1641", 1, kUnallocated},
      {"1702", 32, "61\t  Shift Solenoid Valve A (#1)"},  // byte 4, further current faults
      {"1702", 39, "75\t  Output Speed sensor Circuit Malfunction"},
      {"1103", 32, kUnallocated},
      {"1103", 11,
       "42\t  Crank Angle Sensor - CAS signal not present during cranking. Possibly faulty CAS or "
       "bad connection"},
      {"1103", 27, kUnallocated},  // stored byte 3 keeps fewer faults than current byte 1
      {"1112", 33, "51\t  EGR temperature sensor short circuit (Calif.)"},
      {"17E2", 8,
       "31\t  Manifold Pressure Sensor signal High - MPS faulty. Possibly open circuit ground "
       "connection"},
      {"1881", 13,
       "43\t  Knock Sensor circuit malfunction - Faulty Knock Sensor or bad connection"},
      {"1901", 15, "76\tAuto?????????"},
      {"1903", 12, "46    ISC"},  // and the same bit of the stored byte means another fault
      {"1903", 28,
       "43\t  Knock Sensor circuit malfunction - Faulty Knock Sensor or bad connection"},
      {"1943", 9,
       "32\t  Manifold Pressure Sensor signal Low - MPS faulty. Possibly open circuit "
       "power connection"},
  };
  const FaultDefs defs;
  for (const FaultCase& c : cases) {
    EXPECT_EQ(defs.FaultText(c.identity, c.bit), c.text) << c.identity << " bit " << c.bit;
  }
}

TEST(FaultDefs, F602AndF802UseNoFaultBit) {
  const FaultDefs defs;
  for (const char* identity : {"F602", "F802"}) {
    for (int bit = 0; bit < kFaultBitCount; ++bit) {
      EXPECT_EQ(defs.FaultText(identity, bit), kUnallocated) << identity << " bit " << bit;
    }
  }
}

// Lower case, OBD2, empty and other-length identities read the default row, which happens to
// be the row of "1103"; "17E2" has its own.
TEST(FaultDefs, AnythingUnlistedReadsTheDefaultRow) {
  const FaultDefs defs;
  for (const char* identity : {"17e2", "1B34", "1B41", "1B84", "", "110", "11033", "ABCD"}) {
    for (int bit = 0; bit < kFaultBitCount; ++bit) {
      EXPECT_EQ(defs.FaultText(identity, bit), defs.FaultText("1103", bit))
          << '"' << identity << "\" bit " << bit;
    }
  }
  EXPECT_EQ(defs.FaultText("1B84", 11), defs.FaultText("1103", 11));
  EXPECT_EQ(defs.FaultText("17e2", 8), "33\t  Mass Airflow Sensor High");
  EXPECT_NE(defs.FaultText("17E2", 8), defs.FaultText("17e2", 8));
}

TEST(FaultDefs, BitsOutsideTheFiveBytesAreRejected) {
  const FaultDefs defs;
  for (int bit : {-1, 40, 41, INT_MIN, INT_MAX}) {
    EXPECT_THROW(defs.FaultText("1103", bit), std::out_of_range) << bit;
    EXPECT_THROW(FaultByteOf(bit), std::out_of_range) << bit;
    EXPECT_THROW(FaultMaskOf(bit), std::out_of_range) << bit;
  }
}

TEST(FaultDefs, BitsCountFromTheLeastSignificantBitOfEachByte) {
  struct BitCase {
    int bit, byte, mask;
  };
  for (const BitCase& c : {BitCase{0, 0, 0x01}, BitCase{7, 0, 0x80}, BitCase{12, 1, 0x10},
                           BitCase{16, 2, 0x01}, BitCase{31, 3, 0x80}, BitCase{39, 4, 0x80}}) {
    EXPECT_EQ(FaultByteOf(c.bit), c.byte) << c.bit;
    EXPECT_EQ(FaultMaskOf(c.bit), c.mask) << c.bit;
  }
  EXPECT_FALSE(IsStoredFaultByte(0));
  EXPECT_FALSE(IsStoredFaultByte(1));
  EXPECT_TRUE(IsStoredFaultByte(2));
  EXPECT_TRUE(IsStoredFaultByte(3));
  EXPECT_FALSE(IsStoredFaultByte(4));
}

}  // namespace
}  // namespace rizazovoz
