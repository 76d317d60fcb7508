#include "sim/simulated_device_library.h"

#include <algorithm>
#include <string>

#include "transport/link_status.h"

namespace rizazovoz {
namespace {

SimulatedEcuConfig ConfigFor(std::string_view identity) {
  SimulatedEcuConfig config;
  config.identity = std::string(identity);
  return config;
}

}  // namespace

SimulatedDeviceLibrary::SimulatedDeviceLibrary(std::string_view identity)
    : SimulatedDeviceLibrary(std::make_unique<SteadyClock>(), nullptr, ConfigFor(identity)) {}

SimulatedDeviceLibrary::SimulatedDeviceLibrary(const Clock& clock, const SimulatedEcuConfig& config)
    : SimulatedDeviceLibrary(nullptr, &clock, config) {}

SimulatedDeviceLibrary::SimulatedDeviceLibrary(std::unique_ptr<Clock> ownClock, const Clock* clock,
                                               const SimulatedEcuConfig& config)
    : ownClock_(std::move(ownClock)),
      clock_(clock != nullptr ? *clock : *ownClock_),
      ecu_(config, clock_.now()) {}

void SimulatedDeviceLibrary::Unplug() {
  {
    std::lock_guard lock(mutex_);
    plugged_ = false;
    if (open_ != DeviceHandle::kNone) gone_ = true;
  }
  bytesOrInterrupt_.notify_all();
}

void SimulatedDeviceLibrary::Plug() {
  std::lock_guard lock(mutex_);
  plugged_ = true;
}

bool SimulatedDeviceLibrary::plugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

bool SimulatedDeviceLibrary::isOpen() const {
  std::lock_guard lock(mutex_);
  return open_ != DeviceHandle::kNone && !gone_;
}

void SimulatedDeviceLibrary::DropAnswers(int count) {
  std::lock_guard lock(mutex_);
  ecu_.DropAnswers(count);
}

void SimulatedDeviceLibrary::CorruptAnswers(int count) {
  std::lock_guard lock(mutex_);
  ecu_.CorruptAnswers(count);
}

void SimulatedDeviceLibrary::SetSilent(bool silent) {
  std::lock_guard lock(mutex_);
  ecu_.SetSilent(silent);
}

void SimulatedDeviceLibrary::InjectFromEcuSide(std::span<const std::uint8_t> bytes) {
  {
    std::lock_guard lock(mutex_);
    ecu_.Inject(bytes);
  }
  bytesOrInterrupt_.notify_all();
}

void SimulatedDeviceLibrary::SetWriteObserver(
    std::function<void(std::span<const std::uint8_t>)> observer) {
  std::lock_guard lock(mutex_);
  writeObserver_ = std::move(observer);
}

void SimulatedDeviceLibrary::ClockAdvanced() { bytesOrInterrupt_.notify_all(); }

bool SimulatedDeviceLibrary::Settled() const {
  std::lock_guard lock(mutex_);
  const auto now = clock_.now();
  ecu_.AdvanceTo(now);
  const bool readable = open_ != DeviceHandle::kNone && !gone_;
  return !deliveredSinceLastCall_ && (!readable || ecu_.Available() == 0);
}

std::size_t SimulatedDeviceLibrary::bytesOffered() const {
  std::lock_guard lock(mutex_);
  return bytesOffered_;
}

DeviceStatus SimulatedDeviceLibrary::Check(DeviceHandle handle) const {
  if (handle == DeviceHandle::kNone || handle != open_) return DeviceStatus::kInvalidHandle;
  if (gone_) return DeviceStatus::kDeviceGone;
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::CreateDeviceInfoList(std::uint32_t& count) {
  std::lock_guard lock(mutex_);
  deliveredSinceLastCall_ = false;
  listedOnLastRead_ = plugged_;
  count = plugged_ ? 1 : 0;
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::GetDeviceDescription(std::uint32_t index,
                                                          DeviceDescription& description) {
  std::lock_guard lock(mutex_);
  if (index != 0 || !listedOnLastRead_) return DeviceStatus::kDeviceNotFound;
  description.Assign(kInterfaceDescription);
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::Open(std::uint32_t index, DeviceHandle& handle) {
  std::lock_guard lock(mutex_);
  // One user at a time, as with the real cable.
  if (index != 0 || !plugged_ || open_ != DeviceHandle::kNone) {
    return DeviceStatus::kDeviceNotFound;
  }
  if (++lastHandle_ == 0) ++lastHandle_;
  open_ = static_cast<DeviceHandle>(lastHandle_);
  gone_ = false;
  deliveredSinceLastCall_ = false;
  ecu_.AdvanceTo(clock_.now());
  ecu_.ResetLine();
  handle = open_;
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::Close(DeviceHandle handle) {
  std::lock_guard lock(mutex_);
  if (handle == DeviceHandle::kNone || handle != open_) return DeviceStatus::kInvalidHandle;
  open_ = DeviceHandle::kNone;
  gone_ = false;
  deliveredSinceLastCall_ = false;
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::SetBaudRate(DeviceHandle handle, std::uint32_t baudRate) {
  std::lock_guard lock(mutex_);
  if (const DeviceStatus status = Check(handle); status != DeviceStatus::kOk) return status;
  if (baudRate == 0) return DeviceStatus::kInvalidParameter;
  ecu_.SetBaudRate(baudRate);
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::SetDataCharacteristics(DeviceHandle handle,
                                                            std::uint8_t dataBits,
                                                            std::uint8_t stopBits, Parity) {
  std::lock_guard lock(mutex_);
  if (const DeviceStatus status = Check(handle); status != DeviceStatus::kOk) return status;
  if ((dataBits != 7 && dataBits != 8) || (stopBits != 1 && stopBits != 2)) {
    return DeviceStatus::kInvalidParameter;
  }
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::SetTimeouts(DeviceHandle handle, std::chrono::milliseconds,
                                                 std::chrono::milliseconds) {
  std::lock_guard lock(mutex_);
  return Check(handle);
}

DeviceStatus SimulatedDeviceLibrary::GetQueueStatus(DeviceHandle handle,
                                                    std::size_t& bytesWaiting) {
  std::lock_guard lock(mutex_);
  if (const DeviceStatus status = Check(handle); status != DeviceStatus::kOk) return status;
  deliveredSinceLastCall_ = false;
  ecu_.AdvanceTo(clock_.now());
  bytesWaiting = ecu_.Available();
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::Read(DeviceHandle handle, std::uint8_t* buffer,
                                          std::size_t count, std::size_t& bytesRead) {
  std::lock_guard lock(mutex_);
  bytesRead = 0;
  if (const DeviceStatus status = Check(handle); status != DeviceStatus::kOk) return status;
  ecu_.AdvanceTo(clock_.now());
  bytesRead = ecu_.Take(buffer, count);
  if (bytesRead > 0) deliveredSinceLastCall_ = true;
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::Write(DeviceHandle handle, const std::uint8_t* bytes,
                                           std::size_t count, std::size_t& bytesWritten) {
  {
    std::lock_guard lock(mutex_);
    bytesWritten = 0;
    bytesOffered_ += count;
    if (const DeviceStatus status = Check(handle); status != DeviceStatus::kOk) return status;
    ecu_.Receive(std::span(bytes, count), clock_.now());
    bytesWritten = count;
    if (writeObserver_) writeObserver_(std::span(bytes, count));
  }
  bytesOrInterrupt_.notify_all();  // the echo is there at once
  return DeviceStatus::kOk;
}

DeviceStatus SimulatedDeviceLibrary::WaitForBytes(DeviceHandle handle,
                                                  std::chrono::milliseconds timeout) {
  using RealClock = std::chrono::steady_clock;
  const auto deadline = RealClock::now() + timeout;
  std::unique_lock lock(mutex_);
  deliveredSinceLastCall_ = false;
  for (;;) {
    if (const DeviceStatus status = Check(handle); status != DeviceStatus::kOk) return status;
    const auto now = clock_.now();
    ecu_.AdvanceTo(now);
    if (ecu_.Available() > 0) return DeviceStatus::kOk;
    if (interruptPending_) {
      interruptPending_ = false;
      return DeviceStatus::kInterrupted;
    }
    const auto realNow = RealClock::now();
    if (realNow >= deadline) return DeviceStatus::kTimeout;
    // Under the steady clock the next answer's due time is a real time; under a test's
    // clock it is reached when the test moves the clock, which ClockAdvanced reports.
    auto wakeAt = deadline;
    if (const auto due = ecu_.NextAnswerDue()) {
      wakeAt = std::min(wakeAt, realNow + std::max(*due - now, Clock::duration::zero()));
    }
    bytesOrInterrupt_.wait_until(lock, wakeAt);
  }
}

void SimulatedDeviceLibrary::InterruptWait() {
  {
    std::lock_guard lock(mutex_);
    interruptPending_ = true;
  }
  bytesOrInterrupt_.notify_all();
}

}  // namespace rizazovoz
