#pragma once
// A 256-byte ring between one producer thread and one consumer thread, without a lock.
// Each 8-bit index is written by one side only: the producer stores the bytes before it
// publishes the write index (release), the consumer reads them after loading it (acquire)
// and hands the room back by publishing the read index. At most 255 bytes are pending, and
// the producer never overwrites a byte that has not been taken.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace rizazovoz {

class ByteRing {
 public:
  static constexpr std::size_t kCapacity = 255;

  // Producer: how many bytes fit now.
  std::size_t FreeSpace() const {
    const std::uint8_t write = write_.load(std::memory_order_relaxed);
    const std::uint8_t read = read_.load(std::memory_order_acquire);
    return kCapacity - static_cast<std::uint8_t>(write - read);
  }

  // Producer: appends as many of the bytes as fit, in order; returns how many.
  std::size_t Push(const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t write = write_.load(std::memory_order_relaxed);
    const std::size_t n = std::min(count, FreeSpace());
    for (std::size_t i = 0; i < n; ++i) {
      bytes_[write] = bytes[i];
      ++write;
    }
    write_.store(write, std::memory_order_release);
    return n;
  }

  // Consumer: how many bytes are pending.
  std::size_t Pending() const {
    const std::uint8_t write = write_.load(std::memory_order_acquire);
    const std::uint8_t read = read_.load(std::memory_order_relaxed);
    return static_cast<std::uint8_t>(write - read);
  }

  // Consumer: moves up to maxCount pending bytes, oldest first, into buffer; returns how
  // many. The buffer is not touched beyond that count.
  std::size_t Pop(std::uint8_t* buffer, std::size_t maxCount) {
    std::uint8_t read = read_.load(std::memory_order_relaxed);
    const std::size_t n = std::min(maxCount, Pending());
    for (std::size_t i = 0; i < n; ++i) {
      buffer[i] = bytes_[read];
      ++read;
    }
    read_.store(read, std::memory_order_release);
    return n;
  }

 private:
  std::array<std::uint8_t, 256> bytes_{};
  std::atomic<std::uint8_t> read_{0};
  std::atomic<std::uint8_t> write_{0};
};

}  // namespace rizazovoz
