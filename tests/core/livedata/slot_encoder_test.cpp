#include "livedata/slot_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "decoder_fixture.h"

namespace rizazovoz {
namespace {

using Rig = DecoderRig<DashboardReadouts>;

const std::vector<std::string> kIdentities = {
    "1103", "1112", "1202", "1253", "1453", "1601", "1641", "1701", "1702", "17E2",
    "1843", "1881", "1901", "1902", "1903", "1943", "F602", "F802", "0000"};

// The stored value of each single-byte code that has a scaled decoder.
double Value(const LiveValues& v, int code) {
  switch (code) {
    case 6:
      return v.roadSpeed;
    case 7:
      return v.coolantTemp;
    case 8:
      return v.airTemp;
    case 9:
      return v.mapPressure;
    case 13:
      return v.tpsPercent;
    case 14:
      return v.tpsVolts;
    case 15:
      return v.o2Volts[0];
    case 16:
      return v.o2Volts[1];
    case 19:
      return v.iac;
    case 24:
      return v.ignAdvance;
    case 25:
      return v.stft[0];
    case 26:
      return v.ltft[0];
    case 27:
      return v.stft[1];
    case 28:
      return v.ltft[1];
    case 29:
      return v.ve;
    case 30:
      return v.batteryVolts;
    case 31:
      return v.evapPurge;
    case 36:
      return v.targetIdle;
    case 38:
      return v.egr;
    case 39:
      return v.baro;
    case 44:
      return v.egrTemp;
    case 45:
      return v.tft[0];
    case 46:
      return v.tft[1];
    case 47:
      return v.iacAdjMon;
    case 48:
      return v.timeFromStart;
    default:
      ADD_FAILURE() << "no value for code " << code;
      return 0;
  }
}

const int kScaledCodes[] = {6,  7,  8,  9,  13, 14, 15, 16, 19, 24, 25, 26, 27,
                            28, 29, 30, 31, 36, 38, 39, 44, 45, 46, 47, 48};

double Decode(Rig& rig, int code, int byte) {
  rig.decoder.decode(code, static_cast<std::uint8_t>(byte));
  return Value(rig.values, code);
}

TEST(SlotEncoderTest, EveryDecodedByteValueEncodesBackToTheSameValue) {
  for (const std::string& id : kIdentities) {
    Rig rig(id);
    for (int code : kScaledCodes) {
      for (int b = 0; b <= 255; ++b) {
        const double v = Decode(rig, code, b);
        const std::uint8_t encoded = EncodeSlotByte(code, v, rig.profile);
        ASSERT_EQ(Decode(rig, code, encoded), v) << id << " code " << code << " byte " << b;
      }
    }
  }
}

struct PairCodes {
  int high;
  int low;
  double (*read)(const LiveValues&);
};

TEST(SlotEncoderTest, SixteenBitValuesSplitIntoHighAndLowBytes) {
  const PairCodes pairs[] = {
      {4, 5, [](const LiveValues& v) { return double(v.engineSpeed); }},
      {10, 11, [](const LiveValues& v) { return double(v.airFlow); }},
      {10, 12, [](const LiveValues& v) { return double(v.airFlow); }},
      {20, 21, [](const LiveValues& v) { return double(v.injPulseWidth[0]); }},
      {22, 23, [](const LiveValues& v) { return double(v.injPulseWidth[1]); }},
  };
  for (const std::string& id : kIdentities) {
    Rig rig(id);
    for (const PairCodes& pair : pairs) {
      // A row without the high-byte code sends the low byte alone (checked below).
      if (std::find(rig.profile.slotTypes.begin(), rig.profile.slotTypes.end(), pair.high) ==
          rig.profile.slotTypes.end()) {
        continue;
      }
      for (int count : {0, 1, 255, 256, 1000, 4083, 4084, 4105, 30000, 65535}) {
        rig.feed({{pair.high, count >> 8}, {pair.low, count & 0xFF}});
        const double v = pair.read(rig.values);
        rig.feed({{pair.high, EncodeSlotByte(pair.high, v, rig.profile)},
                  {pair.low, EncodeSlotByte(pair.low, v, rig.profile)}});
        ASSERT_EQ(pair.read(rig.values), v)
            << id << " codes " << pair.high << "/" << pair.low << " count " << count;
      }
    }
  }
}

struct EncodeCase {
  const char* identity;
  int code;
  double value;      // in the ECU's own units
  double tolerance;  // one count of the code's scale, and the truncation to whole numbers
};

TEST(SlotEncoderTest, EngineValuesComeBackWithinOneCount) {
  const EncodeCase cases[] = {
      {"1103", 5, 3000, 1.0},      {"1253", 5, 850, 1.0},       {"1253", 5, -150, 1.0},
      {"1103", 6, 88, 1.9},        {"1103", 7, 85.3, 0.625},    {"1112", 7, -20.5, 0.93},
      {"0000", 8, 25, 1.0},        {"1112", 44, 180, 1.0},      {"1453", 9, 1013, 6.49},
      {"1112", 39, 1000, 4.95},    {"1202", 11, 12.5, 1.0},     {"1103", 12, 150, 1.041},
      {"1103", 13, 37.5, 1.0},     {"1202", 14, 0.6, 0.02},     {"1103", 15, 0.45, 0.005},
      {"1601", 16, 0.8, 0.005},    {"1103", 19, 40, 1.0},       {"1103", 21, 3.2, 0.00102},
      {"1601", 23, 2.75, 0.008},   {"1112", 24, 12, 1.0},       {"1103", 24, 15, 1.0},
      {"1112", 25, -0.2, 0.00781}, {"1112", 26, 0.15, 0.00781}, {"1202", 29, 55, 1.0},
      {"1103", 30, 13.8, 0.08},    {"1843", 31, 45, 1.0},       {"17E2", 36, 900, 7.9},
      {"1702", 38, 30, 1.0},       {"1103", 47, 20, 1.6},       {"0000", 48, 120, 2.0},
  };
  for (const EncodeCase& c : cases) {
    Rig rig(c.identity);
    const std::uint8_t high = c.code == 5 ? EncodeSlotByte(4, c.value, rig.profile) : 0;
    const std::uint8_t low = EncodeSlotByte(c.code, c.value, rig.profile);
    double decoded = 0;
    switch (c.code) {
      case 5:
        rig.feed({{4, high}, {5, low}});
        decoded = rig.values.engineSpeed;
        break;
      case 11:
        rig.feed({{10, EncodeSlotByte(10, c.value, rig.profile)}, {11, low}});
        decoded = rig.values.airFlow;
        break;
      case 12:
        rig.feed({{12, low}});
        decoded = rig.values.airFlow;
        break;
      case 21:
        rig.feed({{20, EncodeSlotByte(20, c.value, rig.profile)}, {21, low}});
        decoded = rig.values.injPulseWidth[0];
        break;
      case 23:
        rig.feed({{22, EncodeSlotByte(22, c.value, rig.profile)}, {23, low}});
        decoded = rig.values.injPulseWidth[1];
        break;
      default:
        decoded = Decode(rig, c.code, low);
    }
    EXPECT_NEAR(decoded, c.value, c.tolerance) << c.identity << " code " << c.code;
  }
}

TEST(SlotEncoderTest, OutOfReachValuesClampAndPlainBytesPassThrough) {
  const EcuProfile p = MakeEcuProfile("1103");
  EXPECT_EQ(EncodeSlotByte(6, 1000, p), 255);  // beyond 255 x 1.9 km/h
  EXPECT_EQ(EncodeSlotByte(6, -5, p), 0);
  EXPECT_EQ(EncodeSlotByte(7, -100, p), 0);
  EXPECT_EQ(EncodeSlotByte(4, 1e9, p), 0xFF);
  EXPECT_EQ(EncodeSlotByte(5, 1e9, p), 0xFF);
  EXPECT_EQ(EncodeSlotByte(12, 1e6, p), 255);  // no high-byte slot in this row
  EXPECT_EQ(EncodeSlotByte(48, 490, p), 10);
  EXPECT_EQ(EncodeSlotByte(0, 0x81, p), 0x81);
  EXPECT_EQ(EncodeSlotByte(43, 4, p), 4);
  EXPECT_EQ(EncodeSlotByte(33, 0xF0, p), 0xF0);
  EXPECT_EQ(EncodeSlotByte(55, 300, p), 255);
  EXPECT_EQ(EncodeSlotByte(37, -3, p), 0);
  EXPECT_EQ(EncodeSlotByte(7, NAN, p), 0);
}

}  // namespace
}  // namespace rizazovoz
