#pragma once
// Moves bytes between a file descriptor (a pseudo-terminal's master side or a serial port)
// and a SimulatedEcu, on the steady clock: what arrives is handed to the ECU at once, and
// what the ECU has to say is written as soon as it is due.
#include <chrono>
#include <cstddef>

#include "sim/clock.h"
#include "sim/simulated_ecu.h"

namespace rizazovoz::ecusim {

class FdEcuBridge {
 public:
  // lineEchoes: the line hands our own bytes back to us; they are not requests.
  FdEcuBridge(int fd, SimulatedEcu& ecu, const Clock& clock, bool lineEchoes);

  // Runs until stopFd becomes readable or the line fails; false when the line failed.
  bool Run(int stopFd);

 private:
  bool ReadLine();
  bool WriteDue();
  int PollTimeoutMs() const;

  int fd_;
  SimulatedEcu& ecu_;
  const Clock& clock_;
  bool lineEchoes_;
  std::size_t ownBytesToSkip_ = 0;
};

}  // namespace rizazovoz::ecusim
