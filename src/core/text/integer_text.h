#pragma once
// Reading a whole number that a person typed or a settings file holds.
#include <cstdint>
#include <optional>
#include <string_view>

namespace rizazovoz {

// The value of an optional sign followed by decimal digits, with spaces and tabs around them
// ignored. Anything else ("abc", "250ms", "1e3", "", "+", a value outside 32 bits) is not a
// whole number and gives nothing.
std::optional<std::int32_t> parseInteger(std::string_view text);

}  // namespace rizazovoz
