#pragma once
// A device library with one device, described "RUZ Interface", and the simulated ECU behind
// it: the program's link thread drives it like the real cable, while a test or the program's
// own windows unplug and replug it and inject faults. There is no thread of its own: the
// link thread's calls (WaitForBytes, GetQueueStatus, Read, Write) bring the ECU up to the
// clock's time, and WaitForBytes waits at most until the next answer is due.
//
// Thread-safe: every call may come from any thread.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <utility>

#include "sim/clock.h"
#include "sim/simulated_ecu.h"
#include "transport/device_library.h"

namespace rizazovoz {

class SimulatedDeviceLibrary final : public DeviceLibrary {
 public:
  // The running program's simulation: an ECU of this identity on the steady clock.
  explicit SimulatedDeviceLibrary(std::string_view identity = "1103");
  // The clock must outlive the library.
  SimulatedDeviceLibrary(const Clock& clock, const SimulatedEcuConfig& config);

  // The interface leaves the device list; an open handle on it reports kDeviceGone until it
  // is closed. Plug puts it back (closed).
  void Unplug();
  void Plug();
  bool plugged() const;
  bool isOpen() const;

  void DropAnswers(int count);
  void CorruptAnswers(int count);
  void SetSilent(bool silent);

  // Runs fn(const SimulatedEcu&) under the library's lock, brought up to the clock's time.
  template <typename Fn>
  auto Inspect(Fn&& fn) const {
    std::lock_guard lock(mutex_);
    ecu_.AdvanceTo(clock_.now());
    return std::forward<Fn>(fn)(std::as_const(ecu_));
  }

  // Bytes from the ECU's side of the line, outside the protocol.
  void InjectFromEcuSide(std::span<const std::uint8_t> bytes);
  // Called, under the library's lock, with every byte block the device accepts from Write.
  void SetWriteObserver(std::function<void(std::span<const std::uint8_t>)> observer);

  // Wakes a WaitForBytes in progress to look at the clock again (after a test moved it).
  void ClockAdvanced();
  // Nothing is left in flight for the clock's present time: every answer that is due has
  // been read, and the reader has come back for more since (so it has handed on what it
  // read). Answers scheduled for later do not count.
  bool Settled() const;
  // Bytes handed to Write so far, whether or not the device could take them.
  std::size_t bytesOffered() const;

  DeviceStatus CreateDeviceInfoList(std::uint32_t& count) override;
  DeviceStatus GetDeviceDescription(std::uint32_t index, DeviceDescription& description) override;
  DeviceStatus Open(std::uint32_t index, DeviceHandle& handle) override;
  DeviceStatus Close(DeviceHandle handle) override;
  DeviceStatus SetBaudRate(DeviceHandle handle, std::uint32_t baudRate) override;
  DeviceStatus SetDataCharacteristics(DeviceHandle handle, std::uint8_t dataBits,
                                      std::uint8_t stopBits, Parity parity) override;
  DeviceStatus SetTimeouts(DeviceHandle handle, std::chrono::milliseconds read,
                           std::chrono::milliseconds write) override;
  DeviceStatus GetQueueStatus(DeviceHandle handle, std::size_t& bytesWaiting) override;
  DeviceStatus Read(DeviceHandle handle, std::uint8_t* buffer, std::size_t count,
                    std::size_t& bytesRead) override;
  DeviceStatus Write(DeviceHandle handle, const std::uint8_t* bytes, std::size_t count,
                     std::size_t& bytesWritten) override;
  DeviceStatus WaitForBytes(DeviceHandle handle, std::chrono::milliseconds timeout) override;
  void InterruptWait() override;

 private:
  SimulatedDeviceLibrary(std::unique_ptr<Clock> ownClock, const Clock* clock,
                         const SimulatedEcuConfig& config);
  // kOk for the open handle; the reason otherwise. Called with the lock held.
  DeviceStatus Check(DeviceHandle handle) const;

  std::unique_ptr<Clock> ownClock_;  // only for the program's steady clock
  const Clock& clock_;

  mutable std::mutex mutex_;
  std::condition_variable bytesOrInterrupt_;
  mutable SimulatedEcu ecu_;
  bool plugged_ = true;
  bool listedOnLastRead_ = true;  // list positions refer to the last list read
  DeviceHandle open_ = DeviceHandle::kNone;
  bool gone_ = false;  // the open handle's device was unplugged
  std::uint32_t lastHandle_ = 0;
  bool interruptPending_ = false;
  bool deliveredSinceLastCall_ = false;
  std::size_t bytesOffered_ = 0;
  std::function<void(std::span<const std::uint8_t>)> writeObserver_;
};

}  // namespace rizazovoz
