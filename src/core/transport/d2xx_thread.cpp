#include "transport/d2xx_thread.h"

#include <pthread.h>

#include <algorithm>
#include <optional>

#include "transport/baud_rate.h"

namespace rizazovoz {
namespace {

constexpr std::chrono::milliseconds kDeviceTimeout{300};

}  // namespace

TD2xxThread::TD2xxThread(DeviceLibrary& library, LinkThreadTiming timing)
    : library_(library), timing_(timing), thread_([this] { Run(); }) {}

TD2xxThread::~TD2xxThread() {
  {
    std::lock_guard lock(controlMutex_);
    stopRequested_ = true;
  }
  threadWake_.notify_all();
  library_.InterruptWait();
  thread_.join();
}

std::string TD2xxThread::StatusText() const { return LinkStatusText(Status()); }

void TD2xxThread::RequestOpen(std::string_view baudRateText) {
  const std::optional<std::uint32_t> rate = ParseBaudRate(baudRateText);
  if (!rate) return;
  baudRate_.store(*rate, std::memory_order_relaxed);
  openRequested_.store(true, std::memory_order_release);
  WakeThread();
}

void TD2xxThread::RequestClose() {
  if (!IsOpen()) return;  // nothing to close; raised, it would close the next open
  closeRequested_.store(true, std::memory_order_release);
  WakeThread();
}

bool TD2xxThread::ChangeBaudRate(std::string_view baudRateText) {
  const std::optional<std::uint32_t> rate = ParseBaudRate(baudRateText);
  if (!rate || !IsOpen()) return true;
  std::unique_lock lock(controlMutex_);
  const std::uint64_t ticket = ++lastBaudTicket_;
  pendingBaudTicket_ = ticket;
  pendingBaudRate_ = *rate;
  lock.unlock();
  threadWake_.notify_all();
  library_.InterruptWait();
  lock.lock();
  const bool answered = baudChangeDone_.wait_for(lock, timing_.baudChangeTimeout,
                                                 [&] { return doneBaudTicket_ >= ticket; });
  if (!answered) {
    // Withdrawn, so that a late change cannot surprise the caller.
    if (pendingBaudTicket_ == ticket) pendingBaudTicket_ = 0;
    return true;
  }
  return doneBaudTicket_ != ticket || doneBaudRefused_;
}

std::size_t TD2xxThread::QueueBytes(const std::uint8_t* bytes, std::size_t count) {
  // Only the caller's thread adds to this ring: its room can only grow before the push.
  if (count > txRing_.FreeSpace()) return 0;
  const std::size_t queued = txRing_.Push(bytes, count);
  // Cut the thread's wait for incoming bytes short, so that these go out now.
  if (queued > 0 && IsOpen()) library_.InterruptWait();
  return queued;
}

std::size_t TD2xxThread::TakeBytes(std::uint8_t* buffer) {
  return rxRing_.Pop(buffer, kRingCapacity);
}

void TD2xxThread::WakeThread() {
  {
    std::lock_guard lock(controlMutex_);
    wakeRequested_ = true;
  }
  threadWake_.notify_all();
  library_.InterruptWait();
}

void TD2xxThread::PauseUnlessWoken(std::chrono::milliseconds pause) {
  std::unique_lock lock(controlMutex_);
  threadWake_.wait_for(
      lock, pause, [this] { return wakeRequested_ || stopRequested_ || pendingBaudTicket_ != 0; });
  wakeRequested_ = false;
}

void TD2xxThread::Run() {
  pthread_setname_np(pthread_self(), "D2xxPort");
  for (;;) {
    {
      std::lock_guard lock(controlMutex_);
      if (stopRequested_) break;
    }
    Pass();
  }
  if (handle_ != DeviceHandle::kNone) {
    library_.Close(handle_);
    handle_ = DeviceHandle::kNone;
    open_.store(false, std::memory_order_release);
  }
}

void TD2xxThread::Pass() {
  ServeBaudChange();
  // While open, a hang-up is seen by the device calls at once; the list read, which notices
  // a port that has gone from the system, need not be made on every pass.
  const auto now = std::chrono::steady_clock::now();
  if (!IsOpen() || now >= nextListRead_) {
    deviceIndex_.store(DiscoverDevice(), std::memory_order_release);
    nextListRead_ = now + timing_.listIntervalWhileOpen;
  }
  if (DeviceIndex() == 0) {
    if (IsOpen()) DeviceGone();
    PauseUnlessWoken(timing_.idlePause);
    return;
  }
  if (openRequested_.load(std::memory_order_acquire)) {
    if (!IsOpen()) OpenDevice();
  } else if (closeRequested_.load(std::memory_order_acquire) && IsOpen()) {
    CloseDevice();
  }
  if (!IsOpen()) {
    PauseUnlessWoken(timing_.idlePause);
    return;
  }
  ReadWaiting();
  if (IsOpen()) WriteQueued();
}

int TD2xxThread::DiscoverDevice() {
  std::uint32_t count = 0;
  if (library_.CreateDeviceInfoList(count) != DeviceStatus::kOk) count = 0;
  int found = 0;
  DeviceDescription description;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (library_.GetDeviceDescription(i, description) != DeviceStatus::kOk) continue;
    if (description.View() == kInterfaceDescription) found = static_cast<int>(i) + 1;
  }
  status_.store(found > 0 ? LinkStatus::kInterfaceListed : LinkStatus::kNoInterface,
                std::memory_order_release);
  return found;
}

void TD2xxThread::OpenDevice() {
  DeviceHandle handle = DeviceHandle::kNone;
  const auto position = static_cast<std::uint32_t>(DeviceIndex() - 1);
  if (library_.Open(position, handle) != DeviceStatus::kOk) return;
  handle_ = handle;
  library_.SetBaudRate(handle_, baudRate_.load(std::memory_order_relaxed));
  library_.SetDataCharacteristics(handle_, 8, 1, Parity::kNone);
  library_.SetTimeouts(handle_, kDeviceTimeout, kDeviceTimeout);
  open_.store(true, std::memory_order_release);
  openRequested_.store(false, std::memory_order_release);
}

void TD2xxThread::CloseDevice() {
  if (library_.Close(handle_) != DeviceStatus::kOk) return;
  handle_ = DeviceHandle::kNone;
  open_.store(false, std::memory_order_release);
  closeRequested_.store(false, std::memory_order_release);
}

void TD2xxThread::DeviceGone() {
  // The device cannot be used any more; its handle is only released.
  library_.Close(handle_);
  handle_ = DeviceHandle::kNone;
  open_.store(false, std::memory_order_release);
  nextListRead_ = {};
}

void TD2xxThread::ReadWaiting() {
  if (rxRing_.FreeSpace() == 0) {
    // Nothing can be taken in before the user-interface thread empties the ring; what has
    // arrived stays in the device until then.
    PauseUnlessWoken(timing_.bytesWait);
    return;
  }
  // Wake up when the next list read is due, at the latest; queued bytes, requests and
  // stopping interrupt the wait.
  std::chrono::milliseconds wait{0};
  if (txRing_.Pending() == 0) {
    const auto untilListRead = std::chrono::ceil<std::chrono::milliseconds>(
        nextListRead_ - std::chrono::steady_clock::now());
    wait = std::clamp(untilListRead, std::chrono::milliseconds(0), timing_.bytesWait);
  }
  DeviceStatus status = library_.WaitForBytes(handle_, wait);
  if (status == DeviceStatus::kDeviceGone) return DeviceGone();
  if (status == DeviceStatus::kTimeout || status == DeviceStatus::kInterrupted) return;
  if (status != DeviceStatus::kOk) {
    PauseUnlessWoken(timing_.bytesWait);  // a failing wait must not make the thread spin
    return;
  }
  std::size_t waiting = 0;
  status = library_.GetQueueStatus(handle_, waiting);
  if (status == DeviceStatus::kDeviceGone) return DeviceGone();
  if (status != DeviceStatus::kOk) return;
  while (waiting > 0) {
    const std::size_t wanted = std::min({waiting, rxRing_.FreeSpace(), kBufferSize});
    if (wanted == 0) break;
    std::size_t got = 0;
    status = library_.Read(handle_, readBuffer_, wanted, got);
    if (status == DeviceStatus::kDeviceGone) return DeviceGone();
    got = std::min(got, wanted);
    if (status != DeviceStatus::kOk || got == 0) break;  // a failed read is dropped
    rxRing_.Push(readBuffer_, got);
    waiting -= std::min(got, waiting);
  }
}

void TD2xxThread::WriteQueued() {
  // At most one ring's worth per pass, so that a busy producer cannot starve reading.
  for (std::size_t sent = 0; sent < kRingCapacity;) {
    const std::size_t count = txRing_.Pop(writeBuffer_, kBufferSize);
    if (count == 0) break;
    std::size_t written = 0;
    // The result is not acted on: the polling engine notices missing answers.
    if (library_.Write(handle_, writeBuffer_, count, written) == DeviceStatus::kDeviceGone) {
      return DeviceGone();
    }
    sent += count;
  }
}

void TD2xxThread::ServeBaudChange() {
  std::uint64_t ticket = 0;
  std::uint32_t rate = 0;
  {
    std::lock_guard lock(controlMutex_);
    if (pendingBaudTicket_ == 0) return;
    ticket = pendingBaudTicket_;
    rate = pendingBaudRate_;
    pendingBaudTicket_ = 0;
  }
  bool refused = true;
  if (IsOpen()) {
    const DeviceStatus status = library_.SetBaudRate(handle_, rate);
    refused = status != DeviceStatus::kOk;
    if (status == DeviceStatus::kDeviceGone) DeviceGone();
  }
  {
    std::lock_guard lock(controlMutex_);
    doneBaudTicket_ = ticket;
    doneBaudRefused_ = refused;
  }
  baudChangeDone_.notify_all();
}

}  // namespace rizazovoz
