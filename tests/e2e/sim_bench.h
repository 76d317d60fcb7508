#pragma once
// The whole program's core without its windows: the link thread on the simulated interface,
// and the session (supervisor, poller, decoders) ticked by the test instead of a 50 ms timer.
// The ECU runs on a hand-driven clock: each step moves it on by one timer interval, lets the
// link thread carry what became due, ticks, and lets the link thread carry the request out.
// Every wait is for a condition, bounded in real time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "livedata/dashboard_readouts.h"
#include "livedata/display_settings.h"
#include "protocol/ecu_session.h"
#include "recording_protocol_views.h"
#include "sim/clock.h"
#include "sim/simulated_device_library.h"
#include "transport/d2xx_thread.h"

namespace rizazovoz {

// Passes everything on to the link thread and notes each request with the tick it went in.
class RecordingLink : public LinkPort {
 public:
  struct Sent {
    std::vector<std::uint8_t> bytes;
    int tick;
  };

  explicit RecordingLink(LinkPort& link) : link_(link) {}

  std::string StatusText() const override { return link_.StatusText(); }
  bool IsOpen() const override { return link_.IsOpen(); }
  void RequestOpen(std::string_view baudRateText) override {
    link_.RequestOpen(baudRateText);
    openRequested = true;
  }
  void RequestClose() override { link_.RequestClose(); }
  bool ChangeBaudRate(std::string_view baudRateText) override {
    return link_.ChangeBaudRate(baudRateText);
  }
  std::size_t QueueBytes(const std::uint8_t* bytes, std::size_t count) override {
    const std::size_t queued = link_.QueueBytes(bytes, count);
    sent.push_back({{bytes, bytes + queued}, tick});
    queuedBytes += queued;
    return queued;
  }
  std::size_t TakeBytes(std::uint8_t* buffer) override { return link_.TakeBytes(buffer); }

  std::vector<Sent> sent;
  std::size_t queuedBytes = 0;
  bool openRequested = false;  // since the bench last saw the device open
  int tick = 0;                // set by the bench before each tick

 private:
  LinkPort& link_;
};

inline SimulatedEcuConfig SteadyEcu(std::string identity) {
  SimulatedEcuConfig config;
  config.identity = std::move(identity);
  config.engine.steady = true;
  return config;
}

class SimBench {
 public:
  static constexpr std::chrono::milliseconds kTimerInterval{50};
  static constexpr std::chrono::seconds kPatience{10};  // real time for one condition

  explicit SimBench(const SimulatedEcuConfig& config) : library(clock, config) {
    settings.tempUnits = "C";
    settings.speedUnits = "KPH";
  }

  // Waits, in real time, until the condition holds; false when the patience ran out.
  static bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
      if (std::chrono::steady_clock::now() >= deadline) return condition();
      std::this_thread::yield();
    }
    return true;
  }

  // The link thread has caught up with the present: it lists the interface as plugged or
  // not, has opened it if asked to, has carried everything the ECU has for the present time
  // into the receive ring, and every queued request onto the line (unless the device went).
  // The thread's own pauses are real time, which the hand-driven clock outruns.
  bool LinkSettled() {
    return WaitFor([&] {
      const bool plugged = library.plugged();
      if ((link.Status() == LinkStatus::kInterfaceListed) != plugged) return false;
      if (recorder.openRequested && plugged && !link.IsOpen()) return false;
      recorder.openRequested = false;
      return library.Settled() &&
             (library.bytesOffered() == recorder.queuedBytes || !link.IsOpen());
    });
  }

  // One 50 ms timer interval.
  void Step() {
    clock.Advance(kTimerInterval);
    library.ClockAdvanced();
    ASSERT_TRUE(LinkSettled());
    recorder.tick = ticks++;
    session.Tick();
    ASSERT_TRUE(LinkSettled());
  }

  // Steps until the condition holds, at most maxTicks times; returns whether it held.
  bool StepUntil(const std::function<bool()>& condition, int maxTicks = 400) {
    for (int i = 0; i < maxTicks && !condition(); ++i) {
      Step();
      if (::testing::Test::HasFatalFailure()) return false;
    }
    return condition();
  }

  bool Connected() const { return session.connectionState() == "Connected to ECU"; }

  // The read requests sent from request index `from` on: the first address of each.
  std::vector<int> ReadBlocksFrom(std::size_t from) const {
    std::vector<int> blocks;
    for (std::size_t i = from; i < recorder.sent.size(); ++i) {
      const auto& bytes = recorder.sent[i].bytes;
      if (bytes.size() == 11 && bytes[0] == 0x13) blocks.push_back(bytes[2]);
    }
    return blocks;
  }

  EngineState Engine() const {
    return library.Inspect([](const SimulatedEcu& ecu) { return ecu.engine().state(); });
  }

  ManualClock clock{Clock::time_point{std::chrono::hours(1)}};
  SimulatedDeviceLibrary library;
  TD2xxThread link{library};
  RecordingLink recorder{link};
  DisplaySettings settings;
  DashboardReadouts readouts;
  RecordingProtocolViews views;
  EcuSession session{recorder, settings, readouts, views, views, views, views};
  int ticks = 0;
};

}  // namespace rizazovoz
