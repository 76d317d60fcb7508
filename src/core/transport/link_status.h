#pragma once
// Whether the interface is on the device list, as the link thread last saw it. A one-byte
// enumeration so that it can be published atomically and never be read half replaced.
#include <cstdint>

namespace rizazovoz {

enum class LinkStatus : std::uint8_t { kNoInterface, kInterfaceListed };

inline constexpr const char* kInterfaceDescription = "RUZ Interface";

constexpr const char* LinkStatusText(LinkStatus status) {
  return status == LinkStatus::kInterfaceListed ? kInterfaceDescription : "No Interface";
}

}  // namespace rizazovoz
