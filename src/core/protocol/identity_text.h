#pragma once
// The ECU's identity as the key of every per-ECU table: the two identity bytes as two
// upper-case hexadecimal digits each, leading zeros kept (0x01 0x0A gives "010A").
#include <cstdint>
#include <string>

namespace rizazovoz {

std::string IdentityText(std::uint8_t i0, std::uint8_t i1);

}  // namespace rizazovoz
