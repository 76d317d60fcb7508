#include "ecudefs/status_defs.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

namespace rizazovoz {
namespace {

struct StatusCase {
  const char* identity;
  int bit;
  const char* text;
};

TEST(StatusDefs, BitsReadTheTextTheirRowNames) {
  const StatusCase cases[] = {
      {"1103", 5, "Evap. Can. Purge,OFF,ON"},  // byte 0, bit value 4
      {"1103", 0, "Unimplemented,ON,OFF"},
      {"1103", 12, "D Range Shift Switch,PN,D"},
      {"1601", 6, "Rich/lean Monitor B2,LEAN,RICH"},
      {"1601", 7, "Rich/Lean Monitor B1,LEAN,RICH"},
      {"1112", 24, "Idle Position,OPEN,IDLE"},   // byte 3
      {"1702", 33, "TCC Solenoid Mon.,OFF,ON"},  // byte 4, which the live data never carry
      {"1901", 9, "O2S B2 Activated,OFF,ON"},
      {"1902", 0, "Electric Load,OFF,ON"},
      {"1902", 23, "Heater Fan,OFF,ON"},
      {"1943", 0, "Radiator Fan,OFF,ON"},
      {"F602", 2, "Unimplemented,OFF,ON"},
      {"F602", 8, "Starter,OFF,ON"},
      {"F802", 35, "4WD Low,OFF,ON"},
      {"F602", 35, "Unimplemented,ON,OFF"},
  };
  const StatusDefs defs;
  for (const StatusCase& c : cases) {
    EXPECT_EQ(defs.StatusText(c.identity, c.bit), c.text) << c.identity << " bit " << c.bit;
  }
}

// The flags a viewer lists: every bit whose name is not "Unimplemented", in bit order.
std::vector<std::string> ShownNames(const StatusDefs& defs, const char* identity) {
  std::vector<std::string> names;
  for (int bit = 0; bit < kStatusBitCount; ++bit) {
    const std::string text = defs.StatusText(identity, bit);
    const std::string name = text.substr(0, text.find(','));
    if (name != kUnimplementedStatusName) names.push_back(name);
  }
  return names;
}

TEST(StatusDefs, RowsShowTheirImplementedFlagsInBitOrder) {
  const StatusDefs defs;
  EXPECT_EQ(ShownNames(defs, "1103"),
            (std::vector<std::string>{"Evap. Can. Purge", "EGR Valve", "Rich/Lean Monitor",
                                      "Idle Position", "D Range Shift Switch", "AC Pressure Switch",
                                      "PS Switch"}));
  EXPECT_EQ(ShownNames(defs, "F802").size(), 18u);
  EXPECT_EQ(ShownNames(defs, "F602").size(), 17u);
  for (int bit = 0; bit < kStatusBitCount; ++bit) {  // bit 35 is their only difference
    if (bit != 35) {
      EXPECT_EQ(defs.StatusText("F602", bit), defs.StatusText("F802", bit)) << bit;
    }
  }
}

TEST(StatusDefs, AnythingUnlistedReadsTheDefaultRow) {
  const StatusDefs defs;
  for (const char* identity : {"f602", "1B34", "1B41", "1B84", "", "F60", "F6022", "ABCD"}) {
    for (int bit = 0; bit < kStatusBitCount; ++bit) {
      EXPECT_EQ(defs.StatusText(identity, bit), defs.StatusText("0000", bit))
          << '"' << identity << "\" bit " << bit;
    }
  }
  EXPECT_EQ(defs.StatusText("1B34", 12), "D Range Shift Switch,PN,D");
  EXPECT_EQ(defs.StatusText("f602", 8), "Unimplemented,ON,OFF");  // "Starter" in "F602"
}

TEST(StatusDefs, BitsOutsideTheFiveBytesAreRejected) {
  const StatusDefs defs;
  for (int bit : {-1, 40, 41, INT_MIN, INT_MAX}) {
    EXPECT_THROW(defs.StatusText("1103", bit), std::out_of_range) << bit;
    EXPECT_THROW(StatusByteOf(bit), std::out_of_range) << bit;
    EXPECT_THROW(StatusMaskOf(bit), std::out_of_range) << bit;
  }
}

TEST(StatusDefs, BitsCountFromTheMostSignificantBitOfEachByte) {
  struct BitCase {
    int bit, byte, mask;
  };
  for (const BitCase& c : {BitCase{0, 0, 0x80}, BitCase{5, 0, 0x04}, BitCase{7, 0, 0x01},
                           BitCase{11, 1, 0x10}, BitCase{35, 4, 0x10}, BitCase{39, 4, 0x01}}) {
    EXPECT_EQ(StatusByteOf(c.bit), c.byte) << c.bit;
    EXPECT_EQ(StatusMaskOf(c.bit), c.mask) << c.bit;
  }
}

}  // namespace
}  // namespace rizazovoz
