// The link thread, the poller, the supervisor and the simulated ECU together.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "ecudefs/data_defs.h"
#include "ecudefs/ecu_profile.h"
#include "ecudefs/fault_defs.h"
#include "ecudefs/status_defs.h"
#include "sim_bench.h"
#include "text/csv_string.h"

namespace rizazovoz {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

bool Has(const EcuProfile& profile, int code) {
  return std::find(profile.slotTypes.begin(), profile.slotTypes.end(), code) !=
         profile.slotTypes.end();
}

// What the dashboard shows is the engine's value within one step of its slot (plus one for
// values truncated to whole numbers).
void ExpectDecodedEngine(const LiveValues& v, const EcuProfile& p, const EngineState& s) {
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
  if (Has(p, 26)) {
    EXPECT_NEAR(v.ltft[0], s.longTrim[0], std::fabs(p.trimScale));
  }
  if (Has(p, 30)) {
    EXPECT_NEAR(v.batteryVolts, s.batteryVolts, 1 / p.batteryDivisor);
  }
  if (Has(p, 9)) {
    EXPECT_NEAR(v.mapPressure, s.manifoldMbar, std::fabs(p.airflowScale) + 1);
  }
  if (Has(p, 11) || Has(p, 12)) {
    const double flow = p.airflowKind == "MAF" ? s.airflowGramsPerSecond : s.airflowLitresPerMinute;
    EXPECT_NEAR(v.airFlow, flow, std::fabs(p.airflowScale) + 1);
  }
  if (Has(p, 36)) {
    EXPECT_NEAR(v.targetIdle, s.targetIdleRpm, std::fabs(p.idleScale) + 1);
  }
}

class EndToEndTest : public ::testing::Test {
 protected:
  void Start(const SimulatedEcuConfig& config) { bench_ = std::make_unique<SimBench>(config); }
  SimBench& bench() { return *bench_; }
  std::vector<std::string> ConnectionStates() const { return bench_->views.With("main panel 2: "); }
  // Connect and wait for the ECU to have named itself.
  void Connect() {
    ASSERT_TRUE(SimBench::WaitFor([&] { return bench().link.StatusText() == "RUZ Interface"; }));
    bench().session.Connect();
    ASSERT_TRUE(bench().StepUntil([&] { return bench().Connected(); }));
  }

  std::unique_ptr<SimBench> bench_;
};

// "1103" (base 0, end 32, air flow in one slot), "1202" (air flow in two slots), "1601" (a
// mass air-flow ECU) and "F602" (base address 20).
TEST_F(EndToEndTest, ConnectsThenReadsTheBlocksInOrderAndDecodesTheEngine) {
  for (const char* identity : {"1103", "1202", "1601", "F602"}) {
    SCOPED_TRACE(identity);
    Start(SteadyEcu(identity));
    Connect();
    EXPECT_THAT(ConnectionStates(),
                ElementsAre("main panel 2: Trying to Connect", "main panel 2: Connected to ECU"));
    EXPECT_EQ(bench().session.identityText(), identity);
    EXPECT_THAT(bench().views.With("ecu id: "), ElementsAre(std::string("ecu id: ") + identity));

    const int base = DataDefs::baseAddress(identity);
    const int span = DataDefs::endAddress(identity) - base;
    std::vector<int> cycle;
    for (int position = 0; position <= span; position += 8) cycle.push_back(base + position);
    std::vector<int> twoCycles = cycle;
    twoCycles.insert(twoCycles.end(), cycle.begin(), cycle.end());
    twoCycles.push_back(base);

    const std::size_t first = bench().recorder.sent.size();
    ASSERT_TRUE(bench().StepUntil(
        [&] { return bench().ReadBlocksFrom(first).size() >= twoCycles.size(); }));
    EXPECT_THAT(bench().ReadBlocksFrom(first), ::testing::ElementsAreArray(twoCycles));
    EXPECT_EQ(bench().session.poller().rxErrorCount(), 0);
    ExpectDecodedEngine(bench().session.values(), bench().session.profile(), bench().Engine());
  }
  EXPECT_EQ(bench().session.values().engineSpeed, 800);  // "F602": count 3200 at 0.25 rpm
}

// The dashboard follows the running engine: the coolant warms up, the engine idles and blips.
TEST_F(EndToEndTest, DecodedValuesFollowTheEngineOverTime) {
  SimulatedEcuConfig config;
  config.identity = "1103";
  config.engine.seed = 9;
  Start(config);
  Connect();
  const float coldCoolant = bench().session.values().coolantTemp;
  int lowestRpm = 100000;
  int highestRpm = 0;
  for (int tick = 0; tick < 1200; ++tick) {  // one minute
    bench().Step();
    ASSERT_FALSE(HasFatalFailure());
    if (tick < 20) continue;  // the first read cycle
    const int rpm = bench().session.values().engineSpeed;
    lowestRpm = std::min(lowestRpm, rpm);
    highestRpm = std::max(highestRpm, rpm);
  }
  EXPECT_GT(bench().session.values().coolantTemp, coldCoolant + 5);
  EXPECT_GT(lowestRpm, 700);
  EXPECT_GT(highestRpm, 1300);
  EXPECT_LT(highestRpm, 4000);
  EXPECT_EQ(bench().session.poller().rxErrorCount(), 0);
}

// What a fault viewer and a status flag viewer make of the live values: the ECU raises
// faults now and then, which stay stored after they went, and each set fault bit reads as a
// fault of this ECU; the status flags move with the engine and only implemented ones are set.
TEST_F(EndToEndTest, FaultsAndStatusFlagsReachTheLiveValuesAndReadThroughTheEcusTexts) {
  const std::string identity = "1103";
  SimulatedEcuConfig config;
  config.identity = identity;
  Start(config);
  Connect();
  const FaultDefs faultDefs;
  const StatusDefs statusDefs;
  const CSVString unimplemented(std::string(kUnimplementedStatusName).c_str());
  bool sawCurrent = false;
  bool sawCurrentGo = false;
  bool sawStored = false;
  std::set<int> unallocatedFaultBits;
  std::set<int> hiddenStatusBits;
  std::set<std::string> seen;  // "name=state" as the status viewer shows them
  const std::set<std::string> wanted = {"Idle Position=IDLE",     "Idle Position=OPEN",
                                        "Rich/Lean Monitor=RICH", "Rich/Lean Monitor=LEAN",
                                        "EGR Valve=ON",           "Evap. Can. Purge=ON"};
  const auto allSeen = [&] {
    return sawCurrentGo && sawStored &&
           std::includes(seen.begin(), seen.end(), wanted.begin(), wanted.end());
  };
  for (int tick = 0; tick < 12 * 60 * 20 && !allSeen(); ++tick) {  // at most 12 minutes
    bench().Step();
    ASSERT_FALSE(HasFatalFailure());
    const LiveValues& v = bench().session.values();
    for (int bit = 0; bit < kFaultBitCount; ++bit) {
      if ((v.faultFlags[static_cast<std::size_t>(FaultByteOf(bit))] & FaultMaskOf(bit)) != 0 &&
          faultDefs.FaultText(identity, bit) == kUnallocatedFaultText) {
        unallocatedFaultBits.insert(bit);
      }
    }
    const bool current = v.faultFlags[0] != 0 || v.faultFlags[1] != 0 || v.faultFlags[4] != 0;
    sawCurrentGo = sawCurrentGo || (sawCurrent && !current);
    sawCurrent = sawCurrent || current;
    sawStored = sawStored || v.faultFlags[2] != 0 || v.faultFlags[3] != 0;
    for (int bit = 0; bit < kStatusBitCount; ++bit) {
      CSVString text(statusDefs.StatusText(identity, bit).c_str());
      CSVString name("");
      CSVString off("");
      text.split(name, text);
      text.split(off, text);  // the on-text is what remains
      const bool set =
          (v.statusFlags[static_cast<std::size_t>(StatusByteOf(bit))] & StatusMaskOf(bit)) != 0;
      if (!name.differs(unimplemented)) {
        if (set) hiddenStatusBits.insert(bit);
      } else {
        seen.insert(std::string(name.text()) + "=" + (set ? text.text() : off.text()));
      }
    }
  }
  EXPECT_TRUE(sawCurrent);
  EXPECT_TRUE(sawCurrentGo);
  EXPECT_TRUE(sawStored);
  EXPECT_THAT(unallocatedFaultBits, IsEmpty());
  EXPECT_THAT(hiddenStatusBits, IsEmpty());
  EXPECT_THAT(wanted, ::testing::IsSubsetOf(seen));
  EXPECT_EQ(bench().session.poller().rxErrorCount(), 0);
}

TEST_F(EndToEndTest, ActuatorTestAndResetGoThroughAndShowInTheValues) {
  Start(SteadyEcu("1103"));
  Connect();
  bench().session.CommandActuator(ActuatorMode::RpmControl, 127);  // 127 x 7.843 = 996 rpm
  ASSERT_TRUE(bench().StepUntil([&] { return !bench().session.poller().actuatorWanted(); }));
  const std::size_t after = bench().recorder.sent.size();
  ASSERT_TRUE(bench().StepUntil([&] { return bench().ReadBlocksFrom(after).size() >= 6; }));
  EXPECT_NEAR(bench().session.values().engineSpeed, 996, 2);
  EXPECT_NEAR(bench().session.values().targetIdle, 996, 8);

  bench().session.RequestReset();
  ASSERT_TRUE(bench().StepUntil([&] { return !bench().session.poller().resetWanted(); }));
  EXPECT_THAT(bench().views.With("message: "), ElementsAre("message: ECU successfully reset"));
  EXPECT_EQ(bench().session.poller().rxErrorCount(), 0);
}

// A lost or spoilt answer is one miss, and the same block is asked for one interval later.
TEST_F(EndToEndTest, AMissedAnswerIsCountedOnceAndTheSameBlockAskedAgain) {
  for (const bool corrupt : {false, true}) {
    SCOPED_TRACE(corrupt ? "corrupted checksum" : "dropped answer");
    Start(SteadyEcu("1103"));
    Connect();
    const std::size_t before = bench().recorder.sent.size();
    ASSERT_TRUE(bench().StepUntil([&] { return bench().ReadBlocksFrom(before).size() >= 2; }));
    if (corrupt) {
      bench().library.CorruptAnswers(1);
    } else {
      bench().library.DropAnswers(1);
    }
    const std::size_t missedIndex = bench().recorder.sent.size();
    ASSERT_TRUE(bench().StepUntil([&] { return bench().recorder.sent.size() >= missedIndex + 3; }));
    const auto& sent = bench().recorder.sent;
    const int interval = bench().session.poller().ticksPerSample();
    EXPECT_EQ(sent[missedIndex + 1].bytes, sent[missedIndex].bytes);
    EXPECT_EQ(sent[missedIndex + 1].tick - sent[missedIndex].tick, 2 * interval);
    EXPECT_NE(sent[missedIndex + 2].bytes, sent[missedIndex].bytes);  // and on it goes
    EXPECT_EQ(sent[missedIndex + 2].tick - sent[missedIndex + 1].tick, interval);
    EXPECT_EQ(bench().session.poller().rxErrorCount(), 1);
    EXPECT_THAT(bench().views.With("main panel 4: "), ElementsAre("main panel 4: Rx Errors 1"));
  }
}

TEST_F(EndToEndTest, UnplugAndReplugReconnectsWithoutUserAction) {
  Start(SteadyEcu("1103"));
  Connect();
  bench().library.Unplug();
  ASSERT_TRUE(SimBench::WaitFor([&] { return bench().link.StatusText() == "No Interface"; }));
  bench().Step();
  EXPECT_EQ(bench().session.connectionState(), "Waiting to Connect");
  EXPECT_FALSE(bench().session.poller().readingEnabled());
  for (int i = 0; i < 10; ++i) bench().Step();  // nothing happens while it is out
  EXPECT_EQ(bench().session.connectionState(), "Waiting to Connect");

  bench().library.Plug();
  ASSERT_TRUE(bench().StepUntil([&] { return bench().Connected(); }));
  EXPECT_THAT(ConnectionStates(),
              ElementsAre("main panel 2: Trying to Connect", "main panel 2: Connected to ECU",
                          "main panel 2: Waiting to Connect", "main panel 2: Connected to ECU"));
  const std::size_t after = bench().recorder.sent.size();
  ASSERT_TRUE(bench().StepUntil([&] { return bench().ReadBlocksFrom(after).size() >= 2; }));
  EXPECT_THAT(bench().ReadBlocksFrom(after), ElementsAre(0, 8));
}

TEST_F(EndToEndTest, SilentEcuKeepsTryingAndConnectsOnceItAnswers) {
  Start(SteadyEcu("1103"));
  bench().library.SetSilent(true);
  ASSERT_TRUE(SimBench::WaitFor([&] { return bench().link.StatusText() == "RUZ Interface"; }));
  bench().session.Connect();
  ASSERT_TRUE(bench().StepUntil([&] { return bench().session.poller().rxErrorCount() >= 3; }));
  EXPECT_EQ(bench().session.connectionState(), "Trying to Connect");
  for (const auto& sent : bench().recorder.sent) {
    EXPECT_THAT(sent.bytes, ElementsAre(0x10, 0x03, 0xED));
  }
  bench().library.SetSilent(false);
  ASSERT_TRUE(bench().StepUntil([&] { return bench().Connected(); }));
}

TEST_F(EndToEndTest, UnlistedEcuGoesToRawDisplayAndIsStillRead) {
  Start(SteadyEcu("ABCD"));
  Connect();
  EXPECT_THAT(bench().views.With("message: "),
              ElementsAre("message: Formatted data not available for ECU ID ABCD. Please "
                          "contact Ostrand Ltd"));
  EXPECT_THAT(bench().views.With("hide main"), ElementsAre("hide main, show viewer"));
  const std::size_t after = bench().recorder.sent.size();
  ASSERT_TRUE(bench().StepUntil([&] { return bench().ReadBlocksFrom(after).size() >= 3; }));
  bench().Step();  // its answer
  bench().Step();
  EXPECT_EQ(bench().session.poller().rxErrorCount(), 0);
  EXPECT_THAT(bench().ReadBlocksFrom(after), ::testing::Each(0));  // nothing loaded: block 0
  const auto memory =
      bench().library.Inspect([](const SimulatedEcu& ecu) { return ecu.memory().bytes(); });
  for (int slot = 0; slot < 8; ++slot) {
    EXPECT_EQ(bench().session.values().rawSlotValues[static_cast<std::size_t>(slot)],
              memory[static_cast<std::size_t>(slot)])
        << slot;
  }
}

TEST_F(EndToEndTest, Obd2EcuIsToldApartAndKeepsTheProfileItHad) {
  Start(SteadyEcu("1B34"));
  Connect();
  EXPECT_EQ(bench().session.identityText(), "1B34");
  EXPECT_THAT(bench().views.With("message: "),
              ElementsAre("message: OBD2 ECU detected - limited functionality available"));
  EXPECT_THAT(bench().views.With("viewer formatted"), IsEmpty());
  EXPECT_THAT(bench().views.With("hide main"), IsEmpty());
  EXPECT_EQ(bench().session.profile().endAddress, 0);
  const std::size_t after = bench().recorder.sent.size();
  ASSERT_TRUE(bench().StepUntil([&] { return bench().ReadBlocksFrom(after).size() >= 2; }));
  EXPECT_THAT(bench().ReadBlocksFrom(after), ElementsAre(0, 0));
}

}  // namespace
}  // namespace rizazovoz
