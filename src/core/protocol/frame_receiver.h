#pragma once
// Cuts the received byte stream into frames, one byte at a time. Bytes that cannot start a
// frame are dropped; a frame whose bytes do not sum to 0 is dropped without a report, and
// hunting resumes with the byte after its checksum.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "protocol/ecu_frame.h"

namespace rizazovoz {

class FrameReceiver {
 public:
  enum class State { AwaitCommand, AwaitLength, AwaitPayload, AwaitChecksum };

  // Returns the frame that `byte` completed, if its sum is 0.
  std::optional<EcuFrame> Feed(std::uint8_t byte);
  // Drops any partial frame and hunts for a command byte again.
  void Reset();

  State state() const { return state_; }

 private:
  State state_ = State::AwaitCommand;
  std::uint8_t command_ = 0;
  std::uint8_t sum_ = 0;
  std::size_t remaining_ = 0;
  std::array<std::uint8_t, kMaxFramePayload> payload_{};
  std::size_t count_ = 0;
};

}  // namespace rizazovoz
