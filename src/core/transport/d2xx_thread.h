#pragma once
// The link thread: owns the USB interface for the life of the program. On every pass it
// looks for the device described "RUZ Interface", opens or closes it when asked, and moves
// bytes between the device and the two rings. The user-interface thread talks to it only
// through the LinkPort operations, which never block for long.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "transport/byte_ring.h"
#include "transport/device_library.h"
#include "transport/link_port.h"
#include "transport/link_status.h"

namespace rizazovoz {

struct LinkThreadTiming {
  // Longest wait for incoming bytes in a pass while the device is open. Incoming bytes,
  // queued bytes, requests and a hang-up end the wait at once, so it can be long.
  std::chrono::milliseconds bytesWait{50};
  // Pause between device-list reads while the device is not open.
  std::chrono::milliseconds idlePause{50};
  // While open, the device list is read again after this much time; it is what notices a
  // port that has left the system without hanging up.
  std::chrono::milliseconds listIntervalWhileOpen{50};
  // Longest time ChangeBaudRate waits for the link thread to make the change.
  std::chrono::milliseconds baudChangeTimeout{500};
};

class TD2xxThread final : public LinkPort {
 public:
  // Starts the thread at once. The library must outlive this object.
  explicit TD2xxThread(DeviceLibrary& library, LinkThreadTiming timing = {});
  // Stops the thread, closes the device if it is open, and joins.
  ~TD2xxThread() override;
  TD2xxThread(const TD2xxThread&) = delete;
  TD2xxThread& operator=(const TD2xxThread&) = delete;

  std::string StatusText() const override;
  LinkStatus Status() const { return status_.load(std::memory_order_acquire); }
  bool IsOpen() const override { return open_.load(std::memory_order_acquire); }
  // 1-based list position of the interface at the last device-list read; 0 when not listed.
  int DeviceIndex() const { return deviceIndex_.load(std::memory_order_acquire); }

  // A text that is not a baud rate (a whole number from 1 on) is refused: neither the
  // stored rate nor the request changes.
  void RequestOpen(std::string_view baudRateText) override;
  void RequestClose() override;
  // Made by the link thread between two passes; waits for its result at most
  // baudChangeTimeout. Returns true (refused) for a bad text, a device that is not open,
  // a change the library refused, or no answer in time.
  bool ChangeBaudRate(std::string_view baudRateText) override;
  std::size_t QueueBytes(const std::uint8_t* bytes, std::size_t count) override;
  std::size_t TakeBytes(std::uint8_t* buffer) override;

 private:
  static constexpr std::size_t kBufferSize = 100;

  void Run();
  void Pass();
  int DiscoverDevice();
  void OpenDevice();
  void CloseDevice();
  void DeviceGone();
  void ReadWaiting();
  void WriteQueued();
  void ServeBaudChange();
  void PauseUnlessWoken(std::chrono::milliseconds pause);
  void WakeThread();

  DeviceLibrary& library_;
  const LinkThreadTiming timing_;

  // Link thread only.
  DeviceHandle handle_ = DeviceHandle::kNone;
  std::chrono::steady_clock::time_point nextListRead_{};
  std::uint8_t readBuffer_[kBufferSize] = {};
  std::uint8_t writeBuffer_[kBufferSize] = {};

  // Shared with the user-interface thread.
  std::atomic<int> deviceIndex_{0};
  std::atomic<bool> openRequested_{false};
  std::atomic<bool> closeRequested_{false};
  std::atomic<bool> open_{false};
  std::atomic<std::uint32_t> baudRate_{0};
  std::atomic<LinkStatus> status_{LinkStatus::kNoInterface};
  ByteRing rxRing_;
  ByteRing txRing_;

  // Waking the thread, stopping it, and the baud-rate change handed to it.
  std::mutex controlMutex_;
  std::condition_variable threadWake_;
  std::condition_variable baudChangeDone_;
  bool wakeRequested_ = false;
  bool stopRequested_ = false;
  std::uint64_t lastBaudTicket_ = 0;
  std::uint64_t pendingBaudTicket_ = 0;  // 0: none waiting for the thread
  std::uint32_t pendingBaudRate_ = 0;
  std::uint64_t doneBaudTicket_ = 0;
  bool doneBaudRefused_ = true;

  std::thread thread_;  // last: starts after everything above is set up
};

}  // namespace rizazovoz
