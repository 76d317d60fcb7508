#pragma once
// What the fuzz targets share: a reader that takes values off the front of the input (zeros
// once it is used up, so that every input is a valid script), and FUZZ_CHECK, which aborts
// with a message when a property does not hold, so that libFuzzer keeps the input and the
// corpus replay test fails.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

namespace rizazovoz::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return position_ >= size_; }
  std::size_t remaining() const { return size_ - position_; }

  std::uint8_t Byte() { return empty() ? 0 : data_[position_++]; }

  // A value of type T from its bytes in memory order (any bit pattern: NaN and the like too).
  template <typename T>
  T Raw() {
    unsigned char bytes[sizeof(T)] = {};
    const std::size_t count = std::min(sizeof(T), remaining());
    if (count > 0) std::memcpy(bytes, data_ + position_, count);
    position_ += count;
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }

  // Up to `count` bytes, fewer when the input ends first.
  std::span<const std::uint8_t> Bytes(std::size_t count) {
    count = std::min(count, remaining());
    const std::span<const std::uint8_t> bytes(data_ + position_, count);
    position_ += count;
    return bytes;
  }

  std::string Text(std::size_t count) {
    const std::span<const std::uint8_t> bytes = Bytes(count);
    return std::string(bytes.begin(), bytes.end());
  }

  // Everything not taken yet.
  std::span<const std::uint8_t> Rest() { return Bytes(remaining()); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace rizazovoz::fuzz
