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
  session.SetBaudRateText("7812");
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

}  // namespace
}  // namespace rizazovoz
