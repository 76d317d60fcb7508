#pragma once
// An in-memory device library for tests: scripted devices with descriptions that can be
// plugged and unplugged, calls that can be made to fail, and byte queues in both directions.
// Thread-safe: the link thread calls it while the test scripts and inspects it.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "transport/device_library.h"

namespace rizazovoz {

class FakeDeviceLibrary : public DeviceLibrary {
 public:
  enum class Call {
    kList,
    kDescription,
    kOpen,
    kClose,
    kSetBaudRate,
    kSetDataCharacteristics,
    kSetTimeouts,
    kQueueStatus,
    kRead,
    kWrite,
    kWait,
  };

  struct LineFormat {
    std::uint8_t dataBits = 0;
    std::uint8_t stopBits = 0;
    Parity parity = Parity::kNone;
  };

  // Adds a plugged-in device at the end of the list; returns its id (not its list position).
  int AddDevice(std::string description) {
    std::lock_guard lock(mutex_);
    const int id = static_cast<int>(devices_.size());
    devices_.emplace_back().description = std::move(description);
    listed_.push_back(id);
    Changed();
    return id;
  }

  // Takes the device off the list; an open handle on it reports kDeviceGone from now on.
  void Unplug(int id) {
    std::lock_guard lock(mutex_);
    std::erase(listed_, id);
    for (auto& [handle, open] : handles_) {
      if (open.device == id) open.gone = true;
    }
    devices_[id].toHost.clear();
    Changed();
  }

  // Puts an unplugged device back, at the end of the list.
  void Plug(int id) {
    std::lock_guard lock(mutex_);
    std::erase(listed_, id);
    listed_.push_back(id);
    Changed();
  }

  // The next `times` calls of that kind fail with `status`.
  void FailNext(Call call, int times, DeviceStatus status = DeviceStatus::kIoError) {
    std::lock_guard lock(mutex_);
    failures_[call] = Failure{times, status};
  }

  // Asking for this device's description fails while set.
  void SetDescriptionFails(int id, bool fails) {
    std::lock_guard lock(mutex_);
    devices_[id].descriptionFails = fails;
  }

  // Bytes the device sends to the host.
  void DeviceSends(int id, const std::vector<std::uint8_t>& bytes) {
    std::lock_guard lock(mutex_);
    devices_[id].toHost.insert(devices_[id].toHost.end(), bytes.begin(), bytes.end());
    Changed();
  }

  // Everything the host has written to the device so far, taken away.
  std::vector<std::uint8_t> TakeWritten(int id) {
    std::lock_guard lock(mutex_);
    std::vector<std::uint8_t> bytes;
    bytes.swap(devices_[id].fromHost);
    return bytes;
  }

  std::size_t BytesWaitingAtHost(int id) {
    std::lock_guard lock(mutex_);
    return devices_[id].toHost.size();
  }

  bool IsDeviceOpen(int id) {
    std::lock_guard lock(mutex_);
    return OpenHandleOf(id) != nullptr;
  }
  std::uint32_t BaudRate(int id) {
    std::lock_guard lock(mutex_);
    return devices_[id].baudRate;
  }
  LineFormat Format(int id) {
    std::lock_guard lock(mutex_);
    return devices_[id].format;
  }
  std::chrono::milliseconds ReadTimeout(int id) {
    std::lock_guard lock(mutex_);
    return devices_[id].readTimeout;
  }
  std::chrono::milliseconds WriteTimeout(int id) {
    std::lock_guard lock(mutex_);
    return devices_[id].writeTimeout;
  }
  int Calls(Call call) {
    std::lock_guard lock(mutex_);
    return calls_[call];
  }
  // The most bytes one Read asked for, or one Write handed over.
  std::size_t LargestRead() {
    std::lock_guard lock(mutex_);
    return largestRead_;
  }
  std::size_t LargestWrite() {
    std::lock_guard lock(mutex_);
    return largestWrite_;
  }
  // While stalled, Write calls do not return (as a device that takes its time would).
  void StallWrites(bool stalled) {
    std::lock_guard lock(mutex_);
    writesStalled_ = stalled;
    Changed();
  }
  // Handles handed out and not yet released.
  std::size_t HandlesHeld() {
    std::lock_guard lock(mutex_);
    return handles_.size();
  }

  // Waits until the link thread has made that kind of call at least `atLeast` times.
  bool WaitForCalls(Call call, int atLeast, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return calls_[call] >= atLeast; });
  }

  // DeviceLibrary
  DeviceStatus CreateDeviceInfoList(std::uint32_t& count) override {
    std::lock_guard lock(mutex_);
    if (const auto failed = Begin(Call::kList)) return *failed;
    snapshot_ = listed_;
    count = static_cast<std::uint32_t>(snapshot_.size());
    return DeviceStatus::kOk;
  }
  DeviceStatus GetDeviceDescription(std::uint32_t index, DeviceDescription& description) override {
    std::lock_guard lock(mutex_);
    if (const auto failed = Begin(Call::kDescription)) return *failed;
    if (index >= snapshot_.size()) return DeviceStatus::kDeviceNotFound;
    const Device& device = devices_[snapshot_[index]];
    if (device.descriptionFails) return DeviceStatus::kIoError;
    description.Assign(device.description);
    return DeviceStatus::kOk;
  }
  DeviceStatus Open(std::uint32_t index, DeviceHandle& handle) override {
    std::lock_guard lock(mutex_);
    if (const auto failed = Begin(Call::kOpen)) return *failed;
    if (index >= snapshot_.size()) return DeviceStatus::kDeviceNotFound;
    const int id = snapshot_[index];
    if (std::find(listed_.begin(), listed_.end(), id) == listed_.end()) {
      return DeviceStatus::kDeviceNotFound;
    }
    if (OpenHandleOf(id) != nullptr) return DeviceStatus::kIoError;  // already open
    handle = static_cast<DeviceHandle>(++lastHandle_);
    handles_[handle] = OpenDevice{id, false};
    return DeviceStatus::kOk;
  }
  DeviceStatus Close(DeviceHandle handle) override {
    std::lock_guard lock(mutex_);
    if (const auto failed = Begin(Call::kClose)) return *failed;
    if (handles_.erase(handle) == 0) return DeviceStatus::kInvalidHandle;
    return DeviceStatus::kOk;
  }
  DeviceStatus SetBaudRate(DeviceHandle handle, std::uint32_t baudRate) override {
    std::lock_guard lock(mutex_);
    Device* device = nullptr;
    if (const auto failed = BeginOnHandle(Call::kSetBaudRate, handle, device)) return *failed;
    if (baudRate == 0) return DeviceStatus::kInvalidParameter;
    device->baudRate = baudRate;
    return DeviceStatus::kOk;
  }
  DeviceStatus SetDataCharacteristics(DeviceHandle handle, std::uint8_t dataBits,
                                      std::uint8_t stopBits, Parity parity) override {
    std::lock_guard lock(mutex_);
    Device* device = nullptr;
    if (const auto failed = BeginOnHandle(Call::kSetDataCharacteristics, handle, device)) {
      return *failed;
    }
    device->format = LineFormat{dataBits, stopBits, parity};
    return DeviceStatus::kOk;
  }
  DeviceStatus SetTimeouts(DeviceHandle handle, std::chrono::milliseconds read,
                           std::chrono::milliseconds write) override {
    std::lock_guard lock(mutex_);
    Device* device = nullptr;
    if (const auto failed = BeginOnHandle(Call::kSetTimeouts, handle, device)) return *failed;
    device->readTimeout = read;
    device->writeTimeout = write;
    return DeviceStatus::kOk;
  }
  DeviceStatus GetQueueStatus(DeviceHandle handle, std::size_t& bytesWaiting) override {
    std::lock_guard lock(mutex_);
    Device* device = nullptr;
    if (const auto failed = BeginOnHandle(Call::kQueueStatus, handle, device)) return *failed;
    bytesWaiting = device->toHost.size();
    return DeviceStatus::kOk;
  }
  DeviceStatus Read(DeviceHandle handle, std::uint8_t* buffer, std::size_t count,
                    std::size_t& bytesRead) override {
    std::lock_guard lock(mutex_);
    bytesRead = 0;
    Device* device = nullptr;
    if (const auto failed = BeginOnHandle(Call::kRead, handle, device)) return *failed;
    largestRead_ = std::max(largestRead_, count);
    while (bytesRead < count && !device->toHost.empty()) {
      buffer[bytesRead++] = device->toHost.front();
      device->toHost.pop_front();
    }
    return DeviceStatus::kOk;
  }
  DeviceStatus Write(DeviceHandle handle, const std::uint8_t* bytes, std::size_t count,
                     std::size_t& bytesWritten) override {
    std::unique_lock lock(mutex_);
    bytesWritten = 0;
    Device* device = nullptr;
    if (const auto failed = BeginOnHandle(Call::kWrite, handle, device)) return *failed;
    changed_.wait(lock, [&] { return !writesStalled_; });
    largestWrite_ = std::max(largestWrite_, count);
    device->fromHost.insert(device->fromHost.end(), bytes, bytes + count);
    bytesWritten = count;
    return DeviceStatus::kOk;
  }
  DeviceStatus WaitForBytes(DeviceHandle handle, std::chrono::milliseconds timeout) override {
    std::unique_lock lock(mutex_);
    Device* device = nullptr;
    if (const auto failed = BeginOnHandle(Call::kWait, handle, device)) return *failed;
    const auto it = handles_.find(handle);
    changed_.wait_for(lock, timeout,
                      [&] { return interrupted_ || it->second.gone || !device->toHost.empty(); });
    if (it->second.gone) return DeviceStatus::kDeviceGone;
    if (!device->toHost.empty()) return DeviceStatus::kOk;
    if (interrupted_) {
      interrupted_ = false;
      return DeviceStatus::kInterrupted;
    }
    return DeviceStatus::kTimeout;
  }
  void InterruptWait() override {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    Changed();
  }

 private:
  struct Device {
    std::string description;
    bool descriptionFails = false;
    std::deque<std::uint8_t> toHost;
    std::vector<std::uint8_t> fromHost;
    std::uint32_t baudRate = 0;
    LineFormat format;
    std::chrono::milliseconds readTimeout{0};
    std::chrono::milliseconds writeTimeout{0};
  };
  struct OpenDevice {
    int device = -1;
    bool gone = false;
  };
  struct Failure {
    int remaining = 0;
    DeviceStatus status = DeviceStatus::kIoError;
  };

  void Changed() { changed_.notify_all(); }

  // Counts the call and gives the scripted failure, if one is due.
  std::optional<DeviceStatus> Begin(Call call) {
    ++calls_[call];
    Changed();
    const auto it = failures_.find(call);
    if (it == failures_.end() || it->second.remaining == 0) return std::nullopt;
    --it->second.remaining;
    return it->second.status;
  }
  std::optional<DeviceStatus> BeginOnHandle(Call call, DeviceHandle handle, Device*& device) {
    if (const auto failed = Begin(call)) return failed;
    const auto it = handles_.find(handle);
    if (it == handles_.end()) return DeviceStatus::kInvalidHandle;
    if (it->second.gone) return DeviceStatus::kDeviceGone;
    device = &devices_[it->second.device];
    return std::nullopt;
  }
  const OpenDevice* OpenHandleOf(int id) const {
    for (const auto& [handle, open] : handles_) {
      if (open.device == id && !open.gone) return &open;
    }
    return nullptr;
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Device> devices_;  // ids index it; a deque keeps references stable
  std::vector<int> listed_;     // ids of plugged-in devices, in list order
  std::vector<int> snapshot_;   // the list as of the last CreateDeviceInfoList
  std::map<DeviceHandle, OpenDevice> handles_;
  std::uint32_t lastHandle_ = 0;
  std::map<Call, int> calls_;
  std::map<Call, Failure> failures_;
  bool interrupted_ = false;
  bool writesStalled_ = false;
  std::size_t largestRead_ = 0;
  std::size_t largestWrite_ = 0;
};

}  // namespace rizazovoz
