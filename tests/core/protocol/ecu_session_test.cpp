#include "protocol/ecu_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fake_link_port.h"
#include "recording_protocol_views.h"

namespace rizazovoz {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const Bytes kIdentify = {0x10, 0x03, 0xED};
const Bytes kRead0 = {0x13, 0x0B, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xC6};

Bytes Frame(std::uint8_t command, const Bytes& payload) {
  const EcuFrame frame = EcuFrame::Make(command, payload);
  return {frame.bytes().begin(), frame.bytes().end()};
}

class EcuSessionTest : public ::testing::Test {
 protected:
  EcuSessionTest() {
    link.status = "No Interface";
    link.open = false;
  }

  // Ticks until a request goes out, at most 20 ticks; returns it (empty when none).
  Bytes TickUntilSent() {
    const std::size_t before = link.queued.size();
    for (int i = 0; i < 20 && link.queued.size() == before; ++i) session.Tick();
    return link.queued.size() > before ? link.queued.back() : Bytes{};
  }
  void AnswerIdentity(std::uint8_t i0, std::uint8_t i1) {
    link.EchoLastRequest();
    link.Receive(Frame(0x10, {i0, i1}));
  }
  // From a plugged-in, closed interface to the identity request on the line.
  void OpenAndAskForIdentity() {
    link.status = "RUZ Interface";
    session.Connect();
    session.Tick();
    link.open = true;
    ASSERT_EQ(TickUntilSent(), kIdentify);
  }
  // Answers each read request with `value` in every byte until block 0 has been answered.
  void AnswerReadsUntilBlock0(std::uint8_t value) {
    for (int i = 0; i < 10; ++i) {
      const Bytes request = TickUntilSent();
      ASSERT_EQ(request.size(), 11u);
      link.EchoLastRequest();
      link.Receive(Frame(0x13, Bytes(8, value)));
      if (request == kRead0) {
        session.Tick();
        return;
      }
    }
    FAIL() << "block 0 was not asked for";
  }
  // ... and on to the identity answer having been handled.
  void ConnectTo(std::uint8_t i0, std::uint8_t i1) {
    OpenAndAskForIdentity();
    AnswerIdentity(i0, i1);
    session.Tick();
    ASSERT_EQ(session.connectionState(), "Connected to ECU");
  }

  FakeLinkPort link;
  DisplaySettings settings;
  DashboardReadouts readouts;  // shows nothing
  RecordingProtocolViews views;
  EcuSession session{link, settings, readouts, views, views, views, views};
};

TEST_F(EcuSessionTest, ConnectOpensTheLinkAsksForTheIdentityAndSetsUpTheEcu) {
  link.status = "RUZ Interface";
  session.Connect();
  session.Tick();
  EXPECT_THAT(views.calls,
              ElementsAre("main panel 1: RUZ Interface", "main panel 2: Trying to Connect"));
  EXPECT_THAT(link.openRequests, ElementsAre("15625"));
  EXPECT_THAT(link.queued, IsEmpty());  // the poller starts once the device is open

  link.open = true;
  EXPECT_EQ(TickUntilSent(), kIdentify);
  views.calls.clear();
  AnswerIdentity(0x12, 0x02);
  session.Tick();
  EXPECT_THAT(views.calls,
              ElementsAre("main panel 2: Connected to ECU", "viewer panel 2: Connected to ECU",
                          "airflow gauge: MAF(g/s) 500", "economy gauge: IAC Flow 100 10",
                          "viewer formatted: yes", "logger named: yes",
                          "viewer panel 3: Sample Rate 100ms", "fault viewer id: 1202",
                          "status viewer id: 1202", "actuator flags: 15", "ecu id: 1202"));
  EXPECT_EQ(session.identityText(), "1202");
  EXPECT_EQ(session.airflowKind(), "MAF");
  EXPECT_EQ(session.profile().endAddress, 30);
  EXPECT_FALSE(session.supervisor().connectRequested());
  EXPECT_EQ(TickUntilSent(), kRead0);
  EXPECT_EQ(link.openRequests.size(), 1u);  // no open asked for while the device is open
}

TEST_F(EcuSessionTest, ConnectWithoutInterfaceWaitsForItAndTryingSurvivesAnUnplug) {
  ASSERT_EQ(session.ChangeBaudRate("7812"), BaudRateChange::kApplied);
  session.Connect();
  for (int i = 0; i < 3; ++i) session.Tick();
  EXPECT_EQ(session.connectionState(), "Not Connected");
  EXPECT_THAT(views.calls, ElementsAre("main panel 1: No Interface"));
  EXPECT_THAT(link.openRequests, IsEmpty());

  link.status = "RUZ Interface";  // plugged in: the remembered connect goes ahead
  session.Tick();
  EXPECT_EQ(session.connectionState(), "Trying to Connect");
  session.Tick();  // still closed: asked again
  EXPECT_THAT(link.openRequests, ElementsAre("7812", "7812"));

  link.status = "No Interface";
  session.Tick();
  EXPECT_EQ(session.connectionState(), "Trying to Connect");
  EXPECT_EQ(link.openRequests.size(), 2u);

  link.status = "RUZ Interface";
  session.Tick();
  EXPECT_EQ(link.openRequests.size(), 3u);
  link.open = true;
  EXPECT_EQ(TickUntilSent(), kIdentify);
  AnswerIdentity(0x17, 0xE2);
  session.Tick();
  EXPECT_EQ(session.connectionState(), "Connected to ECU");
  EXPECT_EQ(session.identityText(), "17E2");
}

TEST_F(EcuSessionTest, UnplugWhileConnectedWaitsAndReconnectsWithoutUserAction) {
  ConnectTo(0x17, 0xE2);
  EXPECT_EQ(TickUntilSent(), kRead0);
  const std::size_t opens = link.openRequests.size();

  link.status = "No Interface";
  link.open = false;
  views.calls.clear();
  session.Tick();
  EXPECT_THAT(views.calls,
              ElementsAre("main panel 1: No Interface", "main panel 2: Waiting to Connect"));
  EXPECT_FALSE(session.poller().readingEnabled());
  EXPECT_TRUE(session.poller().identityWanted());
  for (int i = 0; i < 5; ++i) session.Tick();
  EXPECT_EQ(link.queued.size(), 2u);  // nothing sent while the link is closed
  EXPECT_EQ(link.openRequests.size(), opens);

  link.status = "RUZ Interface";
  session.Tick();
  EXPECT_EQ(link.openRequests.size(), opens + 1);
  link.open = true;
  // The read left outstanding at the unplug is counted first, then the identity goes out.
  EXPECT_EQ(TickUntilSent(), kIdentify);
  EXPECT_EQ(session.poller().rxErrorCount(), 1);
  views.calls.clear();
  AnswerIdentity(0x17, 0xE2);
  session.Tick();
  EXPECT_EQ(session.connectionState(), "Connected to ECU");
  EXPECT_THAT(views.With("main panel 2"), ElementsAre("main panel 2: Connected to ECU"));
  EXPECT_THAT(views.With("airflow gauge"), ElementsAre("airflow gauge: MAP(mbar) 1100"));
  EXPECT_EQ(TickUntilSent(), kRead0);
  EXPECT_EQ(link.openRequests.size(), opens + 1);
}

// The link thread closes the device when a call on it fails as if it were gone, while the
// interface may well still be listed (a cable that re-enumerated between two list reads, a
// port that hung up and came straight back). That is an unplug too: reopen, ask again.
TEST_F(EcuSessionTest, ALinkThatClosedWhileTheInterfaceStaysListedIsReopened) {
  ConnectTo(0x17, 0xE2);
  EXPECT_EQ(TickUntilSent(), kRead0);
  const std::size_t opens = link.openRequests.size();

  link.open = false;  // status stays "RUZ Interface"
  session.Tick();
  EXPECT_EQ(session.connectionState(), "Waiting to Connect");
  EXPECT_FALSE(session.poller().readingEnabled());
  session.Tick();
  EXPECT_EQ(link.openRequests.size(), opens + 1);
  session.Tick();
  EXPECT_EQ(link.openRequests.size(), opens + 2);  // asked again while still closed

  link.open = true;
  EXPECT_EQ(TickUntilSent(), kIdentify);
  EXPECT_EQ(session.poller().rxErrorCount(), 1);  // the read left outstanding
  AnswerIdentity(0x17, 0xE2);
  session.Tick();
  EXPECT_EQ(session.connectionState(), "Connected to ECU");
  EXPECT_EQ(TickUntilSent(), kRead0);
}

// A reset or actuator command is for the ECU connected now, and only then: never sent
// later to whatever answers next.
TEST_F(EcuSessionTest, CommandsAreTakenOnlyWhileConnectedAndWithdrawnWhenTheLinkGoes) {
  const Bytes kReset = {0x14, 0x03, 0xE9};
  EXPECT_FALSE(session.RequestReset());
  EXPECT_FALSE(session.CommandActuator(ActuatorMode::RadFanControl, 1));
  OpenAndAskForIdentity();
  EXPECT_FALSE(session.RequestReset());  // trying to connect is not connected
  AnswerIdentity(0x17, 0xE2);
  session.Tick();
  ASSERT_EQ(session.connectionState(), "Connected to ECU");

  for (const char* how : {"unplugged", "link closed", "connect again"}) {
    SCOPED_TRACE(how);
    ASSERT_TRUE(session.RequestReset());
    ASSERT_TRUE(session.CommandActuator(ActuatorMode::RadFanControl, 1));
    if (std::string(how) == "connect again") {
      session.Connect();
    } else {
      link.open = false;
      if (std::string(how) == "unplugged") link.status = "No Interface";
    }
    session.Tick();
    EXPECT_FALSE(session.poller().resetWanted());
    EXPECT_FALSE(session.poller().actuatorWanted());
    EXPECT_FALSE(session.RequestReset());
    link.status = "RUZ Interface";
    link.open = true;
    link.queued.clear();
    ASSERT_EQ(TickUntilSent(), kIdentify);
    AnswerIdentity(0x17, 0xE2);
    session.Tick();
    ASSERT_EQ(session.connectionState(), "Connected to ECU");
    EXPECT_EQ(TickUntilSent(), kRead0);
    for (const Bytes& request : link.queued) {
      EXPECT_NE(request, kReset);
      EXPECT_NE(request[0], 0x15);
    }
  }
}

TEST_F(EcuSessionTest, BaudRateIsStoredOnlyWhenItIsAWholeNumberTheDeviceTakes) {
  struct Case {
    const char* typed;
    bool open;
    bool deviceRefuses;
    BaudRateChange result;
    const char* stored;  // the rate for later opens afterwards
  };
  const Case cases[] = {
      {"7812", false, false, BaudRateChange::kApplied, "7812"},
      {" 15625 ", false, false, BaudRateChange::kApplied, "15625"},
      {"abc", false, false, BaudRateChange::kNotAWholeNumber, "15625"},
      {"7812 baud", false, false, BaudRateChange::kNotAWholeNumber, "15625"},
      {"", false, false, BaudRateChange::kNotAWholeNumber, "15625"},
      {"0", false, false, BaudRateChange::kNotABaudRate, "15625"},
      {"-7812", false, false, BaudRateChange::kNotABaudRate, "15625"},
      {"7812", true, false, BaudRateChange::kApplied, "7812"},
      {"15625", true, true, BaudRateChange::kRefused, "7812"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    link.open = c.open;
    link.refuseBaudChanges = c.deviceRefuses;
    link.baudChanges.clear();
    EXPECT_EQ(session.ChangeBaudRate(c.typed), c.result);
    EXPECT_EQ(session.baudRateText(), c.stored);
    // Only a usable rate reaches an open device, as plain digits.
    if (c.open) {
      EXPECT_THAT(link.baudChanges, ElementsAre(std::string(c.typed)));
    } else {
      EXPECT_THAT(link.baudChanges, IsEmpty());
    }
  }
  link.open = false;
  link.status = "RUZ Interface";
  session.Connect();
  session.Tick();
  EXPECT_THAT(link.openRequests, ElementsAre("7812"));
}

TEST_F(EcuSessionTest, AfterCloseLinkTheLinkIsNotReopened) {
  ConnectTo(0x17, 0xE2);
  session.CloseLink();
  EXPECT_EQ(link.closeRequests, 1);
  link.open = false;
  const std::size_t opens = link.openRequests.size();
  for (int i = 0; i < 5; ++i) session.Tick();
  EXPECT_EQ(link.openRequests.size(), opens);
}

TEST_F(EcuSessionTest, ConnectingAgainRepeatsTheSetupAndClearsTheFourthFaultByte) {
  ConnectTo(0x17, 0x01);  // "1701" carries fault byte 4 in slot 2
  EXPECT_EQ(TickUntilSent(), kRead0);
  link.EchoLastRequest();
  link.Receive(Frame(0x13, {0, 0, 0xFF, 0, 0, 0, 0, 0}));
  session.Tick();
  EXPECT_EQ(session.values().faultFlags[4], 0xFF);
  EXPECT_EQ(session.values().rawSlotValues[2], 0xFF);

  session.Connect();
  session.Tick();
  EXPECT_EQ(session.connectionState(), "Trying to Connect");
  EXPECT_EQ(TickUntilSent(), kIdentify);  // ahead of the reading
  views.calls.clear();
  AnswerIdentity(0x17, 0x01);
  session.Tick();
  EXPECT_EQ(session.connectionState(), "Connected to ECU");
  EXPECT_EQ(session.values().faultFlags[4], 0);
  EXPECT_THAT(views.With("ecu id"), ElementsAre("ecu id: 1701"));
  EXPECT_EQ(link.openRequests.size(), 1u);
}

// The message for an unlisted ECU is modal: ticks run while it is open. They must neither
// ask for the identity again nor count the answered request as missed.
TEST_F(EcuSessionTest, UnlistedEcuShowsTheViewerAndKeepsPollingThroughTheMessage) {
  session.SetSampleInterval(75);
  OpenAndAskForIdentity();
  std::size_t sentDuringMessage = 0;
  views.onMessage = [&](const std::string&) {
    for (int i = 0; i < 3; ++i) session.Tick();
    sentDuringMessage = link.queued.size();
  };
  views.calls.clear();
  AnswerIdentity(0x01, 0x0A);
  session.Tick();
  EXPECT_THAT(views.calls,
              ElementsAreArray(std::vector<std::string>{
                  "main panel 2: Connected to ECU", "viewer panel 2: Connected to ECU",
                  "message: Formatted data not available for ECU ID 010A. Please contact "
                  "Ostrand Ltd",
                  "viewer formatted: no", "logger named: no", "hide main, show viewer",
                  "viewer panel 3: Sample Rate 75ms", "fault viewer id: 010A",
                  "status viewer id: 010A", "actuator flags: 15", "ecu id: 010A"}));
  EXPECT_EQ(sentDuringMessage, 1u);  // only the identity request
  EXPECT_EQ(session.poller().rxErrorCount(), 0);
  EXPECT_EQ(TickUntilSent(), kRead0);  // reading goes on with the profile as it was
}

// The raw bytes of an ECU without a loaded layout are kept, and nothing is decoded from
// them: no fault flag, no lamp, also when another ECU's layout is still loaded.
TEST_F(EcuSessionTest, BytesOfAnEcuWithoutItsLayoutAreKeptRawAndNotDecoded) {
  struct Step {
    std::uint8_t i0, i1;
    bool decoded;
  };
  // "1701" is listed and carries fault byte 4 in slot 2; "010A" is not listed.
  for (const Step& step :
       {Step{0x01, 0x0A, false}, Step{0x17, 0x01, true}, Step{0x01, 0x0A, false}}) {
    SCOPED_TRACE(step.i1);
    if (session.connectionState() != "Connected to ECU") {
      ConnectTo(step.i0, step.i1);
    } else {  // the user connects again, to another ECU
      session.Connect();
      ASSERT_EQ(TickUntilSent(), kIdentify);
      AnswerIdentity(step.i0, step.i1);
      session.Tick();
    }
    ASSERT_EQ(session.connectionState(), "Connected to ECU");
    EXPECT_EQ(session.profile().layoutLoaded, step.decoded);
    AnswerReadsUntilBlock0(0xFF);
    EXPECT_EQ(session.values().rawSlotValues[2], 0xFF);
    EXPECT_EQ(session.values().faultFlags[4], step.decoded ? 0xFF : 0);
  }
}

}  // namespace
}  // namespace rizazovoz
