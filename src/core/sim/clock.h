#pragma once
// Where the simulated ECU takes its time from: the steady clock in the running program and
// in ecusim, a hand-driven clock in tests so that no test has to wait for real time to pass.
#include <atomic>
#include <chrono>

namespace rizazovoz {

class Clock {
 public:
  using duration = std::chrono::steady_clock::duration;
  using time_point = std::chrono::steady_clock::time_point;

  virtual ~Clock() = default;
  virtual time_point now() const = 0;
};

class SteadyClock final : public Clock {
 public:
  time_point now() const override { return std::chrono::steady_clock::now(); }
};

// Moves only when told to. Any thread may read it while one thread advances it.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(time_point start = time_point{})
      : ticks_(start.time_since_epoch().count()) {}

  time_point now() const override {
    return time_point{duration{ticks_.load(std::memory_order_acquire)}};
  }
  void Advance(duration by) { ticks_.fetch_add(by.count(), std::memory_order_acq_rel); }

 private:
  std::atomic<duration::rep> ticks_;
};

}  // namespace rizazovoz
