#pragma once
// The status flag texts and, per ECU identity, which text each of the 40 status bits
// stands for. A status text is "name,off-text,on-text": the flag's name, then what a 0 bit
// and a 1 bit read as. Rows are selected as in every per-ECU table (ecu_rows.h): exact,
// case-sensitive identity, default row otherwise. Immutable constant tables: safe from any
// thread.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rizazovoz {

inline constexpr int kStatusByteCount = 5;
inline constexpr int kStatusBitCount = 40;

// A flag of this name, compared without regard to letter case, is one the ECU does not
// have: it is not shown.
inline constexpr std::string_view kUnimplementedStatusName = "Unimplemented";

// Status bit k (0..39) is the bit of value 128 >> (k % 8) in status byte k / 8: most
// significant bit first, the other way round from fault bits. The live data carry status
// bytes 0..3 only, so the flags of byte 4 always read their off-text. Bits outside 0..39
// throw std::out_of_range.
constexpr int CheckedStatusBit(int bit) {
  if (bit < 0 || bit >= kStatusBitCount) throw std::out_of_range("status bit outside 0..39");
  return bit;
}
constexpr int StatusByteOf(int bit) { return CheckedStatusBit(bit) / 8; }
constexpr std::uint8_t StatusMaskOf(int bit) {
  return static_cast<std::uint8_t>(0x80u >> (CheckedStatusBit(bit) % 8));
}

class StatusDefs {
 public:
  StatusDefs();

  // The "name,off-text,on-text" text for status bit `bit` (0..39) of the identity's row.
  // Throws std::out_of_range for a bit outside 0..39.
  std::string StatusText(std::string_view identity, int bit) const;
};

}  // namespace rizazovoz
