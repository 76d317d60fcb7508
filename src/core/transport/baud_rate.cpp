#include "transport/baud_rate.h"

#include <charconv>

namespace rizazovoz {

std::optional<std::uint32_t> ParseBaudRate(std::string_view text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [next, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || next != end || text.front() == '-' ||
      text.front() == '+' || value == 0 || value > kHighestBaudRate) {
    return std::nullopt;
  }
  return value;
}

}  // namespace rizazovoz
