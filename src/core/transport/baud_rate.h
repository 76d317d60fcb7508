#pragma once
// Baud rates as the link thread takes them: decimal digits only, nothing around them.
#include <cstdint>
#include <optional>
#include <string_view>

namespace rizazovoz {

// The fastest rate any serial device is asked for; the ECU line itself runs at 7812 or 15625.
inline constexpr std::uint32_t kHighestBaudRate = 12'000'000;

// The rate of a text of decimal digits from 1 to kHighestBaudRate; nothing for anything else.
std::optional<std::uint32_t> ParseBaudRate(std::string_view text);

}  // namespace rizazovoz
