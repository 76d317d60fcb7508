#include "sim/simulated_ecu.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "protocol/ecu_frame.h"

namespace rizazovoz {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<std::uint8_t>;

Bytes Of(const EcuFrame& frame) { return {frame.bytes().begin(), frame.bytes().end()}; }

class SimulatedEcuTest : public ::testing::Test {
 protected:
  SimulatedEcu MakeEcu(std::string identity = "1103") {
    SimulatedEcuConfig config;
    config.identity = std::move(identity);
    config.engine.steady = true;
    return SimulatedEcu(config, start_);
  }
  static Bytes TakeAll(SimulatedEcu& ecu) {
    Bytes bytes(ecu.Available());
    bytes.resize(ecu.Take(bytes.data(), bytes.size()));
    return bytes;
  }
  // Sends a request at t, takes its echo, and returns the answer once it is due.
  Bytes Ask(SimulatedEcu& ecu, const Bytes& request) {
    ecu.Receive(request, t_);
    EXPECT_EQ(TakeAll(ecu), request);  // the echo, at once
    const auto due = ecu.NextAnswerDue();
    if (!due) return {};
    ecu.AdvanceTo(*due - microseconds(1));
    EXPECT_EQ(ecu.Available(), 0u);
    ecu.AdvanceTo(*due);
    t_ = *due;
    return TakeAll(ecu);
  }

  Clock::time_point start_{std::chrono::hours(1)};
  Clock::time_point t_ = start_;
};

TEST_F(SimulatedEcuTest, AnswersEachRequestWithItsEchoFirstAndTheAnswerAfterTheLineTime) {
  SimulatedEcu ecu = MakeEcu("17E2");
  EXPECT_THAT(Ask(ecu, Of(BuildIdentifyRequest())), ElementsAre(0x10, 0x05, 0x17, 0xE2, 0xF2));
  // 3 request and 5 answer bytes of 10 bits at 15625 baud, and 3 ms of thinking.
  ecu.Receive(Of(BuildIdentifyRequest()), t_);
  EXPECT_EQ(*ecu.NextAnswerDue() - t_, microseconds(8 * 640 + 3000));
  ecu.ResetLine();
  ecu.SetBaudRate(7812);
  ecu.Receive(Of(BuildIdentifyRequest()), t_);
  EXPECT_EQ(*ecu.NextAnswerDue() - t_,
            std::chrono::nanoseconds(8 * 10 * 1'000'000'000LL / 7812) + microseconds(3000));
}

TEST_F(SimulatedEcuTest, ReadsOneMemoryByteForEveryRequestedAddressWrappingAt256) {
  SimulatedEcu ecu = MakeEcu();
  ecu.Receive(Of(BuildReadRequest(0xFA, 0).frame), t_);  // FA FB .. FF 00 01
  TakeAll(ecu);
  ecu.AdvanceTo(*ecu.NextAnswerDue());
  const Bytes answer = TakeAll(ecu);
  ASSERT_EQ(answer.size(), 11u);
  EXPECT_TRUE(FrameCheckPasses(answer));
  const auto& memory = ecu.memory();
  EXPECT_THAT(
      Bytes(answer.begin() + 2, answer.end() - 1),
      ElementsAre(memory.Read(0xFA), memory.Read(0xFB), memory.Read(0xFC), memory.Read(0xFD),
                  memory.Read(0xFE), memory.Read(0xFF), memory.Read(0x00), memory.Read(0x01)));
  // "1103" keeps its engine-speed count in slots 4 and 5: 800 rpm is count 819.
  const Bytes block = Ask(ecu, Of(BuildReadRequest(0, 0).frame));
  ASSERT_EQ(block.size(), 11u);
  EXPECT_EQ(block[2 + 4] * 256 + block[2 + 5], 819);
}

TEST_F(SimulatedEcuTest, ResetSucceedsAndClearsTheStoredFaults) {
  SimulatedEcuConfig config;
  config.engine.seed = 5;
  SimulatedEcu ecu(config, start_);
  ecu.AdvanceTo(start_ + std::chrono::minutes(10));
  t_ = start_ + std::chrono::minutes(10);
  ASSERT_NE(ecu.engine().state().storedFaults[0], 0);  // a fault came and went by now
  EXPECT_THAT(Ask(ecu, Of(BuildResetRequest())), ElementsAre(0x14, 0x04, 0x00, 0xE8));
  EXPECT_EQ(ecu.engine().state().storedFaults[0], 0);
}

TEST_F(SimulatedEcuTest, ActuatorCommandsAreAcknowledgedAndStartTheirTest) {
  struct Case {
    ActuatorMode mode;
    int value;
    EngineTest test;
  };
  SimulatedEcu ecu = MakeEcu();
  for (const Case& c : {Case{ActuatorMode::RpmControl, 102, EngineTest::kHoldIdle},
                        Case{ActuatorMode::FixAdvance, 16, EngineTest::kFixAdvance},
                        Case{ActuatorMode::IacCalibration, 0, EngineTest::kIacCalibration},
                        Case{ActuatorMode::EgrSolControl, 0, EngineTest::kEgrSolenoid},
                        Case{ActuatorMode::EgrStepControl, 40, EngineTest::kEgrStep},
                        Case{ActuatorMode::RadFanControl, 0, EngineTest::kRadiatorFan},
                        Case{ActuatorMode::CanPurgeControl, 0, EngineTest::kCanisterPurge},
                        Case{ActuatorMode::FuelPumpControl, 0, EngineTest::kFuelPump},
                        Case{ActuatorMode::Cancel, 0, EngineTest::kNone}}) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    EXPECT_THAT(Ask(ecu, Of(BuildActuatorCommand(c.mode, c.value))), ElementsAre(0x15, 0x03, 0xE8));
    EXPECT_EQ(ecu.engine().runningTest(), c.test);
  }
  Ask(ecu, Of(BuildActuatorCommand(ActuatorMode::RpmControl, 102)));
  EXPECT_NEAR(ecu.engine().state().targetIdleRpm, 800, 1);  // 102 steps of 7.843 rpm
  Ask(ecu, Of(BuildActuatorCommand(ActuatorMode::FixAdvance, 16)));
  EXPECT_EQ(ecu.engine().state().ignitionAdvanceDeg, 16);
}

TEST_F(SimulatedEcuTest, EchoesEverythingButAnswersOnlyCompleteValidFrames) {
  SimulatedEcu ecu = MakeEcu();
  const Bytes noise = {0x55, 0xAA, 0x10, 0x03, 0xEE, 0x13, 0x0B, 0x00};  // bad sum, then a part
  ecu.Receive(noise, t_);
  EXPECT_EQ(TakeAll(ecu), noise);
  EXPECT_FALSE(ecu.NextAnswerDue().has_value());
  // The rest of the read request completes the frame that was begun.
  const Bytes request = Of(BuildReadRequest(0, 0).frame);
  ecu.Receive(Bytes(request.begin() + 3, request.end()), t_);
  TakeAll(ecu);
  EXPECT_TRUE(ecu.NextAnswerDue().has_value());
  EXPECT_EQ(ecu.requestsHeard(), 1);
}

TEST_F(SimulatedEcuTest, InjectedFaultsDropCorruptOrSilenceAnswersButNeverTheEcho) {
  SimulatedEcu ecu = MakeEcu("1103");
  const Bytes identify = Of(BuildIdentifyRequest());
  ecu.DropAnswers(1);
  EXPECT_TRUE(Ask(ecu, identify).empty());
  EXPECT_THAT(Ask(ecu, identify), ElementsAre(0x10, 0x05, 0x11, 0x03, 0xD7));

  ecu.CorruptAnswers(1);
  const Bytes corrupt = Ask(ecu, identify);
  ASSERT_EQ(corrupt.size(), 5u);
  EXPECT_FALSE(FrameCheckPasses(corrupt));
  EXPECT_TRUE(FrameCheckPasses(Ask(ecu, identify)));

  ecu.SetSilent(true);
  EXPECT_TRUE(Ask(ecu, identify).empty());
  ecu.SetSilent(false);
  EXPECT_FALSE(Ask(ecu, identify).empty());
}

TEST_F(SimulatedEcuTest, ResetLineDropsWhatWasOnTheWay) {
  SimulatedEcu ecu = MakeEcu();
  ecu.Receive(Of(BuildIdentifyRequest()), t_);
  ecu.Receive(Bytes{0x13, 0x0B}, t_);
  ecu.ResetLine();
  EXPECT_EQ(ecu.Available(), 0u);
  EXPECT_FALSE(ecu.NextAnswerDue().has_value());
  const Bytes request = Of(BuildReadRequest(0, 0).frame);
  ecu.Receive(Bytes(request.begin() + 2, request.end()), t_);  // the rest alone is no frame
  EXPECT_FALSE(ecu.NextAnswerDue().has_value());
}

TEST(ParseIdentityTest, TakesFourHexDigitsOnly) {
  EXPECT_THAT(*ParseIdentity("17E2"), ElementsAre(0x17, 0xE2));
  EXPECT_THAT(*ParseIdentity("010a"), ElementsAre(0x01, 0x0A));
  for (const char* bad : {"", "110", "11033", "11G3", " 110", "-110"}) {
    EXPECT_FALSE(ParseIdentity(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace rizazovoz
