#include "protocol/ecu_poller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fake_link_port.h"
#include "recording_protocol_views.h"

namespace rizazovoz {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const Bytes kIdentify = {0x10, 0x03, 0xED};
const Bytes kReset = {0x14, 0x03, 0xE9};
const Bytes kRpm66 = {0x15, 0x0B, 0xC0, 0x66, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xBA};
const Bytes kCancel = {0x15, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0};
const Bytes kRead0 = {0x13, 0x0B, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xC6};
const Bytes kActuatorAck = {0x15, 0x03, 0xE8};

Bytes Frame(std::uint8_t command, const Bytes& payload) {
  const EcuFrame frame = EcuFrame::Make(command, payload);
  return {frame.bytes().begin(), frame.bytes().end()};
}
Bytes ReadOf(int firstAddress) {
  const ReadRequest read = BuildReadRequest(firstAddress, 0);
  return {read.frame.bytes().begin(), read.frame.bytes().end()};
}
Bytes DataAnswer(const Bytes& data) { return Frame(0x13, data); }

class RecordingDecoder : public SlotByteDecoder {
 public:
  std::vector<std::pair<int, int>> calls;
  void decode(int typeCode, std::uint8_t byte) override { calls.emplace_back(typeCode, byte); }
};

// Stands in for the identity handling: records the bytes, then ends the identity request
// and starts reading, as the connection set-up does.
class IdentityRecorder : public IdentityListener {
 public:
  std::vector<std::pair<int, int>> answers;
  EcuPoller* poller = nullptr;
  void OnIdentityAnswer(std::uint8_t i0, std::uint8_t i1) override {
    answers.emplace_back(i0, i1);
    poller->ClearIdentityRequest();
    poller->SetReadingEnabled(true);
  }
};

class EcuPollerTest : public ::testing::Test {
 protected:
  EcuPollerTest() {
    identity.poller = &poller;
    profile.layoutLoaded = true;
    profile.endAddress = 32;
  }

  // One tick with the link open; returns what it sent, empty when nothing.
  Bytes Tick() {
    const std::size_t before = link.queued.size();
    poller.Tick(true);
    return link.queued.size() > before ? link.queued.back() : Bytes{};
  }
  // Per tick: 'S' a request went out, 'M' a miss was counted, '.' neither.
  std::string Run(int ticks) {
    std::string trace;
    for (int i = 0; i < ticks; ++i) {
      const int errors = poller.rxErrorCount();
      const bool sent = !Tick().empty();
      trace += sent ? 'S' : poller.rxErrorCount() > errors ? 'M' : '.';
    }
    return trace;
  }
  void Answer(const Bytes& answer) {
    link.EchoLastRequest();
    link.Receive(answer);
  }

  FakeLinkPort link;
  EcuProfile profile;
  LiveValues values;
  RecordingDecoder decoder;
  IdentityRecorder identity;
  RecordingProtocolViews views;
  EcuPoller poller{link, profile, values, decoder, identity, views, views};
};

TEST_F(EcuPollerTest, DropsTheEchoThenStoresAndDecodesTheDataAnswer) {
  profile.slotTypes = {0, 1, 2, 3, 4, 5, 49, 55};
  poller.SetReadingEnabled(true);
  EXPECT_EQ(Tick(), kRead0);  // default 100 ms: every second tick is due

  link.Receive(kRead0);  // the echo
  EXPECT_THAT(Tick(), IsEmpty());
  EXPECT_THAT(decoder.calls, IsEmpty());
  EXPECT_TRUE(poller.awaitingResponse());

  link.Receive(DataAnswer({10, 11, 12, 13, 14, 15, 16, 17}));
  EXPECT_EQ(Tick(), ReadOf(8));
  EXPECT_THAT(std::vector<int>(values.rawSlotValues.begin(), values.rawSlotValues.begin() + 9),
              ElementsAre(10, 11, 12, 13, 14, 15, 16, 17, 0));
  // Type codes 49 and above have no decoder: their raw value alone is stored.
  EXPECT_THAT(decoder.calls, ElementsAre(std::pair{0, 10}, std::pair{1, 11}, std::pair{2, 12},
                                         std::pair{3, 13}, std::pair{4, 14}, std::pair{5, 15}));
  EXPECT_EQ(poller.rxErrorCount(), 0);
}

TEST_F(EcuPollerTest, TheFirstFrameAfterARequestIsDroppedWhateverItHolds) {
  poller.SetReadingEnabled(true);
  EXPECT_EQ(Tick(), kRead0);
  link.Receive(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));  // echo lost: the answer is taken for it
  EXPECT_EQ(Run(2), ".M");
  EXPECT_THAT(decoder.calls, IsEmpty());
  EXPECT_EQ(values.rawSlotValues[0], 0);
}

TEST_F(EcuPollerTest, CorruptedAnswerIsCountedAtTheNextDueTickAndTheRequestRepeated) {
  struct Case {
    std::string name;
    void (*raise)(EcuPoller&);
    Bytes request;
    Bytes corruptedAnswer;
  };
  const std::vector<Case> cases = {
      {"identity",
       [](EcuPoller& p) { p.RaiseIdentityRequest(); },
       kIdentify,
       {0x10, 0x05, 0x17, 0xE2, 0x00}},
      {"reset", [](EcuPoller& p) { p.RequestReset(); }, kReset, {0x14, 0x04, 0x00, 0xE9}},
      {"actuator",
       [](EcuPoller& p) { p.CommandActuator(ActuatorMode::RpmControl, 0x66); },
       kRpm66,
       {0x15, 0x03, 0xE9}},
      {"read",
       [](EcuPoller& p) { p.SetReadingEnabled(true); },
       kRead0,
       {0x13, 0x0B, 1, 2, 3, 4, 5, 6, 7, 8, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeLinkPort port;
    RecordingProtocolViews seen;
    EcuPoller p{port, profile, values, decoder, identity, seen, seen};
    c.raise(p);
    EXPECT_EQ(p.ErrorText(), "Bad Data Count 0");
    p.Tick(true);
    ASSERT_EQ(port.queued.size(), 1u);
    EXPECT_EQ(port.queued[0], c.request);
    port.EchoLastRequest();
    port.Receive(c.corruptedAnswer);
    p.Tick(true);  // not due
    EXPECT_THAT(seen.calls, IsEmpty());
    p.Tick(true);  // due: the miss, and nothing sent
    EXPECT_EQ(port.queued.size(), 1u);
    EXPECT_THAT(seen.calls,
                ElementsAre("main panel 4: Rx Errors 1", "viewer panel 4: Rx Errors 1"));
    EXPECT_EQ(p.ErrorText(), "Rx Errors 1");
    p.Tick(true);
    p.Tick(true);  // the next due tick sends the same request again
    ASSERT_EQ(port.queued.size(), 2u);
    EXPECT_EQ(port.queued[1], c.request);
    EXPECT_THAT(decoder.calls, IsEmpty());
    EXPECT_TRUE(identity.answers.empty());
  }
}

TEST_F(EcuPollerTest, SampleIntervalSetsTheDueTicks) {
  // An identity request that is never answered: send, miss, send, ...
  const std::vector<std::pair<int, std::string>> cases = {
      {50, "SMSMSMSM"}, {75, "SMSMSMSM"}, {100, "S.M.S.M."}, {150, "S..M..S.."},
      {20, "SMSMSMSM"}, {0, "SMSMSMSM"},  {-5, "SMSMSMSM"},
  };
  for (const auto& [interval, trace] : cases) {
    FakeLinkPort port;
    RecordingProtocolViews seen;
    EcuPoller p{port, profile, values, decoder, identity, seen, seen};
    p.SetSampleInterval(interval);
    p.RaiseIdentityRequest();
    std::string actual;
    for (std::size_t i = 0; i < trace.size(); ++i) {
      const std::size_t sent = port.queued.size();
      const int errors = p.rxErrorCount();
      p.Tick(true);
      actual += port.queued.size() > sent ? 'S' : p.rxErrorCount() > errors ? 'M' : '.';
    }
    EXPECT_EQ(actual, trace) << interval << " ms";
    EXPECT_GE(p.sampleIntervalMs(), 50);
  }
}

TEST_F(EcuPollerTest, RequestsGoOutByPriority) {
  struct Case {
    bool identity, reset, actuator, reading;
    Bytes first;
  };
  const std::vector<Case> cases = {
      {true, true, true, true, kIdentify}, {false, true, true, true, kReset},
      {false, false, true, true, kRpm66},  {false, false, false, true, kRead0},
      {false, false, false, false, {}},
  };
  for (const Case& c : cases) {
    FakeLinkPort port;
    RecordingProtocolViews seen;
    EcuPoller p{port, profile, values, decoder, identity, seen, seen};
    if (c.identity) p.RaiseIdentityRequest();
    if (c.reset) p.RequestReset();
    if (c.actuator) p.CommandActuator(ActuatorMode::RpmControl, 0x66);
    p.SetReadingEnabled(c.reading);
    p.Tick(true);
    EXPECT_EQ(port.queued.empty() ? Bytes{} : port.queued[0], c.first)
        << c.identity << c.reset << c.actuator << c.reading;
  }
}

TEST_F(EcuPollerTest, ActuatorCommandStopsReadingUntilAcknowledged) {
  poller.SetSampleInterval(50);
  poller.SetReadingEnabled(true);
  EXPECT_EQ(Tick(), kRead0);
  Answer(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));
  poller.CommandActuator(ActuatorMode::RpmControl, 0x166);
  EXPECT_EQ(Tick(), kRpm66);
  EXPECT_EQ(values.rawSlotValues[7], 8);  // the data answer was taken first

  link.EchoLastRequest();  // no acknowledgement: the command is repeated, no read between
  EXPECT_EQ(Run(1), "M");
  EXPECT_EQ(Tick(), kRpm66);
  Answer(kActuatorAck);
  EXPECT_EQ(Tick(), ReadOf(8));  // reading resumes where it stopped
  EXPECT_FALSE(poller.actuatorWanted());

  Answer(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));
  poller.CommandActuator(ActuatorMode::Cancel, 0x66);
  EXPECT_EQ(Tick(), kCancel);
  Answer(kActuatorAck);
  EXPECT_EQ(Tick(), ReadOf(16));
}

// An unlisted or OBD2 ECU: its bytes are kept for the raw display, but the layout they would
// be decoded by belongs to no ECU, or to another one; decoded, every byte of slot type 0
// would light the check-engine lamp.
TEST_F(EcuPollerTest, WithoutALayoutTheBytesAreKeptRawAndNotDecoded) {
  profile.layoutLoaded = false;
  poller.SetReadingEnabled(true);
  EXPECT_EQ(Tick(), kRead0);
  Answer(DataAnswer({0xFF, 1, 2, 3, 4, 5, 6, 7}));
  Run(2);
  EXPECT_THAT(std::vector<int>(values.rawSlotValues.begin(), values.rawSlotValues.begin() + 8),
              ElementsAre(0xFF, 1, 2, 3, 4, 5, 6, 7));
  EXPECT_THAT(decoder.calls, IsEmpty());
}

// A frame that does not fit in the link's transmit ring is not sent in part: nothing is
// awaited, no miss is counted, and the same request goes out at the next due tick.
TEST_F(EcuPollerTest, AFrameTheLinkCannotTakeGoesOutWholeAtTheNextDueTick) {
  poller.SetReadingEnabled(true);
  EXPECT_EQ(Tick(), kRead0);
  Answer(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));
  link.transmitRingFull = true;
  EXPECT_EQ(Run(2), "..");
  EXPECT_FALSE(poller.awaitingResponse());
  link.transmitRingFull = false;
  EXPECT_EQ(Run(1), ".");
  EXPECT_EQ(Tick(), ReadOf(8));  // block 8, not 16
  EXPECT_EQ(poller.rxErrorCount(), 0);

  Answer(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));
  poller.RequestReset();
  link.transmitRingFull = true;
  EXPECT_EQ(Run(2), "..");
  link.transmitRingFull = false;
  EXPECT_EQ(Run(1), ".");
  EXPECT_EQ(Tick(), kReset);
}

TEST_F(EcuPollerTest, WithdrawnCommandsAreNotSent) {
  poller.SetReadingEnabled(true);
  poller.RequestReset();
  poller.CommandActuator(ActuatorMode::RpmControl, 0x66);
  poller.WithdrawCommands();
  EXPECT_FALSE(poller.resetWanted());
  EXPECT_FALSE(poller.actuatorWanted());
  EXPECT_EQ(Tick(), kRead0);
}

// Cancel pressed while the fan command is on its way: the fan's acknowledgement must not
// swallow the Cancel, or the fan stays driven.
TEST_F(EcuPollerTest, ANewerCommandSurvivesTheAcknowledgementOfAnOlderOne) {
  const EcuFrame fan = BuildActuatorCommand(ActuatorMode::RadFanControl, 0);
  const Bytes kFan(fan.bytes().begin(), fan.bytes().end());
  poller.SetSampleInterval(50);
  poller.SetReadingEnabled(true);
  poller.CommandActuator(ActuatorMode::RadFanControl, 0);
  EXPECT_EQ(Tick(), kFan);
  poller.CommandActuator(ActuatorMode::Cancel, 0);
  Answer(kActuatorAck);  // the fan's
  EXPECT_EQ(Tick(), kCancel);
  EXPECT_TRUE(poller.actuatorWanted());
  Answer(kActuatorAck);  // the cancel's
  EXPECT_EQ(Tick(), kRead0);
  EXPECT_FALSE(poller.actuatorWanted());

  // The same when the newer command is another test.
  Answer(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));
  poller.CommandActuator(ActuatorMode::RadFanControl, 0);
  EXPECT_EQ(Tick(), kFan);
  poller.CommandActuator(ActuatorMode::RpmControl, 0x66);
  Answer(kActuatorAck);
  EXPECT_EQ(Tick(), kRpm66);
  Answer(kActuatorAck);
  EXPECT_EQ(Tick(), ReadOf(8));
  EXPECT_EQ(poller.rxErrorCount(), 0);
}

TEST_F(EcuPollerTest, ShortDataAnswerFillsOnlyItsSlots) {
  poller.SetSampleInterval(50);
  poller.SetReadingEnabled(true);
  Tick();
  Answer(DataAnswer({9, 9}));
  Tick();  // block 8 requested
  Answer(DataAnswer({1, 2, 3, 4, 5}));
  Tick();
  EXPECT_THAT(std::vector<int>(values.rawSlotValues.begin(), values.rawSlotValues.begin() + 17),
              ElementsAre(9, 9, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0, 0));
  EXPECT_EQ(decoder.calls.size(), 7u);
  EXPECT_EQ(poller.rxErrorCount(), 0);
}

TEST_F(EcuPollerTest, DataBytesOutsideTheSlotTableAreNotStored) {
  poller.SetSampleInterval(50);
  profile.baseAddress = 2;
  profile.endAddress = 62;  // a span the ECU tables never hold: slots up to 55 requested
  poller.SetReadingEnabled(true);
  for (int block = 0; block < 6; ++block) {
    Tick();
    Answer(DataAnswer({0, 0, 0, 0, 0, 0, 0, 0}));
  }
  EXPECT_EQ(Tick(), ReadOf(2 + 48));
  decoder.calls.clear();
  Answer(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));
  Tick();
  EXPECT_EQ(values.rawSlotValues[48], 1);
  EXPECT_EQ(values.rawSlotValues[49], 2);
  EXPECT_EQ(decoder.calls.size(), 2u);
}

TEST_F(EcuPollerTest, ResetAnswerIsReported) {
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {{0x14, 0x04, 0x00, 0xE8}, "message: ECU successfully reset"},
      {{0x14, 0x04, 0x01, 0xE7}, "message: ECU reset failed"},
      {{0x14, 0x03, 0xE9}, "message: ECU reset failed"},  // no result byte
  };
  for (const auto& [answer, message] : cases) {
    FakeLinkPort port;
    RecordingProtocolViews seen;
    EcuPoller p{port, profile, values, decoder, identity, seen, seen};
    p.RequestReset();
    p.Tick(true);
    port.EchoLastRequest();
    port.Receive(answer);
    p.Tick(true);
    EXPECT_THAT(seen.calls, ElementsAre(message));
    EXPECT_FALSE(p.resetWanted());
    EXPECT_FALSE(p.awaitingResponse());
  }
}

TEST_F(EcuPollerTest, ReadCycleWrapsAfterTheLastBlockAndRepeatsAnUnansweredOne) {
  poller.SetSampleInterval(50);
  poller.SetReadingEnabled(true);
  std::vector<Bytes> sent;
  for (int i = 0; i < 6; ++i) {
    sent.push_back(Tick());
    Answer(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));
  }
  EXPECT_EQ(sent, (std::vector<Bytes>{ReadOf(0), ReadOf(8), ReadOf(16), ReadOf(24), ReadOf(32),
                                      ReadOf(0)}));
  for (int i = 0; i < 3; ++i) {
    Tick();
    Answer(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));
  }
  EXPECT_EQ(Tick(), ReadOf(32));
  EXPECT_EQ(poller.readPosition(), 0);
  link.EchoLastRequest();  // and no answer
  EXPECT_EQ(Run(1), "M");
  EXPECT_EQ(Tick(), ReadOf(32));
}

TEST_F(EcuPollerTest, UnansweredIdentityLeavesTheReadPositionAtZero) {
  poller.SetSampleInterval(50);
  poller.RaiseIdentityRequest();
  EXPECT_EQ(Run(8), "SMSMSMSM");
  EXPECT_EQ(poller.readPosition(), 0);
  EXPECT_EQ(poller.ErrorText(), "Rx Errors 4");
  Tick();
  Answer(Frame(0x10, {0x17, 0xE2}));
  EXPECT_EQ(Tick(), kRead0);
  EXPECT_THAT(identity.answers, ElementsAre(std::pair{0x17, 0xE2}));
}

TEST_F(EcuPollerTest, IdentityAnswerTooShortToNameTheEcuIsNotHandedOn) {
  poller.SetSampleInterval(50);
  poller.RaiseIdentityRequest();
  Tick();
  Answer({0x10, 0x04, 0x17, 0xD5});
  EXPECT_EQ(Tick(), kIdentify);  // answered, so no miss; the request is still raised
  EXPECT_TRUE(identity.answers.empty());
  EXPECT_EQ(poller.rxErrorCount(), 0);
}

TEST_F(EcuPollerTest, WhileTheLinkIsClosedOnlyTicksAreCounted) {
  poller.SetSampleInterval(50);
  poller.RaiseIdentityRequest();
  Tick();
  link.EchoLastRequest();
  for (int i = 0; i < 3; ++i) poller.Tick(false);
  EXPECT_EQ(poller.tickCount(), 4u);
  EXPECT_EQ(link.queued.size(), 1u);
  EXPECT_EQ(link.received.size(), 3u);  // left in the link
  EXPECT_EQ(Run(2), "MS");              // the request outstanding at the close counts as missed
}

// A modal box opened while an answer is handled runs further ticks before it returns:
// those ticks go on with the bytes the interrupted tick had not parsed yet, and the
// interrupted tick, when it resumes, neither parses them again nor counts a miss.
TEST_F(EcuPollerTest, NestedTickInsideAMessageContinuesTheConversation) {
  poller.SetSampleInterval(50);
  poller.SetReadingEnabled(true);
  poller.RequestReset();
  EXPECT_EQ(Tick(), kReset);
  // The success answer, then the first half of a second (failure) answer.
  Answer({0x14, 0x04, 0x00, 0xE8, 0x14, 0x04});
  int nested = 0;
  views.onMessage = [&](const std::string&) {
    if (nested++ > 0) return;
    link.Receive({0x01, 0xE7});  // the rest arrives while the box is open
    poller.Tick(true);
  };
  Tick();
  EXPECT_THAT(views.calls,
              ElementsAre("message: ECU successfully reset", "message: ECU reset failed"));
  EXPECT_EQ(link.queued, (std::vector<Bytes>{kReset, kRead0}));  // sent by the nested tick
  EXPECT_EQ(poller.rxErrorCount(), 0);
  EXPECT_EQ(poller.tickCount(), 3u);

  Answer(DataAnswer({1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Tick(), ReadOf(8));
  EXPECT_EQ(values.rawSlotValues[0], 1);
  EXPECT_EQ(poller.rxErrorCount(), 0);
}

}  // namespace
}  // namespace rizazovoz
