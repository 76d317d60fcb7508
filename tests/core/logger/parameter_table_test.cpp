#include "logger/parameter_table.h"

#include <gtest/gtest.h>

#include <string>

#include "logger/channel_lists.h"

namespace rizazovoz {
namespace {

// Every member distinct, so that a name reading the wrong member shows.
LiveValues Distinct() {
  LiveValues v;
  v.engineSpeed = 850;
  v.mapPressure = 1013;
  v.airFlow = 312;
  v.targetIdle = 900;
  v.tpsPercent = 12.7f;
  v.tpsVolts = 0.456f;
  v.coolantTemp = 85.7f;
  v.airTemp = -12.5f;
  v.roadSpeed = 42;
  v.injPulseWidth = {3.6f, 2.2f};
  v.o2Volts = {0.812f, 0.19f};
  v.ignAdvance = -3;
  v.stft = {12.34f, -3.9f};
  v.ltft = {5.5f, -1.25f};
  v.tft = {17.8f, 2.25f};
  v.batteryVolts = 13.8f;
  v.iac = 35;
  v.iacAdjMon = 7;
  v.mpg = 27.6f;
  v.faultFlags = {1, 2, 4, 8, 16};
  v.statusFlags = {0x80, 0x40, 0x20, 0x10, 0x08};
  v.egr = 55;
  v.egrTemp = 120;
  v.evapPurge = 33;
  v.ve = 88;
  v.ignTrim = 129;
  v.atmVss = 61;
  v.atmPos = 3;
  v.atmStatus = 34;
  v.timeFromStart = 754;
  for (int slot = 0; slot < kSlotCount; ++slot) v.rawSlotValues[slot] = 100 + slot;
  return v;
}

struct Case {
  const char* name;
  std::int32_t value;
  bool offset;
  const char* cell;
};

TEST(ParameterTable, EachNameReadsItsMemberWithItsRules) {
  const Case cases[] = {
      {"RPM", 850, false, "850"},
      {"MAP", 1013, false, "1013"},
      {"AFM", 312, false, "312"},
      {"Target Idle", 900, false, "900"},
      {"TPS(Angle)", 12, false, "13"},  // plotted truncated, written rounded
      {"TPS(Volts)", 0, false, "0.46"},
      {"CTS", 85, true, "86"},
      {"IAT", -12, true, "-13"},  // toward zero; halves away from zero
      {"VSS", 42, false, "42"},
      {"INJ PW B1", 3, false, "4"},
      {"INJ PW B2", 2, false, "2"},
      {"O2 Sensor B1", 0, false, "0.81"},
      {"O2 Sensor B2", 0, false, "0.19"},
      {"Ign Advance", -3, false, "-3"},
      {"STFT B1", 12, true, "12.00"},  // two significant digits, two decimals
      {"STFT B2", -3, true, "-3.90"},
      {"LTFT B1", 5, true, "5.50"},
      {"LTFT B2", -1, true, "-1.30"},
      {"TFT B1", 17, false, "18.00"},
      {"TFT B2", 2, false, "2.30"},
      {"Batt Volts*10", 138, false, "1.4E2"},
      {"IAC", 35, false, "35"},
      {"IAC Adj Mon", 7, false, "7"},
      {"MPG", 27, false, "28.00"},
      {"Fault Codes 0", 1, false, "1"},
      {"Fault Codes 4", 16, false, "16"},
      {"Status Flags 1", 0x80, false, "128"},  // status byte 0
      {"Status Flags 4", 0x10, false, "16"},   // status byte 3
      {"EGR Flow", 55, false, "55"},
      {"EGR Temp", 120, true, "120"},
      {"Evap Purge", 33, false, "33"},
      {"VE", 88, false, "88"},
      {"Ign Trim", 129, false, "129"},
      {"ATM VSS", 61, false, "61"},
      {"ATM Pos", 3, false, "3"},
      {"ATM Status", 34, false, "34"},
      {"Time From Start", 754, false, "754"},
  };
  const LiveValues values = Distinct();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChannelValue(c.name, values), (ChannelReading{c.value, c.offset}));
    EXPECT_EQ(ChannelText(c.name, values), c.cell);
  }
}

TEST(ParameterTable, FurtherNamesReadTheSameEntry) {
  const std::pair<const char*, const char*> aliases[] = {
      {"AFM", "MAF"},
      {"ATM VSS", "TCM VSS"},
      {"ATM Pos", "TCM Pos"},
      {"ATM Status", "TCM Status"},
      {"EGR Flow", "EGR"},
      {"Evap Purge", "Can Purge"},
      {"LTFT B1", "CFT B1"},
      {"LTFT B2", "CFT B2"},
      {"Fault Codes 0", "Fault Flags 0"},
      {"Fault Codes 2", "Fault Flags 2"},
      {"Fault Codes 4", "Fault Flags 4"},
  };
  const LiveValues values = Distinct();
  for (const auto& [name, alias] : aliases) {
    SCOPED_TRACE(alias);
    EXPECT_EQ(ChannelValue(alias, values), ChannelValue(name, values));
    EXPECT_EQ(ChannelText(alias, values), ChannelText(name, values));
    EXPECT_NE(ChannelText(alias, values), "0");
  }
}

// The number is character 8 of an 8-character name, otherwise characters 8 and 9.
TEST(ParameterTable, AddressChannelsReadTheRawByteOfTheirSlot) {
  const std::pair<const char*, int> cases[] = {
      {"Address0", 0},   {"Address7", 7},   {"Address41", 41},  {"Address49", 49},
      {"Address07", 7},  {"A1234567", 7},   {"Address123", 12},  // characters 8 and 9 only
      {"Address50", -1}, {"Address99", -1}, {"Address", -1},    {"Addressx", -1},
      {"Address-1", -1}, {"Address 7", -1}, {"Address4x", -1},  {"address7", -1},
  };
  const LiveValues values = Distinct();
  for (const auto& [name, slot] : cases) {
    SCOPED_TRACE(name);
    const std::int32_t expected = slot < 0 ? 0 : 100 + slot;
    EXPECT_EQ(ChannelValue(name, values), (ChannelReading{expected, false}));
    EXPECT_EQ(ChannelText(name, values), std::to_string(expected));
  }
}

TEST(ParameterTable, AnyOtherNameReadsZero) {
  const LiveValues values = Distinct();
  for (const char* name : {"rpm", "", "Rpm ", " RPM", "Fault Codes 5", "Status Flags 0",
                           "Status Flags 5", "Batt Volts", "XYZ"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ChannelValue(name, values), (ChannelReading{0, false}));
    EXPECT_EQ(ChannelText(name, values), "0");
  }
}

// Ten times the voltage is one single-precision step: 14.7f × 10 rounds to 147 exactly, where
// the wider product 146.99999809 would truncate to 146.
TEST(ParameterTable, BatteryVoltsTimesTenIsOneSinglePrecisionStep) {
  LiveValues values;
  values.batteryVolts = 14.7f;
  EXPECT_EQ(ChannelValue("Batt Volts*10", values).value, 147);
  EXPECT_EQ(ChannelText("Batt Volts*10", values), "1.5E2");
  values.batteryVolts = 9.6f;  // 96 written without exponent
  EXPECT_EQ(ChannelText("Batt Volts*10", values), "96.00");
}

TEST(ParameterTable, OutOfRangeRealsSaturateAndStayWritable) {
  LiveValues values;
  values.coolantTemp = 3e9f;
  values.mpg = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(ChannelValue("CTS", values).value, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ChannelText("CTS", values), "3E9");
  EXPECT_EQ(ChannelValue("MPG", values).value, 0);
  EXPECT_EQ(ChannelText("MPG", values), "NAN");
}

TEST(ChannelLists, NamedAndAddressListsInOrder) {
  const std::vector<std::string> named = ChannelList(true);
  ASSERT_EQ(named.size(), 39u);
  EXPECT_EQ(named.front(), "RPM");
  EXPECT_EQ(named[18], "Batt Volts*10");
  EXPECT_EQ(named.back(), "ATM Status");
  const std::vector<std::string> address = ChannelList(false);
  ASSERT_EQ(address.size(), 42u);
  for (std::size_t n = 0; n < address.size(); ++n) {
    EXPECT_EQ(address[n], "Address" + std::to_string(n));
  }
  EXPECT_EQ(TimeBaseList(), (std::vector<std::string>{"1", "2", "5", "10", "15", "30", "60"}));
}

// Each offered name is one the table knows, each a different value.
TEST(ChannelLists, EveryOfferedNameIsRecognised) {
  LiveValues values = Distinct();
  values.tpsVolts = 1.0f;  // members that would truncate to 0
  values.o2Volts = {2.0f, 3.0f};
  for (bool named : {true, false}) {
    for (const std::string& name : ChannelList(named)) {
      SCOPED_TRACE(name);
      EXPECT_NE(ChannelValue(name, values).value, 0);
    }
  }
}

}  // namespace
}  // namespace rizazovoz
