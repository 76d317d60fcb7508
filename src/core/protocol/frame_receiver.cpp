#include "protocol/frame_receiver.h"

#include <span>

namespace rizazovoz {

std::optional<EcuFrame> FrameReceiver::Feed(std::uint8_t byte) {
  switch (state_) {
    case State::AwaitCommand:
      if (IsCommandByte(byte)) {
        command_ = byte;
        sum_ = byte;
        state_ = State::AwaitLength;
      }
      return std::nullopt;
    case State::AwaitLength:
      if (byte < kMinFrameLength || byte > kMaxFrameLength) {
        // The payload buffer cannot hold such a frame: abandon it. The byte may itself be a
        // command byte (0x10..0x15 are all above 11), so hunting starts with it.
        Reset();
        return Feed(byte);
      }
      sum_ = static_cast<std::uint8_t>(sum_ + byte);
      count_ = 0;
      remaining_ = byte - kMinFrameLength;
      state_ = remaining_ == 0 ? State::AwaitChecksum : State::AwaitPayload;
      return std::nullopt;
    case State::AwaitPayload:
      payload_[count_++] = byte;
      sum_ = static_cast<std::uint8_t>(sum_ + byte);
      if (--remaining_ == 0) state_ = State::AwaitChecksum;
      return std::nullopt;
    case State::AwaitChecksum:
      sum_ = static_cast<std::uint8_t>(sum_ + byte);
      state_ = State::AwaitCommand;
      if (sum_ != 0) return std::nullopt;
      return EcuFrame::Make(command_, std::span<const std::uint8_t>(payload_.data(), count_));
  }
  return std::nullopt;
}

void FrameReceiver::Reset() {
  state_ = State::AwaitCommand;
  count_ = 0;
  remaining_ = 0;
  sum_ = 0;
}

}  // namespace rizazovoz
