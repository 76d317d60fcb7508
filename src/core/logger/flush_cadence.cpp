#include "logger/flush_cadence.h"

namespace rizazovoz {

bool FlushCadence::RowRecorded(TimePoint now, Duration untilNextRow) {
  if (!oldestWaiting_) oldestWaiting_ = now;
  if (now + untilNextRow - *oldestWaiting_ < kHandOffWithin) return false;
  oldestWaiting_.reset();
  return true;
}

}  // namespace rizazovoz
