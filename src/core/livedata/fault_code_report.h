#pragma once
// The fault code viewer's two lists, in words: each fault bit set in the fault bytes becomes
// "Code NN", its description and an empty line, under "Current" (bytes 0, 1, 4) or
// "History" (bytes 2, 3), in bit order, with the connected ECU's own texts.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ecudefs/fault_defs.h"

namespace rizazovoz {

using FaultBytes = std::array<std::uint8_t, kFaultByteCount>;

class FaultCodeReport {
 public:
  // Takes the texts of the ECU that has just named itself.
  void SetIdentity(std::string_view identity);
  bool identified() const { return identified_; }

  // "No Current Codes" / "No Stored Codes" when no such bit is set.
  std::string CurrentText(const FaultBytes& faults) const;
  std::string StoredText(const FaultBytes& faults) const;

 private:
  std::string Entries(const FaultBytes& faults, bool stored) const;

  FaultDefs defs_;
  std::array<std::string, kFaultBitCount> codeTexts_;
  bool identified_ = false;
};

}  // namespace rizazovoz
