#pragma once
// The device layer under the link thread: a list of USB serial devices, each with a
// description, and the handful of calls needed to open one and move bytes through it.
// Implemented by the Linux serial ports, by the simulated ECU and by test fakes.
//
// Every call returns a status and never throws. The link thread makes every call, except
// InterruptWait, which any thread may call at any time. An implementation must therefore be
// safe for the link thread and one other thread calling InterruptWait concurrently.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rizazovoz {

enum class DeviceStatus : std::uint8_t {
  kOk,
  kTimeout,           // WaitForBytes: nothing arrived in time; Write: no room in time
  kInterrupted,       // WaitForBytes: InterruptWait was called
  kInvalidHandle,     // the handle is not (or no longer) open
  kDeviceNotFound,    // no device at that list position, or it cannot be opened
  kDeviceGone,        // the open device was unplugged or hung up; only Close is useful now
  kInvalidParameter,  // e.g. a baud rate or line format the device cannot do
  kIoError,           // the call failed for another reason
};

constexpr const char* DeviceStatusName(DeviceStatus status) {
  switch (status) {
    case DeviceStatus::kOk:
      return "Ok";
    case DeviceStatus::kTimeout:
      return "Timeout";
    case DeviceStatus::kInterrupted:
      return "Interrupted";
    case DeviceStatus::kInvalidHandle:
      return "InvalidHandle";
    case DeviceStatus::kDeviceNotFound:
      return "DeviceNotFound";
    case DeviceStatus::kDeviceGone:
      return "DeviceGone";
    case DeviceStatus::kInvalidParameter:
      return "InvalidParameter";
    case DeviceStatus::kIoError:
      return "IoError";
  }
  return "?";
}

// An open device. kNone is never handed out by a successful Open.
enum class DeviceHandle : std::uint32_t { kNone = 0 };

enum class Parity : std::uint8_t { kNone, kOdd, kEven };

inline constexpr std::size_t kDescriptionCapacity = 64;

// A device's description text, held without heap allocation; longer texts are cut to 64.
class DeviceDescription {
 public:
  DeviceDescription() = default;
  explicit DeviceDescription(std::string_view text) { Assign(text); }
  void Assign(std::string_view text) {
    length_ = std::min(text.size(), kDescriptionCapacity);
    std::copy_n(text.data(), length_, text_.data());
  }
  std::string_view View() const { return {text_.data(), length_}; }

 private:
  std::array<char, kDescriptionCapacity> text_{};
  std::size_t length_ = 0;
};

class DeviceLibrary {
 public:
  virtual ~DeviceLibrary() = default;

  // Reads the device list afresh and gives the number of devices on it. Positions refer to
  // this list until the next call.
  virtual DeviceStatus CreateDeviceInfoList(std::uint32_t& count) = 0;
  // The description of list position index (0-based).
  virtual DeviceStatus GetDeviceDescription(std::uint32_t index,
                                            DeviceDescription& description) = 0;
  // Opens list position index (0-based).
  virtual DeviceStatus Open(std::uint32_t index, DeviceHandle& handle) = 0;
  // Releases the handle, also after the device has gone. On failure the handle stays open.
  virtual DeviceStatus Close(DeviceHandle handle) = 0;
  // Any rate in baud, set exactly (7812 and 15625 in practice).
  virtual DeviceStatus SetBaudRate(DeviceHandle handle, std::uint32_t baudRate) = 0;
  virtual DeviceStatus SetDataCharacteristics(DeviceHandle handle, std::uint8_t dataBits,
                                              std::uint8_t stopBits, Parity parity) = 0;
  virtual DeviceStatus SetTimeouts(DeviceHandle handle, std::chrono::milliseconds read,
                                   std::chrono::milliseconds write) = 0;
  // How many received bytes are waiting to be read.
  virtual DeviceStatus GetQueueStatus(DeviceHandle handle, std::size_t& bytesWaiting) = 0;
  // Reads at most count bytes that are already waiting; never waits for more.
  virtual DeviceStatus Read(DeviceHandle handle, std::uint8_t* buffer, std::size_t count,
                            std::size_t& bytesRead) = 0;
  // Hands the bytes to the device, waiting for room at most the write timeout (kTimeout
  // when not all of them went out; bytesWritten says how many did).
  virtual DeviceStatus Write(DeviceHandle handle, const std::uint8_t* bytes, std::size_t count,
                             std::size_t& bytesWritten) = 0;
  // Waits until received bytes are waiting (kOk), the device has gone (kDeviceGone),
  // InterruptWait was called (kInterrupted) or timeout has passed (kTimeout). Returns at
  // once when bytes are already waiting.
  virtual DeviceStatus WaitForBytes(DeviceHandle handle, std::chrono::milliseconds timeout) = 0;
  // Makes the WaitForBytes in progress return kInterrupted, or, when none is in progress,
  // the next one; calls before a wait count as one. Callable from any thread.
  virtual void InterruptWait() = 0;
};

}  // namespace rizazovoz
