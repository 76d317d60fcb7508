#pragma once
// What the protocol sees of the interface link: a status text, an open flag, open and close
// requests, and the two byte rings. The link thread implements it; protocol tests use fakes.
// Every call returns at once and is made from the user-interface thread.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rizazovoz {

inline constexpr std::size_t kRingCapacity = 255;  // bytes that can be pending in one ring

class LinkPort {
 public:
  virtual ~LinkPort() = default;
  // "RUZ Interface" while the interface is listed, "No Interface" otherwise.
  virtual std::string StatusText() const = 0;
  virtual bool IsOpen() const = 0;
  // Stores the baud rate for the next open and asks for the device to be opened.
  virtual void RequestOpen(std::string_view baudRateText) = 0;
  // Asks for the open device to be closed; dropped when it is closed already, so that it
  // cannot close a later open.
  virtual void RequestClose() = 0;
  // Switches the open device to another baud rate; returns true when that was refused.
  virtual bool ChangeBaudRate(std::string_view baudRateText) = 0;
  // Appends the bytes to the transmit ring when all of them fit, and nothing otherwise: a
  // frame goes out whole or not at all. Returns how many were queued (count or 0).
  virtual std::size_t QueueBytes(const std::uint8_t* bytes, std::size_t count) = 0;
  // Moves every pending received byte, oldest first, into buffer (room for kRingCapacity).
  virtual std::size_t TakeBytes(std::uint8_t* buffer) = 0;
};

}  // namespace rizazovoz
