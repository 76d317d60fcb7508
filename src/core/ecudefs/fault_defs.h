#pragma once
// The fault description texts and, per ECU identity, which text each of the 40 fault bits
// stands for. An ECU reports faults in five fault bytes: bytes 0, 1 and 4 hold current
// faults, bytes 2 and 3 the faults stored in its memory. Rows are selected as in every
// per-ECU table (ecu_rows.h): exact, case-sensitive identity, default row otherwise.
// Immutable constant tables: safe from any thread.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rizazovoz {

inline constexpr int kFaultByteCount = 5;
inline constexpr int kFaultBitCount = 40;

// The text of every bit an ECU does not use.
inline constexpr std::string_view kUnallocatedFaultText = "      Unallocated fault flag";

// Fault bit k (0..39) is the bit of value 1 << (k % 8) in fault byte k / 8: least significant
// bit first. Bits outside 0..39 throw std::out_of_range.
constexpr int CheckedFaultBit(int bit) {
  if (bit < 0 || bit >= kFaultBitCount) throw std::out_of_range("fault bit outside 0..39");
  return bit;
}
constexpr int FaultByteOf(int bit) { return CheckedFaultBit(bit) / 8; }
constexpr std::uint8_t FaultMaskOf(int bit) {
  return static_cast<std::uint8_t>(1u << (CheckedFaultBit(bit) % 8));
}
// Bytes 2 and 3 hold stored (history) faults; 0, 1 and 4 current ones.
constexpr bool IsStoredFaultByte(int byte) { return byte == 2 || byte == 3; }

class FaultDefs {
 public:
  FaultDefs();

  // The text for fault bit `bit` (0..39) of the identity's row. A text is normally the
  // two-character fault code, a tab, two spaces and the description; a few are not ("46    ISC",
  // "76\tAuto?????????", "\tSpare", kUnallocatedFaultText), and are given as they are.
  // Throws std::out_of_range for a bit outside 0..39.
  std::string FaultText(std::string_view identity, int bit) const;
};

}  // namespace rizazovoz
