#pragma once
// One frame on the ECU's serial line, in either direction: command byte, length byte (the
// whole frame, 3 to 11 bytes), up to 8 payload bytes and a checksum byte that makes the 8-bit
// sum of the frame 0. The request builders are pure and allocate nothing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace rizazovoz {

enum class EcuCommand : std::uint8_t {
  Identify = 0x10,
  ReadBlock = 0x13,
  ResetEcu = 0x14,
  ActuatorTest = 0x15,
};

// Selects the data bytes of an actuator command; the actuator window's buttons map onto it.
enum class ActuatorMode : std::uint8_t {
  Cancel = 0,
  RpmControl = 1,
  FixAdvance = 2,
  IacCalibration = 3,
  EgrSolControl = 4,
  EgrStepControl = 5,
  RadFanControl = 6,
  CanPurgeControl = 7,
  FuelPumpControl = 8,
};

inline constexpr std::size_t kMinFrameLength = 3;
inline constexpr std::size_t kMaxFramePayload = 8;
inline constexpr std::size_t kMaxFrameLength = kMinFrameLength + kMaxFramePayload;
inline constexpr std::size_t kReadBlockSize = 8;  // addresses named by one read request

// The addresses named by a read request, in request order; a data answer's bytes follow it.
using AddressBlock = std::array<std::uint8_t, kReadBlockSize>;

class EcuFrame {
 public:
  // Assembles a frame and appends its checksum. The payload must hold at most 8 bytes.
  static EcuFrame Make(std::uint8_t command, std::span<const std::uint8_t> payload);

  std::uint8_t command() const { return bytes_[0]; }
  std::uint8_t length() const { return bytes_[1]; }
  std::span<const std::uint8_t> payload() const {
    return {bytes_.data() + 2, size_ - kMinFrameLength};
  }
  std::uint8_t checksum() const { return bytes_[size_ - 1]; }
  // The wire bytes, command first.
  std::span<const std::uint8_t> bytes() const { return {bytes_.data(), size_}; }

 private:
  std::array<std::uint8_t, kMaxFrameLength> bytes_{};
  std::size_t size_ = kMinFrameLength;
};

// The byte that brings the 8-bit sum of `bytes` plus itself to 0.
std::uint8_t Checksum(std::span<const std::uint8_t> bytes);

// A complete received frame is accepted when the 8-bit sum of all its bytes is 0.
bool FrameCheckPasses(std::span<const std::uint8_t> frame);

// Only these byte values start a frame.
bool IsCommandByte(std::uint8_t byte);

EcuFrame BuildIdentifyRequest();  // 10 03 ED
EcuFrame BuildResetRequest();     // 14 03 E9

struct ReadRequest {
  EcuFrame frame;
  AddressBlock addressBlock;
};
// Names the eight addresses baseAddress + readPosition + k (k = 0..7), each modulo 256.
ReadRequest BuildReadRequest(int baseAddress, int readPosition);

// Only the low 8 bits of value are sent. A mode outside 0..8 carries no data bytes, like
// Cancel.
EcuFrame BuildActuatorCommand(ActuatorMode mode, int value);

}  // namespace rizazovoz
