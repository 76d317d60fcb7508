#pragma once
// A link thread stand-in for protocol tests: the test sets the status text and the open
// flag, puts bytes in the receive ring, and reads back every QueueBytes call as one request.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "transport/link_port.h"

namespace rizazovoz {

class FakeLinkPort : public LinkPort {
 public:
  using Bytes = std::vector<std::uint8_t>;

  std::string status = "RUZ Interface";
  bool open = true;
  std::vector<std::string> openRequests;  // the baud rate text of each RequestOpen
  int closeRequests = 0;
  std::vector<Bytes> queued;             // one entry per QueueBytes call that was taken
  bool transmitRingFull = false;         // QueueBytes takes nothing
  std::vector<std::string> baudChanges;  // the text of each ChangeBaudRate
  bool refuseBaudChanges = false;
  std::deque<std::uint8_t> received;

  std::string StatusText() const override { return status; }
  bool IsOpen() const override { return open; }
  void RequestOpen(std::string_view baudRateText) override {
    openRequests.emplace_back(baudRateText);
  }
  void RequestClose() override { ++closeRequests; }
  bool ChangeBaudRate(std::string_view baudRateText) override {
    baudChanges.emplace_back(baudRateText);
    return refuseBaudChanges;
  }
  std::size_t QueueBytes(const std::uint8_t* bytes, std::size_t count) override {
    if (transmitRingFull) return 0;
    queued.emplace_back(bytes, bytes + count);
    return count;
  }
  std::size_t TakeBytes(std::uint8_t* buffer) override {
    const std::size_t count = std::min(received.size(), kRingCapacity);
    std::copy_n(received.begin(), count, buffer);
    received.erase(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
  }

  void Receive(std::span<const std::uint8_t> bytes) {
    received.insert(received.end(), bytes.begin(), bytes.end());
  }
  void Receive(std::initializer_list<std::uint8_t> bytes) {
    received.insert(received.end(), bytes.begin(), bytes.end());
  }
  // The shared line hears every request come back: the echo of the last request.
  void EchoLastRequest() {
    if (!queued.empty()) Receive(queued.back());
  }
};

}  // namespace rizazovoz
