#pragma once
// When the rows recorded since the last hand-off go to the journal's writer: each row within
// half a second of being recorded, so that with the writer's own write and flush it is on
// the disk within a second; and in batches, so that a fast time base does not flush the
// disk 25 times a second. The decision is made from the times of the samples, no timer.
#include <chrono>
#include <optional>

namespace rizazovoz {

class FlushCadence {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  using Duration = std::chrono::steady_clock::duration;
  static constexpr Duration kHandOffWithin = std::chrono::milliseconds(500);

  // A row was recorded at `now`; the next one comes `untilNextRow` later. True when the rows
  // waiting so far must be handed off now, because the oldest would wait too long otherwise.
  bool RowRecorded(TimePoint now, Duration untilNextRow);

 private:
  std::optional<TimePoint> oldestWaiting_;
};

}  // namespace rizazovoz
