// After the user's Connect, a link that the link thread closed because the device failed,
// while an interface stayed listed, comes back by itself: "Waiting to Connect", the identity
// again, and reading, exactly as after an unplug.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "ecusim_process.h"
#include "fake_device_library.h"
#include "livedata/dashboard_readouts.h"
#include "livedata/display_settings.h"
#include "protocol/ecu_frame.h"
#include "protocol/ecu_session.h"
#include "recording_protocol_views.h"
#include "transport/d2xx_thread.h"
#include "transport/serial_device_library.h"

namespace rizazovoz {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// The ECU behind the fake devices: echoes each whole request written to a device, as the
// shared line does, and answers it as ECU 1103 would.
class ScriptedEcu {
 public:
  explicit ScriptedEcu(FakeDeviceLibrary& devices) : devices_(devices) {}

  void Serve(int id) {
    const Bytes written = devices_.TakeWritten(id);
    Bytes& line = unparsed_[id];
    line.insert(line.end(), written.begin(), written.end());
    while (line.size() >= 2 && line.size() >= line[1]) {
      const Bytes request(line.begin(), line.begin() + line[1]);
      line.erase(line.begin(), line.begin() + line[1]);
      Bytes reply = request;
      const EcuFrame answer = Answer(request[0]);
      reply.insert(reply.end(), answer.bytes().begin(), answer.bytes().end());
      devices_.DeviceSends(id, reply);
      ++answered_[id];
    }
  }
  int answered(int id) { return answered_[id]; }

 private:
  static EcuFrame Answer(std::uint8_t command) {
    const Bytes identity = {0x11, 0x03};
    const Bytes data(8, 0x40);
    const Bytes none;
    switch (command) {
      case 0x10:
        return EcuFrame::Make(command, identity);
      case 0x13:
        return EcuFrame::Make(command, data);
      default:
        return EcuFrame::Make(command, none);
    }
  }

  FakeDeviceLibrary& devices_;
  std::map<int, Bytes> unparsed_;
  std::map<int, int> answered_;
};

// The session as the main window drives it, on a real link thread, ticked by the test.
// Remembers every connection state it went through.
class LinkRecoveryBench {
 public:
  // `tick`: the real time between two ticks; a real line needs about the timer's 50 ms.
  LinkRecoveryBench(DeviceLibrary& devices, std::chrono::milliseconds tick,
                    LinkThreadTiming timing = {})
      : link(devices, timing), tick_(tick) {
    states.emplace_back(session.connectionState());
  }

  // Ticks (each followed by `between`) until the condition holds; at most 10 s.
  bool TickUntil(
      const std::function<bool()>& condition, const std::function<void()>& between = [] {}) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
      session.Tick();
      if (states.back() != session.connectionState()) {
        states.emplace_back(session.connectionState());
      }
      between();
      if (condition()) return true;
      std::this_thread::sleep_for(tick_);
    }
    return false;
  }

  bool Connected() const { return session.connectionState() == "Connected to ECU"; }

  TD2xxThread link;
  DisplaySettings settings;
  DashboardReadouts readouts;
  RecordingProtocolViews views;
  EcuSession session{link, settings, readouts, views, views, views, views};
  std::vector<std::string> states;

 private:
  std::chrono::milliseconds tick_;
};

constexpr LinkThreadTiming kQuickTiming{1ms, 1ms, 1ms, 2000ms};

TEST(LinkRecovery, ADeviceThatFailsAsGoneWhileListedIsReopenedAndReadAgain) {
  FakeDeviceLibrary devices;
  const int id = devices.AddDevice("RUZ Interface");
  ScriptedEcu ecu(devices);
  LinkRecoveryBench bench(devices, 2ms, kQuickTiming);
  const auto serve = [&] { ecu.Serve(id); };
  bench.session.Connect();
  ASSERT_TRUE(bench.TickUntil([&] { return bench.Connected() && ecu.answered(id) > 3; }, serve));

  devices.FailNext(FakeDeviceLibrary::Call::kWait, 1, DeviceStatus::kDeviceGone);
  ASSERT_TRUE(bench.TickUntil([&] { return !bench.Connected(); }, serve));
  const int answeredBefore = ecu.answered(id);
  ASSERT_TRUE(bench.TickUntil(
      [&] { return bench.Connected() && ecu.answered(id) > answeredBefore + 3; }, serve));
  EXPECT_THAT(bench.states,
              ::testing::ElementsAre("Not Connected", "Trying to Connect", "Connected to ECU",
                                     "Waiting to Connect", "Connected to ECU"));
  EXPECT_EQ(bench.link.StatusText(), "RUZ Interface");
  EXPECT_TRUE(bench.session.poller().readingEnabled());
}

// Two interfaces of the same description: the later one in the list is the one opened.
// When it is pulled, the other is still listed; the link goes on over that one.
TEST(LinkRecovery, TheOpenOneOfTwoInterfacesUnpluggedGoesOnOverTheOther) {
  FakeDeviceLibrary devices;
  const int first = devices.AddDevice("RUZ Interface");
  const int second = devices.AddDevice("RUZ Interface");
  ScriptedEcu ecu(devices);
  LinkRecoveryBench bench(devices, 2ms, kQuickTiming);
  const auto serve = [&] {
    ecu.Serve(first);
    ecu.Serve(second);
  };
  bench.session.Connect();
  ASSERT_TRUE(
      bench.TickUntil([&] { return bench.Connected() && ecu.answered(second) > 3; }, serve));
  EXPECT_EQ(ecu.answered(first), 0);

  devices.Unplug(second);
  ASSERT_TRUE(bench.TickUntil([&] { return bench.Connected() && ecu.answered(first) > 3; }, serve));
  EXPECT_THAT(bench.states, ::testing::Contains("Waiting to Connect"));
  EXPECT_TRUE(devices.IsDeviceOpen(first));
  EXPECT_EQ(bench.link.DeviceIndex(), 1);
}

#ifdef RIZAZOVOZ_ECUSIM_PATH
// --port on a pseudo-terminal whose far end hangs up and is straight back under the same
// path, before the link thread's next look at the device list: the program must not sit
// at "Connected to ECU" with the link closed.
TEST(LinkRecovery, APortWhoseFarEndHangsUpAndComesStraightBackIsReopened) {
  char pattern[] = "/tmp/rizazovoz-recovery-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path root = pattern;
  std::filesystem::create_directories(root / "sys/class/tty");  // no USB serial ports
  const std::filesystem::path port = root / "ecu";
  const auto pointPortAt = [&](const std::string& slave) {
    // Atomically, as a rename: the path never disappears.
    std::filesystem::create_symlink(slave, root / "ecu.new");
    std::filesystem::rename(root / "ecu.new", port);
  };

  auto first = std::make_unique<EcusimProcess>(std::vector<std::string>{"--identity", "1103"});
  const std::string firstSlave = first->FirstLine();
  ASSERT_FALSE(firstSlave.empty());
  pointPortAt(firstSlave);

  SerialPortOptions options;
  options.sysfsRoot = (root / "sys").string();
  options.devDir = (root / "dev").string();
  options.fixedPortPath = port.string();
  SerialDeviceLibrary devices(options);
  {
    LinkRecoveryBench bench(devices, 25ms);
    bench.session.Connect();
    ASSERT_TRUE(bench.TickUntil([&] { return bench.Connected(); }));
    const int missed = bench.session.poller().rxErrorCount();

    EcusimProcess second({"--identity", "1103"});
    const std::string secondSlave = second.FirstLine();
    ASSERT_FALSE(secondSlave.empty());
    pointPortAt(secondSlave);
    ASSERT_EQ(first->Stop(SIGTERM), 0);  // its pseudo-terminal hangs up
    first.reset();

    ASSERT_TRUE(bench.TickUntil([&] { return !bench.Connected(); }));
    ASSERT_TRUE(bench.TickUntil([&] { return bench.Connected(); }));
    // Reading goes on over the new line: twenty more sample intervals without a miss,
    // beyond the request lost in the hang-up.
    const int afterReconnect = bench.session.poller().rxErrorCount();
    EXPECT_LE(afterReconnect, missed + 1);
    const std::uint32_t start = bench.session.poller().tickCount();
    ASSERT_TRUE(bench.TickUntil([&] { return bench.session.poller().tickCount() >= start + 40; }));
    EXPECT_EQ(bench.session.poller().rxErrorCount(), afterReconnect);
    EXPECT_TRUE(bench.Connected());
  }
  std::filesystem::remove_all(root);
}
#endif

}  // namespace
}  // namespace rizazovoz
