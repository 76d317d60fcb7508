#include "sim/engine_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace rizazovoz {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// Runs the model for `span`, noting extremes of what a reader would watch.
struct Watch {
  double minRpm = 1e9, maxRpm = 0, maxSpeed = 0, maxThrottle = 0;
  double minO2 = 9, maxO2 = 0, maxTrim = 0, minBattery = 99, maxBattery = 0;
  double minIdleRpm = 1e9, maxIdleRpm = 0;  // three seconds after the throttle closed
  bool sawFault = false;
};

Watch RunFor(EngineModel& model, seconds span) {
  Watch w;
  const auto steps = span / milliseconds(50);
  int closedFor = 0;  // steps since the throttle was last open
  for (int i = 0; i < steps; ++i) {
    model.Advance(milliseconds(50));
    const EngineState& s = model.state();
    w.minRpm = std::min(w.minRpm, s.engineSpeedRpm);
    w.maxRpm = std::max(w.maxRpm, s.engineSpeedRpm);
    w.maxSpeed = std::max(w.maxSpeed, s.roadSpeedKmh);
    w.maxThrottle = std::max(w.maxThrottle, s.throttlePercent);
    w.minO2 = std::min(w.minO2, s.o2Volts[0]);
    w.maxO2 = std::max(w.maxO2, s.o2Volts[0]);
    w.maxTrim = std::max({w.maxTrim, std::fabs(s.shortTrim[0]), std::fabs(s.longTrim[0])});
    w.minBattery = std::min(w.minBattery, s.batteryVolts);
    w.maxBattery = std::max(w.maxBattery, s.batteryVolts);
    closedFor = s.throttlePercent < 0.5 ? closedFor + 1 : 0;
    if (closedFor > 60) {
      w.minIdleRpm = std::min(w.minIdleRpm, s.engineSpeedRpm);
      w.maxIdleRpm = std::max(w.maxIdleRpm, s.engineSpeedRpm);
    }
    w.sawFault = w.sawFault || s.currentFaults[0] != 0;
  }
  return w;
}

TEST(EngineModelTest, WarmsUpFromAmbientAndIdlesNear800WithBlipsSwitchingAndFaults) {
  EngineModel model({.seed = 7, .ambientC = 15.0});
  EXPECT_DOUBLE_EQ(model.state().coolantC, 15.0);
  EXPECT_GT(model.state().targetIdleRpm, 950);  // fast idle while cold

  RunFor(model, seconds(20 * 60));
  EXPECT_NEAR(model.state().coolantC, 90.0, 1.0);
  EXPECT_NEAR(model.state().targetIdleRpm, 800.0, 5.0);

  const Watch w = RunFor(model, seconds(10 * 60));
  EXPECT_GT(w.minIdleRpm, 760);
  EXPECT_LT(w.maxIdleRpm, 840);
  EXPECT_GT(w.maxIdleRpm - w.minIdleRpm, 5);  // it wobbles
  EXPECT_GT(w.maxThrottle, 15);               // blips, and the engine and the car follow
  EXPECT_GT(w.maxRpm, 1300);
  EXPECT_GT(w.maxSpeed, 10);
  EXPECT_LT(w.minO2, 0.2);
  EXPECT_GT(w.maxO2, 0.8);
  EXPECT_LT(w.maxTrim, 0.1);
  EXPECT_GT(w.minBattery, 13.7);
  EXPECT_LT(w.maxBattery, 13.9);
  EXPECT_TRUE(w.sawFault);
  EXPECT_NE(model.state().storedFaults[0], 0);  // remembered after it went
  model.ClearStoredFaults();
  EXPECT_EQ(model.state().storedFaults[0], 0);
}

TEST(EngineModelTest, IsDeterministicWhateverTheStepsItIsAdvancedIn) {
  EngineModel once({.seed = 3});
  EngineModel inPieces({.seed = 3});
  EngineModel otherSeed({.seed = 4});
  once.Advance(seconds(90));
  otherSeed.Advance(seconds(90));
  for (int i = 0; i < 27000; ++i) inPieces.Advance(std::chrono::microseconds(3333));
  inPieces.Advance(std::chrono::microseconds(9000));  // 90 s in all
  EXPECT_EQ(inPieces.state().seconds, once.state().seconds);
  EXPECT_EQ(inPieces.state().engineSpeedRpm, once.state().engineSpeedRpm);
  EXPECT_EQ(inPieces.state().o2Volts, once.state().o2Volts);
  EXPECT_EQ(inPieces.state().coolantC, once.state().coolantC);
  EXPECT_NE(otherSeed.state().o2Volts, once.state().o2Volts);
}

TEST(EngineModelTest, SteadyEngineKeepsEveryValue) {
  EngineModel model({.steady = true});
  model.Advance(milliseconds(10));
  const EngineState before = model.state();
  model.Advance(seconds(600));
  const EngineState& after = model.state();
  EXPECT_EQ(after.engineSpeedRpm, before.engineSpeedRpm);
  EXPECT_EQ(after.coolantC, 90.0);
  EXPECT_EQ(after.o2Volts, before.o2Volts);
  EXPECT_EQ(after.throttlePercent, 0.0);
  EXPECT_EQ(after.batteryVolts, 13.8);
  EXPECT_EQ(after.currentFaults[0], 0);
  EXPECT_EQ(after.engineSpeedRpm, 800.0);
}

TEST(EngineModelTest, ActuatorTestsHoldTheirEffectUntilEnded) {
  EngineModel model({.steady = true});
  model.StartTest(EngineTest::kHoldIdle, 1200);
  model.Advance(seconds(5));
  EXPECT_EQ(model.state().targetIdleRpm, 1200);
  EXPECT_NEAR(model.state().engineSpeedRpm, 1200, 1);

  model.StartTest(EngineTest::kFixAdvance, 16);
  model.Advance(seconds(1));
  EXPECT_EQ(model.state().ignitionAdvanceDeg, 16);
  EXPECT_EQ(model.state().targetIdleRpm, 800);  // a new test replaces the old one

  struct Output {
    EngineTest test;
    bool EngineState::*flag;
  };
  for (const Output& o : {Output{EngineTest::kRadiatorFan, &EngineState::radiatorFan},
                          Output{EngineTest::kCanisterPurge, &EngineState::canisterPurge},
                          Output{EngineTest::kEgrSolenoid, &EngineState::egrValve}}) {
    model.StartTest(o.test);
    EXPECT_TRUE(model.state().*o.flag) << static_cast<int>(o.test);
  }
  model.StartTest(EngineTest::kEgrStep, 40);
  EXPECT_EQ(model.state().egrPercent, 40);
  model.StartTest(EngineTest::kNone);
  model.Advance(seconds(1));
  EXPECT_FALSE(model.state().radiatorFan);
  EXPECT_FALSE(model.state().egrValve);
  EXPECT_EQ(model.state().egrPercent, 0);
  EXPECT_NE(model.state().ignitionAdvanceDeg, 16);
}

}  // namespace
}  // namespace rizazovoz
