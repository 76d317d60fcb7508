#include "livedata/slot_decoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "decoder_fixture.h"

namespace rizazovoz {
namespace {

using Rig = DecoderRig<DashboardReadouts>;
using Read = std::function<double(const LiveValues&)>;
#define MEMBER(expr) [](const LiveValues& v) { return static_cast<double>(v.expr); }

struct DecodeCase {
  const char* what;
  const char* identity;
  DisplaySettings units;
  std::vector<std::pair<int, int>> bytes;  // (type code, byte), decoded in order
  Read read;
  double expected;  // the stored value, exactly
};

const DisplaySettings kC = Units("C", "KPH");
const DisplaySettings kF = Units("F", "KPH");
const DisplaySettings kMph = Units("C", "MPH");

// Byte sequences for a 16-bit engine-speed count.
std::vector<std::pair<int, int>> Rpm(int count) { return {{4, count / 256}, {5, count % 256}}; }

TEST(SlotDecoderTest, DecodesEachTypeCodeWithSinglePrecisionSteps) {
  const DecodeCase cases[] = {
      {"engine speed 3:0", "1103", kC, Rpm(768), MEMBER(engineSpeed), 750},
      {"engine speed 10:0", "1103", kC, Rpm(2560), MEMBER(engineSpeed), 2501},
      {"engine speed high byte alone", "1103", kC, {{4, 10}}, MEMBER(engineSpeedHigh), 10},
      {"offset count 0", "1253", kC, Rpm(0), MEMBER(engineSpeed), -400},
      {"offset count 4083", "1253", kC, Rpm(4083), MEMBER(engineSpeed), -1},
      {"offset count 4084 toward zero", "1253", kC, Rpm(4084), MEMBER(engineSpeed), 0},
      {"offset count 4104 toward zero", "1253", kC, Rpm(4104), MEMBER(engineSpeed), 0},
      {"offset count 4105", "1253", kC, Rpm(4105), MEMBER(engineSpeed), 1},
      {"speed 1.9 x 100 is exactly 190", "1103", kC, {{6, 100}}, MEMBER(roadSpeed), 190},
      {"speed in mph", "1103", kMph, {{6, 100}}, MEMBER(roadSpeed), 118},
      {"speed unit mph lower case is km/h",
       "1103",
       Units("C", "mph"),
       {{6, 100}},
       MEMBER(roadSpeed),
       190},
      {"coolant C", "1103", kC, {{7, 160}}, MEMBER(coolantTemp), 60.0f},
      {"coolant F in two steps", "1103", kF, {{7, 160}}, MEMBER(coolantTemp), 140.0f},
      {"coolant f lower case is C",
       "1103",
       Units("f", "KPH"),
       {{7, 160}},
       MEMBER(coolantTemp),
       60.0f},
      {"coolant fraction", "1202", kC, {{7, 255}}, MEMBER(coolantTemp), 164.0625f},
      {"coolant below zero", "1103", kC, {{7, 0}}, MEMBER(coolantTemp), -40.0f},
      {"air temp", "1103", kC, {{8, 160}}, MEMBER(airTemp), 60.0f},
      {"air temp whole offset 97", "0000", kC, {{8, 100}}, MEMBER(airTemp), 3.0f},
      {"air temp F", "0000", kF, {{8, 100}}, MEMBER(airTemp), 37.4000015f},
      {"egr temp truncated", "1112", kC, {{44, 101}}, MEMBER(egrTemp), 95.0f},
      {"egr temp F truncated", "1112", kF, {{44, 101}}, MEMBER(egrTemp), 204.0f},
      {"map adds a negative offset", "1453", kC, {{9, 100}}, MEMBER(mapPressure), 455},
      {"map 989.99994 truncates", "1112", kC, {{9, 200}}, MEMBER(mapPressure), 989},
      {"baro stored as real", "1112", kC, {{39, 200}}, MEMBER(baro), 989.0f},
      {"air flow high byte times 256", "1202", kC, {{10, 16}}, MEMBER(airFlowHigh), 4096},
      {"air flow high then low", "1202", kC, {{10, 16}, {11, 0}}, MEMBER(airFlow), 41},
      {"air flow code 12 alike", "1202", kC, {{10, 16}, {12, 0}}, MEMBER(airFlow), 41},
      {"air flow low byte alone", "1103", kC, {{12, 200}}, MEMBER(airFlow), 208},
      {"air flow subtracts the offset", "1453", kC, {{11, 100}}, MEMBER(airFlow), 841},
      {"throttle percent", "1103", kC, {{13, 255}}, MEMBER(tpsPercent), 124.0f},
      {"throttle volts", "1202", kC, {{14, 255}}, MEMBER(tpsVolts), 5.10000038f},
      {"o2 bank 1", "1103", kC, {{15, 100}}, MEMBER(o2Volts[0]), 0.48780489f},
      {"o2 bank 2", "1103", kC, {{16, 100}}, MEMBER(o2Volts[1]), 0.48780489f},
      {"idle air", "1103", kC, {{19, 255}}, MEMBER(iac), 99},
      {"idle air position scale 256", "1902", kC, {{19, 1}}, MEMBER(iac), 256},
      {"pulse width bank 1", "1103", kC, {{20, 4}, {21, 0}}, MEMBER(injPulseWidth[0]), 1.04448009f},
      {"pulse width bank 2", "1601", kC, {{22, 3}, {23, 232}}, MEMBER(injPulseWidth[1]), 8.0f},
      {"pulse width high bank 2", "1601", kC, {{22, 3}}, MEMBER(injPulseHigh[1]), 3},
      {"pulse high of bank 1 not bank 2",
       "1601",
       kC,
       {{20, 3}, {23, 232}},
       MEMBER(injPulseWidth[1]),
       1.85599995f},
      {"advance", "1103", kC, {{24, 100}}, MEMBER(ignAdvance), 23},
      {"advance rounded once: 10", "1103", kC, {{24, 62}}, MEMBER(ignAdvance), 10},
      {"advance rounded once: -4.999999", "1112", kC, {{24, 190}}, MEMBER(ignAdvance), -4},
      {"advance rounded once: 22.999998", "1843", kC, {{24, 100}}, MEMBER(ignAdvance), 22},
      {"stft", "1112", kC, {{25, 140}}, MEMBER(stft[0]), 0.0937199965f},
      {"stft at 128", "1112", kC, {{25, 128}}, MEMBER(stft[0]), 0.0f},
      {"stft at 0", "1112", kC, {{25, 0}}, MEMBER(stft[0]), -0.999679983f},
      {"stft bank 2", "1112", kC, {{27, 140}}, MEMBER(stft[1]), 0.0937199965f},
      {"ltft bank 1", "1112", kC, {{26, 0}}, MEMBER(ltft[0]), -0.999679983f},
      {"ltft bank 2", "1112", kC, {{28, 140}}, MEMBER(ltft[1]), 0.0937199965f},
      {"tft bank 1", "1112", kC, {{45, 140}}, MEMBER(tft[0]), 0.0937199965f},
      {"tft bank 2", "1112", kC, {{46, 0}}, MEMBER(tft[1]), -0.999679983f},
      {"ve", "1202", kC, {{29, 100}}, MEMBER(ve), 77},
      {"ve toward zero", "1202", kC, {{29, 0}}, MEMBER(ve), 0},
      {"battery 14.8", "1641", kC, {{30, 185}}, MEMBER(batteryVolts), 14.8000002f},
      {"battery", "1103", kC, {{30, 115}}, MEMBER(batteryVolts), 8.984375f},
      {"purge", "1843", kC, {{31, 255}}, MEMBER(evapPurge), 99},
      {"target idle", "17E2", kC, {{36, 100}}, MEMBER(targetIdle), 1281},
      {"ignition trim raw", "0000", kC, {{37, 77}}, MEMBER(ignTrim), 77},
      {"egr", "1702", kC, {{38, 255}}, MEMBER(egr), 99},
      {"atm speed raw", "0000", kC, {{40, 12}}, MEMBER(atmVss), 12},
      {"atm position raw", "0000", kC, {{41, 3}}, MEMBER(atmPos), 3},
      {"atm status raw", "0000", kC, {{42, 200}}, MEMBER(atmStatus), 200},
      {"idle air adjustment", "1103", kC, {{47, 10}}, MEMBER(iacAdjMon), 15},
      {"idle air adjustment toward zero", "1103", kC, {{47, 0}}, MEMBER(iacAdjMon), 0},
      {"time from start 10", "0000", kC, {{48, 10}}, MEMBER(timeFromStart), 490},
      {"time from start 0", "0000", kC, {{48, 0}}, MEMBER(timeFromStart), 510},
      {"time from start 255", "0000", kC, {{48, 255}}, MEMBER(timeFromStart), 0},
      {"fault 0", "0000", kC, {{0, 0x81}}, MEMBER(faultFlags[0]), 0x81},
      {"fault 3", "0000", kC, {{3, 7}}, MEMBER(faultFlags[3]), 7},
      {"fault 43 is entry 4", "0000", kC, {{43, 9}}, MEMBER(faultFlags[4]), 9},
      {"status 32", "0000", kC, {{32, 0xF0}}, MEMBER(statusFlags[0]), 0xF0},
      {"status 35", "0000", kC, {{35, 1}}, MEMBER(statusFlags[3]), 1},
      {"the last arrival wins", "1901", kC, {{4, 1}, {5, 0}, {5, 10}}, MEMBER(engineSpeed), 259},
  };
  for (const DecodeCase& c : cases) {
    Rig rig(c.identity, c.units);
    for (auto [code, byte] : c.bytes) rig.decoder.decode(code, static_cast<std::uint8_t>(byte));
    EXPECT_EQ(c.read(rig.values), c.expected) << c.what;
  }
}

TEST(SlotDecoderTest, UnitSettingIsReadAtEachByte) {
  Rig rig("1103");
  rig.feed({{7, 160}});
  EXPECT_EQ(rig.values.coolantTemp, 60.0f);
  rig.settings.tempUnits = "F";
  rig.feed({{7, 160}});
  EXPECT_EQ(rig.values.coolantTemp, 140.0f);
}

TEST(SlotDecoderTest, CodesWithoutADecoderChangeNothing) {
  Rig rig("0000");
  rig.feed({{4, 1}, {5, 2}, {6, 3}, {7, 4}, {10, 5}, {11, 6}, {20, 7}, {21, 8}, {0, 9}});
  const LiveValues before = rig.values;
  for (int code : {17, 18, 49, 50, 51, 52, 53, 54, 55, 56, 255, -1}) {
    for (int byte : {0, 1, 128, 255}) rig.decoder.decode(code, static_cast<std::uint8_t>(byte));
  }
  EXPECT_TRUE(rig.values == before);
}

TEST(SlotDecoderTest, SixteenBitValuesTakeTheLastStoredHighByte) {
  Rig rig("1103");
  rig.feed({{4, 3}, {5, 0}});
  EXPECT_EQ(rig.values.engineSpeed, 750);
  // A new low byte combines with the high byte of an earlier answer.
  rig.feed({{5, 0}});
  EXPECT_EQ(rig.values.engineSpeed, 750);
  // A new high byte alone changes nothing until its low byte arrives.
  rig.feed({{4, 10}});
  EXPECT_EQ(rig.values.engineSpeed, 750);
  rig.feed({{5, 0}});
  EXPECT_EQ(rig.values.engineSpeed, 2501);
}

TEST(SlotDecoderTest, PurgeTruncatesTheUnroundedProduct) {
  // 10 x 0.7f is 6.99999988 exactly, which single precision rounds up to 7.
  Rig rig("0000");
  rig.profile.purgeScale = 0.7f;
  rig.profile.egrScale = 0.7f;
  rig.feed({{31, 10}, {38, 10}});
  EXPECT_EQ(rig.values.evapPurge, 6);
  EXPECT_EQ(rig.values.egr, 7);
}

TEST(SlotDecoderTest, WithoutAProfileNothingIsUndefined) {
  // Before any ECU is set up every constant is 0.
  DecoderRig<DashboardReadouts> rig("0000");
  rig.profile = EcuProfile{};
  for (int code = 0; code <= 48; ++code) rig.decoder.decode(code, 200);
  EXPECT_EQ(rig.values.o2Volts[0], 0.0f);
  EXPECT_EQ(rig.values.o2Volts[1], 0.0f);
  EXPECT_EQ(rig.values.batteryVolts, 0.0f);
  EXPECT_EQ(rig.values.engineSpeed, 0);
  EXPECT_EQ(rig.values.timeFromStart, 110);
}

}  // namespace
}  // namespace rizazovoz
