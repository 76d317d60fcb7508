#include "protocol/ecu_frame.h"

#include <algorithm>
#include <cassert>

namespace rizazovoz {

EcuFrame EcuFrame::Make(std::uint8_t command, std::span<const std::uint8_t> payload) {
  assert(payload.size() <= kMaxFramePayload);
  const std::size_t count = std::min(payload.size(), kMaxFramePayload);
  EcuFrame frame;
  frame.size_ = kMinFrameLength + count;
  frame.bytes_[0] = command;
  frame.bytes_[1] = static_cast<std::uint8_t>(frame.size_);
  std::copy_n(payload.begin(), count, frame.bytes_.begin() + 2);
  frame.bytes_[frame.size_ - 1] = Checksum({frame.bytes_.data(), frame.size_ - 1});
  return frame;
}

std::uint8_t Checksum(std::span<const std::uint8_t> bytes) {
  std::uint8_t sum = 0;
  for (std::uint8_t b : bytes) sum = static_cast<std::uint8_t>(sum + b);
  return static_cast<std::uint8_t>(0x100 - sum);
}

bool FrameCheckPasses(std::span<const std::uint8_t> frame) {
  return !frame.empty() && Checksum(frame) == 0;
}

bool IsCommandByte(std::uint8_t byte) {
  switch (static_cast<EcuCommand>(byte)) {
    case EcuCommand::Identify:
    case EcuCommand::ReadBlock:
    case EcuCommand::ResetEcu:
    case EcuCommand::ActuatorTest:
      return true;
  }
  return false;
}

EcuFrame BuildIdentifyRequest() {
  return EcuFrame::Make(static_cast<std::uint8_t>(EcuCommand::Identify), {});
}

EcuFrame BuildResetRequest() {
  return EcuFrame::Make(static_cast<std::uint8_t>(EcuCommand::ResetEcu), {});
}

ReadRequest BuildReadRequest(int baseAddress, int readPosition) {
  AddressBlock block{};
  for (std::size_t k = 0; k < block.size(); ++k) {
    // Unsigned arithmetic: the address wraps modulo 256 whatever the sign of the inputs.
    block[k] = static_cast<std::uint8_t>(static_cast<unsigned>(baseAddress) +
                                         static_cast<unsigned>(readPosition) + k);
  }
  return {EcuFrame::Make(static_cast<std::uint8_t>(EcuCommand::ReadBlock), block), block};
}

EcuFrame BuildActuatorCommand(ActuatorMode mode, int value) {
  const auto low = static_cast<std::uint8_t>(static_cast<unsigned>(value));
  // Data bytes 0..7 are frame bytes 2..9; data bytes 2 and 7 are always 0.
  std::array<std::uint8_t, kMaxFramePayload> data{};
  switch (mode) {
    case ActuatorMode::Cancel:
      break;
    case ActuatorMode::RpmControl:
      data[0] = 0xC0;
      data[1] = low;
      break;
    case ActuatorMode::FixAdvance:
      data[0] = low;
      break;
    case ActuatorMode::IacCalibration:
      data[0] = 0x80;
      break;
    case ActuatorMode::EgrSolControl:
      data[3] = data[4] = 0x01;
      break;
    case ActuatorMode::EgrStepControl:
      data[5] = 0xC0;
      data[6] = low;
      break;
    case ActuatorMode::RadFanControl:
      data[3] = data[4] = 0x80;
      break;
    case ActuatorMode::CanPurgeControl:
      data[3] = data[4] = 0x40;
      break;
    case ActuatorMode::FuelPumpControl:
      data[3] = data[4] = 0x04;
      break;
  }
  return EcuFrame::Make(static_cast<std::uint8_t>(EcuCommand::ActuatorTest), data);
}

}  // namespace rizazovoz
