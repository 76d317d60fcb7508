// Which dashboard read-out follows which decoded value.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "decoder_fixture.h"

namespace rizazovoz {
namespace {

using ::testing::FloatEq;
using ::testing::InSequence;
using ::testing::StrictMock;
using Rig = DecoderRig<StrictMock<MockReadouts>>;

TEST(DashboardHooksTest, GaugesGetTheWholeValueJustStored) {
  Rig rig("1103", Units("F", "KPH"));
  InSequence order;
  EXPECT_CALL(rig.readouts, feedRevCounter(750));
  EXPECT_CALL(rig.readouts, feedSpeedo(190));
  EXPECT_CALL(rig.readouts, feedCoolantGauge(141));  // 60.625 °C is 141.125 °F
  EXPECT_CALL(rig.readouts, feedAirTempGauge(140));
  EXPECT_CALL(rig.readouts, feedAirflowGauge(208));
  EXPECT_CALL(rig.readouts, feedThrottleGauge(124));
  rig.feed({{4, 3}, {5, 0}, {6, 100}, {7, 161}, {8, 160}, {12, 200}, {13, 255}});
}

TEST(DashboardHooksTest, AirflowGaugeFollowsPressureAndFlow) {
  Rig rig("1453");
  InSequence order;
  EXPECT_CALL(rig.readouts, feedAirflowGauge(455));
  EXPECT_CALL(rig.readouts, feedAirflowGauge(841));
  EXPECT_CALL(rig.readouts, feedAirflowGauge(841));
  rig.feed({{9, 100}, {39, 100}, {10, 0}, {11, 100}, {12, 100}});
}

TEST(DashboardHooksTest, LabelsFollowBankOneOnly) {
  Rig rig("1112");
  InSequence order;
  EXPECT_CALL(rig.readouts, showBatteryVolts(FloatEq(10.0f)));
  EXPECT_CALL(rig.readouts, showO2Volts(FloatEq(0.5f)));
  EXPECT_CALL(rig.readouts, showIgnitionAdvance(-4));
  EXPECT_CALL(rig.readouts, showInjectorPulseWidth(FloatEq(1.04448009f)));
  EXPECT_CALL(rig.readouts, showLongTermTrim(FloatEq(0.0937199965f)));
  EXPECT_CALL(rig.readouts, showTotalTrim(FloatEq(-0.999679983f)));
  rig.feed({{30, 128},
            {15, 51},
            {16, 51},
            {24, 190},
            {20, 4},
            {21, 0},
            {22, 4},
            {23, 0},
            {25, 140},
            {26, 140},
            {27, 140},
            {28, 140},
            {45, 0},
            {46, 0}});
}

TEST(DashboardHooksTest, ValuesWithoutAReadoutCallNothing) {
  Rig rig("0000");
  for (int code : {4,  10, 14, 16, 17, 18, 20, 22, 23, 25, 27, 28, 29, 31, 32, 33,
                   34, 35, 36, 37, 38, 39, 40, 41, 42, 44, 46, 47, 48, 49, 55}) {
    rig.decoder.decode(code, 99);
  }
}

TEST(DashboardHooksTest, MilFollowsCurrentAndStoredFaults) {
  Rig rig("0000");
  InSequence order;
  EXPECT_CALL(rig.readouts, showMil(MilState::kStoredFault));
  EXPECT_CALL(rig.readouts, showMil(MilState::kCurrentFault));
  EXPECT_CALL(rig.readouts, showMil(MilState::kCurrentFault)).Times(4);
  EXPECT_CALL(rig.readouts, showMil(MilState::kNoFault));
  EXPECT_CALL(rig.readouts, showMil(MilState::kCurrentFault)).Times(2);
  rig.feed({{2, 4}, {43, 1}, {0, 0}, {1, 0}, {2, 0}, {3, 0}, {43, 0}, {0, 1}, {1, 2}});
}

TEST(DashboardHooksTest, EconomyGaugeShowsIdleAirOnlyWithTheIacDial) {
  {
    Rig rig("1103", Units("C", "KPH", "IAC"));
    InSequence order;
    EXPECT_CALL(rig.readouts, feedEconomyGauge(99));
    EXPECT_CALL(rig.readouts, feedSpeedo(190));
    rig.feed({{19, 255}, {6, 100}});
    EXPECT_EQ(rig.values.mpg, 0.0f);
  }
  {
    Rig rig("1103", Units("C", "KPH", "MPG"));
    InSequence order;
    // Standing data (no pulse width) counts as 99: the average of four starts at 24.75.
    EXPECT_CALL(rig.readouts, feedSpeedo(190));
    EXPECT_CALL(rig.readouts, feedEconomyGauge(24));
    rig.feed({{19, 255}, {6, 100}});
    EXPECT_EQ(rig.values.mpg, 24.75f);
    EXPECT_EQ(rig.values.iac, 99);
  }
  for (const char* dial : {"iac", "mpg", ""}) {
    Rig rig("1103", Units("C", "KPH", dial));
    EXPECT_CALL(rig.readouts, feedSpeedo(190));
    rig.feed({{19, 255}, {6, 100}});
    EXPECT_EQ(rig.values.mpg, 0.0f) << dial;
  }
}

TEST(DashboardHooksTest, FuelEconomyUsesBankTwoPulseWidthAndTheSpeedJustStored) {
  // 1601: pulse width count x 0.001 x 8; 3.0 ms is count 375.
  Rig rig("1601", Units("C", "KPH", "MPG"));
  rig.profile.rpmScale = 1.0f;
  EXPECT_CALL(rig.readouts, feedRevCounter(2500));
  EXPECT_CALL(rig.readouts, feedSpeedo(60));
  EXPECT_CALL(rig.readouts, feedEconomyGauge(0));
  rig.feed({{22, 375 / 256}, {23, 375 % 256}, {4, 2500 / 256}, {5, 2500 % 256}, {6, 60}});
  EXPECT_EQ(rig.values.injPulseWidth[1], 3.0f);
  EXPECT_EQ(rig.values.mpg, 0.458789527f);
}

}  // namespace
}  // namespace rizazovoz
